#pragma once

#include "settings/ShowSettings.h"

#include <array>
#include <cstddef>
#include <limits>
#include <string_view>

// The PHOTO.INI keys, in the order the reader tests them.
enum class SettingKey {
    PATH,
    TempoAttesa,
    MusicaFM,
    SuonoWAV,
    Effetti,
    RGB_R,
    RGB_G,
    RGB_B,
    RGB_RANDOM,
    Cornice3D,
    AllargaFoto,
    TipoEffetto,
    PosLabel,
};

// How a key's value is written.
enum class WrittenAs {
    FolderText,  // the folder list's path as shown
    SecondsText, // the seconds field as typed, cut at a line break
    Number,      // the record's value
};

// The kind of panel control a key is shown in; it decides how a read line reaches the control
// and how the control's state becomes the record's value.
enum class PanelControl {
    FolderList,   // applied once every line has been read
    SecondsField, // applied once every line has been read; saved as milliseconds
    CheckBox,     // ticked for 1 and above; saved as 0 or 1
    RandomBox,    // ticked for any value but 0; saved as -1 or 0
    SpeedBar,     // the bar keeps its range and the record follows the bar
    ColourBar,    // a read value above 255 leaves the bar as it was
    EffectList,   // the code at the start of the selected entry; selected again after the load
    LabelList,    // the selected entry's index; selected again after the load
};

constexpr qint16 Int16Lowest = std::numeric_limits<qint16>::min();
constexpr qint16 Int16Highest = std::numeric_limits<qint16>::max();

// Everything that makes one PHOTO.INI key: a new setting is one row here, one field of
// ShowSettings and one control in the panel.
struct SettingRule {
    SettingKey key;
    std::string_view keyText;    // as the line starts when written, '=' included
    qint16 ShowSettings::*field; // none for PATH, which fills ShowFolder
    qint16 missingFileValue;     // the value when there is no PHOTO.INI
    int writePosition;           // the line's place in the written file, from 0
    WrittenAs writtenAs;
    PanelControl control;
    // A value read outside lowest..highest becomes outOfRange.
    qint16 lowest = Int16Lowest;
    qint16 highest = Int16Highest;
    qint16 outOfRange = 0;
};

// One row per key, in the key's order (the reading order).
inline constexpr std::array<SettingRule, 13> SettingRules{{
    {SettingKey::PATH, "PATH=", nullptr, 0, 0, WrittenAs::FolderText, PanelControl::FolderList},
    {SettingKey::TempoAttesa, "TempoAttesa=", &ShowSettings::TempoAttesa, 5, 1,
     WrittenAs::SecondsText, PanelControl::SecondsField, 1, 30, 4},
    {SettingKey::MusicaFM, "MusicaFM=", &ShowSettings::MusicaFM, 1, 2, WrittenAs::Number,
     PanelControl::CheckBox},
    {SettingKey::SuonoWAV, "SuonoWAV=", &ShowSettings::SuonoWAV, 1, 3, WrittenAs::Number,
     PanelControl::CheckBox},
    {SettingKey::Effetti, "Effetti=", &ShowSettings::Effetti, 1, 4, WrittenAs::Number,
     PanelControl::SpeedBar},
    {SettingKey::RGB_R, "RGB_R=", &ShowSettings::RGB_R, 0, 7, WrittenAs::Number,
     PanelControl::ColourBar},
    {SettingKey::RGB_G, "RGB_G=", &ShowSettings::RGB_G, 0, 8, WrittenAs::Number,
     PanelControl::ColourBar},
    {SettingKey::RGB_B, "RGB_B=", &ShowSettings::RGB_B, 0, 9, WrittenAs::Number,
     PanelControl::ColourBar},
    {SettingKey::RGB_RANDOM, "RGB_RANDOM=", &ShowSettings::RGB_RANDOM, 0, 10, WrittenAs::Number,
     PanelControl::RandomBox},
    {SettingKey::Cornice3D, "Cornice3D=", &ShowSettings::Cornice3D, 1, 5, WrittenAs::Number,
     PanelControl::CheckBox},
    {SettingKey::AllargaFoto, "AllargaFoto=", &ShowSettings::AllargaFoto, 1, 6, WrittenAs::Number,
     PanelControl::CheckBox},
    {SettingKey::TipoEffetto, "TipoEffetto=", &ShowSettings::TipoEffetto, 0, 11, WrittenAs::Number,
     PanelControl::EffectList},
    {SettingKey::PosLabel, "PosLabel=", &ShowSettings::PosLabel, 0, 12, WrittenAs::Number,
     PanelControl::LabelList},
}};

inline constexpr std::size_t SettingCount = SettingRules.size();

constexpr std::size_t IndexOf(SettingKey key) {
    return static_cast<std::size_t>(key);
}

constexpr const SettingRule& RuleOf(SettingKey key) {
    return SettingRules[IndexOf(key)];
}

// The keys in the order their lines are written.
inline constexpr std::array<SettingKey, SettingCount> WriteOrder = [] {
    std::array<SettingKey, SettingCount> order{};
    for (const SettingRule& rule : SettingRules)
        order[static_cast<std::size_t>(rule.writePosition)] = rule.key;
    return order;
}();

namespace setting_rules_detail {
constexpr bool rowsFollowKeys() {
    for (std::size_t i = 0; i < SettingCount; ++i)
        if (IndexOf(SettingRules[i].key) != i)
            return false;
    return true;
}
constexpr bool writePositionsDistinct() {
    std::array<bool, SettingCount> taken{};
    for (const SettingRule& rule : SettingRules) {
        const auto at = static_cast<std::size_t>(rule.writePosition);
        if (rule.writePosition < 0 || at >= SettingCount || taken[at])
            return false;
        taken[at] = true;
    }
    return true;
}
constexpr bool onlyPathWithoutField() {
    for (const SettingRule& rule : SettingRules)
        if ((rule.field == nullptr) != (rule.key == SettingKey::PATH))
            return false;
    return true;
}
// A line is taken by the first key it contains: a key containing an earlier one's text could
// never be read.
constexpr bool everyKeyReadable() {
    for (std::size_t later = 0; later < SettingCount; ++later)
        for (std::size_t earlier = 0; earlier < later; ++earlier)
            if (SettingRules[later].keyText.find(SettingRules[earlier].keyText) !=
                std::string_view::npos)
                return false;
    return true;
}
} // namespace setting_rules_detail

static_assert(SettingCount == IndexOf(SettingKey::PosLabel) + 1, "a row for the last key too");
static_assert(setting_rules_detail::rowsFollowKeys(), "one row per key, in the keys' order");
static_assert(setting_rules_detail::writePositionsDistinct(), "each key has its own written line");
static_assert(setting_rules_detail::everyKeyReadable(), "no key contains an earlier key");
static_assert(setting_rules_detail::onlyPathWithoutField(), "every key but PATH has a field");
