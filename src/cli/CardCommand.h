// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cards/CardProfile.h"
#include "cards/SerialText.h"
#include "cli/CliSupport.h"

#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace kestra {
class RemovableDrives;
}

namespace kestra::cli {

// kestra-setup-cli card list|read|write: the removable volumes mounted now, a
// profile from a card, and whole cards written from a profile, one or a whole
// fleet in a row, each camera with its own serial text.
class CardCommand {
public:
    static constexpr const char* kName = "card"; // the subcommand
    CardCommand(CLI::App& program, const ParserOptions& options);

    CLI::App* subcommand() const { return m_command; }
    int run() const;

private:
    int list(RemovableDrives& drives) const;
    int read() const;
    int write(RemovableDrives& drives) const;
    int writeEach(RemovableDrives& drives, const CardProfile& profile, std::optional<SerialText> serial) const;

    // Which of list, read and write the line chose; set by that
    // subcommand's callback, which CLI11 calls only for the one given.
    enum class Action { List, Read, Write };
    Action m_action = Action::Write;

    CLI::App* m_command = nullptr;
    CLI::App* m_list = nullptr;
    CLI::App* m_read = nullptr;
    CLI::App* m_write = nullptr;
    bool m_json = false;
    std::string m_folder;
    std::string m_profile;
    std::string m_out;
    std::string m_clock;
    std::string m_serialFrom;
    bool m_wait = false;
    bool m_eject = false;
    bool m_powerOff = false;
    int m_count = 0;
    SessionOptions m_session;
};

} // namespace kestra::cli
