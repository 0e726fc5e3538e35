// SPDX-License-Identifier: Apache-2.0
// The file-system calls on Windows: HANDLEs, GetLastError.
#include "storage/FileOps.h"

#include <QDir>
#include <QSet>
#include <QStringList>
#include <QtGlobal>

#include <cstring>
#include <mutex>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace kestra {

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

    int close(FileHandle handle) override
    {
        {
            const std::lock_guard lock(m_uncachedMutex);
            m_uncached.remove(handle.value);
        }
        return CloseHandle(Win(handle)) ? 0 : static_cast<int>(GetLastError());
    }

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
        if (Uncached(handle))
            return ReadUncached(Win(handle), data, size, got);
        DWORD done = 0;
        got = 0;
        if (!ReadFile(Win(handle), data, static_cast<DWORD>(qMin<qint64>(size, 1 << 30)), &done, nullptr))
            return static_cast<int>(GetLastError());
        got = done;
        return 0;
    }

    int dropCachedPages(FileHandle& handle) override
    {
        // Windows drops no single file's cache on request; a handle opened
        // without buffering reads from the medium (after the system has
        // written out what it still held of the file).
        const HANDLE uncached =
            ReOpenFile(Win(handle), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_FLAG_NO_BUFFERING);
        if (uncached == INVALID_HANDLE_VALUE)
            return static_cast<int>(GetLastError());
        CloseHandle(Win(handle));
        handle.value = reinterpret_cast<std::intptr_t>(uncached);
        const std::lock_guard lock(m_uncachedMutex);
        m_uncached.insert(handle.value);
        return 0;
    }

private:
    bool Uncached(FileHandle handle)
    {
        const std::lock_guard lock(m_uncachedMutex);
        return m_uncached.contains(handle.value);
    }

    // A handle without buffering reads whole sectors into sector-aligned
    // memory from a sector-aligned offset: read the sectors around the wanted
    // bytes into a page (aligned for any sector size up to one page) and copy
    // the wanted part out, moving the file position as a plain read would.
    static int ReadUncached(HANDLE h, char* data, qint64 size, qint64& got)
    {
        constexpr qint64 kAlign = 4096;
        got = 0;
        LARGE_INTEGER position{};
        if (!SetFilePointerEx(h, LARGE_INTEGER{}, &position, FILE_CURRENT))
            return static_cast<int>(GetLastError());
        const qint64 wanted = qMin<qint64>(size, 1 << 20);
        const qint64 start = position.QuadPart & ~(kAlign - 1);
        const qint64 length = ((position.QuadPart + wanted + kAlign - 1) & ~(kAlign - 1)) - start;
        void* buffer = VirtualAlloc(nullptr, static_cast<SIZE_T>(length), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (buffer == nullptr)
            return static_cast<int>(GetLastError());
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(start & 0xFFFFFFFF);
        at.OffsetHigh = static_cast<DWORD>(start >> 32);
        DWORD done = 0;
        int error = 0;
        if (!ReadFile(h, buffer, static_cast<DWORD>(length), &done, &at)) {
            error = static_cast<int>(GetLastError());
            if (error == ERROR_HANDLE_EOF)
                error = 0; // nothing past the end
            done = 0;
        }
        if (!error) {
            const qint64 available = start + static_cast<qint64>(done) - position.QuadPart;
            got = qBound<qint64>(0, available, wanted);
            if (got > 0)
                std::memcpy(data, static_cast<const char*>(buffer) + (position.QuadPart - start),
                            static_cast<std::size_t>(got));
            LARGE_INTEGER next{};
            next.QuadPart = position.QuadPart + got;
            if (!SetFilePointerEx(h, next, nullptr, FILE_BEGIN))
                error = static_cast<int>(GetLastError());
        }
        VirtualFree(buffer, 0, MEM_RELEASE);
        return error;
    }

    std::mutex m_uncachedMutex;
    QSet<std::intptr_t> m_uncached;
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

QStringList FolderEntryNames(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
}

FileOps& FileOps::real()
{
    static WindowsFileOps ops;
    return ops;
}

} // namespace kestra
