// SPDX-License-Identifier: Apache-2.0
#include "app/StartOptions.h"

#include "common/LanguageNames.h"
#include "common/TextTable.h"

#include <algorithm>
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

// Qt's options that stand alone, or carry their value after "=".
constexpr std::array<std::string_view, 7> kQtFlags = {
    "reverse", "nograb", "dograb", "sync", "widgetcount", "testability", "qmljsdebugger",
};

// kestra-setup-cli's commands: a line naming one is sent there, whatever
// word of the line came first (the value of one of the command's options).
constexpr std::array<std::string_view, 8> kCommandNames = {
    "camera", "mms", "gprs", "sms", "inspect", "catalogue", "mail-test", "card",
};

std::string_view OptionName(const char* argument)
{
    std::string_view name(argument);
    if (name.substr(0, 2) == "--")
        name.remove_prefix(2);
    else if (name.substr(0, 1) == "-")
        name.remove_prefix(1);
    else
        return {};
    return name;
}

bool IsQtOptionWithValue(const char* argument)
{
    const std::string_view name = OptionName(argument);
    for (std::string_view option : kQtOptionsWithValue) {
        if (!name.empty() && name == option)
            return true;
    }
    return false;
}

bool IsQtOption(const char* argument)
{
    std::string_view name = OptionName(argument);
    name = name.substr(0, name.find('='));
    for (std::string_view option : kQtFlags) {
        if (!name.empty() && name == option)
            return true;
    }
    for (std::string_view option : kQtOptionsWithValue) {
        if (!name.empty() && name == option)
            return true;
    }
    return false;
}

bool IsCommandName(const char* word)
{
    return std::find(kCommandNames.begin(), kCommandNames.end(), std::string_view(word)) != kCommandNames.end();
}

} // namespace

StartOptions ReadStartOptions(int argc, const char* const* argv)
{
    StartOptions options;
    bool commandNamed = false;
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
        } else if (std::strcmp(raw, "--version") == 0 || std::strcmp(raw, "-V") == 0) {
            options.version = true;
        } else if (IsQtOptionWithValue(raw)) {
            ++i; // Qt reads the value
        } else if (IsQtOption(raw)) {
            continue;
        } else if (raw[0] == '-' && raw[1] != '\0') {
            if (options.unknownOption.isEmpty())
                options.unknownOption = argument.section(QLatin1Char('='), 0, 0);
        } else if (!commandNamed && IsCommandName(raw)) {
            options.commandWord = argument;
            commandNamed = true;
        } else if (options.commandWord.isEmpty()) {
            options.commandWord = argument;
        }
    }
    // A word after an option this program does not take may be that
    // option's value: the option is what is wrong, unless a command is named.
    if (!commandNamed && !options.unknownOption.isEmpty())
        options.commandWord.clear();
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

QString UnknownOptionLine(const QString& option, bool chinese)
{
    const ChineseEnglishText line{
        .english = "kestra-setup: %1 is no option of kestra-setup, which opens the windows (see kestra-setup "
                   "--help); the commands and their options are kestra-setup-cli's.",
        .chinese = "kestra-setup：%1 不是 kestra-setup 的选项（kestra-setup 只打开窗口，参见 kestra-setup "
                   "--help）；命令及其选项属于 kestra-setup-cli。",
    };
    return line.text(chinese).arg(option);
}

QString StartHelpText()
{
    return QStringLiteral("Usage: kestra-setup [--lang LANGUAGE] [Qt options such as -platform NAME]\n"
                          "Opens the windows of Kestra Setup, which prepare the settings files of Kestra T870N "
                          "cameras.\n"
                          "  --lang LANGUAGE  open them in that language and keep it for the next start: %1\n"
                          "  --help           this text\n"
                          "  --version, -V    the version\n"
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
