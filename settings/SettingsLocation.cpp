#include "settings/SettingsLocation.h"

#include "core/FolderPath.h"

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
    if (CanMakeFileIn(app) || CanRewrite(app + SettingsFileName) || userFolder.isEmpty())
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
    return WriteSettingsFile(location.writeFolder, folderText, secondsText, settings);
}
