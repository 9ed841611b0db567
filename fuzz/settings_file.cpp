// PHOTO.INI as the program reads it at start-up, whatever bytes it holds.
#include "settings/SettingsFile.h"

#include <cstdint>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder((QDir(QStringLiteral("/dev/shm")).exists()
                                     ? QStringLiteral("/dev/shm")
                                     : QDir::tempPath()) +
                                QStringLiteral("/quirello-fuzz-XXXXXX"));
    QFile file(folder.filePath(SettingsFileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();

    // The reader keeps the values of lines the file lacks: it starts from the missing-file ones.
    ShowSettings settings = DefaultSettings(folder.path());
    int lines = 0;
    ReadSettingsFile(folder.path(), settings, [&](const SettingLine&) { ++lines; });
    // What the reader promises whatever the file says.
    if (!settings.ShowFolder.endsWith(QDir::separator()) || settings.TempoAttesa < 1 ||
        settings.TempoAttesa > 30)
        __builtin_trap();
    return 0;
}
