// SPDX-License-Identifier: Apache-2.0
// The card watcher's system half on Windows: the console's Ctrl+C handler.
// Windows gives a wait no word of mounts: it looks once a second, and sees
// Ctrl+C at its next look.
#include "cards/CardWatcherSystem.h"

#include <atomic>

#include <windows.h>

namespace kestra {

namespace {

std::atomic<bool> g_stopRequested{false};
// The first console event that came: Ctrl+C and Ctrl+Break are the user's
// stop, the others (the console closed, a log-off, a shutdown) ask to end.
std::atomic<Interruption> g_interruption{Interruption::None};

BOOL WINAPI OnConsoleEvent(DWORD event)
{
    const Interruption came =
        event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? Interruption::CtrlC : Interruption::EndRequested;
    Interruption none = Interruption::None;
    g_interruption.compare_exchange_strong(none, came);
    g_stopRequested = true;
    return TRUE;
}

} // namespace

// The console keeps a list of handlers: removing ours is all the putting back.
struct CardWatcher::Interrupts::Previous {};

CardWatcher::Interrupts::Interrupts()
{
    g_stopRequested = false;
    g_interruption = Interruption::None;
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

CardWatcher::Interrupts::~Interrupts()
{
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
}

bool CardWatcher::Interrupts::requested()
{
    return g_stopRequested;
}

Interruption CardWatcher::Interrupts::which()
{
    return g_interruption;
}

struct WaitWakers::Listeners {};

WaitWakers::WaitWakers(QObject&, std::function<void()>, std::function<void()>) {}

WaitWakers::~WaitWakers() = default;

bool WaitWakers::toldOfMounts() const
{
    return false;
}

} // namespace kestra
