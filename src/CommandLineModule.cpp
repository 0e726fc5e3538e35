// SPDX-License-Identifier: Apache-2.0
#include "CommandLineModule.h"

#include "cards/CardProfile.h"
#include "cli/CardProfileFile.h"
#include "cli/CommandLine.h"
#include "cli/WindowsConsole.h"

#include <QCoreApplication>

#include <type_traits>

extern "C" Q_DECL_EXPORT int KestraRunCommandLine(int& argc, char** argv)
{
    kestra::cli::AttachToParentConsole();
    QCoreApplication app(argc, argv);
    return kestra::cli::RunCommandLine(argc, argv);
}

// The card writing window's profiles, read as `card write` reads them; never
// throws, so that nothing but the outcome crosses between the modules.
extern "C" Q_DECL_EXPORT void KestraReadCardProfile(const QString& path, int languageCode,
                                                    kestra::CardProfileRead& read)
{
    try {
        read = kestra::cli::ReadCardProfileAt(path, languageCode);
    } catch (...) {
        read = {std::nullopt, QStringLiteral("%1 could not be read").arg(path)};
    }
}

// A change of a signature not made on both sides fails here, not at run time.
static_assert(std::is_same_v<decltype(&KestraRunCommandLine), CommandLineEntry>);
static_assert(std::is_same_v<decltype(&KestraReadCardProfile), kestra::CardProfileEntry>);
