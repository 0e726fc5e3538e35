// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QtGlobal>

namespace kestra {

// The parts of the program that only some runs need live in modules of their
// own, loaded when they are used: a command-line run then starts on QtCore
// alone, only the e-mail test pays for QtNetwork and what it brings
// (Kerberos, proxy look-up, TLS), and only a run that asks about removable
// drives pays for QtDBus and libdbus.
enum class ProgramModule {
    CommandLine, // the subcommands on QtCore, and the card profiles' reader
    Windows,     // the shell, the windows and Qt Widgets
    MailTest,    // the e-mail test over QtNetwork
    Drives,      // removable drives over UDisks2 and QtDBus (Linux; Windows asks Win32 itself)
};

// An entry point of a module, or what kept it from being found.
struct ModuleEntry {
    QFunctionPointer function = nullptr;
    QString error; // when function is null: names every path tried
};

// Looks for the module beside the program (a build tree, or a Windows folder)
// and then in the private folder of an install, found from the program's own
// path so that a moved install still finds its modules; loads it and resolves
// `entryName`. A missing or broken module is an error to show, never a crash.
ModuleEntry LoadModuleEntry(ProgramModule module, const char* entryName);

// The module's file name as the build names it (a prefix and suffix per platform).
QString ModuleFileName(ProgramModule module);

} // namespace kestra
