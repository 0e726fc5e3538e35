// SPDX-License-Identifier: Apache-2.0
// The balloon hint with real widgets on the offscreen platform; the cursor and
// the screen are faked through the balloon's seams.

#include "ui/BalloonTip.h"
#include "support/WidgetDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace kestra::ui {
namespace {

void Wait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Waits up to `limit` ms for `condition`.
template <typename Condition> bool WaitFor(Condition condition, int limit = 2000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < limit)
        Wait(10);
    return condition();
}

class BalloonTipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.setGeometry(100, 100, 400, 200);
        phone = new QLineEdit(&owner);
        phone->setGeometry(10, 10, 150, 20);
        email = new QLineEdit(&owner);
        email->setGeometry(10, 50, 150, 20);
        plain = new QLineEdit(&owner);
        plain->setGeometry(10, 90, 150, 20);
        // Clicks count only while a window of the program has the focus.
        ASSERT_TRUE(test::showAndActivate(&owner));

        balloon.SetWidth(200);
        ASSERT_TRUE(balloon.Create(&owner));
        balloon.screenGeometry = [this] { return screen; };
        balloon.cursorPosition = [this] { return cursor; };
        balloon.widgetAt = [this](QPoint point) -> QWidget* {
            for (QWidget* w : {phone, email, plain})
                if (QRect(w->mapToGlobal(QPoint(0, 0)), w->size()).contains(point))
                    return w;
            return nullptr;
        };
    }

    // A left click at `local` in `control`, relayed as the owner does.
    void Click(QWidget* control, QPoint local = QPoint(5, 5), Qt::MouseButton button = Qt::LeftButton)
    {
        const QPoint global = control->mapToGlobal(local);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(local), QPointF(global), button, button, Qt::NoModifier);
        balloon.RelayEvent(control, &press);
    }

    QPoint Centre(QWidget* control) const { return control->mapToGlobal(control->rect().center()); }

    QWidget owner;
    QLineEdit* phone = nullptr;
    QLineEdit* email = nullptr;
    QLineEdit* plain = nullptr;
    CBalloonTip balloon;
    QRect screen{0, 0, 1280, 1024};
    QPoint cursor;
};

TEST_F(BalloonTipTest, TextRectangleOfTheDefaultBalloon)
{
    EXPECT_EQ(balloon.TextRect(), QRect(38, 12, 172 - 38, 68 - 12));
    EXPECT_FALSE(balloon.window()->mask().contains(QPoint(199, 2))) << "the corner is outside the ellipse";
    EXPECT_TRUE(balloon.window()->mask().contains(QPoint(8, 34))) << "inside the pointer";
}

TEST_F(BalloonTipTest, ShowsAfterTheDelayOnlyWhileTheCursorIsOverAnOwnersControl)
{
    balloon.AddTool(phone, QStringLiteral("Phone hint"), Qt::black, 1, 50);
    cursor = QPoint(5000, 5000); // off the window
    Click(phone);
    EXPECT_FALSE(balloon.IsVisible()) << "never at once";
    Wait(200);
    EXPECT_FALSE(balloon.IsVisible()) << "not while the cursor is elsewhere";

    cursor = Centre(phone);
    ASSERT_TRUE(WaitFor([&] { return balloon.IsVisible(); }));
    EXPECT_EQ(balloon.Text(), QStringLiteral("Phone hint"));
    EXPECT_EQ(balloon.window()->pos(), phone->mapToGlobal(QPoint(5, 5)));

    // The hide time counts from the click.
    EXPECT_TRUE(WaitFor([&] { return !balloon.IsVisible(); }, 1500));
}

TEST_F(BalloonTipTest, ClicksKeysAndRightClicksMoveOrHideIt)
{
    balloon.AddTool(phone, QStringLiteral("Phone hint"), Qt::black, -1, 20);
    balloon.AddTool(email, QStringLiteral("Email hint"), Qt::black, -1, 20);
    cursor = Centre(phone);
    Click(phone);
    ASSERT_TRUE(WaitFor([&] { return balloon.IsVisible(); }));
    const QPoint first = balloon.window()->pos();

    Click(phone, QPoint(60, 8)); // the same control again: unchanged
    EXPECT_TRUE(balloon.IsVisible());
    EXPECT_EQ(balloon.window()->pos(), first);

    cursor = Centre(email);
    Click(email); // another registered control: moves there with its text
    ASSERT_TRUE(WaitFor([&] { return balloon.IsVisible(); }));
    EXPECT_EQ(balloon.Text(), QStringLiteral("Email hint"));
    EXPECT_EQ(balloon.window()->pos(), email->mapToGlobal(QPoint(5, 5)));

    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    balloon.RelayEvent(email, &key);
    EXPECT_FALSE(balloon.IsVisible());

    cursor = Centre(phone);
    Click(phone);
    ASSERT_TRUE(WaitFor([&] { return balloon.IsVisible(); }));
    Click(phone, QPoint(5, 5), Qt::RightButton);
    EXPECT_FALSE(balloon.IsVisible());

    Click(email);
    ASSERT_TRUE(WaitFor([&] { return balloon.IsVisible(); }));
    Click(plain); // a control without a hint: hidden, nothing current
    EXPECT_FALSE(balloon.IsVisible());
    EXPECT_EQ(balloon.CurrentTool(), nullptr);
}

// Clicks that no control relays, because they land on the owner itself or on
// what passes clicks on to it, hide the balloon too; so does a click on the
// title bar or a move of the window.
TEST_F(BalloonTipTest, ClicksOnTheWindowItselfHideIt)
{
    auto* label = new QLabel(QStringLiteral("Phone"), &owner);
    label->setGeometry(200, 10, 80, 20);
    auto* frame = new QGroupBox(&owner);
    frame->setGeometry(200, 60, 150, 80);
    label->show();
    frame->show();
    balloon.AddTool(phone, QStringLiteral("Phone hint"), Qt::black, -1, 20);
    struct Case {
        const char* name;
        QWidget* target;
        QEvent::Type type;
    };
    const Case cases[] = {
        {"label", label, QEvent::MouseButtonPress},
        {"frame", frame, QEvent::MouseButtonPress},
        {"background", &owner, QEvent::MouseButtonPress},
        {"title bar", &owner, QEvent::NonClientAreaMouseButtonPress},
    };
    for (const Case& c : cases) {
        cursor = Centre(phone);
        Click(phone);
        ASSERT_TRUE(WaitFor([&] { return balloon.IsVisible(); })) << c.name;
        EXPECT_EQ(balloon.window()->accessibleName(), "Phone hint") << "named by its text";
        const QPointF local(3, 3);
        QMouseEvent press(c.type, local, c.target->mapToGlobal(local), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(c.target, &press);
        EXPECT_FALSE(balloon.IsVisible()) << c.name;
        EXPECT_EQ(balloon.CurrentTool(), c.type == QEvent::MouseButtonPress ? nullptr : phone) << c.name;
    }
    Click(plain); // the title bar left the phone current
    cursor = Centre(phone);
    Click(phone);
    ASSERT_TRUE(WaitFor([&] { return balloon.IsVisible(); }));
    owner.move(owner.pos() + QPoint(30, 0));
    EXPECT_TRUE(WaitFor([&] { return !balloon.IsVisible(); }, 500)) << "moved";
}

// A left click that reaches the window while the program works in the
// background (no window of it has the keyboard focus) neither moves, hides nor
// shows the balloon; once the window has the focus again, clicks count. Keys
// and right clicks hide it whatever has the focus, as they always do.
TEST_F(BalloonTipTest, ClicksWhileNoWindowHasTheFocusAreIgnored)
{
    balloon.AddTool(phone, QStringLiteral("Phone hint"), Qt::black, -1, 20);
    balloon.AddTool(email, QStringLiteral("Email hint"), Qt::black, -1, 20);
    cursor = Centre(phone);
    Click(phone);
    ASSERT_TRUE(WaitFor([&] { return balloon.IsVisible(); }));
    const QPoint shownAt = balloon.window()->pos();

    QApplication::setActiveWindow(nullptr);
    ASSERT_EQ(QApplication::focusWidget(), nullptr);
    for (QWidget* control : {email, plain, phone}) {
        Click(control);
        EXPECT_TRUE(balloon.IsVisible()) << control->geometry().y();
        EXPECT_EQ(balloon.Text(), QStringLiteral("Phone hint"));
        EXPECT_EQ(balloon.window()->pos(), shownAt);
        EXPECT_EQ(balloon.CurrentTool(), phone);
    }
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    balloon.RelayEvent(phone, &key); // keys still hide it
    ASSERT_FALSE(balloon.IsVisible());
    cursor = Centre(email);
    Click(email);
    Wait(100);
    EXPECT_FALSE(balloon.IsVisible()) << "a background click shows nothing";

    QApplication::setActiveWindow(&owner);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    Click(email);
    ASSERT_TRUE(WaitFor([&] { return balloon.IsVisible(); }));
    EXPECT_EQ(balloon.Text(), QStringLiteral("Email hint"));

    QApplication::setActiveWindow(nullptr);
    ASSERT_EQ(QApplication::focusWidget(), nullptr);
    Click(email, QPoint(5, 5), Qt::RightButton);
    EXPECT_FALSE(balloon.IsVisible()) << "a right click hides it in the background too";
}

TEST_F(BalloonTipTest, StaysOnTheScreenAtTheRightAndBottomEdges)
{
    struct Case {
        QPoint at;
        QPoint expected;
    };
    const Case cases[] = {
        {{1270, 500}, {1280 - 200, 500}},
        {{300, 1000}, {300, 1024 - 80}},
        {{1279, 1023}, {1080, 944}},
        {{-20, -5}, {0, 0}},
    };
    for (const Case& c : cases) {
        balloon.ShowAt(c.at.x(), c.at.y(), 1, 0);
        EXPECT_EQ(balloon.window()->pos(), c.expected) << c.at.x() << "," << c.at.y();
    }
}

TEST_F(BalloonTipTest, ASecondHintForAControlReplacesTheFirst)
{
    balloon.AddTool(phone, QStringLiteral("first"), Qt::black, -1, 20);
    balloon.AddTool(phone, QStringLiteral("second"), Qt::black, -1, 20);
    cursor = Centre(phone);
    Click(phone);
    ASSERT_TRUE(WaitFor([&] { return balloon.IsVisible(); }));
    EXPECT_EQ(balloon.Text(), QStringLiteral("second"));
}

TEST_F(BalloonTipTest, AShowDelayOfZeroNeverShowsIt)
{
    balloon.AddTool(phone, QStringLiteral("never"), Qt::black, 1, 0);
    cursor = Centre(phone);
    Click(phone);
    Wait(150);
    EXPECT_FALSE(balloon.IsVisible());
}

TEST(BalloonTipLayout, WideTextWrapsFromTheTop)
{
    const QFontMetrics metrics(CBalloonTip::TextFont());
    const QRect rect(38, 12, 134, 56);
    EXPECT_EQ(CBalloonTip::TextFlags(metrics, rect, QStringLiteral("Ex: a@b.com")),
              Qt::AlignCenter | Qt::TextSingleLine);
    const QString wide =
        QStringLiteral("Note: the recommended settings for 30 minutes, you can get a longer battery life");
    EXPECT_EQ(CBalloonTip::TextFlags(metrics, rect, wide), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap);
}

} // namespace
} // namespace kestra::ui
