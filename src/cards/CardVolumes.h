// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "filecheck/SettingsFileCheck.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace kestra {

class RemovableDrives;

// A mounted removable volume, as `card list` and the windows show it.
struct CardVolume {
    QString label;      // the volume's name; empty when it has none
    QString mountPoint; // where its files are (a drive root on Windows)
    QString fileSystem; // "vfat", "exfat", "FAT32", ...
    QByteArray device;  // "/dev/sdb1", "\\?\Volume{...}\"
    qint64 size = 0;    // bytes
    qint64 free = 0;    // bytes available to this user
    bool readOnly = false;
    std::vector<SettingsFileKind> settingsFiles; // which of the four files its root holds

    bool holds(SettingsFileKind kind) const;
    // "KESTRA (/media/me/KESTRA), 1.2 GB free"
    QString description() const;
};

// The removable volumes mounted now, by mount point. Only volumes under `root`
// count when it is given (a test's folder of mounted images, or where a
// desktop mounts cards); `drives` tells which are removable.
std::vector<CardVolume> ListCardVolumes(RemovableDrives& drives, const QString& root = {});

// The settings files `folder` holds, by name whatever the case (a camera's
// FAT card may carry CAMERA.DAT).
std::vector<SettingsFileKind> SettingsFilesIn(const QString& folder);
// The path of the file of `kind` in `folder` under the name the folder holds
// it by ("SMS.DAT"), whatever its case; the lower-case name when the folder
// has it or has none.
QString SettingsFilePathIn(const QString& folder, SettingsFileKind kind);

// The removable volume `folder` lies on, if it lies on one.
std::optional<CardVolume> CardVolumeOf(RemovableDrives& drives, const QString& folder);

// "1.2 GB", "512 KB": sizes as a person reads them.
QString ByteCountText(qint64 bytes);

} // namespace kestra
