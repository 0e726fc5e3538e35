// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/Languages.h"

#include <QString>

#include <initializer_list>

namespace kestra {

// One text in every interface language. A language left out (nullptr) shows the
// English text, and so does any index outside 1 to 11. Texts are UTF-8; the
// Chinese and Japanese ones must be representable in code page 936 (a test
// checks every table the shell registers).
//
//     const TextTable kSaveButton{.english = "Save", .chinese = "保存"};
struct TextTable {
    const char* english = "";
    const char* chinese = nullptr;
    const char* german = nullptr;
    const char* finnish = nullptr;
    const char* italian = nullptr;
    const char* french = nullptr;
    const char* hungarian = nullptr;
    const char* slovenian = nullptr;
    const char* czech = nullptr;
    const char* japanese = nullptr;
    const char* lithuanian = nullptr;

    // The entry of `languageIndex` itself, or nullptr when the table names none.
    const char* entry(int languageIndex) const;
    // The text shown for `languageIndex`, with the English fallback.
    const char* pick(int languageIndex) const;
    QString text(int languageIndex) const { return QString::fromUtf8(pick(languageIndex)); }
};

// A text of the tool's own code that has only two forms: Chinese for
// language 1 and English for every other language (messages, hints).
struct ChineseEnglishText {
    const char* english;
    const char* chinese;
    QString text(bool chineseText) const { return QString::fromUtf8(chineseText ? chinese : english); }
};

// printf-style formatting of a table text with integers: "%d", "%Nd" and
// "%0Nd" take the next value, "%%" is a percent sign. The tables keep the
// system's own format strings; this formats them without handing a non-literal
// format to the C library. A conversion without a value is kept as it stands.
QString FormatText(const char* format, std::initializer_list<int> values);

} // namespace kestra
