// SPDX-License-Identifier: Apache-2.0
// The controls a template builds: dialog-unit geometry, the fonts, list
// behaviour, names for screen readers, tab order.

#include "SampleTemplate.h"
#include "support/AnnouncedName.h"
#include "support/ScriptedDialog.h"
#include "support/TestServices.h"

#include "ui/ControlWidgets.h"
#include "ui/DialogUnits.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace kestra::test {
namespace {

using namespace ui;

TEST(DialogUnits, RoundLikeMulDiv)
{
    struct Case {
        int a, b, c, result;
    };
    for (const Case& c : {Case{7, 6, 4, 11}, Case{5, 13, 8, 8}, Case{3, 13, 8, 5}, Case{-7, 6, 4, -11},
                          Case{0, 7, 4, 0}, Case{1, 1, 2, 1}, Case{9, 9, 0, -1}})
        EXPECT_EQ(MulDivRound(c.a, c.b, c.c), c.result) << c.a << "*" << c.b << "/" << c.c;

    // The main window's camera button with base units of 7 x 16 pixels.
    EXPECT_EQ(MapDialogRect(QRect(34, 81, 84, 27), {7, 16}), QRect(60, 162, 147, 54));
}

TEST(DialogUnits, BaseUnitsComeFromTheTemplateFont)
{
    const QFont simsun = TemplateFont(DialogFont::SimSun9);
    EXPECT_EQ(simsun.pixelSize(), 12);
    const QFont system = TemplateFont(DialogFont::System9);
    EXPECT_EQ(system.pixelSize(), 12);

    const QFontMetrics metrics(simsun);
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const DialogBaseUnits units = BaseUnitsOf(simsun);
    EXPECT_EQ(units.x, (letters / 26 + 1) / 2);
    EXPECT_EQ(units.y, metrics.height());
    EXPECT_GT(units.x, 3);
    EXPECT_GT(units.y, 10);
}

TEST(DialogUnits, TheWindowAndItsControlsFollowTheLayoutTable)
{
    TestServices fakes;
    ScriptedDialog dialog(SampleTemplate(), fakes);
    dialog.Create();
    const DialogBaseUnits units = BaseUnitsOf(TemplateFont(DialogFont::SimSun9));

    EXPECT_EQ(dialog.widget()->size(), MapDialogRect(QRect(0, 0, 200, 150), units).size());
    EXPECT_EQ(dialog.widget()->minimumSize(), dialog.widget()->maximumSize());
    EXPECT_EQ(dialog.Control(1017)->geometry(), MapDialogRect(QRect(60, 22, 30, 12), units));
    EXPECT_EQ(dialog.Control(IDOK)->geometry(), MapDialogRect(QRect(10, 126, 50, 14), units));

    // A drop-down's template height is its open list; closed, it is one line.
    const QRect list = MapDialogRect(QRect(60, 54, 60, 60), units);
    EXPECT_EQ(dialog.Control(1013)->pos(), list.topLeft());
    EXPECT_LT(dialog.Control(1013)->height(), list.height());
}

TEST(Controls, StylesBecomeWidgetProperties)
{
    TestServices fakes;
    DialogTemplate form = SampleTemplate();
    form.controls.push_back({1200, ControlKind::Edit, 0, 0, 10, 10, "", EsReadOnly | EsPassword | WsDisabled, 12});
    ScriptedDialog dialog(form, fakes);
    dialog.Create();

    auto* locked = dialog.Edit(1200).edit();
    EXPECT_TRUE(locked->isReadOnly());
    EXPECT_EQ(locked->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(locked->isEnabled());
    EXPECT_EQ(dialog.Edit(1200).GetLimitText(), 12);
    EXPECT_TRUE(dialog.Edit(1017).edit()->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(dialog.DefaultButtonId(), IDOK);
    EXPECT_TRUE(dialog.Button(IDOK).button()->isDefault());
    EXPECT_FALSE(dialog.Button(1062).button()->isDefault());
}

TEST(Controls, ListsKeepTheOriginalSelectionRules)
{
    TestServices fakes;
    ScriptedDialog dialog(SampleTemplate(), fakes);
    dialog.Create();
    CComboBox list = dialog.Combo(1013);

    EXPECT_EQ(list.AddString(QStringLiteral("Camera")), 0);
    EXPECT_EQ(list.AddString(QStringLiteral("Video")), 1);
    EXPECT_EQ(list.GetCurSel(), CB_ERR); // adding selects nothing
    EXPECT_EQ(list.GetWindowText(), QString());

    EXPECT_EQ(list.SetCurSel(1), 1);
    list.AddString(QStringLiteral("Camera+Video"));
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(list.GetWindowText(), QStringLiteral("Video"));

    struct Case {
        int index;
        int returned;
        int selected;
    };
    for (const Case& c :
         {Case{2, 2, 2}, Case{3, CB_ERR, CB_ERR}, Case{0, 0, 0}, Case{-1, CB_ERR, CB_ERR}, Case{-5, CB_ERR, CB_ERR}}) {
        EXPECT_EQ(list.SetCurSel(c.index), c.returned) << c.index;
        EXPECT_EQ(list.GetCurSel(), c.selected) << c.index;
    }
    EXPECT_EQ(list.GetCount(), 3);

    list.SetCurSel(1);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCurSel(), CB_ERR);
}

TEST(Controls, AnEditableListKeepsItsTextWhenEntriesAreAdded)
{
    TestServices fakes;
    DialogTemplate form = SampleTemplate();
    form.controls.push_back({1135, ControlKind::DropDown, 0, 0, 60, 60, "typed"});
    ScriptedDialog dialog(form, fakes);
    dialog.Create();
    CComboBox list = dialog.Combo(1135);
    list.AddString(QStringLiteral("China Mobile"));
    EXPECT_EQ(list.GetWindowText(), QStringLiteral("typed"));
    EXPECT_EQ(list.GetCurSel(), CB_ERR);
    list.SetWindowText(QStringLiteral("other"));
    EXPECT_EQ(list.GetWindowText(), QStringLiteral("other"));
}

TEST(Accessibility, EveryInputIsNamedByItsLabelAndEveryButtonByItsText)
{
    TestServices fakes;
    ScriptedDialog dialog(SampleTemplate(), fakes);
    dialog.Create();

    struct Case {
        int id;
        const char* name;
    };
    const Case cases[] = {
        {1017, "Hour"},                           // label right before it, mnemonic removed
        {1022, "Minute"},       {1013, "Mode"},   // a list, labelled by a label with an id of its own
        {1100, "Phone No 01:"}, {1064, "Folder"}, // named explicitly across the Select button
        {1057, "Select"},       {IDOK, "Save"},   {IDCANCEL, "Exit"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AnnouncedName(dialog.Control(c.id)), QString::fromUtf8(c.name)) << c.id;

    EXPECT_EQ(ControlLabel(dialog.Control(1100)), QStringLiteral("Phone No 01"));
    // "min" sits right before nothing it names: kNoBuddy.
    auto* unit = dialog.widget()->findChild<QLabel*>(QStringLiteral("static6"));
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->text(), QStringLiteral("min"));
    EXPECT_EQ(unit->buddy(), nullptr);
}

TEST(Accessibility, NamesFollowTheLanguageOfTheLabels)
{
    TestServices fakes;
    ScriptedDialog dialog(SampleTemplate(), fakes);
    dialog.Create();
    dialog.GetDlgItem(1019)->SetWindowText(QStringLiteral("模式"));
    EXPECT_EQ(AnnouncedName(dialog.Control(1013)), QStringLiteral("模式"));
    dialog.Button(1057).SetWindowText(QStringLiteral("选择"));
    EXPECT_EQ(AnnouncedName(dialog.Control(1057)), QStringLiteral("选择"));
}

TEST(Accessibility, ObjectNamesAndTabOrderFollowTheTemplate)
{
    TestServices fakes;
    ScriptedDialog dialog(SampleTemplate(), fakes);
    dialog.Create();

    EXPECT_EQ(dialog.Control(1013)->objectName(), QStringLiteral("control1013"));
    EXPECT_EQ(dialog.widget()->objectName(), QStringLiteral("dialog900"));
    EXPECT_NE(dialog.widget()->findChild<QWidget*>(QStringLiteral("static2")), nullptr);

    QStringList order;
    QWidget* widget = dialog.Control(1017);
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != dialog.Control(1017) && order.size() < 20);
    EXPECT_EQ(order, (QStringList{"control1017", "control1022", "control1013", "control1100", "control1057",
                                  "control1064", "control1", "control1062", "control2"}));
}

TEST(Controls, MnemonicsAreStrippedForNames)
{
    struct Case {
        const char* text;
        const char* stripped;
    };
    for (const Case& c :
         {Case{"&Save", "Save"}, Case{"Save && Exit", "Save & Exit"}, Case{"Plain", "Plain"}, Case{"End&", "End"}})
        EXPECT_EQ(StripMnemonic(QString::fromUtf8(c.text)), QString::fromUtf8(c.stripped)) << c.text;
}

} // namespace
} // namespace kestra::test
