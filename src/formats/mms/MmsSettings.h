// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/shared/FieldRows.h"
#include "formats/shared/SettingsValues.h"
#include "storage/SettingsFinding.h"

#include <QByteArray>

#include <array>

namespace kestra {

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

// The nine texts in block order (block 1 to 9): name, key, member, limit in
// code page 936 bytes, block, help; the six of the custom mode are the
// operator's preset in the preset mode.
using MmsTextField = TextField<MmsSettings>;

// clang-format off
inline constexpr std::array<MmsTextField, 9> kMmsTextFields{{
    {"url",      "url",      &MmsSettings::url,      50, 1, "Custom mode: MMS centre URL", true},
    {"apn",      "apn",      &MmsSettings::apn,      30, 2, "Custom mode: APN", true},
    {"gateway",  "gateway",  &MmsSettings::gateway,  20, 3, "Custom mode: WAP gateway, an IPv4 address", true,
     TextForm::Ipv4},
    {"port",     "port",     &MmsSettings::port,     10, 4, "Custom mode: gateway port, 1 to 65535", true,
     TextForm::Port},
    {"phone",    "phone",    &MmsSettings::phone,    32, 5,
     "Phone number the pictures go to; also the number allowed to control the camera by SMS"},
    {"email",    "email",    &MmsSettings::email,    40, 6, "E-mail address the pictures go to"},
    {"account",  "account",  &MmsSettings::account,  30, 7, "Custom mode: account", true},
    {"password", "password", &MmsSettings::password, 30, 8, "Custom mode: password", true},
    {"phone2",   "phone2",   &MmsSettings::phone2,   32, 9, "Second phone number or e-mail address"},
}};
// clang-format on

// The numbers of the header block, in the order the record check reports them:
// name, key, member, range, finding, offset before scrambling, storage, check.
// The country and operator are checked against the catalogue and the mode.
using MmsNumberField = NumberField<MmsSettings>;

// clang-format off
inline constexpr std::array<MmsNumberField, 7> kMmsNumberFields{{
    {"picturesPerDay", "pictures-per-day", &MmsSettings::picturesPerDay, 0, kMaxPicturesPerDay,
     FindingKind::OutOfRange, 3, NumberStorage::Digits, NumberCheck::Range, false, kPicturesPerDayHelp},
    {"languageCode", kLanguageKey, &MmsSettings::languageCode, kMinLanguageCode, kLanguageCount,
     FindingKind::OutOfRange, 5, NumberStorage::Byte, NumberCheck::Range, true},
    {"tvMode", kTvModeKey, &MmsSettings::tvMode, 0, 0xFF, FindingKind::OutOfRange, 6,
     NumberStorage::Byte, NumberCheck::None, true},
    {"smsControl", "sms-control", &MmsSettings::smsControl, 0, kSmsControlCount - 1,
     FindingKind::ListPosition, 10, NumberStorage::Byte, NumberCheck::Range, false, kSmsControlHelp},
    {"presetFlag", "mode", &MmsSettings::presetFlag, 0, 1, FindingKind::Mode, 50,
     NumberStorage::Byte, NumberCheck::Range, false,
     "preset (the operator's parameters) or custom (typed ones) [default: preset]"},
    {"countryCode", "country", &MmsSettings::countryCode, 0, kMmsCountryCount - 1, FindingKind::CatalogueIndex, 8,
     NumberStorage::Byte, NumberCheck::Catalogue, false,
     "Preset mode: the country, by name or index (see catalogue mms) [default: China]"},
    {"operatorIndex", "operator", &MmsSettings::operatorIndex, 0, kMmsSlotsPerCountry - 1, FindingKind::CatalogueIndex, 9,
     NumberStorage::Byte, NumberCheck::Catalogue, false,
     "Preset mode: the operator, by name or index [default: the first]"},
}};
// clang-format on

// Header byte 7 is always 1: the camera's mms.dat layout.
inline constexpr std::array<FixedByte, 4> kMmsFixedBytes{{{0, 0}, {1, 0}, {2, 0}, {7, 1}}};

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
