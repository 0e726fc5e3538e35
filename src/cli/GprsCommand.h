// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/MessagingCommand.h"
#include "formats/gprs/GprsSettings.h"

namespace kestra::cli {

// kestra-setup-cli gprs --out DIR [options]: gprs.dat as the SMTP window saves it.
class GprsCommand : public MessagingCommand {
public:
    static constexpr const char* kName = "gprs"; // the subcommand
    explicit GprsCommand(CLI::App& program, const ParserOptions& options = {});
    int run() override;
    // The record run() writes, refused as run() refuses it; nothing is written.
    Checked<GprsSettings> prepare();
};

} // namespace kestra::cli
