// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/CliSupport.h"

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace kestra::cli {

// kestra-setup-cli inspect PATH...: every settings file named, or found in a
// named folder, decoded in words with the findings of the file check.
class FileReportCommand {
public:
    static constexpr const char* kName = "inspect"; // the subcommand
    explicit FileReportCommand(CLI::App& program);

    CLI::App* subcommand() const { return m_command; }
    int run() const;

private:
    CLI::App* m_command = nullptr;
    std::vector<std::string> m_paths;
    bool m_json = false;
    bool m_showSecrets = false;
    SessionOptions m_session;
};

} // namespace kestra::cli
