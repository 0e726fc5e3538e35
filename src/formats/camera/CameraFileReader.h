// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "formats/camera/CameraSettings.h"
#include "storage/FileResult.h"
#include "storage/SettingsFinding.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace kestra {

// What camera.dat holds. The Camera window never loads the file; the command
// line and the file check read it.
struct CameraLoaded {
    // Bytes 0 to 38 as stored. For a default-parameters file every field is 0:
    // such a file carries no settings.
    CameraSettings settings;
    bool defaultParameters = false;
    // Every field the Camera window could not have written (see
    // CheckCameraSettings). The values stay in `settings` as stored; nothing
    // here indexes a list with them.
    SettingsFindings findings;
};

// Reads leniently: bytes past the end of a short file read as zero, the
// checksum is not checked (CheckSettingsFile does).
CameraLoaded ParseCameraFile(QByteArrayView bytes);

using CameraReadResult = LoadResult<CameraLoaded>;

// A file that is not 180 bytes long gets a FileSize finding.
CameraReadResult ReadCameraFile(const QString& path);

} // namespace kestra
