// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "formats/shared/SettingsValues.h"
#include "formats/shared/TextField.h"
#include "storage/SettingsFinding.h"

#include <QByteArray>

#include <array>

namespace kestra {

// The longest text each field of gprs.dat holds, in code page 936 bytes.
// kGprsTextFields below is where the check and the window take them from.
inline constexpr qsizetype kGprsApnLimit = 32;
inline constexpr qsizetype kGprsAccountLimit = 32;
inline constexpr qsizetype kGprsPasswordLimit = 32;
inline constexpr qsizetype kSmtpServerLimit = 40;
inline constexpr qsizetype kSmtpPortLimit = 10;
inline constexpr qsizetype kSenderEmailLimit = 32;
inline constexpr qsizetype kSenderPasswordLimit = 32;
inline constexpr qsizetype kSmsPhoneNumberLimit = 30;
inline constexpr qsizetype kRecipientEmailLimit = 32;

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
// user name derived from senderEmail).
using GprsTextField = TextField<GprsSettings>;

inline constexpr std::array<GprsTextField, 9> kGprsTextFields{{
    {"apn", "apn", &GprsSettings::apn, kGprsApnLimit, 1},
    {"gprsAccount", "gprs-account", &GprsSettings::gprsAccount, kGprsAccountLimit, 2},
    {"gprsPassword", "gprs-password", &GprsSettings::gprsPassword, kGprsPasswordLimit, 3},
    {"smtpServer", "smtp-server", &GprsSettings::smtpServer, kSmtpServerLimit, 4},
    {"smtpPort", "smtp-port", &GprsSettings::smtpPort, kSmtpPortLimit, 5},
    {"senderEmail", "sender-email", &GprsSettings::senderEmail, kSenderEmailLimit, 6},
    {"senderPassword", "sender-password", &GprsSettings::senderPassword, kSenderPasswordLimit, 7},
    {"phoneNumber", "phone", &GprsSettings::phoneNumber, kSmsPhoneNumberLimit, 8},
    {"recipientEmail", "recipient-email", &GprsSettings::recipientEmail, kRecipientEmailLimit, 10},
}};
inline constexpr std::size_t kGprsUserNameBlock = 9;

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
