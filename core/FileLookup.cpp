#include "core/FileLookup.h"

#include <QDir>
#include <QFileInfo>

namespace filelookup {

namespace {
// Regular files only (links to them included): a named pipe or a device named like a sound
// would block the program the moment it is opened, so it counts as absent.
QStringList filesByName(const QString& folder) {
    QStringList names;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries)
        if (entry.isFile())
            names.append(entry.fileName());
    return names;
}
} // namespace

QString findFile(const QString& path) {
    if (path.isEmpty())
        return {};
    QFileInfo exact(path);
    if (exact.isFile())
        return path;
    const QString name = exact.fileName();
    if (name.isEmpty())
        return {};
    const QString folder = exact.path();
    for (const QString& candidate : filesByName(folder)) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return QDir(folder).filePath(candidate);
    }
    return {};
}

QString firstWithSuffix(const QString& folder, const QString& suffix) {
    for (const QString& candidate : filesByName(folder)) {
        if (candidate.startsWith(u'.'))
            continue;
        if (candidate.endsWith(suffix, Qt::CaseInsensitive))
            return QDir(folder).filePath(candidate);
    }
    return {};
}

} // namespace filelookup
