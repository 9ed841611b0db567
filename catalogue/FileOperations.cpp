#include "catalogue/FileOperations.h"

#include <QFile>
#include <QFileInfo>

bool DiskFileOperations::rename(const QString& from, const QString& to) {
    // A dangling link counts as taken too: writing through it would create a file elsewhere.
    const QFileInfo target(to);
    if (target.exists() || target.isSymLink())
        return false;
    // QFile::rename refuses an existing target itself and renames without replacing
    // (renameat2 with RENAME_NOREPLACE, or link and unlink), so a file appearing meanwhile is
    // not lost either.
    return QFile::rename(from, to);
}

bool DiskFileOperations::remove(const QString& path) {
    const QFileInfo file(path);
    if (file.isDir() && !file.isSymLink())
        return false;
    return QFile::remove(path);
}
