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

BOOL WINAPI OnConsoleEvent(DWORD)
{
    g_stopRequested = true;
    return TRUE;
}

} // namespace

// The console keeps a list of handlers: removing ours is all the putting back.
struct CardWatcher::Interrupts::Previous {};

CardWatcher::Interrupts::Interrupts()
{
    g_stopRequested = false;
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

struct WaitWakers::Listeners {};

WaitWakers::WaitWakers(QObject&, std::function<void()>, std::function<void()>) {}

WaitWakers::~WaitWakers() = default;

bool WaitWakers::toldOfMounts() const
{
    return false;
}

} // namespace kestra
