// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/Languages.h"

#include <QString>

#include <array>

namespace kestra {

// How the eleven interface languages are named: as the tool spells them (the
// main window's list, the language menu), by their English name where that
// differs, and by the two-letter code the command line takes and Qt's own
// translations are filed under.
struct LanguageSpelling {
    int index;
    const char* name;        // as the tool spells it
    const char* englishName; // nullptr when it is the same
    const char* code;        // ISO 639-1
};

inline constexpr std::array<LanguageSpelling, kLanguageCount> kLanguageSpellings{{
    {kLanguageChinese, "Chinese", nullptr, "zh"},
    {kLanguageEnglish, "English", nullptr, "en"},
    {kLanguageGerman, "Deutsch", "German", "de"},
    {kLanguageFinnish, "Suomi", "Finnish", "fi"},
    {kLanguageItalian, "Italiano", "Italian", "it"},
    {kLanguageFrench, "Francais", "French", "fr"},
    {kLanguageHungarian, "Magyar", "Hungarian", "hu"},
    {kLanguageSlovenian, "Slovenian", nullptr, "sl"},
    {kLanguageCzech, "Cesky", "Czech", "cs"},
    {kLanguageJapanese, "Japanese", nullptr, "ja"},
    {kLanguageLithuanian, "Lithuanian", nullptr, "lt"},
}};

// Chinese in its own script: the list's first entry while Chinese texts are
// shown, the language menu's Chinese entry, a word --lang takes.
inline constexpr const char* kChineseOwnName = "中文";

// The row of a language index 1 to 11, nullptr for any other value.
constexpr const LanguageSpelling* FindLanguageSpelling(int languageIndex)
{
    for (const LanguageSpelling& language : kLanguageSpellings) {
        if (language.index == languageIndex)
            return &language;
    }
    return nullptr;
}

// The words both programs' --lang takes, read in one place so that the windows
// and the command line agree: "English", "Deutsch", "german", "de", "中文" or
// "3" give the language index 1 to 11 (surrounding blanks ignored, the Latin
// names and codes in any case); any other word gives 0.
int LanguageFromWord(const QString& word);
// The languages those words name, as a refusal lists them: "Chinese (zh, 1), ...".
QString LanguageChoices();
// The refusal of a --lang word that names no language, with the list.
QString UnknownLanguageMessage(const QString& word);
// A language index as the tool spells it ("Deutsch"), "unknown" for any other value.
QString LanguageName(int languageIndex);

} // namespace kestra
