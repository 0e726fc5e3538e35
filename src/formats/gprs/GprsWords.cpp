// SPDX-License-Identifier: Apache-2.0
#include "formats/gprs/GprsWords.h"

#include "formats/gprs/GprsCatalogue.h"
#include "formats/gprs/GprsSave.h"
#include "formats/gprs/SmtpTexts.h"
#include "formats/shared/SmsControl.h"
#include "storage/Cp936.h"

namespace kestra {

namespace {

constexpr const GprsNumberField& kMode = RowOf(kGprsNumberFields, &GprsSettings::mode);
constexpr const GprsNumberField& kCountry = RowOf(kGprsNumberFields, &GprsSettings::countryIndex);
constexpr const GprsNumberField& kOperator = RowOf(kGprsNumberFields, &GprsSettings::operatorIndex);
constexpr const GprsNumberField& kPictures = RowOf(kGprsNumberFields, &GprsSettings::picturesPerDay);
constexpr const GprsNumberField& kSmsControl = RowOf(kGprsNumberFields, &GprsSettings::smsControl);

constexpr PresetModeWords kAutoMode{"auto", {"the operator's access is", "运营商的接入设置"}};

QString EnglishCountry(int country)
{
    return GprsCountryName(false, country);
}

QString CatalogueCommand(bool country, int index)
{
    return country ? QStringLiteral("\"kestra-setup-cli catalogue gprs\"")
                   : QStringLiteral("\"kestra-setup-cli catalogue gprs --country %1\"").arg(index);
}

// The mode, then the country and operator or the Customer mode's texts.
void ReadModeAndOperator(GprsSettings& s, const SettingWords& words, const Session& session,
                         const KeySpelling& spelling)
{
    const bool chinese = session.chineseMessages();
    if (const QString* mode = words.find(kMode.key)) {
        const bool automatic = PresetModeOf(spelling(kMode.key), *mode, SessionEntrySets(session, GprsModeEntries),
                                            chinese, QLatin1String(kMode.name));
        if (automatic && s.mode == kGprsModeCustomer) {
            s.countryIndex = kGprsChinaIndex;
            s.operatorIndex = 0;
        } else if (!automatic) {
            s.countryIndex = kGprsCountryCustomer;
            s.operatorIndex = 0;
        }
        s.mode = automatic ? kGprsModeAuto : kGprsModeCustomer;
    }
    const bool automatic = s.mode == kGprsModeAuto;
    for (const GprsTextField& field : kGprsTextFields) {
        if (automatic && field.preset && words.has(field.key))
            throw CustomTextInPresetMode(spelling(field.key), spelling(kMode.key), kAutoMode, chinese,
                                         QLatin1String(field.name));
    }
    const QString* country = words.find(kCountry.key);
    const QString* slot = words.find(kOperator.key);
    if (!automatic && (country != nullptr || slot != nullptr))
        throw CatalogueInCustomMode(spelling(kCountry.key), spelling(kOperator.key), spelling(kMode.key), kAutoMode,
                                    chinese, QLatin1String(kCountry.name));
    if (country != nullptr) {
        s.countryIndex = FindGprsCountry(spelling(kCountry.key), *country, chinese);
        s.operatorIndex = 0;
    }
    if (slot != nullptr)
        s.operatorIndex = FindGprsOperator(spelling(kOperator.key), s.countryIndex, *slot, chinese);
    if (automatic && GprsOperatorCount(s.countryIndex) == 0)
        throw CountryWithoutOperator(spelling(kCountry.key), EnglishCountry(s.countryIndex), chinese,
                                     QLatin1String(kCountry.name));
}

} // namespace

QString GprsOperatorShownName(int country, int slot, int languageIndex)
{
    if (country == kGprsChinaIndex && (slot == 0 || slot == 1))
        return GprsChinaOperatorName(languageIndex, slot);
    return GprsOperatorName(country, slot);
}

int FindGprsCountry(const QString& key, const QString& word, bool chinese)
{
    return CatalogueIndex(
        key, word, kGprsCountryCount, RefusalWords(chinese, "country of the GPRS list", "GPRS 列表中的国家"),
        [](int i) {
            return QStringList{EnglishCountry(i), GprsCountryName(true, i)};
        },
        CatalogueCommand(true, 0), chinese, QLatin1String(kCountry.name));
}

int FindGprsOperator(const QString& key, int country, const QString& word, bool chinese)
{
    return CatalogueIndex(
        key, word, GprsOperatorCount(country),
        RefusalWords(chinese, "operator of %1", "%1 的运营商").arg(EnglishCountry(country)),
        [country](int i) {
            return QStringList{GprsOperatorShownName(country, i, kLanguageEnglish),
                               GprsOperatorShownName(country, i, kLanguageChinese)};
        },
        CatalogueCommand(false, country), chinese, QLatin1String(kOperator.name));
}

SaveDecision<GprsSettings> PrepareGprsWords(GprsSettings shown, const SettingWords& words, const Session& session,
                                            const KeySpelling& spelling)
{
    try {
        ReadModeAndOperator(shown, words, session, spelling);
        ReadMessagingWords(shown, words, session, spelling, kGprsTextFields, kPictures, kSmsControl,
                           &SmsControlEntries);
    } catch (const WordRefusal& refusal) {
        return SaveDecision<GprsSettings>::Refused(refusal.message, refusal.field);
    }
    const auto keyOfField = [](const QString& field) { return KeyOfField(kGprsTextFields, kGprsNumberFields, field); };
    return NamingTheKey(PrepareNamedGprsSave(shown, session, NamingByKey(spelling, keyOfField)), spelling, keyOfField);
}

SettingWords GprsWordsOf(const GprsSettings& s)
{
    const bool automatic = s.mode == kGprsModeAuto;
    SettingWords words;
    words.add(kMode.key, automatic ? QStringLiteral("auto") : QStringLiteral("custom"));
    if (automatic) {
        words.add(kCountry.key, EnglishCountry(s.countryIndex));
        AddOperatorWord(
            words, kOperator.key,
            [&s](int slot) { return GprsOperatorShownName(s.countryIndex, slot, kLanguageEnglish); }, s.operatorIndex);
    }
    for (const GprsTextField& field : kGprsTextFields) {
        if (!automatic || !field.preset)
            words.add(field.key, DecodeCp936(s.*field.member));
    }
    words.addNumber(kPictures.key, s.picturesPerDay);
    words.add(kSmsControl.key, SmsControlEntries(kLanguageEnglish).value(s.smsControl));
    return words;
}

} // namespace kestra
