// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>

namespace kestra {

// Every text of the MMS settings window, per interface language (1 Chinese to
// 11 Lithuanian; an index outside 1..11 gets the English texts). Nothing here
// knows about widgets, so the command line prints the same words the window shows.

// Labels, group titles and buttons whose text depends on the language.
enum class MmsLabel {
    ModeLabel,
    CountryLabel,
    OperatorLabel,
    PicturesLabel,
    PicturesNote,
    SmsControlLabel,
    UrlLabel,
    GatewayLabel,
    PortLabel,
    AccountLabel,
    PasswordLabel,
    PhoneLabel,
    EmailLabel,
    Phone2Label,
    SettingsGroup,
    UserGroup,
    ParametersGroup,
    LoadButton,
    SelectButton,
    SaveButton,
    ExitButton,
};
inline constexpr int kMmsLabelCount = static_cast<int>(MmsLabel::ExitButton) + 1;

QString MmsLabelText(int language, MmsLabel label);

// The MMS mode list: position 0 the preset mode, 1 the custom mode.
QStringList MmsModeEntries(int language);
// The SMS control list, ON first and Off (position 5) last.
QStringList MmsSmsControlEntries(int language);
// The single item of the country and operator lists in the custom mode.
QString MmsCustomItem(int language);

// The messages of the window's own code; Chinese for language 1, English for
// every other language.
enum class MmsMessage {
    NoRecipient,  // neither phone nor email
    PhoneShort,   // phone of 1 to 4 characters
    Phone2Short,  // phone2 of 1 to 4 characters
    PhoneDigits,  // phone with other than digits (and a leading "+")
    Phone2Format, // phone2 neither an address nor a number
    EmailFormat,  // email without "@" or "."
    UrlMissing,
    ApnMissing,
    GatewayFormat, // gateway empty or without "."
    PortMissing,
    SmsControlPhone, // SMS control on without a phone
    Saved,
    PhoneTooLong, // "%d" takes the phone limit
    NotMmsFile,   // Load configure: "%1" the path, "%2" what is wrong
};
QString MmsMessageText(int language, MmsMessage message);

// The balloon hints of phone, email and the SMS control list.
enum class MmsHint { Phone, Email, SmsControl };
QString MmsHintText(int language, MmsHint hint);

} // namespace kestra
