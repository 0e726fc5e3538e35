// SPDX-License-Identifier: Apache-2.0
#include "formats/gprs/GprsSave.h"

#include "formats/gprs/GprsCatalogue.h"
#include "formats/gprs/SmtpTexts.h"
#include "formats/shared/RecordRefusal.h"
#include "storage/Cp936.h"
#include "storage/SettingsFinding.h"

#include <array>

namespace kestra {

namespace {

// Every preset text is ASCII; a table entry the code page could not hold
// would be written as its Latin-1 bytes rather than lost.
QByteArray PresetBytes(const QString& text)
{
    return EncodeCp936(text).value_or(text.toLatin1());
}

// The camera needs at least two characters in each of these fields.
constexpr qsizetype kMinimumText = 2;
// An SMS control number shorter than this cannot be a phone number.
constexpr qsizetype kMinimumPhone = 5;

constexpr const GprsTextField& kPort = RowOf(kGprsTextFields, &GprsSettings::smtpPort);
constexpr const GprsTextField& kSender = RowOf(kGprsTextFields, &GprsSettings::senderEmail);

// The window's label of each field it shows.
constexpr std::array<FieldLabel<SmtpLabel>, 14> kWindowWords{{
    {RowOf(kGprsTextFields, &GprsSettings::apn).name, SmtpLabel::ApnLabel},
    {RowOf(kGprsTextFields, &GprsSettings::gprsAccount).name, SmtpLabel::AccountLabel},
    {RowOf(kGprsTextFields, &GprsSettings::gprsPassword).name, SmtpLabel::GprsPasswordLabel},
    {RowOf(kGprsTextFields, &GprsSettings::smtpServer).name, SmtpLabel::ServerLabel},
    {RowOf(kGprsTextFields, &GprsSettings::smtpPort).name, SmtpLabel::PortLabel},
    {RowOf(kGprsTextFields, &GprsSettings::senderEmail).name, SmtpLabel::SenderLabel},
    {RowOf(kGprsTextFields, &GprsSettings::senderPassword).name, SmtpLabel::SenderPasswordLabel},
    {RowOf(kGprsTextFields, &GprsSettings::phoneNumber).name, SmtpLabel::PhoneLabel},
    {RowOf(kGprsTextFields, &GprsSettings::recipientEmail).name, SmtpLabel::RecipientLabel},
    {RowOf(kGprsNumberFields, &GprsSettings::mode).name, SmtpLabel::ModeLabel},
    {RowOf(kGprsNumberFields, &GprsSettings::countryIndex).name, SmtpLabel::CountryLabel},
    {RowOf(kGprsNumberFields, &GprsSettings::operatorIndex).name, SmtpLabel::OperatorLabel},
    {RowOf(kGprsNumberFields, &GprsSettings::picturesPerDay).name, SmtpLabel::PicturesLabel},
    {RowOf(kGprsNumberFields, &GprsSettings::smsControl).name, SmtpLabel::SmsControlLabel},
}};

bool LooksLikeAddress(const QByteArray& address)
{
    return address.contains('@') && address.contains('.');
}

} // namespace

QString GprsWindowFieldName(const QString& field, bool chinese)
{
    return LabelOfField(kWindowWords, field, [chinese](SmtpLabel label) {
        return SmtpLabelTable(label).text(chinese ? kLanguageChinese : kLanguageEnglish);
    });
}

void FillGprsPreset(GprsSettings& settings, int country, int slot)
{
    const GprsPreset preset = GprsOperatorPreset(country, slot);
    settings.apn = PresetBytes(preset.apn);
    settings.gprsAccount = PresetBytes(preset.account);
    settings.gprsPassword = PresetBytes(preset.password);
}

GprsSettings InitialGprsSettings(const Session& session)
{
    GprsSettings settings;
    settings.mode = kGprsModeAuto;
    settings.countryIndex = kGprsChinaIndex;
    settings.operatorIndex = 0;
    settings.picturesPerDay = 0;
    settings.languageCode = session.languageCode;
    settings.smsControl = kSmsControlOff;
    FillGprsPreset(settings, settings.countryIndex, settings.operatorIndex);
    return settings;
}

SaveDecision<GprsSettings> PrepareGprsSave(const GprsSettings& shown, const Session& session)
{
    return PrepareNamedGprsSave(shown, session, {});
}

SaveDecision<GprsSettings> PrepareNamedGprsSave(const GprsSettings& shown, const Session& session,
                                                const FieldNaming& naming)
{
    GprsSettings record = shown;
    const bool customer = record.mode == kGprsModeCustomer;
    if (!customer)
        FillGprsPreset(record, record.countryIndex, record.operatorIndex);
    record.languageCode = session.languageCode;

    const auto refuse = [&](SmtpCheck check, QByteArray GprsSettings::*field) {
        return SaveDecision<GprsSettings>::Refused(SmtpCheckMessage(session.languageIndex, check),
                                                   QLatin1String(RowOf(kGprsTextFields, field).name));
    };
    // A preset may have no APN at all (the operator needs none), so only a
    // typed one is checked.
    if (customer && record.apn.size() < kMinimumText)
        return refuse(SmtpCheck::Apn, &GprsSettings::apn);
    if (record.smtpServer.size() < kMinimumText)
        return refuse(SmtpCheck::Server, &GprsSettings::smtpServer);
    if (record.smtpPort.size() < kMinimumText)
        return refuse(SmtpCheck::Port, &GprsSettings::smtpPort);
    if (!TextFits(kPort, record.smtpPort))
        return refuse(SmtpCheck::PortNumber, &GprsSettings::smtpPort);
    if (record.senderEmail.size() < kMinimumText)
        return refuse(SmtpCheck::SenderEmpty, &GprsSettings::senderEmail);
    // The camera logs in with the name before the "@": there must be one.
    if (!LooksLikeAddress(record.senderEmail) || !TextFits(kSender, record.senderEmail))
        return refuse(SmtpCheck::SenderAddress, &GprsSettings::senderEmail);
    if (record.senderPassword.size() < kMinimumText)
        return refuse(SmtpCheck::SenderPassword, &GprsSettings::senderPassword);
    if (record.recipientEmail.size() < kMinimumText)
        return refuse(SmtpCheck::RecipientEmpty, &GprsSettings::recipientEmail);
    // The camera sends to the mailbox before the "@" at the domain after it.
    if (!LooksLikeAddress(record.recipientEmail) || !AddressHasBothParts(record.recipientEmail))
        return refuse(SmtpCheck::RecipientAddress, &GprsSettings::recipientEmail);
    if (record.smsControl != kSmsControlOff && record.phoneNumber.size() < kMinimumPhone)
        return refuse(SmtpCheck::SmsPhone, &GprsSettings::phoneNumber);

    // The window's own limits keep every value in range; a door without them
    // (the command line, a card profile, the mail test) learns here that the
    // camera could not take the record.
    const bool chinese = session.chineseMessages();
    return CheckNamingFields(record, chinese, CheckGprsRecord, CheckGprsSettings, naming,
                             [chinese](const QString& field) { return GprsWindowFieldName(field, chinese); });
}

SaveDecision<GprsSettings> PrepareMailTestValues(const GprsSettings& shown, bool send, const Session& session)
{
    return PrepareNamedMailTestValues(shown, send, session, {});
}

SaveDecision<GprsSettings> PrepareNamedMailTestValues(const GprsSettings& shown, bool send, const Session& session,
                                                      const FieldNaming& naming)
{
    // The GPRS access, the SMS control, the pictures per day and, when
    // nothing is sent, the recipient are the window's business, not the
    // test's: with them out of the way, every check of a value the test uses
    // runs, and the first that fails refuses.
    GprsSettings record = shown;
    record.mode = kGprsModeAuto;
    record.countryIndex = kGprsChinaIndex;
    record.operatorIndex = 0;
    record.smsControl = kSmsControlOff;
    record.phoneNumber.clear();
    record.picturesPerDay = 0;
    if (!send)
        record.recipientEmail = kMailTestNoRecipient;
    return PrepareNamedGprsSave(record, session, naming);
}

} // namespace kestra
