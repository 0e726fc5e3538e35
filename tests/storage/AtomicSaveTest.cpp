// SPDX-License-Identifier: Apache-2.0
#include "FaultyFileOps.h"
#include "FolderSnapshot.h"

#include "storage/Cp936.h"
#include "storage/SettingsFileIo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstring>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

#ifndef NAME_MAX
#define NAME_MAX 255 // Windows: the longest name in a path
#endif

namespace kestra {
namespace {

using test::FaultyFileOps;
using test::PlantFile;
using test::Snapshot;

const QString kTarget = QStringLiteral("camera.dat");

QByteArray Pattern(int size, char seed)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + i * 7);
    return bytes;
}

const QByteArray kOldBytes = Pattern(180, 'o');
const QByteArray kNewBytes = Pattern(780, 'n');

// A card with an old camera.dat and the neighbours a save must not touch,
// among them names close to the scratch file's.
class SaveFolder {
public:
    SaveFolder()
    {
        for (const auto& [name, bytes] :
             {std::pair{kTarget, kOldBytes}, std::pair{QStringLiteral("mms.dat"), Pattern(780, 'm')},
              std::pair{QStringLiteral("CAMERA.KS1"), Pattern(10, 's')},
              std::pair{QStringLiteral("camera.ks~"), Pattern(11, 'c')},
              std::pair{QStringLiteral("MMS.KS~"), Pattern(12, 'k')}}) {
#ifdef Q_OS_WIN
            // Names ignore case there: this one is the scratch file itself.
            if (name == QStringLiteral("camera.ks~"))
                continue;
#endif
            EXPECT_TRUE(PlantFile(path(name), bytes));
        }
    }
    QString path() const
    {
        return m_dir.path();
    }
    // As the save names it: "folder\name" on Windows.
    QString path(const QString& name) const
    {
        return SettingsFilePath(m_dir.path(), name);
    }
    QByteArray bytesOf(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool exists(const QString& name) const
    {
        return QFile::exists(path(name));
    }

private:
    QTemporaryDir m_dir;
};

TEST(SettingsFilePath, JoinsWithTheSeparatorAndNoNormalisation)
{
#ifdef Q_OS_WIN
    const char* const cases[][2] = {
        {"E:", "E:\\camera.dat"}, {"E:\\", "E:\\\\camera.dat"}, {"C:\\cards\\", "C:\\cards\\\\camera.dat"}};
#else
    const char* const cases[][2] = {
        {"/media/card", "/media/card/camera.dat"}, {"/media/card/", "/media/card//camera.dat"}, {"/", "//camera.dat"}};
#endif
    for (const auto& [folder, path] : cases)
        EXPECT_EQ(SettingsFilePath(QString::fromLatin1(folder), kTarget), QString::fromLatin1(path)) << folder;
}

TEST(ScratchFileName, IsAFixedShortNamePerTarget)
{
    struct Case {
        const char* target;
        const char* scratch;
    };
    for (const Case& c : {Case{"camera.dat", "CAMERA.KS~"}, Case{"mms.dat", "MMS.KS~"}, Case{"gprs.dat", "GPRS.KS~"},
                          Case{"sms.dat", "SMS.KS~"}, Case{"settings-file.dat", "SETTINGS.KS~"},
                          Case{"a b.dat", "A_B.KS~"}, Case{"noext", "NOEXT.KS~"}, Case{".dat", "KESTRA.KS~"},
                          Case{"camera.ks~", "CAMERA.KT~"}, Case{"CAMERA.KS~", "CAMERA.KT~"}}) {
        EXPECT_EQ(ScratchFileName(QString::fromUtf8(c.target)), QString::fromUtf8(c.scratch)) << c.target;
    }
}

TEST(AtomicSave, ReplacesTheFileAndTouchesNothingElse)
{
    SaveFolder folder;
    auto before = Snapshot(folder.path());
    FaultyFileOps ops;
    ops.maxTransfer = 100;
    const SaveResult result = SaveSettingsFile(folder.path(), kTarget, kNewBytes, ops);
    ASSERT_TRUE(result.ok()) << result.error->message().toStdString();

    auto after = Snapshot(folder.path());
    EXPECT_EQ(after.take(kTarget).bytes, kNewBytes);
    before.remove(kTarget);
    EXPECT_EQ(after, before);
    EXPECT_EQ(ops.calls.filter(QStringLiteral("write")).size(), 8) << "780 bytes in writes of at most 100";
    EXPECT_EQ(ops.calls.count(QStringLiteral("syncFile")), 1) << "flushed before the rename";
    EXPECT_EQ(ops.calls.last(), QStringLiteral("syncFolder"));
    EXPECT_GT(ops.calls.indexOf(QStringLiteral("syncFolder")), ops.calls.indexOf(QStringLiteral("rename")));

    // A caller that saves several files flushes the folder itself, once.
    FaultyFileOps several;
    ASSERT_TRUE(SaveSettingsFile(folder.path(), kTarget, kOldBytes, several, FolderFlush::ByCaller).ok());
    EXPECT_EQ(folder.bytesOf(kTarget), kOldBytes);
    EXPECT_FALSE(several.calls.contains(QStringLiteral("syncFolder"))) << several.calls.join(u' ').toStdString();
}

TEST(AtomicSave, CreatesAMissingFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(SaveSettingsFile(dir.path(), kTarget, kNewBytes).ok());
    EXPECT_EQ(Snapshot(dir.path()).keys(), QStringList{kTarget});
    EXPECT_EQ(Snapshot(dir.path()).value(kTarget).bytes, kNewBytes);
}

TEST(AtomicSave, SurvivesShortAndInterruptedWrites)
{
    struct Case {
        const char* name;
        qint64 maxTransfer;
        bool interrupt;
    };
    for (const Case& c :
         {Case{"one byte per write", 1, false}, Case{"interrupted writes", 0, true}, Case{"both", 3, true}}) {
        if (c.interrupt && !test::sys::kCallsCanBeInterrupted)
            continue;
        SaveFolder folder;
        FaultyFileOps ops;
        ops.maxTransfer = c.maxTransfer;
        ops.interruptEachTransfer = c.interrupt;
        EXPECT_TRUE(SaveSettingsFile(folder.path(), kTarget, kNewBytes, ops).ok()) << c.name;
        EXPECT_EQ(folder.bytesOf(kTarget), kNewBytes) << c.name;
    }
}

TEST(AtomicSave, AWriteThatMakesNoProgressFailsInsteadOfLooping)
{
    SaveFolder folder;
    FaultyFileOps ops;
    ops.writesMakeNoProgress = true;
    const SaveResult result = SaveSettingsFile(folder.path(), kTarget, kNewBytes, ops);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->kind, FileErrorKind::MediumFull);
    EXPECT_EQ(folder.bytesOf(kTarget), kOldBytes);
    EXPECT_FALSE(folder.exists(ScratchFileName(kTarget)));
}

// Every step of a good save failed in turn with every error a card gives,
// with the folder flushed by the save and by its caller.
TEST(AtomicSave, EveryFailedStepLeavesTheOldFileAndNoScratchFile)
{
    const QStringList steps{QStringLiteral("createExclusive"), QStringLiteral("write"), QStringLiteral("syncFile"),
                            QStringLiteral("rename"),          QStringLiteral("close"), QStringLiteral("syncFolder")};
    struct ErrorCase {
        int error;
        FileErrorKind kind;
    };
    using namespace test::sys;
    const ErrorCase errors[] = {{kNoSpace, FileErrorKind::MediumFull},
                                {kIoError, FileErrorKind::MediumRemoved},
                                {kReadOnlyMedium, FileErrorKind::WriteProtected},
                                {kAccessDenied, FileErrorKind::WriteProtected},
                                {kNoSuchPath, FileErrorKind::FolderMissing}};
    struct FlushCase {
        FolderFlush flush;
        int steps;
        const char* what;
    };
    for (const FlushCase& mode :
         {FlushCase{FolderFlush::BySave, 8, "open, three writes, flush, rename, close, folder flush"},
          FlushCase{FolderFlush::ByCaller, 7, "open, three writes, flush, rename, close"}}) {
        FaultyFileOps recorder;
        recorder.maxTransfer = 260; // three writes
        {
            SaveFolder folder;
            ASSERT_TRUE(SaveSettingsFile(folder.path(), kTarget, kNewBytes, recorder, mode.flush).ok());
        }
        const int renameCall = static_cast<int>(recorder.calls.indexOf(QStringLiteral("rename")));
        int failedSteps = 0;
        for (int call = 0; call < recorder.calls.size(); ++call) {
            if (!steps.contains(recorder.calls[call]))
                continue;
            ++failedSteps;
            for (const ErrorCase& e : errors) {
                const std::string where = std::string(mode.what) + ": call " + std::to_string(call) + " ("
                                          + recorder.calls[call].toStdString() + ") failing with "
                                          + SystemErrorText(e.error).toStdString();
                SaveFolder folder;
                auto before = Snapshot(folder.path());
                FaultyFileOps ops;
                ops.maxTransfer = recorder.maxTransfer;
                ops.failCall(call, e.error);

                const SaveResult result = SaveSettingsFile(folder.path(), kTarget, kNewBytes, ops, mode.flush);
                ASSERT_FALSE(result.ok()) << where;
                const FileError& error = *result.error;
                auto after = Snapshot(folder.path());
                if (call < renameCall || recorder.calls[call] == QStringLiteral("rename")) {
                    EXPECT_EQ(error.kind, e.kind) << where;
                    EXPECT_EQ(after, before) << where << ": the folder changed";
                } else {
                    EXPECT_EQ(error.kind, FileErrorKind::NotConfirmed) << where;
                    EXPECT_EQ(error.cause, e.kind) << where;
                    EXPECT_TRUE(error.message().contains(QStringLiteral("not confirmed"))) << where;
                    EXPECT_EQ(after.take(kTarget).bytes, kNewBytes) << where;
                    before.remove(kTarget);
                    EXPECT_EQ(after, before) << where << ": a neighbour changed";
                }
                EXPECT_EQ(error.systemError, e.error) << where;
                EXPECT_FALSE(folder.exists(ScratchFileName(kTarget))) << where;
                const QString named = error.kind == FileErrorKind::FolderMissing ? folder.path() : folder.path(kTarget);
                EXPECT_EQ(error.path, named) << where;
                EXPECT_TRUE(error.message().contains(named)) << where;
            }
        }
        EXPECT_EQ(failedSteps, mode.steps) << mode.what << ": " << recorder.calls.join(u' ').toStdString();
    }
}

// The calls that lock the scratch file, tell files apart and carry the
// permissions over: a failure of any of them is reported, never skipped, and
// leaves no scratch file. A file system without locks still saves.
TEST(AtomicSave, EveryFailedLockOrIdentityStepIsReported)
{
    const auto prepare = [](SaveFolder& folder) {
        // Not the mode a new file gets, so the permissions are set.
        QFile::setPermissions(folder.path(kTarget), QFile::ReadOwner | QFile::WriteOwner);
    };
    FaultyFileOps recorder;
    {
        SaveFolder folder;
        prepare(folder);
        ASSERT_TRUE(SaveSettingsFile(folder.path(), kTarget, kNewBytes, recorder).ok());
    }
    const QStringList steps{QStringLiteral("tryLock"), QStringLiteral("handleStatus"), QStringLiteral("status"),
                            QStringLiteral("setPermissions")};
    const int renameCall = static_cast<int>(recorder.calls.indexOf(QStringLiteral("rename")));
    int failedSteps = 0;
    for (int call = 0; call < recorder.calls.size(); ++call) {
        if (!steps.contains(recorder.calls[call]))
            continue;
        for (int error : {test::sys::kIoError, test::sys::kNoLocks}) {
            const std::string where = "call " + std::to_string(call) + " (" + recorder.calls[call].toStdString()
                                      + ") failing with " + SystemErrorText(error).toStdString();
            SaveFolder folder;
            prepare(folder);
            FaultyFileOps ops;
            ops.failCall(call, error);
            const SaveResult result = SaveSettingsFile(folder.path(), kTarget, kNewBytes, ops);
            EXPECT_FALSE(folder.exists(ScratchFileName(kTarget))) << where;
            if (error == test::sys::kNoLocks && recorder.calls[call] == QStringLiteral("tryLock")) {
                EXPECT_TRUE(result.ok()) << where;
                EXPECT_EQ(folder.bytesOf(kTarget), kNewBytes) << where;
                continue;
            }
            ++failedSteps;
            ASSERT_FALSE(result.ok()) << where;
            EXPECT_EQ(result.error->path, folder.path(kTarget)) << where;
            EXPECT_EQ(result.error->systemError, error) << where;
            EXPECT_EQ(folder.bytesOf(kTarget), call < renameCall ? kOldBytes : kNewBytes) << where;
            if (call > renameCall) {
                EXPECT_EQ(result.error->kind, FileErrorKind::NotConfirmed) << where;
            }
        }
    }
#ifdef Q_OS_WIN
    const int minimum = 2 * 6 - 1; // no permission bits to carry over
#else
    const int minimum = 2 * 6;
#endif
    EXPECT_GE(failedSteps, minimum) << recorder.calls.join(u' ').toStdString();
}

TEST(AtomicSave, ReportsAScratchFileItCouldNotRemove)
{
    SaveFolder folder;
    FaultyFileOps recorder;
    ASSERT_TRUE(SaveSettingsFile(folder.path(), kTarget, kNewBytes, recorder).ok());
    const int writeCall = static_cast<int>(recorder.calls.indexOf(QStringLiteral("write")));
    // write fails, then the removal of the scratch file while it is still
    // locked, then close.
    ASSERT_EQ(recorder.calls.mid(writeCall, 3).size(), 3);

    PlantFile(folder.path(kTarget), kOldBytes);
    FaultyFileOps ops;
    ops.failCall(writeCall, test::sys::kNoSpace);
    ops.failCall(writeCall + 1, test::sys::kAccessDenied);
    const SaveResult result = SaveSettingsFile(folder.path(), kTarget, kNewBytes, ops);
    ASSERT_FALSE(result.ok());
    ASSERT_EQ(ops.calls[writeCall + 1], QStringLiteral("remove"));
    ASSERT_EQ(ops.calls[writeCall + 2], QStringLiteral("close"));
    const FileError& error = *result.error;
    EXPECT_EQ(error.kind, FileErrorKind::ScratchLeft);
    EXPECT_EQ(error.cause, FileErrorKind::MediumFull);
    EXPECT_EQ(error.causeError, test::sys::kNoSpace);
    EXPECT_EQ(error.systemError, test::sys::kAccessDenied);
    EXPECT_EQ(error.scratchPath, folder.path(ScratchFileName(kTarget)));
    for (bool chinese : {false, true}) {
        const QString message = error.message(chinese);
        EXPECT_TRUE(message.contains(error.scratchPath)) << message.toStdString();
        EXPECT_TRUE(message.contains(folder.path(kTarget))) << message.toStdString();
        EXPECT_TRUE(message.contains(chinese ? QStringLiteral("剩余空间") : QStringLiteral("no space left")))
            << "the first cause is kept: " << message.toStdString();
    }
    EXPECT_EQ(folder.bytesOf(kTarget), kOldBytes);
    EXPECT_TRUE(folder.exists(ScratchFileName(kTarget)));

    // The next save clears the leftover.
    EXPECT_TRUE(SaveSettingsFile(folder.path(), kTarget, kNewBytes).ok());
    EXPECT_FALSE(folder.exists(ScratchFileName(kTarget)));
    EXPECT_EQ(folder.bytesOf(kTarget), kNewBytes);
}

TEST(AtomicSave, RemovesOnlyItsOwnStaleScratchFile)
{
    SaveFolder folder;
    ASSERT_TRUE(PlantFile(folder.path(ScratchFileName(kTarget)), Pattern(90, 'x')));
    auto before = Snapshot(folder.path());
    ASSERT_TRUE(SaveSettingsFile(folder.path(), kTarget, kNewBytes).ok());

    auto after = Snapshot(folder.path());
    EXPECT_EQ(after.take(kTarget).bytes, kNewBytes);
    before.remove(kTarget);
    before.remove(ScratchFileName(kTarget));
    EXPECT_EQ(after, before) << "CAMERA.KS1, camera.ks~ and MMS.KS~ stay";
}

TEST(AtomicSave, AStaleScratchFileThatCannotBeRemovedStopsTheSave)
{
    SaveFolder folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(ScratchFileName(kTarget)));
    const SaveResult result = SaveSettingsFile(folder.path(), kTarget, kNewBytes);
    ASSERT_FALSE(result.ok());
    // Named after the file the user saved, with the leftover to delete.
    EXPECT_EQ(result.error->kind, FileErrorKind::ScratchLeft);
    EXPECT_EQ(result.error->path, folder.path(kTarget));
    EXPECT_EQ(result.error->scratchPath, folder.path(ScratchFileName(kTarget)));
    for (bool chinese : {false, true}) {
        const QString message = result.error->message(chinese);
        EXPECT_TRUE(message.startsWith(QStringLiteral("\"") + folder.path(kTarget))
                    || message.contains(QStringLiteral("“") + folder.path(kTarget)))
            << message.toStdString();
        EXPECT_TRUE(message.contains(folder.path(ScratchFileName(kTarget)))) << message.toStdString();
        EXPECT_TRUE(EncodeCp936(message).has_value());
    }
    EXPECT_EQ(folder.bytesOf(kTarget), kOldBytes);
}

// Refusals that come before anything is created.
TEST(AtomicSave, RefusesBadFoldersWithoutTouchingAnything)
{
    QTemporaryDir dir;
    ASSERT_TRUE(PlantFile(dir.filePath(QStringLiteral("plain")), "x"));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("hasfolder/") + kTarget));
    const QString longName(NAME_MAX + 1, u'n');
    const QString deep = dir.path() + QString(QStringLiteral("/abcdefghi")).repeated(PATH_MAX / 10);

    struct Case {
        const char* name;
        QString folder;
        FileErrorKind kind;
    };
    const Case cases[] = {
        {"empty folder text", QString(), FileErrorKind::FolderMissing},
        {"folder with a NUL", dir.path() + QChar(0) + QStringLiteral("x"), FileErrorKind::FolderMissing},
        {"missing folder", dir.filePath(QStringLiteral("gone")), FileErrorKind::FolderMissing},
        {"folder under a missing one", dir.filePath(QStringLiteral("gone/deeper")), FileErrorKind::FolderMissing},
        {"a file, not a folder", dir.filePath(QStringLiteral("plain")), FileErrorKind::NotAFolder},
#ifdef Q_OS_WIN
        // The system answers "path not found" there, not "not a directory".
        {"a path through a file", dir.filePath(QStringLiteral("plain/sub")), FileErrorKind::FolderMissing},
#else
        {"a path through a file", dir.filePath(QStringLiteral("plain/sub")), FileErrorKind::NotAFolder},
#endif
        {"the target is a folder", dir.filePath(QStringLiteral("hasfolder")), FileErrorKind::NotRegularFile},
        {"a name over NAME_MAX", dir.path() + u'/' + longName, FileErrorKind::PathTooLong},
        {"a path over PATH_MAX", deep, FileErrorKind::PathTooLong},
        {"the target just over PATH_MAX", QString(PATH_MAX - 11, u'/'), FileErrorKind::PathTooLong},
    };
    for (const Case& c : cases) {
        auto before = Snapshot(dir.path());
        FaultyFileOps ops;
        const SaveResult result = SaveSettingsFile(c.folder, kTarget, kNewBytes, ops);
        ASSERT_FALSE(result.ok()) << c.name;
        EXPECT_EQ(result.error->kind, c.kind) << c.name;
        EXPECT_FALSE(ops.calls.contains(QStringLiteral("createExclusive"))) << c.name;
        EXPECT_FALSE(ops.calls.contains(QStringLiteral("remove"))) << c.name;
        EXPECT_EQ(Snapshot(dir.path()), before) << c.name;
        if (c.kind == FileErrorKind::PathTooLong) {
            EXPECT_TRUE(ops.calls.isEmpty()) << c.name << ": refused before any call";
        }
    }
}

#ifndef Q_OS_WIN
// A Linux folder name need not be valid UTF-8. The folder browser hands it
// over decoded, with replacement characters; the save still goes into that
// folder, by its own bytes, and the file reads back from there. Two names
// that decode alike are not guessed between.
TEST(AtomicSave, FolderWhoseNameIsNotUtf8)
{
    QTemporaryDir dir;
    const QByteArray base = QFile::encodeName(dir.path());
    const QByteArray card = base + "/card\xff\xfe";
    if (::mkdir(card.constData(), 0755) != 0)
        GTEST_SKIP() << "this file system refuses such a name: " << std::strerror(errno);
    const QString shown = QFile::decodeName(card);
    ASSERT_NE(QFile::encodeName(shown), card) << "the name no longer round-trips through Qt";

    const SaveResult saved = SaveSettingsFile(shown, kTarget, QByteArray(180, '\x33'));
    ASSERT_TRUE(saved.ok()) << saved.error->message().toStdString();
    struct stat st {};
    ASSERT_EQ(::stat((card + "/camera.dat").constData(), &st), 0);
    EXPECT_EQ(st.st_size, 180);
    const ReadResult read = ReadSettingsFile(SettingsFilePath(shown, kTarget));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.bytes, QByteArray(180, '\x33'));

    ASSERT_EQ(::mkdir((base + "/card\xfe\xff").constData(), 0755), 0);
    const SaveResult ambiguous = SaveSettingsFile(shown, kTarget, QByteArray(180, '\x44'));
    ASSERT_FALSE(ambiguous.ok());
    EXPECT_EQ(ambiguous.error->kind, FileErrorKind::FolderMissing);
}
#endif

} // namespace
} // namespace kestra
