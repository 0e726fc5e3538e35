// SPDX-License-Identifier: Apache-2.0
#include "mailtest/core/MailTest.h"

#include "common/ProgramModules.h"
#include "common/TextTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kestra {
namespace {

constexpr const char* kPictureBase64 =
    "/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDABALDA4MChAODQ4SERATGCgaGBYWGDEjJR0oOjM9PDkzODdASFxOQERXRTc4UG1R"
    "V19iZ2hnPk1xeXBkeFxlZ2P/2wBDARESEhgVGC8aGi9jQjhCY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2Nj"
    "Y2NjY2NjY2NjY2NjY2P/wAARCAAIAAgDASIAAhEBAxEB/8QAFQABAQAAAAAAAAAAAAAAAAAAAAX/xAAUEAEAAAAAAAAAAAAA"
    "AAAAAAAA/8QAFQEBAQAAAAAAAAAAAAAAAAAABAX/xAAUEQEAAAAAAAAAAAAAAAAAAAAA/9oADAMBAAIRAxEAPwCaAInv/9k=";

QString TransportText(const MailTestReport& report)
{
    const bool zh = report.chinese;
    if (!report.transport)
        return MailTestWords(zh, "Not known: no mail session was opened.", "未知：没有建立邮件会话。");
    switch (*report.transport) {
    case MailTransport::Plain: {
        QString text = MailTestWords(zh,
                                     "Not needed: the login went over a plain connection, as a camera without TLS "
                                     "sends it.",
                                     "不需要：登录经由未加密的连接完成，与不支持TLS的相机相同。");
        if (report.loginTried)
            text += MailTestWords(zh, " The password crossed the network readable: anyone on the way could read it.",
                                  "密码以明文经过网络，途中任何人都能读到。");
        return text;
    }
    case MailTransport::StartTls:
        return MailTestWords(zh,
                             "Needed: the server asks for STARTTLS before the login. A camera without TLS cannot "
                             "log in here.",
                             "需要：服务器要求登录前先使用STARTTLS。不支持TLS的相机无法在此登录。");
    case MailTransport::ImplicitTls:
        return MailTestWords(zh,
                             "Needed: TLS from the first byte (as on port 465). A camera without TLS cannot log in "
                             "here.",
                             "需要：连接一开始就使用TLS（如465端口）。不支持TLS的相机无法在此登录。");
    }
    return {};
}

const char* TransportName(MailTransport transport)
{
    switch (transport) {
    case MailTransport::Plain:
        return "none";
    case MailTransport::StartTls:
        return "starttls";
    case MailTransport::ImplicitTls:
        return "implicit";
    }
    return "";
}

QString NetworkNote(bool chinese)
{
    return MailTestWords(chinese,
                         "This test runs from this PC's network, not over the camera's mobile connection: a mobile "
                         "operator may still block or redirect mail ports.",
                         "本测试从这台电脑的网络进行，而不是经由相机的移动网络：移动运营商仍可能封锁或转发邮件端口。");
}

QJsonValue OptionalJson(const std::optional<bool>& value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

} // namespace

QString QuotedForReport(const QByteArray& text)
{
    return QLatin1Char('"') + QString::fromLatin1(text) + QLatin1Char('"');
}

QString MailTestWords(bool chinese, const char* english, const char* chineseText)
{
    return ChineseEnglishText{.english = english, .chinese = chineseText}.text(chinese);
}

QString MailTestSeconds(std::chrono::milliseconds duration)
{
    const auto ms = static_cast<qint64>(duration.count());
    // Whole seconds as the timeouts are given; a tenth where it tells more.
    const QString number =
        ms % 1000 == 0 ? QString::number(ms / 1000) : QString::number(static_cast<double>(ms) / 1000.0, 'f', 1);
    return number + QStringLiteral(" s");
}

MailTestReport RunMailTest(const GprsSettings& settings, const MailTestOptions& options)
{
    const ModuleEntry module = LoadModuleEntry(ProgramModule::MailTest, kMailTestEntryName);
    if (module.function) {
        MailTestReport report;
        reinterpret_cast<MailTestEntry>(module.function)(settings, options, report);
        return report;
    }
    MailTestReport report;
    report.chinese = options.languageIndex == kLanguageChinese;
    report.server = settings.smtpServer.trimmed();
    report.port = settings.smtpPort.trimmed().toInt();
    report.loginName = options.loginName.value_or(GprsUserName(settings.senderEmail));
    report.sendRequested = options.send;
    report.outcome = MailTestOutcome::Unavailable;
    report.summary =
        MailTestWords(report.chinese, "The e-mail test cannot run: %1. Installing Kestra Setup again brings it back.",
                      "邮件测试无法运行：%1。重新安装 Kestra Setup 即可恢复。")
            .arg(module.error);
    return report;
}

const char* MailTestOutcomeName(MailTestOutcome outcome)
{
    switch (outcome) {
    case MailTestOutcome::LoginAccepted:
        return "login-accepted";
    case MailTestOutcome::Sent:
        return "sent";
    case MailTestOutcome::BadSettings:
        return "bad-settings";
    case MailTestOutcome::HostNotFound:
        return "host-not-found";
    case MailTestOutcome::NothingListens:
        return "nothing-listens";
    case MailTestOutcome::NoAnswer:
        return "no-answer";
    case MailTestOutcome::ServerRefused:
        return "server-refused";
    case MailTestOutcome::TlsFailed:
        return "tls-failed";
    case MailTestOutcome::NoLoginOffered:
        return "no-login-offered";
    case MailTestOutcome::LoginNameRefused:
        return "login-name-refused";
    case MailTestOutcome::LoginRefused:
        return "login-refused";
    case MailTestOutcome::SenderRefused:
        return "sender-refused";
    case MailTestOutcome::RecipientRefused:
        return "recipient-refused";
    case MailTestOutcome::MessageRefused:
        return "message-refused";
    case MailTestOutcome::Unavailable:
        return "test-unavailable";
    }
    return "unknown";
}

QString MailTestReportText(const MailTestReport& report)
{
    const bool zh = report.chinese;
    QString text =
        MailTestWords(zh, "Mail test of %1 port %2, login name %3\n", "邮件测试：服务器 %1 端口 %2，登录名 %3\n")
            .arg(QuotedForReport(report.server))
            .arg(report.port)
            .arg(QuotedForReport(report.loginName));
    const QString ok = MailTestWords(zh, "  ok    ", "  成功  ");
    const QString failed = MailTestWords(zh, "  FAIL  ", "  失败  ");
    const QString server = MailTestWords(zh, "        server: ", "        服务器: ");
    for (const MailTestStep& step : report.steps) {
        text += (step.heading ? QStringLiteral("  ") : step.ok ? ok : failed) + step.text + QLatin1Char('\n');
        if (!step.reply.isEmpty()) {
            for (const QString& line : step.reply.split(QLatin1Char('\n')))
                text += server + line + QLatin1Char('\n');
        }
    }
    text += (report.succeeded() ? MailTestWords(zh, "Result: passed. ", "结果：通过。")
                                : MailTestWords(zh, "Result: FAILED. ", "结果：失败。"))
            + report.summary + QLatin1Char('\n');
    text += MailTestWords(zh, "TLS: ", "TLS：") + TransportText(report) + QLatin1Char('\n');
    text += NetworkNote(zh) + QLatin1Char('\n');
    return text;
}

QByteArray MailTestReportJson(const MailTestReport& report)
{
    QJsonArray steps;
    for (const MailTestStep& step : report.steps)
        steps.append(
            QJsonObject{{"ok", step.ok}, {"text", step.text}, {"reply", step.reply}, {"heading", step.heading}});
    // The verdicts a script acts on, each unknown (null) where the test did
    // not get far enough to tell.
    const std::optional<bool> loginWorks = report.loginTried ? std::optional<bool>(report.loginAccepted) : std::nullopt;
    const std::optional<bool> tlsNeeded =
        report.transport ? std::optional<bool>(*report.transport != MailTransport::Plain) : std::nullopt;
    QJsonObject object{
        {"server", QString::fromLatin1(report.server)},
        {"port", report.port},
        {"loginName", QString::fromLatin1(report.loginName)},
        {"outcome", QString::fromLatin1(MailTestOutcomeName(report.outcome))},
        {"succeeded", report.succeeded()},
        {"loginWorks", OptionalJson(loginWorks)},
        {"tlsNeeded", OptionalJson(tlsNeeded)},
        {"cameraCanHold", OptionalJson(report.cameraCanHold)},
        {"loginAccepted", report.loginAccepted},
        {"sendRequested", report.sendRequested},
        {"sent", report.sent},
        {"tls", report.transport ? QJsonValue(QString::fromLatin1(TransportName(*report.transport))) : QJsonValue()},
        {"wholeAddressAccepted", OptionalJson(report.wholeAddressAccepted)},
        {"summary", report.summary},
        {"note", NetworkNote(report.chinese)},
        {"steps", steps},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QByteArray MailTestPicture()
{
    return QByteArray::fromBase64(kPictureBase64);
}

} // namespace kestra
