// SPDX-License-Identifier: Apache-2.0
#include "mailtest/MailTestSession.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QRandomGenerator>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslError>
#include <QSslSocket>
#include <QTimer>

#include <memory>

namespace kestra {
namespace {

// A server may say anything: replies are cut at these sizes rather than
// buffered without end.
constexpr qsizetype kMaxReplyLine = 1000;
constexpr int kMaxReplyLines = 100;
// A name that resolves to a long list is tried for its first few addresses.
constexpr int kMaxAddresses = 4;
constexpr int kImplicitTlsPort = 465;


struct Reply {
    enum class Status { Complete, TimedOut, Closed, Garbled };
    Status status = Status::Closed;
    int code = 0;
    QList<QByteArray> lines;

    bool complete() const { return status == Status::Complete; }
    bool positive() const { return complete() && code >= 200 && code < 400; }
    bool is(int wanted) const { return complete() && code == wanted; }
};

// How a login attempt ended; the outer test decides what it means.
enum class LoginEnd { Accepted, Refused, Failed };

class MailTester {
public:
    MailTester(const GprsSettings& settings, const MailTestOptions& options)
        : m_settings(settings), m_options(options)
    {
        m_report.server = settings.smtpServer.trimmed();
        m_report.loginName = options.loginName.value_or(GprsUserName(settings.senderEmail));
        m_report.sendRequested = options.send;
        const QByteArray& password = settings.senderPassword;
        if (!password.isEmpty()) {
            m_secrets = {password, password.toBase64()};
            for (const QByteArray& login : {m_report.loginName, settings.senderEmail})
                m_secrets.append(QByteArray('\0' + login + '\0' + password).toBase64());
        }
        for (const QByteArray& pem : options.extraCaCertificates)
            m_caCertificates.append(QSslCertificate::fromData(pem, QSsl::Pem));
    }

    MailTestReport Run();

private:
    bool CheckSettings();
    bool Resolve();
    LoginEnd Attempt(const QByteArray& login, bool send);
    bool Connect(QSslSocket& socket, MailTransport transport, const QHostAddress& address);
    std::unique_ptr<QSslSocket> OpenSession();
    bool Greet(QSslSocket& socket, MailTransport transport, const QHostAddress& address);
    bool Hello(QSslSocket& socket, QList<QByteArray>& extensions);
    bool StartTls(QSslSocket& socket, QList<QByteArray>& extensions);
    LoginEnd Login(QSslSocket& socket, const QList<QByteArray>& extensions, const QByteArray& login);
    bool Send(QSslSocket& socket);

    Reply ReadReply(QSslSocket& socket);
    Reply Command(QSslSocket& socket, const QByteArray& line);
    QString ReplyText(const Reply& reply) const;
    QString Mask(QString text) const;
    void Step(bool ok, const QString& text, const Reply* reply = nullptr);
    void Fail(MailTestOutcome outcome, const QString& summary);
    void PrepareTls(QSslSocket& socket) const;
    QString TlsErrorText(const QSslSocket& socket) const;
    int TimeoutMs() const { return static_cast<int>(m_options.stepTimeout.count()); }
    QString Seconds() const;

    const GprsSettings& m_settings;
    const MailTestOptions& m_options;
    MailTestReport m_report;
    QList<QByteArray> m_secrets;
    QList<QSslCertificate> m_caCertificates;
    QList<QHostAddress> m_addresses;
    // Found by the first attempt, used by the next.
    std::optional<QHostAddress> m_address;
    std::optional<MailTransport> m_startTransport;
    bool m_failed = false;
};

QString MailTester::Seconds() const
{
    return QString::number(static_cast<double>(m_options.stepTimeout.count()) / 1000.0, 'g', 3) +
           QStringLiteral(" s");
}

QString MailTester::Mask(QString text) const
{
    for (const QByteArray& secret : m_secrets)
        text.replace(QString::fromLatin1(secret), QStringLiteral("****"));
    return text;
}

QString MailTester::ReplyText(const Reply& reply) const
{
    QStringList lines;
    for (const QByteArray& line : reply.lines)
        lines.append(QString::fromLatin1(line));
    return Mask(lines.join(QLatin1Char('\n')));
}

void MailTester::Step(bool ok, const QString& text, const Reply* reply)
{
    m_report.steps.push_back({ok, text, reply ? ReplyText(*reply) : QString()});
}

void MailTester::Fail(MailTestOutcome outcome, const QString& summary)
{
    m_failed = true;
    m_report.outcome = outcome;
    m_report.summary = summary;
}

bool MailTester::CheckSettings()
{
    const QByteArray port = m_settings.smtpPort.trimmed();
    bool numeric = false;
    const uint value = port.toUInt(&numeric);
    if (m_report.server.isEmpty()) {
        Fail(MailTestOutcome::BadSettings, QStringLiteral("No SMTP server is set."));
    } else if (!numeric || value == 0 || value > 65535) {
        Fail(MailTestOutcome::BadSettings,
             QStringLiteral("The port %1 is not a number from 1 to 65535; the camera could not use it either.")
                 .arg(QuotedForReport(m_settings.smtpPort)));
    } else if (m_settings.senderEmail.isEmpty()) {
        Fail(MailTestOutcome::BadSettings, QStringLiteral("No sender address is set: the camera logs in with it."));
    } else if (m_settings.senderPassword.isEmpty()) {
        Fail(MailTestOutcome::BadSettings, QStringLiteral("No sender password is set."));
    } else if (m_options.send && m_settings.recipientEmail.isEmpty()) {
        Fail(MailTestOutcome::BadSettings, QStringLiteral("No recipient address is set to send the test message to."));
    }
    m_report.port = numeric && value <= 65535 ? static_cast<int>(value) : 0;
    return !m_failed;
}

bool MailTester::Resolve()
{
    const QString host = QString::fromLatin1(m_report.server);
    QHostAddress literal;
    if (literal.setAddress(host)) {
        m_addresses = {literal};
        return true;
    }
    // The lookup runs while an event loop waits for it, so it is bounded like
    // every other step (a blocking lookup would not be).
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    std::optional<QHostInfo> result;
    auto context = std::make_unique<QObject>();
    const int id = QHostInfo::lookupHost(host, context.get(), [&](const QHostInfo& info) {
        result = info;
        loop.quit();
    });
    timer.start(TimeoutMs());
    if (!result)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!result) {
        QHostInfo::abortHostLookup(id);
        Fail(MailTestOutcome::HostNotFound,
             QStringLiteral("The name %1 could not be looked up within %2: this PC's name service did not answer.")
                 .arg(QuotedForReport(m_report.server), Seconds()));
        return false;
    }
    if (result->error() != QHostInfo::NoError || result->addresses().isEmpty()) {
        Fail(MailTestOutcome::HostNotFound,
             QStringLiteral("The host %1 is not known (%2). Check the spelling of the server.")
                 .arg(QuotedForReport(m_report.server), result->errorString()));
        return false;
    }
    m_addresses = result->addresses().mid(0, kMaxAddresses);
    QStringList shown;
    for (const QHostAddress& address : m_addresses)
        shown.append(address.toString());
    Step(true, QStringLiteral("Host %1 found: %2").arg(QuotedForReport(m_report.server), shown.join(QStringLiteral(", "))));
    return true;
}

void MailTester::PrepareTls(QSslSocket& socket) const
{
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    if (!m_caCertificates.isEmpty())
        configuration.addCaCertificates(m_caCertificates);
    socket.setSslConfiguration(configuration);
    socket.setPeerVerifyName(QString::fromLatin1(m_report.server));
}

QString MailTester::TlsErrorText(const QSslSocket& socket) const
{
    QStringList errors;
    for (const QSslError& error : socket.sslHandshakeErrors())
        errors.append(error.errorString());
    if (errors.isEmpty())
        errors.append(socket.errorString());
    return errors.join(QStringLiteral("; "));
}

Reply MailTester::ReadReply(QSslSocket& socket)
{
    Reply reply;
    const QDeadlineTimer deadline(m_options.stepTimeout);
    for (;;) {
        while (!socket.canReadLine()) {
            if (socket.bytesAvailable() > kMaxReplyLine) {
                reply.status = Reply::Status::Garbled;
                return reply;
            }
            if (socket.state() != QAbstractSocket::ConnectedState) {
                reply.status = Reply::Status::Closed;
                return reply;
            }
            const auto left = static_cast<int>(deadline.remainingTime());
            if (left <= 0) {
                reply.status = Reply::Status::TimedOut;
                return reply;
            }
            if (!socket.waitForReadyRead(left) && !socket.canReadLine()) {
                reply.status = socket.state() == QAbstractSocket::ConnectedState ? Reply::Status::TimedOut
                                                                                  : Reply::Status::Closed;
                return reply;
            }
        }
        const QByteArray line = socket.readLine(kMaxReplyLine + 1).trimmed();
        reply.lines.append(line);
        bool numeric = false;
        const int code = line.left(3).toInt(&numeric);
        if (!numeric || line.size() < 3 || reply.lines.size() > kMaxReplyLines ||
            (reply.code != 0 && code != reply.code)) {
            reply.status = Reply::Status::Garbled;
            return reply;
        }
        reply.code = code;
        if (line.size() == 3 || line.at(3) != '-') {
            reply.status = Reply::Status::Complete;
            return reply;
        }
    }
}

Reply MailTester::Command(QSslSocket& socket, const QByteArray& line)
{
    socket.write(line + "\r\n");
    const QDeadlineTimer deadline(m_options.stepTimeout);
    while (socket.bytesToWrite() > 0 && !deadline.hasExpired()) {
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
            break;
    }
    return ReadReply(socket);
}

QString NoReplyText(const Reply& reply, const QString& seconds)
{
    switch (reply.status) {
    case Reply::Status::TimedOut:
        return QStringLiteral("no reply within %1").arg(seconds);
    case Reply::Status::Closed:
        return QStringLiteral("the server closed the connection");
    case Reply::Status::Garbled:
        return QStringLiteral("the server's reply is not SMTP");
    case Reply::Status::Complete:
        break;
    }
    return QStringLiteral("unexpected reply");
}

bool MailTester::Connect(QSslSocket& socket, MailTransport transport, const QHostAddress& address)
{
    const QString where = QStringLiteral("%1 port %2").arg(address.toString()).arg(m_report.port);
    if (transport == MailTransport::ImplicitTls) {
        PrepareTls(socket);
        socket.connectToHostEncrypted(address.toString(), static_cast<quint16>(m_report.port),
                                      QString::fromLatin1(m_report.server));
    } else {
        socket.connectToHost(address, static_cast<quint16>(m_report.port));
    }
    if (!socket.waitForConnected(TimeoutMs())) {
        if (socket.error() == QAbstractSocket::ConnectionRefusedError) {
            Step(false, QStringLiteral("Nothing answers on %1 (connection refused).").arg(where));
            Fail(MailTestOutcome::NothingListens,
                 QStringLiteral("Nothing answers on port %1 of %2. Check the port: mail servers usually take "
                                "587 (STARTTLS), 465 (TLS) or 25.")
                     .arg(m_report.port)
                     .arg(QuotedForReport(m_report.server)));
        } else {
            Step(false, QStringLiteral("No connection to %1: %2.").arg(where, socket.errorString()));
            Fail(MailTestOutcome::NoAnswer,
                 QStringLiteral("No connection to port %1 of %2 within %3 (%4). A firewall may drop it.")
                     .arg(m_report.port)
                     .arg(QuotedForReport(m_report.server), Seconds(), socket.errorString()));
        }
        return false;
    }
    if (transport == MailTransport::ImplicitTls && !socket.waitForEncrypted(TimeoutMs())) {
        Step(false, QStringLiteral("TLS from the first byte on %1 does not work: %2.").arg(where, TlsErrorText(socket)));
        return false;
    }
    Step(true, transport == MailTransport::ImplicitTls ? QStringLiteral("Connected to %1 with TLS.").arg(where)
                                                        : QStringLiteral("Connected to %1.").arg(where));
    return true;
}

bool MailTester::Greet(QSslSocket& socket, MailTransport transport, const QHostAddress& address)
{
    if (!Connect(socket, transport, address))
        return false;
    const Reply greeting = ReadReply(socket);
    if (greeting.is(220)) {
        Step(true, QStringLiteral("The server greets."), &greeting);
        return true;
    }
    if (greeting.complete()) {
        Step(false, QStringLiteral("The server turns the session down."), &greeting);
        Fail(MailTestOutcome::ServerRefused,
             QStringLiteral("The server turned the session down: %1").arg(ReplyText(greeting)));
        return false;
    }
    Step(false, QStringLiteral("No greeting: %1.").arg(NoReplyText(greeting, Seconds())), &greeting);
    return false;
}

// Connects, in the order the port suggests, plainly or with TLS from the first
// byte, until a server greets. The first attempt finds the way; later ones
// take it at once.
std::unique_ptr<QSslSocket> MailTester::OpenSession()
{
    if (m_startTransport) {
        auto socket = std::make_unique<QSslSocket>();
        if (Greet(*socket, *m_startTransport, *m_address))
            return socket;
        if (!m_failed)
            Fail(MailTestOutcome::NoAnswer, QStringLiteral("The server did not greet a second time."));
        return nullptr;
    }
    const bool tlsFirst = m_report.port == kImplicitTlsPort;
    const MailTransport order[] = {tlsFirst ? MailTransport::ImplicitTls : MailTransport::Plain,
                                   tlsFirst ? MailTransport::Plain : MailTransport::ImplicitTls};
    QString certificateProblem;
    bool reached = false; // a server took the connection (and then said nothing useful)
    for (const QHostAddress& address : m_addresses) {
        if (reached)
            break; // the host's other addresses are the same servers: no need to wait on each
        for (MailTransport transport : order) {
            m_failed = false;
            auto socket = std::make_unique<QSslSocket>();
            if (Greet(*socket, transport, address)) {
                m_address = address;
                m_startTransport = transport;
                return socket;
            }
            if (m_failed && m_report.outcome != MailTestOutcome::NothingListens &&
                m_report.outcome != MailTestOutcome::NoAnswer)
                return nullptr; // the server answered and said no
            if (m_failed)
                break; // no connection at all: the other way would not do better
            reached = true;
            if (transport == MailTransport::ImplicitTls && !socket->sslHandshakeErrors().isEmpty())
                certificateProblem = TlsErrorText(*socket);
        }
    }
    if (m_failed)
        return nullptr;
    if (!certificateProblem.isEmpty()) {
        m_report.transport = MailTransport::ImplicitTls;
        Fail(MailTestOutcome::TlsFailed,
             QStringLiteral("The server wants TLS from the first byte, but its certificate could not be verified "
                            "(%1). The password was not sent.")
                 .arg(certificateProblem));
    } else {
        Fail(MailTestOutcome::NoAnswer,
             QStringLiteral("The server accepts the connection but never greets, neither plainly nor over TLS, "
                            "within %1. It may be busy, or not a mail server.")
                 .arg(Seconds()));
    }
    return nullptr;
}

QList<QByteArray> Extensions(const Reply& reply)
{
    QList<QByteArray> extensions;
    for (qsizetype index = 1; index < reply.lines.size(); ++index)
        extensions.append(reply.lines.at(index).mid(4).toUpper());
    return extensions;
}

bool Offers(const QList<QByteArray>& extensions, const QByteArray& keyword)
{
    for (const QByteArray& extension : extensions) {
        if (extension == keyword || extension.startsWith(keyword + ' '))
            return true;
    }
    return false;
}

bool OffersAuth(const QList<QByteArray>& extensions, const QByteArray& mechanism)
{
    for (const QByteArray& extension : extensions) {
        // AUTH=LOGIN is the older spelling some servers still add.
        if (extension.startsWith("AUTH ") || extension.startsWith("AUTH=")) {
            const QList<QByteArray> words = extension.mid(5).split(' ');
            if (words.contains(mechanism))
                return true;
        }
    }
    return false;
}

bool MailTester::Hello(QSslSocket& socket, QList<QByteArray>& extensions)
{
    const Reply hello = Command(socket, "EHLO " + m_options.clientName);
    if (hello.is(250)) {
        extensions = Extensions(hello);
        // Of the offers, only the login and TLS matter to the camera.
        Reply shown = hello;
        shown.lines = {hello.lines.first()};
        for (const QByteArray& line : hello.lines.mid(1)) {
            const QByteArray offer = line.mid(4).toUpper();
            if (offer.startsWith("AUTH") || offer.startsWith("STARTTLS"))
                shown.lines.append(line);
        }
        Step(true, QStringLiteral("The server answers EHLO."), &shown);
        return true;
    }
    Step(false, QStringLiteral("EHLO is not answered: %1.").arg(hello.complete() ? ReplyText(hello)
                                                                                  : NoReplyText(hello, Seconds())),
         &hello);
    Fail(hello.complete() ? MailTestOutcome::ServerRefused : MailTestOutcome::NoAnswer,
         QStringLiteral("The server did not take EHLO: %1")
             .arg(hello.complete() ? ReplyText(hello) : NoReplyText(hello, Seconds())));
    return false;
}

bool MailTester::StartTls(QSslSocket& socket, QList<QByteArray>& extensions)
{
    m_report.transport = MailTransport::StartTls; // needed, whether or not it works
    const Reply go = Command(socket, "STARTTLS");
    if (!go.is(220)) {
        Step(false, QStringLiteral("STARTTLS is refused."), &go);
        Fail(MailTestOutcome::TlsFailed,
             QStringLiteral("The server wants TLS but refuses STARTTLS: %1")
                 .arg(go.complete() ? ReplyText(go) : NoReplyText(go, Seconds())));
        return false;
    }
    PrepareTls(socket);
    socket.startClientEncryption();
    if (!socket.waitForEncrypted(TimeoutMs())) {
        Step(false, QStringLiteral("STARTTLS does not work: %1.").arg(TlsErrorText(socket)), &go);
        Fail(MailTestOutcome::TlsFailed,
             QStringLiteral("The server wants TLS (STARTTLS), but it could not be set up: %1. "
                            "The password was not sent.")
                 .arg(TlsErrorText(socket)));
        return false;
    }
    Step(true, QStringLiteral("Switched to TLS with STARTTLS."), &go);
    return Hello(socket, extensions);
}

LoginEnd MailTester::Login(QSslSocket& socket, const QList<QByteArray>& extensions, const QByteArray& login)
{
    const QByteArray& password = m_settings.senderPassword;
    Reply answer;
    QString how;
    if (OffersAuth(extensions, "LOGIN")) {
        how = QStringLiteral("AUTH LOGIN");
        answer = Command(socket, "AUTH LOGIN");
        if (answer.is(334))
            answer = Command(socket, login.toBase64());
        if (answer.is(334))
            answer = Command(socket, password.toBase64());
    } else {
        how = QStringLiteral("AUTH PLAIN");
        answer = Command(socket, "AUTH PLAIN " + QByteArray('\0' + login + '\0' + password).toBase64());
    }
    const QString who = QStringLiteral("Login as %1 (%2)").arg(QuotedForReport(login), how);
    if (answer.is(235)) {
        Step(true, who + QStringLiteral(": accepted."), &answer);
        return LoginEnd::Accepted;
    }
    if (answer.complete() && answer.code >= 500) {
        Step(false, who + QStringLiteral(": refused."), &answer);
        return LoginEnd::Refused;
    }
    Step(false, who + QStringLiteral(": %1.").arg(answer.complete() ? QStringLiteral("not checked")
                                                                     : NoReplyText(answer, Seconds())),
         &answer);
    Fail(answer.complete() ? MailTestOutcome::ServerRefused : MailTestOutcome::NoAnswer,
         QStringLiteral("The server could not check the login: %1")
             .arg(answer.complete() ? ReplyText(answer) : NoReplyText(answer, Seconds())));
    return LoginEnd::Failed;
}

// Lines that start with a dot get a second one, so no line of the message
// ends the DATA section early.
QByteArray DotStuffed(const QByteArray& message)
{
    QByteArray out;
    for (const QByteArray& line : message.split('\n')) {
        if (!out.isEmpty())
            out += '\n';
        if (line.startsWith('.'))
            out += '.';
        out += line;
    }
    return out;
}

QByteArray TestMessage(const GprsSettings& settings)
{
    const QByteArray boundary = "kestra-mail-test-" + QByteArray::number(QRandomGenerator::global()->generate64(), 16);
    QByteArray picture = MailTestPicture().toBase64();
    QByteArray pictureLines;
    for (qsizetype at = 0; at < picture.size(); at += 76)
        pictureLines += picture.mid(at, 76) + "\r\n";
    QByteArray message;
    message += "From: <" + settings.senderEmail + ">\r\n";
    message += "To: <" + settings.recipientEmail + ">\r\n";
    message += "Subject: Kestra Setup mail test\r\n";
    message += "Date: " + QDateTime::currentDateTime().toString(Qt::RFC2822Date).toLatin1() + "\r\n";
    message += "MIME-Version: 1.0\r\n";
    message += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n";
    message += "--" + boundary + "\r\n";
    message += "Content-Type: text/plain; charset=us-ascii\r\n\r\n";
    message += "Kestra Setup sent this message from a PC with the camera's e-mail settings.\r\n"
               "The camera sends its pictures the same way; the one attached is a test picture.\r\n";
    message += "--" + boundary + "\r\n";
    message += "Content-Type: image/jpeg; name=\"kestra-test.jpg\"\r\n";
    message += "Content-Transfer-Encoding: base64\r\n";
    message += "Content-Disposition: attachment; filename=\"kestra-test.jpg\"\r\n\r\n";
    message += pictureLines;
    message += "--" + boundary + "--\r\n";
    return DotStuffed(message);
}

bool MailTester::Send(QSslSocket& socket)
{
    const Reply from = Command(socket, "MAIL FROM:<" + m_settings.senderEmail + ">");
    if (!from.positive()) {
        Step(false, QStringLiteral("The sender %1 is refused.").arg(QuotedForReport(m_settings.senderEmail)), &from);
        Fail(MailTestOutcome::SenderRefused,
             QStringLiteral("The server refuses %1 as the sender: %2")
                 .arg(QuotedForReport(m_settings.senderEmail),
                      from.complete() ? ReplyText(from) : NoReplyText(from, Seconds())));
        return false;
    }
    Step(true, QStringLiteral("The sender %1 is accepted.").arg(QuotedForReport(m_settings.senderEmail)), &from);
    const Reply to = Command(socket, "RCPT TO:<" + m_settings.recipientEmail + ">");
    if (!to.positive()) {
        Step(false, QStringLiteral("The recipient %1 is refused.").arg(QuotedForReport(m_settings.recipientEmail)), &to);
        Fail(MailTestOutcome::RecipientRefused,
             QStringLiteral("The server refuses the recipient %1: %2")
                 .arg(QuotedForReport(m_settings.recipientEmail), to.complete() ? ReplyText(to) : NoReplyText(to, Seconds())));
        return false;
    }
    Step(true, QStringLiteral("The recipient %1 is accepted.").arg(QuotedForReport(m_settings.recipientEmail)), &to);
    Reply data = Command(socket, "DATA");
    if (data.is(354))
        data = Command(socket, TestMessage(m_settings) + ".");
    if (!data.positive()) {
        Step(false, QStringLiteral("The message is refused."), &data);
        Fail(MailTestOutcome::MessageRefused,
             QStringLiteral("The server refuses the message: %1")
                 .arg(data.complete() ? ReplyText(data) : NoReplyText(data, Seconds())));
        return false;
    }
    Step(true, QStringLiteral("The message with a small picture is sent."), &data);
    return true;
}

LoginEnd MailTester::Attempt(const QByteArray& login, bool send)
{
    const std::unique_ptr<QSslSocket> connection = OpenSession();
    if (!connection)
        return LoginEnd::Failed;
    QSslSocket& socket = *connection;
    m_report.transport = m_startTransport;
    QList<QByteArray> extensions;
    if (!Hello(socket, extensions))
        return LoginEnd::Failed;
    const bool canLogin = OffersAuth(extensions, "LOGIN") || OffersAuth(extensions, "PLAIN");
    if (!canLogin && socket.mode() == QSslSocket::UnencryptedMode && Offers(extensions, "STARTTLS")) {
        if (!StartTls(socket, extensions))
            return LoginEnd::Failed;
    }
    if (!OffersAuth(extensions, "LOGIN") && !OffersAuth(extensions, "PLAIN")) {
        Fail(MailTestOutcome::NoLoginOffered,
             QStringLiteral("The server offers no login the camera can use (AUTH LOGIN or PLAIN) on this "
                            "connection; it offers: %1")
                 .arg(QString::fromLatin1(extensions.join(", "))));
        return LoginEnd::Failed;
    }
    const LoginEnd end = Login(socket, extensions, login);
    if (end == LoginEnd::Accepted && login == m_report.loginName)
        m_report.loginAccepted = true; // even if the message is refused next
    if (end == LoginEnd::Accepted && send && !Send(socket))
        return LoginEnd::Failed;
    if (end != LoginEnd::Failed) {
        socket.write("QUIT\r\n");
        socket.waitForBytesWritten(TimeoutMs());
    }
    return end;
}

MailTestReport MailTester::Run()
{
    if (!CheckSettings() || !Resolve())
        return m_report;
    const LoginEnd camera = Attempt(m_report.loginName, m_options.send);
    if (camera == LoginEnd::Failed)
        return m_report;
    if (camera == LoginEnd::Accepted) {
        m_report.sent = m_options.send;
        m_report.outcome = m_options.send ? MailTestOutcome::Sent : MailTestOutcome::LoginAccepted;
        m_report.summary = m_options.send
                               ? QStringLiteral("The login worked and the server took the test message for %1.")
                                     .arg(QuotedForReport(m_settings.recipientEmail))
                               : QStringLiteral("The login the camera uses works.");
        return m_report;
    }
    const QByteArray& address = m_settings.senderEmail;
    const QString appPassword = QStringLiteral(
        "Check the sender password; many providers want an app password (made in the mailbox's security "
        "settings) instead of the mailbox password.");
    if (m_report.loginName == address) {
        Fail(MailTestOutcome::LoginRefused, QStringLiteral("The server refuses the login. ") + appPassword);
        return m_report;
    }
    // The camera sends only the part before "@". Would the whole address do?
    m_report.steps.push_back(
        {true, QStringLiteral("Again with the whole address as the login name, to compare:"), {}, true});
    const LoginEnd whole = Attempt(address, false);
    if (whole == LoginEnd::Failed)
        return m_report;
    m_report.wholeAddressAccepted = whole == LoginEnd::Accepted;
    if (whole == LoginEnd::Accepted) {
        Fail(MailTestOutcome::LoginNameRefused,
             QStringLiteral("The server refuses the login name %1 the camera sends (the part of the sender address "
                            "before \"@\"), but accepts the whole address %2 with the same password. The camera "
                            "sends only the short name, so it cannot log in here: use a mailbox whose provider "
                            "accepts the name before \"@\".")
                 .arg(QuotedForReport(m_report.loginName), QuotedForReport(address)));
    } else {
        Fail(MailTestOutcome::LoginRefused,
             QStringLiteral("The server refuses the login, with the name %1 the camera sends and with the whole "
                            "address %2 alike. ")
                     .arg(QuotedForReport(m_report.loginName), QuotedForReport(address)) +
                 appPassword);
    }
    return m_report;
}

} // namespace

MailTestReport RunMailTestSession(const GprsSettings& settings, const MailTestOptions& options)
{
    MailTester tester(settings, options);
    return tester.Run();
}

} // namespace kestra
