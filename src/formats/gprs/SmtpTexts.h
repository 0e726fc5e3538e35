// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/TextTable.h"

#include <QString>
#include <QStringList>

namespace kestra {

// The texts of the GPRS/SMTP settings window: labels, group boxes and buttons in
// every interface language, the GPRS mode list, the save messages and the
// balloon hints (Chinese for language 1, English otherwise). Nothing here knows
// about widgets, so the command line speaks with the window's words.

enum class SmtpLabel {
    ModeLabel,     // label of the GPRS mode list
    PicturesLabel, // label of the pictures-per-day field
    PicturesNote,  // note beside it
    CountryLabel,
    OperatorLabel,
    ApnLabel, // "GPRS APN" in every language
    AccountLabel,
    GprsPasswordLabel,
    ServerLabel,
    PortLabel,
    SenderLabel,
    SenderPasswordLabel,
    RecipientLabel,
    SenderGroup,
    RecipientGroup,
    GprsGroup,
    SmsControlGroup,
    SmsControlLabel,
    PhoneLabel,
    SelectButton,
    LoadButton,
    SaveButton,
    ExitButton,
};
inline constexpr int kSmtpLabelCount = static_cast<int>(SmtpLabel::ExitButton) + 1;

const TextTable& SmtpLabelTable(SmtpLabel label);

// The two entries of the GPRS mode list (0 Auto, 1 Customer).
QString GprsModeEntry(int language, int mode);
QStringList GprsModeEntries(int language);
// The one entry the country and operator lists hold in the Customer mode.
QString GprsCustomerListEntry(int language);

// The save checks of the SMTP window, in the order they run.
enum class SmtpCheck {
    Apn, // Customer mode: an APN of at least 2 bytes
    Server,
    Port,
    SenderEmpty,
    SenderAddress, // an "@" and a "."
    SenderPassword,
    RecipientEmpty,
    RecipientAddress,
    SmsPhone, // SMS control on: a phone number of at least 5 bytes
    // Not one of the window's first checks: a port of two or more characters
    // that is no number 1 to 65535, which the camera cannot connect to.
    PortNumber,
};

QString SmtpCheckMessage(int language, SmtpCheck check);
QString SmtpSavedMessage(int language);

// The balloon hints of the window.
enum class SmtpHint { Server, Port, Recipient, Phone, SmsControl, Sender };

QString SmtpHintText(int language, SmtpHint hint);

} // namespace kestra
