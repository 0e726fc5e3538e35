// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "formats/gprs/GprsCatalogue.h"
#include "formats/shared/FieldRows.h"
#include "formats/shared/SettingsValues.h"
#include "storage/SettingsFinding.h"

#include <QByteArray>

#include <array>

namespace kestra {

inline constexpr int kGprsModeAuto = 0;     // GPRS texts from the operator preset
inline constexpr int kGprsModeCustomer = 1; // GPRS texts typed by the user
// Header byte 2 in the Customer mode, in place of a country index.
inline constexpr int kGprsCountryCustomer = 0x80;

// What one save of the SMTP window writes to gprs.dat. Numbers are int so that
// a value outside its byte is caught by CheckGprsSettings instead of wrapping.
struct GprsSettings {
    int mode = kGprsModeAuto;
    int countryIndex = 0;  // GPRS country list index; Auto mode only
    int operatorIndex = 0; // operator of that country; 0 in the Customer mode
    int picturesPerDay = 0;
    int languageCode = 0; // CameraLanguageCode at the time of the save
    int smsControl = 0;   // SMS control list position
    QByteArray apn;
    QByteArray gprsAccount;
    QByteArray gprsPassword;
    QByteArray smtpServer;
    QByteArray smtpPort;
    QByteArray senderEmail;
    QByteArray senderPassword;
    QByteArray phoneNumber;
    QByteArray recipientEmail;
};

// The texts with their limits, keys and blocks in gprs.dat (block 9 is the
// user name derived from senderEmail); the three GPRS texts are the operator's
// preset in the Auto mode.
using GprsTextField = TextField<GprsSettings>;

// clang-format off
inline constexpr std::array<GprsTextField, 9> kGprsTextFields{{
    {"apn",            "apn",             &GprsSettings::apn,            32, 1, "Custom mode: GPRS APN", true},
    {"gprsAccount",    "gprs-account",    &GprsSettings::gprsAccount,    32, 2, "Custom mode: GPRS account", true},
    {"gprsPassword",   "gprs-password",   &GprsSettings::gprsPassword,   32, 3, "Custom mode: GPRS password", true},
    {"smtpServer",     "smtp-server",     &GprsSettings::smtpServer,     40, 4, "SMTP server"},
    {"smtpPort",       "smtp-port",       &GprsSettings::smtpPort,       10, 5, "SMTP port, 1 to 65535", false,
     TextForm::Port},
    {"senderEmail",    "sender-email",    &GprsSettings::senderEmail,    32, 6,
     "Sender's e-mail address (the camera's mailbox)", false, TextForm::Mailbox},
    {"senderPassword", "sender-password", &GprsSettings::senderPassword, 32, 7,
     "Sender's mailbox password (never read back from a file)"},
    {"phoneNumber",    "phone",           &GprsSettings::phoneNumber,    30, 8,
     "Phone number allowed to control the camera by SMS"},
    {"recipientEmail", "recipient-email", &GprsSettings::recipientEmail, 32, 10, "E-mail address the pictures go to"},
}};
// clang-format on
// Block 9 holds the user name the camera logs in to the SMTP server with,
// made from senderEmail (GprsUserName): a field of the file, none of the
// record. `inspect` names it `name`, its findings `findingName`.
struct DerivedTextField {
    const char* name;
    const char* findingName;
    std::size_t block;
};
inline constexpr DerivedTextField kGprsUserNameField{"userName", "user name", 9};

// The numbers of the header block, in the order the record check reports them.
// The mode is the Auto flag of trailer byte 50 (1 Auto, 0 Customer); in the
// Customer mode header byte 2 holds kGprsCountryCustomer in place of a country.
using GprsNumberField = NumberField<GprsSettings>;

// clang-format off
inline constexpr std::array<GprsNumberField, 6> kGprsNumberFields{{
    {"mode", "mode", &GprsSettings::mode, kGprsModeAuto, kGprsModeCustomer, FindingKind::Mode, 50,
     NumberStorage::InvertedFlag, NumberCheck::Range, false,
     "auto (the operator's GPRS access) or custom (typed) [default: auto]"},
    {"countryIndex", "country", &GprsSettings::countryIndex, 0, kGprsCountryCount - 1, FindingKind::CatalogueIndex, 2,
     NumberStorage::Byte, NumberCheck::Catalogue, false,
     "Auto mode: the country, by name or index (see catalogue gprs) [default: China]"},
    {"operatorIndex", "operator", &GprsSettings::operatorIndex, 0, kGprsSlotsPerCountry - 1,
     FindingKind::CatalogueIndex, 1, NumberStorage::Byte, NumberCheck::Catalogue, false,
     "Auto mode: the operator, by name or index [default: the first]"},
    {"picturesPerDay", "pictures-per-day", &GprsSettings::picturesPerDay, 0, kMaxPicturesPerDay,
     FindingKind::OutOfRange, 3, NumberStorage::Digits, NumberCheck::Range, false, kPicturesPerDayHelp},
    {"languageCode", kLanguageKey, &GprsSettings::languageCode, kMinLanguageCode, kLanguageCount,
     FindingKind::OutOfRange, 5, NumberStorage::Byte, NumberCheck::Range, true},
    {"smsControl", "sms-control", &GprsSettings::smsControl, 0, kSmsControlCount - 1, FindingKind::ListPosition, 8,
     NumberStorage::Byte, NumberCheck::Range, false, kSmsControlHelp},
}};
// clang-format on

// Header bytes 6 and 7 are always 1: the camera's gprs.dat layout.
inline constexpr std::array<FixedByte, 3> kGprsFixedBytes{{{0, 0}, {6, 1}, {7, 1}}};

// The user name the camera logs in to the SMTP server with: the bytes of the
// sender address before its first "@", the whole address if it has none.
QByteArray GprsUserName(const QByteArray& senderEmail);

// Every value the camera would misread: a mode other than Auto or Customer, in
// Auto a country or operator the catalogue does not offer, in Customer an
// operator other than 0, pictures per day past 99, a language code outside
// 1..11, an SMS control position past the list, a text over its limit.
// Offsets are those of gprs.dat.
SettingsFindings CheckGprsSettings(const GprsSettings& settings);

// The one maker of a Checked<GprsSettings>: the record itself when the camera
// can hold every value of it (CheckGprsSettings finds nothing), otherwise the
// refusal of the first finding, naming its field, in Chinese or English.
// Every door reaches it through its window's save step (PrepareGprsSave).
SaveDecision<GprsSettings> CheckGprsRecord(GprsSettings record, bool chinese = false);

} // namespace kestra
