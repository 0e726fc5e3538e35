// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cards/RemovableDrives.h"

#include <optional>
#include <vector>

namespace kestra {

// Removable drives as the Linux kernel tells them, for a system without
// UDisks2 (a container, a minimal desktop, a headless box with a card
// reader): the mount table says which block device each mount point is on,
// and the device's disk says in its "removable" flag whether its medium can
// be taken out. SD card slots (mmcblk*) count as removable whatever their
// flag says. The root file system and what lies under /boot never count: a
// board that starts from its SD card must not have it written over.
// The roots are the system's /proc and /sys unless a test gives its own.
class KernelDrives : public RemovableDrives {
public:
    explicit KernelDrives(QString whyNotUDisks2 = {}, QString procRoot = QStringLiteral("/proc"),
                          QString sysRoot = QStringLiteral("/sys"));

    struct Mount {
        QString mountPoint;
        QByteArray device;  // the mount's source ("/dev/sdb1")
        QString fileSystem; // "vfat"
        QString majorMinor; // "8:17"
    };
    // The mount table, in the order of mounting; empty (with `failure` set)
    // when it cannot be read.
    std::vector<Mount> mounts(QString* failure = nullptr) const;
    // The disk a block device "major:minor" belongs to ("sdb" for 8:17).
    std::optional<QString> diskOf(const QString& majorMinor) const;
    bool diskIsRemovable(const QString& disk) const;

    bool isRemovable(const QString& mountPoint, const QByteArray& device) override;
    // Without UDisks2 the volume is flushed and unmounted where the system
    // lets this user; otherwise the result says the card is still mounted
    // and how to unmount it.
    EjectResult eject(const QString& mountPoint, const QByteArray& device, EjectHow how) override;
    QString unavailable() override;
    DrivesSource source() override;

private:
    QString m_whyNotUDisks2;
    QString m_procRoot;
    QString m_sysRoot;
};

} // namespace kestra
