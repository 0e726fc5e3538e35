// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/LanguageNames.h"
#include "common/SaveDecision.h"
#include "common/Session.h"
#include "filecheck/SettingsFileCheck.h"
#include "formats/shared/SettingWords.h"
#include "storage/SettingsFinding.h"

#include <QString>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace kestra::cli {

// Exit statuses: 0 done (and, for inspect, every file clean), 1 a file could
// not be written or read or did not check clean, 2 the command line itself was
// refused (bad option, bad value, a value the save checks turn down).
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Thrown by a command to end with one line on stderr and `status`. Nothing has
// been written when a command throws it with kExitUsage.
struct CliFailure {
    int status;
    QString message;
};

[[noreturn]] void RefuseUsage(const QString& message);

// The checked record a window's save step decided on; its refusal ends the
// command (kExitUsage) before anything is written.
template <typename Record> Checked<Record> Decided(const SaveDecision<Record>& decision)
{
    if (!decision.ok())
        RefuseUsage(*decision.refusal);
    return *decision.checked;
}

// How a command that wrote a settings file ends, as the window's Save does: a
// failed save with kExitFailed, a saved file with "<saved message>: <path>"
// and kExitOk.
int FinishSave(const SaveResult& saved, bool chinese, const QString& savedMessage, const QString& path);

// Lines on stdout and stderr, in UTF-8 whatever the locale says: the texts of
// the Chinese and Japanese interface must come out whole.
// Text for standard output or standard error: wide characters to a Windows
// console, so that Chinese shows whatever its code page; UTF-8 to a file, a
// pipe, or any other system's terminal.
void WriteText(std::FILE* stream, const QString& text);
void PrintLine(const QString& line);
void PrintErrorLine(const QString& line);

QString FromStd(const std::string& text);
// A path the line gave, with the system's own separators, as every message
// names a path (QDir::toNativeSeparators).
QString NativePath(const std::string& path);
// The failed read of a --from file: "--from: " and the failure, its path
// with the system's own separators.
QString FromFileFailure(const FileError& error, bool chinese);

// What a command's parser is built with: the help texts put together for
// the help alone (a list's every entry) only when the line may ask for help;
// for a command with subcommands of its own, only the one the line names (its
// second word); and of the options of a file's keys, only those the line
// gives. A parser of every option costs more than a save's own work, and an
// option the line does not give has nothing to read; a line that may ask for
// help gets them all.
class ParserOptions {
public:
    ParserOptions() = default; // every help text, subcommand and option
    static ParserOptions ForLine(int argc, const char* const* argv);
    bool withHelp() const { return m_help; }
    // Whether the parser of subcommand `name` is to be built: the one the
    // line names, or every one where it names none of them.
    bool builds(const char* name, std::initializer_list<const char*> all) const
    {
        const bool named = std::any_of(all.begin(), all.end(), [this](const char* one) { return m_subcommand == one; });
        return !named || m_subcommand == name;
    }
    // Whether the option "--" `key` is to be built.
    bool takesKey(const char* key) const;

private:
    bool m_help = true;
    bool m_everyOption = true;
    std::string m_subcommand;
    std::vector<std::string> m_givenOptions; // as "--key", without "=value"
};

// The options of a file's keys: "--" and the key of each row, each taking a
// word, and the words the line gave, by key, for the format's XWords.h to read.
// An option given with an empty word is given (an empty text clears a field).
class KeyOptions {
public:
    // Only the keys `options` takes are added from then on.
    void buildFor(const ParserOptions& options) { m_options = options; }
    // The option, or nullptr for a key the line does not give.
    CLI::Option* add(CLI::App& command, const char* key, const std::string& help, const std::string& typeName);
    SettingWords words() const;
    bool any() const;
    // The option of a key given on the line, if any.
    const CLI::Option* given() const;

private:
    struct Entry {
        const char* key;
        std::string word;
        CLI::Option* option;
    };
    std::deque<Entry> m_entries; // the parser holds on to each word
    ParserOptions m_options;
};

// Whether a command line may show help: a word that CLI11 could read as -h,
// --help or --help-all (a group of short flags with an h in it, too).
bool MayAskForHelp(int argc, const char* const* argv);

// --lang and --tv-mode, shared by every command that writes or reads with
// messages. --lang sets both the interface language (the words and messages)
// and the language byte every file carries, as the main window does.
struct SessionOptions {
    std::string language;
    std::optional<int> tvMode;

    void addTo(CLI::App& command, bool withTvMode);
    bool languageGiven() const { return !language.empty(); }
    // The session the options describe; `fallbackLanguage` (a file's language
    // byte) stands in when --lang is not given.
    Session session(std::optional<int> fallbackLanguage = std::nullopt,
                    std::optional<int> fallbackTvMode = std::nullopt) const;
};

// A --lang word (common/LanguageNames.h): the language index 1..11. Anything
// else is refused (kExitUsage) with the list of languages.
int ParseLanguage(const QString& value);

// --clock "2024-03-05 08:07:06" when `given` (a date that does not exist, or
// a year outside the camera's calendar, is refused), otherwise the PC's local
// time, its year limited to the camera's calendar by the Camera window's rule.
PcClock CameraClock(const std::string& clockOption, bool given, bool chinese = false);

// A --from file is edited only when it checks clean: the values of a file
// with a broken checksum, a wrong size or a value no window writes are not
// trusted to be written back; `inspect` says what is wrong with it.
void RefuseUncheckedFromFile(SettingsFileKind kind, const std::string& path, bool chinese);

} // namespace kestra::cli
