// SPDX-License-Identifier: Apache-2.0
#include "WindowsModule.h"

#include "app/CardsDialog.h"
#include "app/SetupApp.h"
#include "cli/CardProfileFile.h"
#include "ui/ControlWidgets.h"
#include "ui/FontMetricsCache.h"
#include "ui/QtServices.h"

#include <QApplication>

#include <type_traits>

extern "C" Q_DECL_EXPORT int KestraRunWindows(int& argc, char** argv, int languageCode)
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(kestra::ui::ToolIcon());

    // The template fonts' measurements from the last run: the first window
    // is shown without waiting for the font system to start.
    kestra::ui::FontMetricsCache fontMetrics(kestra::ui::FontMetricsCache::DefaultFilePath());
    kestra::ui::UseFontMetricsCache(&fontMetrics);

    // The card writing window reads profiles as the command line does.
    kestra::UseCardProfileReader(&kestra::cli::ReadCardProfileAt);

    kestra::ui::ProgramServices program;
    kestra::CSetupApp setup(program.services());
    setup.SetStartLanguage(languageCode);
    setup.InitInstance();
    const int result = setup.ExitInstance();
    kestra::ui::UseFontMetricsCache(nullptr);
    return result;
}

// A change of the signature not made on both sides fails here, not at run time.
static_assert(std::is_same_v<decltype(&KestraRunWindows), WindowsEntry>);
