#include "core/RegularFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <cerrno>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif
#ifndef O_NONBLOCK
#define O_NONBLOCK 0
#endif

namespace {

// Reads up to `length` bytes at `offset`; the count read, or -1 on an error.
qint64 readAt(int fd, char* into, qint64 length, qint64 offset) {
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = ::pread(fd, into + done, static_cast<size_t>(length - done),
                                  static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

// File systems whose files are the kernel's view of processes and devices, not anybody's
// documents: /proc/self/mem is a "regular file" there.
bool onPseudoFileSystem(int fd) {
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0)
        return true;
    constexpr long ConfigFs = 0x62656570;
    constexpr long FuseControl = 0x65735543;
    switch (long(fs.f_type)) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC:
    case SELINUX_MAGIC:
    case SMACK_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case RDTGROUP_SUPER_MAGIC:
    case PSTOREFS_MAGIC:
    case EFIVARFS_MAGIC:
    case BPF_FS_MAGIC:
    case DEVPTS_SUPER_MAGIC:
    case BINFMTFS_MAGIC:
    case NSFS_MAGIC:
    case PIPEFS_MAGIC:
    case SOCKFS_MAGIC:
    case ANON_INODE_FS_MAGIC:
    case ConfigFs:
    case FuseControl:
        return true;
    default:
        return false;
    }
}

} // namespace

RegularFile::RegularFile(const QString& path) {
    if (path.isEmpty())
        return;
    // Without O_NONBLOCK, opening a named pipe waits for a writer; for a regular file the flag
    // changes nothing.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || onPseudoFileSystem(fd)) {
        ::close(fd);
        return;
    }
    // Plain blocking reads from here on, for whoever the descriptor is handed to.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    fd_ = fd;
    size_ = static_cast<qint64>(st.st_size);
}

RegularFile::~RegularFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::optional<QByteArray> RegularFile::readAll(qint64 maxBytes) {
    if (fd_ < 0 || size_ > maxBytes)
        return std::nullopt;
    // One byte more than allowed tells a file that grew since it was opened.
    QByteArray bytes(static_cast<qsizetype>(size_) + 1, Qt::Uninitialized);
    const qint64 got = readAt(fd_, bytes.data(), bytes.size(), 0);
    if (got < 0 || got > maxBytes)
        return std::nullopt;
    bytes.truncate(static_cast<qsizetype>(got));
    return bytes;
}

QByteArray RegularFile::head(qint64 length) {
    if (fd_ < 0 || length <= 0)
        return {};
    QByteArray bytes(static_cast<qsizetype>(std::min(length, size_)), Qt::Uninitialized);
    const qint64 got = readAt(fd_, bytes.data(), bytes.size(), 0);
    bytes.truncate(static_cast<qsizetype>(std::max<qint64>(got, 0)));
    return bytes;
}

int RegularFile::release() {
    if (fd_ >= 0)
        ::lseek(fd_, 0, SEEK_SET);
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

bool isRegularFile(const QString& path) {
    // QFileInfo follows links and calls only regular files "files".
    return !path.isEmpty() && QFileInfo(path).isFile();
}
