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

// The steps of one save once its scratch file is open. Before the rename a
// failure abandons the scratch file and the old file never changed; after it
// the new file is in place and a failure only means it is not confirmed.
class AtomicSave {
public:
    AtomicSave(FileOps& ops, const QString& folder, const QString& target, const QString& scratch)
        : m_ops(ops), m_folder(folder), m_target(target), m_scratch(scratch)
    {
    }

    SaveResult run(QByteArrayView bytes)
    {
        if (const int error = m_ops.createExclusive(m_scratch, m_handle))
            return Failed(stepError(error));

        if (const int error = writeAll(bytes))
            return abandon(error);
        // A flush that failed is never repeated: the kernel may already have
        // dropped the dirty pages, so a second call could succeed falsely.
        if (const int error = m_ops.syncFile(m_handle))
            return abandon(error);
        if (const int error = m_ops.rename(m_scratch, m_target))
            return abandon(error);

        // FAT keeps a file's size and first cluster in its folder entry, which
        // the rename rewrote: flush the file once more, then the folder.
        const int syncError = m_ops.syncFile(m_handle);
        const int closeError = m_ops.close(m_handle);
        if (syncError)
            return notConfirmed(syncError);
        if (closeError)
            return notConfirmed(closeError);
        if (const int error = m_ops.syncFolder(m_folder))
            return notConfirmed(error);
        return {};
    }

private:
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

    SaveResult abandon(int error)
    {
        m_ops.close(m_handle); // the save has failed already; its own error says why
        const int removeError = m_ops.remove(m_scratch);
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

    SaveResult notConfirmed(int error)
    {
        FileError unconfirmed = Error(FileErrorKind::NotConfirmed, m_target, error);
        unconfirmed.cause = SaveErrorKind(error);
        unconfirmed.causeError = error;
        return Failed(unconfirmed);
    }

    FileOps& m_ops;
    const QString& m_folder;
    const QString& m_target;
    const QString& m_scratch;
    FileHandle m_handle;
};

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
    const QString scratch = name + QStringLiteral(".KS~");
    if (scratch.compare(fileName, Qt::CaseInsensitive) == 0)
        return name + QStringLiteral(".KT~");
    return scratch;
}

SaveResult SaveSettingsFile(const QString& folder, const QString& fileName, QByteArrayView bytes)
{
    return SaveSettingsFile(folder, fileName, bytes, FileOps::real());
}

SaveResult SaveSettingsFile(const QString& folder, const QString& fileName, QByteArrayView bytes, FileOps& ops)
{
    const QString target = SettingsFilePath(folder, fileName);
    // An empty folder text would land the file in the root of the system
    // drive; a NUL would cut the path short where the system reads it.
    if (folder.isEmpty() || folder.contains(QChar(0)))
        return Failed(Error(FileErrorKind::FolderMissing, folder));
    if (fileName.isEmpty() || fileName.contains(QChar(0)) || fileName.contains(u'/')
        || fileName.contains(kSeparator))
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

    if (const int error = ops.pathType(target, type))
        return Failed(Error(SaveErrorKind(error), target, error));
    if (type == PathType::Directory || type == PathType::Other)
        return Failed(Error(FileErrorKind::NotRegularFile, target));

    // A save that died (power, pulled card) leaves its scratch file behind;
    // only that exact name is removed.
    if (const int error = ops.remove(scratch); error && !IsNotFound(error))
        return Failed(Error(SaveErrorKind(error), scratch, error));

    return AtomicSave(ops, folder, target, scratch).run(bytes);
}

ReadResult ReadSettingsFile(const QString& path)
{
    return ReadSettingsFile(path, FileOps::real());
}

ReadResult ReadSettingsFile(const QString& path, FileOps& ops)
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
        return error ? LoadFailed(LoadErrorKind(error), path, error)
                     : LoadFailed(FileErrorKind::NotRegularFile, path);
    }

    // One byte past the limit tells a file of exactly 64 KiB from a longer one.
    ReadResult result;
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

} // namespace kestra
