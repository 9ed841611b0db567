#include "catalogue/FileOperations.h"

#include "catalogue/FileIdentity.h"
#include "catalogue/UserTrash.h"

#include <QFile>
#include <QFileInfo>

namespace {
// Something lies at `path`: a file, a folder, or a link, dangling ones included.
bool taken(const QString& path) {
    const QFileInfo entry(path);
    return entry.exists() || entry.isSymLink();
}

// The file `from` under the other spelling `to` of its own name (a change of case on a camera
// card): a direct rename would leave the old spelling, so the file goes through a free
// temporary name. When the last step is refused the file goes back to where it was.
bool respell(const QString& from, const QString& to) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QString step = from + QStringLiteral(".rinomina%1").arg(attempt);
        if (!QFile::rename(from, step))
            continue;
        if (QFile::rename(step, to))
            return true;
        QFile::rename(step, from);
        return false;
    }
    return false;
}

} // namespace

bool DiskFileOperations::rename(const QString& from, const QString& to) {
    if (from == to)
        return false;
    // A dangling link counts as taken too: writing through it would create a file elsewhere.
    if (taken(to))
        return isSameFile(from, to) && respell(from, to);
    // QFile::rename refuses an existing target itself and renames without replacing
    // (renameat2 with RENAME_NOREPLACE, or link and unlink), so a file appearing meanwhile is
    // not lost either.
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
    if (MoveToTrash(path))
        return Removal::Trashed;
    if (QFile::remove(path))
        return Removal::Deleted;
    return taken(path) ? Removal::Kept : Removal::Missing;
}
