// SPDX-License-Identifier: Apache-2.0
#include "formats/gprs/GprsSave.h"

#include "formats/gprs/GprsCatalogue.h"
#include "formats/gprs/SmtpTexts.h"
#include "storage/Cp936.h"
#include "storage/SettingsFinding.h"

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

bool LooksLikeAddress(const QByteArray& address)
{
    return address.contains('@') && address.contains('.');
}

} // namespace

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
    settings.maxImagesPerDay = 0;
    settings.languageCode = session.languageCode;
    settings.smsControl = kSmsControlOff;
    FillGprsPreset(settings, settings.countryIndex, settings.operatorIndex);
    return settings;
}

SaveDecision<GprsSettings> PrepareGprsSave(const GprsSettings& shown, const Session& session)
{
    SaveDecision<GprsSettings> decision{shown, std::nullopt};
    GprsSettings& record = decision.record;
    const bool customer = record.mode == kGprsModeCustomer;
    if (!customer)
        FillGprsPreset(record, record.countryIndex, record.operatorIndex);
    record.languageCode = session.languageCode;

    const auto refuse = [&](SmtpCheck check, const char* field) {
        decision.refusal = SmtpCheckMessage(check, session.chineseMessages());
        decision.field = QString::fromLatin1(field);
        return decision;
    };
    // A preset may have no APN at all (the operator needs none), so only a
    // typed one is checked.
    if (customer && record.apn.size() < kMinimumText)
        return refuse(SmtpCheck::Apn, "apn");
    if (record.smtpServer.size() < kMinimumText)
        return refuse(SmtpCheck::Server, "smtpServer");
    if (record.smtpPort.size() < kMinimumText)
        return refuse(SmtpCheck::Port, "smtpPort");
    if (record.senderEmail.size() < kMinimumText)
        return refuse(SmtpCheck::SenderEmpty, "senderEmail");
    if (!LooksLikeAddress(record.senderEmail))
        return refuse(SmtpCheck::SenderAddress, "senderEmail");
    if (record.senderPassword.size() < kMinimumText)
        return refuse(SmtpCheck::SenderPassword, "senderPassword");
    if (record.recipientEmail.size() < kMinimumText)
        return refuse(SmtpCheck::RecipientEmpty, "recipientEmail");
    if (!LooksLikeAddress(record.recipientEmail))
        return refuse(SmtpCheck::RecipientAddress, "recipientEmail");
    if (record.smsControl != kSmsControlOff && record.phoneNumber.size() < kMinimumPhone)
        return refuse(SmtpCheck::SmsPhone, "phoneNumber");
    return decision;
}

} // namespace kestra
