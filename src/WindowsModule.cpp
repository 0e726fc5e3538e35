// SPDX-License-Identifier: Apache-2.0
#include "WindowsModule.h"
#include "CommandLineModule.h"

#include "app/CardsDialog.h"
#include "app/SetupApp.h"
#include "cli/CommandLine.h"
#include "common/ProgramModules.h"
#include "ui/FontMetricsCache.h"
#include "ui/QtServices.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <type_traits>

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

// The card writing window reads profiles as `card write` does, with the
// command line's own module, loaded the first time a profile is read: a run
// that never writes cards maps none of the command line.
kestra::CardProfileRead ReadProfileWithCommandLine(const QString& path, int languageCode)
{
    static const kestra::ModuleEntry module =
        kestra::LoadModuleEntry(kestra::ProgramModule::CommandLine, kCardProfileEntryName);
    if (!module.function)
        return {std::nullopt, QStringLiteral("profiles cannot be read: %1").arg(module.error)};
    kestra::CardProfileRead read;
    reinterpret_cast<kestra::CardProfileEntry>(module.function)(path, languageCode, read);
    return read;
}

} // namespace

extern "C" Q_DECL_EXPORT int KestraRunWindows(int& argc, char** argv)
{
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

    // The windows take the tool's icon once the first has painted (CDialog).
    QApplication app(argc, argv);

    // The template fonts' measurements from the last run: the first window
    // is shown without waiting for the font system to start.
    kestra::ui::FontMetricsCache fontMetrics(kestra::ui::FontMetricsCache::DefaultFilePath());
    kestra::ui::UseFontMetricsCache(&fontMetrics);

    kestra::UseCardProfileReader(&ReadProfileWithCommandLine);

    kestra::ui::ProgramServices program;
    kestra::CSetupApp setup(program.services());
    setup.SetStartLanguage(options.languageCode);
    setup.InitInstance();
    const int result = setup.ExitInstance();
    kestra::ui::UseFontMetricsCache(nullptr);
    return result;
}

// A change of the signature not made on both sides fails here, not at run time.
static_assert(std::is_same_v<decltype(&KestraRunWindows), WindowsEntry>);
