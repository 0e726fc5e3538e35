// SPDX-License-Identifier: Apache-2.0
#include "app/StartOptions.h"

#include "common/LanguageNames.h"
#include "common/TextTable.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#ifndef KESTRA_VERSION
#error "the build defines KESTRA_VERSION"
#endif

namespace kestra {

namespace {

// Qt's options that take the next argument as their value (QGuiApplication,
// QApplication and the X11 platform's), written with one dash or two.
constexpr std::array<std::string_view, 14> kQtOptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry", "geometry",   "qwindowtitle",
    "title",    "qwindowicon",        "icon",          "session", "style",           "stylesheet", "display",
};

bool IsQtOptionWithValue(const char* argument)
{
    std::string_view name(argument);
    if (name.substr(0, 2) == "--")
        name.remove_prefix(2);
    else if (name.substr(0, 1) == "-")
        name.remove_prefix(1);
    else
        return false;
    for (std::string_view option : kQtOptionsWithValue) {
        if (name == option)
            return true;
    }
    return false;
}

} // namespace

StartOptions ReadStartOptions(int argc, const char* const* argv)
{
    StartOptions options;
    const QString lang = QStringLiteral("--lang");
    for (int i = 1; i < argc; ++i) {
        const char* raw = argv[i];
        const QString argument = QString::fromLocal8Bit(raw);
        if (argument == lang || argument.startsWith(lang + QLatin1Char('='))) {
            QString value;
            if (argument != lang) {
                value = argument.mid(lang.size() + 1);
            } else if (i + 1 < argc) {
                value = QString::fromLocal8Bit(argv[++i]);
            } else {
                options.languageRefusal = QStringLiteral("--lang needs a language: one of %1").arg(LanguageChoices());
                continue;
            }
            options.languageCode = LanguageFromWord(value);
            if (options.languageCode == 0)
                options.languageRefusal = UnknownLanguageMessage(value);
        } else if (std::strcmp(raw, "--help") == 0 || std::strcmp(raw, "-h") == 0) {
            options.help = true;
        } else if (std::strcmp(raw, "--version") == 0) {
            options.version = true;
        } else if (IsQtOptionWithValue(raw)) {
            ++i; // Qt reads the value
        } else if (raw[0] != '-' && options.commandWord.isEmpty()) {
            options.commandWord = argument;
        }
    }
    return options;
}

QString CommandProgramLine(const QString& commandWord, bool chinese)
{
    const ChineseEnglishText line{
        .english = "kestra-setup: \"%1\" is a command of kestra-setup-cli, the command line; run kestra-setup-cli "
                   "with the same arguments (kestra-setup opens the windows).",
        .chinese = "kestra-setup：\"%1\" 是命令行程序 kestra-setup-cli 的命令，请用 kestra-setup-cli "
                   "加同样的参数运行（kestra-setup 只打开窗口）。",
    };
    return line.text(chinese).arg(commandWord);
}

QString StartHelpText()
{
    return QStringLiteral("Usage: kestra-setup [--lang LANGUAGE] [Qt options such as -platform NAME]\n"
                          "Opens the windows of Kestra Setup, which prepare the settings files of Kestra T870N "
                          "cameras.\n"
                          "  --lang LANGUAGE  open them in that language and keep it for the next start: %1\n"
                          "  --help           this text\n"
                          "  --version        the version\n"
                          "The commands that write, inspect and list the files without windows are the other "
                          "program, kestra-setup-cli: see kestra-setup-cli --help.")
        .arg(LanguageChoices());
}

QString StartVersionText()
{
    return QStringLiteral("kestra-setup " KESTRA_VERSION);
}

#ifdef Q_OS_WIN

namespace {

bool LeadsSomewhere(HANDLE handle)
{
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

} // namespace

void SayLine(std::FILE* stream, const QString& line)
{
    const DWORD which = stream == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE;
    HANDLE handle = GetStdHandle(which);
    if (!LeadsSomewhere(handle)) {
        // Started from a prompt: its console, found once for the whole run.
        static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
        if (!attached)
            return;
        handle = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return;
        SetStdHandle(which, handle);
    }
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring text = (line + QLatin1Char('\n')).toStdWString();
        DWORD written = 0;
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    DWORD written = 0;
    WriteFile(handle, bytes.constData(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

#else

void SayLine(std::FILE* stream, const QString& line)
{
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

#endif

} // namespace kestra
