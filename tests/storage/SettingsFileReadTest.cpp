// SPDX-License-Identifier: Apache-2.0
#include "FaultyFileOps.h"

#include "storage/Cp936.h"
#include "storage/SettingsFileIo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <future>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kestra {
namespace {

using test::FaultyFileOps;

QString Plant(const QTemporaryDir& dir, const char* name, qsizetype size)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 13);
    file.write(bytes);
    return path;
}

TEST(ReadSettingsFile, ReadsWholeFilesUpTo64KiB)
{
    QTemporaryDir dir;
    struct Case {
        const char* name;
        qsizetype size;
        qsizetype read;
        bool truncated;
    };
    for (const Case& c : {Case{"empty.dat", 0, 0, false}, Case{"camera.dat", 180, 180, false},
                          Case{"exact.dat", kMaxSettingsFileRead, kMaxSettingsFileRead, false},
                          Case{"over.dat", kMaxSettingsFileRead + 1, kMaxSettingsFileRead, true},
                          Case{"huge.dat", 1024 * 1024, kMaxSettingsFileRead, true}}) {
        const QString path = Plant(dir, c.name, c.size);
        const ReadResult result = ReadSettingsFile(path);
        ASSERT_TRUE(result.ok()) << c.name << ": " << result.error->message().toStdString();
        EXPECT_EQ(result.bytes.size(), c.read) << c.name;
        EXPECT_EQ(result.truncated, c.truncated) << c.name;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(result.bytes, file.read(c.read)) << c.name;
    }
}

#ifdef Q_OS_WIN

TEST(ReadSettingsFile, RefusesWhatIsNotARegularFile)
{
    QTemporaryDir dir;
    struct Case {
        const char* name;
        QString path;
        FileErrorKind kind;
    };
    const Case cases[] = {
        {"a folder", QDir::toNativeSeparators(dir.path()), FileErrorKind::NotRegularFile},
        {"a missing file", QDir::toNativeSeparators(dir.filePath(QStringLiteral("missing.dat"))),
         FileErrorKind::NotFound},
        {"an empty path", QString(), FileErrorKind::NotFound},
        {"a name over 255 characters", QDir::toNativeSeparators(dir.path()) + u'\\' + QString(256, u'n'),
         FileErrorKind::PathTooLong},
    };
    for (const Case& c : cases) {
        const ReadResult result = ReadSettingsFile(c.path);
        ASSERT_FALSE(result.ok()) << c.name;
        EXPECT_EQ(result.error->kind, c.kind) << c.name;
        EXPECT_EQ(result.error->action, FileAction::Load) << c.name;
        EXPECT_TRUE(result.bytes.isEmpty()) << c.name;
        EXPECT_TRUE(result.error->message().contains(c.path)) << c.name;
    }
}

TEST(ReadSettingsFile, RefusesAFifoSlippedInAfterTheCheck)
{
    GTEST_SKIP() << "Windows has no FIFOs in its file system";
}

#else

TEST(ReadSettingsFile, RefusesWhatIsNotARegularFile)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("camera.dat"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = dir.filePath(QStringLiteral("link.dat"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere.dat")), link));

    struct Case {
        const char* name;
        QString path;
        FileErrorKind kind;
    };
    const Case cases[] = {
        {"a folder", dir.path(), FileErrorKind::NotRegularFile},
        {"a FIFO with no writer", fifo, FileErrorKind::NotRegularFile},
        {"a character device", QStringLiteral("/dev/null"), FileErrorKind::NotRegularFile},
        {"a missing file", dir.filePath(QStringLiteral("missing.dat")), FileErrorKind::NotFound},
        {"a dangling link", link, FileErrorKind::NotFound},
        {"a path through a file", QStringLiteral("/dev/null/camera.dat"), FileErrorKind::NotFound},
        {"an empty path", QString(), FileErrorKind::NotFound},
        {"a name over NAME_MAX", dir.path() + u'/' + QString(NAME_MAX + 1, u'n'), FileErrorKind::PathTooLong},
    };
    for (const Case& c : cases) {
        // A read that blocks would hang the suite: run it aside and give up
        // after a while, waking it by opening the FIFO's other end.
        auto pending = std::async(std::launch::async, [&] { return ReadSettingsFile(c.path); });
        if (pending.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
            ADD_FAILURE() << c.name << ": the read blocked";
            const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
        const ReadResult result = pending.get();
        ASSERT_FALSE(result.ok()) << c.name;
        EXPECT_EQ(result.error->kind, c.kind) << c.name;
        EXPECT_EQ(result.error->action, FileAction::Load) << c.name;
        EXPECT_TRUE(result.bytes.isEmpty()) << c.name;
        EXPECT_TRUE(result.error->message().contains(c.path)) << c.name;
    }
}

TEST(ReadSettingsFile, RefusesAFifoSlippedInAfterTheCheck)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("camera.dat"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    FaultyFileOps ops;
    ops.pretendPathType = PathType::Regular;
    const ReadResult result = ReadSettingsFile(fifo, ops);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->kind, FileErrorKind::NotRegularFile);
    EXPECT_FALSE(ops.calls.contains(QStringLiteral("read")));
    EXPECT_EQ(ops.calls.last(), QStringLiteral("close"));
}

#endif

TEST(ReadSettingsFile, SurvivesShortAndInterruptedReads)
{
    QTemporaryDir dir;
    const QString path = Plant(dir, "gprs.dat", 780);
    FaultyFileOps ops;
    ops.maxTransfer = 7;
    ops.interruptEachTransfer = test::sys::kCallsCanBeInterrupted;
    const ReadResult result = ReadSettingsFile(path, ops);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.bytes, ReadSettingsFile(path).bytes);
    EXPECT_EQ(result.bytes.size(), 780);
}

TEST(ReadSettingsFile, MapsFailedCallsToKinds)
{
    QTemporaryDir dir;
    const QString path = Plant(dir, "mms.dat", 780);
    FaultyFileOps recorder;
    ASSERT_TRUE(ReadSettingsFile(path, recorder).ok());

    struct Case {
        const char* call;
        int error;
        FileErrorKind kind;
    };
    using namespace test::sys;
    for (const Case& c :
         {Case{"openForReading", kAccessDenied, FileErrorKind::Unreadable},
          Case{"openForReading", kNoSuchPath, FileErrorKind::NotFound},
          Case{"openForReading", kBusy, FileErrorKind::Busy},
          Case{"handleType", kIoError, FileErrorKind::MediumRemoved},
          Case{"read", kIoError, FileErrorKind::MediumRemoved}, Case{"read", kDeviceGone, FileErrorKind::MediumRemoved},
          Case{"read", kInvalid, FileErrorKind::Unreadable}}) {
        FaultyFileOps ops;
        ops.failCall(static_cast<int>(recorder.calls.indexOf(QString::fromLatin1(c.call))), c.error);
        const ReadResult result = ReadSettingsFile(path, ops);
        ASSERT_FALSE(result.ok()) << c.call;
        EXPECT_EQ(result.error->kind, c.kind) << c.call << " " << c.error;
        EXPECT_EQ(result.error->systemError, c.error) << c.call;
        EXPECT_TRUE(result.bytes.isEmpty()) << c.call;
        if (ops.calls.contains(QStringLiteral("openForReading")) && c.call != std::string("openForReading")) {
            EXPECT_EQ(ops.calls.last(), QStringLiteral("close")) << c.call << ": the file is closed again";
        }
    }
}

// The check after a save reads the medium: the file's cached pages go after
// it is opened and before the first read. Where the system cannot drop them,
// the bytes are still read and the reason is kept for the report.
TEST(ReadSettingsFile, FromTheMediumDropsTheCacheBeforeTheFirstRead)
{
    QTemporaryDir dir;
    const QString path = Plant(dir, "camera.dat", 180);
    FaultyFileOps ops;
    const ReadResult read = ReadSettingsFileFromMedium(path, ops);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.bytes, ReadSettingsFile(path).bytes);
#ifndef Q_OS_WIN
    EXPECT_EQ(read.cacheError, 0) << "posix_fadvise refused";
#endif
    const qsizetype drop = ops.calls.indexOf(QStringLiteral("dropCachedPages"));
    ASSERT_GE(drop, 0) << ops.calls.join(QLatin1Char(' ')).toStdString();
    EXPECT_GT(drop, ops.calls.indexOf(QStringLiteral("handleType")));
    EXPECT_LT(drop, ops.calls.indexOf(QStringLiteral("read")));

    FaultyFileOps cannot;
    cannot.failCall(static_cast<int>(drop), test::sys::kNoLocks);
    const ReadResult cached = ReadSettingsFileFromMedium(path, cannot);
    ASSERT_TRUE(cached.ok());
    EXPECT_EQ(cached.bytes, read.bytes);
    EXPECT_EQ(cached.cacheError, test::sys::kNoLocks);
}

// Every message names its path, in both languages, and the Chinese ones can
// be shown through the code page the rest of the tool uses.
TEST(FileErrorMessage, NamesThePathInBothLanguages)
{
    const QString path = QStringLiteral("/media/card/camera.dat");
    for (int k = 0; k <= static_cast<int>(FileErrorKind::ScratchLeft); ++k) {
        for (FileAction action : {FileAction::Save, FileAction::Load}) {
            FileError error{static_cast<FileErrorKind>(k), path, EIO, action};
            if (error.kind == FileErrorKind::ScratchLeft) {
                error.cause = FileErrorKind::MediumFull;
                error.causeError = ENOSPC;
                error.scratchPath = QStringLiteral("/media/card/CAMERA.KS~");
            }
            const QString english = error.message(false);
            const QString chinese = error.message(true);
            EXPECT_TRUE(english.contains(path)) << k;
            EXPECT_TRUE(chinese.contains(path)) << k;
            EXPECT_NE(english, chinese) << k;
            EXPECT_TRUE(english.contains(SystemErrorText(EIO))) << k << ": the system's words are kept";
            EXPECT_TRUE(EncodeCp936(chinese).has_value()) << k;
        }
    }
    const FileError reading{FileErrorKind::MediumRemoved, path, 0, FileAction::Load};
    const FileError writing{FileErrorKind::MediumRemoved, path, 0, FileAction::Save};
    EXPECT_TRUE(reading.message().contains(QStringLiteral("cannot be read")));
    EXPECT_TRUE(writing.message().contains(QStringLiteral("cannot be written")));
    const FileError noFolder{FileErrorKind::FolderMissing, QString()};
    EXPECT_TRUE(noFolder.message().startsWith(QStringLiteral("No folder"))) << noFolder.message().toStdString();
}

} // namespace
} // namespace kestra
