// SPDX-License-Identifier: Apache-2.0
// Whole cards on real media: FAT images through FUSE, tmpfs cards that fill
// up or turn read-only halfway through a card, the volume list, and UDisks2's
// word on which drives are removable and how they are ejected.

#include "cards/CardFolders.h"
#include "cards/CardList.h"
#include "cards/CardProfileFile.h"
#include "cards/CardVolumes.h"
#include "cards/CardWatcher.h"
#include "cards/CardWriter.h"
#include "cards/RemovableDrives.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include "support/CheckedRecords.h"

#ifndef Q_OS_WIN
#include "CardMedia.h"
#include "cards/KernelDrives.h"
#include "drives/UDisks2Drives.h"
#include "storage/FaultyFileOps.h"
#include "storage/FolderSnapshot.h"
#include "storage/TmpfsMount.h"
#endif

namespace kestra {
namespace {

#ifdef Q_OS_WIN

TEST(CardMedia, RealCards)
{
    GTEST_SKIP() << "FAT images through FUSE, tmpfs and UDisks2 are Linux's; the writer's own tests run here";
}

#else

using test::FatCard;
using test::PrivateUDisks2;
using test::StandInCard;

const PcClock kClock{2024, 3, 5, 8, 7, 6};

CardProfile FourFiles()
{
    const QJsonObject json = QJsonDocument::fromJson(R"({"camera": {"mode": "Video"}, "mms": {"phone": "13800138000"},
                                    "gprs": {"sender-email": "cam@example.org", "smtp-server": "mail.example.org",
                                             "smtp-port": "25", "recipient-email": "me@example.org",
                                             "sender-password": "secret"},
                                    "sms": {"phone1": "13800138000"}})")
                                 .object();
    return *CardProfileFromJson(json, QStringLiteral("test"), kLanguageEnglish).profile;
}

// Removable as the test says: every volume under the test's folder.
class AllRemovable : public RemovableDrives {
public:
    QStringList ejected;
    bool isRemovable(const QString&, const QByteArray&) override { return true; }
    EjectResult eject(const QString& mountPoint, const QByteArray&, EjectHow) override
    {
        ejected << mountPoint;
        return {};
    }
};

TEST(CardMedia, AFatCardHoldsEveryFileAfterItIsMountedAgain)
{
    QTemporaryDir work;
    FatCard card(work.filePath(QStringLiteral("card.img")), work.filePath(QStringLiteral("card")),
                 QStringLiteral("KESTRA"));
    if (!card.skipReason().empty())
        GTEST_SKIP() << card.skipReason();
    ASSERT_TRUE(card.mount());
    // A camera (or another tool) left one file under a capital name.
    ASSERT_TRUE(test::PlantFile(QDir(card.mountPoint()).filePath(QStringLiteral("GPRS.DAT")), QByteArray(780, 'x')));
    const CardWriteReport report =
        WriteCard(card.mountPoint(), FourFiles(), kClock, SerialText::Parse(QStringLiteral("CAM7")));
    ASSERT_TRUE(report.complete()) << report.lines(false).join(QLatin1Char('\n')).toStdString();
    card.unmount();

    ASSERT_TRUE(card.mount());
    const auto expected = CardFiles(FourFiles(), kClock, SerialText::Parse(QStringLiteral("CAM7")));
    QStringList names = QDir(card.mountPoint()).entryList(QDir::Files);
    names.removeAll(QStringLiteral("KESTRA")); // fusefat shows the volume label as a file
    names.sort(Qt::CaseInsensitive);
    EXPECT_EQ(names.join(QLatin1Char(' ')).toStdString(), "camera.dat gprs.dat mms.dat sms.dat")
        << "a scratch file was left on the card, or an old name kept its capitals";
    for (const auto& [kind, bytes, refusal] : expected) {
        ASSERT_FALSE(refusal) << refusal->toStdString();
        QFile file(QDir(card.mountPoint()).filePath(SettingsFileName(kind)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), bytes) << SettingsFileName(kind).toStdString();
    }
}

TEST(CardMedia, TheVolumeListShowsTheCardsUnderItsRoot)
{
    QTemporaryDir work;
    FatCard written(work.filePath(QStringLiteral("a.img")), work.filePath(QStringLiteral("cards/a")),
                    QStringLiteral("A"));
    FatCard blank(work.filePath(QStringLiteral("b.img")), work.filePath(QStringLiteral("cards/b")),
                  QStringLiteral("B"));
    if (!written.skipReason().empty())
        GTEST_SKIP() << written.skipReason();
    ASSERT_TRUE(written.mount() && blank.mount());
    CardProfile smsOnly;
    smsOnly.sms = FourFiles().sms;
    ASSERT_TRUE(WriteCard(written.mountPoint(), smsOnly, kClock, std::nullopt).complete());

    AllRemovable drives;
    const std::vector<CardVolume> volumes = ListCardVolumes(drives, work.filePath(QStringLiteral("cards")));
    ASSERT_EQ(volumes.size(), 2u) << "only the two images lie under the root";
    EXPECT_EQ(volumes[0].mountPoint, written.mountPoint());
    EXPECT_EQ(volumes[0].settingsFiles, std::vector<SettingsFileKind>{SettingsFileKind::Sms});
    EXPECT_TRUE(volumes[1].settingsFiles.empty());
    EXPECT_GT(volumes[0].size, 3 * 1024 * 1024);
    EXPECT_GT(volumes[0].free, 0);
    EXPECT_LE(volumes[0].free, volumes[0].size);
    EXPECT_EQ(CardVolumeOf(drives, written.mountPoint())->mountPoint, written.mountPoint());
}

// Removable: the volumes mounted under one folder, as a card slot's would be.
class RemovableUnder : public RemovableDrives {
public:
    explicit RemovableUnder(QString root) : m_root(std::move(root)) {}
    bool isRemovable(const QString& mountPoint, const QByteArray&) override
    {
        return mountPoint.startsWith(m_root + QLatin1Char('/'));
    }
    EjectResult eject(const QString&, const QByteArray&, EjectHow) override { return {QStringLiteral("busy")}; }

private:
    QString m_root;
};

TEST(CardMedia, TheWindowsOpenOnTheOneCardInAndNameTheCardAFolderIsOn)
{
    QTemporaryDir work;
    const QString cardSlots = work.filePath(QStringLiteral("slots"));
    FatCard first(work.filePath(QStringLiteral("a.img")), cardSlots + QStringLiteral("/a"), QStringLiteral("A"));
    FatCard second(work.filePath(QStringLiteral("b.img")), cardSlots + QStringLiteral("/b"), QStringLiteral("B"));
    if (!first.skipReason().empty())
        GTEST_SKIP() << first.skipReason();
    RemovableUnder drives(cardSlots);
    EXPECT_FALSE(SingleCardFolder(drives, cardSlots)) << "no card in";
    ASSERT_TRUE(first.mount());
    EXPECT_EQ(SingleCardFolder(drives, cardSlots), QDir::toNativeSeparators(first.mountPoint()));
    ASSERT_TRUE(second.mount());
    EXPECT_FALSE(SingleCardFolder(drives, cardSlots)) << "two cards in: which one is the user's to say";

    ASSERT_TRUE(QDir(first.mountPoint()).mkdir(QStringLiteral("DCIM")));
    const QString note = CardFolderNote(drives, first.mountPoint() + QStringLiteral("/DCIM"), false);
    EXPECT_TRUE(note.startsWith(QStringLiteral("On the card "))) << note.toStdString();
    EXPECT_TRUE(note.endsWith(QStringLiteral(" free"))) << note.toStdString();
    EXPECT_EQ(CardFolderNote(drives, work.path(), false), QString()) << "a folder on no card";
    const CardVolume card = *CardVolumeOf(drives, first.mountPoint());
    EXPECT_TRUE(EjectOutcome(card, drives.eject(card.mountPoint, card.device, EjectHow::KeepDrive), false)
                    .contains(QStringLiteral("busy")));
}

// The windows' list looks again by itself when a card is mounted or
// unmounted, and ejects on its own thread.
TEST(CardMedia, TheCardListFollowsTheMountsAndEjectsOffTheCallersThread)
{
    QTemporaryDir work;
    const QString cardSlots = work.filePath(QStringLiteral("slots"));
    FatCard card(work.filePath(QStringLiteral("a.img")), cardSlots + QStringLiteral("/a"), QStringLiteral("A"));
    if (!card.skipReason().empty())
        GTEST_SKIP() << card.skipReason();
    auto drives = std::make_unique<RemovableUnder>(cardSlots);
    CardList list(std::move(drives), cardSlots);
    ASSERT_TRUE(list.waitForLook(10000));
    EXPECT_EQ(list.volumes()->size(), 0u);
    ASSERT_TRUE(card.mount());
    const auto waitFor = [&list](std::size_t count) {
        for (int i = 0; i < 200 && list.volumes()->size() != count; ++i)
            QThread::msleep(50);
        return list.volumes()->size() == count;
    };
    EXPECT_TRUE(waitFor(1)) << "the mount was not noticed";
    EXPECT_EQ(SingleCardFolder(list), QDir::toNativeSeparators(card.mountPoint()));
    const std::optional<CardVolume> found = list.cardOf(card.mountPoint());
    ASSERT_TRUE(found);
    EXPECT_EQ(list.eject(*found, EjectHow::KeepDrive).failure, QStringLiteral("busy"));
    card.unmount();
    EXPECT_TRUE(waitFor(0)) << "the unmount was not noticed";
}

// A reader takes the next card at the mount point the ejected one had, often
// before the watcher looks again: told of the eject, the watcher takes what
// is mounted there next for a new card, though no look saw the point empty.
TEST(CardMedia, TheWatcherTakesTheNextCardAtAnEjectedCardsMountPointForANewOne)
{
    QTemporaryDir work;
    const QString cardSlots = work.filePath(QStringLiteral("slots"));
    const QString reader = cardSlots + QStringLiteral("/reader");
    FatCard first(work.filePath(QStringLiteral("a.img")), reader, QStringLiteral("FIRST"));
    FatCard second(work.filePath(QStringLiteral("b.img")), reader, QStringLiteral("SECOND"));
    if (!second.skipReason().empty())
        GTEST_SKIP() << second.skipReason();
    // The second card is told apart by the file it holds.
    ASSERT_TRUE(second.mount());
    ASSERT_TRUE(test::PlantFile(QDir(reader).filePath(QStringLiteral("sms.dat")), QByteArray(300, '\0')));
    second.unmount();
    ASSERT_FALSE(second.mounted());
    RemovableUnder drives(cardSlots);
    CardWatcher watcher(drives, cardSlots, CardWatcher::Interruptible::No);
    // A card the watcher misses would keep the wait going for ever.
    const auto waitAtMost = [&watcher](int ms) {
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, [&watcher] { watcher.stop(); });
        timeout.start(ms);
        return watcher.waitForNew();
    };

    ASSERT_TRUE(first.mount());
    const std::optional<CardVolume> firstCard = waitAtMost(10000);
    ASSERT_TRUE(firstCard) << "the first card was not noticed";
    EXPECT_TRUE(firstCard->settingsFiles.empty());

    // Ejected, and the next card in before any look.
    first.unmount();
    ASSERT_TRUE(second.mount());
    watcher.ejected(firstCard->mountPoint);
    const std::optional<CardVolume> secondCard = waitAtMost(3000);
    ASSERT_TRUE(secondCard) << "the card put in at the ejected card's mount point passed for the ejected one";
    EXPECT_EQ(secondCard->settingsFiles, std::vector<SettingsFileKind>{SettingsFileKind::Sms});
    EXPECT_EQ(secondCard->mountPoint, firstCard->mountPoint);
}

TEST(CardMedia, ACardThatFillsUpHalfwayIsReportedIncomplete)
{
    test::TmpfsMount card("size=16k,mode=0755");
    if (!card.skipReason().empty())
        GTEST_SKIP() << card.skipReason();
    ASSERT_TRUE(test::PlantFile(card.path(QStringLiteral("gprs.dat")), QByteArray(780, '\x11')));
    // Two pages stay free: camera.dat and mms.dat (each with its scratch
    // file, renamed into place), then the card is full.
    {
        QFile filler(card.path(QStringLiteral("FILLER.BIN")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        ASSERT_EQ(filler.write(QByteArray(4096, 'f')), 4096);
    }
    const CardWriteReport report = WriteCard(card.path(), FourFiles(), kClock, std::nullopt);
    ASSERT_FALSE(report.complete());
    ASSERT_EQ(report.files.size(), 4u);
    EXPECT_TRUE(report.files[0].ok());
    EXPECT_FALSE(report.files[2].written);
    EXPECT_TRUE(report.files[2].hadOldFile);
    EXPECT_FALSE(report.files[3].hadOldFile);
    const QStringList lines = report.lines(false);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("new camera.dat")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("old gprs.dat kept"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("no sms.dat"))) << lines[3].toStdString();
    QFile old(card.path(QStringLiteral("gprs.dat")));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray(780, '\x11')) << "the old file was touched";
}

TEST(CardMedia, ACardThatTurnsReadOnlyHalfwayKeepsItsOldFiles)
{
    test::TmpfsMount card("size=256k,mode=0755");
    if (!card.skipReason().empty())
        GTEST_SKIP() << card.skipReason();
    for (const char* name : {"camera.dat", "mms.dat", "gprs.dat", "sms.dat"})
        ASSERT_TRUE(test::PlantFile(card.path(QLatin1String(name)), QByteArray(60, '\x11')));
    // The lock switch is slid (or the card reader drops to read-only) as the
    // third file's scratch file is about to be made.
    test::FaultyFileOps ops;
    int creates = 0;
    ops.beforeCall = [&](int call) {
        if (ops.calls.value(call) == u"createExclusive" && ++creates == 3) {
            ASSERT_TRUE(card.remountReadOnly());
        }
    };
    const CardWriteReport report = WriteCard(card.path(), FourFiles(), kClock, std::nullopt, false, ops);
    ASSERT_EQ(report.files.size(), 4u);
    EXPECT_TRUE(report.files[0].ok() && report.files[1].ok());
    for (std::size_t i : {2u, 3u}) {
        EXPECT_FALSE(report.files[i].written);
        EXPECT_TRUE(report.files[i].hadOldFile);
        QFile old(card.path(SettingsFileName(report.files[i].kind)));
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), QByteArray(60, '\x11'));
    }
}

// A card's check reads each file from the card; where the system cannot
// drop what it keeps of the file, the report says the check read the cache.
TEST(CardMedia, ACheckThatCouldOnlyReadTheCacheSaysSo)
{
    QTemporaryDir card;
    CardProfile smsOnly;
    smsOnly.sms = FourFiles().sms;
    test::FaultyFileOps recorder;
    ASSERT_TRUE(WriteCard(card.path(), smsOnly, kClock, std::nullopt, false, recorder).complete());
    const qsizetype drop = recorder.calls.indexOf(QStringLiteral("dropCachedPages"));
    ASSERT_GT(drop, recorder.calls.lastIndexOf(QStringLiteral("rename"))) << "dropped before the file was in place";
    ASSERT_LT(drop, recorder.calls.lastIndexOf(QStringLiteral("read")));

    test::FaultyFileOps cannot;
    cannot.failCall(static_cast<int>(drop), ENOSYS);
    const CardWriteReport report = WriteCard(card.path(), smsOnly, kClock, std::nullopt, false, cannot);
    ASSERT_EQ(report.files.size(), 1u);
    EXPECT_TRUE(report.files[0].written);
    EXPECT_FALSE(report.files[0].readBackFromCache.isEmpty());
    EXPECT_TRUE(report.lines(false).constFirst().contains(QStringLiteral("the check read the system's cache")))
        << report.lines(false).constFirst().toStdString();

    // A file system in memory takes the request to drop the file's pages and
    // keeps them: the check read memory, and the line says so.
    test::TmpfsMount memory("size=64k,mode=0755");
    if (!memory.skipReason().empty())
        GTEST_SKIP() << memory.skipReason();
    const CardWriteReport inMemory = WriteCard(memory.path(), smsOnly, kClock, std::nullopt, false);
    ASSERT_EQ(inMemory.files.size(), 1u);
    EXPECT_TRUE(inMemory.files[0].ok());
    EXPECT_TRUE(inMemory.lines(false).constFirst().contains(QStringLiteral("the check read the system's cache")))
        << inMemory.lines(false).constFirst().toStdString();
}

// An eject unmounts and ejects the medium; the reader stays on and known for
// the next card. Only a power-off asked for switches the drive off, and a
// drive switched off is gone (the stand-in drops it, as a USB reader goes).
// A card pulled out while it is written: what is left of its mount point
// is a bare folder on the system's disk, which gets nothing, and the report
// says only what is known of the card: the file in hand may be the new one
// or the old (pulled just before or just after its rename), those after it
// are not written. The same when the card is gone
// before its first file; and a card whose camera record is refused gets
// none of its files.
TEST(CardMedia, APulledCardGetsNothingWrittenElsewhere)
{
    CardProfile messaging = FourFiles();
    messaging.camera.reset();
    struct Pull {
        int rename;   // the save whose rename the pull comes at
        bool afterIt; // just after that rename, not just before it
    };
    for (const Pull pull : {Pull{1, false}, Pull{2, false}, Pull{1, true}}) {
        SCOPED_TRACE(testing::Message() << "pulled at rename " << pull.rename << (pull.afterIt ? ", after it" : ""));
        const int pullBeforeRename = pull.rename;
        test::TmpfsMount card("size=256k,mode=0755");
        if (!card.skipReason().empty())
            GTEST_SKIP() << card.skipReason();
        ASSERT_TRUE(test::PlantFile(card.path(QStringLiteral("gprs.dat")), QByteArray(60, '\x11')));
        test::FaultyFileOps ops;
        int renames = 0;
        ops.beforeCall = [&](int call) {
            const int renameAt = pull.afterIt ? call - 1 : call;
            if (renameAt >= 0 && ops.calls[renameAt] == QLatin1String("rename") && ++renames == pullBeforeRename)
                ::umount2(QFile::encodeName(card.path()).constData(), MNT_DETACH);
        };
        const CardWriteReport report = WriteCard(card.path(), messaging, kClock, std::nullopt, false, ops);
        EXPECT_TRUE(report.removed);
        EXPECT_FALSE(report.complete());
        EXPECT_TRUE(QDir(card.path()).entryList(QDir::Files | QDir::Hidden).isEmpty())
            << "written onto the system's disk: "
            << QDir(card.path()).entryList(QDir::Files | QDir::Hidden).join(u' ').toStdString();
        const QStringList lines = report.lines(false);
        ASSERT_EQ(lines.size(), 3);
        EXPECT_TRUE(
            lines[pullBeforeRename - 1].contains(QStringLiteral("unknown: the card was removed; it may hold the new")))
            << lines[pullBeforeRename - 1].toStdString();
        for (int i = pullBeforeRename; i < 3; ++i)
            EXPECT_TRUE(
                lines[i].contains(QStringLiteral("not written: the card was removed; it may still hold its old")))
                << lines[i].toStdString();
        if (pullBeforeRename == 2) {
            EXPECT_EQ(lines[0], QStringLiteral("new mms.dat, but the check read the system's cache, not the card: "
                                               "the system keeps the file in memory after being asked to drop it"));
        }
    }

    QTemporaryDir folder;
    CardProfile refusedCamera = FourFiles();
    const PcClock past{2024, 2, 30, 23, 59, 59}; // a day that does not exist
    const CardWriteReport refused = WriteCard(folder.path(), refusedCamera, past, std::nullopt, false);
    ASSERT_EQ(refused.files.size(), 4u);
    for (const CardFileOutcome& file : refused.files)
        EXPECT_FALSE(file.written) << SettingsFileName(file.kind).toStdString();
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(refused.lines(false)[1].contains(QStringLiteral("camera.dat was refused, so nothing is written")))
        << refused.lines(false)[1].toStdString();
}

// Without UDisks2 the eject flushes and unmounts the card where the system
// lets this user, so that it can be pulled; a volume in use stays mounted
// and is never called ejected.
TEST(CardMedia, WithoutUDisks2TheEjectUnmountsTheCard)
{
    QTemporaryDir work;
    FatCard card(work.filePath(QStringLiteral("a.img")), work.filePath(QStringLiteral("a")), QStringLiteral("A"));
    if (!card.skipReason().empty())
        GTEST_SKIP() << card.skipReason();
    ASSERT_TRUE(card.mount());
    KernelDrives drives(QStringLiteral("no system bus"));
    {
        QFile held(QDir(card.mountPoint()).filePath(QStringLiteral("held.txt")));
        ASSERT_TRUE(held.open(QIODevice::WriteOnly));
        const EjectResult busy = drives.eject(card.mountPoint(), {}, EjectHow::KeepDrive);
        EXPECT_FALSE(busy.ok());
        EXPECT_TRUE(busy.failure.contains(QStringLiteral("umount"))) << busy.failure.toStdString();
        EXPECT_TRUE(card.mounted());
    }
    const EjectResult ejected = drives.eject(card.mountPoint(), {}, EjectHow::KeepDrive);
    EXPECT_TRUE(ejected.ok()) << ejected.failure.toStdString();
    EXPECT_FALSE(card.mounted());
}

TEST(CardMedia, UDisks2TellsRemovableDrivesAndEjectsThem)
{
    QTemporaryDir work;
    const QString card = work.filePath(QStringLiteral("card"));
    const QString disk = work.filePath(QStringLiteral("disk"));
    const auto mark = [&work](const char* name) {
        return QStringList{QStringLiteral("touch"), work.filePath(QLatin1String(name))};
    };
    const auto marked = [&work](const char* name) { return QFile::exists(work.filePath(QLatin1String(name))); };
    PrivateUDisks2 udisks(
        {StandInCard(QStringLiteral("sdz1"), card, true, mark("unmounted"), mark("powered-off"), mark("ejected")),
         StandInCard(QStringLiteral("sda1"), disk, false)});
    if (!udisks.skipReason().empty())
        GTEST_SKIP() << udisks.skipReason();
    UDisks2Drives drives(udisks.bus());
    EXPECT_EQ(drives.unavailable(), QString());
    EXPECT_EQ(drives.source().name, QStringLiteral("udisks2"));
    EXPECT_TRUE(drives.isRemovable(card, {}));
    EXPECT_TRUE(drives.isRemovable(card + QStringLiteral("/"), {})) << "a mount point with a trailing slash";
    EXPECT_TRUE(drives.isRemovable(QStringLiteral("/elsewhere"), "/dev/sdz1")) << "found by its device";
    EXPECT_FALSE(drives.isRemovable(disk, {}));
    EXPECT_FALSE(drives.isRemovable(work.filePath(QStringLiteral("unknown")), {}));

    EXPECT_FALSE(drives.eject(disk, {}, EjectHow::KeepDrive).ok()) << "a fixed disk is not ejected";
    EXPECT_FALSE(marked("unmounted"));
    const EjectResult ejected = drives.eject(card, {}, EjectHow::KeepDrive);
    EXPECT_TRUE(ejected.ok()) << ejected.failure.toStdString();
    EXPECT_TRUE(marked("unmounted"));
    EXPECT_TRUE(marked("ejected"));
    EXPECT_FALSE(marked("powered-off")) << "the reader was switched off without being asked";
    EXPECT_TRUE(drives.isRemovable(card, {})) << "the reader is gone for the next card";

    const EjectResult off = drives.eject(card, {}, EjectHow::PowerOff);
    EXPECT_TRUE(off.ok()) << off.failure.toStdString();
    EXPECT_TRUE(marked("powered-off"));
    EXPECT_FALSE(drives.isRemovable(card, {})) << "a drive switched off is gone";
}

TEST(CardMedia, WithoutUDisks2NoVolumeIsRemovable)
{
    UDisks2Drives drives(
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("none")));
    EXPECT_FALSE(drives.isRemovable(QStringLiteral("/"), {}));
    EXPECT_FALSE(drives.eject(QStringLiteral("/"), {}, EjectHow::KeepDrive).ok());
    EXPECT_FALSE(drives.unavailable().isEmpty()) << "card list and --wait must say why they find no card";
}

#endif

} // namespace
} // namespace kestra
