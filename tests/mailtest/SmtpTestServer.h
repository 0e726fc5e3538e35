// SPDX-License-Identifier: Apache-2.0
#pragma once

// A real SMTP server on 127.0.0.1 for the mail test's tests: the script
// smtp_test_server.py beside this file (python3-aiosmtpd), one process per
// server on a free port, with a self-signed certificate for 127.0.0.1 made by
// openssl once per run. The process is always stopped with its owner.

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kestra::test {

inline QString Python()
{
    // The system's interpreter, where Debian's python3-aiosmtpd lives.
    return QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                 : QStringLiteral("python3");
}

// The server is Debian's python3-aiosmtpd, a Linux program: the Windows
// build's tests cannot start it, and skip with this reason; the Linux run
// covers them.
#ifdef Q_OS_WIN
#define KESTRA_SKIP_WITHOUT_SMTP_SERVER()                                                                              \
    GTEST_SKIP() << "needs the loopback SMTP server, a Linux python3-aiosmtpd program that a Windows test "            \
                    "cannot start; the Linux run covers this test"
#else
#define KESTRA_SKIP_WITHOUT_SMTP_SERVER() static_cast<void>(0)
#endif

// A self-signed certificate for 127.0.0.1, made once for the whole run.
class Certificate {
public:
    static const Certificate& Get()
    {
        static const Certificate certificate;
        return certificate;
    }
    QString cert() const { return m_dir.filePath(QStringLiteral("cert.pem")); }
    QString key() const { return m_dir.filePath(QStringLiteral("key.pem")); }
    QByteArray pem() const
    {
        QFile file(cert());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    Certificate()
    {
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"),
                      {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-days",
                       "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", key(),
                       "-out", cert()});
        openssl.waitForFinished(30000);
    }
    QTemporaryDir m_dir;
};

// One server process; closing its stdin stops it, and it is killed if it
// does not stop at once.
class SmtpServer {
public:
    explicit SmtpServer(const QStringList& arguments)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(Python(), QStringList{QStringLiteral(KESTRA_TESTS_DIR "/mailtest/smtp_test_server.py"),
                                              QStringLiteral("--mailbox"), m_mailbox.path()}
                                      + arguments);
        QElapsedTimer clock;
        clock.start();
        while (!m_process.canReadLine() && clock.elapsed() < 15000 && m_process.state() != QProcess::NotRunning)
            m_process.waitForReadyRead(500);
        m_port = m_process.readLine().trimmed().toInt();
    }
    ~SmtpServer()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }
    SmtpServer(const SmtpServer&) = delete;
    SmtpServer& operator=(const SmtpServer&) = delete;

    int port() const { return m_port; }
    // The login names of the login attempts so far, in order.
    QByteArrayList logins() const
    {
        QFile file(m_mailbox.filePath(QStringLiteral("auth.log")));
        QByteArray lines = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (lines.endsWith('\n'))
            lines.chop(1);
        return lines.isEmpty() ? QByteArrayList() : lines.split('\n');
    }
    QByteArray message(int number) const
    {
        QFile file(m_mailbox.filePath(QStringLiteral("message-%1.eml").arg(number)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_mailbox;
    QProcess m_process;
    int m_port = 0;
};

} // namespace kestra::test
