// SPDX-License-Identifier: Apache-2.0
// Notifications by control id: typed and programmatic edit changes, list picks
// and cancels, clicks, and the re-entrant cases the windows run into.

#include "SampleTemplate.h"
#include "support/ScriptedDialog.h"
#include "support/TestServices.h"
#include "support/WidgetDriver.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace kestra::test {
namespace {

using namespace ui;

class Notifications : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog.Create();
        CComboBox mode = dialog.Combo(1013);
        for (const char* entry : {"Camera", "Video", "Camera+Video"})
            mode.AddString(QString::fromUtf8(entry));
        mode.SetCurSel(0);
    }

    int count(Notification what, int id)
    {
        auto it = counters.find({what, id});
        if (it == counters.end()) {
            it = counters.emplace(std::make_pair(what, id), 0).first;
            dialog.On(what, id, [this, what, id] { ++counters[{what, id}]; });
        }
        return it->second;
    }

    TestServices fakes;
    ScriptedDialog dialog{SampleTemplate(), fakes};
    std::map<std::pair<Notification, int>, int> counters;
};

TEST_F(Notifications, EditChangeComesFromTypingAndFromCodeButOnlyOnARealChange)
{
    count(Notification::EditChange, 1100);
    typeText(dialog.Control(1100), QStringLiteral("ab"));
    EXPECT_EQ(count(Notification::EditChange, 1100), 2);

    dialog.Edit(1100).SetWindowText(QStringLiteral("xyz"));
    EXPECT_EQ(count(Notification::EditChange, 1100), 3);
    dialog.Edit(1100).SetWindowText(QStringLiteral("xyz"));
    EXPECT_EQ(count(Notification::EditChange, 1100), 3);

    // Refused typing (letters in a number field) changes nothing and says nothing.
    count(Notification::EditChange, 1017);
    typeText(dialog.Control(1017), QStringLiteral("a"));
    EXPECT_EQ(dialog.Edit(1017).GetWindowText(), QString());
    EXPECT_EQ(count(Notification::EditChange, 1017), 0);
}

TEST_F(Notifications, ListPicksNotifyButSelectionsFromCodeDoNot)
{
    count(Notification::SelChange, 1013);
    dialog.Combo(1013).SetCurSel(2);
    EXPECT_EQ(count(Notification::SelChange, 1013), 0);

    pickWithKeyboard(dialog.Combo(1013).combo(), 1);
    EXPECT_EQ(count(Notification::SelChange, 1013), 1);
    EXPECT_EQ(dialog.Combo(1013).GetCurSel(), 1);
}

TEST_F(Notifications, AListClosedWithoutAPickReportsTheCancel)
{
    ASSERT_TRUE(showAndActivate(dialog.widget()));
    QComboBox* combo = dialog.Combo(1013).combo();
    count(Notification::SelEndCancel, 1013);
    count(Notification::SelChange, 1013);

    combo->showPopup();
    combo->hidePopup();
    processEvents();
    EXPECT_EQ(count(Notification::SelEndCancel, 1013), 1);

    combo->showPopup();
    combo->view()->setCurrentIndex(combo->model()->index(2, 0));
    pressKey(combo->view(), Qt::Key_Return);
    processEvents();
    EXPECT_EQ(count(Notification::SelChange, 1013), 1);
    EXPECT_EQ(count(Notification::SelEndCancel, 1013), 1);
    EXPECT_EQ(dialog.Combo(1013).GetCurSel(), 2);
}

TEST_F(Notifications, ClicksGoToTheirHandlerAndOkCancelFallBackToTheVirtuals)
{
    count(Notification::Clicked, 1057);
    dialog.Button(1057).button()->click();
    EXPECT_EQ(count(Notification::Clicked, 1057), 1);

    dialog.ok = [] {};
    dialog.Notify(Notification::Clicked, IDOK);
    EXPECT_EQ(dialog.okCalls, 1);

    // A handler of its own replaces OnOK for the button.
    count(Notification::Clicked, IDOK);
    dialog.Button(IDOK).button()->click();
    EXPECT_EQ(dialog.okCalls, 1);
    EXPECT_EQ(count(Notification::Clicked, IDOK), 1);
}

TEST_F(Notifications, ControlsDoNotNotifyWhileTheDataExchangeRuns)
{
    int hour = 7;
    QString phone = QStringLiteral("555");
    dialog.exchange = [&](CDataExchange* pDX) {
        DDX_Text(pDX, 1017, hour);
        DDX_Text(pDX, 1100, phone);
    };
    count(Notification::EditChange, 1017);
    count(Notification::EditChange, 1100);
    ASSERT_TRUE(dialog.UpdateData(false));
    EXPECT_EQ(dialog.Edit(1017).GetWindowText(), QStringLiteral("7"));
    EXPECT_EQ(dialog.Edit(1100).GetWindowText(), QStringLiteral("555"));
    EXPECT_EQ(count(Notification::EditChange, 1017), 0);
    EXPECT_EQ(count(Notification::EditChange, 1100), 0);
}

// The Camera window's number field: every change pulls all fields with their
// checks; a value above the maximum is reset to 0 and pushed back.
TEST_F(Notifications, AnOversizedNumberIsReportedOnceAndResetToZero)
{
    int hour = 0;
    int minute = 0;
    int handlerRuns = 0;
    dialog.exchange = [&](CDataExchange* pDX) {
        DDX_Text(pDX, 1017, hour);
        DDV_MinMaxInt(pDX, hour, 0, 23);
        DDX_Text(pDX, 1022, minute);
        DDV_MinMaxInt(pDX, minute, 0, 59);
    };
    dialog.On(Notification::EditChange, 1017, [&] {
        ++handlerRuns;
        dialog.UpdateData(true);
        if (hour > 23) {
            hour = 0;
            dialog.UpdateData(false);
        }
    });
    ASSERT_TRUE(dialog.UpdateData(false));
    dialog.Edit(1017).SetWindowText(QString());
    fakes.messages.clear();
    handlerRuns = 0;

    typeText(dialog.Control(1017), QStringLiteral("25"));

    EXPECT_EQ(fakes.messages.texts(), QStringList{QStringLiteral("Please enter an integer between 0 and 23.")});
    EXPECT_EQ(dialog.Edit(1017).GetWindowText(), QStringLiteral("0"));
    EXPECT_EQ(hour, 0);
    EXPECT_EQ(handlerRuns, 2); // "2" and "25"; the push of "0" does not notify
    EXPECT_TRUE(dialog.UpdateData(true));
}

TEST_F(Notifications, TextSetByAHandlerNotifiesBeforeTheHandlerReturns)
{
    QStringList order;
    dialog.On(Notification::EditChange, 1017, [&] {
        order << QStringLiteral("hour begins");
        dialog.Edit(1022).SetWindowText(dialog.Edit(1017).GetWindowText());
        order << QStringLiteral("hour ends");
    });
    dialog.On(Notification::EditChange, 1022, [&] { order << QStringLiteral("minute"); });
    dialog.Edit(1017).SetWindowText(QStringLiteral("4"));
    EXPECT_EQ(order, (QStringList{"hour begins", "minute", "hour ends"}));
}

TEST_F(Notifications, AHandlerThatKeepsChangingItsOwnTextIsCutOff)
{
    int runs = 0;
    dialog.On(Notification::EditChange, 1100, [&] {
        ++runs;
        dialog.Edit(1100).SetWindowText(QString::number(runs));
    });
    dialog.Edit(1100).SetWindowText(QStringLiteral("start"));
    EXPECT_EQ(runs, CDialog::kMaxNotificationDepth);

    // The window still works afterwards.
    runs = 0;
    dialog.On(Notification::EditChange, 1022, [&] { ++runs; });
    dialog.Edit(1022).SetWindowText(QStringLiteral("1"));
    EXPECT_EQ(runs, 1);
}

} // namespace
} // namespace kestra::test
