// SPDX-License-Identifier: Apache-2.0
// The e-mail test against a real SMTP server on 127.0.0.1 (SmtpTestServer.h).
// Nothing here reaches beyond the loopback address.

#include "mailtest/SmtpTestServer.h"
#include "mailtest/network/MailTestSession.h"
#include "storage/Cp936.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSslCertificate>
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
        options.caFiles = {{Certificate::Get().cert(), Certificate::Get().pem()}};
    return options;
}

QJsonValue Json(const std::optional<bool>& value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

QStringList ServerArguments(const char* mode, const QByteArray& login)
{
    QStringList arguments{"--mode",     QString::fromLatin1(mode),     "--login", QString::fromLatin1(login),
                          "--password", QString::fromLatin1(kPassword)};
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
    const char* mode;         // the server's
    QByteArray serverLogin;   // the login it accepts
    QByteArray typedPassword; // the sender password of the settings
    bool trustCertificate;
    MailTestOutcome outcome;
    std::optional<MailTransport> transport;
    std::optional<bool> wholeAddressAccepted;
    const char* reportSays;
    int logins = 1; // login attempts the server sees: each failed one counts towards a lockout
    bool compareWholeAddress = false;
    QStringList serverOptions = {};
};

class MailTestLogin : public ::testing::TestWithParam<LoginCase> {};

TEST_P(MailTestLogin, ReportsWhatTheServerSaid)
{
    const LoginCase& c = GetParam();
    KESTRA_SKIP_WITHOUT_SMTP_SERVER();
    SmtpServer server(ServerArguments(c.mode, c.serverLogin) + c.serverOptions);
    ASSERT_NE(server.port(), 0) << "the test SMTP server did not start: it needs python3-aiosmtpd and openssl";

    MailTestOptions options = Options(c.trustCertificate);
    options.compareWholeAddress = c.compareWholeAddress;
    const MailTestReport report = RunMailTestSession(Settings(server.port(), c.typedPassword), options);
    const QString text = MailTestReportText(report);

    EXPECT_EQ(report.outcome, c.outcome) << text.toStdString();
    EXPECT_EQ(report.succeeded(), c.outcome == MailTestOutcome::LoginAccepted);
    EXPECT_EQ(report.loginName, "alice");
    EXPECT_EQ(report.transport, c.transport);
    EXPECT_EQ(report.wholeAddressAccepted, c.wholeAddressAccepted);
    EXPECT_TRUE(text.contains(QString::fromUtf8(c.reportSays))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("not over the camera's mobile connection")));
    EXPECT_EQ(server.logins().size(), c.logins) << server.logins().join(' ').toStdString();
    const bool readable = c.logins > 0 && c.transport == MailTransport::Plain;
    EXPECT_EQ(text.contains(QStringLiteral("The password crossed the network readable")), readable);
    ExpectNoPassword(report, c.typedPassword);

    // What a script decides on, as fields of its own.
    const QJsonObject json = QJsonDocument::fromJson(MailTestReportJson(report)).object();
    EXPECT_EQ(json.value("loginWorks"),
              Json(c.logins > 0 ? std::optional<bool>(c.outcome == MailTestOutcome::LoginAccepted) : std::nullopt));
    EXPECT_EQ(json.value("tlsNeeded"),
              Json(c.transport ? std::optional<bool>(c.transport != MailTransport::Plain) : std::nullopt));
    EXPECT_EQ(json.value("cameraCanHold"), QJsonValue(true));
}

INSTANTIATE_TEST_SUITE_P(
    Servers, MailTestLogin,
    ::testing::Values(
        LoginCase{"PlainLoginAccepted", "plain", "alice", kPassword, true, MailTestOutcome::LoginAccepted,
                  MailTransport::Plain, std::nullopt, "TLS: Not needed"},
        // One failed login per run unless a comparison is asked for.
        LoginCase{"OnlyTheWholeAddressAccepted", "plain", "alice@example.test", kPassword, true,
                  MailTestOutcome::LoginRefused, MailTransport::Plain, std::nullopt,
                  "some servers want the whole address"},
        LoginCase{"OnlyTheWholeAddressAcceptedCompared", "plain", "alice@example.test", kPassword, true,
                  MailTestOutcome::LoginNameRefused, MailTransport::Plain, true,
                  "accepts the whole address \"alice@example.test\"", 2, true},
        LoginCase{"WrongPassword", "plain", "alice", "wrong-password", true, MailTestOutcome::LoginRefused,
                  MailTransport::Plain, std::nullopt, "The sender address or the password may be wrong"},
        LoginCase{"WrongPasswordCompared", "plain", "alice", "wrong-password", true, MailTestOutcome::LoginRefused,
                  MailTransport::Plain, false, "app password", 2, true},
        // A server slowed by its own penalty answers the comparison with 454:
        // the camera's refusal stays the verdict.
        LoginCase{"WrongPasswordComparedWithPenalty",
                  "plain",
                  "alice",
                  "wrong-password",
                  true,
                  MailTestOutcome::LoginRefused,
                  MailTransport::Plain,
                  std::nullopt,
                  "The comparison with the whole address could not be made",
                  2,
                  true,
                  {"--penalty"}},
        LoginCase{"StartTlsRequired", "starttls", "alice", kPassword, true, MailTestOutcome::LoginAccepted,
                  MailTransport::StartTls, std::nullopt, "asks for STARTTLS before the login"},
        LoginCase{"ImplicitTlsRequired", "implicit", "alice", kPassword, true, MailTestOutcome::LoginAccepted,
                  MailTransport::ImplicitTls, std::nullopt, "TLS from the first byte"},
        // The password goes to no server whose certificate the PC cannot verify.
        LoginCase{"StartTlsUnverified", "starttls", "alice", kPassword, false, MailTestOutcome::TlsFailed,
                  MailTransport::StartTls, std::nullopt, "The password was not sent", 0},
        LoginCase{"ImplicitTlsUnverified", "implicit", "alice", kPassword, false, MailTestOutcome::TlsFailed,
                  MailTransport::ImplicitTls, std::nullopt, "could not be verified", 0}),
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
        if (QByteArray(mode) == "silent") { // two waits, and the summary says so
            EXPECT_TRUE(report.summary.contains(QStringLiteral("2 tries of up to 2 s each")))
                << report.summary.toStdString();
        }
        EXPECT_FALSE(report.succeeded());
        EXPECT_LT(MailTestReportText(report).size(), 4000) << mode;
    }
}

// A certificate refused on the TLS port ends the run: plain SMTP on that
// port would only wait out the timeout for a greeting that never comes.
TEST(MailTestConnection, RefusedCertificateOnTheTlsPortEndsTheRunAtOnce)
{
    KESTRA_SKIP_WITHOUT_SMTP_SERVER();
    SmtpServer server(ServerArguments("implicit", "alice"));
    ASSERT_NE(server.port(), 0);
    MailTestOptions options = Options(false);
    options.stepTimeout = 20s;
    options.implicitTlsPort = server.port();
    QElapsedTimer clock;
    clock.start();
    const MailTestReport report = RunMailTestSession(Settings(server.port()), options);
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(report.outcome, MailTestOutcome::TlsFailed);
    ASSERT_EQ(report.steps.size(), 1U) << MailTestReportText(report).toStdString();
    EXPECT_TRUE(report.steps[0].text.contains(QStringLiteral("TLS from the first byte")));
    EXPECT_TRUE(server.logins().isEmpty());
}

// Certificates exported on Windows are often DER; a file with none at all is
// named, not passed over to blame the server.
TEST(MailTestConnection, CaFileInDerIsTrustedAndOneWithoutACertificateIsNamed)
{
    KESTRA_SKIP_WITHOUT_SMTP_SERVER();
    SmtpServer server(ServerArguments("implicit", "alice"));
    ASSERT_NE(server.port(), 0);
    const QByteArray der = QSslCertificate(Certificate::Get().pem(), QSsl::Pem).toDer();
    ASSERT_FALSE(der.isEmpty());
    struct Case {
        const char* name;
        QByteArray data;
        MailTestOutcome outcome;
    };
    for (const Case& c : {Case{"server.cer", der, MailTestOutcome::LoginAccepted},
                          Case{"notes.txt", "-----BEGIN NOTHING-----\nhello\n", MailTestOutcome::BadSettings}}) {
        MailTestOptions options = Options(false);
        options.caFiles = {{QString::fromLatin1(c.name), c.data}};
        options.implicitTlsPort = server.port();
        const MailTestReport report = RunMailTestSession(Settings(server.port()), options);
        EXPECT_EQ(report.outcome, c.outcome) << MailTestReportText(report).toStdString();
        if (c.outcome == MailTestOutcome::BadSettings) {
            EXPECT_TRUE(report.summary.contains(QStringLiteral("\"notes.txt\" holds no certificate")));
        }
    }
    EXPECT_EQ(server.logins().size(), 1);
}

// A server that holds back its answer (as after a wrong password) is said to
// be awaited while it lasts, and its step says how long it took.
TEST(MailTestConnection, SlowAnswerIsAnnouncedAndTimed)
{
    KESTRA_SKIP_WITHOUT_SMTP_SERVER();
    SmtpServer server(ServerArguments("plain", "alice") + QStringList{"--fail-delay", "3"});
    ASSERT_NE(server.port(), 0);
    MailTestOptions options = Options();
    options.stepTimeout = 10s;
    QStringList waiting;
    options.waiting = [&](const QString& line) { waiting.append(line); };
    const MailTestReport report = RunMailTestSession(Settings(server.port(), "wrong-password"), options);
    EXPECT_EQ(report.outcome, MailTestOutcome::LoginRefused);
    ASSERT_EQ(waiting.size(), 1) << waiting.join('\n').toStdString();
    EXPECT_TRUE(waiting[0].contains(QStringLiteral("answer to AUTH (at most 10 s)"))) << waiting[0].toStdString();
    ASSERT_FALSE(report.steps.empty());
    EXPECT_TRUE(report.steps.back().text.contains(QStringLiteral("The server took")))
        << report.steps.back().text.toStdString();
}

// Values the camera cannot be given are refused with the window's own words,
// before anything reaches the server.
TEST(MailTestSettings, ValuesTheCameraCannotHoldAreRefusedUntested)
{
    KESTRA_SKIP_WITHOUT_SMTP_SERVER();
    SmtpServer server(ServerArguments("plain", "alice"));
    ASSERT_NE(server.port(), 0);
    struct Case {
        QByteArray sender;
        QByteArray password;
        int language;
        const char* summary;
    };
    const Case cases[] = {
        {"alice@example.test", QByteArray(34, 'p'), kLanguageEnglish, "Sender Password is 34 bytes long"},
        {"alice@a-very-long-domain.example.test", kPassword, kLanguageEnglish, "Sender Email is 37 bytes long"},
        {"alice@example.test", "p", kLanguageEnglish, "Please Input Sender Email Password"},
        {"alice@example.test", "p", kLanguageChinese, "请输入发送者邮箱密码"},
    };
    for (const Case& c : cases) {
        GprsSettings settings = Settings(server.port(), c.password);
        settings.senderEmail = c.sender;
        MailTestOptions options = Options();
        options.languageIndex = c.language;
        const MailTestReport report = RunMailTestSession(settings, options);
        EXPECT_EQ(report.outcome, MailTestOutcome::BadSettings) << c.summary;
        EXPECT_EQ(report.cameraCanHold, false);
        EXPECT_TRUE(report.summary.contains(QString::fromUtf8(c.summary))) << report.summary.toStdString();
    }
    EXPECT_TRUE(server.logins().isEmpty());
}

// The Chinese interface gets a Chinese report, and every Chinese text of the
// test fits code page 936.
TEST(MailTestLanguage, ChineseReportFitsCodePage936)
{
    KESTRA_SKIP_WITHOUT_SMTP_SERVER();
    SmtpServer server(ServerArguments("plain", "alice"));
    ASSERT_NE(server.port(), 0);
    MailTestOptions options = Options();
    options.languageIndex = kLanguageChinese;
    const QString text = MailTestReportText(RunMailTestSession(Settings(server.port(), "wrong-password"), options));
    EXPECT_TRUE(text.contains(QStringLiteral("结果：失败。"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Result:")));
    EXPECT_TRUE(EncodeCp936(text).has_value());

    // The texts are in the sources; what is not Chinese there is ASCII.
    for (const char* source : {"/../src/mailtest/network/MailTestSession.cpp", "/../src/mailtest/core/MailTest.cpp"}) {
        QFile file(QStringLiteral(KESTRA_TESTS_DIR) + QString::fromLatin1(source));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << source;
        const QString code = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(code.contains(QStringLiteral("服务器")));
        EXPECT_TRUE(EncodeCp936(code).has_value()) << source;
    }
}

TEST(MailTestConnection, NothingListeningIsSaidPlainly)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const int port = closed.serverPort();
    closed.close();
    // No certificate to trust: a closed port needs none, and Windows runs have
    // no openssl to make one.
    const MailTestReport report = RunMailTestSession(Settings(port), Options(false));
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
