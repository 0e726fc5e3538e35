// SPDX-License-Identifier: Apache-2.0
#include "formats/mms/MmsSave.h"

#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsTexts.h"
#include "formats/shared/RecordRefusal.h"
#include "storage/SettingsFinding.h"

#include <algorithm>
#include <array>

namespace kestra {

namespace {

// The window's label of each field it shows with one (the APN's field has
// none: its name is the key, "apn").
constexpr std::array<FieldLabel<MmsLabel>, 13> kWindowWords{{
    {RowOf(kMmsTextFields, &MmsSettings::url).name, MmsLabel::UrlLabel},
    {RowOf(kMmsTextFields, &MmsSettings::gateway).name, MmsLabel::GatewayLabel},
    {RowOf(kMmsTextFields, &MmsSettings::port).name, MmsLabel::PortLabel},
    {RowOf(kMmsTextFields, &MmsSettings::phone).name, MmsLabel::PhoneLabel},
    {RowOf(kMmsTextFields, &MmsSettings::email).name, MmsLabel::EmailLabel},
    {RowOf(kMmsTextFields, &MmsSettings::account).name, MmsLabel::AccountLabel},
    {RowOf(kMmsTextFields, &MmsSettings::password).name, MmsLabel::PasswordLabel},
    {RowOf(kMmsTextFields, &MmsSettings::phone2).name, MmsLabel::Phone2Label},
    {RowOf(kMmsNumberFields, &MmsSettings::picturesPerDay).name, MmsLabel::PicturesLabel},
    {RowOf(kMmsNumberFields, &MmsSettings::smsControl).name, MmsLabel::SmsControlLabel},
    {RowOf(kMmsNumberFields, &MmsSettings::presetFlag).name, MmsLabel::ModeLabel},
    {RowOf(kMmsNumberFields, &MmsSettings::countryCode).name, MmsLabel::CountryLabel},
    {RowOf(kMmsNumberFields, &MmsSettings::operatorIndex).name, MmsLabel::OperatorLabel},
}};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A phone number the camera can dial: digits, with an optional leading "+".
bool IsPhoneNumber(const QByteArray& phone)
{
    if (phone.isEmpty() || !(IsDigit(phone.front()) || phone.front() == '+'))
        return false;
    return std::all_of(phone.begin() + 1, phone.end(), IsDigit);
}

// The second destination is either an address (anything with "@" and a
// mailbox and domain around it, which the camera takes as it stands) or a
// number of digits and "+" signs.
bool IsSecondDestination(const QByteArray& phone2)
{
    if (phone2.contains('@'))
        return AddressHasBothParts(phone2);
    return std::all_of(phone2.begin(), phone2.end(), [](char c) { return IsDigit(c) || c == '+'; });
}

constexpr const MmsTextField& kGateway = RowOf(kMmsTextFields, &MmsSettings::gateway);
constexpr const MmsTextField& kPort = RowOf(kMmsTextFields, &MmsSettings::port);

struct Refusal {
    MmsMessage message;
    QByteArray MmsSettings::*field; // its row names it
};

// The checks of OK in the order the user meets them; the first failing one is
// the one reported.
std::optional<Refusal> FirstFailingCheck(const MmsSettings& s)
{
    const qsizetype phone = s.phone.size();
    const qsizetype phone2 = s.phone2.size();
    const qsizetype email = s.email.size();
    if (phone == 0 && email == 0)
        return Refusal{MmsMessage::NoRecipient, &MmsSettings::phone};
    if (phone >= 1 && phone <= 4)
        return Refusal{MmsMessage::PhoneShort, &MmsSettings::phone};
    if (phone2 >= 1 && phone2 <= 4)
        return Refusal{MmsMessage::Phone2Short, &MmsSettings::phone2};
    if (phone >= 5 && !IsPhoneNumber(s.phone))
        return Refusal{MmsMessage::PhoneDigits, &MmsSettings::phone};
    if (phone2 >= 5 && !IsSecondDestination(s.phone2))
        return Refusal{MmsMessage::Phone2Format, &MmsSettings::phone2};
    if (email > 0 && (!s.email.contains('@') || !s.email.contains('.') || !AddressHasBothParts(s.email)))
        return Refusal{MmsMessage::EmailFormat, &MmsSettings::email};
    if (s.presetFlag == 0) {
        if (s.url.isEmpty())
            return Refusal{MmsMessage::UrlMissing, &MmsSettings::url};
        if (s.apn.isEmpty())
            return Refusal{MmsMessage::ApnMissing, &MmsSettings::apn};
        if (s.gateway.isEmpty())
            return Refusal{MmsMessage::GatewayFormat, &MmsSettings::gateway};
        if (s.port.isEmpty())
            return Refusal{MmsMessage::PortMissing, &MmsSettings::port};
        // The window calls the gateway "MMS IP": the camera takes an IPv4
        // address there, and a port number 1 to 65535 beside it.
        if (!TextFits(kGateway, s.gateway))
            return Refusal{MmsMessage::GatewayFormat, &MmsSettings::gateway};
        if (!TextFits(kPort, s.port))
            return Refusal{MmsMessage::PortMissing, &MmsSettings::port};
    }
    return std::nullopt;
}

} // namespace

void ApplyMmsPreset(MmsSettings& settings, int country, int slot)
{
    // Catalogue texts are ASCII, so Latin-1 is their code page 936 form.
    const MmsPreset preset = MmsOperatorPreset(country, slot);
    settings.url = preset.url.toLatin1();
    settings.apn = preset.apn.toLatin1();
    settings.gateway = preset.gateway.toLatin1();
    settings.port = preset.port.toLatin1();
    settings.account = preset.account.toLatin1();
    settings.password = preset.password.toLatin1();
}

MmsSettings InitialMmsSettings(const Session& session)
{
    MmsSettings s;
    s.languageCode = session.languageCode;
    s.tvMode = session.tvMode;
    s.countryCode = kMmsChinaIndex;
    s.operatorIndex = 0;
    s.smsControl = kSmsControlOff;
    s.presetFlag = 1;
    s.picturesPerDay = 0;
    ApplyMmsPreset(s, s.countryCode, s.operatorIndex);
    return s;
}

QString MmsWindowFieldName(const QString& field, bool chinese)
{
    return LabelOfField(kWindowWords, field, [chinese](MmsLabel label) {
        return MmsLabelText(chinese ? kLanguageChinese : kLanguageEnglish, label);
    });
}

SaveDecision<MmsSettings> PrepareMmsSave(const MmsSettings& shown, const Session& session)
{
    return PrepareNamedMmsSave(shown, session, {});
}

SaveDecision<MmsSettings> PrepareNamedMmsSave(const MmsSettings& shown, const Session& session,
                                              const FieldNaming& naming)
{
    MmsSettings s = shown;
    const int language = session.languageIndex;

    if (const std::optional<Refusal> refusal = FirstFailingCheck(s))
        return SaveDecision<MmsSettings>::Refused(MmsMessageText(language, refusal->message),
                                                  QLatin1String(RowOf(kMmsTextFields, refusal->field).name));

    // In the preset mode the catalogue decides the parameters, whatever the
    // fields show; the custom mode has one fixed country code.
    if (s.presetFlag != 0) {
        s.presetFlag = 1;
        ApplyMmsPreset(s, s.countryCode, s.operatorIndex);
    } else {
        s.countryCode = COUNTRY_CUSTOM;
        s.operatorIndex = 0;
    }

    // The phone is the number the camera takes SMS commands from.
    if (s.smsControl != kSmsControlOff && s.phone.size() < 5)
        return SaveDecision<MmsSettings>::Refused(MmsMessageText(language, MmsMessage::SmsControlPhone),
                                                  QLatin1String(RowOf(kMmsTextFields, &MmsSettings::phone).name));

    s.languageCode = session.languageCode;
    s.tvMode = session.tvMode;

    // The window's own limits keep every value in range; a caller without them
    // (the command line) learns here, not from the writer, that the camera
    // could not take the record.
    const bool chinese = session.chineseMessages();
    return CheckNamingFields(s, chinese, CheckMmsRecord, CheckMmsSettings, naming,
                             [chinese](const QString& field) { return MmsWindowFieldName(field, chinese); });
}

} // namespace kestra
