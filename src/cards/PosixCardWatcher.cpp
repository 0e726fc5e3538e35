// SPDX-License-Identifier: Apache-2.0
// The card watcher's system half on Linux (and POSIX): signals, and the
// kernel's word that the mount table changed.
#include "cards/CardWatcherSystem.h"

#include <QFile>
#include <QObject>
#include <QSocketNotifier>

#include <atomic>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace kestra {

namespace {

std::atomic<bool> g_stopRequested{false};
// The first signal that came; 0 while none did.
std::atomic<int> g_signal{0};
static_assert(std::atomic<int>::is_always_lock_free, "written by a signal handler");
// A signal handler may only write; the pipe wakes the waiting thread.
int g_wakePipe[2] = {-1, -1};

void OnInterrupt(int number)
{
    int none = 0;
    g_signal.compare_exchange_strong(none, number);
    g_stopRequested = true;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(g_wakePipe[1], &byte, 1);
}

} // namespace

struct CardWatcher::Interrupts::Previous {
    struct sigaction interrupt {};
    struct sigaction terminate {};
};

CardWatcher::Interrupts::Interrupts() : m_previous(std::make_unique<Previous>())
{
    g_stopRequested = false;
    g_signal = 0;
    if (g_wakePipe[0] < 0 && ::pipe2(g_wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        g_wakePipe[0] = g_wakePipe[1] = -1;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &m_previous->interrupt);
    ::sigaction(SIGTERM, &action, &m_previous->terminate);
}

CardWatcher::Interrupts::~Interrupts()
{
    ::sigaction(SIGINT, &m_previous->interrupt, nullptr);
    ::sigaction(SIGTERM, &m_previous->terminate, nullptr);
}

bool CardWatcher::Interrupts::requested()
{
    return g_stopRequested;
}

Interruption CardWatcher::Interrupts::which()
{
    switch (g_signal.load()) {
    case 0:
        return Interruption::None;
    case SIGINT:
        return Interruption::CtrlC;
    default:
        return Interruption::EndRequested;
    }
}

struct WaitWakers::Listeners {
    QFile mounts{QStringLiteral("/proc/self/mounts")};
    // Declared after the file: they go before it is closed.
    std::unique_ptr<QSocketNotifier> mountChange;
    std::unique_ptr<QSocketNotifier> interrupt;
};

WaitWakers::WaitWakers(QObject& context, std::function<void()> mountsChanged, std::function<void()> interrupted)
    : m_listeners(std::make_unique<Listeners>())
{
    Listeners& listeners = *m_listeners;
    // The kernel marks /proc/self/mounts as changed (an exceptional condition
    // to poll) whenever something is mounted or unmounted.
    if (listeners.mounts.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        listeners.mounts.readAll();
        listeners.mountChange =
            std::make_unique<QSocketNotifier>(listeners.mounts.handle(), QSocketNotifier::Exception);
        QObject::connect(listeners.mountChange.get(), &QSocketNotifier::activated, &context,
                         [&listeners, changed = std::move(mountsChanged)] {
                             // Reading to the end acknowledges the change.
                             listeners.mounts.seek(0);
                             listeners.mounts.readAll();
                             changed();
                         });
    }
    // The pipe is there once any watcher caught Ctrl+C.
    if (g_wakePipe[0] >= 0) {
        listeners.interrupt = std::make_unique<QSocketNotifier>(g_wakePipe[0], QSocketNotifier::Read);
        QObject::connect(listeners.interrupt.get(), &QSocketNotifier::activated, &context,
                         [woken = std::move(interrupted)] {
                             char bytes[16];
                             while (::read(g_wakePipe[0], bytes, sizeof bytes) > 0) {
                             }
                             woken();
                         });
    }
}

WaitWakers::~WaitWakers() = default;

bool WaitWakers::toldOfMounts() const
{
    return m_listeners->mountChange != nullptr;
}

} // namespace kestra
