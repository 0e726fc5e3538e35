// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kestra::cli {

// Whether the arguments ask for the command line rather than the windows: a
// first argument that is a word (a subcommand, or a misspelt one, which the
// command line then reports) or --help or --version. The windows keep Qt's own
// options such as -platform.
bool IsCommandLine(int argc, const char* const* argv);

// Runs the command line; a QCoreApplication must exist. Returns the exit status.
int RunCommandLine(int argc, const char* const* argv);

} // namespace kestra::cli
