// SPDX-License-Identifier: Apache-2.0
#include "WindowsModule.h"
#include "cli/CommandLine.h"
#include "cli/WindowsConsole.h"
#include "common/ProgramModules.h"

#include <QByteArray>
#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace {

// Qt aborts with a terse "could not connect to display" when there is none;
// say what to do instead. Only X11 and Wayland systems need a display server,
// and an explicit platform (QT_QPA_PLATFORM or -platform) is the user's call.
bool HasNoDisplay(int argc, char** argv)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return false;
    }
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return false;
#endif
}

} // namespace

int main(int argc, char** argv)
{
    // A subcommand runs on QtCore alone: no display, no widgets, no skin and
    // no registry, so it works over SSH and in scripts.
    if (kestra::cli::IsCommandLine(argc, argv)) {
        kestra::cli::AttachToParentConsole();
        QCoreApplication app(argc, argv);
        return kestra::cli::RunCommandLine(argc, argv);
    }

    // A misspelt language is said before anything else can go wrong.
    const kestra::cli::WindowsOptions options = kestra::cli::ReadWindowsOptions(argc, argv);
    if (options.status != 0)
        return options.status;

    if (HasNoDisplay(argc, argv)) {
        std::fprintf(stderr,
                     "kestra-setup: there is no display to show the windows on (DISPLAY and\n"
                     "WAYLAND_DISPLAY are not set).\n"
                     "Start it under a virtual display instead:\n"
                     "    xvfb-run -a %s\n"
                     "(xvfb-run comes with the Debian package xvfb: sudo apt-get install -y xvfb)\n",
                     argc > 0 ? argv[0] : "kestra-setup");
        return 2;
    }

    // The windows and Qt Widgets are loaded only now, for a run that shows them.
    const kestra::ModuleEntry windows = kestra::LoadModuleEntry(kestra::ProgramModule::Windows, kWindowsEntryName);
    if (!windows.function) {
        std::fprintf(stderr,
                     "kestra-setup: the windows cannot open: %s.\nInstalling Kestra Setup again brings "
                     "them back; the commands (kestra-setup --help) work without them.\n",
                     windows.error.toLocal8Bit().constData());
        return 1;
    }
    return reinterpret_cast<WindowsEntry>(windows.function)(argc, argv, options.languageCode);
}
