// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "formats/camera/CameraSettings.h"
#include "storage/FileResult.h"
#include "storage/SettingsBlock.h"
#include "storage/SettingsFinding.h"

#include <QByteArray>
#include <QString>

#include <span>

namespace kestra {

inline constexpr qsizetype kCameraFileSize = 180;
inline constexpr const char* kCameraFileName = "camera.dat";

// The bytes of the record block its checksum covers: 0 to 49.
inline std::span<const std::uint8_t> CameraChecksummedBytes(const SettingsBlock& record)
{
    return std::span(record).first(kBlockPayloadSize);
}

// The 60-byte record block, checksum included.
SettingsBlock BuildCameraRecord(const Checked<CameraSettings>& settings);
// The whole 180-byte file for the settings, and the default-parameters file.
QByteArray BuildCameraFile(const Checked<CameraSettings>& settings);
QByteArray BuildCameraDefaultFile();
// True for the record of the default-parameters file (bytes 0 to 55 only).
bool IsCameraDefaultRecord(const SettingsBlock& record);

// Save camera.dat into `folder` (atomically).
SaveResult WriteCameraFile(const QString& folder, const Checked<CameraSettings>& settings);
SaveResult WriteCameraDefaultFile(const QString& folder);

} // namespace kestra
