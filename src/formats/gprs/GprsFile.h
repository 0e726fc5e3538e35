// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "formats/gprs/GprsSettings.h"
#include "storage/FileResult.h"
#include "storage/SettingsFinding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace kestra {

inline constexpr qsizetype kGprsFileSize = 780;
inline constexpr const char* kGprsFileName = "gprs.dat";
// Blocks 1 to 10 are text blocks, block 9 the user name.
inline constexpr std::size_t kGprsTextBlocks = 10;

// The 780 bytes of gprs.dat of a record that passed PrepareGprsSave.
QByteArray BuildGprsFile(const Checked<GprsSettings>& settings);

// Every field of gprs.dat as stored, for the file check: the mode from byte 50
// (0 Customer, anything else Auto), countryIndex as header byte 2 whatever the
// mode, senderPassword and languageCode too. The user name of block 9 goes to
// `userName`. Texts are clipped to the block's text area (a TextClipped finding).
GprsSettings DecodeGprsFile(QByteArrayView bytes, QByteArray& userName, SettingsFindings& findings);

// Saves gprs.dat of a checked record into `folder` atomically.
SaveResult WriteGprsFile(const QString& folder, const Checked<GprsSettings>& settings);

// What Load configure takes from a file: the mode, country and operator, the
// pictures per day, the SMS control position and eight texts. senderPassword
// (block 7), the user name (block 9) and languageCode are not read back: the
// user types the mailbox password again before the next save.
//
// A stored list position or catalogue index that names no entry comes back
// empty (and as a finding), so the window never selects past a list.
struct GprsLoaded {
    int mode = kGprsModeAuto;
    // Auto: a country of the GPRS list. Customer: kGprsCountryCustomer (0x80)
    // when the file stores it, as this tool writes it; empty otherwise.
    std::optional<int> countryIndex;
    // Auto: an operator the country offers. Customer: as stored when 0.
    std::optional<int> operatorIndex;
    int picturesPerDay = 0; // over 99 only in a foreign file
    std::optional<int> smsControl;
    QByteArray apn;
    QByteArray gprsAccount;
    QByteArray gprsPassword;
    QByteArray smtpServer;
    QByteArray smtpPort;
    QByteArray senderEmail;
    QByteArray phoneNumber;
    QByteArray recipientEmail;
    // Everything odd about the values read; the checksum and the line
    // ends are not looked at (CheckSettingsFile does); the reader adds the size.
    SettingsFindings findings;
};

// Reads leniently: bytes past the end of a short file read as zero, the
// checksum is not checked.
GprsLoaded ParseGprsFile(QByteArrayView bytes);

using GprsReadResult = LoadResult<GprsLoaded>;

// Reads any file the user picked, whatever its name.
GprsReadResult ReadGprsFile(const QString& path);

} // namespace kestra
