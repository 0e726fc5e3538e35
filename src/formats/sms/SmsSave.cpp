// SPDX-License-Identifier: Apache-2.0
#include "formats/sms/SmsSave.h"

#include "formats/shared/RecordRefusal.h"
#include "formats/sms/SmsTexts.h"
#include "storage/SettingsFinding.h"

#include <algorithm>
#include <array>

namespace kestra {

namespace {

// The window's label of each field it shows.
constexpr std::array<FieldLabel<SmsLabel>, 5> kWindowWords{{
    {RowOf(kSmsTextFields, &SmsSettings::phone1).name, SmsLabel::Phone1Label},
    {RowOf(kSmsTextFields, &SmsSettings::phone2).name, SmsLabel::Phone2Label},
    {RowOf(kSmsTextFields, &SmsSettings::phone3).name, SmsLabel::Phone3Label},
    {RowOf(kSmsNumberFields, &SmsSettings::picturesPerDay).name, SmsLabel::PicturesLabel},
    {RowOf(kSmsNumberFields, &SmsSettings::smsControl).name, SmsLabel::SmsControlLabel},
}};

// The camera dials numbers of at least five characters.
constexpr qsizetype kMinimumPhone = 5;

bool TooShort(const QByteArray& phone)
{
    return !phone.isEmpty() && phone.size() < kMinimumPhone;
}

bool DialableOnly(const QByteArray& phone)
{
    return std::all_of(phone.begin(), phone.end(), [](char c) { return (c >= '0' && c <= '9') || c == '+'; });
}

} // namespace

SmsSettings InitialSmsSettings(const Session& session)
{
    SmsSettings settings;
    settings.smsControl = kSmsControlOff;
    settings.picturesPerDay = 0;
    settings.languageCode = session.languageCode;
    return settings;
}

QString SmsWindowFieldName(const QString& field, bool chinese)
{
    return LabelOfField(kWindowWords, field, [chinese](SmsLabel label) {
        return SmsLabelTable(label).text(chinese ? kLanguageChinese : kLanguageEnglish);
    });
}

SaveDecision<SmsSettings> PrepareSmsSave(const SmsSettings& shown, const Session& session)
{
    return PrepareNamedSmsSave(shown, session, {});
}

SaveDecision<SmsSettings> PrepareNamedSmsSave(const SmsSettings& shown, const Session& session,
                                              const FieldNaming& naming)
{
    SmsSettings record = shown;
    record.languageCode = session.languageCode;

    const auto refuse = [&](SmsCheck check, QByteArray SmsSettings::*field) {
        return SaveDecision<SmsSettings>::Refused(SmsCheckMessage(session.languageIndex, check),
                                                  QLatin1String(RowOf(kSmsTextFields, field).name));
    };
    // The first number is the one that may control the camera: it is required.
    if (record.phone1.isEmpty() || TooShort(record.phone1))
        return refuse(SmsCheck::Phone1Length, &SmsSettings::phone1);
    if (TooShort(record.phone2))
        return refuse(SmsCheck::Phone2Length, &SmsSettings::phone2);
    if (TooShort(record.phone3))
        return refuse(SmsCheck::Phone3Length, &SmsSettings::phone3);
    if (!DialableOnly(record.phone2))
        return refuse(SmsCheck::Phone2Digits, &SmsSettings::phone2);
    if (!DialableOnly(record.phone1))
        return refuse(SmsCheck::Phone1Digits, &SmsSettings::phone1);

    // What the window's limits keep out but another door may bring in.
    const bool chinese = session.chineseMessages();
    return CheckNamingFields(record, chinese, CheckSmsRecord, CheckSmsSettings, naming,
                             [chinese](const QString& field) { return SmsWindowFieldName(field, chinese); });
}

} // namespace kestra
