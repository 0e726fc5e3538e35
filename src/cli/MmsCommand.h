// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/MessagingCommand.h"
#include "formats/mms/MmsSettings.h"

namespace kestra::cli {

// kestra-setup-cli mms --out DIR [options]: mms.dat as the MMS window saves it.
class MmsCommand : public MessagingCommand {
public:
    static constexpr const char* kName = "mms"; // the subcommand
    explicit MmsCommand(CLI::App& program, const ParserOptions& options = {});
    int run() override;
    // The record run() writes, refused as run() refuses it; nothing is written.
    Checked<MmsSettings> prepare();
};

} // namespace kestra::cli
