// SPDX-License-Identifier: Apache-2.0
#include "formats/camera/CameraFileReader.h"

#include "formats/camera/CameraFields.h"
#include "formats/camera/CameraFile.h"
#include "storage/SettingsBlock.h"
#include "storage/SettingsFileIo.h"

namespace kestra {

CameraLoaded ParseCameraFile(QByteArrayView bytes)
{
    CameraLoaded contents;
    const SettingsBlock record = BlockAt(bytes, 0);
    if (IsCameraDefaultRecord(record)) {
        contents.defaultParameters = true;
        return contents;
    }
    for (std::size_t offset = 0; offset < kCameraFields.size(); ++offset)
        contents.settings.*kCameraFields[offset].member = record[offset];
    contents.findings = CheckCameraSettings(contents.settings);
    return contents;
}

CameraReadResult ReadCameraFile(const QString& path)
{
    return ReadSettingsFileWith(path, kCameraFileSize, ParseCameraFile);
}

} // namespace kestra
