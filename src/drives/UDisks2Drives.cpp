// SPDX-License-Identifier: Apache-2.0
#include "drives/UDisks2Drives.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QVariantMap>

#include <optional>

using KestraInterfaceMap = QMap<QString, QVariantMap>;
using KestraManagedObjects = QMap<QDBusObjectPath, KestraInterfaceMap>;
Q_DECLARE_METATYPE(KestraInterfaceMap)
Q_DECLARE_METATYPE(KestraManagedObjects)

namespace kestra {

namespace {

const QString kService = QStringLiteral("org.freedesktop.UDisks2");
const QString kRoot = QStringLiteral("/org/freedesktop/UDisks2");
const QString kBlock = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString kFilesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString kDrive = QStringLiteral("org.freedesktop.UDisks2.Drive");
// Unmounting flushes the card; a slow one can take a while.
constexpr int kCallTimeoutMs = 60000;

// UDisks2 keeps paths as NUL-terminated byte strings.
QString PathText(QByteArray bytes)
{
    while (bytes.endsWith('\0'))
        bytes.chop(1);
    return QDir::cleanPath(QFile::decodeName(bytes));
}

QByteArrayList ByteStrings(const QVariant& value)
{
    if (value.canConvert<QDBusArgument>())
        return qdbus_cast<QByteArrayList>(value.value<QDBusArgument>());
    return value.value<QByteArrayList>();
}

QString ObjectPath(const QVariant& value)
{
    return value.value<QDBusObjectPath>().path();
}

QString CallFailure(const QDBusMessage& reply)
{
    return reply.type() == QDBusMessage::ErrorMessage
               ? reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage()
               : QString();
}

// Every object UDisks2 knows with its interfaces and their properties.
std::optional<KestraManagedObjects> ManagedObjects(const QDBusConnection& bus, QString* failure)
{
    if (!bus.isConnected()) {
        *failure = QLatin1String(kNoSystemBus);
        return std::nullopt;
    }
    const QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kRoot, QStringLiteral("org.freedesktop.DBus.ObjectManager"), QStringLiteral("GetManagedObjects"));
    const QDBusMessage reply = QDBusConnection(bus).call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        *failure = QLatin1String(kNoUDisks2Answer) + CallFailure(reply);
        return std::nullopt;
    }
    return qdbus_cast<KestraManagedObjects>(reply.arguments().constFirst().value<QDBusArgument>());
}

} // namespace

UDisks2Drives::UDisks2Drives(QDBusConnection bus) : m_bus(std::move(bus))
{
    qDBusRegisterMetaType<KestraInterfaceMap>();
    qDBusRegisterMetaType<KestraManagedObjects>();
}

QString UDisks2Drives::unavailable()
{
    QString failure;
    ManagedObjects(m_bus, &failure);
    return failure;
}

std::optional<UDisks2Drives::Found> UDisks2Drives::find(const QString& mountPoint, const QByteArray& device,
                                                        QString* failure)
{
    const std::optional<KestraManagedObjects> managed = ManagedObjects(m_bus, failure);
    if (!managed)
        return std::nullopt;
    const KestraManagedObjects& objects = *managed;
    const QString wanted = QDir::cleanPath(mountPoint);
    for (auto object = objects.cbegin(); object != objects.cend(); ++object) {
        const KestraInterfaceMap& interfaces = object.value();
        if (!interfaces.contains(kFilesystem) || !interfaces.contains(kBlock))
            continue;
        bool matches = false;
        for (const QByteArray& point : ByteStrings(interfaces[kFilesystem].value(QStringLiteral("MountPoints"))))
            matches = matches || PathText(point) == wanted;
        const QVariantMap& block = interfaces[kBlock];
        if (!matches && !device.isEmpty())
            matches = PathText(block.value(QStringLiteral("Device")).toByteArray()) == QFile::decodeName(device);
        if (!matches)
            continue;
        Found found;
        found.block = object.key().path();
        found.drive = ObjectPath(block.value(QStringLiteral("Drive")));
        const QVariantMap drive = objects.value(QDBusObjectPath(found.drive)).value(kDrive);
        found.removable =
            drive.value(QStringLiteral("Removable")).toBool() || drive.value(QStringLiteral("MediaRemovable")).toBool();
        found.canPowerOff = drive.value(QStringLiteral("CanPowerOff")).toBool();
        found.ejectable = drive.value(QStringLiteral("Ejectable")).toBool();
        return found;
    }
    *failure = QStringLiteral("UDisks2 knows no drive mounted at %1").arg(mountPoint);
    return std::nullopt;
}

bool UDisks2Drives::isRemovable(const QString& mountPoint, const QByteArray& device)
{
    QString failure;
    const std::optional<Found> found = find(mountPoint, device, &failure);
    return found && found->removable;
}

EjectResult UDisks2Drives::eject(const QString& mountPoint, const QByteArray& device, EjectHow how)
{
    QString failure;
    const std::optional<Found> found = find(mountPoint, device, &failure);
    if (!found)
        return {failure};
    if (!found->removable)
        return {QStringLiteral("%1 is no removable drive").arg(mountPoint)};
    const auto callOn = [this](const QString& path, const QString& interface, const QString& method) {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, path, interface, method);
        call << QVariantMap();
        return CallFailure(m_bus.call(call, QDBus::Block, kCallTimeoutMs));
    };
    const QString unmounted = callOn(found->block, kFilesystem, QStringLiteral("Unmount"));
    if (!unmounted.isEmpty())
        return {QStringLiteral("%1 cannot be unmounted: %2").arg(mountPoint, unmounted)};
    // Unmounted is already safe to pull. Ejecting the medium is what makes a
    // desktop say so, and it leaves a card reader on for the next card;
    // powering the drive off (asked for) would switch the reader itself off.
    if (how == EjectHow::PowerOff && found->canPowerOff) {
        if (const QString off = callOn(found->drive, kDrive, QStringLiteral("PowerOff")); !off.isEmpty())
            return {QStringLiteral("%1 is unmounted and can be pulled, but its drive could not be switched off: %2")
                        .arg(mountPoint, off)};
        return {};
    }
    if (found->ejectable) {
        if (const QString ejected = callOn(found->drive, kDrive, QStringLiteral("Eject")); !ejected.isEmpty())
            return {QStringLiteral("%1 is unmounted and can be pulled, but the drive did not eject it: %2")
                        .arg(mountPoint, ejected)};
    }
    return {};
}

DrivesSource UDisks2Drives::source()
{
    return {QStringLiteral("udisks2"), {}};
}

} // namespace kestra
