// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cards/CardVolumes.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <memory>
#include <optional>

namespace kestra {

class RemovableDrives;

// Waits for the next removable volume to be mounted. Volumes mounted when the
// watcher starts are not new: a card already in (or a disk the system calls
// removable) is never written by accident. On Linux the wait sleeps until the
// mount table changes; elsewhere it looks once a second. Ctrl+C (or the
// console's close) ends a wait; during a card it is only noted, so that a card
// is never left half-written.
class CardWatcher {
public:
    CardWatcher(RemovableDrives& drives, QString root = {});
    ~CardWatcher();
    CardWatcher(const CardWatcher&) = delete;
    CardWatcher& operator=(const CardWatcher&) = delete;

    // The next new removable volume; nothing once a stop was asked for.
    std::optional<CardVolume> waitForNew();
    bool stopRequested() const;
    // The card at `mountPoint` was ejected: whatever is mounted there next is
    // a new card, even when it comes before the watcher looks again (one
    // reader gives every card the same mount point).
    void forget(const QString& mountPoint);

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
};

} // namespace kestra
