// SPDX-License-Identifier: Apache-2.0
#include "storage/SettingsFileIo.h"

#include "storage/FileOps.h"

namespace kestra {

namespace {

#ifdef Q_OS_WIN
constexpr QChar kSeparator = u'\\';
#else
constexpr QChar kSeparator = u'/';
#endif

FileError Error(FileErrorKind kind, const QString& path, int systemError = 0)
{
    FileError error{kind, path, systemError};
    return error;
}

SaveResult Failed(FileError error)
{
    return SaveResult{std::move(error)};
}

ReadResult LoadFailed(FileErrorKind kind, const QString& path, int systemError = 0)
{
    ReadResult result;
    result.error = Error(kind, path, systemError);
    result.error->action = FileAction::Load;
    return result;
}

// One save of one file. Its scratch file is created, locked and then written;
// the lock is what tells a live scratch file from one a dead save left behind,
// so it is held until the file is renamed or removed. Before the rename a
// failure abandons the scratch file and the old file never changed; after it
// the new file is in place and a failure only means it is not confirmed.
class AtomicSave {
public:
    AtomicSave(FileOps& ops, const QString& folder, const QString& target, const QString& scratch,
               std::optional<quint32> keepPermissions, FolderFlush flush)
        : m_ops(ops), m_folder(folder), m_target(target), m_scratch(scratch), m_keepPermissions(keepPermissions),
          m_flush(flush)
    {
    }

    SaveResult run(QByteArrayView bytes)
    {
        if (std::optional<FileError> error = openScratch())
            return Failed(*error);

        if (const int error = writeAll(bytes))
            return abandon(error);
        if (const int error = carryPermissions())
            return abandon(error);
        // A flush that failed is never repeated: the kernel may already have
        // dropped the dirty pages, so a second call could succeed falsely.
        if (const int error = m_ops.syncFile(m_handle))
            return abandon(error);
        // The name is renamed, not the handle: make sure it is still ours.
        FileStatus named;
        if (const int error = m_ops.identity(m_scratch, named))
            return abandon(error);
        if (named.type != PathType::Regular || named.identity != m_identity) {
            m_ops.close(m_handle); // someone else's file is under the name: leave it
            return Failed(Error(FileErrorKind::Busy, m_target));
        }
        if (const int error = m_ops.rename(m_scratch, m_target))
            return abandon(error);

        // Success means the file in place is the one written and flushed here,
        // not one another save renamed over it since. It is looked at while
        // still open: FAT numbers a file anew once it leaves the cache.
        FileStatus placed;
        const int placedError = m_ops.identity(m_target, placed);
        const int closeError = m_ops.close(m_handle);
        if (placedError)
            return Failed(NotConfirmedError(m_target, placedError));
        if (closeError)
            return Failed(NotConfirmedError(m_target, closeError));
        if (placed.type != PathType::Regular || placed.identity != m_identity)
            return Failed(Error(FileErrorKind::Busy, m_target));
        // The data went to the medium before the rename; what the rename
        // changed is the folder's: its entry names the file and, on FAT, holds
        // the file's size and first cluster, copied from the file flushed
        // above. Flushing the folder puts the new entry on the medium.
        if (m_flush == FolderFlush::BySave) {
            if (const int error = m_ops.syncFolder(m_folder))
                return Failed(NotConfirmedError(m_target, error));
        }
        return {};
    }

private:
    // A scratch file found under the name is removed only once its lock is
    // ours: a save in progress holds it, a save that died (power, pulled
    // card) does not. A few rounds cover a name that changes hands meanwhile.
    std::optional<FileError> openScratch()
    {
        for (int round = 0; round < 3; ++round) {
            const int error = m_ops.createExclusive(m_scratch, m_handle);
            if (!error)
                return lockOwnScratch();
            if (!IsAlreadyExists(error))
                return stepError(error);
            if (std::optional<FileError> stale = removeStaleScratch())
                return stale;
        }
        return Error(FileErrorKind::Busy, m_target);
    }

    std::optional<FileError> lockOwnScratch()
    {
        if (const int error = m_ops.tryLock(m_handle); error && !IsLockUnsupported(error)) {
            // A share without locks still saves: the checks of the names
            // below and after the rename keep it truthful there.
            if (!IsLockedByOther(error))
                return abandon(error).error;
            // Another save took the new file for a stale one and is removing it.
            m_ops.close(m_handle);
            return Error(FileErrorKind::Busy, m_target);
        }
        FileStatus mine;
        FileStatus named;
        if (const int error = m_ops.handleStatus(m_handle, mine))
            return abandon(error).error;
        if (const int error = m_ops.identity(m_scratch, named))
            return abandon(error).error;
        if (named.type != PathType::Regular || named.identity != mine.identity) {
            // Removed before the lock was taken; whatever is there now is not ours.
            m_ops.close(m_handle);
            return Error(FileErrorKind::Busy, m_target);
        }
        m_identity = mine.identity;
        m_createdPermissions = mine.permissions;
        return std::nullopt;
    }

    // Nothing when the name is free again (or went away by itself).
    std::optional<FileError> removeStaleScratch()
    {
        FileHandle old;
        if (const int error = m_ops.openExisting(m_scratch, old)) {
            if (IsNotFound(error))
                return std::nullopt;
            // No save leaves a symbolic link: only the link is removed.
            if (IsSymbolicLink(error))
                return removeByName();
            return staleError(error);
        }
        FileStatus found;
        if (const int error = m_ops.handleStatus(old, found)) {
            m_ops.close(old);
            return staleError(error);
        }
        if (found.type != PathType::Regular) {
            // A folder, a FIFO or a device: no save of ours made it, and the
            // user has to clear it away whatever the system's reason.
            m_ops.close(old);
            return removeByName(/*foreign=*/true);
        }
        if (const int error = m_ops.tryLock(old)) {
            m_ops.close(old);
            return IsLockedByOther(error) ? std::optional(Error(FileErrorKind::Busy, m_target)) : staleError(error);
        }
        // The lock is on the file opened; the name may have moved on since.
        FileStatus named;
        if (const int error = m_ops.status(m_scratch, named)) {
            m_ops.close(old);
            return staleError(error);
        }
        if (named.type != PathType::Regular || named.identity != found.identity) {
            m_ops.close(old);
            return std::nullopt;
        }
        // Removed while the lock is held, so no save can have claimed the name.
        std::optional<FileError> result = removeByName();
        m_ops.close(old);
        return result;
    }

    std::optional<FileError> removeByName(bool foreign = false)
    {
        const int error = m_ops.remove(m_scratch);
        if (!error || IsNotFound(error))
            return std::nullopt;
        return foreign ? scratchLeft(error) : staleError(error);
    }

    // A card that refuses the removal says why in its own words; anything else
    // points at the leftover, named after the file the user saved.
    FileError staleError(int error) const
    {
        const FileErrorKind kind = SaveErrorKind(error);
        if (kind == FileErrorKind::WriteProtected || kind == FileErrorKind::MediumRemoved
            || kind == FileErrorKind::FolderMissing || kind == FileErrorKind::NotAFolder || kind == FileErrorKind::Busy)
            return stepError(error);
        return scratchLeft(error);
    }

    FileError scratchLeft(int error) const
    {
        FileError left = Error(FileErrorKind::ScratchLeft, m_target, error);
        left.scratchPath = m_scratch;
        return left;
    }

    // The old file's permission bits go to the new one; a new file keeps what
    // the user's umask gave it.
    int carryPermissions()
    {
        if (!m_keepPermissions || *m_keepPermissions == m_createdPermissions)
            return 0;
        const int error = m_ops.setPermissions(m_handle, *m_keepPermissions);
        return IsPermissionsUnsupported(error) ? 0 : error;
    }

    int writeAll(QByteArrayView bytes)
    {
        const char* data = bytes.data();
        qint64 left = bytes.size();
        while (left > 0) {
            qint64 written = 0;
            const int error = m_ops.write(m_handle, data, left, written);
            if (IsInterrupted(error))
                continue;
            if (error)
                return error;
            // A write that moves nothing would loop forever; one that claims
            // more than asked is a broken file system. Both end the save.
            if (written <= 0 || written > left)
                return NoProgressError();
            data += written;
            left -= written;
        }
        return 0;
    }

    // Removes the scratch file while its lock is still held: once the lock
    // goes, the name may belong to another save.
    SaveResult abandon(int error)
    {
        const int removeError = m_ops.remove(m_scratch);
        m_ops.close(m_handle); // the save has failed already; its own error says why
        if (removeError && !IsNotFound(removeError)) {
            FileError left = Error(FileErrorKind::ScratchLeft, m_target, removeError);
            left.cause = SaveErrorKind(error);
            left.causeError = error;
            left.scratchPath = m_scratch;
            return Failed(left);
        }
        return Failed(stepError(error));
    }

    // A folder that went away mid-save is named as the folder, anything else
    // as the file being saved.
    FileError stepError(int error) const
    {
        const FileErrorKind kind = SaveErrorKind(error);
        const bool aboutFolder = kind == FileErrorKind::FolderMissing || kind == FileErrorKind::NotAFolder;
        return Error(kind, aboutFolder ? m_folder : m_target, error);
    }

    FileOps& m_ops;
    const QString& m_folder;
    const QString& m_target;
    const QString& m_scratch;
    const std::optional<quint32> m_keepPermissions;
    const FolderFlush m_flush;
    FileHandle m_handle;
    FileIdentity m_identity;
    quint32 m_createdPermissions = 0;
};

// The entries of `folder` that name `fileName` in another case ("GPRS.DAT"
// for "gprs.dat"). FAT matches names without case, so a card holds one of
// them at most, and it may be the very file the name finds; a folder that
// tells case apart could hold both, and a reader might take either.
QStringList OtherCaseNames(const QString& folder, const QString& fileName)
{
    QStringList names;
    for (const QString& name : FolderEntryNames(folder)) {
        if (name != fileName && name.compare(fileName, Qt::CaseInsensitive) == 0)
            names << name;
    }
    return names;
}

bool IsAsciiAlnum(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

} // namespace

QString SettingsFilePath(const QString& folder, const QString& fileName)
{
    return folder + kSeparator + fileName;
}

QString ScratchFileName(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString stem = (dot < 0 ? fileName : fileName.left(dot)).toUpper();
    QString name;
    for (QChar c : stem) {
        if (name.size() == 8)
            break;
        name += IsAsciiAlnum(c) ? c : u'_';
    }
    if (name.isEmpty())
        name = QStringLiteral("KESTRA");
    // A target that itself carries the scratch extension must not be its own
    // scratch file (FAT compares names without case).
    QString scratch = name + QStringLiteral(".KS~");
    if (scratch.compare(fileName, Qt::CaseInsensitive) == 0)
        return name + QStringLiteral(".KT~");
    return scratch;
}

SaveResult SaveSettingsFile(const QString& folder, const QString& fileName, QByteArrayView bytes)
{
    return SaveSettingsFile(folder, fileName, bytes, FileOps::real());
}

SaveResult SaveSettingsFile(const QString& folder, const QString& fileName, QByteArrayView bytes, FileOps& ops,
                            FolderFlush flush)
{
    const QString target = SettingsFilePath(folder, fileName);
    // An empty folder text would land the file in the root of the system
    // drive; a NUL would cut the path short where the system reads it.
    if (folder.isEmpty() || folder.contains(QChar(0)))
        return Failed(Error(FileErrorKind::FolderMissing, folder));
    if (fileName.isEmpty() || fileName.contains(QChar(0)) || fileName.contains(u'/') || fileName.contains(kSeparator))
        return Failed(Error(FileErrorKind::NotRegularFile, target));

    const QString scratch = SettingsFilePath(folder, ScratchFileName(fileName));
    if (!PathFitsPlatform(target) || !PathFitsPlatform(scratch))
        return Failed(Error(FileErrorKind::PathTooLong, target));

    PathType type = PathType::Missing;
    if (const int error = ops.pathType(folder, type))
        return Failed(Error(SaveErrorKind(error), folder, error));
    if (type == PathType::Missing)
        return Failed(Error(FileErrorKind::FolderMissing, folder));
    if (type != PathType::Directory)
        return Failed(Error(FileErrorKind::NotAFolder, folder));

    FileStatus existing;
    if (const int error = ops.status(target, existing))
        return Failed(Error(SaveErrorKind(error), target, error));
    if (existing.type == PathType::Directory || existing.type == PathType::Other)
        return Failed(Error(FileErrorKind::NotRegularFile, target));
    // A file the user may not change is kept, as a plain open for writing
    // would have refused it; the rename alone would replace it regardless.
    if (existing.type == PathType::Regular && existing.writeProtected)
        return Failed(Error(FileErrorKind::WriteProtected, target));

    std::optional<quint32> keepPermissions;
    if (existing.type == PathType::Regular)
        keepPermissions = existing.permissions;

    // An old file of the name in another case is replaced as well: the new
    // file has the name asked for, and never stands beside an old twin.
    QStringList twins;
    for (const QString& name : OtherCaseNames(folder, fileName)) {
        const QString path = SettingsFilePath(folder, name);
        FileStatus twin;
        if (const int error = ops.status(path, twin))
            return Failed(Error(SaveErrorKind(error), path, error));
        if (twin.type != PathType::Regular
            || (existing.type == PathType::Regular && twin.identity == existing.identity))
            continue; // not a file of ours, or the same file under the other case
        if (twin.writeProtected)
            return Failed(Error(FileErrorKind::WriteProtected, path));
        keepPermissions = keepPermissions.value_or(twin.permissions);
        twins << name;
    }

    SaveResult saved = AtomicSave(ops, folder, target, scratch, keepPermissions, flush).run(bytes);
    if (!saved.ok() || twins.isEmpty())
        return saved;
    // Only a folder that lists the new name and the old one side by side
    // holds two files. FAT lists one entry under one name, and a file system
    // in user space may number one file anew on every look, so the listing
    // decides, never the file numbers.
    const QStringList now = FolderEntryNames(folder);
    if (!now.contains(fileName))
        return saved;
    for (const QString& name : twins) {
        if (!now.contains(name))
            continue;
        const QString path = SettingsFilePath(folder, name);
        if (const int error = ops.remove(path); error && !IsNotFound(error))
            return Failed(Error(SaveErrorKind(error), path, error));
    }
    if (flush == FolderFlush::BySave) {
        if (const int error = ops.syncFolder(folder))
            return Failed(NotConfirmedError(target, error));
    }
    return saved;
}

FileError NotConfirmedError(const QString& target, int systemError)
{
    FileError unconfirmed = Error(FileErrorKind::NotConfirmed, target, systemError);
    unconfirmed.cause = SaveErrorKind(systemError);
    unconfirmed.causeError = systemError;
    return unconfirmed;
}

ReadResult ReadSettingsFile(const QString& path)
{
    return ReadSettingsFile(path, FileOps::real());
}

namespace {

ReadResult ReadSettingsFileVia(const QString& path, FileOps& ops, bool fromMedium)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        return LoadFailed(FileErrorKind::NotFound, path);
    if (!PathFitsPlatform(path))
        return LoadFailed(FileErrorKind::PathTooLong, path);

    PathType type = PathType::Missing;
    if (const int error = ops.pathType(path, type))
        return LoadFailed(LoadErrorKind(error), path, error);
    if (type == PathType::Missing)
        return LoadFailed(FileErrorKind::NotFound, path);
    if (type != PathType::Regular)
        return LoadFailed(FileErrorKind::NotRegularFile, path);

    FileHandle handle;
    if (const int error = ops.openForReading(path, handle))
        return LoadFailed(LoadErrorKind(error), path, error);
    // The path may have been swapped for a FIFO or a folder since it was looked at.
    if (const int error = ops.handleType(handle, type); error || type != PathType::Regular) {
        ops.close(handle);
        return error ? LoadFailed(LoadErrorKind(error), path, error) : LoadFailed(FileErrorKind::NotRegularFile, path);
    }

    ReadResult result;
    if (fromMedium)
        result.cacheError = ops.dropCachedPages(handle);
    // One byte past the limit tells a file of exactly 64 KiB from a longer one.
    result.bytes.resize(kMaxSettingsFileRead + 1);
    qint64 total = 0;
    while (total < result.bytes.size()) {
        qint64 got = 0;
        const int error = ops.read(handle, result.bytes.data() + total, result.bytes.size() - total, got);
        if (IsInterrupted(error))
            continue;
        if (error) {
            ops.close(handle);
            return LoadFailed(LoadErrorKind(error), path, error);
        }
        if (got <= 0)
            break;
        total += qMin(got, result.bytes.size() - total);
    }
    ops.close(handle); // nothing was written, so a failed close loses nothing
    result.truncated = total > kMaxSettingsFileRead;
    result.bytes.truncate(qMin<qint64>(total, kMaxSettingsFileRead));
    return result;
}

} // namespace

ReadResult ReadSettingsFile(const QString& path, FileOps& ops)
{
    return ReadSettingsFileVia(path, ops, false);
}

ReadResult ReadSettingsFileFromMedium(const QString& path, FileOps& ops)
{
    return ReadSettingsFileVia(path, ops, true);
}

} // namespace kestra
