// SPDX-License-Identifier: Apache-2.0
// The e-mail test from the GPRS/SMTP window's context menu, run through an
// injected runner: no network, and never a blocking box.

#include "app/AppState.h"
#include "dialogs/smtp/SmtpDialog.h"
#include "dialogs/smtp/SmtpDialogIds.h"
#include "support/TestServices.h"
#include "support/WidgetDriver.h"

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace kestra {
namespace {

using namespace smtp_ids;

struct MenuCase {
    const char* action;
    bool send;
};

class SmtpMailTest : public ::testing::TestWithParam<MenuCase> {};

TEST_P(SmtpMailTest, RunsOnWhatTheWindowShowsAndReportsInAMessage)
{
    g_languageIndex = kLanguageEnglish;
    g_chineseChosen = 0;
    test::TestServices fakes;
    CSmtpDialog dialog(fakes, CurrentSession());
    std::vector<std::pair<GprsSettings, MailTestOptions>> runs;
    bool busyCursor = false;
    dialog.SetMailTestRunner([&](const GprsSettings& settings, const MailTestOptions& options) {
        runs.emplace_back(settings, options);
        busyCursor = QGuiApplication::overrideCursor() != nullptr
                     && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        MailTestReport report;
        report.server = settings.smtpServer;
        report.port = 587;
        report.loginName = "cam";
        report.outcome = MailTestOutcome::LoginRefused;
        report.steps.push_back({false, "Login as \"cam\" (AUTH LOGIN): refused.", "535 5.7.8 Authentication failed"});
        report.summary = "The server refuses the login.";
        return report;
    });
    dialog.Create();
    const std::pair<int, const char*> typed[] = {{kServerField, "smtp.example.com"},
                                                 {kPortField, "587"},
                                                 {kSenderField, "cam@example.com"},
                                                 {kSenderPasswordField, "typed-last"}};
    for (const auto& [id, text] : typed)
        test::typeText(dialog.Control(id), QString::fromLatin1(text));

    QAction* entry = dialog.widget()->findChild<QAction*>(QString::fromLatin1(GetParam().action));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(dialog.widget()->contextMenuPolicy(), Qt::ActionsContextMenu);
    entry->trigger();

    ASSERT_EQ(runs.size(), 1U);
    EXPECT_EQ(runs[0].first.smtpServer, "smtp.example.com");
    EXPECT_EQ(runs[0].first.smtpPort, "587");
    EXPECT_EQ(runs[0].first.senderPassword, "typed-last");
    EXPECT_EQ(runs[0].second.send, GetParam().send);
    EXPECT_TRUE(busyCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ASSERT_EQ(fakes.messages.count(), 1);
    EXPECT_EQ(fakes.messages.last().caption, "Kestra");
    EXPECT_TRUE(fakes.messages.last().text.contains("server: 535 5.7.8 Authentication failed"));
    EXPECT_TRUE(fakes.messages.last().text.contains("Result: FAILED. The server refuses the login."));
}

// The entries and the report they open speak the window's language.
TEST(SmtpMailTestLanguage, EntriesAndReportFollowTheInterfaceLanguage)
{
    struct Case {
        int languageIndex;
        const char* testEntry;
        const char* sendEntry;
    };
    for (const Case& c : {Case{kLanguageChinese, "测试邮件登录...", "发送测试邮件..."},
                          Case{kLanguageEnglish, "Test e-mail login...", "Send a test e-mail..."},
                          Case{3, "Test e-mail login...", "Send a test e-mail..."}}) {
        g_languageIndex = c.languageIndex;
        g_chineseChosen = c.languageIndex == kLanguageChinese ? 1 : 0;
        test::TestServices fakes;
        CSmtpDialog dialog(fakes, CurrentSession());
        int reportLanguage = 0;
        dialog.SetMailTestRunner([&](const GprsSettings&, const MailTestOptions& options) {
            reportLanguage = options.languageIndex;
            return MailTestReport{};
        });
        dialog.Create();
        QAction* test = dialog.widget()->findChild<QAction*>(QStringLiteral("mailTestAction"));
        QAction* send = dialog.widget()->findChild<QAction*>(QStringLiteral("mailTestSendAction"));
        ASSERT_NE(test, nullptr);
        ASSERT_NE(send, nullptr);
        EXPECT_EQ(test->text(), QString::fromUtf8(c.testEntry)) << c.languageIndex;
        EXPECT_EQ(send->text(), QString::fromUtf8(c.sendEntry)) << c.languageIndex;
        test->trigger();
        EXPECT_EQ(reportLanguage, c.languageIndex);
    }
    g_languageIndex = kLanguageEnglish;
    g_chineseChosen = 0;
}

INSTANTIATE_TEST_SUITE_P(Menu, SmtpMailTest,
                         ::testing::Values(MenuCase{"mailTestAction", false}, MenuCase{"mailTestSendAction", true}));

} // namespace
} // namespace kestra
