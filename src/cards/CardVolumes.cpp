// SPDX-License-Identifier: Apache-2.0
#include "cards/CardVolumes.h"

#include "cards/RemovableDrives.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStorageInfo>

#include <algorithm>

namespace kestra {

namespace {

bool Under(const QString& path, const QString& root)
{
    if (root.isEmpty())
        return true;
    const QString canonicalRoot = QFileInfo(root).canonicalFilePath();
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonicalRoot.isEmpty() || canonical.isEmpty())
        return false;
    return canonical == canonicalRoot || canonical.startsWith(canonicalRoot + QLatin1Char('/'));
}

CardVolume Describe(const QStorageInfo& storage)
{
    CardVolume volume;
    volume.label = storage.name();
    volume.mountPoint = storage.rootPath();
    volume.fileSystem = QString::fromUtf8(storage.fileSystemType());
    volume.device = storage.device();
    volume.size = storage.bytesTotal();
    volume.free = storage.bytesAvailable();
    volume.readOnly = storage.isReadOnly();
    volume.settingsFiles = SettingsFilesIn(volume.mountPoint);
    return volume;
}

} // namespace

bool CardVolume::holds(SettingsFileKind kind) const
{
    return std::find(settingsFiles.begin(), settingsFiles.end(), kind) != settingsFiles.end();
}

QString CardVolume::description() const
{
    const QString name = label.isEmpty() ? QStringLiteral("card") : label;
    return QStringLiteral("%1 (%2), %3 free").arg(name, QDir::toNativeSeparators(mountPoint), ByteCountText(free));
}

std::vector<CardVolume> ListCardVolumes(RemovableDrives& drives, const QString& root)
{
    std::vector<CardVolume> volumes;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        if (!storage.isValid() || !storage.isReady() || !Under(storage.rootPath(), root))
            continue;
        if (!drives.isRemovable(storage.rootPath(), storage.device()))
            continue;
        volumes.push_back(Describe(storage));
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const CardVolume& a, const CardVolume& b) { return a.mountPoint < b.mountPoint; });
    return volumes;
}

std::vector<SettingsFileKind> SettingsFilesIn(const QString& folder)
{
    std::vector<SettingsFileKind> kinds;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const std::optional<SettingsFileKind> kind = SettingsFileKindForName(name);
        if (kind && std::find(kinds.begin(), kinds.end(), *kind) == kinds.end())
            kinds.push_back(*kind);
    }
    std::sort(kinds.begin(), kinds.end());
    return kinds;
}

QString SettingsFilePathIn(const QString& folder, SettingsFileKind kind)
{
    const QString name = SettingsFileName(kind);
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    if (names.contains(name))
        return dir.filePath(name);
    for (const QString& found : names) {
        if (found.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(found);
    }
    return dir.filePath(name);
}

std::optional<CardVolume> CardVolumeOf(RemovableDrives& drives, const QString& folder)
{
    const QStorageInfo storage(folder);
    if (folder.isEmpty() || !storage.isValid() || !storage.isReady())
        return std::nullopt;
    if (!drives.isRemovable(storage.rootPath(), storage.device()))
        return std::nullopt;
    return Describe(storage);
}

QString ByteCountText(qint64 bytes)
{
    return QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

} // namespace kestra
