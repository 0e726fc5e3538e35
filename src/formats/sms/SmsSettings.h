// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "formats/shared/FieldRows.h"
#include "formats/shared/SettingsValues.h"
#include "storage/SettingsFinding.h"

#include <QByteArray>

#include <array>

namespace kestra {

// What one save of the SMS window writes to sms.dat.
struct SmsSettings {
    int smsControl = kSmsControlOff; // SMS control list position
    int picturesPerDay = 0;          // 0 to 99, 0 no limit
    int languageCode = 0;            // CameraLanguageCode at the time of the save
    QByteArray phone1;               // the number allowed to control the camera
    QByteArray phone2;
    QByteArray phone3;
};

// The phone numbers in block order (blocks 1 to 3) with their limit in bytes.
using SmsTextField = TextField<SmsSettings>;

// clang-format off
inline constexpr std::array<SmsTextField, 3> kSmsTextFields{{
    {"phone1", "phone1", &SmsSettings::phone1, 32, 1,
     "Phone number allowed to control the camera; the pictures go to it too"},
    {"phone2", "phone2", &SmsSettings::phone2, 32, 2, "Second phone number the pictures go to"},
    {"phone3", "phone3", &SmsSettings::phone3, 32, 3, "Third phone number the pictures go to"},
}};
// clang-format on

// The numbers of the header block.
using SmsNumberField = NumberField<SmsSettings>;

// clang-format off
inline constexpr std::array<SmsNumberField, 3> kSmsNumberFields{{
    {"picturesPerDay", "pictures-per-day", &SmsSettings::picturesPerDay, 0, kMaxPicturesPerDay,
     FindingKind::OutOfRange, 3, NumberStorage::Digits, NumberCheck::Range, false, kPicturesPerDayHelp},
    {"smsControl", "sms-control", &SmsSettings::smsControl, 0, kSmsControlCount - 1, FindingKind::ListPosition, 2,
     NumberStorage::Byte, NumberCheck::Range, false, kSmsControlHelp},
    {"languageCode", kLanguageKey, &SmsSettings::languageCode, kMinLanguageCode, kLanguageCount,
     FindingKind::OutOfRange, 5, NumberStorage::Byte, NumberCheck::Range, true},
}};
// clang-format on

// Trailer byte 50 is always 1.
inline constexpr std::array<FixedByte, 3> kSmsFixedBytes{{{0, 0}, {1, 0}, {50, 1}}};

// Every value the camera would misread: an SMS control position past the list
// (an edited list entry that selects nothing included), pictures per day past
// 99, a language code outside 1..11, a phone number over 32 bytes. The SMS
// window's own save checks (phone lengths of 5, digits) are its business.
// Offsets are those of sms.dat.
SettingsFindings CheckSmsSettings(const SmsSettings& settings);

// The one maker of a Checked<SmsSettings>: the record itself when the camera
// can hold every value of it (CheckSmsSettings finds nothing), otherwise the
// refusal of the first finding, naming its field, in Chinese or English.
// Every door reaches it through its window's save step (PrepareSmsSave).
SaveDecision<SmsSettings> CheckSmsRecord(SmsSettings record, bool chinese = false);

} // namespace kestra
