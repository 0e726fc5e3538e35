// SPDX-License-Identifier: Apache-2.0
// The layout check itself: a window built with one fault of each kind makes
// it name each fault, and nothing else; its sound controls pass.

#include "support/LayoutCheck.h"
#include "support/ScriptedDialog.h"
#include "support/TestServices.h"
#include "ui/Skin.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <gtest/gtest.h>

namespace kestra {
namespace {

using namespace ui;

constexpr int kShortList = 1013;    // opens one entry: its template height is that of its field
constexpr int kTouchingList = 1014; // its entry reaches the arrow
constexpr int kUnnamedLabel = 1015; // the check cannot find it by name
constexpr int kSoundList = 1016;
const char* const kLongText = "A label whose text is far too long for the room it has";
const QString kTouchingEntry = QStringLiteral("Every other minute");

DialogTemplate FaultyTemplate()
{
    return {902,
            200,
            120,
            "Faults",
            DialogFont::SimSun9,
            {
                // No room beside (the button) or below (the list): even the
                // narrowest font leaves the text cut.
                {IDC_STATIC, ControlKind::Static, 4, 4, 20, 8, kLongText},
                {IDOK, ControlKind::DefPushButton, 26, 2, 40, 14, "OK"},
                {kShortList, ControlKind::DropDownList, 4, 18, 60, 12, "", WsDisabled},
                {kTouchingList, ControlKind::DropDownList, 4, 36, 80, 60, "", WsVScroll},
                {kUnnamedLabel, ControlKind::Static, 100, 20, 60, 8, "Named", StyleNone, 0, kNoBuddy},
                {kSoundList, ControlKind::DropDownList, 100, 36, 80, 60, "", WsVScroll | WsDisabled},
            }};
}

class LayoutCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitSkinEngine();
        ASSERT_TRUE(LoadSkin(165).ok());
        ASSERT_TRUE(SelectDialogStyle(QStringLiteral("Dialog")).ok());
    }
    void TearDown() override { UnloadSkin(); }

    test::TestServices fakes;
};

TEST_F(LayoutCheckTest, NamesEachFaultOfAWindowBuiltToFail)
{
    test::ScriptedDialog dialog(FaultyTemplate(), fakes);
    dialog.initDialog = [&dialog] {
        for (const int id : {kShortList, kTouchingList, kSoundList})
            qobject_cast<QComboBox*>(dialog.Control(id))->addItems({"Off", "On", "Auto", "Daily"});
        return dialog.baseOnInitDialog();
    };
    dialog.Create();
    QApplication::processEvents();

    // The entry drawn right up to the arrow: the list's field exactly as
    // wide as the entry.
    auto* touching = qobject_cast<QComboBox*>(dialog.Control(kTouchingList));
    touching->setItemText(0, kTouchingEntry);
    QStyleOptionComboBox option;
    option.initFrom(touching);
    const QRect field =
        touching->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, touching);
    const int entry = QFontMetrics(touching->font()).horizontalAdvance(kTouchingEntry);
    touching->resize(touching->width() - field.width() + entry, touching->height());
    dialog.Control(kUnnamedLabel)->setObjectName(QString());

    const QStringList problems = test::LayoutProblems(dialog);
    const QString expected[] = {
        QStringLiteral("static #0 \"%1\": needs ").arg(QLatin1String(kLongText)),
        QStringLiteral("1013: its template height 12 opens 1 of 4 entries"),
        QStringLiteral("1014 \"%1\": runs into the arrow's margin").arg(kTouchingEntry),
        QStringLiteral("1015: no control named control1015; it is not checked"),
    };
    for (const QString& fault : expected) {
        EXPECT_EQ(problems.filter(fault).size(), 1) << "missing: " << fault.toStdString() << "\nfound:\n"
                                                    << problems.join(QLatin1Char('\n')).toStdString();
    }
    EXPECT_EQ(problems.size(), std::size(expected)) << problems.join(QLatin1Char('\n')).toStdString();

    // Limited to one control, the check names that control's faults alone.
    EXPECT_EQ(test::LayoutProblems(dialog, kSoundList), QStringList());
    EXPECT_EQ(test::LayoutProblems(dialog, kUnnamedLabel).size(), 1);
}

// The entry one pixel short of the margin passes; a pixel more fails.
TEST_F(LayoutCheckTest, AListEntryKeepsTheLeftMarginBeforeTheArrow)
{
    test::ScriptedDialog dialog({903,
                                 120,
                                 80,
                                 "Margin",
                                 DialogFont::SimSun9,
                                 {{kTouchingList, ControlKind::DropDownList, 4, 4, 100, 60, "", WsVScroll}}},
                                fakes);
    dialog.initDialog = [&dialog] {
        qobject_cast<QComboBox*>(dialog.Control(kTouchingList))->addItems({kTouchingEntry, "Off", "On"});
        return dialog.baseOnInitDialog();
    };
    dialog.Create();
    auto* list = qobject_cast<QComboBox*>(dialog.Control(kTouchingList));
    QStyleOptionComboBox option;
    option.initFrom(list);
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
    ASSERT_GT(field.left(), 0) << "the style keeps a margin before the entry";
    const int entry = QFontMetrics(list->font()).horizontalAdvance(kTouchingEntry);
    const int exact = list->width() - field.width() + entry + field.left();
    list->resize(exact, list->height());
    EXPECT_EQ(test::LayoutProblems(dialog), QStringList());
    list->resize(exact - 1, list->height());
    EXPECT_EQ(test::LayoutProblems(dialog).filter(QStringLiteral("runs into the arrow's margin")).size(), 1);
}

} // namespace
} // namespace kestra
