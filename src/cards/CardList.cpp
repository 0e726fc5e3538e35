// SPDX-License-Identifier: Apache-2.0
#include "cards/CardList.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QStorageInfo>
#include <QThread>

#include <chrono>

namespace kestra {

namespace {

// How often the list's thread looks whether the mounts changed.
constexpr std::chrono::milliseconds kMountCheckInterval{500};
// At the application's end a look still under way (a UDisks2 call that does
// not answer) is waited for this long, then left to the end of the process.
constexpr unsigned long kEndWaitMs = 2000;

CardList*& SharedSlot()
{
    static CardList* list = nullptr;
    return list;
}

QString& SharedRoot()
{
    static QString root;
    return root;
}

void EndShared()
{
    delete SharedSlot();
    SharedSlot() = nullptr;
}

} // namespace

CardList& CardList::shared()
{
    if (SharedSlot() == nullptr) {
        SharedSlot() = new CardList(SystemRemovableDrives(), SharedRoot());
        qAddPostRoutine(EndShared);
    }
    return *SharedSlot();
}

void CardList::replaceShared(std::unique_ptr<RemovableDrives> drives, const QString& root)
{
    const bool first = SharedSlot() == nullptr;
    delete SharedSlot();
    SharedRoot() = root;
    SharedSlot() = new CardList(std::move(drives), root);
    if (first)
        qAddPostRoutine(EndShared);
}

CardList::CardList(std::unique_ptr<RemovableDrives> drives, QString root)
    : m_drives(std::move(drives)), m_root(std::move(root)), m_mountChanges(std::make_unique<MountChanges>())
{
    m_thread.reset(QThread::create([this] { run(); }));
    m_thread->start();
}

CardList::~CardList()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (!m_thread->wait(kEndWaitMs)) {
        // Still in a call to the system: the thread keeps this list, and the
        // end of the process ends both.
        (void)m_thread.release();
        (void)m_drives.release();
        (void)m_mountChanges.release();
    }
}

std::optional<std::vector<CardVolume>> CardList::volumes() const
{
    const std::lock_guard lock(m_mutex);
    return m_volumes;
}

void CardList::refresh()
{
    {
        const std::lock_guard lock(m_mutex);
        m_lookAgain = true;
    }
    m_wake.notify_all();
}

bool CardList::waitForLook(int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    const quint64 wanted = m_looksStarted + 1;
    m_lookAgain = true;
    m_wake.notify_all();
    return m_looked.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_looksDone >= wanted; });
}

std::optional<CardVolume> CardList::cardOf(const QString& folder) const
{
    if (folder.isEmpty())
        return std::nullopt;
    const std::optional<std::vector<CardVolume>> list = volumes();
    if (!list || list->empty())
        return std::nullopt;
    const QStorageInfo storage(folder);
    if (!storage.isValid() || !storage.isReady())
        return std::nullopt;
    for (const CardVolume& volume : *list) {
        if (volume.mountPoint == storage.rootPath()) {
            CardVolume card = volume;
            card.free = storage.bytesAvailable();
            return card;
        }
    }
    return std::nullopt;
}

EjectResult CardList::eject(const CardVolume& card, EjectHow how)
{
    struct Outcome {
        std::optional<EjectResult> result;
    };
    auto outcome = std::make_shared<Outcome>();
    QEventLoop loop;
    QPointer<QEventLoop> waiting(&loop);
    {
        const std::lock_guard lock(m_mutex);
        m_jobs.emplace_back([this, card, how, outcome, waiting] {
            EjectResult result = m_drives->eject(card.mountPoint, card.device, how);
            const std::lock_guard done(m_mutex);
            outcome->result = std::move(result);
            m_lookAgain = true;
            m_looked.notify_all();
            if (waiting)
                QMetaObject::invokeMethod(waiting.data(), &QEventLoop::quit, Qt::QueuedConnection);
        });
    }
    m_wake.notify_all();
    // A window keeps painting while the card is flushed and unmounted; with
    // no event loop to run (the command line) the caller simply waits.
    if (QCoreApplication::instance() != nullptr && QThread::currentThread() == QCoreApplication::instance()->thread())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    std::unique_lock lock(m_mutex);
    m_looked.wait(lock, [&] { return outcome->result.has_value(); });
    return *outcome->result;
}

void CardList::run()
{
    std::unique_lock lock(m_mutex);
    while (!m_stop) {
        if (!m_jobs.empty()) {
            std::function<void()> job = std::move(m_jobs.front());
            m_jobs.pop_front();
            lock.unlock();
            job();
            lock.lock();
            continue;
        }
        if (m_lookAgain) {
            m_lookAgain = false;
            const quint64 look = ++m_looksStarted;
            lock.unlock();
            std::vector<CardVolume> volumes = ListCardVolumes(*m_drives, m_root);
            lock.lock();
            m_volumes = std::move(volumes);
            m_looksDone = look;
            m_looked.notify_all();
            continue;
        }
        if (m_wake.wait_for(lock, kMountCheckInterval, [this] { return m_stop || m_lookAgain || !m_jobs.empty(); }))
            continue;
        if (m_mountChanges->changed())
            m_lookAgain = true;
    }
}

} // namespace kestra
