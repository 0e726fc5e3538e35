// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "formats/camera/CameraSettings.h"
#include "formats/gprs/GprsSettings.h"
#include "formats/mms/MmsSettings.h"
#include "formats/sms/SmsSettings.h"
#include "storage/FileResult.h"
#include "storage/SettingsFinding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <variant>

namespace kestra {

enum class SettingsFileKind { Camera, Mms, Gprs, Sms };

// The kind a file name stands for ("camera.dat", "MMS.DAT", ...), if any.
std::optional<SettingsFileKind> SettingsFileKindForName(const QString& fileName);
QString SettingsFileName(SettingsFileKind kind);
qsizetype SettingsFileSize(SettingsFileKind kind);

// A settings file taken apart: the record as stored and everything the camera
// would find wrong with it.
struct SettingsFileCheck {
    SettingsFileKind kind = SettingsFileKind::Camera;
    // Every field as stored, including those no window reads back
    // (languageCode, tvMode, senderPassword). Numbers are the stored bytes;
    // texts are clipped to their block's text area.
    std::variant<CameraSettings, MmsSettings, GprsSettings, SmsSettings> record;
    bool cameraDefaultParameters = false; // camera.dat's factory-settings file
    QByteArray gprsUserName;              // gprs.dat's block 9
    // Size, CR LF of every block, checksum, fixed bytes, value ranges, list
    // positions, clock fields, catalogue indexes, text lengths. Empty for every
    // file this tool writes.
    SettingsFindings findings;

    bool clean() const { return findings.empty(); }
};

// Checks any bytes as a file of `kind`; a short file is checked as if the
// missing bytes were zero (as the camera reads it) and gets a FileSize finding.
SettingsFileCheck CheckSettingsFile(SettingsFileKind kind, QByteArrayView bytes);

using SettingsFileCheckResult = LoadResult<SettingsFileCheck>;

// Reads the file at `path` (at most kMaxSettingsFileRead bytes, nothing but a
// regular file) and checks it.
SettingsFileCheckResult CheckSettingsFileAt(SettingsFileKind kind, const QString& path);

} // namespace kestra
