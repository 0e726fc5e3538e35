// SPDX-License-Identifier: Apache-2.0
// The command line's words that need no parser: its printed lines and the
// languages --lang takes.
#include "cli/CliSupport.h"

#include "common/LanguageNames.h"

#include <cstdio>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#endif

namespace kestra::cli {

namespace {

void WriteLine(std::FILE* stream, const QString& line)
{
    WriteText(stream, line + QLatin1Char('\n'));
}

} // namespace

void WriteText(std::FILE* stream, const QString& text)
{
#ifdef Q_OS_WIN
    // A console shows the characters it is handed as wide text, whatever its
    // code page; the same bytes in UTF-8 would show as the code page's
    // characters (Chinese garbled). A file or a pipe gets UTF-8.
    std::fflush(stream);
    HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        const std::wstring wide = text.toStdWString();
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
#endif
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

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
