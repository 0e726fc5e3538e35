// SPDX-License-Identifier: Apache-2.0
#pragma once

// The command line's module (src/CommandLineModule.cpp): the program loads it
// for a run with a subcommand, --help or --version, and it runs on QtCore
// alone. Its entry makes the QCoreApplication from the program's arguments
// (which must outlive it), runs the command and returns the exit status. The
// windows load it too, for the card writing window's profiles: its second
// entry reads one as `card write` does.
inline constexpr char kCommandLineEntryName[] = "KestraRunCommandLine";
using CommandLineEntry = int (*)(int& argc, char** argv);
inline constexpr char kCardProfileEntryName[] = "KestraReadCardProfile";
