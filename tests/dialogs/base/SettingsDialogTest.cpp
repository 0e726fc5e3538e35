// SPDX-License-Identifier: Apache-2.0
// What every settings window gets from its base: loud handler registration,
// focus notifications and the balloon hint wired to the window's controls.

#include "dialogs/base/SettingsDialog.h"
#include "cards/CardList.h"
#include "support/TestServices.h"
#include "support/WidgetDriver.h"
#include "ui/BalloonTip.h"
#include "ui/SampleTemplate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStorageInfo>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace kestra {
namespace {

constexpr int kPhone = 1100;
constexpr int kHour = 1017;
constexpr int kSelect = 1057;
constexpr int kFolder = 1064;

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

    // A save into `folder` went through: the window confirms it.
    void confirmSavedInto(const QString& folder)
    {
        m_folderText = folder;
        ShowSaveOutcome(SaveResult{}, QStringLiteral("Saved."));
    }

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

// Drives that take seconds to answer, as UDisks2 can: the root volume is the
// one card in.
class SlowDrives : public RemovableDrives {
public:
    explicit SlowDrives(QString card, std::vector<EjectHow>* ejects = nullptr, bool* ejectedOnWindowThread = nullptr)
        : m_card(std::move(card)), m_ejects(ejects), m_onWindowThread(ejectedOnWindowThread)
    {
    }
    bool isRemovable(const QString& mountPoint, const QByteArray&) override
    {
        if (mountPoint != m_card)
            return false;
        QThread::msleep(1500);
        return true;
    }
    EjectResult eject(const QString&, const QByteArray&, EjectHow how) override
    {
        QThread::msleep(500);
        if (m_ejects != nullptr)
            m_ejects->push_back(how);
        if (m_onWindowThread != nullptr)
            *m_onWindowThread = QThread::currentThread() == QCoreApplication::instance()->thread();
        return {};
    }

private:
    QString m_card;
    std::vector<EjectHow>* m_ejects;
    bool* m_onWindowThread;
};

// The windows ask which cards are in from the list kept on its own thread:
// Select answers at once while the drives are slow, and opens on the card
// once the list knows it.
TEST(SettingsDialog, SelectAnswersWhileTheDrivesAreSlow)
{
    const QString card = QStorageInfo::root().rootPath();
    CardList::replaceShared(std::make_unique<SlowDrives>(card));
    test::TestServices fakes;
    SampleSettingsWindow window(fakes.services());
    window.Create();
    ASSERT_TRUE(test::showAndActivate(window.widget()));
    auto* select = qobject_cast<QAbstractButton*>(window.Control(kSelect));
    ASSERT_NE(select, nullptr);

    QElapsedTimer timer;
    timer.start();
    select->click();
    EXPECT_LT(timer.elapsed(), 1000) << "Select waited for the drives";
    EXPECT_EQ(fakes.folders.calls, 1);

    ASSERT_TRUE(CardList::shared().waitForLook(20000));
    fakes.folders.answers.push_back(card);
    timer.restart();
    select->click();
    EXPECT_LT(timer.elapsed(), 1000) << "Select waited for the drives";
    EXPECT_EQ(fakes.services().folders.startFolder, QDir::toNativeSeparators(card)) << "the one card in";
    EXPECT_TRUE(window.Control(kFolder)->toolTip().startsWith(QStringLiteral("On the card")))
        << window.Control(kFolder)->toolTip().toStdString();
    CardList::replaceShared(std::make_unique<SlowDrives>(QString()));
}

// After a save onto a card the window offers to eject it; the eject runs on
// the list's thread and leaves the reader on for the next card.
TEST(SettingsDialog, ASaveOntoACardOffersTheEjectAndKeepsTheReader)
{
    const QString card = QStorageInfo::root().rootPath();
    std::vector<EjectHow> ejects;
    bool onWindowThread = true;
    CardList::replaceShared(std::make_unique<SlowDrives>(card, &ejects, &onWindowThread));
    ASSERT_TRUE(CardList::shared().waitForLook(20000));
    test::TestServices fakes;
    SampleSettingsWindow window(fakes.services());
    window.Create();
    fakes.messages.yesNoAnswers = {true};
    window.confirmSavedInto(card);
    ASSERT_EQ(fakes.messages.count(), 2) << fakes.messages.texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(fakes.messages.messages[0].text.startsWith(QStringLiteral("Saved.")));
    EXPECT_TRUE(fakes.messages.messages[0].text.contains(QStringLiteral("Eject the card")));
    EXPECT_TRUE(fakes.messages.last().text.contains(QStringLiteral("is ejected")))
        << fakes.messages.last().text.toStdString();
    EXPECT_EQ(ejects, std::vector<EjectHow>{EjectHow::KeepDrive});
    EXPECT_FALSE(onWindowThread) << "the window waited for the eject on its own thread";
    CardList::replaceShared(std::make_unique<SlowDrives>(QString()));
}

} // namespace
} // namespace kestra
