#include "catalogue/FileIdentity.h"

#include <QFile>

#include <sys/stat.h>

bool isSameFile(const QString& a, const QString& b) {
    struct stat first {};
    struct stat second {};
    if (::lstat(QFile::encodeName(a).constData(), &first) != 0 ||
        ::lstat(QFile::encodeName(b).constData(), &second) != 0)
        return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}
