// SPDX-License-Identifier: Apache-2.0
#include "common/LanguageNames.h"

#include <QStringList>

namespace kestra {

int LanguageFromWord(const QString& word)
{
    const QString trimmed = word.trimmed();
    bool isNumber = false;
    const int number = trimmed.toInt(&isNumber);
    if (isNumber)
        return FindLanguageSpelling(number) != nullptr ? number : 0;
    // Chinese as the main window's list writes it while Chinese texts are shown.
    if (trimmed == QString::fromUtf8(kChineseOwnName))
        return kLanguageChinese;
    for (const LanguageSpelling& language : kLanguageSpellings) {
        for (const char* spelling : {language.name, language.englishName, language.code}) {
            if (spelling && trimmed.compare(QLatin1String(spelling), Qt::CaseInsensitive) == 0)
                return language.index;
        }
    }
    return 0;
}

QString LanguageChoices()
{
    QStringList accepted;
    for (const LanguageSpelling& language : kLanguageSpellings)
        accepted << QStringLiteral("%1 (%2, %3)")
                        .arg(QLatin1String(language.name), QLatin1String(language.code))
                        .arg(language.index);
    return accepted.join(QStringLiteral(", "));
}

QString UnknownLanguageMessage(const QString& word)
{
    return QStringLiteral("--lang: \"%1\" is no language; use one of %2").arg(word, LanguageChoices());
}

QString LanguageName(int languageIndex)
{
    const LanguageSpelling* language = FindLanguageSpelling(languageIndex);
    return language ? QLatin1String(language->name) : QStringLiteral("unknown");
}

} // namespace kestra
