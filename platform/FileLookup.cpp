#include "platform/FileLookup.h"

#include <QDir>
#include <QFileInfo>

namespace filelookup {

namespace {
QStringList filesByName(const QString& folder) {
    QDir dir(folder);
    return dir.entryList(QDir::Files | QDir::System, QDir::Name | QDir::IgnoreCase);
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
