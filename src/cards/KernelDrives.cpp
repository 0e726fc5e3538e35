// SPDX-License-Identifier: Apache-2.0
#include "cards/KernelDrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#ifdef Q_OS_LINUX
#include <sys/mount.h>
#endif
#include <unistd.h>

namespace kestra {

namespace {

// The file system the volume at `mountPoint` is mounted with ("vfat",
// "fuseblk"); empty when it is not mounted.
QString FileSystemOf(const std::vector<KernelDrives::Mount>& mounts, const QString& mountPoint)
{
    const QString wanted = QDir::cleanPath(mountPoint);
    QString fileSystem;
    for (const KernelDrives::Mount& mount : mounts) {
        if (QDir::cleanPath(mount.mountPoint) == wanted)
            fileSystem = mount.fileSystem; // the last mount there is the one seen
    }
    return fileSystem;
}

bool RunsClean(const QString& program, const QStringList& arguments)
{
    const QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        return false;
    QProcess process;
    process.start(found, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Unmounts the volume: directly where this process may (root), else with the
// system's own tools, which let a user unmount what the system table or the
// user's own FUSE mount allows. Never forced or lazy: a volume still in use
// stays mounted, and its card is not to be pulled.
bool Unmount(const QString& mountPoint, const QString& fileSystem)
{
    if (fileSystem.isEmpty())
        return false;
#ifdef Q_OS_LINUX
    if (::umount2(QFile::encodeName(mountPoint).constData(), UMOUNT_NOFOLLOW) == 0)
        return true;
    if (errno != EPERM)
        return false;
#endif
    if (fileSystem.startsWith(QLatin1String("fuse")))
        return RunsClean(QStringLiteral("fusermount3"), {QStringLiteral("-u"), mountPoint})
               || RunsClean(QStringLiteral("fusermount"), {QStringLiteral("-u"), mountPoint});
    return RunsClean(QStringLiteral("umount"), {mountPoint});
}

// The mount table writes a space, a tab, a newline and a backslash in a path
// as \040, \011, \012 and \134.
QByteArray Unescaped(const QByteArray& field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3') {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out += static_cast<char>(code);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

bool SystemMountPoint(const QString& mountPoint)
{
    return mountPoint == u"/" || mountPoint == u"/boot" || mountPoint.startsWith(QStringLiteral("/boot/"));
}

} // namespace

KernelDrives::KernelDrives(QString whyNotUDisks2, QString procRoot, QString sysRoot)
    : m_whyNotUDisks2(std::move(whyNotUDisks2)), m_procRoot(std::move(procRoot)), m_sysRoot(std::move(sysRoot))
{
}

std::vector<KernelDrives::Mount> KernelDrives::mounts(QString* failure) const
{
    std::vector<Mount> mounts;
    QFile table(m_procRoot + QStringLiteral("/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly)) {
        if (failure)
            *failure =
                QStringLiteral("the mount table %1 cannot be read: %2").arg(table.fileName(), table.errorString());
        return mounts;
    }
    // "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw,errors=continue":
    // id, parent, major:minor, root, mount point, options, optional fields
    // up to "-", file system, source, super options.
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype separator = fields.indexOf("-");
        if (fields.size() < 5 || separator < 6 || separator + 2 >= fields.size())
            continue;
        Mount mount;
        mount.majorMinor = QString::fromLatin1(fields[2]);
        mount.mountPoint = QDir::cleanPath(QFile::decodeName(Unescaped(fields[4])));
        mount.fileSystem = QString::fromUtf8(fields[separator + 1]);
        mount.device = Unescaped(fields[separator + 2]);
        mounts.push_back(std::move(mount));
    }
    return mounts;
}

std::optional<QString> KernelDrives::diskOf(const QString& majorMinor) const
{
    // /sys/dev/block/8:17 links to .../block/sdb/sdb1; a partition's folder
    // holds a "partition" file and lies in its disk's folder.
    const QFileInfo link(m_sysRoot + QStringLiteral("/dev/block/") + majorMinor);
    const QString device = link.canonicalFilePath();
    if (device.isEmpty())
        return std::nullopt;
    if (QFileInfo::exists(device + QStringLiteral("/partition")))
        return QFileInfo(QFileInfo(device).path()).fileName();
    return QFileInfo(device).fileName();
}

bool KernelDrives::diskIsRemovable(const QString& disk) const
{
    if (disk.startsWith(QStringLiteral("mmcblk")))
        return true;
    QFile flag(m_sysRoot + QStringLiteral("/block/") + disk + QStringLiteral("/removable"));
    return flag.open(QIODevice::ReadOnly) && flag.readAll().trimmed() == "1";
}

bool KernelDrives::isRemovable(const QString& mountPoint, const QByteArray& device)
{
    const QString wanted = QDir::cleanPath(mountPoint);
    if (SystemMountPoint(wanted))
        return false;
    // A later mount on the same point hides the earlier one.
    std::optional<Mount> found;
    for (const Mount& mount : mounts()) {
        if (mount.mountPoint == wanted || (!device.isEmpty() && mount.device == device))
            found = mount;
    }
    if (!found)
        return false;
    const std::optional<QString> disk = diskOf(found->majorMinor);
    return disk && diskIsRemovable(*disk);
}

EjectResult KernelDrives::eject(const QString& mountPoint, const QByteArray&, EjectHow)
{
    // What is written reaches the card first, then the volume is unmounted
    // where this user may: the card can then be pulled. The medium is not
    // ejected and no drive switched off; that takes UDisks2.
    const QByteArray path = QFile::encodeName(mountPoint);
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#ifdef Q_OS_LINUX
    const bool flushed = fd >= 0 && ::syncfs(fd) == 0;
#else
    const bool flushed = fd >= 0 && ::fsync(fd) == 0;
#endif
    if (fd >= 0)
        ::close(fd);
    if (flushed && Unmount(mountPoint, FileSystemOf(mounts(), mountPoint)))
        return {};
    return {QStringLiteral("%1 is %2 but still mounted: without UDisks2 (%3) unmount it with the system's own "
                           "tools (umount %1) before you pull the card")
                .arg(mountPoint, flushed ? QStringLiteral("flushed") : QStringLiteral("not flushed"), m_whyNotUDisks2)};
}

QString KernelDrives::unavailable()
{
    QString failure;
    mounts(&failure);
    return failure.isEmpty()           ? QString()
           : m_whyNotUDisks2.isEmpty() ? failure
                                       : QStringLiteral("%1; %2").arg(m_whyNotUDisks2, failure);
}

DrivesSource KernelDrives::source()
{
    // The reason alone: the command words it in the user's language.
    return {QStringLiteral("kernel"), m_whyNotUDisks2};
}

} // namespace kestra
