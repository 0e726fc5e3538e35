// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/CliSupport.h"

#include <string>

namespace CLI {
class App;
}

namespace kestra::cli {

// kestra-setup-cli catalogue mms|gprs [--country NAME|INDEX]: the countries of a
// catalogue, or one country's operators with their presets.
class CatalogueCommand {
public:
    static constexpr const char* kName = "catalogue"; // the subcommand
    explicit CatalogueCommand(CLI::App& program);

    CLI::App* subcommand() const { return m_command; }
    int run() const;

private:
    CLI::App* m_command = nullptr;
    std::string m_which;
    std::string m_country;
    SessionOptions m_session;
};

} // namespace kestra::cli
