// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "storage/FileResult.h"
#include "storage/SettingsFinding.h"

#include <QByteArrayView>
#include <QString>

namespace kestra {

class FileOps;

// The path of a settings file: the folder text, the platform separator and the
// name, with no normalisation ("C:\" gives "C:\\camera.dat" on Windows, as the
// camera tool always did).
QString SettingsFilePath(const QString& folder, const QString& fileName);

// The scratch file a save of `fileName` stages its bytes in, in the same
// folder: the name's stem in capitals, cut to eight characters, with the
// extension "KS~" ("camera.dat" gives "CAMERA.KS~"). A short 8.3 name keeps
// FAT from adding a long-name entry; one fixed name per target means a save
// removes only its own leftover, never anything found by a pattern.
QString ScratchFileName(const QString& fileName);

// Replaces (or creates) `fileName` in `folder` with `bytes` atomically: either
// the whole new file is in place and flushed, or the old one is untouched and
// no scratch file remains. A file without write permission is kept; a
// replaced file keeps its permission bits. Another save of the same file
// under way (its scratch file is locked) makes this one fail as Busy, and so
// does a file renamed over this save's before it could report success.
// The file is written under `fileName` as given, and an old file of the name
// in another case ("GPRS.DAT") is replaced too: it goes once the new file is
// in place, so a folder that tells case apart never holds both.
// `ops` defaults to the real file system.
SaveResult SaveSettingsFile(const QString& folder, const QString& fileName, QByteArrayView bytes);

// Who flushes the folder once a save has renamed its file into place, so that
// the new name survives a pulled card: the save itself, or its caller, which
// saves several files into one folder and flushes it once after the last
// (FlushSettingsFolder). Until then a file saved is in place but not confirmed.
enum class FolderFlush { BySave, ByCaller };
SaveResult SaveSettingsFile(const QString& folder, const QString& fileName, QByteArrayView bytes, FileOps& ops,
                            FolderFlush flush = FolderFlush::BySave);
// What a failed flush after the rename (FileOps::syncFolder, say) means for
// the file saved as `target`: the new file is in place but not confirmed.
FileError NotConfirmedError(const QString& target, int systemError);

// Reads a settings file the user picked: refuses what is not a regular file,
// never blocks on a FIFO, reads at most kMaxSettingsFileRead bytes.
ReadResult ReadSettingsFile(const QString& path);
ReadResult ReadSettingsFile(const QString& path, FileOps& ops);
// As above, for the check after a save: the bytes come from the medium, not
// from what the system still holds of the file in memory, so a card that did
// not keep them fails. Where the system cannot read past its cache the bytes
// are still read, and cacheError says why they may be the cache's.
ReadResult ReadSettingsFileFromMedium(const QString& path, FileOps& ops);

// Reads the file at `path` as above and decodes its bytes with `parse`.
template <typename Parse>
auto ReadSettingsFileWith(const QString& path, Parse parse) -> LoadResult<decltype(parse(QByteArrayView()))>
{
    ReadResult read = ReadSettingsFile(path);
    if (!read.ok())
        return {{}, read.error};
    return {parse(read.bytes), std::nullopt};
}

// As above, for values with `findings`: a file that is not `expectedSize`
// bytes long (or longer than the read limit) gets a FileSize finding first.
template <typename Parse>
auto ReadSettingsFileWith(const QString& path, qsizetype expectedSize, Parse parse)
    -> LoadResult<decltype(parse(QByteArrayView()))>
{
    ReadResult read = ReadSettingsFile(path);
    if (!read.ok())
        return {{}, read.error};
    auto values = parse(read.bytes);
    SettingsFindings size;
    CheckFileSize(size, read.bytes.size(), read.truncated, expectedSize);
    values.findings.insert(values.findings.begin(), size.begin(), size.end());
    return {std::move(values), std::nullopt};
}

} // namespace kestra
