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
    FileSize,         // the file is not the size the camera expects
    LineEnd,          // a block does not end in CR LF
    Checksum,         // the stored checksum does not match the bytes
    Reserved,         // a byte the format keeps fixed (zero, 1, ...) holds something else
    OutOfRange,       // a number outside its range (pictures per day, language code)
    ListPosition,     // a stored list position that names no entry of its list
    Clock,            // a clock field that is no valid date or time
    CatalogueIndex,   // a country or operator index outside the catalogue
    Mode,             // the mode flag and the codes that go with it disagree
    TextLength,       // a text longer than its field allows
    TextClipped,      // a length byte pointing past the block's text area
    UserName,         // gprs.dat's user name block does not match the sender address
    ControlCharacter, // a text holds a control character (the byte is the value)
    PortNumber,       // a port that is no number 1 to 65535 (the highest is the expected value)
    Ipv4Address,      // a gateway that is no IPv4 address
    MailboxName,      // a sender address with no name before its "@"
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

// Adds a finding to `findings` when `value` lies outside `low`..`high`.
void CheckRange(SettingsFindings& findings, FindingKind kind, const QString& field, qsizetype offset, long long value,
                long long low, long long high);
// The same for a field named in a table: the name becomes a QString only when
// there is a finding to carry it.
void CheckRange(SettingsFindings& findings, FindingKind kind, QLatin1String field, qsizetype offset, long long value,
                long long low, long long high);
// Adds a FileSize finding when a file read as `size` bytes is not `expected`
// bytes long; `truncated`: the file goes on past kMaxSettingsFileRead.
void CheckFileSize(SettingsFindings& findings, qsizetype size, bool truncated, qsizetype expected);
// Adds a TextLength finding when `text` is longer than `limit` bytes.
void CheckTextLength(SettingsFindings& findings, const QString& field, qsizetype offset, const QByteArray& text,
                     qsizetype limit);
void CheckTextLength(SettingsFindings& findings, QLatin1String field, qsizetype offset, const QByteArray& text,
                     qsizetype limit);

} // namespace kestra
