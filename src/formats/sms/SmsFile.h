// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "formats/sms/SmsSettings.h"
#include "storage/FileResult.h"
#include "storage/SettingsFinding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace kestra {

inline constexpr qsizetype kSmsFileSize = 300;
inline constexpr const char* kSmsFileName = "sms.dat";
// Blocks 1 to 3 are the text blocks; no closing block follows the checksum.
inline constexpr std::size_t kSmsTextBlocks = 3;

// The 300 bytes of sms.dat (no closing block) of a record that passed PrepareSmsSave.
QByteArray BuildSmsFile(const Checked<SmsSettings>& settings);

// Every field of sms.dat as stored; texts clipped to the block's text area.
SmsSettings DecodeSmsFile(QByteArrayView bytes, SettingsFindings& findings);

// Saves sms.dat of a checked record into `folder` atomically.
SaveResult WriteSmsFile(const QString& folder, const Checked<SmsSettings>& settings);

// What sms.dat holds. The SMS window has no load; the command line and the file
// check read it. A stored SMS control position past the list comes back empty.
struct SmsLoaded {
    std::optional<int> smsControl;
    int picturesPerDay = 0; // over 99 only in a foreign file
    int languageCode = 0;   // as stored
    QByteArray phone1;
    QByteArray phone2;
    QByteArray phone3;
    // Everything odd about the values read; the checksum and the line
    // ends are not looked at (CheckSettingsFile does); the reader adds the size.
    SettingsFindings findings;
};

// Reads leniently: bytes past the end of a short file read as zero.
SmsLoaded ParseSmsFile(QByteArrayView bytes);

using SmsReadResult = LoadResult<SmsLoaded>;

SmsReadResult ReadSmsFile(const QString& path);

} // namespace kestra
