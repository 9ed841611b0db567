#include "catalogue/UserTrash.h"

#include <cerrno>
#include <optional>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::optional<struct stat> entryStatus(const QString& path) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return status;
}

// A folder of our own for the Trash: there already or made now (owner only), a real folder
// (never a link, which could lead the files anywhere) that this user owns.
bool ownFolder(const QString& path) {
    if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST)
        return false;
    const std::optional<struct stat> status = entryStatus(path);
    return status && S_ISDIR(status->st_mode) && status->st_uid == ::getuid();
}

// The device of the nearest folder on the way to `path` that exists (links followed: a data
// folder linked to another disk keeps its Trash there).
std::optional<dev_t> deviceOnTheWay(QString path) {
    for (;;) {
        struct stat status {};
        if (::stat(QFile::encodeName(path).constData(), &status) == 0)
            return status.st_dev;
        const QString up = QFileInfo(path).absolutePath();
        if (up == path)
            return std::nullopt;
        path = up;
    }
}

struct TrashPlace {
    QString folder;     // the Trash, holding files/ and info/
    QString pathPrefix; // taken off the entry's path in its .trashinfo
};

// The home Trash, made when it is missing, with no question (as desktops do).
std::optional<TrashPlace> homeTrash(const QString& trash) {
    if (!QDir().mkpath(QFileInfo(trash).absolutePath()) || !ownFolder(trash))
        return std::nullopt;
    return TrashPlace{trash, QString()};
}

// The Trash of the volume mounted at `top`: an administrator's $top/.Trash (a real folder with
// the sticky bit, so that no user can remove another's) holds one folder per user; without it
// each user has $top/.Trash-$uid. Paths in it are written relative to `top`, so that the volume
// can be mounted elsewhere.
std::optional<TrashPlace> volumeTrash(const QString& top) {
    const QString uid = QString::number(::getuid());
    const QString base = top.endsWith(u'/') ? top : top + u'/';
    const QString shared = base + QStringLiteral(".Trash");
    const std::optional<struct stat> status = entryStatus(shared);
    if (status && S_ISDIR(status->st_mode) && (status->st_mode & S_ISVTX) &&
        ownFolder(shared + u'/' + uid))
        return TrashPlace{shared + u'/' + uid, base};
    if (ownFolder(base + QStringLiteral(".Trash-") + uid))
        return TrashPlace{base + QStringLiteral(".Trash-") + uid, base};
    return std::nullopt;
}

std::optional<TrashPlace> trashFor(const QString& path, dev_t device) {
    const QString home =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash";
    if (deviceOnTheWay(home) == device)
        return homeTrash(home);
    const QStorageInfo volume(QFileInfo(path).absolutePath());
    if (!volume.isValid() || deviceOnTheWay(volume.rootPath()) != device)
        return std::nullopt;
    return volumeTrash(volume.rootPath());
}

QByteArray trashInfo(const QString& recordedPath) {
    return "[Trash Info]\nPath=" + QFile::encodeName(recordedPath).toPercentEncoding("/") +
           "\nDeletionDate=" +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")).toUtf8() +
           "\n";
}

// The name the entry takes in files/: its own, or with a number before its ending when the
// Trash holds one of that name ("mare.jpg", "mare.2.jpg", ...).
QString trashedName(const QFileInfo& entry, int attempt) {
    if (attempt == 1)
        return entry.fileName();
    const QString suffix = entry.suffix();
    const QString stem = suffix.isEmpty() ? entry.fileName() : entry.completeBaseName();
    return stem + u'.' + QString::number(attempt) + (suffix.isEmpty() ? QString() : u'.' + suffix);
}

// Moves without replacing: the name was reserved by its .trashinfo, but a file put in files/
// by hand meanwhile must not be lost.
bool moveWithoutReplacing(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return true;
    if (errno != EINVAL) // a file system that cannot refuse to replace
        return false;
    return !QFileInfo(to).exists() && !QFileInfo(to).isSymLink() &&
           ::rename(source.constData(), target.constData()) == 0;
}

} // namespace

bool MoveToTrash(const QString& path) {
    const QFileInfo entry(QFileInfo(path).absoluteFilePath());
    const std::optional<struct stat> status = entryStatus(entry.filePath());
    if (!status)
        return false;
    const std::optional<TrashPlace> trash = trashFor(entry.filePath(), status->st_dev);
    if (!trash)
        return false;
    const QString files = trash->folder + QStringLiteral("/files/");
    const QString info = trash->folder + QStringLiteral("/info/");
    if (!ownFolder(files.chopped(1)) || !ownFolder(info.chopped(1)))
        return false;
    QString recorded = QDir::cleanPath(entry.filePath());
    if (!trash->pathPrefix.isEmpty() && recorded.startsWith(trash->pathPrefix))
        recorded = recorded.mid(trash->pathPrefix.size());

    // The .trashinfo comes first and is made only if new: it reserves the name, as the Trash
    // layout asks, against another program trashing a file of the same name.
    for (int attempt = 1; attempt < 10000; ++attempt) {
        const QString name = trashedName(entry, attempt);
        if (QFileInfo::exists(files + name) || QFileInfo(files + name).isSymLink())
            continue;
        QFile record(info + name + QStringLiteral(".trashinfo"));
        if (!record.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (record.exists())
                continue;
            return false;
        }
        const QByteArray text = trashInfo(recorded);
        const bool written = record.write(text) == text.size() && record.flush();
        record.close();
        if (written && moveWithoutReplacing(entry.filePath(), files + name))
            return true;
        record.remove();
        return false;
    }
    return false;
}
