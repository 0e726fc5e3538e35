// SPDX-License-Identifier: Apache-2.0
// Removable drives without UDisks2: the kernel's mount table and the block
// devices' removable flags, read from a /proc and a /sys of the test's own.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include "cards/KernelDrives.h"
#endif

namespace kestra {
namespace {

#ifdef Q_OS_WIN

TEST(KernelDrives, MountTableAndRemovableFlags)
{
    GTEST_SKIP() << "Windows tells removable drives by their drive type";
}

#else

bool WriteText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// A /sys with the disks and partitions a machine with a card reader, an SD
// slot and a fixed disk has: /sys/dev/block/M:m links to the device's folder,
// a partition's folder lies in its disk's and holds a "partition" file.
class FakeSystem : public ::testing::Test {
protected:
    QTemporaryDir work;
    QString proc = work.filePath(QStringLiteral("proc"));
    QString sys = work.filePath(QStringLiteral("sys"));

    void disk(const char* name, const char* majorMinor, const char* removable)
    {
        const QString folder = sys + QStringLiteral("/devices/pci0/block/") + QLatin1String(name);
        ASSERT_TRUE(WriteText(folder + QStringLiteral("/removable"), removable));
        ASSERT_TRUE(
            WriteText(sys + QStringLiteral("/block/") + QLatin1String(name) + QStringLiteral("/removable"), removable));
        link(folder, majorMinor);
    }
    void partition(const char* diskName, const char* name, const char* majorMinor)
    {
        const QString folder = sys + QStringLiteral("/devices/pci0/block/") + QLatin1String(diskName) + QLatin1Char('/')
                               + QLatin1String(name);
        ASSERT_TRUE(WriteText(folder + QStringLiteral("/partition"), "1\n"));
        link(folder, majorMinor);
    }
    void link(const QString& folder, const char* majorMinor)
    {
        QDir().mkpath(sys + QStringLiteral("/dev/block"));
        ASSERT_TRUE(QFile::link(folder, sys + QStringLiteral("/dev/block/") + QLatin1String(majorMinor)));
    }
};

TEST_F(FakeSystem, MountTableAndRemovableFlagsTellTheCards)
{
    disk("sda", "8:0", "0\n");
    partition("sda", "sda1", "8:1");
    disk("sdb", "8:16", "1\n");
    partition("sdb", "sdb1", "8:17");
    disk("mmcblk0", "179:0", "0\n"); // an SD slot says 0 and still takes cards out
    partition("mmcblk0", "mmcblk0p1", "179:1");
    disk("sdc", "8:32", "1\n"); // a card reader's whole medium, no partition table
    ASSERT_TRUE(WriteText(proc + QStringLiteral("/self/mountinfo"),
                          "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                          "30 22 0:5 / /proc rw - proc proc rw\n"
                          "41 22 8:17 / /media/me/KESTRA rw,nosuid shared:20 - vfat /dev/sdb1 rw,fmask=0022\n"
                          "42 22 179:1 / /media/me/SD\\040CARD rw - exfat /dev/mmcblk0p1 rw\n"
                          "43 22 8:32 / /mnt/whole rw - vfat /dev/sdc rw\n"
                          "44 22 8:1 /home /srv/home rw - ext4 /dev/sda1 rw\n"
                          "45 22 179:1 / /boot/firmware rw - vfat /dev/mmcblk0p1 rw\n"
                          "garbage line\n"));
    KernelDrives drives(QStringLiteral("the system bus is not reachable"), proc, sys);
    EXPECT_EQ(drives.unavailable(), QString());
    EXPECT_EQ(drives.source().name, QStringLiteral("kernel"));
    EXPECT_TRUE(drives.source().note.contains(QStringLiteral("the system bus is not reachable")));
    ASSERT_EQ(drives.mounts().size(), 7u) << "a line that is no mount is passed over";
    EXPECT_EQ(drives.mounts()[3].mountPoint, QStringLiteral("/media/me/SD CARD")) << "\\040 is a space";
    EXPECT_EQ(drives.mounts()[3].fileSystem, QStringLiteral("exfat"));

    struct Case {
        const char* mountPoint;
        QByteArray device;
        bool removable;
    };
    for (const Case& c : {Case{"/media/me/KESTRA", {}, true}, Case{"/media/me/KESTRA/", {}, true},
                          Case{"/media/me/SD CARD", {}, true}, Case{"/mnt/whole", {}, true},
                          Case{"/elsewhere", "/dev/sdb1", true}, Case{"/", {}, false}, Case{"/srv/home", {}, false},
                          Case{"/proc", {}, false}, Case{"/boot/firmware", {}, false}, Case{"/nowhere", {}, false}}) {
        EXPECT_EQ(drives.isRemovable(QLatin1String(c.mountPoint), c.device), c.removable) << c.mountPoint;
    }
    const EjectResult ejected = drives.eject(QStringLiteral("/media/me/KESTRA"), {}, EjectHow::KeepDrive);
    EXPECT_FALSE(ejected.ok()) << "a card still mounted is never called ejected";
    EXPECT_TRUE(ejected.failure.contains(QStringLiteral("umount"))) << ejected.failure.toStdString();
}

TEST_F(FakeSystem, NoMountTableIsSaid)
{
    KernelDrives drives(QStringLiteral("UDisks2 does not answer"), proc, sys);
    EXPECT_FALSE(drives.isRemovable(QStringLiteral("/media/me/KESTRA"), {}));
    const QString why = drives.unavailable();
    EXPECT_TRUE(why.contains(QStringLiteral("UDisks2 does not answer"))) << why.toStdString();
    EXPECT_TRUE(why.contains(QStringLiteral("mountinfo"))) << why.toStdString();
}

#endif

} // namespace
} // namespace kestra
