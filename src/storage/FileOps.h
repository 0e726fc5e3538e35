#pragma once

#include "storage/FileResult.h"

#include <QString>

#include <cstdint>

namespace kestra {

// An open file of the file system: a descriptor on POSIX, a HANDLE on Windows.
struct FileHandle {
    std::intptr_t value = -1;
    bool valid() const { return value != -1; }
};

// What a path names, as far as the save and load edge cares.
enum class PathType { Missing, Regular, Directory, Other };

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

    // Opens for reading without ever blocking (a FIFO, a terminal).
    virtual int openForReading(const QString& path, FileHandle& handle) = 0;
    virtual int handleType(FileHandle handle, PathType& type) = 0;
    // One read call; `got` is 0 at the end of the file.
    virtual int read(FileHandle handle, char* data, qint64 size, qint64& got) = 0;

    // The file system of this machine.
    static FileOps& real();
};

// How errors of the platform's file calls read to a user.
FileErrorKind SaveErrorKind(int systemError);
FileErrorKind LoadErrorKind(int systemError);
// True for an interrupted call that is safe to repeat (EINTR); never for a sync.
bool IsInterrupted(int systemError);
// True for "no such file", the outcome a removal of a stale file may have.
bool IsNotFound(int systemError);
// The error a write that makes no progress stands for (a full medium).
int NoProgressError();
// The platform's own wording of an error code, for the end of a message.
QString SystemErrorText(int systemError);

// Refuses a path the platform cannot open whole (PATH_MAX and NAME_MAX on
// POSIX, MAX_PATH on Windows) rather than letting it be cut short.
bool PathFitsPlatform(const QString& path);

} // namespace kestra
