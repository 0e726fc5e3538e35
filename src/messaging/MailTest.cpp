// SPDX-License-Identifier: Apache-2.0
#include "messaging/MailTest.h"

#include "common/ProgramModules.h"

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
    if (!report.transport)
        return QStringLiteral("Not known: no mail session was opened.");
    switch (*report.transport) {
    case MailTransport::Plain:
        return QStringLiteral("Not needed: the login went over a plain connection, as a camera without TLS sends it.");
    case MailTransport::StartTls:
        return QStringLiteral("Needed: the server asks for STARTTLS before the login. A camera without TLS "
                              "cannot log in here.");
    case MailTransport::ImplicitTls:
        return QStringLiteral("Needed: TLS from the first byte (as on port 465). A camera without TLS cannot log "
                              "in here.");
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

const QString kNetworkNote = QStringLiteral(
    "This test runs from this PC's network, not over the camera's mobile connection: a mobile operator may "
    "still block or redirect mail ports.");

} // namespace

QString QuotedForReport(const QByteArray& text)
{
    return QLatin1Char('"') + QString::fromLatin1(text) + QLatin1Char('"');
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
    report.server = settings.smtpServer.trimmed();
    report.port = settings.smtpPort.trimmed().toInt();
    report.loginName = options.loginName.value_or(GprsUserName(settings.senderEmail));
    report.sendRequested = options.send;
    report.outcome = MailTestOutcome::Unavailable;
    report.summary = QStringLiteral("The e-mail test cannot run: %1. Installing Kestra Setup again brings it back.")
                         .arg(module.error);
    return report;
}

const char* MailTestOutcomeName(MailTestOutcome outcome)
{
    switch (outcome) {
    case MailTestOutcome::LoginAccepted: return "login-accepted";
    case MailTestOutcome::Sent: return "sent";
    case MailTestOutcome::BadSettings: return "bad-settings";
    case MailTestOutcome::HostNotFound: return "host-not-found";
    case MailTestOutcome::NothingListens: return "nothing-listens";
    case MailTestOutcome::NoAnswer: return "no-answer";
    case MailTestOutcome::ServerRefused: return "server-refused";
    case MailTestOutcome::TlsFailed: return "tls-failed";
    case MailTestOutcome::NoLoginOffered: return "no-login-offered";
    case MailTestOutcome::LoginNameRefused: return "login-name-refused";
    case MailTestOutcome::LoginRefused: return "login-refused";
    case MailTestOutcome::SenderRefused: return "sender-refused";
    case MailTestOutcome::RecipientRefused: return "recipient-refused";
    case MailTestOutcome::MessageRefused: return "message-refused";
    case MailTestOutcome::Unavailable: return "test-unavailable";
    }
    return "unknown";
}

QString MailTestReportText(const MailTestReport& report)
{
    QString text = QStringLiteral("Mail test of %1 port %2, login name %3\n")
                       .arg(QuotedForReport(report.server))
                       .arg(report.port)
                       .arg(QuotedForReport(report.loginName));
    for (const MailTestStep& step : report.steps) {
        const QString mark = step.heading ? QStringLiteral("  ") : step.ok ? QStringLiteral("  ok    ")
                                                                               : QStringLiteral("  FAIL  ");
        text += mark + step.text + QLatin1Char('\n');
        if (!step.reply.isEmpty()) {
            for (const QString& line : step.reply.split(QLatin1Char('\n')))
                text += QStringLiteral("        server: ") + line + QLatin1Char('\n');
        }
    }
    text += (report.succeeded() ? QStringLiteral("Result: passed. ") : QStringLiteral("Result: FAILED. ")) +
            report.summary + QLatin1Char('\n');
    text += QStringLiteral("TLS: ") + TransportText(report) + QLatin1Char('\n');
    text += kNetworkNote + QLatin1Char('\n');
    return text;
}

QByteArray MailTestReportJson(const MailTestReport& report)
{
    QJsonArray steps;
    for (const MailTestStep& step : report.steps)
        steps.append(QJsonObject{{"ok", step.ok}, {"text", step.text}, {"reply", step.reply}, {"heading", step.heading}});
    QJsonObject object{
        {"server", QString::fromLatin1(report.server)},
        {"port", report.port},
        {"loginName", QString::fromLatin1(report.loginName)},
        {"outcome", QString::fromLatin1(MailTestOutcomeName(report.outcome))},
        {"succeeded", report.succeeded()},
        {"loginAccepted", report.loginAccepted},
        {"sendRequested", report.sendRequested},
        {"sent", report.sent},
        {"tls", report.transport ? QJsonValue(QString::fromLatin1(TransportName(*report.transport))) : QJsonValue()},
        {"wholeAddressAccepted",
         report.wholeAddressAccepted ? QJsonValue(*report.wholeAddressAccepted) : QJsonValue()},
        {"summary", report.summary},
        {"note", kNetworkNote},
        {"steps", steps},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QByteArray MailTestPicture()
{
    return QByteArray::fromBase64(kPictureBase64);
}

} // namespace kestra
