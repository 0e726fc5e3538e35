// SPDX-License-Identifier: Apache-2.0
#include "cli/MessagingCommand.h"

#include <CLI/CLI.hpp>

namespace kestra::cli {

MessagingCommand::MessagingCommand(CLI::App& program, const char* name, const char* description, const char* fileName,
                                   bool withTvMode, const ParserOptions& options)
    : m_fileName(fileName)
{
    m_command = program.add_subcommand(name, description);
    m_keys.buildFor(options);
    const auto help = [&options, fileName](const char* text) {
        return options.withHelp() ? QString::fromLatin1(text).arg(QLatin1String(fileName)).toStdString()
                                  : std::string();
    };
    m_command->add_option("--out", m_out, help("Folder to write %1 into (the card's root)"))
        ->required()
        ->type_name("DIR");
    m_command->add_option("--from", m_from, help("Start from this %1 instead of the window's opening state"))
        ->type_name("FILE");
    m_session.addTo(*m_command, withTvMode);
}

} // namespace kestra::cli
