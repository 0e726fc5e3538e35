// SPDX-License-Identifier: Apache-2.0
// The command line's words that need no parser: its printed lines and the
// languages --lang takes.
#include "cli/CliSupport.h"

#include "common/LanguageNames.h"

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
    WriteLine(stderr, QStringLiteral("kestra-setup-cli: ") + line);
}

int ParseLanguage(const QString& value)
{
    const int language = LanguageFromWord(value);
    if (language == 0)
        RefuseUsage(UnknownLanguageMessage(value));
    return language;
}

} // namespace kestra::cli
