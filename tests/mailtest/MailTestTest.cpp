// SPDX-License-Identifier: Apache-2.0
// The e-mail test against a real SMTP server on 127.0.0.1 (SmtpTestServer.h).
// Nothing here reaches beyond the loopback address.

#include "mailtest/MailTestSession.h"
#include "mailtest/SmtpTestServer.h"

#include <QElapsedTimer>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <chrono>

namespace kestra {
namespace {

using namespace std::chrono_literals;
using test::Certificate;
using test::SmtpServer;

constexpr auto kStepTimeout = 2s;
const QByteArray kPassword = "s3cret-Pass";

GprsSettings Settings(int port, const QByteArray& password = kPassword)
{
    GprsSettings settings;
    settings.smtpServer = "127.0.0.1";
    settings.smtpPort = QByteArray::number(port);
    settings.senderEmail = "alice@example.test";
    settings.senderPassword = password;
    settings.recipientEmail = "bob@example.test";
    return settings;
}

MailTestOptions Options(bool trustCertificate = true)
{
    MailTestOptions options;
    options.stepTimeout = kStepTimeout;
    if (trustCertificate)
        options.extraCaCertificates = {Certificate::Get().pem()};
    return options;
}

QStringList ServerArguments(const char* mode, const QByteArray& login)
{
    QStringList arguments{"--mode", QString::fromLatin1(mode), "--login", QString::fromLatin1(login), "--password",
                          QString::fromLatin1(kPassword)};
    if (QByteArray(mode) != "plain" && QByteArray(mode) != "silent")
        arguments += QStringList{"--cert", Certificate::Get().cert(), "--key", Certificate::Get().key()};
    return arguments;
}

void ExpectNoPassword(const MailTestReport& report, const QByteArray& password)
{
    const QString text = MailTestReportText(report);
    const QByteArray json = MailTestReportJson(report);
    for (const QByteArray& secret : {password, password.toBase64()}) {
        EXPECT_FALSE(text.contains(QString::fromLatin1(secret))) << text.toStdString();
        EXPECT_FALSE(json.contains(secret)) << json.toStdString();
    }
}

struct LoginCase {
    const char* name;
    const char* mode;          // the server's
    QByteArray serverLogin;    // the login it accepts
    QByteArray typedPassword;  // the sender password of the settings
    bool trustCertificate;
    MailTestOutcome outcome;
    std::optional<MailTransport> transport;
    std::optional<bool> wholeAddressAccepted;
    const char* reportSays;
};

class MailTestLogin : public ::testing::TestWithParam<LoginCase> {};

TEST_P(MailTestLogin, ReportsWhatTheServerSaid)
{
    const LoginCase& c = GetParam();
    KESTRA_SKIP_WITHOUT_SMTP_SERVER();
    SmtpServer server(ServerArguments(c.mode, c.serverLogin));
    ASSERT_NE(server.port(), 0) << "the test SMTP server did not start: it needs python3-aiosmtpd and openssl";

    const MailTestReport report = RunMailTestSession(Settings(server.port(), c.typedPassword), Options(c.trustCertificate));
    const QString text = MailTestReportText(report);

    EXPECT_EQ(report.outcome, c.outcome) << text.toStdString();
    EXPECT_EQ(report.succeeded(), c.outcome == MailTestOutcome::LoginAccepted);
    EXPECT_EQ(report.loginName, "alice");
    EXPECT_EQ(report.transport, c.transport);
    EXPECT_EQ(report.wholeAddressAccepted, c.wholeAddressAccepted);
    EXPECT_TRUE(text.contains(QString::fromUtf8(c.reportSays))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("not over the camera's mobile connection")));
    ExpectNoPassword(report, c.typedPassword);
}

INSTANTIATE_TEST_SUITE_P(
    Servers, MailTestLogin,
    ::testing::Values(
        LoginCase{"PlainLoginAccepted", "plain", "alice", kPassword, true, MailTestOutcome::LoginAccepted,
                  MailTransport::Plain, std::nullopt, "TLS: Not needed"},
        LoginCase{"OnlyTheWholeAddressAccepted", "plain", "alice@example.test", kPassword, true,
                  MailTestOutcome::LoginNameRefused, MailTransport::Plain, true,
                  "accepts the whole address \"alice@example.test\""},
        LoginCase{"WrongPassword", "plain", "alice", "wrong-password", true, MailTestOutcome::LoginRefused,
                  MailTransport::Plain, false, "app password"},
        LoginCase{"StartTlsRequired", "starttls", "alice", kPassword, true, MailTestOutcome::LoginAccepted,
                  MailTransport::StartTls, std::nullopt, "asks for STARTTLS before the login"},
        LoginCase{"ImplicitTlsRequired", "implicit", "alice", kPassword, true, MailTestOutcome::LoginAccepted,
                  MailTransport::ImplicitTls, std::nullopt, "TLS from the first byte"},
        // The password goes to no server whose certificate the PC cannot verify.
        LoginCase{"StartTlsUnverified", "starttls", "alice", kPassword, false, MailTestOutcome::TlsFailed,
                  MailTransport::StartTls, std::nullopt, "The password was not sent"},
        LoginCase{"ImplicitTlsUnverified", "implicit", "alice", kPassword, false, MailTestOutcome::TlsFailed,
                  MailTransport::ImplicitTls, std::nullopt, "could not be verified"}),
    [](const ::testing::TestParamInfo<LoginCase>& param) { return std::string(param.param.name); });

// A server that never answers, or answers without end, costs at most a few
// steps' time and no more than a reply line's memory.
TEST(MailTestConnection, SilentOrFloodingServerFailsWithinItsBound)
{
    KESTRA_SKIP_WITHOUT_SMTP_SERVER();
    for (const char* mode : {"silent", "flood"}) {
        SmtpServer server(ServerArguments(mode, "alice"));
        ASSERT_NE(server.port(), 0);
        QElapsedTimer clock;
        clock.start();
        const MailTestReport report = RunMailTestSession(Settings(server.port()), Options());
        // The plain greeting and the TLS handshake each wait one step's time.
        EXPECT_LT(clock.elapsed(), 3 * std::chrono::milliseconds(kStepTimeout).count()) << mode;
        EXPECT_EQ(report.outcome, MailTestOutcome::NoAnswer) << MailTestReportText(report).toStdString();
        EXPECT_FALSE(report.succeeded());
        EXPECT_LT(MailTestReportText(report).size(), 4000) << mode;
    }
}

TEST(MailTestConnection, NothingListeningIsSaidPlainly)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const int port = closed.serverPort();
    closed.close();
    const MailTestReport report = RunMailTestSession(Settings(port), Options());
    EXPECT_EQ(report.outcome, MailTestOutcome::NothingListens);
    EXPECT_TRUE(MailTestReportText(report).contains(QStringLiteral("Nothing answers on port %1").arg(port)));
}

TEST(MailTestSend, DeliversTheMessageWithThePictureIntact)
{
    KESTRA_SKIP_WITHOUT_SMTP_SERVER();
    SmtpServer server(ServerArguments("plain", "alice"));
    ASSERT_NE(server.port(), 0);
    MailTestOptions options = Options();
    options.send = true;
    const MailTestReport report = RunMailTestSession(Settings(server.port()), options);
    ASSERT_EQ(report.outcome, MailTestOutcome::Sent) << MailTestReportText(report).toStdString();
    EXPECT_TRUE(report.succeeded());

    const QByteArray message = server.message(1);
    ASSERT_FALSE(message.isEmpty());
    const qsizetype part = message.indexOf("Content-Disposition: attachment");
    ASSERT_GE(part, 0) << message.toStdString();
    const qsizetype body = message.indexOf("\r\n\r\n", part) + 4;
    const qsizetype end = message.indexOf("\r\n--", body);
    ASSERT_GT(end, body);
    EXPECT_EQ(QByteArray::fromBase64(message.mid(body, end - body)), MailTestPicture());
    EXPECT_TRUE(MailTestPicture().startsWith("\xFF\xD8") && MailTestPicture().endsWith("\xFF\xD9"));
}

TEST(MailTestSend, RefusedRecipientFailsTheTest)
{
    KESTRA_SKIP_WITHOUT_SMTP_SERVER();
    SmtpServer server(ServerArguments("plain", "alice") + QStringList{"--refuse-recipient", "bob@example.test"});
    ASSERT_NE(server.port(), 0);
    MailTestOptions options = Options();
    options.send = true;
    const MailTestReport report = RunMailTestSession(Settings(server.port()), options);
    EXPECT_EQ(report.outcome, MailTestOutcome::RecipientRefused);
    EXPECT_TRUE(report.loginAccepted);
    EXPECT_FALSE(report.succeeded());
    EXPECT_TRUE(MailTestReportText(report).contains(QStringLiteral("User unknown")));
}

} // namespace
} // namespace kestra
