// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/MessagingCommand.h"
#include "formats/mms/MmsSettings.h"

namespace kestra::cli {

// kestra-setup mms --out DIR [options]: mms.dat as the MMS window saves it.
class MmsCommand : public OperatorCommand {
public:
    static constexpr const char* kName = "mms"; // the subcommand
    explicit MmsCommand(CLI::App& program, const ParserOptions& options = {});
    int run() override;
    // The record run() writes, refused as run() refuses it; nothing is written.
    Checked<MmsSettings> prepare();

private:
    TextOption* m_url;
    TextOption* m_apn;
    TextOption* m_gateway;
    TextOption* m_port;
    TextOption* m_account;
    TextOption* m_password;
    TextOption* m_phone;
    TextOption* m_email;
    TextOption* m_phone2;
};

} // namespace kestra::cli
