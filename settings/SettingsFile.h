#pragma once

#include "settings/SettingRules.h"
#include "settings/ShowSettings.h"

#include <functional>
#include <optional>
#include <QString>

// One recognised line, reported right after its value was stored.
struct SettingLine {
    SettingKey key;
    qint16 value = 0;      // the stored value (0 for PATH)
    bool atMost255 = true; // for RGB_R/G/B: whether the panel may apply it
};

using SettingReport = std::function<void(const SettingLine&)>;

inline const QString SettingsFileName = QStringLiteral("PHOTO.INI");

// Reads PHOTO.INI from `appFolder` into `settings`, reporting each recognised line in file
// order. A missing or unreadable file gives the missing-file values and reports nothing.
// Returns whether the file was read.
bool ReadSettingsFile(const QString& appFolder, ShowSettings& settings,
                      const SettingReport& report = {});

// The folder text of the PATH line that the reader would take from `appFolder`'s PHOTO.INI,
// as written; no value when the file cannot be read or has no PATH line.
std::optional<QString> SavedFolderText(const QString& appFolder);

// Writes the 13 lines of PHOTO.INI into `appFolder`. The old file is replaced only when the new
// one is complete; on any failure it stays as it was and false is returned (callers go on
// silently).
bool WriteSettingsFile(const QString& appFolder, const QString& folderText,
                       const QString& secondsText, const ShowSettings& settings);

// The missing-file values, with `appFolder` as the show folder.
ShowSettings DefaultSettings(const QString& appFolder);
