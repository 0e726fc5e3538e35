// SPDX-License-Identifier: Apache-2.0
#include "storage/FileOps.h"

#include <QFile>
#include <QStringList>
#include <QtGlobal>

#include <optional>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kestra {

QString SystemErrorText(int systemError)
{
    return qt_error_string(systemError);
}

#ifndef Q_OS_WIN

namespace {

PathType TypeOfMode(mode_t mode)
{
    if (S_ISREG(mode))
        return PathType::Regular;
    if (S_ISDIR(mode))
        return PathType::Directory;
    return PathType::Other;
}

int Fd(FileHandle handle)
{
    return static_cast<int>(handle.value);
}

void FillStatus(const struct stat& st, FileStatus& status)
{
    status.type = TypeOfMode(st.st_mode);
    status.identity = {static_cast<quint64>(st.st_dev), static_cast<quint64>(st.st_ino)};
    status.permissions = static_cast<quint32>(st.st_mode & 07777);
    status.writeProtected = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

int SyncDescriptor(int fd)
{
#ifdef Q_OS_MACOS
    // fsync on macOS stops at the drive's cache; only F_FULLFSYNC reaches the
    // card. File systems without it (some network ones) fall back to fsync,
    // which is a different call, not a retry of a failed flush.
    if (::fcntl(fd, F_FULLFSYNC) == 0)
        return 0;
    if (errno != ENOTSUP && errno != EINVAL)
        return errno;
#endif
    return ::fsync(fd) == 0 ? 0 : errno;
}

// The entry of `folder` whose name decodes to `name`: its own bytes when
// exactly one entry does (or one has the bytes `name` encodes to).
std::optional<QByteArray> EntryDecodingTo(const QByteArray& folder, const QString& name)
{
    DIR* dir = ::opendir(folder.isEmpty() ? "." : folder.constData());
    if (!dir)
        return std::nullopt;
    const QByteArray encoded = QFile::encodeName(name);
    std::optional<QByteArray> found;
    int matches = 0;
    bool exact = false;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray bytes(entry->d_name);
        if (bytes == encoded)
            exact = true;
        else if (QFile::decodeName(bytes) == name && ++matches == 1)
            found = bytes;
    }
    ::closedir(dir);
    if (exact || matches != 1)
        return std::nullopt;
    return found;
}

// The bytes the file system knows a path by. A Linux name need not be valid
// UTF-8; Qt decodes the bytes it cannot read as replacement characters, and
// those encode to other bytes, so such a folder would seem to be missing. A
// part of the path that holds one is looked up among its folder's entries
// and taken by the entry's own bytes.
QByteArray NativeName(const QString& path)
{
    if (!path.contains(QChar::ReplacementCharacter))
        return QFile::encodeName(path);
    const QStringList parts = path.split(QLatin1Char('/'));
    QByteArray resolved;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            resolved += '/';
        const QString& part = parts.at(i);
        std::optional<QByteArray> own;
        if (part.contains(QChar::ReplacementCharacter))
            own = EntryDecodingTo(resolved, part);
        resolved += own.value_or(QFile::encodeName(part));
    }
    return resolved;
}

class PosixFileOps final : public FileOps {
public:
    int pathType(const QString& path, PathType& type) override
    {
        struct stat st {};
        if (::stat(NativeName(path).constData(), &st) != 0) {
            if (errno == ENOENT) {
                type = PathType::Missing;
                return 0;
            }
            return errno;
        }
        type = TypeOfMode(st.st_mode);
        return 0;
    }

    int createExclusive(const QString& path, FileHandle& handle) override
    {
        // O_EXCL also refuses a symbolic link planted under the scratch name.
        const int fd = ::open(NativeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd < 0)
            return errno;
        handle.value = fd;
        return 0;
    }

    int write(FileHandle handle, const char* data, qint64 size, qint64& written) override
    {
        const ssize_t n = ::write(Fd(handle), data, static_cast<size_t>(size));
        if (n < 0) {
            written = 0;
            return errno;
        }
        written = n;
        return 0;
    }

    int syncFile(FileHandle handle) override { return SyncDescriptor(Fd(handle)); }

    int close(FileHandle handle) override
    {
        // Linux releases the descriptor even when close is interrupted, so
        // repeating it could close someone else's; the data is flushed by then.
        if (::close(Fd(handle)) != 0 && errno != EINTR)
            return errno;
        return 0;
    }

    int rename(const QString& from, const QString& to) override
    {
        return ::rename(NativeName(from).constData(), NativeName(to).constData()) == 0 ? 0 : errno;
    }

    int syncFolder(const QString& folder) override
    {
        const int fd = ::open(NativeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            return errno;
        const int error = SyncDescriptor(fd);
        ::close(fd);
        return error == EINVAL ? 0 : error; // EINVAL: this file system has no folder to flush
    }

    int remove(const QString& path) override { return ::unlink(NativeName(path).constData()) == 0 ? 0 : errno; }

    int status(const QString& path, FileStatus& status) override
    {
        const QByteArray name = NativeName(path);
        struct stat st {};
        status = {};
        if (::stat(name.constData(), &st) != 0)
            return errno == ENOENT ? 0 : errno;
        FillStatus(st, status);
        // The bits alone miss a read-only mount, an ACL or a file of another
        // user; the system's own test misses a file without write bits for root.
        if (status.type == PathType::Regular && !status.writeProtected
            && ::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) != 0)
            status.writeProtected = errno == EACCES || errno == EPERM || errno == EROFS;
        return 0;
    }

    int handleStatus(FileHandle handle, FileStatus& status) override
    {
        struct stat st {};
        status = {};
        if (::fstat(Fd(handle), &st) != 0)
            return errno;
        FillStatus(st, status);
        return 0;
    }

    int openExisting(const QString& path, FileHandle& handle) override
    {
        const int fd = ::open(NativeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            return errno;
        handle.value = fd;
        return 0;
    }

    int tryLock(FileHandle handle) override
    {
        // flock rather than a POSIX record lock: closing any other descriptor
        // of the file would drop a record lock, and flock also works on FAT.
        int result = 0;
        do {
            result = ::flock(Fd(handle), LOCK_EX | LOCK_NB);
        } while (result != 0 && errno == EINTR);
        return result == 0 ? 0 : errno;
    }

    int setPermissions(FileHandle handle, quint32 permissions) override
    {
        return ::fchmod(Fd(handle), static_cast<mode_t>(permissions)) == 0 ? 0 : errno;
    }

    int openForReading(const QString& path, FileHandle& handle) override
    {
        // O_NONBLOCK: opening a FIFO with no writer would otherwise wait forever.
        const int fd = ::open(NativeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            return errno;
        handle.value = fd;
        return 0;
    }

    int handleType(FileHandle handle, PathType& type) override
    {
        struct stat st {};
        if (::fstat(Fd(handle), &st) != 0)
            return errno;
        type = TypeOfMode(st.st_mode);
        return 0;
    }

    int read(FileHandle handle, char* data, qint64 size, qint64& got) override
    {
        const ssize_t n = ::read(Fd(handle), data, static_cast<size_t>(size));
        if (n < 0) {
            got = 0;
            return errno;
        }
        got = n;
        return 0;
    }
};

} // namespace

FileErrorKind SaveErrorKind(int systemError)
{
    switch (systemError) {
    case ENOENT:
        return FileErrorKind::FolderMissing;
    case ENOTDIR:
        return FileErrorKind::NotAFolder;
    case EROFS:
    case EACCES:
    case EPERM:
        return FileErrorKind::WriteProtected;
    case ENOSPC:
    case EDQUOT:
        return FileErrorKind::MediumFull;
    case ENAMETOOLONG:
        return FileErrorKind::PathTooLong;
    case EWOULDBLOCK:
    case EBUSY:
    case ETXTBSY:
    case EEXIST:
        return FileErrorKind::Busy;
    case EISDIR:
        return FileErrorKind::NotRegularFile;
    case EFBIG:
        return FileErrorKind::FileTooLarge;
    case EIO:
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
    case ENOTCONN: // a FUSE mount whose daemon went away
    case ESTALE:
        return FileErrorKind::MediumRemoved;
    default:
        return FileErrorKind::WriteFailed; // the message adds the system's words
    }
}

FileErrorKind LoadErrorKind(int systemError)
{
    switch (systemError) {
    case ENOENT:
    case ENOTDIR:
        return FileErrorKind::NotFound;
    case EISDIR:
        return FileErrorKind::NotRegularFile;
    case EIO:
    case ENXIO:
    case ENODEV:
        return FileErrorKind::MediumRemoved;
    case ENAMETOOLONG:
        return FileErrorKind::PathTooLong;
    case EBUSY:
    case ETXTBSY:
        return FileErrorKind::Busy;
    default:
        return FileErrorKind::Unreadable;
    }
}

bool IsInterrupted(int systemError)
{
    return systemError == EINTR;
}

bool IsNotFound(int systemError)
{
    return systemError == ENOENT;
}

bool IsAlreadyExists(int systemError)
{
    return systemError == EEXIST;
}

bool IsLockedByOther(int systemError)
{
    return systemError == EWOULDBLOCK;
}

bool IsLockUnsupported(int systemError)
{
    return systemError == ENOLCK || systemError == EINVAL || systemError == ENOTSUP || systemError == ENOSYS;
}

bool IsSymbolicLink(int systemError)
{
    return systemError == ELOOP;
}

bool IsPermissionsUnsupported(int systemError)
{
    return systemError == EPERM || systemError == ENOTSUP || systemError == ENOSYS;
}

int NoProgressError()
{
    return ENOSPC;
}

bool PathFitsPlatform(const QString& path)
{
    const QByteArray bytes = NativeName(path);
    // PATH_MAX counts the terminating NUL.
    if (bytes.size() >= PATH_MAX)
        return false;
    for (const QByteArray& component : bytes.split('/')) {
        if (component.size() > NAME_MAX)
            return false;
    }
    return true;
}

#else // Q_OS_WIN

namespace {

HANDLE Win(FileHandle handle)
{
    return reinterpret_cast<HANDLE>(handle.value);
}

// The folder text is passed as typed: no separator conversion, no long-path
// prefix, as the camera tool always did.
const wchar_t* Wide(const QString& path)
{
    return reinterpret_cast<const wchar_t*>(path.utf16());
}

int Store(HANDLE h, FileHandle& handle)
{
    if (h == INVALID_HANDLE_VALUE)
        return static_cast<int>(GetLastError());
    handle.value = reinterpret_cast<std::intptr_t>(h);
    return 0;
}

int StatusOfHandle(HANDLE h, FileStatus& status)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(h, &info))
        return static_cast<int>(GetLastError());
    const bool folder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    status.type = folder ? PathType::Directory : GetFileType(h) == FILE_TYPE_DISK ? PathType::Regular : PathType::Other;
    status.identity = {info.dwVolumeSerialNumber,
                       (static_cast<quint64>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
    status.writeProtected = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    status.permissions = status.writeProtected ? 0444 : 0666;
    return 0;
}

class WindowsFileOps final : public FileOps {
public:
    int pathType(const QString& path, PathType& type) override
    {
        const DWORD attributes = GetFileAttributesW(Wide(path));
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
                type = PathType::Missing;
                return 0;
            }
            return static_cast<int>(error);
        }
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            type = PathType::Directory;
        else if (attributes & FILE_ATTRIBUTE_DEVICE)
            type = PathType::Other;
        else
            type = PathType::Regular;
        return 0;
    }

    int createExclusive(const QString& path, FileHandle& handle) override
    {
        // FILE_SHARE_DELETE lets the rename replace the target while the
        // scratch handle stays open for the flush after it.
        const int error = Store(CreateFileW(Wide(path), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr),
                                handle);
        // A folder of that name is refused as "access denied", not as taken:
        // it is a leftover in the way, not a write-protected card.
        if (error == ERROR_ACCESS_DENIED && GetFileAttributesW(Wide(path)) != INVALID_FILE_ATTRIBUTES)
            return ERROR_FILE_EXISTS;
        return error;
    }

    int write(FileHandle handle, const char* data, qint64 size, qint64& written) override
    {
        DWORD done = 0;
        const DWORD chunk = static_cast<DWORD>(qMin<qint64>(size, 1 << 30));
        written = 0;
        if (!WriteFile(Win(handle), data, chunk, &done, nullptr))
            return static_cast<int>(GetLastError());
        written = done;
        return 0;
    }

    int syncFile(FileHandle handle) override
    {
        return FlushFileBuffers(Win(handle)) ? 0 : static_cast<int>(GetLastError());
    }

    int close(FileHandle handle) override { return CloseHandle(Win(handle)) ? 0 : static_cast<int>(GetLastError()); }

    int rename(const QString& from, const QString& to) override
    {
        // Write-through: the call returns only once the move is on the medium.
        if (MoveFileExW(Wide(from), Wide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        const DWORD error = GetLastError();
        // A target that another program (or another save) holds open cannot
        // be replaced, and the system says "access denied". A read-only
        // target was refused before the save began and the folder let the
        // scratch file in, so the file is in use, not the card locked.
        if (error == ERROR_ACCESS_DENIED) {
            const DWORD attributes = GetFileAttributesW(Wide(to));
            if (attributes != INVALID_FILE_ATTRIBUTES
                && !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
                return ERROR_SHARING_VIOLATION;
        }
        return static_cast<int>(error);
    }

    int syncFolder(const QString& folder) override
    {
        const HANDLE h = CreateFileW(Wide(folder), GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            // A folder (or a drive root) that refuses a write handle cannot be
            // flushed by us; MOVEFILE_WRITE_THROUGH already waited for the move.
            return error == ERROR_ACCESS_DENIED ? 0 : static_cast<int>(error);
        }
        const int error = FlushFileBuffers(h) ? 0 : static_cast<int>(GetLastError());
        CloseHandle(h);
        return error == ERROR_ACCESS_DENIED || error == ERROR_INVALID_FUNCTION ? 0 : error;
    }

    int remove(const QString& path) override { return DeleteFileW(Wide(path)) ? 0 : static_cast<int>(GetLastError()); }

    int status(const QString& path, FileStatus& status) override
    {
        status = {};
        // No access asked: this opens even a file another program holds open.
        const HANDLE h = CreateFileW(Wide(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : static_cast<int>(error);
        }
        const int error = StatusOfHandle(h, status);
        CloseHandle(h);
        return error;
    }

    int handleStatus(FileHandle handle, FileStatus& status) override
    {
        status = {};
        return StatusOfHandle(Win(handle), status);
    }

    int openExisting(const QString& path, FileHandle& handle) override
    {
        // FILE_SHARE_DELETE so the file can be removed while this handle
        // holds its lock.
        return Store(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                 nullptr),
                     handle);
    }

    int tryLock(FileHandle handle) override
    {
        OVERLAPPED whole{};
        return LockFileEx(Win(handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                          &whole)
                   ? 0
                   : static_cast<int>(GetLastError());
    }

    int setPermissions(FileHandle, quint32) override
    {
        return 0; // a read-only target is refused before the save; nothing else to carry over
    }

    int openForReading(const QString& path, FileHandle& handle) override
    {
        return Store(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr),
                     handle);
    }

    int handleType(FileHandle handle, PathType& type) override
    {
        // A pipe, a console or a serial port would block or misbehave on read.
        if (GetFileType(Win(handle)) != FILE_TYPE_DISK) {
            type = PathType::Other;
            return 0;
        }
        BY_HANDLE_FILE_INFORMATION info{};
        if (!GetFileInformationByHandle(Win(handle), &info))
            return static_cast<int>(GetLastError());
        type = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? PathType::Directory : PathType::Regular;
        return 0;
    }

    int read(FileHandle handle, char* data, qint64 size, qint64& got) override
    {
        DWORD done = 0;
        got = 0;
        if (!ReadFile(Win(handle), data, static_cast<DWORD>(qMin<qint64>(size, 1 << 30)), &done, nullptr))
            return static_cast<int>(GetLastError());
        got = done;
        return 0;
    }
};

} // namespace

FileErrorKind SaveErrorKind(int systemError)
{
    switch (systemError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return FileErrorKind::FolderMissing;
    case ERROR_DIRECTORY:
        return FileErrorKind::NotAFolder;
    case ERROR_WRITE_PROTECT:
    case ERROR_ACCESS_DENIED:
        return FileErrorKind::WriteProtected;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return FileErrorKind::MediumFull;
    case ERROR_FILENAME_EXCED_RANGE:
        return FileErrorKind::PathTooLong;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return FileErrorKind::Busy;
    case ERROR_FILE_TOO_LARGE:
        return FileErrorKind::FileTooLarge;
    case ERROR_NOT_READY:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
    case ERROR_GEN_FAILURE:
        return FileErrorKind::MediumRemoved;
    default:
        return FileErrorKind::WriteFailed; // the message adds the system's words
    }
}

FileErrorKind LoadErrorKind(int systemError)
{
    switch (systemError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return FileErrorKind::NotFound;
    case ERROR_NOT_READY:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
    case ERROR_GEN_FAILURE:
        return FileErrorKind::MediumRemoved;
    case ERROR_FILENAME_EXCED_RANGE:
        return FileErrorKind::PathTooLong;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileErrorKind::Busy;
    default:
        return FileErrorKind::Unreadable;
    }
}

bool IsInterrupted(int)
{
    return false; // Win32 file calls are not interrupted by signals
}

bool IsNotFound(int systemError)
{
    return systemError == ERROR_FILE_NOT_FOUND;
}

bool IsAlreadyExists(int systemError)
{
    return systemError == ERROR_FILE_EXISTS || systemError == ERROR_ALREADY_EXISTS;
}

bool IsLockedByOther(int systemError)
{
    return systemError == ERROR_LOCK_VIOLATION;
}

bool IsLockUnsupported(int systemError)
{
    return systemError == ERROR_NOT_SUPPORTED || systemError == ERROR_INVALID_FUNCTION;
}

bool IsSymbolicLink(int)
{
    return false; // openExisting opens the link itself, which removal then takes away
}

bool IsPermissionsUnsupported(int)
{
    return false;
}

int NoProgressError()
{
    return ERROR_DISK_FULL;
}

bool PathFitsPlatform(const QString& path)
{
    // Without the \\?\ prefix (which would bypass the "folder\name" rule) a
    // path holds at most MAX_PATH UTF-16 units including the terminating NUL.
    if (path.size() >= MAX_PATH)
        return false;
    for (const QString& component : path.split(u'\\')) {
        if (component.size() > 255)
            return false;
    }
    return true;
}

#endif

FileOps& FileOps::real()
{
#ifdef Q_OS_WIN
    static WindowsFileOps ops;
#else
    static PosixFileOps ops;
#endif
    return ops;
}

} // namespace kestra
