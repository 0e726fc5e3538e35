// SPDX-License-Identifier: Apache-2.0
#include "formats/mms/MmsWords.h"

#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsSave.h"
#include "formats/mms/MmsTexts.h"
#include "storage/Cp936.h"

namespace kestra {

namespace {

constexpr const MmsNumberField& kMode = RowOf(kMmsNumberFields, &MmsSettings::presetFlag);
constexpr const MmsNumberField& kCountry = RowOf(kMmsNumberFields, &MmsSettings::countryCode);
constexpr const MmsNumberField& kOperator = RowOf(kMmsNumberFields, &MmsSettings::operatorIndex);
constexpr const MmsNumberField& kPictures = RowOf(kMmsNumberFields, &MmsSettings::picturesPerDay);
constexpr const MmsNumberField& kSmsControl = RowOf(kMmsNumberFields, &MmsSettings::smsControl);

constexpr PresetModeWords kPresetMode{"preset", {"the operator's parameters are", "运营商的参数"}};

QString EnglishCountry(int country)
{
    return MmsCountryName(CountryListVariant::English, country);
}

QString CatalogueCommand(bool country, int index)
{
    return country ? QStringLiteral("\"kestra-setup-cli catalogue mms\"")
                   : QStringLiteral("\"kestra-setup-cli catalogue mms --country %1\"").arg(index);
}

// The mode, then the country and operator or the custom mode's texts.
void ReadModeAndOperator(MmsSettings& s, const SettingWords& words, const Session& session, const KeySpelling& spelling)
{
    const bool chinese = session.chineseMessages();
    if (const QString* mode = words.find(kMode.key)) {
        const bool preset = PresetModeOf(spelling(kMode.key), *mode, SessionEntrySets(session, MmsModeEntries), chinese,
                                         QLatin1String(kMode.name));
        if (preset && s.presetFlag == 0) {
            // Back to the preset mode: the window starts again on its first country.
            s.countryCode = kMmsChinaIndex;
            s.operatorIndex = 0;
        }
        s.presetFlag = preset ? 1 : 0;
    }
    const bool preset = s.presetFlag != 0;
    for (const MmsTextField& field : kMmsTextFields) {
        if (preset && field.preset && words.has(field.key))
            throw CustomTextInPresetMode(spelling(field.key), spelling(kMode.key), kPresetMode, chinese,
                                         QLatin1String(field.name));
    }
    const QString* country = words.find(kCountry.key);
    const QString* slot = words.find(kOperator.key);
    if (!preset && (country != nullptr || slot != nullptr))
        throw CatalogueInCustomMode(spelling(kCountry.key), spelling(kOperator.key), spelling(kMode.key), kPresetMode,
                                    chinese, QLatin1String(kCountry.name));
    if (country != nullptr) {
        s.countryCode = FindMmsCountry(spelling(kCountry.key), *country, chinese);
        s.operatorIndex = 0;
    }
    if (slot != nullptr)
        s.operatorIndex = FindMmsOperator(spelling(kOperator.key), s.countryCode, *slot, chinese);
    if (preset && MmsOperatorCount(s.countryCode) == 0)
        throw CountryWithoutOperator(spelling(kCountry.key), EnglishCountry(s.countryCode), chinese,
                                     QLatin1String(kCountry.name));
}

} // namespace

QString MmsOperatorShownName(int country, int slot, int languageIndex)
{
    if (country == kMmsChinaIndex && (slot == 0 || slot == 1))
        return MmsChinaOperatorPair(languageIndex)[static_cast<std::size_t>(slot)];
    return MmsOperatorName(country, slot);
}

int FindMmsCountry(const QString& key, const QString& word, bool chinese)
{
    return CatalogueIndex(
        key, word, kMmsCountryCount, RefusalWords(chinese, "country of the MMS list", "彩信列表中的国家"),
        [](int i) {
            return QStringList{EnglishCountry(i), MmsCountryName(CountryListVariant::Chinese, i)};
        },
        CatalogueCommand(true, 0), chinese, QLatin1String(kCountry.name));
}

int FindMmsOperator(const QString& key, int country, const QString& word, bool chinese)
{
    return CatalogueIndex(
        key, word, MmsOperatorCount(country),
        RefusalWords(chinese, "operator of %1", "%1 的运营商").arg(EnglishCountry(country)),
        [country](int i) {
            return QStringList{MmsOperatorShownName(country, i, kLanguageEnglish),
                               MmsOperatorShownName(country, i, kLanguageChinese)};
        },
        CatalogueCommand(false, country), chinese, QLatin1String(kOperator.name));
}

SaveDecision<MmsSettings> PrepareMmsWords(MmsSettings shown, const SettingWords& words, const Session& session,
                                          const KeySpelling& spelling)
{
    try {
        ReadModeAndOperator(shown, words, session, spelling);
        ReadMessagingWords(shown, words, session, spelling, kMmsTextFields, kPictures, kSmsControl,
                           &MmsSmsControlEntries);
    } catch (const WordRefusal& refusal) {
        return SaveDecision<MmsSettings>::Refused(refusal.message, refusal.field);
    }
    const auto keyOfField = [](const QString& field) { return KeyOfField(kMmsTextFields, kMmsNumberFields, field); };
    return NamingTheKey(PrepareNamedMmsSave(shown, session, NamingByKey(spelling, keyOfField)), spelling, keyOfField);
}

SettingWords MmsWordsOf(const MmsSettings& s)
{
    const bool preset = s.presetFlag != 0;
    SettingWords words;
    words.add(kMode.key, preset ? QStringLiteral("preset") : QStringLiteral("custom"));
    if (preset) {
        words.add(kCountry.key, EnglishCountry(s.countryCode));
        AddOperatorWord(
            words, kOperator.key,
            [&s](int slot) { return MmsOperatorShownName(s.countryCode, slot, kLanguageEnglish); }, s.operatorIndex);
    }
    for (const MmsTextField& field : kMmsTextFields) {
        if (!preset || !field.preset)
            words.add(field.key, DecodeCp936(s.*field.member));
    }
    words.addNumber(kPictures.key, s.picturesPerDay);
    words.add(kSmsControl.key, MmsSmsControlEntries(kLanguageEnglish).value(s.smsControl));
    return words;
}

} // namespace kestra
