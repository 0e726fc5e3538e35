// SPDX-License-Identifier: Apache-2.0
// The card session, card after card, on folders standing in for cards and
// drives that note each eject: serial texts counting on, a failed card keeping
// its serial text, a stop in the middle of a card leaving every file whole,
// and a stop ending the watcher's wait from another thread.

#include "cards/CardSession.h"
#include "cards/CardProfileFile.h"
#include "cards/CardWatcher.h"
#include "cards/CardWriter.h"
#include "filecheck/SettingsFileCheck.h"
#include "storage/FaultyFileOps.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <deque>

namespace kestra {
namespace {

struct Eject {
    QString mountPoint;
    EjectHow how;
};

class NotingDrives final : public RemovableDrives {
public:
    bool isRemovable(const QString&, const QByteArray&) override { return removable; }
    EjectResult eject(const QString& mountPoint, const QByteArray&, EjectHow how) override
    {
        ejects.push_back({mountPoint, how});
        return {mountPoint == busy ? QStringLiteral("a program holds a file open") : QString()};
    }
    bool removable = true;
    QString busy; // the mount point that cannot be ejected
    std::vector<Eject> ejects;
};

// Cards put in one after another: folders, in the order given.
class QueuedCards final : public CardArrivals {
public:
    std::optional<CardVolume> waitForNew() override
    {
        if (m_stop || folders.empty())
            return std::nullopt;
        CardVolume card;
        card.mountPoint = folders.front();
        card.label = QDir(folders.front()).dirName();
        folders.pop_front();
        return card;
    }
    void stop() override { m_stop = true; }
    void ejected(const QString& mountPoint) override { forgotten.push_back(mountPoint); }
    bool stopRequested() const override { return m_stop; }

    std::deque<QString> folders;
    QStringList forgotten; // mount points told ejected

private:
    bool m_stop = false;
};

CardProfile Profile()
{
    const QJsonObject json =
        QJsonDocument::fromJson(
            R"({"camera": {"mode": "Camera+Video"}, "mms": {"mode": "custom", "apn": "mms", "phone": "13800138000"}, "sms": {"phone1": "13800138000"}})")
            .object();
    return *CardProfileFromJson(json, QStringLiteral("site.json"), kLanguageEnglish).profile;
}

CardSessionPlan Plan(int count, const char* serial)
{
    CardSessionPlan plan;
    plan.profile = Profile();
    plan.serial = SerialText::Parse(QLatin1String(serial));
    plan.count = count;
    plan.clock = [] { return PcClock{2024, 3, 5, 8, 7, 6}; };
    return plan;
}

// The serial text camera.dat in `folder` carries, or why none.
QString SerialOn(const QString& folder)
{
    const SettingsFileCheckResult camera =
        CheckSettingsFileAt(SettingsFileKind::Camera, QDir(folder).filePath(QStringLiteral("camera.dat")));
    if (!camera.ok())
        return QStringLiteral("(unreadable)");
    const auto& s = std::get<CameraSettings>(camera.values.record);
    if (s.serialOn != 1)
        return QStringLiteral("(off)");
    QString text;
    for (int position : {s.serialChar1, s.serialChar2, s.serialChar3, s.serialChar4})
        text += position < 10 ? QChar(u'0' + position) : QChar(u'A' + position - 10);
    return text;
}

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

TEST(CardSession, CardsInARowCountOnAndAFailedCardKeepsItsSerialText)
{
    QTemporaryDir work;
    NotingDrives drives;
    QueuedCards cards;
    // The second card is gone before it is written (pulled at once): it gets
    // nothing, and the card after it gets its serial text.
    const QStringList folders{work.filePath(QStringLiteral("one")), work.filePath(QStringLiteral("pulled")),
                              work.filePath(QStringLiteral("two")), work.filePath(QStringLiteral("three")),
                              work.filePath(QStringLiteral("never"))};
    for (const QString& folder : folders) {
        if (!folder.endsWith(QStringLiteral("pulled"))) {
            ASSERT_TRUE(QDir().mkpath(folder));
        }
        cards.folders.push_back(folder);
    }
    CardSessionPlan plan = Plan(3, "CAM9");
    plan.powerOffAfterLast = true;
    drives.busy = folders[2];
    CardSession session(drives, cards, std::move(plan));
    QStringList waits;
    std::vector<CardOutcome> outcomes;
    session.run([&] { waits << session.waitingLine(); }, [&](const CardOutcome& card) { outcomes.push_back(card); });

    ASSERT_EQ(outcomes.size(), 4U) << "the count counts cards written, not cards put in";
    EXPECT_EQ(waits, (QStringList{QStringLiteral("Waiting for a card (serial text CAM9)"),
                                  QStringLiteral("Waiting for a card (serial text CAMA)"),
                                  QStringLiteral("Waiting for a card (serial text CAMA)"),
                                  QStringLiteral("Waiting for a card (serial text CAMB)")}));
    EXPECT_EQ(SerialOn(folders[0]), QStringLiteral("CAM9"));
    EXPECT_EQ(SerialOn(folders[2]), QStringLiteral("CAMA"));
    EXPECT_EQ(SerialOn(folders[3]), QStringLiteral("CAMB"));
    EXPECT_FALSE(outcomes[1].complete());
    EXPECT_TRUE(outcomes[1].headline(false).contains(QStringLiteral("card incomplete, serial text CAMA; it holds:")))
        << outcomes[1].headline(false).toStdString();
    EXPECT_TRUE(outcomes[3].headline(true).contains(QStringLiteral("存储卡已写入并读回核对，序列号 CAMB")));
    EXPECT_EQ(cards.folders.size(), 1U) << "a card was waited for after the last";
    EXPECT_EQ(session.written(), 3);
    EXPECT_EQ(session.failed(), 1);
    EXPECT_EQ(session.summaryLine(), QStringLiteral("3 card(s) written, 1 incomplete, 1 not ejected."));
    EXPECT_EQ(session.notEjected(), 1);
    // Every card is ejected, failed or not; the reader goes off only after
    // the last card written.
    ASSERT_EQ(drives.ejects.size(), 4U);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(drives.ejects[i].mountPoint, folders[static_cast<qsizetype>(i)]);
        EXPECT_EQ(drives.ejects[i].how, i == 3 ? EjectHow::PowerOff : EjectHow::KeepDrive) << i;
    }
    // A card ejected frees its mount point for the next card in the same
    // reader; one still in does not, or it would be written again.
    EXPECT_EQ(cards.forgotten, (QStringList{folders[0], folders[1], folders[3]}));
    EXPECT_TRUE(outcomes[2].ejectLine(false).contains(QStringLiteral("was not ejected: a program holds a file open. "
                                                                     "What was written is flushed to the card: it can "
                                                                     "be pulled out once nothing reads from it")))
        << outcomes[2].ejectLine(false).toStdString();
}

// Where no card can be ejected (a system that does not support it), the run
// says once what to do and then only why, and counts the cards not ejected.
TEST(CardSession, AnEjectThatFailsOnEveryCardIsAdvisedOnce)
{
    QTemporaryDir work;
    QueuedCards cards;
    for (const char* name : {"one", "two"}) {
        ASSERT_TRUE(QDir().mkpath(work.filePath(QLatin1String(name))));
        cards.folders.push_back(work.filePath(QLatin1String(name)));
    }
    class Unsupported final : public RemovableDrives {
    public:
        bool isRemovable(const QString&, const QByteArray&) override { return true; }
        EjectResult eject(const QString&, const QByteArray&, EjectHow) override
        {
            return {QStringLiteral("Request not supported")};
        }
    } unsupported;
    CardSession session(unsupported, cards, Plan(2, "CAM1"));
    std::vector<CardOutcome> outcomes;
    session.run([] {}, [&](const CardOutcome& card) { outcomes.push_back(card); });
    ASSERT_EQ(outcomes.size(), 2U);
    EXPECT_TRUE(outcomes[0].ejectLine(false).contains(QStringLiteral("it can be pulled out once nothing reads")));
    EXPECT_TRUE(outcomes[1].ejectLine(false).endsWith(QStringLiteral("was not ejected either: Request not supported")))
        << outcomes[1].ejectLine(false).toStdString();
    EXPECT_EQ(session.summaryLine(), QStringLiteral("2 card(s) written, 2 not ejected."));
}

TEST(CardSession, SerialTextsEndAtZZZZ)
{
    QTemporaryDir work;
    NotingDrives drives;
    QueuedCards cards;
    for (const char* name : {"a", "b"}) {
        ASSERT_TRUE(QDir().mkpath(work.filePath(QLatin1String(name))));
        cards.folders.push_back(work.filePath(QLatin1String(name)));
    }
    CardSession session(drives, cards, Plan(0, "ZZZZ"));
    session.run({}, {});
    EXPECT_EQ(session.written(), 1);
    EXPECT_TRUE(session.serialsUsedUp());
    EXPECT_EQ(cards.folders.size(), 1U) << "a card without a serial text was waited for";
}

// Stop pressed while the card's first file is being renamed into place: that
// file is finished, the others keep what they held, and the line says which.
TEST(CardSession, StopDuringACardLeavesEveryFileWholeAndSaysWhichAreNew)
{
    QTemporaryDir work;
    const QString card = work.filePath(QStringLiteral("card"));
    ASSERT_TRUE(QDir().mkpath(card));
    // Old files of another camera on the card.
    QueuedCards first;
    first.folders.push_back(card);
    NotingDrives drives;
    CardSession old(drives, first, Plan(1, "OLD1"));
    old.run({}, {});
    ASSERT_EQ(old.written(), 1);
    const QByteArray oldMms = Bytes(QDir(card).filePath(QStringLiteral("mms.dat")));
    QFile::remove(QDir(card).filePath(QStringLiteral("sms.dat"))); // one file the card never had

    test::FaultyFileOps ops;
    QueuedCards cards;
    cards.folders.push_back(card);
    cards.folders.push_back(work.filePath(QStringLiteral("next")));
    CardSession session(drives, cards, Plan(3, "NEW1"), ops);
    ops.beforeCall = [&](int call) {
        if (ops.calls.value(call) == QStringLiteral("rename"))
            session.stop();
    };
    std::vector<CardOutcome> outcomes;
    session.run({}, [&](const CardOutcome& outcome) { outcomes.push_back(outcome); });

    ASSERT_EQ(outcomes.size(), 1U) << "the session went on after Stop";
    const CardOutcome& stopped = outcomes.front();
    EXPECT_FALSE(stopped.complete());
    EXPECT_EQ(stopped.headline(false),
              QDir::toNativeSeparators(card)
                  + QStringLiteral(": stopped before the card was written whole, serial text NEW1; it holds:"));
    EXPECT_EQ(stopped.fileLines(false), (QStringList{QStringLiteral("new camera.dat"),
                                                     QStringLiteral("old mms.dat kept: stopped before it was written"),
                                                     QStringLiteral("no sms.dat: stopped before it was written")}));
    EXPECT_EQ(SerialOn(card), QStringLiteral("NEW1")) << "the file begun was not finished";
    EXPECT_EQ(Bytes(QDir(card).filePath(QStringLiteral("mms.dat"))), oldMms);
    EXPECT_FALSE(QFile::exists(QDir(card).filePath(QStringLiteral("sms.dat"))));
    EXPECT_EQ(QDir(card).entryList(QDir::Files), (QStringList{QStringLiteral("camera.dat"), QStringLiteral("mms.dat")}))
        << "a scratch file was left";
    ASSERT_EQ(drives.ejects.size(), 2U) << "the stopped card was not ejected";
    EXPECT_EQ(drives.ejects.back().how, EjectHow::KeepDrive);
    EXPECT_EQ(session.failed(), 1);
    EXPECT_FALSE(session.waitForCard()) << "a stopped session waits for no card";
}

// Ctrl+C, or a request to end, in the middle of a file of a card the command
// line writes (card write --out): caught and only noted, so the file in hand
// is finished and the card written whole, no scratch file stays, and the
// signal is told afterwards for the run to end as it asked.
TEST(CardSession, ASignalWhileACardIsWrittenLeavesTheCardWholeAndIsToldAfter)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "raise() reaches no console handler";
#else
    const struct {
        int signal;
        Interruption told;
    } cases[] = {{SIGINT, Interruption::CtrlC}, {SIGTERM, Interruption::EndRequested}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.signal);
        QTemporaryDir card;
        test::FaultyFileOps ops;
        bool raised = false;
        ops.beforeCall = [&](int call) {
            if (!raised && ops.calls.value(call) == QStringLiteral("write")) {
                raised = true;
                std::raise(c.signal);
            }
        };
        const CaughtInterrupts interrupts;
        const CardWriteReport report =
            WriteCard(card.path(), Profile(), PcClock{2024, 3, 5, 8, 7, 6}, std::nullopt, false, ops);
        ASSERT_TRUE(raised);
        EXPECT_EQ(interrupts.interruption(), c.told);
        for (const CardFileOutcome& file : report.files) {
            EXPECT_TRUE(file.written) << report.lines(false).join(QLatin1Char('\n')).toStdString();
        }
        EXPECT_EQ(QDir(card.path()).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{QStringLiteral("camera.dat"), QStringLiteral("mms.dat"), QStringLiteral("sms.dat")}))
            << "a scratch file was left";
    }
#endif
}

// A window's Stop comes from the GUI thread while the watcher waits on a
// thread of its own: the wait ends at once.
TEST(CardSession, StopEndsTheWatchersWaitFromAnotherThread)
{
    NotingDrives drives;
    drives.removable = false; // no card ever comes
    QTemporaryDir root;
    std::optional<std::optional<CardVolume>> result;
    std::atomic<CardWatcher*> watching{nullptr};
    std::unique_ptr<QThread> thread(QThread::create([&] {
        CardWatcher watcher(drives, root.path(), CardWatcher::Interruptible::No);
        watching = &watcher;
        result = watcher.waitForNew();
    }));
    // The watcher is made on its thread and stopped from this one: the stop
    // must reach a wait that began before it and one that begins after it.
    thread->start();
    QElapsedTimer timer;
    timer.start();
    while (!watching && timer.elapsed() < 5000)
        QThread::msleep(5);
    ASSERT_TRUE(watching);
    QThread::msleep(100);
    watching.load()->stop();
    ASSERT_TRUE(thread->wait(3000)) << "the wait did not end on stop()";
    ASSERT_TRUE(result.has_value());
    EXPECT_FALSE(result->has_value());
}

} // namespace
} // namespace kestra
