// SPDX-License-Identifier: Apache-2.0
#include "cards/CardWatcher.h"

#include "cards/RemovableDrives.h"

#include <QEventLoop>
#include <QStorageInfo>
#include <QTimer>

#include <QScopeGuard>

#include <atomic>
#include <csignal>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QFile>
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>
#endif

namespace kestra {

namespace {

std::atomic<bool> g_stopRequested{false};
// A new mount point UDisks2 does not yet call removable is looked at again
// once a second, a few times: the mount table changes before UDisks2 has
// caught up with it.
constexpr int kUnsureLooks = 5;
constexpr int kLookIntervalMs = 1000;

#ifndef Q_OS_WIN
int g_wakePipe[2] = {-1, -1};

void OnInterrupt(int)
{
    g_stopRequested = true;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(g_wakePipe[1], &byte, 1);
}
#else
BOOL WINAPI OnConsoleEvent(DWORD)
{
    g_stopRequested = true;
    return TRUE;
}
#endif

} // namespace

class CardWatcher::Interrupts {
public:
    Interrupts()
    {
        g_stopRequested = false;
#ifdef Q_OS_WIN
        SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
#else
        if (g_wakePipe[0] < 0 && ::pipe2(g_wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
            g_wakePipe[0] = g_wakePipe[1] = -1;
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGINT, &action, &m_oldInt);
        ::sigaction(SIGTERM, &action, &m_oldTerm);
#endif
    }
    ~Interrupts()
    {
#ifdef Q_OS_WIN
        SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
#else
        ::sigaction(SIGINT, &m_oldInt, nullptr);
        ::sigaction(SIGTERM, &m_oldTerm, nullptr);
#endif
    }
    Interrupts(const Interrupts&) = delete;
    Interrupts& operator=(const Interrupts&) = delete;

#ifndef Q_OS_WIN
    static int wakeDescriptor()
    {
        return g_wakePipe[0];
    }

private:
    struct sigaction m_oldInt {};
    struct sigaction m_oldTerm {};
#endif
};

CardWatcher::CardWatcher(RemovableDrives& drives, QString root, Interruptible interrupts)
    : m_drives(drives), m_root(std::move(root)),
      m_interrupts(interrupts == Interruptible::ByCtrlC ? std::make_unique<Interrupts>() : nullptr)
{
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes())
        m_seen.insert(storage.rootPath());
}

CardWatcher::~CardWatcher() = default;

bool CardWatcher::stopRequested() const
{
    return m_stop || (m_interrupts && g_stopRequested);
}

void CardWatcher::stop()
{
    m_stop = true;
    const std::lock_guard lock(m_waitMutex);
    if (m_waiting)
        QMetaObject::invokeMethod(m_waiting, m_wake, Qt::QueuedConnection);
}

void CardWatcher::ejected(const QString& mountPoint)
{
    // A reader takes the next card at the same mount point, often before
    // the next look: that card must not pass for the one ejected.
    m_seen.remove(mountPoint);
    m_unsure.remove(mountPoint);
}

void CardWatcher::refresh(std::optional<CardVolume>& found)
{
    QSet<QString> mounted;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes())
        mounted.insert(storage.rootPath());
    m_seen.intersect(mounted);
    for (auto it = m_unsure.begin(); it != m_unsure.end();)
        it = mounted.contains(it.key()) ? std::next(it) : m_unsure.erase(it);
    if (found)
        return;
    for (const CardVolume& volume : ListCardVolumes(m_drives, m_root)) {
        if (!m_seen.contains(volume.mountPoint)) {
            m_seen.insert(volume.mountPoint);
            m_unsure.remove(volume.mountPoint);
            found = volume;
            return;
        }
    }
    for (const QString& point : mounted) {
        if (m_seen.contains(point))
            continue;
        if (++m_unsure[point] >= kUnsureLooks) {
            m_seen.insert(point); // not a card after all
            m_unsure.remove(point);
        }
    }
}

std::optional<CardVolume> CardWatcher::waitForNew()
{
    QEventLoop loop;
    std::optional<CardVolume> found;
    // stop() from another thread posts to this object, which lives in the
    // waiting one: its event wakes the loop, and the loop's next look ends it.
    QObject waker;
    {
        const std::lock_guard lock(m_waitMutex);
        m_waiting = &waker;
        m_wake = [&loop] { loop.quit(); };
    }
    const auto forget = qScopeGuard([this] {
        const std::lock_guard lock(m_waitMutex);
        m_waiting = nullptr;
    });
    const auto look = [&] {
        if (!stopRequested())
            refresh(found);
        if (found || stopRequested())
            loop.quit();
    };
    // While a new mount point is still unsure, and always where the system
    // gives no word of mounts, look again once a second.
    QTimer again;
    again.setInterval(kLookIntervalMs);
    QObject::connect(&again, &QTimer::timeout, &loop, [&] {
        look();
#ifndef Q_OS_WIN
        if (m_unsure.isEmpty())
            again.stop();
#endif
    });
#ifdef Q_OS_WIN
    again.start();
#else
    // The kernel marks /proc/self/mounts as changed (an exceptional
    // condition to poll) whenever something is mounted or unmounted. It is
    // opened before the first look, so that a card put in between the two
    // is not missed.
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    std::unique_ptr<QSocketNotifier> mountChange;
    if (mounts.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        mounts.readAll();
        mountChange = std::make_unique<QSocketNotifier>(mounts.handle(), QSocketNotifier::Exception);
        QObject::connect(mountChange.get(), &QSocketNotifier::activated, &loop, [&] {
            // Reading to the end acknowledges the change.
            mounts.seek(0);
            mounts.readAll();
            look();
            if (!m_unsure.isEmpty() && !again.isActive())
                again.start();
        });
    } else {
        again.start();
    }
    std::unique_ptr<QSocketNotifier> interrupt;
    if (Interrupts::wakeDescriptor() >= 0) {
        interrupt = std::make_unique<QSocketNotifier>(Interrupts::wakeDescriptor(), QSocketNotifier::Read);
        QObject::connect(interrupt.get(), &QSocketNotifier::activated, &loop, [&] {
            char bytes[16];
            while (::read(Interrupts::wakeDescriptor(), bytes, sizeof bytes) > 0) {
            }
            look();
        });
    }
#endif
    refresh(found);
    if (found || stopRequested())
        return stopRequested() ? std::nullopt : found;
    if (!m_unsure.isEmpty())
        again.start();
    loop.exec();
    return stopRequested() ? std::nullopt : found;
}

} // namespace kestra
