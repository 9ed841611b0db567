#include "catalogue/FileOperations.h"

#include "platform/FileIdentity.h"

#include <QFile>
#include <QFileInfo>

namespace {
// Something lies at `path`: a file, a folder, or a link, dangling ones included.
bool taken(const QString& path) {
    const QFileInfo entry(path);
    return entry.exists() || entry.isSymLink();
}
} // namespace

bool DiskFileOperations::rename(const QString& from, const QString& to) {
    // A dangling link counts as taken too: writing through it would create a file elsewhere.
    // The same file under a name differing in case (a camera card) is the rename asked for.
    if (taken(to) && !isSameFile(from, to))
        return false;
    // QFile::rename refuses an existing target itself and renames without replacing
    // (renameat2 with RENAME_NOREPLACE, or link and unlink), so a file appearing meanwhile is
    // not lost either; a change of case only goes through a temporary name, since the volume
    // would otherwise keep the old spelling.
    return QFile::rename(from, to);
}

FileOperations::Removal DiskFileOperations::remove(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists() && !file.isSymLink())
        return Removal::Missing;
    if (!file.isSymLink()) {
        if (file.isDir() || !(file.permissions() & QFileDevice::WriteOwner))
            return Removal::Kept;
    }
    if (QFile::remove(path))
        return Removal::Deleted;
    return taken(path) ? Removal::Kept : Removal::Missing;
}
