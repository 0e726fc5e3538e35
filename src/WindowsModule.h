// SPDX-License-Identifier: Apache-2.0
#pragma once

// The windows module (src/WindowsModule.cpp): the program loads it only when it
// is started without a subcommand, so that the command line runs on QtCore
// alone. Its one exported function reads the windows' own option (--lang),
// makes the QApplication from the program's arguments (which must outlive it)
// and runs the windows until the tool ends; it returns the exit status.
inline constexpr char kWindowsEntryName[] = "KestraRunWindows";
using WindowsEntry = int (*)(int& argc, char** argv);
