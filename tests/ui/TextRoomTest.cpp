// SPDX-License-Identifier: Apache-2.0
// A text longer than its control (another language, another font) takes the
// free room beside it, then below it, then a narrower font, and gives the room
// back when it becomes short again.

#include "support/ScriptedDialog.h"
#include "support/TestServices.h"
#include "ui/DialogUnits.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>

#include <gtest/gtest.h>

namespace kestra {
namespace {

using namespace ui;
using test::ScriptedDialog;
using test::TestServices;

const QString kLong = QStringLiteral("Wwwwwww Wwwwwww");

struct Case {
    const char* name;
    int rightNeighbour; // x of the field right of the label, dialog units
    int belowNeighbour; // y of the control below it
    const char* fit;
    bool wider, taller, narrower;
};

TEST(TextRoom, LongTextTakesRoomBesideThenBelowThenANarrowerFont)
{
    const DialogBaseUnits units = BaseUnitsOf(TemplateFont(DialogFont::SimSun9));
    const QFontMetrics metrics(TemplateFont(DialogFont::SimSun9));
    // Just too narrow for the text on one line at the template font, wide
    // enough for one word at a narrower width of it.
    const int words = metrics.horizontalAdvance(kLong);
    const int cx = (words * 85 / 100) * 4 / units.x;
    const int room = (words + 10) * 4 / units.x + 10;
    const Case cases[] = {
        {"room beside", 10 + room, 60, "wider", true, false, false},
        {"room below", 10 + cx + 2, 60, "taller", false, true, false},
        {"no room", 10 + cx + 2, 19, "narrower", false, false, true},
    };
    for (const Case& c : cases) {
        TestServices fakes;
        ScriptedDialog dialog({901,
                               200 + room,
                               80,
                               "Sample",
                               DialogFont::SimSun9,
                               {
                                   {1100, ControlKind::Static, 10, 10, cx, 8, "Short"},
                                   {1101, ControlKind::Edit, c.rightNeighbour, 8, 30, 12, ""},
                                   {1102, ControlKind::Edit, 10, c.belowNeighbour, 30, 12, ""},
                               }},
                              fakes);
        dialog.Create();
        QWidget* label = dialog.Control(1100);
        const QRect placed = MapDialogRect(QRect(10, 10, cx, 8), units);
        ASSERT_EQ(label->geometry(), placed) << c.name;

        dialog.GetDlgItem(1100)->SetWindowText(kLong);
        QApplication::processEvents();
        const QString fit = label->property("layoutFit").toString();
        EXPECT_TRUE(fit.contains(QLatin1String(c.fit))) << c.name << ": " << fit.toStdString();
        EXPECT_EQ(label->pos(), placed.topLeft()) << c.name;
        EXPECT_EQ(label->width() > placed.width(), c.wider) << c.name;
        EXPECT_EQ(label->height() > placed.height(), c.taller) << c.name;
        EXPECT_EQ(label->font().stretch() != QFont::AnyStretch && label->font().stretch() < 100, c.narrower) << c.name;
        EXPECT_FALSE(label->geometry().intersects(dialog.Control(1101)->geometry())) << c.name;
        EXPECT_FALSE(label->geometry().intersects(dialog.Control(1102)->geometry())) << c.name;

        // A short text again: the template's rectangle and font.
        dialog.GetDlgItem(1100)->SetWindowText(QStringLiteral("Short"));
        QApplication::processEvents();
        EXPECT_EQ(label->geometry(), placed) << c.name;
        EXPECT_EQ(label->font(), dialog.widget()->font()) << c.name;
        EXPECT_EQ(label->property("layoutFit").toString(), QString()) << c.name;
    }
}

} // namespace
} // namespace kestra
