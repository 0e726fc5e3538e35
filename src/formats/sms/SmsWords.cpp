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
    const bool chinese = session.chineseMessages();
    try {
        for (const SmsTextField& field : kSmsTextFields) {
            if (const QString* word = words.find(field.key))
                shown.*field.member = TextBytes(spelling(field.key), *word, chinese, QLatin1String(field.name));
        }
        if (const QString* word = words.find(kPictures.key))
            shown.picturesPerDay = WholeNumber(spelling(kPictures.key), *word, kPictures.low, kPictures.high, chinese,
                                               QLatin1String(kPictures.name));
        if (const QString* word = words.find(kSmsControl.key))
            shown.smsControl =
                ListPosition(spelling(kSmsControl.key), *word, SessionEntrySets(session, SmsControlEntries), chinese,
                             {}, QLatin1String(kSmsControl.name));
    } catch (const WordRefusal& refusal) {
        return SaveDecision<SmsSettings>::Refused(refusal.message, refusal.field);
    }
    return NamingTheKey(PrepareSmsSave(shown, session), spelling, [](const QString& field) -> const char* {
        if (const SmsTextField* text = FindField(kSmsTextFields, field))
            return text->key;
        const SmsNumberField* number = FindField(kSmsNumberFields, field);
        return number != nullptr && !number->session ? number->key : nullptr;
    });
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
