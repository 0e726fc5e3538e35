// SPDX-License-Identifier: Apache-2.0
// Saves onto real file systems that fail the way a camera card does: full,
// write-protected, gone. Mounting needs root; elsewhere these tests skip.

#include "FolderSnapshot.h"

#include "storage/SettingsFileIo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace kestra {
namespace {

using test::PlantFile;
using test::Snapshot;

const QString kTarget = QStringLiteral("camera.dat");
const QByteArray kOldBytes(180, '\x11');
const QByteArray kNewBytes(780, '\x22');

#ifdef Q_OS_WIN

// Windows marks a file read-only with an attribute instead of permission bits.
TEST(RealMediumSave, AReadOnlyFileIsRefusedAndKept)
{
    QTemporaryDir dir;
    const QString target = SettingsFilePath(dir.path(), kTarget);
    ASSERT_TRUE(PlantFile(target, kOldBytes));
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadUser | QFile::ReadOther));
    const auto before = Snapshot(dir.path());

    const SaveResult result = SaveSettingsFile(dir.path(), kTarget, kNewBytes);
    ASSERT_FALSE(result.ok()) << "a read-only file was replaced";
    EXPECT_EQ(result.error->kind, FileErrorKind::WriteProtected) << result.error->message().toStdString();
    EXPECT_EQ(result.error->path, target);
    EXPECT_EQ(Snapshot(dir.path()), before);

    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_TRUE(SaveSettingsFile(dir.path(), kTarget, kNewBytes).ok()) << "writable again, it is replaced";
}

TEST(RealMediumSave, FullReadOnlyAndRemovedCards)
{
    GTEST_SKIP() << "mounts tmpfs cards and sets file-size limits, which only Linux offers; the fault tests "
                    "inject the same failures here";
}

#else

} // namespace
} // namespace kestra

#include "TmpfsMount.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace kestra {
namespace {

using test::TmpfsMount;

TEST(RealMediumSave, AFullMediumKeepsTheOldFile)
{
    TmpfsMount card("size=64k,mode=0755");
    if (!card.skipReason().empty())
        GTEST_SKIP() << card.skipReason();
    ASSERT_TRUE(PlantFile(card.path(kTarget), kOldBytes));
    // Fill every remaining page.
    {
        QFile filler(card.path(QStringLiteral("FILLER.BIN")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray page(4096, 'f');
        while (filler.write(page) == page.size()) {
        }
    }
    const auto before = Snapshot(card.path());

    const SaveResult result = SaveSettingsFile(card.path(), kTarget, kNewBytes);
    ASSERT_FALSE(result.ok()) << "a save onto a full card reported success";
    EXPECT_EQ(result.error->kind, FileErrorKind::MediumFull) << result.error->message().toStdString();
    EXPECT_EQ(Snapshot(card.path()), before);
}

TEST(RealMediumSave, AReadOnlyMediumKeepsTheOldFile)
{
    TmpfsMount card("size=64k,mode=0755");
    if (!card.skipReason().empty())
        GTEST_SKIP() << card.skipReason();
    ASSERT_TRUE(PlantFile(card.path(kTarget), kOldBytes));
    ASSERT_TRUE(card.remountReadOnly()) << std::strerror(errno);
    const auto before = Snapshot(card.path());

    const SaveResult result = SaveSettingsFile(card.path(), kTarget, kNewBytes);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->kind, FileErrorKind::WriteProtected) << result.error->message().toStdString();
    EXPECT_EQ(Snapshot(card.path()), before);
}

TEST(RealMediumSave, AFolderRemovedBeforeTheSaveIsReported)
{
    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("DCIM"));
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(QDir().rmdir(folder));

    const SaveResult result = SaveSettingsFile(folder, kTarget, kNewBytes);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->kind, FileErrorKind::FolderMissing);
    EXPECT_TRUE(result.error->message().contains(folder));
    EXPECT_TRUE(QDir(parent.path()).isEmpty()) << "nothing was created in its place";
}

TEST(RealMediumSave, ASaveOntoATmpfsSucceedsWhenThereIsRoom)
{
    TmpfsMount card("size=64k,mode=0755");
    if (!card.skipReason().empty())
        GTEST_SKIP() << card.skipReason();
    ASSERT_TRUE(PlantFile(card.path(kTarget), kOldBytes));
    const SaveResult result = SaveSettingsFile(card.path(), kTarget, kNewBytes);
    ASSERT_TRUE(result.ok()) << result.error->message().toStdString();
    EXPECT_EQ(Snapshot(card.path()).keys(), QStringList{kTarget});
    EXPECT_EQ(Snapshot(card.path()).value(kTarget).bytes, kNewBytes);
}

mode_t ModeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// A file without write bits is kept even for root, whom the system's own
// permission test lets through; a file with any write bit is replaced.
TEST(RealMediumSave, AFileWithoutWritePermissionIsRefusedAndKept)
{
    struct Case {
        mode_t mode;
        bool refused;
    };
    for (const Case& c : {Case{0444, true}, Case{0400, true}, Case{0000, true}, Case{0644, false}, Case{0200, false}}) {
        QTemporaryDir dir;
        const QString target = dir.filePath(kTarget);
        ASSERT_TRUE(PlantFile(target, kOldBytes));
        ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), c.mode), 0);
        const auto before = Snapshot(dir.path());

        const SaveResult result = SaveSettingsFile(dir.path(), kTarget, kNewBytes);
        if (!c.refused) {
            EXPECT_TRUE(result.ok()) << std::oct << c.mode;
            continue;
        }
        ASSERT_FALSE(result.ok()) << "mode " << std::oct << c.mode << " was replaced";
        EXPECT_EQ(result.error->kind, FileErrorKind::WriteProtected) << std::oct << c.mode;
        EXPECT_EQ(result.error->path, target);
        EXPECT_EQ(Snapshot(dir.path()), before) << std::oct << c.mode;
        EXPECT_EQ(ModeOf(target), c.mode);
    }
}

TEST(RealMediumSave, AReplacedFileKeepsItsPermissionsAndANewOneFollowsTheUmask)
{
    for (mode_t mode : {mode_t(0600), mode_t(0640), mode_t(0664), mode_t(0755), mode_t(0606)}) {
        QTemporaryDir dir;
        const QString target = dir.filePath(kTarget);
        ASSERT_TRUE(PlantFile(target, kOldBytes));
        ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), mode), 0);
        ASSERT_TRUE(SaveSettingsFile(dir.path(), kTarget, kNewBytes).ok());
        EXPECT_EQ(ModeOf(target), mode);
    }
    const mode_t saved = ::umask(027);
    QTemporaryDir dir;
    const SaveResult created = SaveSettingsFile(dir.path(), kTarget, kNewBytes);
    ::umask(saved);
    ASSERT_TRUE(created.ok());
    EXPECT_EQ(ModeOf(dir.filePath(kTarget)), mode_t(0640));
}

// On a read-only card with a scratch file left by a save that died, the
// message names the file the user saved.
TEST(RealMediumSave, AReadOnlyMediumWithALeftoverNamesTheSettingsFile)
{
    for (bool oldFile : {true, false}) {
        TmpfsMount card("size=64k,mode=0755");
        if (!card.skipReason().empty())
            GTEST_SKIP() << card.skipReason();
        if (oldFile) {
            ASSERT_TRUE(PlantFile(card.path(kTarget), kOldBytes));
        }
        ASSERT_TRUE(PlantFile(card.path(ScratchFileName(kTarget)), QByteArray(90, 'x')));
        ASSERT_TRUE(card.remountReadOnly()) << std::strerror(errno);
        const auto before = Snapshot(card.path());

        const SaveResult result = SaveSettingsFile(card.path(), kTarget, kNewBytes);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.error->kind, FileErrorKind::WriteProtected) << result.error->message().toStdString();
        EXPECT_EQ(result.error->path, card.path(kTarget));
        for (bool chinese : {false, true}) {
            EXPECT_FALSE(result.error->message(chinese).contains(ScratchFileName(kTarget)))
                << result.error->message(chinese).toStdString();
        }
        EXPECT_EQ(Snapshot(card.path()), before);
    }
}

// A file-size limit (EFBIG) is its own cause, not a removed card.
TEST(RealMediumSave, AFileSizeLimitIsReportedAsSuch)
{
    QTemporaryDir dir;
    ASSERT_TRUE(PlantFile(dir.filePath(kTarget), kOldBytes));
    const auto before = Snapshot(dir.path());
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveResult result = SaveSettingsFile(dir.path(), kTarget, kNewBytes);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->kind, FileErrorKind::FileTooLarge);
    EXPECT_EQ(result.error->systemError, EFBIG);
    const QString message = result.error->message();
    EXPECT_TRUE(message.contains(dir.filePath(kTarget))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("file size"))) << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("removed"))) << message.toStdString();
    EXPECT_EQ(Snapshot(dir.path()), before);
}

// Listing a folder marks it read; on a card that is one more block to write
// at every flush of the save. The save looks through the folder for the same
// name in another case without marking it, where the system lets it.
TEST(RealMediumSave, ASaveLeavesTheFolderUnmarkedAsRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(PlantFile(SettingsFilePath(dir.path(), kTarget), kOldBytes));
    // An access time older than the last change, which any reading of the
    // folder would move on (as a "relatime" mount does).
    const auto markOld = [](const QString& folder) {
        const struct timespec times[2] = {{1000000000, 0}, {0, UTIME_NOW}};
        return ::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), times, 0) == 0;
    };
    const auto accessed = [](const QString& folder) {
        struct stat st {};
        return ::stat(QFile::encodeName(folder).constData(), &st) == 0 ? st.st_atim.tv_sec : -1;
    };
    const QString probe = dir.filePath(QStringLiteral("probe"));
    ASSERT_TRUE(QDir().mkdir(probe));
    ASSERT_TRUE(markOld(probe));
    (void)QDir(probe).entryList();
    if (accessed(probe) == 1000000000)
        GTEST_SKIP() << "this file system does not mark a folder read when it is listed";

    ASSERT_TRUE(markOld(dir.path()));
    const SaveResult result = SaveSettingsFile(dir.path(), kTarget, kNewBytes);
    ASSERT_TRUE(result.ok()) << result.error->message().toStdString();
    EXPECT_EQ(accessed(dir.path()), 1000000000) << "the save marked the folder read";
}

#endif

} // namespace
} // namespace kestra
