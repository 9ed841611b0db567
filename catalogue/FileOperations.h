#pragma once

#include <QString>

// The two file changes the panel makes on the user's request. Behind an interface so that a
// test can make them fail the way a read-only medium would.
class FileOperations {
public:
    virtual ~FileOperations() = default;
    // Renames `from` to `to`. Refuses (false) when another file already lies at `to`: a rename
    // must never replace one of the user's files. Another spelling of the file's own name (a
    // change of case on a case-insensitive volume: the same device and file number) is not
    // another file.
    virtual bool rename(const QString& from, const QString& to) = 0;

    enum class Removal {
        Trashed, // the file is in the user's Trash now, where it can be restored from
        Deleted, // the file was there and is gone for good now
        Kept,    // the file is still there: read-only, a folder, or the medium refused
        Missing, // there was no file to delete
    };
    virtual Removal remove(const QString& path) = 0;
};

// The real files on disk.
class DiskFileOperations final : public FileOperations {
public:
    bool rename(const QString& from, const QString& to) override;
    // The file goes to the user's Trash (catalogue/UserTrash.h), as the desktop's own delete
    // does; only where its volume has no Trash the user can use is it deleted for good. A file
    // without write permission for its owner is kept, whoever asks: moving and unlinking need
    // only the folder's permission, and root passes every check.
    Removal remove(const QString& path) override;
};
