// SPDX-License-Identifier: Apache-2.0
// The file-system calls on POSIX systems (Linux, macOS): descriptors, errno.
#include "storage/FileOps.h"

#include <QFile>
#include <QStringList>
#include <QtGlobal>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kestra {

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

#ifdef POSIX_FADV_DONTNEED
// Writes the file's dirty pages to the medium and waits for them, without
// flushing its metadata or the drive's cache.
int WriteOutDirtyPages(int fd)
{
#ifdef Q_OS_LINUX
    const unsigned flags = SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER;
    return ::sync_file_range(fd, 0, 0, flags) == 0 ? 0 : errno;
#else
    return SyncDescriptor(fd);
#endif
}

// Whether any page of the file is still in the system's memory, asked of the
// file's pages through a mapping that touches none of them.
int PagesStillInMemory(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return errno;
    if (st.st_size <= 0)
        return 0;
    const auto size = static_cast<size_t>(st.st_size);
    void* map = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
    if (map == MAP_FAILED)
        return errno;
    const auto page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    std::vector<unsigned char> resident((size + page - 1) / page);
    const int error = ::mincore(map, size, resident.data()) == 0 ? 0 : errno;
    ::munmap(map, size);
    if (error)
        return error;
    const bool kept = std::any_of(resident.begin(), resident.end(), [](unsigned char p) { return (p & 1) != 0; });
    return kept ? kPagesKeptInMemory : 0;
}
#endif

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

    int identity(const QString& path, FileStatus& status) override
    {
        struct stat st {};
        status = {};
        if (::stat(NativeName(path).constData(), &st) != 0)
            return errno == ENOENT ? 0 : errno;
        FillStatus(st, status);
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

    int dropCachedPages(FileHandle& handle) override
    {
#ifdef POSIX_FADV_DONTNEED
        // Only clean pages are dropped: write out what is still dirty first.
        // After a save, which flushed the file, there is nothing; unlike
        // another fsync this asks the drive for nothing then.
        if (const int error = WriteOutDirtyPages(Fd(handle)))
            return error;
        if (const int error = ::posix_fadvise(Fd(handle), 0, 0, POSIX_FADV_DONTNEED)) // the error itself, not -1
            return error;
        // The call succeeds on file systems that drop nothing (tmpfs): only
        // pages confirmed gone make the reads that follow the medium's.
        return PagesStillInMemory(Fd(handle));
#else
        Q_UNUSED(handle);
        return ENOTSUP;
#endif
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
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf('/', start);
        if (end < 0)
            end = bytes.size();
        if (end - start > NAME_MAX)
            return false;
        start = end + 1;
    }
    return true;
}

QStringList FolderEntryNames(const QString& folder)
{
    const QByteArray name = NativeName(folder);
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY;
#ifdef O_NOATIME
    // Only the folder's owner (or root) may ask for it; anyone else lists the
    // folder as any reader does.
    int fd = ::open(name.constData(), flags | O_NOATIME);
    if (fd < 0 && errno == EPERM)
        fd = ::open(name.constData(), flags);
#else
    const int fd = ::open(name.constData(), flags);
#endif
    QStringList names;
    if (fd < 0)
        return names;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const char* entryName = entry->d_name;
        if (std::strcmp(entryName, ".") != 0 && std::strcmp(entryName, "..") != 0)
            names << QFile::decodeName(entryName);
    }
    ::closedir(dir); // closes fd as well
    return names;
}

FileOps& FileOps::real()
{
    static PosixFileOps ops;
    return ops;
}

} // namespace kestra
