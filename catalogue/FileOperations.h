#pragma once

#include <QString>

// The two file changes the panel makes on the user's request. Behind an interface so that a
// test can make them fail the way a read-only medium would.
class FileOperations {
public:
    virtual ~FileOperations() = default;
    // Renames `from` to `to`. Refuses (false) when anything already lies at `to`: a rename
    // must never replace one of the user's files.
    virtual bool rename(const QString& from, const QString& to) = 0;
    // Deletes the file `path`; false when it is still there (or was never a file).
    virtual bool remove(const QString& path) = 0;
};

// The real files on disk.
class DiskFileOperations final : public FileOperations {
public:
    bool rename(const QString& from, const QString& to) override;
    bool remove(const QString& path) override;
};
