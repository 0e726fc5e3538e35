// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "storage/FileResult.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace kestra {

// What is wrong with a settings record or with the bytes of a settings file.
enum class FindingKind {
    FileSize,       // the file is not the size the camera expects
    LineEnd,        // a block does not end in CR LF
    Checksum,       // the stored checksum does not match the bytes
    Reserved,       // a byte the format keeps fixed (zero, 1, ...) holds something else
    OutOfRange,     // a number outside its range (pictures per day, language code)
    ListPosition,   // a stored list position that names no entry of its list
    Clock,          // a clock field that is no valid date or time
    CatalogueIndex, // a country or operator index outside the catalogue
    Mode,           // the mode flag and the codes that go with it disagree
    TextLength,     // a text longer than its field allows
    TextClipped,    // a length byte pointing past the block's text area
    UserName,       // gprs.dat's user name block does not match the sender address
};

// One finding: which field (or block) and where, with values for the message.
struct SettingsFinding {
    FindingKind kind;
    QString field;          // record field ("url", "clockMonth") or block ("block 11")
    qsizetype offset = -1;  // file offset of the first byte concerned, -1 for a record
    long long value = 0;    // what was found (a byte, a length, a checksum)
    long long expected = 0; // the limit or the value wanted, where one applies

    // One sentence naming the field and the values; Chinese when `chinese` is set.
    QString message(bool chinese = false) const;
};

using SettingsFindings = std::vector<SettingsFinding>;

// The outcome of writing a settings record: refused before any file was touched
// (a text longer than its field, a value outside its range, an index outside the
// catalogue; the camera would misread such a file), or the outcome of the save.
struct RecordSaveResult {
    std::optional<SettingsFinding> refused;
    SaveResult save;

    bool ok() const { return !refused && save.ok(); }
    // Empty on success.
    QString message(bool chinese = false) const;
};

// Adds a finding to `findings` when `value` lies outside `low`..`high`.
void CheckRange(SettingsFindings& findings, FindingKind kind, const QString& field, qsizetype offset, long long value,
                long long low, long long high);
// Adds a FileSize finding when a file read as `size` bytes is not `expected`
// bytes long; `truncated`: the file goes on past kMaxSettingsFileRead.
void CheckFileSize(SettingsFindings& findings, qsizetype size, bool truncated, qsizetype expected);
// Adds a TextLength finding when `text` is longer than `limit` bytes.
void CheckTextLength(SettingsFindings& findings, const QString& field, qsizetype offset, const QByteArray& text,
                     qsizetype limit);

// The SMS control list shared by the MMS, SMTP and SMS windows: 0 on, 1 every
// 5 minutes, 2 every 30 minutes, 3 every hour, 4 every 2 hours, 5 off.
inline constexpr int kSmsControlCount = 6;
inline constexpr int kSmsControlOff = 5;
// Pictures per day are stored as two decimal digits; 0 means no limit.
inline constexpr int kMaxPicturesPerDay = 99;
// The language byte of every settings file (CameraLanguageCode): 1 to 11.
inline constexpr int kMinLanguageCode = 1;
inline constexpr int kMaxLanguageCode = 11;

} // namespace kestra
