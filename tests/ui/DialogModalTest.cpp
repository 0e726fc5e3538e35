// SPDX-License-Identifier: Apache-2.0
// How a window ends: only through EndDialog, reached by Enter (the default
// button's OK path), Esc and the close box (the Cancel path), and buttons.

#include "SampleTemplate.h"
#include "support/ScriptedDialog.h"
#include "support/TestServices.h"
#include "support/WidgetDriver.h"
#include "ui/ControlWidgets.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QIcon>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace kestra::test {
namespace {

using namespace ui;

// Runs the dialog modally while `act` drives it; a run that does not end
// within a few seconds ends with -99 so a broken path fails instead of hanging.
// The timers die with the run: one left behind would fire in a later test's
// event loop and end a dialog that is long gone.
int runModal(ScriptedDialog& dialog, const std::function<void()>& act)
{
    QObject run;
    QTimer::singleShot(0, &run, [&] { act(); });
    QTimer::singleShot(5000, &run, [&] {
        if (!dialog.IsEnded())
            dialog.EndDialog(-99);
    });
    return dialog.DoModal();
}

// The first window opens before the tool's icon is decoded and takes it once
// it has painted; later windows take it as they are built. (First in this
// file: no window has painted in this process before it.)
TEST(DialogModal, TheFirstWindowTakesTheIconAfterItsFirstPaintAndLaterOnesAtOnce)
{
    QPixmap picture(16, 16);
    picture.fill(Qt::darkGreen);
    QApplication::setWindowIcon(QIcon(picture)); // the tool's icon where its resource is missing
    TestServices fakes;
    ScriptedDialog first(SampleTemplate(), fakes);
    first.Create();
    const bool decodedEarlier = ToolIconDecoded();
    EXPECT_EQ(first.widget()->testAttribute(Qt::WA_SetWindowIcon), decodedEarlier);
    ASSERT_TRUE(showAndActivate(first.widget()));
    QDeadlineTimer deadline(5000);
    while (!first.widget()->testAttribute(Qt::WA_SetWindowIcon) && !deadline.hasExpired())
        processEvents();
    EXPECT_TRUE(first.widget()->testAttribute(Qt::WA_SetWindowIcon));
    EXPECT_EQ(first.widget()->windowIcon().cacheKey(), ToolIcon().cacheKey());
    EXPECT_FALSE(decodedEarlier) << "run first in its program, this test sees only the later windows' way";

    ScriptedDialog later(SampleTemplate(), fakes);
    later.Create();
    EXPECT_TRUE(later.widget()->testAttribute(Qt::WA_SetWindowIcon));
    EXPECT_EQ(later.widget()->windowIcon().cacheKey(), ToolIcon().cacheKey());
}

struct EndCase {
    const char* name;
    std::function<void(ScriptedDialog&)> act;
    int result;
    int okCalls;
    int cancelCalls;
};

TEST(DialogModal, EveryWayOutGoesThroughItsPath)
{
    const std::vector<EndCase> cases = {
        {"Esc", [](ScriptedDialog& d) { pressKey(d.widget(), Qt::Key_Escape); }, IDCANCEL, 0, 1},
        {"close box", [](ScriptedDialog& d) { d.widget()->close(); }, IDCANCEL, 0, 1},
        {"reject()", [](ScriptedDialog& d) { d.widget()->reject(); }, IDCANCEL, 0, 1},
        {"Exit button", [](ScriptedDialog& d) { d.Button(IDCANCEL).button()->click(); }, IDCANCEL, 0, 1},
        {"Enter in an edit field", [](ScriptedDialog& d) { pressKey(d.Control(1017), Qt::Key_Return); }, IDOK, 1, 0},
        {"keypad Enter", [](ScriptedDialog& d) { pressKey(d.Control(1017), Qt::Key_Enter, Qt::KeypadModifier); }, IDOK,
         1, 0},
        {"Save button", [](ScriptedDialog& d) { d.Button(IDOK).button()->click(); }, IDOK, 1, 0},
        {"accept()", [](ScriptedDialog& d) { d.widget()->accept(); }, IDOK, 1, 0},
    };
    for (const EndCase& c : cases) {
        TestServices fakes;
        ScriptedDialog dialog(SampleTemplate(), fakes);
        EXPECT_EQ(runModal(dialog, [&] { c.act(dialog); }), c.result) << c.name;
        EXPECT_EQ(dialog.okCalls, c.okCalls) << c.name;
        EXPECT_EQ(dialog.cancelCalls, c.cancelCalls) << c.name;
        EXPECT_FALSE(dialog.widget()->isVisible()) << c.name;
    }
}

TEST(DialogModal, EnterAndEscReachTheWindowFromAnyList)
{
    for (const auto& [key, result] : {std::pair{Qt::Key_Return, IDOK}, std::pair{Qt::Key_Escape, IDCANCEL}}) {
        for (const ControlKind kind : {ControlKind::DropDownList, ControlKind::DropDown}) {
            TestServices fakes;
            DialogTemplate form = SampleTemplate();
            form.controls.push_back({1135, kind, 0, 0, 60, 60, ""});
            ScriptedDialog dialog(form, fakes);
            const int ended = runModal(dialog, [&] {
                dialog.Control(1135)->setFocus();
                pressKey(dialog.Control(1135), key);
            });
            EXPECT_EQ(ended, result) << static_cast<int>(kind) << " key " << key;
        }
    }
}

TEST(DialogModal, EnterPressesTheFocusedButtonInsteadOfTheDefault)
{
    TestServices fakes;
    ScriptedDialog dialog(SampleTemplate(), fakes);
    dialog.On(Notification::Clicked, 1062, [&] { dialog.EndDialog(1062); });
    const int result = runModal(dialog, [&] {
        dialog.Control(1062)->setFocus();
        pressKey(dialog.Control(1062), Qt::Key_Return);
    });
    EXPECT_EQ(result, 1062);
    EXPECT_EQ(dialog.okCalls, 0);
}

TEST(DialogModal, EnterDoesNothingWhileTheDefaultButtonIsDisabled)
{
    TestServices fakes;
    ScriptedDialog dialog(SampleTemplate(), fakes);
    const int result = runModal(dialog, [&] {
        dialog.Button(IDOK).EnableWindow(false);
        pressKey(dialog.Control(1017), Qt::Key_Return);
        EXPECT_FALSE(dialog.IsEnded());
        pressKey(dialog.widget(), Qt::Key_Escape);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.okCalls, 0);
}

TEST(DialogModal, AWindowThatKeepsItsCancelOpenStaysOpen)
{
    TestServices fakes;
    ScriptedDialog dialog(SampleTemplate(), fakes);
    dialog.cancel = [] {}; // e.g. a window asking first
    const int result = runModal(dialog, [&] {
        pressKey(dialog.widget(), Qt::Key_Escape);
        dialog.widget()->close();
        EXPECT_TRUE(dialog.widget()->isVisible());
        dialog.EndDialog(7);
    });
    EXPECT_EQ(result, 7);
    EXPECT_EQ(dialog.cancelCalls, 2);
}

TEST(DialogModal, FailedOkKeepsTheWindowOpen)
{
    TestServices fakes;
    ScriptedDialog dialog(SampleTemplate(), fakes);
    int hour = 0;
    dialog.exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, 1017, hour); };
    const int result = runModal(dialog, [&] {
        dialog.Edit(1017).SetWindowText(QString());
        pressKey(dialog.Control(1017), Qt::Key_Return);
        EXPECT_FALSE(dialog.IsEnded());
        dialog.Edit(1017).SetWindowText(QStringLiteral("5"));
        pressKey(dialog.Control(1017), Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(hour, 5);
    EXPECT_EQ(fakes.messages.texts(), QStringList{kEnterIntegerText.text(false)});
}

TEST(DialogModal, EndDialogDuringInitReturnsWithoutShowing)
{
    TestServices fakes;
    ScriptedDialog dialog(SampleTemplate(), fakes);
    dialog.initDialog = [&] {
        dialog.EndDialog(IDCANCEL);
        return true;
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(dialog.widget()->isVisible());
    EXPECT_EQ(dialog.DoModal(), IDCANCEL); // a window runs once
}

TEST(DialogModal, InitFocusesTheFirstControlUnlessTheWindowChoseOne)
{
    TestServices fakes;
    ScriptedDialog first(SampleTemplate(), fakes);
    first.Create();
    ASSERT_TRUE(showAndActivate(first.widget()));
    EXPECT_EQ(focusWidget(), first.Control(1017));

    ScriptedDialog chosen(SampleTemplate(), fakes);
    chosen.initDialog = [&] {
        chosen.baseOnInitDialog();
        chosen.Edit(1064).SetFocus();
        return false;
    };
    chosen.Create();
    ASSERT_TRUE(showAndActivate(chosen.widget()));
    EXPECT_EQ(focusWidget(), chosen.Control(1064));
}

} // namespace
} // namespace kestra::test
