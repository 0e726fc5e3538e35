// SPDX-License-Identifier: Apache-2.0
// Removable drives on Windows: the drive type says whether a volume's medium
// can be taken out; ejecting locks and dismounts the volume first, so that no
// program writes to it while the medium goes.
#include "cards/RemovableDrives.h"

#include <QDir>

#include <windows.h>
#include <winioctl.h>

namespace kestra {

namespace {

// "E:\" (or "E:/") for a volume mounted on a drive letter; empty for a volume
// mounted on a folder, which this program does not eject.
QString DriveRoot(const QString& mountPoint)
{
    const QString native = QDir::toNativeSeparators(mountPoint);
    if (native.size() >= 2 && native.at(1) == QLatin1Char(':') && (native.size() == 2 || native.size() == 3))
        return native.left(2) + QLatin1Char('\\');
    return {};
}

QString SystemMessage(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString message = length > 0 ? QString::fromWCharArray(text, static_cast<qsizetype>(length)).trimmed()
                                 : QStringLiteral("system error %1").arg(error);
    LocalFree(text);
    // The system's sentence goes inside a line of ours, which ends it.
    if (message.endsWith(QLatin1Char('.')))
        message.chop(1);
    return message;
}

class WindowsDrives : public RemovableDrives {
public:
    bool isRemovable(const QString& mountPoint, const QByteArray&) override
    {
        const QString root = DriveRoot(mountPoint);
        return !root.isEmpty() && GetDriveTypeW(reinterpret_cast<const wchar_t*>(root.utf16())) == DRIVE_REMOVABLE;
    }

    DrivesSource source() override { return {QStringLiteral("windows"), {}}; }

    // The medium is ejected, never the drive switched off: a card reader on
    // Windows takes the next card as it is.
    EjectResult eject(const QString& mountPoint, const QByteArray&, EjectHow) override
    {
        const QString root = DriveRoot(mountPoint);
        if (root.isEmpty())
            return {QStringLiteral("%1 is no drive letter").arg(mountPoint)};
        const QString volumePath = QStringLiteral("\\\\.\\") + root.left(2);
        HANDLE volume = CreateFileW(reinterpret_cast<const wchar_t*>(volumePath.utf16()), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (volume == INVALID_HANDLE_VALUE)
            return {QStringLiteral("%1 cannot be opened to eject it: %2").arg(root, SystemMessage(GetLastError()))};
        DWORD returned = 0;
        QString failure;
        // A locked volume means no other program has a file open on it.
        if (!DeviceIoControl(volume, FSCTL_LOCK_VOLUME, nullptr, 0, nullptr, 0, &returned, nullptr))
            failure = QStringLiteral("%1 is in use by another program: %2").arg(root, SystemMessage(GetLastError()));
        else if (!DeviceIoControl(volume, FSCTL_DISMOUNT_VOLUME, nullptr, 0, nullptr, 0, &returned, nullptr))
            failure = QStringLiteral("%1 cannot be dismounted: %2").arg(root, SystemMessage(GetLastError()));
        if (failure.isEmpty()) {
            PREVENT_MEDIA_REMOVAL allow{};
            allow.PreventMediaRemoval = FALSE;
            DeviceIoControl(volume, IOCTL_STORAGE_MEDIA_REMOVAL, &allow, sizeof allow, nullptr, 0, &returned, nullptr);
            if (!DeviceIoControl(volume, IOCTL_STORAGE_EJECT_MEDIA, nullptr, 0, nullptr, 0, &returned, nullptr))
                failure = QStringLiteral("%1 is dismounted and can be pulled, but the drive did not eject it: %2")
                              .arg(root, SystemMessage(GetLastError()));
        }
        CloseHandle(volume);
        return {failure};
    }
};

} // namespace

std::unique_ptr<RemovableDrives> SystemRemovableDrives()
{
    return std::make_unique<WindowsDrives>();
}

} // namespace kestra
