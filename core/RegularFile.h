#pragma once

#include <optional>
#include <QByteArray>
#include <QString>

// A file of the user's folders opened for reading only when it is a regular file (or a link to
// one) on a file system of documents. A named pipe, a device or a socket counts as absent, and
// so does a file of /proc, /sys or another of the kernel's own file systems (a link named like
// a picture to /proc/self/mem would hand over the program's memory). Opening one never blocks:
// the path is opened without waiting for a writer, and what was opened is checked, so that a
// file swapped for a pipe between a look at its name and the open is refused too.
class RegularFile {
public:
    explicit RegularFile(const QString& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // The file's size when it was opened.
    qint64 size() const { return size_; }

    // The whole file, when it holds at most `maxBytes`; nothing when it is larger or cannot be
    // read. Reads from the start.
    std::optional<QByteArray> readAll(qint64 maxBytes);
    // Up to `length` bytes from the start (fewer when the file is shorter).
    QByteArray head(qint64 length);

    // Hands the descriptor over, positioned at the start: the caller closes it. -1 when the file
    // is not open.
    int release();

private:
    int fd_ = -1;
    qint64 size_ = 0;
};

// Whether `path` names a regular file or a link to one, without opening it.
bool isRegularFile(const QString& path);
