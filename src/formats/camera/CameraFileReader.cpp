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
    for (const CameraField& field : kCameraFields)
        contents.settings.*field.member = record[field.offset];
    contents.findings = CheckCameraSettings(contents.settings);
    return contents;
}

CameraReadResult ReadCameraFile(const QString& path)
{
    return ReadSettingsFileWith(path, kCameraFileSize, ParseCameraFile);
}

} // namespace kestra
