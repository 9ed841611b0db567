#include "settings/SettingsLocation.h"

#include "core/FolderPath.h"

#include <optional>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

// A new file can be made in `folder`: what an atomic save needs.
bool CanMakeFileIn(const QString& folder) {
    QTemporaryFile probe(folder + SettingsFileName + QStringLiteral(".XXXXXX"));
    return probe.open();
}

// `path` is a regular file that can be opened for writing. Opening to append changes nothing;
// anything but a regular file (a pipe would block the opening) is refused first.
bool CanRewrite(const QString& path) {
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append);
}

} // namespace

SettingsLocation ChooseSettingsLocation(const QString& appFolder, const QString& userFolder) {
    const QString app = WithTrailingSeparator(appFolder);
    const QString user = WithTrailingSeparator(userFolder);
    // A PHOTO.INI that is there must itself be writable: the save refuses to replace a file its
    // owner made read-only (a copy from a CD, another user's file), even in a writable folder.
    const QString appFile = app + SettingsFileName;
    const bool appFileThere = QFileInfo(appFile).exists() || QFileInfo(appFile).isSymLink();
    const bool appWritable = appFileThere ? CanRewrite(appFile) : CanMakeFileIn(app);
    if (appWritable || userFolder.isEmpty())
        return {app, app, app};
    const bool userHasOne = QFileInfo::exists(user + SettingsFileName);
    return {app, userHasOne ? user : app, user};
}

bool ReadSettings(const SettingsLocation& location, ShowSettings& settings,
                  const SettingReport& report) {
    bool namedFolder = false;
    const bool read = ReadSettingsFile(location.readFolder, settings, [&](const SettingLine& line) {
        namedFolder = namedFolder || line.key == SettingKey::PATH;
        if (report)
            report(line);
    });
    if (!namedFolder)
        settings.ShowFolder = location.appFolder;
    return read;
}

bool SaveSettings(const SettingsLocation& location, const QString& folderText,
                  const QString& secondsText, const ShowSettings& settings) {
    if (!QDir().mkpath(location.writeFolder))
        return false;
    return WriteSettingsFile(location.writeFolder, WritableFolderText(location, folderText),
                             secondsText, settings);
}

QString WritableFolderText(const SettingsLocation& location, const QString& folderText) {
    if (!folderText.contains(u'\n') && !folderText.contains(u'\r'))
        return folderText;
    // A line break would split the line and read as a setting of its own; the folder written
    // last stays, and where none was written, the application folder (what a file without PATH
    // gives anyway).
    for (const QString& folder : {location.writeFolder, location.readFolder}) {
        if (const std::optional<QString> saved = SavedFolderText(folder))
            return *saved;
    }
    return location.appFolder;
}
