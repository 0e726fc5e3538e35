// SPDX-License-Identifier: Apache-2.0
#include "cli/CliSupport.h"

#include "common/LanguageNames.h"
#include "formats/camera/CameraSettings.h"
#include "formats/camera/CameraWords.h"
#include "formats/shared/SettingsValues.h"
#include "storage/SettingsFinding.h"

#include <CLI/CLI.hpp>

#include <QDateTime>
#include <QDir>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string_view>

namespace kestra::cli {

int FinishSave(const SaveResult& saved, bool chinese, const QString& savedMessage, const QString& path)
{
    if (!saved.ok())
        throw CliFailure{kExitFailed, saved.error->message(chinese)};
    PrintLine(QStringLiteral("%1: %2").arg(savedMessage, path));
    return kExitOk;
}

QString FromStd(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString NativePath(const std::string& path)
{
    return QDir::toNativeSeparators(FromStd(path));
}

QString FromFileFailure(const FileError& error, bool chinese)
{
    FileError named = error;
    named.path = QDir::toNativeSeparators(named.path);
    named.scratchPath = QDir::toNativeSeparators(named.scratchPath);
    return QStringLiteral("--from: %1").arg(named.message(chinese));
}

CLI::Option* KeyOptions::add(CLI::App& command, const char* key, const std::string& help, const std::string& typeName)
{
    if (!m_options.takesKey(key))
        return nullptr;
    Entry& entry = m_entries.emplace_back(Entry{key, {}, nullptr});
    entry.option = command.add_option("--" + std::string(key), entry.word, help)->type_name(typeName);
    return entry.option;
}

SettingWords KeyOptions::words() const
{
    SettingWords words;
    for (const Entry& entry : m_entries) {
        if (entry.option->count() > 0)
            words.add(entry.key, FromStd(entry.word));
    }
    return words;
}

const CLI::Option* KeyOptions::given() const
{
    for (const Entry& entry : m_entries) {
        if (entry.option->count() > 0)
            return entry.option;
    }
    return nullptr;
}

bool KeyOptions::any() const
{
    return given() != nullptr;
}

ParserOptions ParserOptions::ForLine(int argc, const char* const* argv)
{
    ParserOptions options;
    options.m_help = MayAskForHelp(argc, argv);
    options.m_everyOption = options.m_help;
    options.m_subcommand = argc > 2 ? argv[2] : "";
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word.size() > 2 && word.rfind("--", 0) == 0)
            options.m_givenOptions.emplace_back(word.substr(0, word.find('=')));
    }
    return options;
}

bool ParserOptions::takesKey(const char* key) const
{
    return m_everyOption || std::any_of(m_givenOptions.begin(), m_givenOptions.end(), [key](const std::string& given) {
               return given.compare(2, std::string::npos, key) == 0;
           });
}

bool MayAskForHelp(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word.rfind("--", 0) == 0 ? word.rfind("--help", 0) == 0
                                     : word.size() > 1 && word[0] == '-' && word.find('h') != std::string_view::npos)
            return true;
    }
    return false;
}

void SessionOptions::addTo(CLI::App& command, bool withTvMode)
{
    const KeySpelling spelling = KeySpelling::CommandLine();
    // Put together in plain bytes: every command builds it, few show it.
    std::string names;
    std::string codes;
    for (const LanguageSpelling& spelt : kLanguageSpellings) {
        const char* separator = names.empty() ? "" : ", ";
        names.append(separator).append(spelt.name);
        codes.append(separator).append(spelt.code);
    }
    std::string help = "Interface language of the messages and language byte of the file: a name (";
    help.append(names)
        .append("), its code (")
        .append(codes)
        .append(") or its number ")
        .append(std::to_string(kMinLanguageCode))
        .append(" to ")
        .append(std::to_string(kLanguageCount))
        .append(" [default: English]");
    command.add_option(spelling.session(kLanguageKey).toStdString(), language, help)->type_name("LANGUAGE");
    if (withTvMode)
        command
            .add_option(spelling.session(kTvModeKey).toStdString(), tvMode,
                        "TV mode byte copied into the file [default: 0]")
            ->check(CLI::Range(0, kMaxTvMode))
            ->type_name("0-" + std::to_string(kMaxTvMode));
}

Session SessionOptions::session(std::optional<int> fallbackLanguage, std::optional<int> fallbackTvMode) const
{
    Session session;
    int index = kLanguageEnglish;
    if (languageGiven())
        index = ParseLanguage(FromStd(language));
    else if (fallbackLanguage && *fallbackLanguage >= kMinLanguageCode && *fallbackLanguage <= kLanguageCount)
        index = *fallbackLanguage;
    // The command line has no separate Chinese choice: the chosen language is
    // both the texts' language and the code stored in the file.
    session.languageIndex = index;
    session.languageCode = index;
    session.tvMode = tvMode.value_or(fallbackTvMode.value_or(0));
    return session;
}

PcClock CameraClock(const std::string& clockOption, bool given, bool chinese)
{
    if (given) {
        const TypedClock typed = ReadTypedClock(QStringLiteral("--clock"), FromStd(clockOption), chinese);
        if (!typed.clock)
            RefuseUsage(typed.refusal);
        return *typed.clock;
    }
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return ClampToCameraCalendar(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
}

void RefuseUncheckedFromFile(SettingsFileKind kind, const std::string& path, bool chinese)
{
    const SettingsFileCheckResult checked = CheckSettingsFileAt(kind, FromStd(path));
    // A file that cannot be read is a failed read (status 1), not a refused line.
    if (!checked.ok())
        throw CliFailure{kExitFailed, FromFileFailure(*checked.error, chinese)};
    if (!checked.values.clean())
        RefuseUsage((chinese ? QStringLiteral("--from：%1：%2 \"kestra-setup-cli inspect\" 会列出所有问题。")
                             : QStringLiteral("--from: %1: %2 \"kestra-setup-cli inspect\" shows everything it finds."))
                        .arg(NativePath(path), checked.values.findings.front().message(chinese)));
}

} // namespace kestra::cli
