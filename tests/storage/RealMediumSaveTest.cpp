// Saves onto real file systems that fail the way a camera card does: full,
// write-protected, gone. Mounting needs root; elsewhere these tests skip.

#include "FolderSnapshot.h"

#include "storage/SettingsFileIo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace kestra {
namespace {

using test::PlantFile;
using test::Snapshot;

const QString kTarget = QStringLiteral("camera.dat");
const QByteArray kOldBytes(180, '\x11');
const QByteArray kNewBytes(780, '\x22');

// A tmpfs mounted on a fresh folder and always unmounted again, even when an
// assertion ends the test early.
class TmpfsMount {
public:
    explicit TmpfsMount(const char* options)
    {
        if (::geteuid() != 0) {
            m_skipReason = "mounting a tmpfs needs root";
            return;
        }
        if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, options) != 0) {
            m_skipReason = std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
            return;
        }
        m_mounted = true;
    }
    ~TmpfsMount()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool remountReadOnly()
    {
        return ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs",
                       MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

    const std::string& skipReason() const { return m_skipReason; }
    QString path() const { return m_dir.path(); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    std::string m_skipReason;
};

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

} // namespace
} // namespace kestra
