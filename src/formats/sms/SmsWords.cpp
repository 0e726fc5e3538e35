// SPDX-License-Identifier: Apache-2.0
#include "formats/sms/SmsWords.h"

#include "formats/shared/SmsControl.h"
#include "formats/sms/SmsSave.h"
#include "storage/Cp936.h"

namespace kestra {

namespace {
constexpr const SmsNumberField& kPictures = RowOf(kSmsNumberFields, &SmsSettings::picturesPerDay);
constexpr const SmsNumberField& kSmsControl = RowOf(kSmsNumberFields, &SmsSettings::smsControl);
} // namespace

SaveDecision<SmsSettings> PrepareSmsWords(SmsSettings shown, const SettingWords& words, const Session& session,
                                          const KeySpelling& spelling)
{
    try {
        ReadMessagingWords(shown, words, session, spelling, kSmsTextFields, kPictures, kSmsControl, &SmsControlEntries);
    } catch (const WordRefusal& refusal) {
        return SaveDecision<SmsSettings>::Refused(refusal.message, refusal.field);
    }
    const auto keyOfField = [](const QString& field) { return KeyOfField(kSmsTextFields, kSmsNumberFields, field); };
    return NamingTheKey(PrepareNamedSmsSave(shown, session, NamingByKey(spelling, keyOfField)), spelling, keyOfField);
}

SettingWords SmsWordsOf(const SmsSettings& s)
{
    SettingWords words;
    for (const SmsTextField& field : kSmsTextFields)
        words.add(field.key, DecodeCp936(s.*field.member));
    words.addNumber(kPictures.key, s.picturesPerDay);
    words.add(kSmsControl.key, SmsControlEntries(kLanguageEnglish).value(s.smsControl));
    return words;
}

} // namespace kestra
