// SPDX-License-Identifier: Apache-2.0
#include "mailtest/network/MailTestSession.h"

#include "common/Session.h"
#include "formats/gprs/GprsSave.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QElapsedTimer>
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
// A reply slower than this is announced while it is awaited, and its step
// says how long it took (a server may hold back its answer to a wrong
// password for several seconds).
constexpr std::chrono::milliseconds kSlowReply{2000};

using W = const char*;

struct Reply {
    enum class Status { Complete, TimedOut, Closed, Garbled };
    Status status = Status::Closed;
    int code = 0;
    QList<QByteArray> lines;
    std::chrono::milliseconds took{0};

    bool complete() const { return status == Status::Complete; }
    bool positive() const { return complete() && code >= 200 && code < 400; }
    bool is(int wanted) const { return complete() && code == wanted; }
};

// How a login attempt ended; the outer test decides what it means.
enum class LoginEnd { Accepted, Refused, Failed };

class MailTester {
public:
    MailTester(const GprsSettings& settings, const MailTestOptions& options) : m_settings(settings), m_options(options)
    {
        m_report.chinese = options.languageIndex == kLanguageChinese;
        m_report.server = settings.smtpServer.trimmed();
        m_report.loginName = options.loginName.value_or(GprsUserName(settings.senderEmail));
        m_report.sendRequested = options.send;
        const QByteArray& password = settings.senderPassword;
        if (!password.isEmpty()) {
            m_secrets = {password, password.toBase64()};
            for (const QByteArray& login : {m_report.loginName, settings.senderEmail})
                m_secrets.append(QByteArray('\0' + login + '\0' + password).toBase64());
        }
        for (const MailTestCaFile& file : options.caFiles) {
            QList<QSslCertificate> found = QSslCertificate::fromData(file.data, QSsl::Pem);
            if (found.isEmpty())
                found = QSslCertificate::fromData(file.data, QSsl::Der);
            if (found.isEmpty() && m_emptyCaFile.isEmpty())
                m_emptyCaFile = file.name;
            m_caCertificates.append(found);
        }
    }

    MailTestReport Run();

private:
    bool CheckSettings();
    bool CheckCameraCanHold();
    QString Say(W english, W chinese) const { return MailTestWords(m_report.chinese, english, chinese); }
    void Refused();
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
    QString NoReplyText(const Reply& reply) const;
    QString AnswerText(const Reply& reply) const; // the reply, or why there is none
    QString Mask(QString text) const;
    void Step(bool ok, const QString& text, const Reply* reply = nullptr);
    void Fail(MailTestOutcome outcome, const QString& summary);
    bool FailedStep(const QString& text, const Reply* reply, MailTestOutcome outcome, const QString& summary);
    QString SystemErrorText(W english, W chinese, const QString& systemText) const;
    void PrepareTls(QSslSocket& socket) const;
    QString TlsErrorText(const QSslSocket& socket) const;
    QString SocketErrorText(const QAbstractSocket& socket) const;
    QString HostErrorText(const QHostInfo& info) const;
    int TimeoutMs() const { return static_cast<int>(m_options.stepTimeout.count()); }
    QString Seconds() const { return MailTestSeconds(m_options.stepTimeout); }

    const GprsSettings& m_settings;
    const MailTestOptions& m_options;
    MailTestReport m_report;
    QList<QByteArray> m_secrets;
    QList<QSslCertificate> m_caCertificates;
    QString m_emptyCaFile; // the first CA file that holds no certificate
    QString m_awaited;     // what the reply being read answers, for the waiting line
    QList<QHostAddress> m_addresses;
    // Found by the first attempt, used by the next.
    std::optional<QHostAddress> m_address;
    std::optional<MailTransport> m_startTransport;
    bool m_failed = false;
};

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
    QString shown = text;
    if (reply && reply->took >= kSlowReply && reply->status != Reply::Status::TimedOut)
        shown += Say(" The server took %1 to answer.", "服务器用了%1才应答。").arg(MailTestSeconds(reply->took));
    m_report.steps.push_back({ok, shown, reply ? ReplyText(*reply) : QString()});
}

void MailTester::Fail(MailTestOutcome outcome, const QString& summary)
{
    m_failed = true;
    m_report.outcome = outcome;
    m_report.summary = summary;
}

// A step that did not work and ends the test with `summary`; always false, for
// the caller to return.
bool MailTester::FailedStep(const QString& text, const Reply* reply, MailTestOutcome outcome, const QString& summary)
{
    Step(false, text, reply);
    Fail(outcome, summary);
    return false;
}

// An error our words do not cover: as the system says it, with a lead-in in
// Chinese, since the system speaks English.
QString MailTester::SystemErrorText(W english, W chinese, const QString& systemText) const
{
    return m_report.chinese ? Say(english, chinese).arg(systemText) : systemText;
}

// The checks of the window's Save and the file's text limits, on the values
// the test uses, with the words the window and `gprs` refuse them with.
bool MailTester::CheckCameraCanHold()
{
    Session session;
    session.languageIndex = m_options.languageIndex;
    const SaveDecision<GprsSettings> decision = PrepareMailTestValues(m_settings, m_options.send, session);
    m_report.cameraCanHold = decision.ok();
    if (!decision.ok()) {
        // The reason `gprs` gives: the test saves nothing.
        Fail(MailTestOutcome::BadSettings, *decision.refusal);
        return false;
    }
    return true;
}

bool MailTester::CheckSettings()
{
    const QByteArray port = m_settings.smtpPort.trimmed();
    bool numeric = false;
    const uint value = port.toUInt(&numeric);
    m_report.port = numeric && value <= 65535 ? static_cast<int>(value) : 0;
    if (!m_emptyCaFile.isEmpty()) {
        Fail(MailTestOutcome::BadSettings,
             Say("The certificate file %1 holds no certificate (PEM or DER).", "证书文件 %1 中没有证书（PEM或DER）。")
                 .arg(QuotedForReport(m_emptyCaFile.toUtf8())));
        return false;
    }
    if (!CheckCameraCanHold())
        return false;
    if (m_report.server.isEmpty()) {
        Fail(MailTestOutcome::BadSettings, Say("No SMTP server is set.", "没有设置SMTP服务器。"));
    } else if (!numeric || value == 0 || value > 65535) {
        Fail(MailTestOutcome::BadSettings,
             Say("The port %1 is not a number from 1 to 65535; the camera could not use it either.",
                 "端口 %1 不是1到65535之间的数字；相机也无法使用。")
                 .arg(QuotedForReport(m_settings.smtpPort)));
    }
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
             Say("The name %1 could not be looked up within %2: this PC's name service did not answer.",
                 "在%2内无法查询名称 %1：这台电脑的域名服务没有应答。")
                 .arg(QuotedForReport(m_report.server), Seconds()));
        return false;
    }
    if (result->error() != QHostInfo::NoError || result->addresses().isEmpty()) {
        Fail(MailTestOutcome::HostNotFound, Say("The host %1 is not known (%2). Check the spelling of the server.",
                                                "主机 %1 不存在（%2）。请检查服务器的拼写。")
                                                .arg(QuotedForReport(m_report.server), HostErrorText(*result)));
        return false;
    }
    m_addresses = result->addresses().mid(0, kMaxAddresses);
    QStringList shown;
    for (const QHostAddress& address : m_addresses)
        shown.append(address.toString());
    Step(true, Say("Host %1 found: %2", "已找到主机 %1：%2")
                   .arg(QuotedForReport(m_report.server), shown.join(QStringLiteral(", "))));
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

// The network's and the certificates' errors in the report's language: the
// common ones in our words, any other as the system says it.
QString MailTester::SocketErrorText(const QAbstractSocket& socket) const
{
    switch (socket.error()) {
    case QAbstractSocket::ConnectionRefusedError:
        return Say("connection refused", "连接被拒绝");
    case QAbstractSocket::RemoteHostClosedError:
        return Say("the server closed the connection", "服务器关闭了连接");
    case QAbstractSocket::HostNotFoundError:
        return Say("host not found", "找不到主机");
    case QAbstractSocket::SocketTimeoutError:
        return Say("no answer in time", "未及时应答");
    case QAbstractSocket::NetworkError:
        return Say("the network cannot be reached", "无法访问网络");
    case QAbstractSocket::SslHandshakeFailedError:
        return Say("the TLS handshake failed", "TLS握手失败");
    case QAbstractSocket::SocketAccessError:
        return Say("this PC does not allow the connection", "这台电脑不允许该连接");
    default:
        return SystemErrorText("network error: %1", "网络错误：%1", socket.errorString());
    }
}

QString MailTester::HostErrorText(const QHostInfo& info) const
{
    switch (info.error()) {
    case QHostInfo::HostNotFound:
        return Say("no such host", "没有这个主机");
    case QHostInfo::NoError:
        return Say("the name has no address", "该名称没有地址");
    default:
        return SystemErrorText("name service error: %1", "域名服务错误：%1", info.errorString());
    }
}

QString MailTester::TlsErrorText(const QSslSocket& socket) const
{
    QStringList errors;
    for (const QSslError& error : socket.sslHandshakeErrors()) {
        switch (error.error()) {
        case QSslError::CertificateExpired:
            errors.append(Say("the server's certificate has expired", "服务器的证书已过期"));
            break;
        case QSslError::CertificateNotYetValid:
            errors.append(Say("the server's certificate is not valid yet", "服务器的证书尚未生效"));
            break;
        case QSslError::SelfSignedCertificate:
        case QSslError::SelfSignedCertificateInChain:
            errors.append(Say("the server's certificate is signed by itself", "服务器的证书是自签名的"));
            break;
        case QSslError::HostNameMismatch:
            errors.append(Say("the server's certificate is for another name", "服务器的证书属于另一个名称"));
            break;
        case QSslError::UnableToGetLocalIssuerCertificate:
        case QSslError::UnableToVerifyFirstCertificate:
        case QSslError::CertificateUntrusted:
            errors.append(Say("the server's certificate is signed by no one this PC trusts",
                              "服务器的证书不是由这台电脑信任的机构签发的"));
            break;
        default:
            errors.append(SystemErrorText("certificate error: %1", "证书错误：%1", error.errorString()));
        }
    }
    if (errors.isEmpty())
        errors.append(SocketErrorText(socket));
    return errors.join(QStringLiteral("; "));
}

Reply MailTester::ReadReply(QSslSocket& socket)
{
    Reply reply;
    const QDeadlineTimer deadline(m_options.stepTimeout);
    QElapsedTimer clock;
    clock.start();
    bool announced = false;
    const auto finish = [&](Reply::Status status) {
        reply.status = status;
        reply.took = std::chrono::milliseconds(clock.elapsed());
        return reply;
    };
    for (;;) {
        while (!socket.canReadLine()) {
            if (socket.bytesAvailable() > kMaxReplyLine)
                return finish(Reply::Status::Garbled);
            if (socket.state() != QAbstractSocket::ConnectedState)
                return finish(Reply::Status::Closed);
            const auto left = static_cast<int>(deadline.remainingTime());
            if (left <= 0)
                return finish(Reply::Status::TimedOut);
            // Wait in two parts: a server still silent after the first is
            // said to be awaited, so a slow answer does not look like a hang.
            const auto beforeNotice = static_cast<int>(kSlowReply.count() - clock.elapsed());
            const int slice = announced || beforeNotice <= 0 ? left : std::min(left, beforeNotice);
            if (!socket.waitForReadyRead(slice) && !socket.canReadLine()) {
                if (socket.state() != QAbstractSocket::ConnectedState)
                    return finish(Reply::Status::Closed);
                if (slice == left)
                    return finish(Reply::Status::TimedOut);
                announced = true;
                if (m_options.waiting)
                    m_options.waiting(Say("Waiting for the server's answer to %1 (at most %2)...",
                                          "正在等待服务器对%1的应答（最多%2）...")
                                          .arg(m_awaited, Seconds()));
            }
        }
        const QByteArray line = socket.readLine(kMaxReplyLine + 1).trimmed();
        reply.lines.append(line);
        bool numeric = false;
        const int code = line.left(3).toInt(&numeric);
        if (!numeric || line.size() < 3 || reply.lines.size() > kMaxReplyLines
            || (reply.code != 0 && code != reply.code))
            return finish(Reply::Status::Garbled);
        reply.code = code;
        if (line.size() == 3 || line.at(3) != '-')
            return finish(Reply::Status::Complete);
    }
}

Reply MailTester::Command(QSslSocket& socket, const QByteArray& line)
{
    // The lines of AUTH LOGIN and of the message carry no verb of their own:
    // they answer to the command before them.
    const QByteArray verb = line.left(line.indexOf(' ') < 0 ? line.size() : line.indexOf(' '));
    for (const char* known : {"EHLO", "STARTTLS", "AUTH", "MAIL", "RCPT", "DATA"}) {
        if (verb == known)
            m_awaited = QString::fromLatin1(verb);
    }
    socket.write(line + "\r\n");
    const QDeadlineTimer deadline(m_options.stepTimeout);
    while (socket.bytesToWrite() > 0 && !deadline.hasExpired()) {
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
            break;
    }
    return ReadReply(socket);
}

QString MailTester::NoReplyText(const Reply& reply) const
{
    switch (reply.status) {
    case Reply::Status::TimedOut:
        return Say("no reply within %1", "%1内没有应答").arg(Seconds());
    case Reply::Status::Closed:
        return Say("the server closed the connection", "服务器关闭了连接");
    case Reply::Status::Garbled:
        return Say("the server's reply is not SMTP", "服务器的应答不是SMTP");
    case Reply::Status::Complete:
        break;
    }
    return Say("unexpected reply", "意外的应答");
}

QString MailTester::AnswerText(const Reply& reply) const
{
    return reply.complete() ? ReplyText(reply) : NoReplyText(reply);
}

bool MailTester::Connect(QSslSocket& socket, MailTransport transport, const QHostAddress& address)
{
    const QString where = Say("%1 port %2", "%1 端口 %2").arg(address.toString()).arg(m_report.port);
    if (transport == MailTransport::ImplicitTls) {
        PrepareTls(socket);
        socket.connectToHostEncrypted(address.toString(), static_cast<quint16>(m_report.port),
                                      QString::fromLatin1(m_report.server));
    } else {
        socket.connectToHost(address, static_cast<quint16>(m_report.port));
    }
    if (!socket.waitForConnected(TimeoutMs())) {
        if (socket.error() == QAbstractSocket::ConnectionRefusedError)
            return FailedStep(
                Say("Nothing answers on %1 (connection refused).", "%1 无应答（连接被拒绝）。").arg(where), nullptr,
                MailTestOutcome::NothingListens,
                Say("Nothing answers on port %1 of %2. Check the port: mail servers usually take 587 (STARTTLS), "
                    "465 (TLS) or 25.",
                    "%2 的 %1 端口无应答。请检查端口：邮件服务器通常使用587（STARTTLS）、465（TLS）或25。")
                    .arg(m_report.port)
                    .arg(QuotedForReport(m_report.server)));
        return FailedStep(Say("No connection to %1: %2.", "无法连接到 %1：%2。").arg(where, SocketErrorText(socket)),
                          nullptr, MailTestOutcome::NoAnswer,
                          Say("No connection to port %1 of %2 within %3 (%4). A firewall may drop it.",
                              "%3内无法连接到 %2 的 %1 端口（%4）。可能被防火墙拦截。")
                              .arg(m_report.port)
                              .arg(QuotedForReport(m_report.server), Seconds(), SocketErrorText(socket)));
    }
    if (transport == MailTransport::ImplicitTls && !socket.waitForEncrypted(TimeoutMs())) {
        Step(false, Say("TLS from the first byte on %1 does not work: %2.", "%1 上一开始就使用TLS的连接不成功：%2。")
                        .arg(where, TlsErrorText(socket)));
        return false;
    }
    Step(true, transport == MailTransport::ImplicitTls
                   ? Say("Connected to %1 with TLS.", "已用TLS连接到 %1。").arg(where)
                   : Say("Connected to %1.", "已连接到 %1。").arg(where));
    return true;
}

bool MailTester::Greet(QSslSocket& socket, MailTransport transport, const QHostAddress& address)
{
    if (!Connect(socket, transport, address))
        return false;
    m_awaited = Say("the greeting", "问候");
    const Reply greeting = ReadReply(socket);
    if (greeting.is(220)) {
        Step(true, Say("The server greets.", "服务器发来问候。"), &greeting);
        return true;
    }
    if (greeting.complete())
        return FailedStep(
            Say("The server turns the session down.", "服务器拒绝了会话。"), &greeting, MailTestOutcome::ServerRefused,
            Say("The server turned the session down: %1", "服务器拒绝了会话：%1").arg(ReplyText(greeting)));
    Step(false, Say("No greeting: %1.", "没有问候：%1。").arg(NoReplyText(greeting)), &greeting);
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
            Fail(MailTestOutcome::NoAnswer,
                 Say("The server did not greet a second time.", "服务器第二次没有发来问候。"));
        return nullptr;
    }
    const bool tlsFirst = m_report.port == m_options.implicitTlsPort;
    const MailTransport order[] = {tlsFirst ? MailTransport::ImplicitTls : MailTransport::Plain,
                                   tlsFirst ? MailTransport::Plain : MailTransport::ImplicitTls};
    QString certificateProblem;
    int tries = 0; // connections a server took and then said nothing useful on
    QElapsedTimer clock;
    clock.start();
    for (const QHostAddress& address : m_addresses) {
        // The host's other addresses are the same servers: no need to wait on each.
        if (tries > 0 || !certificateProblem.isEmpty())
            break;
        for (MailTransport transport : order) {
            m_failed = false;
            auto socket = std::make_unique<QSslSocket>();
            if (Greet(*socket, transport, address)) {
                m_address = address;
                m_startTransport = transport;
                return socket;
            }
            if (m_failed && m_report.outcome != MailTestOutcome::NothingListens
                && m_report.outcome != MailTestOutcome::NoAnswer)
                return nullptr; // the server answered and said no
            if (m_failed)
                break; // no connection at all: the other way would not do better
            if (transport == MailTransport::ImplicitTls && !socket->sslHandshakeErrors().isEmpty()) {
                // A server that shows a certificate speaks TLS: plain SMTP on
                // the same port would only wait out the timeout.
                certificateProblem = TlsErrorText(*socket);
                break;
            }
            ++tries;
        }
    }
    if (m_failed)
        return nullptr;
    if (!certificateProblem.isEmpty()) {
        m_report.transport = MailTransport::ImplicitTls;
        Fail(MailTestOutcome::TlsFailed,
             Say("The server wants TLS from the first byte, but its certificate could not be verified (%1). The "
                 "password was not sent.",
                 "服务器要求一开始就使用TLS，但无法验证其证书（%1）。密码没有发送。")
                 .arg(certificateProblem));
    } else {
        Fail(MailTestOutcome::NoAnswer,
             Say("The server accepts the connection but never greets, neither plainly nor over TLS: %1 tries of up "
                 "to %2 each, %3 in all. It may be busy, or not a mail server.",
                 "服务器接受连接，但无论是否使用TLS都不发来问候：共尝试%1次，每次最多等待%2，总共%3。服务器可能正忙，"
                 "或者不是邮件服务器。")
                 .arg(tries)
                 .arg(Seconds(), MailTestSeconds(std::chrono::milliseconds((clock.elapsed() + 50) / 100 * 100))));
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
        Step(true, Say("The server answers EHLO.", "服务器应答了EHLO。"), &shown);
        return true;
    }
    return FailedStep(Say("EHLO is not answered: %1.", "EHLO没有得到应答：%1。").arg(AnswerText(hello)), &hello,
                      hello.complete() ? MailTestOutcome::ServerRefused : MailTestOutcome::NoAnswer,
                      Say("The server did not take EHLO: %1", "服务器不接受EHLO：%1").arg(AnswerText(hello)));
}

bool MailTester::StartTls(QSslSocket& socket, QList<QByteArray>& extensions)
{
    m_report.transport = MailTransport::StartTls; // needed, whether or not it works
    const Reply go = Command(socket, "STARTTLS");
    if (!go.is(220))
        return FailedStep(Say("STARTTLS is refused.", "STARTTLS被拒绝。"), &go, MailTestOutcome::TlsFailed,
                          Say("The server wants TLS but refuses STARTTLS: %1", "服务器要求TLS，却拒绝了STARTTLS：%1")
                              .arg(AnswerText(go)));
    PrepareTls(socket);
    socket.startClientEncryption();
    if (!socket.waitForEncrypted(TimeoutMs()))
        return FailedStep(Say("STARTTLS does not work: %1.", "STARTTLS不成功：%1。").arg(TlsErrorText(socket)), &go,
                          MailTestOutcome::TlsFailed,
                          Say("The server wants TLS (STARTTLS), but it could not be set up: %1. The password was not "
                              "sent.",
                              "服务器要求TLS（STARTTLS），但无法建立：%1。密码没有发送。")
                              .arg(TlsErrorText(socket)));
    Step(true, Say("Switched to TLS with STARTTLS.", "已用STARTTLS切换到TLS。"), &go);
    return Hello(socket, extensions);
}

LoginEnd MailTester::Login(QSslSocket& socket, const QList<QByteArray>& extensions, const QByteArray& login)
{
    const QByteArray& password = m_settings.senderPassword;
    if (login == m_report.loginName)
        m_report.loginTried = true;
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
    const QString who = Say("Login as %1 (%2)", "以 %1 登录（%2）").arg(QuotedForReport(login), how);
    if (answer.is(235)) {
        Step(true, who + Say(": accepted.", "：成功。"), &answer);
        return LoginEnd::Accepted;
    }
    if (answer.complete() && answer.code >= 500) {
        Step(false, who + Say(": refused.", "：被拒绝。"), &answer);
        return LoginEnd::Refused;
    }
    FailedStep(
        who + Say(": %1.", "：%1。").arg(answer.complete() ? Say("not checked", "未能检查") : NoReplyText(answer)),
        &answer, answer.complete() ? MailTestOutcome::ServerRefused : MailTestOutcome::NoAnswer,
        Say("The server could not check the login: %1", "服务器未能检查登录：%1").arg(AnswerText(answer)));
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
    const QString sender = QuotedForReport(m_settings.senderEmail);
    const Reply from = Command(socket, "MAIL FROM:<" + m_settings.senderEmail + ">");
    if (!from.positive())
        return FailedStep(Say("The sender %1 is refused.", "发件人 %1 被拒绝。").arg(sender), &from,
                          MailTestOutcome::SenderRefused,
                          Say("The server refuses %1 as the sender: %2", "服务器拒绝以 %1 作为发件人：%2")
                              .arg(sender, AnswerText(from)));
    Step(true, Say("The sender %1 is accepted.", "发件人 %1 被接受。").arg(sender), &from);
    const QString recipient = QuotedForReport(m_settings.recipientEmail);
    const Reply to = Command(socket, "RCPT TO:<" + m_settings.recipientEmail + ">");
    if (!to.positive())
        return FailedStep(
            Say("The recipient %1 is refused.", "收件人 %1 被拒绝。").arg(recipient), &to,
            MailTestOutcome::RecipientRefused,
            Say("The server refuses the recipient %1: %2", "服务器拒绝收件人 %1：%2").arg(recipient, AnswerText(to)));
    Step(true, Say("The recipient %1 is accepted.", "收件人 %1 被接受。").arg(recipient), &to);
    Reply data = Command(socket, "DATA");
    if (data.is(354))
        data = Command(socket, TestMessage(m_settings) + ".");
    if (!data.positive())
        return FailedStep(Say("The message is refused.", "邮件被拒绝。"), &data, MailTestOutcome::MessageRefused,
                          Say("The server refuses the message: %1", "服务器拒绝了邮件：%1").arg(AnswerText(data)));
    Step(true, Say("The message with a small picture is sent.", "带小图片的邮件已发送。"), &data);
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
             Say("The server offers no login the camera can use (AUTH LOGIN or PLAIN) on this connection; it offers: "
                 "%1",
                 "服务器在此连接上没有提供相机可用的登录方式（AUTH LOGIN或PLAIN）；它提供的是：%1")
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

// The camera's login was refused. The verdict is that refusal: a second login
// runs only when asked, and whatever it meets (a server that has slowed down
// or answers 454 after the first failure) does not replace it.
void MailTester::Refused()
{
    const QByteArray& address = m_settings.senderEmail;
    const QString login = QuotedForReport(m_report.loginName);
    const QString appPassword =
        Say(" Many providers want an app password (made in the mailbox's security settings) instead of the mailbox "
            "password.",
            "许多邮件服务商要求使用应用专用密码（在邮箱的安全设置中生成），而不是邮箱密码。");
    QString refused =
        m_report.loginName == address
            ? Say("The server refuses the login %1. The sender address or the password may be wrong, or the mailbox "
                  "may not exist.",
                  "服务器拒绝了登录 %1。发件人地址或密码可能有误，或者邮箱不存在。")
                  .arg(login)
            : Say("The server refuses the login %1. The sender address or the password may be wrong, or the mailbox "
                  "may not exist: the camera logs in with %1, the part of the sender address before \"@\", and some "
                  "servers want the whole address, which the camera cannot send.",
                  "服务器拒绝了登录 %1。发件人地址或密码可能有误，或者邮箱不存在：相机以发件人地址中\"@\"之前的部分 %1 "
                  "登录，有些服务器要求完整地址，而相机无法发送完整地址。")
                  .arg(login);
    refused += appPassword;
    Fail(MailTestOutcome::LoginRefused, refused);
    if (!m_options.compareWholeAddress || m_report.loginName == address)
        return;
    // The camera sends only the part before "@". Would the whole address do?
    m_report.steps.push_back(
        {true,
         Say("Again with the whole address as the login name, to compare:", "为作比较，再以完整地址作为登录名登录："),
         {},
         true});
    const LoginEnd whole = Attempt(address, false);
    if (whole == LoginEnd::Failed) {
        const QString reason = m_report.summary;
        Fail(MailTestOutcome::LoginRefused,
             refused
                 + Say(" The comparison with the whole address could not be made: %1", "未能以完整地址作比较：%1")
                       .arg(reason));
        return;
    }
    m_report.wholeAddressAccepted = whole == LoginEnd::Accepted;
    if (whole == LoginEnd::Accepted) {
        Fail(MailTestOutcome::LoginNameRefused,
             Say("The server refuses the login name %1 the camera sends (the part of the sender address before "
                 "\"@\"), but accepts the whole address %2 with the same password. The camera sends only the short "
                 "name, so it cannot log in here: use a mailbox whose provider accepts the name before \"@\".",
                 "服务器拒绝相机发送的登录名 %1（发件人地址中\"@\"之前的部分），但接受使用同一密码的完整地址 %2。"
                 "相机只发送短名称，因此无法在此登录：请使用接受\"@\"之前名称的邮箱。")
                 .arg(login, QuotedForReport(address)));
    } else {
        Fail(MailTestOutcome::LoginRefused,
             Say("The server refuses the login, with the name %1 the camera sends and with the whole address %2 "
                 "alike.",
                 "服务器拒绝了登录：相机发送的名称 %1 和完整地址 %2 都被拒绝。")
                     .arg(login, QuotedForReport(address))
                 + appPassword);
    }
}

MailTestReport MailTester::Run()
{
    if (!CheckSettings() || !Resolve())
        return m_report;
    const LoginEnd camera = Attempt(m_report.loginName, m_options.send);
    if (camera == LoginEnd::Accepted) {
        m_report.sent = m_options.send;
        m_report.outcome = m_options.send ? MailTestOutcome::Sent : MailTestOutcome::LoginAccepted;
        m_report.summary = m_options.send ? Say("The login worked and the server took the test message for %1.",
                                                "登录成功，服务器已接收发给 %1 的测试邮件。")
                                                .arg(QuotedForReport(m_settings.recipientEmail))
                                          : Say("The login the camera uses works.", "相机使用的登录方式可用。");
    } else if (camera == LoginEnd::Refused) {
        Refused();
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
