// SPDX-License-Identifier: Apache-2.0
#include "cards/KernelDrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace kestra {

namespace {

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
    // What is written reaches the card; unmounting is left to the system.
    const int fd = ::open(QFile::encodeName(mountPoint).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#ifdef Q_OS_LINUX
    const bool flushed = fd >= 0 && ::syncfs(fd) == 0;
#else
    const bool flushed = fd >= 0 && ::fsync(fd) == 0;
#endif
    if (fd >= 0)
        ::close(fd);
    return {QStringLiteral("%1 is %2 but still mounted: without UDisks2 (%3) it is unmounted with the system's own "
                           "tools (umount %1) before the card is pulled")
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
    return {QStringLiteral("kernel"),
            m_whyNotUDisks2.isEmpty() ? QString() : QStringLiteral("UDisks2 is not there: %1").arg(m_whyNotUDisks2)};
}

} // namespace kestra
