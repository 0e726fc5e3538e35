// SPDX-License-Identifier: Apache-2.0
#include "cards/CardSession.h"

#include "storage/FileOps.h"

#include <QDir>

namespace kestra {

QString CardOutcome::headline(bool chinese) const
{
    const QString where = QDir::toNativeSeparators(report.folder);
    const QString serial =
        report.serial
            ? (chinese ? QStringLiteral("，序列号 %1") : QStringLiteral(", serial text %1")).arg(report.serial->text())
            : QString();
    if (complete())
        return (chinese ? QStringLiteral("%1: 存储卡已写入并读回核对%2")
                        : QStringLiteral("%1: card written and read back%2"))
            .arg(where, serial);
    if (report.removed)
        return (chinese ? QStringLiteral("%1: 存储卡在写完之前被取出%2；已知:")
                        : QStringLiteral("%1: the card was removed before it was written whole%2; as far as is known:"))
            .arg(where, serial);
    if (report.stopped)
        return (chinese ? QStringLiteral("%1: 已停止，存储卡未写完%2；卡上现有:")
                        : QStringLiteral("%1: stopped before the card was written whole%2; it holds:"))
            .arg(where, serial);
    return (chinese ? QStringLiteral("%1: 存储卡未写完整%2；卡上现有:")
                    : QStringLiteral("%1: card incomplete%2; it holds:"))
        .arg(where, serial);
}

QStringList CardOutcome::fileLines(bool chinese) const
{
    return report.lines(chinese);
}

QString CardOutcome::ejectLine(bool chinese) const
{
    if (ejected.ok())
        return (chinese ? QStringLiteral("%1: 已弹出，可以取出存储卡")
                        : QStringLiteral("%1: ejected; take the card out"))
            .arg(volume.description());
    if (ejectFailedBefore)
        return (chinese ? QStringLiteral("%1 同样未能弹出: %2") : QStringLiteral("%1 was not ejected either: %2"))
            .arg(volume.description(), ejected.failure);
    // Said once a run: the card can still be taken out safely.
    return (chinese ? QStringLiteral("%1 未能弹出: %2。写入的内容已刷新到卡上：没有程序读取它时即可取出存储卡")
                    : QStringLiteral("%1 was not ejected: %2. What was written is flushed to the card: it can be "
                                     "pulled out once nothing reads from it"))
        .arg(volume.description(), ejected.failure);
}

CardSession::CardSession(RemovableDrives& drives, CardArrivals& arrivals, CardSessionPlan plan)
    : CardSession(drives, arrivals, std::move(plan), FileOps::real())
{
}

CardSession::CardSession(RemovableDrives& drives, CardArrivals& arrivals, CardSessionPlan plan, FileOps& ops)
    : m_drives(drives), m_arrivals(arrivals), m_plan(std::move(plan)), m_ops(ops), m_serial(m_plan.serial)
{
}

void CardSession::stop()
{
    m_stop = true;
    m_arrivals.stop();
}

bool CardSession::stopRequested() const
{
    return m_stop || m_arrivals.stopRequested();
}

bool CardSession::over() const
{
    return stopRequested() || m_serialsUsedUp || (m_plan.count > 0 && m_written >= m_plan.count);
}

std::optional<CardVolume> CardSession::waitForCard()
{
    if (over())
        return std::nullopt;
    return m_arrivals.waitForNew();
}

CardOutcome CardSession::writeCard(const CardVolume& card)
{
    CardOutcome outcome;
    outcome.volume = card;
    const PcClock clock = m_plan.clock ? m_plan.clock() : PcClock{};
    // Only a stop asked of the session cuts a card short; Ctrl+C at the
    // command line lets the card in hand be written whole.
    outcome.report = WriteCard(card.mountPoint, m_plan.profile, clock, m_serial, m_plan.chinese, m_ops,
                               [this] { return m_stop.load(); });
    const bool complete = outcome.complete();
    // The reader stays on for the next card; only after the last one may it
    // be switched off, when asked.
    const bool last = complete && m_plan.count > 0 && m_written + 1 == m_plan.count;
    outcome.ejected = m_drives.eject(card.mountPoint, card.device,
                                     m_plan.powerOffAfterLast && last ? EjectHow::PowerOff : EjectHow::KeepDrive);
    if (outcome.ejected.ok()) {
        m_arrivals.ejected(card.mountPoint);
    } else {
        outcome.ejectFailedBefore = m_notEjected > 0;
        ++m_notEjected;
    }
    if (!complete) {
        // The same serial text goes to the next card, so that no camera
        // number is skipped for a card that has to be written again.
        ++m_failed;
        return outcome;
    }
    ++m_written;
    if (m_serial) {
        m_serial = m_serial->next();
        m_serialsUsedUp = !m_serial;
    }
    return outcome;
}

void CardSession::run(const std::function<void()>& waiting, const std::function<void(const CardOutcome&)>& written)
{
    while (!over()) {
        if (waiting)
            waiting();
        const std::optional<CardVolume> card = waitForCard();
        if (!card)
            break;
        const CardOutcome outcome = writeCard(*card);
        if (written)
            written(outcome);
    }
}

QString CardSession::waitingLine() const
{
    const bool chinese = m_plan.chinese;
    if (m_serial)
        return (chinese ? QStringLiteral("等待存储卡（序列号 %1）")
                        : QStringLiteral("Waiting for a card (serial text %1)"))
            .arg(m_serial->text());
    return chinese ? QStringLiteral("等待存储卡") : QStringLiteral("Waiting for a card");
}

QString CardSession::summaryLine() const
{
    const bool chinese = m_plan.chinese;
    QString line =
        (chinese ? QStringLiteral("已写入 %1 张存储卡") : QStringLiteral("%1 card(s) written")).arg(m_written);
    if (m_failed > 0)
        line += (chinese ? QStringLiteral("，%1 张未写完整") : QStringLiteral(", %1 incomplete")).arg(m_failed);
    if (m_notEjected > 0)
        line += (chinese ? QStringLiteral("，%1 张未能弹出") : QStringLiteral(", %1 not ejected")).arg(m_notEjected);
    return line + (chinese ? QStringLiteral("。") : QStringLiteral("."));
}

QString CardSession::serialsUsedUpLine() const
{
    return m_plan.chinese ? QStringLiteral("ZZZZ 是最后一个序列号，无法再为存储卡编号。")
                          : QStringLiteral("ZZZZ was the last serial text; no further card can be numbered.");
}

} // namespace kestra
