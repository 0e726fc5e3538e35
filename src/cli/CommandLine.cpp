// SPDX-License-Identifier: Apache-2.0
#include "cli/CommandLine.h"

#include "cli/CameraCommand.h"
#include "cli/CardCommand.h"
#include "cli/CatalogueCommand.h"
#include "cli/CliSupport.h"
#include "cli/FileReportCommand.h"
#include "cli/GprsCommand.h"
#include "cli/MailTestCommand.h"
#include "cli/MmsCommand.h"
#include "cli/SmsCommand.h"
#include "cli/UsageErrors.h"

#include <CLI/CLI.hpp>

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cstring>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace kestra::cli {

namespace {

// Each command runs from its subcommand's callback, which CLI11 calls once the
// whole line has parsed and passed its checks, and only for the subcommand
// given; `status` is what the command returns.
template <typename... Commands> void RunWhenChosen(int& status, std::optional<Commands>&... commands)
{
    const auto onRun = [&status](auto& command) {
        if (command)
            command->subcommand()->callback([&status, &command] { status = command->run(); });
    };
    (onRun(commands), ...);
}

template <typename Command>
void BuildIf(bool wanted, CLI::App& program, const ParserOptions& options, std::optional<Command>& command)
{
    if (!wanted)
        return;
    if constexpr (std::is_constructible_v<Command, CLI::App&, const ParserOptions&>)
        command.emplace(program, options);
    else
        command.emplace(program);
}

template <typename... Commands>
void BuildCommands(CLI::App& program, const std::string& first, const ParserOptions& options,
                   std::optional<Commands>&... commands)
{
    const bool one = ((first == Commands::kName) || ...);
    (BuildIf(!one || first == Commands::kName, program, options, commands), ...);
}

} // namespace

int RunCommandLine(int argc, const char* const* argv)
{
#ifdef Q_OS_WIN
    // main() gets its arguments in the ANSI code page, which turns every
    // character it lacks into '?' (an e-mail address or an operator's name
    // would change silently). The wide command line holds them all; below,
    // arguments are read as UTF-8 as on Linux.
    std::vector<std::string> utf8Arguments;
    for (const QString& argument : QCoreApplication::arguments())
        utf8Arguments.push_back(argument.toStdString());
    std::vector<const char*> utf8Pointers;
    for (const std::string& argument : utf8Arguments)
        utf8Pointers.push_back(argument.c_str());
    if (utf8Pointers.size() == static_cast<std::size_t>(argc)) {
        argc = static_cast<int>(utf8Pointers.size());
        argv = utf8Pointers.data();
    }
#endif
    // --lang before the command goes where the command's parser takes it.
    const std::vector<std::string> words = WithSharedOptionsAfterCommand(argc, argv);
    std::vector<const char*> wordPointers;
    wordPointers.reserve(words.size());
    for (const std::string& word : words)
        wordPointers.push_back(word.c_str());
    argc = static_cast<int>(wordPointers.size());
    argv = wordPointers.data();
    // The parser's refusals, and ours before a command runs, in the line's language.
    const bool chinese = LanguageOfLine(words) == kLanguageChinese;
    const bool json = AsksForJson(words);
    const auto refuse = [json](int status, const QString& message) {
        if (json) {
            const QByteArray text =
                QJsonDocument(QJsonObject{{QStringLiteral("error"), message}, {QStringLiteral("exitStatus"), status}})
                    .toJson(QJsonDocument::Indented);
            WriteText(stdout, QString::fromUtf8(text));
        }
        PrintErrorLine(message);
        return status;
    };
    const QString seeHelp = chinese ? QStringLiteral("（参见 --help）") : QStringLiteral(" (see --help)");

    CLI::App program{"Prepares the settings files of the Kestra T870N camera without the windows: writes "
                     "camera.dat, mms.dat, gprs.dat and sms.dat, inspects a card, writes whole cards for many "
                     "cameras from one profile, lists the operator catalogues, tests the e-mail settings "
                     "against their mail server. The windows are the other program, kestra-setup.",
                     "kestra-setup-cli"};
    program.set_version_flag("-V,--version", "kestra-setup-cli " KESTRA_VERSION);
    program.require_subcommand(1);
    program.fallthrough(false);

    // A line whose first word names a command builds that command's parser
    // alone: a parser (every option, its checks and its help text) costs more
    // than a save's own work. Any other line (help, version, a word that is no
    // command) builds them all, in the order the help lists them.
    const std::string first = argc > 1 ? argv[1] : "";
    std::optional<CameraCommand> camera;
    std::optional<MmsCommand> mms;
    std::optional<GprsCommand> gprs;
    std::optional<SmsCommand> sms;
    std::optional<FileReportCommand> inspect;
    std::optional<CatalogueCommand> catalogue;
    std::optional<MailTestCommand> mailTest;
    std::optional<CardCommand> card;
    // The texts built for the help alone only when the line may ask for it.
    BuildCommands(program, first, ParserOptions::ForLine(argc, argv), camera, mms, gprs, sms, inspect, catalogue,
                  mailTest, card);

    const auto named = [&first](CLI::App* command) { return command->check_name(first); };
    if (!first.empty() && first[0] != '-' && program.get_subcommands(named).empty()) {
        QStringList names;
        for (const CLI::App* command : program.get_subcommands([](CLI::App*) { return true; }))
            names << FromStd(command->get_name());
        return refuse(kExitUsage, (chinese ? QStringLiteral("\"%1\" 不是命令；命令有 %2")
                                           : QStringLiteral("\"%1\" is no command; the commands are %2"))
                                          .arg(FromStd(first), names.join(QStringLiteral(", ")))
                                      + seeHelp);
    }

    int status = kExitUsage;
    RunWhenChosen(status, camera, mms, gprs, sms, inspect, catalogue, mailTest, card);
    try {
        program.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        WriteText(stdout, FromStd(program.help()));
        return kExitOk;
    } catch (const CLI::CallForAllHelp&) {
        WriteText(stdout, FromStd(program.help("", CLI::AppFormatMode::All)));
        return kExitOk;
    } catch (const CLI::CallForVersion&) {
        WriteText(stdout, FromStd(program.version()) + QLatin1Char('\n'));
        return kExitOk;
    } catch (const CLI::ParseError& error) {
        return refuse(kExitUsage, UsageErrorText(error, program, words, chinese) + seeHelp);
    } catch (const CliFailure& failure) {
        return refuse(failure.status, failure.message);
    }
    return status;
}

} // namespace kestra::cli
