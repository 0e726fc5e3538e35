// SPDX-License-Identifier: Apache-2.0
// What every settings window gets from its base: loud handler registration,
// focus notifications and the balloon hint wired to the window's controls.

#include "windows/base/SettingsDialog.h"
#include "support/TestServices.h"
#include "support/WidgetDriver.h"
#include "ui/BalloonTip.h"
#include "ui/SampleTemplate.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace kestra {
namespace {

constexpr int kPhone = 1100;
constexpr int kHour = 1017;

class SampleSettingsWindow : public CSettingsDialog {
public:
    SampleSettingsWindow(ui::Services& services, int extraHandlerId = 0)
        : CSettingsDialog(Template(), services, Session{}, FolderRow{1057, 1064})
    {
        On(ui::Notification::SetFocus, kPhone, [this] { focusLog.push_back("phone+"); });
        On(ui::Notification::KillFocus, kPhone, [this] { focusLog.push_back("phone-"); });
        if (extraHandlerId != 0)
            On(ui::Notification::Clicked, extraHandlerId, [] {});
    }

    std::vector<const char*> focusLog;

protected:
    bool OnInitDialog() override
    {
        CSettingsDialog::OnInitDialog();
        AddHint(kPhone, QStringLiteral("The phone number can be used as an SMS control number"));
        return true;
    }
    void Save() override {}
    int ControlOfField(const QString&) const override { return 0; }

private:
    static const ui::DialogTemplate& Template()
    {
        static const ui::DialogTemplate t = test::SampleTemplate();
        return t;
    }
};

TEST(SettingsDialogDeathTest, AHandlerForAControlTheTemplateLacksStopsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            test::TestServices fakes;
            SampleSettingsWindow window(fakes.services(), 4242);
        },
        "control 4242");
}

TEST(SettingsDialog, FocusChangesReachTheWindowsHandlers)
{
    test::TestServices fakes;
    SampleSettingsWindow window(fakes.services());
    window.Create();
    ASSERT_TRUE(test::showAndActivate(window.widget()));
    window.Edit(kPhone).SetFocus();
    test::processEvents();
    window.Edit(kHour).SetFocus();
    test::processEvents();
    EXPECT_EQ(window.focusLog, (std::vector<const char*>{"phone+", "phone-"}));
}

TEST(SettingsDialog, AClickIntoAHintedFieldShowsThePaleGreenBalloon)
{
    test::TestServices fakes;
    SampleSettingsWindow window(fakes.services());
    window.Create();
    ASSERT_TRUE(test::showAndActivate(window.widget()));
    ui::CBalloonTip* balloon = window.balloon();
    ASSERT_NE(balloon, nullptr);
    QWidget* phone = window.Control(kPhone);
    balloon->cursorPosition = [phone] { return phone->mapToGlobal(QPoint(3, 3)); };
    balloon->widgetAt = [phone](QPoint) { return phone; };

    // Through the window's own event path, as a real click arrives.
    const QPoint local(4, 4);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(local), QPointF(phone->mapToGlobal(local)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(phone, &press);

    for (int i = 0; i < 100 && !balloon->IsVisible(); ++i) {
        test::processEvents();
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    EXPECT_TRUE(balloon->IsVisible());
    EXPECT_EQ(balloon->Text(), QStringLiteral("The phone number can be used as an SMS control number"));
    EXPECT_EQ(balloon->CurrentTool(), phone);
}

} // namespace
} // namespace kestra
