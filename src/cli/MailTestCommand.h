// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/CliSupport.h"

#include <string>

namespace CLI {
class App;
} // namespace CLI

namespace kestra::cli {

// kestra-setup-cli mail-test (--from gprs.dat | options) [--send] [--json]:
// logs in to the SMTP server as the camera would and, with --send, sends a
// test message. Exit status 0 only when the login (and the send) went
// through, 2 when the values could not be tested (values the camera cannot be
// given, a --ca-file without a certificate), 1 for every other failure.
class MailTestCommand {
public:
    static constexpr const char* kName = "mail-test"; // the subcommand
    explicit MailTestCommand(CLI::App& program);

    CLI::App* subcommand() const { return m_command; }
    int run();

private:
    CLI::App* m_command = nullptr;
    std::string m_from;
    // The keys of gprs.dat's rows the test uses (kMailTestFields); each text
    // reaches the server in code page 936, as the camera stores it.
    KeyOptions m_keys;
    SessionOptions m_session;
    std::string m_caFile;
    bool m_compareWholeAddress = false;
    int m_timeoutSeconds = 15;
    bool m_send = false;
    bool m_json = false;
};

} // namespace kestra::cli
