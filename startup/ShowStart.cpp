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

void CopyPanelValues(const PanelValues& values, ShowSettings& settings, const QLocale& locale) {
    settings.ShowFolder = WithTrailingSeparator(values.folderPath);
    settings.RGB_R = ClampToInt16(values.red);
    settings.RGB_G = ClampToInt16(values.green);
    settings.RGB_B = ClampToInt16(values.blue);
    settings.RGB_RANDOM = values.randomColour ? -1 : 0;
    settings.Cornice3D = ClampToInt16(values.frameState);
    settings.TempoAttesa = ShowIntervalMs(values.secondsText, locale);
    settings.MusicaFM = ClampToInt16(values.musicState);
    settings.SuonoWAV = ClampToInt16(values.commentState);
    settings.AllargaFoto = ClampToInt16(values.enlargeState);
    settings.Effetti = ClampToInt16(values.speed);
    settings.TipoEffetto = EffectCodeOf(values.effectEntry);
    settings.PosLabel = ClampToInt16(values.labelIndex);
}
