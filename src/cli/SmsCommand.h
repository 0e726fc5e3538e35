// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/MessagingCommand.h"
#include "formats/sms/SmsSettings.h"

namespace kestra::cli {

// kestra-setup-cli sms --out DIR [options]: sms.dat as the SMS window saves it.
class SmsCommand : public MessagingCommand {
public:
    static constexpr const char* kName = "sms"; // the subcommand
    explicit SmsCommand(CLI::App& program, const ParserOptions& options = {});
    int run() override;
    // The record run() writes, refused as run() refuses it; nothing is written.
    Checked<SmsSettings> prepare();
};

} // namespace kestra::cli
