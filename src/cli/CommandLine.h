// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kestra::cli {

// Runs the command line of kestra-setup-cli; a QCoreApplication must exist.
// Returns the exit status.
int RunCommandLine(int argc, const char* const* argv);

} // namespace kestra::cli
