// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cards/CardVolumes.h"
#include "cards/RemovableDrives.h"

#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class QThread;

namespace kestra {

// The removable volumes mounted now, for the windows: one list, looked at on
// a thread of its own whenever the system's mounts change, so that a window
// asking which cards are in never waits on the system (one UDisks2 call can
// take a minute). The answers are the list as last looked at: before the
// first look is done, no card is known.
class CardList {
public:
    // The list of this process, over the system's drives. One per process,
    // as the drives are; made on first use, and its thread ends with the
    // application.
    static CardList& shared();
    // Puts the process's list over `drives` (a test's stand-in) from now on.
    static void replaceShared(std::unique_ptr<RemovableDrives> drives, const QString& root = {});

    // A list over `drives`; only volumes under `root` count when it is given.
    explicit CardList(std::unique_ptr<RemovableDrives> drives, QString root = {});
    ~CardList();
    CardList(const CardList&) = delete;
    CardList& operator=(const CardList&) = delete;

    // The volumes as last looked at; nothing before the first look.
    std::optional<std::vector<CardVolume>> volumes() const;
    // Looks again soon, without waiting for it.
    void refresh();
    // Waits until a look that began after this call is done, at most
    // `timeoutMs` (tests, and a caller that can afford to wait).
    bool waitForLook(int timeoutMs);

    // The removable volume `folder` lies on, as last looked at.
    std::optional<CardVolume> cardOf(const QString& folder) const;
    // Ejects `card` on the list's thread; the caller's event loop runs
    // meanwhile (a window repaints, but takes no input), then the list is
    // looked at again.
    EjectResult eject(const CardVolume& card, EjectHow how);

private:
    // Whether the system's mounts may have changed, asked each time the
    // list's thread has waited half a second for nothing else; one file per
    // platform (PosixCardList.cpp, WindowsCardList.cpp).
    class MountChanges {
    public:
        MountChanges();
        ~MountChanges();
        MountChanges(const MountChanges&) = delete;
        MountChanges& operator=(const MountChanges&) = delete;
        // Something was mounted or unmounted since the last ask; where the
        // system gives no word of mounts, every kChecksPerLook-th ask.
        bool changed();

    private:
        // Where the system gives no word of mounts, the list is looked at
        // anew this often (a few drive-type questions; no window waits for
        // them).
        static constexpr int kChecksPerLook = 6;
        int m_mountTable = -1; // the kernel's mount table, open where it can be
        int m_checks = 0;
    };

    void run();

    std::unique_ptr<RemovableDrives> m_drives;
    QString m_root;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_looked;
    std::optional<std::vector<CardVolume>> m_volumes;
    std::deque<std::function<void()>> m_jobs;
    bool m_lookAgain = true;
    bool m_stop = false;
    quint64 m_looksDone = 0;
    quint64 m_looksStarted = 0;
    std::unique_ptr<MountChanges> m_mountChanges;
    std::unique_ptr<QThread> m_thread;
};

} // namespace kestra
