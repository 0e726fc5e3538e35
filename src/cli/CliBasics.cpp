// SPDX-License-Identifier: Apache-2.0
// The command line's words that need no parser: its printed lines and the
// languages --lang takes. The windows read their own --lang with them, so this
// file must not include CLI11, whose headers build objects at every start.
#include "cli/CliSupport.h"
#include "cli/CommandLine.h"
#include "cli/WindowsConsole.h"

#include "common/LanguageNames.h"

#include <QStringList>

#include <cstdio>

namespace kestra::cli {

namespace {

void WriteLine(std::FILE* stream, const QString& line)
{
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

void RefuseUsage(const QString& message)
{
    throw CliFailure{kExitUsage, message};
}

void PrintLine(const QString& line)
{
    WriteLine(stdout, line);
}

void PrintErrorLine(const QString& line)
{
    WriteLine(stderr, QStringLiteral("kestra-setup: ") + line);
}

int ParseLanguage(const QString& value)
{
    const QString word = value.trimmed();
    bool isNumber = false;
    const int number = word.toInt(&isNumber);
    if (isNumber && number >= kMinLanguageCode && number <= kLanguageCount)
        return number;
    // Chinese as the main window's list writes it while Chinese texts are shown.
    if (word == QString::fromUtf8(kChineseOwnName))
        return kLanguageChinese;
    for (const LanguageSpelling& language : kLanguageSpellings) {
        for (const char* spelling : {language.name, language.englishName, language.code}) {
            if (spelling && word.compare(QLatin1String(spelling), Qt::CaseInsensitive) == 0)
                return language.index;
        }
    }
    RefuseUsage(QStringLiteral("--lang: \"%1\" is no language; use one of %2").arg(value, LanguageChoices()));
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

QString LanguageName(int languageIndex)
{
    const LanguageSpelling* language = FindLanguageSpelling(languageIndex);
    return language ? QLatin1String(language->name) : QStringLiteral("unknown");
}

WindowsOptions ReadWindowsOptions(int argc, const char* const* argv)
{
    const auto refuse = [](const QString& message) {
        // The windowed Windows program has no console of its own to say it on.
        AttachToParentConsole();
        PrintErrorLine(message);
        return WindowsOptions{.status = kExitUsage};
    };
    WindowsOptions options;
    const QString option = QStringLiteral("--lang");
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        QString value;
        if (argument == option) {
            if (i + 1 >= argc)
                return refuse(QStringLiteral("--lang needs a language: one of %1").arg(LanguageChoices()));
            value = QString::fromLocal8Bit(argv[++i]);
        } else if (argument.startsWith(option + QLatin1Char('='))) {
            value = argument.mid(option.size() + 1);
        } else {
            continue;
        }
        try {
            options.languageCode = ParseLanguage(value);
        } catch (const CliFailure& failure) {
            return refuse(failure.message);
        }
    }
    return options;
}

} // namespace kestra::cli
