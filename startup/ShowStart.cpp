#include "startup/ShowStart.h"

#include "core/FolderPath.h"
#include "core/Rounding.h"
#include "settings/NumberReading.h"

#include <algorithm>
#include <cmath>
#include <limits>

bool SecondsTooLong(const QString& secondsText) {
    return ReadLeadingNumber(secondsText) > MaxSecondsPerPicture;
}

bool SecondsMissing(const QString& secondsText) {
    return ReadLeadingNumber(secondsText) == 0;
}

qint16 ShowIntervalMs(const QString& secondsText, const QLocale& locale) {
    bool ok = false;
    double seconds = locale.toDouble(secondsText, &ok);
    if (!ok || !std::isfinite(seconds))
        seconds = ReadLeadingNumber(secondsText);
    const qint64 ms = RoundHalfEven(seconds * 1000.0);
    return static_cast<qint16>(
        std::clamp<qint64>(ms, MinShowIntervalMs, std::numeric_limits<qint16>::max()));
}

qint16 EffectCodeOf(const std::optional<QString>& selectedEntry) {
    return selectedEntry ? ReadLeadingInt16(*selectedEntry) : qint16(0);
}

namespace {

qint16 savedValue(const SettingRule& rule, const PanelValues& values, const QLocale& locale) {
    const int state = values.states[IndexOf(rule.key)];
    switch (rule.control) {
    case PanelControl::SecondsField:
        return ShowIntervalMs(values.secondsText, locale);
    case PanelControl::RandomBox:
        return state != 0 ? qint16(-1) : qint16(0);
    case PanelControl::EffectList:
        return EffectCodeOf(values.effectEntry);
    case PanelControl::FolderList:
    case PanelControl::CheckBox:
    case PanelControl::SpeedBar:
    case PanelControl::ColourBar:
    case PanelControl::LabelList:
        break;
    }
    return ClampToInt16(state);
}

} // namespace

void CopyPanelValues(const PanelValues& values, ShowSettings& settings, const QLocale& locale) {
    settings.ShowFolder = WithTrailingSeparator(values.folderPath);
    for (const SettingRule& rule : SettingRules)
        if (rule.field)
            settings.*rule.field = savedValue(rule, values, locale);
}
