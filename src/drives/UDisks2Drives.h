// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cards/RemovableDrives.h"

#include <QDBusConnection>

#include <optional>

namespace kestra {

// Removable drives as UDisks2 reports them on `bus` (the system bus; a test's
// private bus with a stand-in service). A volume UDisks2 does not know (a
// network share, a file system in user space) is not removable.
class UDisks2Drives : public RemovableDrives {
public:
    explicit UDisks2Drives(QDBusConnection bus);

    bool isRemovable(const QString& mountPoint, const QByteArray& device) override;
    EjectResult eject(const QString& mountPoint, const QByteArray& device, EjectHow how) override;
    QString unavailable() override;
    DrivesSource source() override;

private:
    struct Found {
        QString block; // object path of the block device with the file system
        QString drive; // object path of its drive
        bool removable = false;
        bool canPowerOff = false;
        bool ejectable = false;
    };
    std::optional<Found> find(const QString& mountPoint, const QByteArray& device, QString* failure);

    QDBusConnection m_bus;
};

} // namespace kestra
