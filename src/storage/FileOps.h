// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "storage/FileResult.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace kestra {

// An open file of the file system: a descriptor on POSIX, a HANDLE on Windows.
struct FileHandle {
    std::intptr_t value = -1;
    bool valid() const { return value != -1; }
};

// What a path names, as far as the save and load edge cares.
enum class PathType { Missing, Regular, Directory, Other };

// Which file a name or a handle stands for: device and inode on POSIX, volume
// serial and file index on Windows. Two names of one file compare equal.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

struct FileStatus {
    PathType type = PathType::Missing;
    FileIdentity identity;
    // POSIX permission bits (07777); 0444 or 0666 on Windows.
    quint32 permissions = 0;
    // No write bit is set at all (the read-only attribute on Windows), or the
    // system refuses this user writing to the file. Root passes the system's
    // test, which is why the bits are looked at too.
    bool writeProtected = false;
};

// The file-system calls the settings files are saved and loaded with, so tests
// can fail any one of them. Every call returns 0 on success or the platform's
// error code (errno on POSIX, GetLastError on Windows); none of them retries.
class FileOps {
public:
    virtual ~FileOps() = default;

    // Follows a symbolic link; a missing path gives PathType::Missing and 0.
    virtual int pathType(const QString& path, PathType& type) = 0;

    // Creates `path` for writing; fails when anything of that name exists.
    virtual int createExclusive(const QString& path, FileHandle& handle) = 0;
    // One write call; `written` may come back short of `size`.
    virtual int write(FileHandle handle, const char* data, qint64 size, qint64& written) = 0;
    // Flushes the file's data and metadata to the medium, not just to a cache.
    virtual int syncFile(FileHandle handle) = 0;
    virtual int close(FileHandle handle) = 0;
    // Replaces `to` with `from` in one step.
    virtual int rename(const QString& from, const QString& to) = 0;
    // Flushes the folder's entries, so a rename survives a pulled card.
    virtual int syncFolder(const QString& folder) = 0;
    virtual int remove(const QString& path) = 0;

    // What `path` names, following a symbolic link; a missing path gives
    // PathType::Missing and 0.
    virtual int status(const QString& path, FileStatus& status) = 0;
    // The same where only the type and the identity count: whether the file
    // may be written is left unasked (writeProtected from the bits alone).
    virtual int identity(const QString& path, FileStatus& status) { return this->status(path, status); }
    virtual int handleStatus(FileHandle handle, FileStatus& status) = 0;
    // Opens an existing file only so it can be locked and removed; never
    // follows a symbolic link and never blocks.
    virtual int openExisting(const QString& path, FileHandle& handle) = 0;
    // Takes the advisory lock a save holds on its scratch file until the file
    // is renamed or removed; never waits. Another holder gives an error for
    // which IsLockedByOther is true. Closing the handle releases the lock.
    virtual int tryLock(FileHandle handle) = 0;
    // Sets the permission bits of an open file (nothing on Windows).
    virtual int setPermissions(FileHandle handle, quint32 permissions) = 0;

    // Opens for reading without ever blocking (a FIFO, a terminal).
    virtual int openForReading(const QString& path, FileHandle& handle) = 0;
    virtual int handleType(FileHandle handle, PathType& type) = 0;
    // One read call; `got` is 0 at the end of the file.
    virtual int read(FileHandle handle, char* data, qint64 size, qint64& got) = 0;
    // Makes the reads of a file opened for reading come from the medium, not
    // from what the system keeps of it in memory: writes out what is still
    // unwritten of it and drops its cached pages (POSIX), or gives `handle` back as a new handle of the
    // same file that reads past the cache (Windows). Call it before the first
    // read. An error (the system cannot do it) leaves `handle` as it was, and
    // its reads may come from the cache.
    // Where the call succeeds but the system keeps the pages all the same (a
    // file system that lives in memory, such as tmpfs), it answers
    // kPagesKeptInMemory.
    virtual int dropCachedPages(FileHandle& handle) = 0;

    // The file system of this machine.
    static FileOps& real();
};

// How errors of the platform's file calls read to a user.
FileErrorKind SaveErrorKind(int systemError);
FileErrorKind LoadErrorKind(int systemError);
// The names of every entry of `folder` (files, folders, links; not "." and
// ".."), in no order; empty when it cannot be read. Where the system allows,
// the listing leaves the folder's time of last access alone: marking it read
// would be one more block for the card to write at every flush.
QStringList FolderEntryNames(const QString& folder);
// True for an interrupted call that is safe to repeat (EINTR); never for a sync.
bool IsInterrupted(int systemError);
// True for "no such file", the outcome a removal of a stale file may have.
bool IsNotFound(int systemError);
// True when a create failed because the name is taken.
bool IsAlreadyExists(int systemError);
// True when tryLock failed because another handle holds the lock.
bool IsLockedByOther(int systemError);
// True when the file system has no advisory locks (some network shares).
bool IsLockUnsupported(int systemError);
// True when openExisting refused a symbolic link.
bool IsSymbolicLink(int systemError);
// True when a file system cannot hold per-file permission bits (FAT refuses
// them): the new file then has the medium's bits like every other file on it.
bool IsPermissionsUnsupported(int systemError);
// The error a write that makes no progress stands for (a full medium).
int NoProgressError();
// The platform's own wording of an error code, for the end of a message.
QString SystemErrorText(int systemError);

// dropCachedPages' answer when the system kept the file's pages in memory
// after being asked to drop them: reads come from memory, not the medium.
// Outside the range of the system's own error numbers.
inline constexpr int kPagesKeptInMemory = 0x4B530001;

// Refuses a path the platform cannot open whole (PATH_MAX and NAME_MAX on
// POSIX, MAX_PATH on Windows) rather than letting it be cut short.
bool PathFitsPlatform(const QString& path);

} // namespace kestra
