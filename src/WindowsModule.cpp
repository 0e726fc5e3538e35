// SPDX-License-Identifier: Apache-2.0
#include "WindowsModule.h"

#include "app/SetupApp.h"
#include "ui/QtServices.h"

#include <QApplication>
#include <QIcon>

#include <type_traits>

extern "C" Q_DECL_EXPORT int KestraRunWindows(int& argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kestra.png")));

    kestra::ui::ProgramServices program;
    kestra::CSetupApp setup(program.services());
    setup.InitInstance();
    return setup.ExitInstance();
}

// A change of the signature not made on both sides fails here, not at run time.
static_assert(std::is_same_v<decltype(&KestraRunWindows), WindowsEntry>);
