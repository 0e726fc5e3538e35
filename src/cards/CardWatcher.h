// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cards/CardVolumes.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class QObject;

namespace kestra {

class RemovableDrives;

// Where a card session's cards come from: the watcher of the system's mounts
// below, or a test's stand-in.
class CardArrivals {
public:
    virtual ~CardArrivals() = default;
    // The next new card; nothing once a stop was asked for.
    virtual std::optional<CardVolume> waitForNew() = 0;
    // Ends a wait, now or the next one; from any thread.
    virtual void stop() = 0;
    virtual bool stopRequested() const = 0;
    // The card at `mountPoint` was ejected (unmounted): whatever is mounted
    // there next is a new card, even if no look saw the mount point empty.
    virtual void ejected(const QString& mountPoint) = 0;
};

// What ended a command line's run besides its own end: nothing, Ctrl+C
// (SIGINT; Ctrl+C or Ctrl+Break in a Windows console), or a request to end
// (SIGTERM; the console's close, a log-off or a shutdown on Windows).
enum class Interruption { None, CtrlC, EndRequested };

// Waits for the next removable volume to be mounted. Volumes mounted when the
// watcher starts are not new: a card already in (or a disk the system calls
// removable) is never written by accident. On Linux the wait sleeps until the
// mount table changes; elsewhere it looks once a second. With `interrupts`
// (the command line), Ctrl+C (or the console's close) ends a wait; during a
// card it is only noted, so that a card is never left half-written. The wait
// may run on a thread of its own (a window's); stop() ends it from any other.
class CardWatcher final : public CardArrivals {
public:
    enum class Interruptible { No, ByCtrlC };
    explicit CardWatcher(RemovableDrives& drives, QString root = {}, Interruptible interrupts = Interruptible::ByCtrlC);
    ~CardWatcher() override;
    CardWatcher(const CardWatcher&) = delete;
    CardWatcher& operator=(const CardWatcher&) = delete;

    std::optional<CardVolume> waitForNew() override;
    void stop() override;
    bool stopRequested() const override;
    void ejected(const QString& mountPoint) override;
    // Which interruption came while this watcher caught them (the first one
    // counts); None when it catches none.
    Interruption interruption() const;

    // Catches Ctrl+C for as long as any watcher lives.
    class Interrupts;

private:
    // Mount points the watcher has seen; each goes when it is unmounted, so
    // the same card put in again counts as new.
    void refresh(std::optional<CardVolume>& found);

    RemovableDrives& m_drives;
    QString m_root;
    QSet<QString> m_seen;
    QHash<QString, int> m_unsure; // new mount points not (yet) removable: how often looked at
    std::unique_ptr<Interrupts> m_interrupts;
    std::atomic<bool> m_stop{false};
    std::mutex m_waitMutex;
    QObject* m_waiting = nullptr; // the wait's own object, in the waiting thread, while a wait runs
    std::function<void()> m_wake; // ends that wait
};

} // namespace kestra
