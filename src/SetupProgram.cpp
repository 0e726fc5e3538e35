// SPDX-License-Identifier: Apache-2.0
// kestra-setup, the windowed program: the shell and its windows on Qt
// Widgets. The commands are the other program's (CommandLineProgram.cpp); a
// command given here is sent there in one line, before any window or display.
#include "app/CardsDialog.h"
#include "app/SetupApp.h"
#include "app/StartOptions.h"
#include "app/StartupSettings.h"
#include "common/Languages.h"
#include "ui/FontMetricsCache.h"
#include "ui/QtServices.h"
#include "ui/RegistryStore.h"
#include "ui/SystemLanguage.h"

#include "cards/CardProfileFile.h"

#include <QApplication>

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
    const kestra::StartOptions options = kestra::ReadStartOptions(argc, argv);
    // A command, or an option this program does not take: said in the
    // language the windows would open in, before any window or display;
    // nothing is stored.
    const auto chinese = [&options] {
        int language = options.languageCode;
        if (language == 0) {
            const std::unique_ptr<kestra::ui::RegistryStore> store = kestra::ui::CreatePlatformRegistryStore();
            language = kestra::RememberedTextLanguage(*store, kestra::ui::SystemDefaultLanguageId());
        }
        return language == kestra::kLanguageChinese;
    };
    if (!options.commandWord.isEmpty()) {
        kestra::SayLine(stderr, kestra::CommandProgramLine(options.commandWord, chinese()));
        return 2;
    }
    if (!options.unknownOption.isEmpty() && !options.help && !options.version) {
        kestra::SayLine(stderr, kestra::UnknownOptionLine(options.unknownOption, chinese()));
        return 2;
    }
    if (options.help || options.version) {
        kestra::SayLine(stdout, options.help ? kestra::StartHelpText() : kestra::StartVersionText());
        return 0;
    }
    // A misspelt language is said before anything else can go wrong.
    if (!options.languageRefusal.isEmpty()) {
        kestra::SayLine(stderr, QStringLiteral("kestra-setup: ") + options.languageRefusal);
        return 2;
    }

    if (HasNoDisplay(argc, argv)) {
        std::fprintf(stderr,
                     "kestra-setup: there is no display to show the windows on (DISPLAY and\n"
                     "WAYLAND_DISPLAY are not set).\n"
                     "Start it under a virtual display instead:\n"
                     "    xvfb-run -a %s\n"
                     "(xvfb-run comes with the Debian package xvfb: sudo apt-get install -y xvfb)\n"
                     "The commands run without a display: kestra-setup-cli --help.\n",
                     argc > 0 ? argv[0] : "kestra-setup");
        return 2;
    }

    // The windows take the tool's icon once the first has painted (CDialog).
    QApplication app(argc, argv);

    // The template fonts' measurements from the last run: the first window
    // is shown without waiting for the font system to start.
    kestra::ui::FontMetricsCache fontMetrics(kestra::ui::FontMetricsCache::DefaultFilePath());
    kestra::ui::UseFontMetricsCache(&fontMetrics);

    kestra::UseCardProfileReader(&kestra::ReadCardProfileAt);

    kestra::ui::ProgramServices program;
    kestra::CSetupApp setup(program.services());
    setup.SetStartLanguage(options.languageCode);
    setup.InitInstance();
    const int result = setup.ExitInstance();
    kestra::ui::UseFontMetricsCache(nullptr);
    return result;
}
