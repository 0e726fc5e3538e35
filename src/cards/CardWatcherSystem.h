// SPDX-License-Identifier: Apache-2.0
#pragma once

// The system's half of a card watcher, one file per platform
// (PosixCardWatcher.cpp, WindowsCardWatcher.cpp): Ctrl+C, and word of the
// system's mounts. Only CardWatcher.cpp uses it, and CardWriter.cpp its
// Interrupts for a card the command line writes.

#include "cards/CardWatcher.h"

#include <functional>
#include <memory>

class QObject;

namespace kestra {

// Catches Ctrl+C (or the console's close) for as long as it lives, and puts
// the handlers it found back at its end.
class CardWatcher::Interrupts {
public:
    Interrupts();
    ~Interrupts();
    Interrupts(const Interrupts&) = delete;
    Interrupts& operator=(const Interrupts&) = delete;

    // Ctrl+C came since the newest Interrupts was made.
    static bool requested();
    // Which one came first; None while none came.
    static Interruption which();

private:
    struct Previous; // the handlers it stands in for
    std::unique_ptr<Previous> m_previous;
};

// What wakes a wait for a card besides its own timer, for as long as it lives.
// Made in the waiting thread with the wait's event loop as `context`:
// `mountsChanged` runs there when something is mounted or unmounted,
// `interrupted` when Ctrl+C woke the wait. Made before the wait's first look,
// so that a card put in between the two is not missed.
class WaitWakers {
public:
    WaitWakers(QObject& context, std::function<void()> mountsChanged, std::function<void()> interrupted);
    ~WaitWakers();
    WaitWakers(const WaitWakers&) = delete;
    WaitWakers& operator=(const WaitWakers&) = delete;

    // Whether the system tells of mounts; where it does not, the wait looks
    // once a second for as long as it runs.
    bool toldOfMounts() const;

private:
    struct Listeners;
    std::unique_ptr<Listeners> m_listeners;
};

} // namespace kestra
