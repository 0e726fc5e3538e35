// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/Languages.h"

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

} // namespace kestra
