// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "formats/shared/SettingsValues.h"
#include "formats/shared/TextField.h"
#include "storage/SettingsFinding.h"

#include <QByteArray>

#include <array>

namespace kestra {

// The longest text each field of mms.dat holds, in code page 936 bytes.
// kMmsTextFields below is where the check and the window take them from.
inline constexpr qsizetype kMmsUrlLimit = 50;
inline constexpr qsizetype kMmsApnLimit = 30;
inline constexpr qsizetype kMmsGatewayLimit = 20;
inline constexpr qsizetype kMmsPortLimit = 10;
inline constexpr qsizetype kMmsPhoneLimit = 32;
inline constexpr qsizetype kMmsEmailLimit = 40;
inline constexpr qsizetype kMmsAccountLimit = 30;
inline constexpr qsizetype kMmsPasswordLimit = 30;
inline constexpr qsizetype kMmsPhone2Limit = 32;

// What one save of the MMS window writes to mms.dat. Numbers are kept as int so
// that a value outside its byte is caught by CheckMmsSettings instead of
// wrapping; only tvMode is stored by its low byte whatever it holds.
struct MmsSettings {
    int picturesPerDay = 0; // 0 to 99, 0 unlimited
    int languageCode = 0;   // CameraLanguageCode at the time of saving
    int tvMode = 0;
    int countryCode = 0;   // MMS country list index, or COUNTRY_CUSTOM in the custom mode
    int operatorIndex = 0; // slot within the country; 0 in the custom mode
    int smsControl = 0;    // SMS control list position
    int presetFlag = 0;    // 1 preset mode, 0 custom mode
    QByteArray url;
    QByteArray apn;
    QByteArray gateway;
    QByteArray port;
    QByteArray phone;
    QByteArray email;
    QByteArray account;
    QByteArray password;
    QByteArray phone2;
};

// The nine texts in block order (block 1 to 9) with their limits and keys.
using MmsTextField = TextField<MmsSettings>;

inline constexpr std::array<MmsTextField, 9> kMmsTextFields{{
    {"url", "url", &MmsSettings::url, kMmsUrlLimit, 1},
    {"apn", "apn", &MmsSettings::apn, kMmsApnLimit, 2},
    {"gateway", "gateway", &MmsSettings::gateway, kMmsGatewayLimit, 3},
    {"port", "port", &MmsSettings::port, kMmsPortLimit, 4},
    {"phone", "phone", &MmsSettings::phone, kMmsPhoneLimit, 5},
    {"email", "email", &MmsSettings::email, kMmsEmailLimit, 6},
    {"account", "account", &MmsSettings::account, kMmsAccountLimit, 7},
    {"password", "password", &MmsSettings::password, kMmsPasswordLimit, 8},
    {"phone2", "phone2", &MmsSettings::phone2, kMmsPhone2Limit, 9},
}};

// Every value the camera would misread: pictures per day past 99, a language
// code outside 1..11, an SMS control position past the list, a preset flag
// other than 0 or 1, a country or slot the catalogue does not offer in the
// preset mode, anything but COUNTRY_CUSTOM and slot 0 in the custom mode, a
// text longer than its field. Offsets are those of mms.dat.
SettingsFindings CheckMmsSettings(const MmsSettings& settings);

// The one maker of a Checked<MmsSettings>: the record itself when the camera
// can hold every value of it (CheckMmsSettings finds nothing), otherwise the
// refusal of the first finding, naming its field, in Chinese or English.
// Every door reaches it through its window's save step (PrepareMmsSave).
SaveDecision<MmsSettings> CheckMmsRecord(MmsSettings record, bool chinese = false);

} // namespace kestra
