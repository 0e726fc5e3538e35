// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstring>

namespace kestra::cli {

// Whether the arguments ask for the command line rather than the windows: a
// first argument that is a word (a subcommand, or a misspelt one, which the
// command line then reports) or --help or --version. The windows keep Qt's own
// options such as -platform.
// The program decides with it before any library is loaded: C alone.
inline bool IsCommandLine(int argc, const char* const* argv)
{
    if (argc < 2)
        return false;
    const char* first = argv[1];
    return first[0] != '-' || std::strcmp(first, "--help") == 0 || std::strcmp(first, "-h") == 0
           || std::strcmp(first, "--version") == 0;
}

// The one option of a run that opens the windows: --lang NAME|CODE (or
// --lang=NAME) opens them in that language and stores it, as the language menu
// does. Every other argument is left to Qt (-platform and the like).
struct WindowsOptions {
    int languageCode = 0; // 0: not given, the stored language stands
    int status = 0;       // 2 when --lang names no language (said on stderr)
};
WindowsOptions ReadWindowsOptions(int argc, const char* const* argv);

// Runs the command line; a QCoreApplication must exist. Returns the exit status.
int RunCommandLine(int argc, const char* const* argv);

} // namespace kestra::cli
