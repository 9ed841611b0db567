#pragma once

#include "settings/SettingsFile.h"

#include <QString>

// Where PHOTO.INI is read at start-up and written at "&Play". Each folder ends with the
// separator.
struct SettingsLocation {
    QString appFolder;   // the program's folder: the show folder when the file names none
    QString readFolder;  // the folder whose PHOTO.INI the start-up reads
    QString writeFolder; // the folder "&Play" writes PHOTO.INI into
};

// PHOTO.INI stays beside the program whenever a file can be made there. In a folder the user
// cannot write, a PHOTO.INI that is itself writable is rewritten in place; otherwise the
// settings live in `userFolder` (the user's configuration folder), and until the user has a
// PHOTO.INI there, the application folder's is read as the starting values. Decided by trying,
// as the write itself would go: permission bits alone do not tell what root or a read-only
// volume allow.
SettingsLocation ChooseSettingsLocation(const QString& appFolder, const QString& userFolder);

// Reads PHOTO.INI from the location's read folder; a file that is missing or names no folder
// leaves the application folder as the show folder. Returns whether a file was read.
bool ReadSettings(const SettingsLocation& location, ShowSettings& settings,
                  const SettingReport& report = {});

// Writes PHOTO.INI into the location's write folder, making that folder first when it does not
// exist yet. On failure the old file stays as it was and false is returned. A folder text that
// holds a line break is not written: see WritableFolderText.
bool SaveSettings(const SettingsLocation& location, const QString& folderText,
                  const QString& secondsText, const ShowSettings& settings);

// The PATH text to write for `folderText`: itself, unless it holds a line break (legal in a Linux
// name, but it would end the line); then the PATH of the file written last (the write folder's,
// else the read folder's), else the application folder.
QString WritableFolderText(const SettingsLocation& location, const QString& folderText);
