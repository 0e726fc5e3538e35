// SPDX-License-Identifier: Apache-2.0
#include "cards/CardWatcher.h"

#include "cards/CardWatcherSystem.h"
#include "cards/RemovableDrives.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTimer>

#include <QScopeGuard>

namespace kestra {

namespace {

// A new mount point UDisks2 does not yet call removable is looked at again
// once a second, a few times: the mount table changes before UDisks2 has
// caught up with it.
constexpr int kUnsureLooks = 5;
constexpr int kLookIntervalMs = 1000;

// The mount points that hold a volume now.
QSet<QString> MountedNow()
{
    QSet<QString> mounted;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
#ifdef Q_OS_WIN
        // A drive letter outlives the card in it (a card reader with no card
        // in, a drive taken out under Wine): it holds a volume only while that
        // is ready and its root is there, so that the next card in it is new.
        if (!storage.isReady() || !QFileInfo::exists(storage.rootPath()))
            continue;
#endif
        mounted.insert(storage.rootPath());
    }
    return mounted;
}

} // namespace

CardWatcher::CardWatcher(RemovableDrives& drives, QString root, Interruptible interrupts)
    : m_drives(drives), m_root(std::move(root)), m_seen(MountedNow()),
      m_interrupts(interrupts == Interruptible::ByCtrlC ? std::make_unique<Interrupts>() : nullptr)
{
}

CardWatcher::~CardWatcher() = default;

bool CardWatcher::stopRequested() const
{
    return m_stop || (m_interrupts && Interrupts::requested());
}

Interruption CardWatcher::interruption() const
{
    return m_interrupts ? Interrupts::which() : Interruption::None;
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
    const QSet<QString> mounted = MountedNow();
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
    const WaitWakers wakers(
        loop,
        [&] {
            look();
            if (!m_unsure.isEmpty() && !again.isActive())
                again.start();
        },
        look);
    QObject::connect(&again, &QTimer::timeout, &loop, [&] {
        look();
        if (wakers.toldOfMounts() && m_unsure.isEmpty())
            again.stop();
    });
    if (!wakers.toldOfMounts())
        again.start();
    refresh(found);
    if (found || stopRequested())
        return stopRequested() ? std::nullopt : found;
    if (!m_unsure.isEmpty())
        again.start();
    loop.exec();
    return stopRequested() ? std::nullopt : found;
}

} // namespace kestra
