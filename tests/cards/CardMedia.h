// SPDX-License-Identifier: Apache-2.0
#pragma once

// Cards for the tests: FAT images mounted through FUSE (fusefat), and a
// stand-in UDisks2 on a private bus. Each says why a test must skip when the
// machine lacks what it needs.

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <string>

namespace kestra::test {

inline bool RunQuietly(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// A FAT image of a few megabytes, made once and mounted on demand.
class FatCard {
public:
    FatCard(const QString& image, const QString& mountPoint, const QString& label)
        : m_image(image), m_mountPoint(mountPoint)
    {
        for (const char* tool : {"mkfs.fat", "fusefat", "fusermount"}) {
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()
                && QStandardPaths::findExecutable(QLatin1String(tool),
                                                  {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")})
                       .isEmpty())
                m_skipReason = std::string(tool) + " is not installed (dosfstools, fusefat, fuse3)";
        }
        if (!QFile::exists(QStringLiteral("/dev/fuse")))
            m_skipReason = "no /dev/fuse here";
        if (!m_skipReason.empty())
            return;
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(4 * 1024 * 1024))
            m_skipReason = "cannot make the image file";
        file.close();
        QDir().mkpath(mountPoint);
        const QString mkfs = QStandardPaths::findExecutable(QStringLiteral("mkfs.fat"),
                                                            {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
        if (m_skipReason.empty()
            && !RunQuietly(mkfs.isEmpty() ? QStringLiteral("mkfs.fat") : mkfs, {QStringLiteral("-n"), label, image}))
            m_skipReason = "mkfs.fat failed";
    }
    ~FatCard() { unmount(); }
    FatCard(const FatCard&) = delete;
    FatCard& operator=(const FatCard&) = delete;

    bool mount()
    {
        return RunQuietly(QStringLiteral("fusefat"),
                          {QStringLiteral("-o"), QStringLiteral("rw+"), m_image, m_mountPoint});
    }
    // The command that unmounts it, for the stand-in UDisks2. Another
    // program's look at the machine's mounts (the tests of a run beside this
    // one) can keep the card busy for a moment: it is tried again meanwhile.
    QStringList unmountCommand() const
    {
        return {QStringLiteral("sh"), QStringLiteral("-c"),
                QStringLiteral("for i in $(seq 40); do fusermount -u \"$0\" && exit 0; sleep 0.05; done; exit 1"),
                m_mountPoint};
    }
    bool mounted() const { return RunQuietly(QStringLiteral("mountpoint"), {QStringLiteral("-q"), m_mountPoint}); }
    // A look at the card under way (a watcher's, a list's, another
    // program's) keeps it busy for a moment: the unmount is tried again.
    void unmount()
    {
        for (int i = 0; i < 40 && mounted(); ++i) {
            if (RunQuietly(QStringLiteral("fusermount"), {QStringLiteral("-u"), m_mountPoint}))
                return;
            QThread::msleep(50);
        }
    }

    const std::string& skipReason() const { return m_skipReason; }
    QString mountPoint() const { return m_mountPoint; }

private:
    QString m_image;
    QString m_mountPoint;
    std::string m_skipReason;
};

// A dbus-daemon of the test's own, with the stand-in UDisks2 of
// udisks2_template.py on it, holding `cards`.
class PrivateUDisks2 {
public:
    explicit PrivateUDisks2(const QJsonArray& cards)
    {
        // The system's Python has the python3-dbusmock package; another one
        // first on the path may not.
        const QString python = QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                                 : QStringLiteral("python3");
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()
            || !RunQuietly(python, {QStringLiteral("-c"), QStringLiteral("import dbusmock")})) {
            m_skipReason = "needs dbus-daemon and python3-dbusmock";
            return;
        }
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!m_daemon.waitForReadyRead(10000)) {
            m_skipReason = "dbus-daemon did not start";
            return;
        }
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_address);
        m_mock.setProcessEnvironment(environment);
        m_mock.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_mock.setStandardOutputFile(QProcess::nullDevice()); // its log of every call would fill the pipe
        const QString parameters = QString::fromUtf8(
            QJsonDocument(QJsonObject{{QStringLiteral("cards"), cards}}).toJson(QJsonDocument::Compact));
        m_mock.start(python, {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--system"),
                              QStringLiteral("--template"), QStringLiteral(KESTRA_TEST_DATA_DIR "/udisks2_template.py"),
                              QStringLiteral("-p"), parameters});
        m_bus = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(m_address, QStringLiteral("kestra-udisks2-test")));
        for (int i = 0; i < 200 && !ready(); ++i)
            QThread::msleep(50); // the stand-in's start-up, not the code under test
        if (!ready())
            m_skipReason = "the stand-in UDisks2 did not come up";
    }
    ~PrivateUDisks2()
    {
        if (m_bus)
            QDBusConnection::disconnectFromBus(QStringLiteral("kestra-udisks2-test"));
        for (QProcess* process : {&m_mock, &m_daemon}) {
            process->terminate();
            if (!process->waitForFinished(5000))
                process->kill();
        }
    }
    PrivateUDisks2(const PrivateUDisks2&) = delete;
    PrivateUDisks2& operator=(const PrivateUDisks2&) = delete;

    const std::string& skipReason() const { return m_skipReason; }
    QString address() const { return m_address; }
    QDBusConnection bus() const { return *m_bus; }

private:
    bool ready() const
    {
        return m_bus && m_bus->isConnected()
               && m_bus->interface()->isServiceRegistered(QStringLiteral("org.freedesktop.UDisks2"));
    }

    QProcess m_daemon;
    QProcess m_mock;
    QString m_address;
    std::unique_ptr<QDBusConnection> m_bus;
    std::string m_skipReason;
};

inline QJsonObject StandInCard(const QString& name, const QString& mountPoint, bool removable,
                               const QStringList& unmount = {}, const QStringList& powerOff = {},
                               const QStringList& eject = {})
{
    return {{QStringLiteral("name"), name},
            {QStringLiteral("mountPoint"), mountPoint},
            {QStringLiteral("removable"), removable},
            {QStringLiteral("unmount"), QJsonArray::fromStringList(unmount)},
            {QStringLiteral("eject"), QJsonArray::fromStringList(eject)},
            {QStringLiteral("powerOff"), QJsonArray::fromStringList(powerOff)}};
}

} // namespace kestra::test
