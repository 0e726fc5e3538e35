// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "storage/SettingsFinding.h"

#include <QByteArray>

#include <array>

namespace kestra {

// The SMTP window's maximum text lengths, in code page 936 bytes. The window
// enforces them; WriteGprsFile refuses a record that breaks one.
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
    int maxImagesPerDay = 0;
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

// The texts with their limits and their block in gprs.dat (block 9 is the user
// name derived from senderEmail).
struct GprsTextField {
    const char* name;
    QByteArray GprsSettings::*member;
    qsizetype limit;
    std::size_t block;
};

inline constexpr std::array<GprsTextField, 9> kGprsTextFields{{
    {"apn", &GprsSettings::apn, kGprsApnLimit, 1},
    {"gprsAccount", &GprsSettings::gprsAccount, kGprsAccountLimit, 2},
    {"gprsPassword", &GprsSettings::gprsPassword, kGprsPasswordLimit, 3},
    {"smtpServer", &GprsSettings::smtpServer, kSmtpServerLimit, 4},
    {"smtpPort", &GprsSettings::smtpPort, kSmtpPortLimit, 5},
    {"senderEmail", &GprsSettings::senderEmail, kSenderEmailLimit, 6},
    {"senderPassword", &GprsSettings::senderPassword, kSenderPasswordLimit, 7},
    {"phoneNumber", &GprsSettings::phoneNumber, kSmsPhoneNumberLimit, 8},
    {"recipientEmail", &GprsSettings::recipientEmail, kRecipientEmailLimit, 10},
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

} // namespace kestra
