// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace kestra {

// Why saving or loading a settings file failed, in terms a user can act on.
enum class FileErrorKind {
    FolderMissing,  // the folder (or the card) is not there
    WriteProtected, // read-only medium, locked card or no permission
    MediumFull,     // no space left
    FileTooLarge,   // the file would pass a file-size limit of the medium or of this process
    WriteFailed,    // any other refusal of the system; the message carries its words
    MediumRemoved,  // the medium went away or reported an I/O error
    PathTooLong,    // folder plus file name exceed the platform's limit
    NotAFolder,     // the folder path names a file
    Busy,           // the file is in use by another program, or another save of it is under way
    NotRegularFile, // a load picked a folder, a FIFO or a device
    NotFound,       // a load picked a file that does not exist
    Unreadable,     // a load could not read the file
    NotConfirmed,   // the new file is in place but could not be flushed
    ScratchLeft,    // the save failed and its scratch file could not be removed; without a
                    // cause: an earlier save's scratch file is in the way
};

// Whether the failure happened while saving or while loading; the same kind
// reads differently ("cannot be written" or "cannot be read").
enum class FileAction { Save, Load };

struct FileError {
    FileErrorKind kind;
    QString path;        // the file (or folder) the failure concerns
    int systemError = 0; // errno (or GetLastError on Windows), 0 if none
    FileAction action = FileAction::Save;
    // NotConfirmed: what the failed flush reported. ScratchLeft: why the save
    // gave up before its scratch file could not be removed; systemError is
    // then the removal's error and causeError the first one. A ScratchLeft
    // without a cause stopped the save before it began.
    std::optional<FileErrorKind> cause = std::nullopt;
    int causeError = 0;
    QString scratchPath = {}; // ScratchLeft: the file left behind

    // One or two sentences for the message box, naming the path; Chinese when
    // `chinese` is set, English otherwise.
    QString message(bool chinese = false) const;
};

// The outcome of a save: nothing on success.
struct SaveResult {
    std::optional<FileError> error;
    bool ok() const { return !error.has_value(); }
};

// The outcome of a load: the bytes read (at most kMaxSettingsFileRead) or why not.
struct ReadResult {
    QByteArray bytes;
    std::optional<FileError> error;
    bool truncated = false; // the file is longer than kMaxSettingsFileRead
    // A read asked of the medium that the system could only serve from its
    // cache: the system's error code, else 0.
    int cacheError = 0;
    bool ok() const { return !error.has_value(); }
};

// The outcome of reading and decoding a settings file: what it holds, or why
// it could not be read.
template <typename Values> struct LoadResult {
    Values values;
    std::optional<FileError> error;
    bool ok() const { return !error.has_value(); }
};

// Settings files are a few hundred bytes; a loader reads no more than this.
inline constexpr qsizetype kMaxSettingsFileRead = 64 * 1024;

} // namespace kestra
