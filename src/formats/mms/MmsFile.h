// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "formats/mms/MmsSettings.h"
#include "storage/FileResult.h"
#include "storage/SettingsFinding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace kestra {

inline constexpr qsizetype kMmsFileSize = 780;
inline constexpr const char* kMmsFileName = "mms.dat";
// Blocks 1 to 10 are text blocks: the nine texts, then one left empty.
inline constexpr std::size_t kMmsTextBlocks = 10;

// The 780 bytes of mms.dat of a record that passed PrepareMmsSave.
QByteArray BuildMmsFile(const Checked<MmsSettings>& settings);

// Every field of mms.dat as stored, including those Load configure leaves
// alone (languageCode, tvMode), for the file check. Numbers are the stored
// bytes; texts are clipped to their block's text area (a TextClipped finding).
MmsSettings DecodeMmsFile(QByteArrayView bytes, SettingsFindings& findings);

// Saves mms.dat of a checked record into `folder` atomically.
SaveResult WriteMmsFile(const QString& folder, const Checked<MmsSettings>& settings);

// What Load configure takes from a file: picturesPerDay, smsControl, the mode
// and, in the preset mode, country and operator, and the nine texts of blocks
// 1 to 9. Header bytes 0 to 2 and 5 to 7 (languageCode, tvMode) and block 10
// are not read back.
//
// A stored list position or catalogue index that names no entry comes back
// empty (and as a finding), so the window never selects past a list.
struct MmsLoaded {
    int picturesPerDay = 0;           // bytes 3 and 4 as tens and units; over 99 only in a foreign file
    std::optional<int> smsControl;    // a position of the SMS control list
    bool presetMode = false;          // header byte 50 non-zero
    std::optional<int> countryCode;   // preset mode only: a country of the MMS list
    std::optional<int> operatorIndex; // preset mode only: a slot that country offers
    QByteArray url;
    QByteArray apn;
    QByteArray gateway;
    QByteArray port;
    QByteArray phone;
    QByteArray email;
    QByteArray account;
    QByteArray password;
    QByteArray phone2;
    // Everything odd about the values read: indexes past their lists, clipped
    // or over-long texts, out-of-range numbers. The checksum and the line
    // ends are not looked at (CheckSettingsFile does); the reader adds the size.
    SettingsFindings findings;
};

using MmsReadResult = LoadResult<MmsLoaded>;

MmsLoaded ParseMmsFile(QByteArrayView bytes);
// Reads any file the user picked, whatever its name; bytes past the end of a
// short file read as zero and the checksum is not checked.
MmsReadResult ReadMmsFile(const QString& path);

} // namespace kestra
