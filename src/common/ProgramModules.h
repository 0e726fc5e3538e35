// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QtGlobal>

namespace kestra {

// The two heavy parts that only some runs need live in modules of their own,
// loaded when they are used: only the e-mail test pays for QtNetwork and what
// it brings (Kerberos, proxy look-up, TLS), and only a run that asks about
// removable drives pays for QtDBus and libdbus. Both programs load them the
// same way; nothing else of the program's own code is a module.
enum class ProgramModule {
    MailTest, // the e-mail test over QtNetwork
    Drives,   // removable drives over UDisks2 and QtDBus (Linux; Windows asks Win32 itself)
};

// Every module exports, besides its entry, the version of the build it comes
// from, and the loader takes a module of this build's version only: C++
// objects (QString, std::unique_ptr, the records) cross between the program
// and the module, laid out as that one build lays them out.
inline constexpr char kModuleVersionEntryName[] = "KestraModuleVersion";
using ModuleVersionEntry = const char* (*)();

// An entry point of a module, or what kept it from being used.
struct ModuleEntry {
    QFunctionPointer function = nullptr;
    QString error; // when function is null: names the file, or every path tried
};

// Looks for the module beside the program (a build tree, or a Windows folder)
// and then in the private folder of an install, found from the program's own
// path so that a moved install still finds its modules; loads it, checks its
// version and resolves `entryName`. A missing or broken module, or one of
// another version, is an error to show, never a crash.
ModuleEntry LoadModuleEntry(ProgramModule module, const char* entryName);

// The module's file name as the build names it (a prefix and suffix per platform).
QString ModuleFileName(ProgramModule module);

// The version of this build, which its modules must carry.
QString ProgramVersion();

} // namespace kestra

// A module's version export, one per module (drives/DrivesModule.cpp,
// mailtest/network/MailTestModule.cpp), with the version the build defines.
#define KESTRA_MODULE_VERSION_EXPORT                                                                                   \
    extern "C" Q_DECL_EXPORT const char* KestraModuleVersion()                                                         \
    {                                                                                                                  \
        return KESTRA_VERSION;                                                                                         \
    }
