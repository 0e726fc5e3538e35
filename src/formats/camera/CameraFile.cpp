// SPDX-License-Identifier: Apache-2.0
#include "formats/camera/CameraFile.h"

#include "formats/camera/CameraFields.h"
#include "storage/SettingsBlockFile.h"
#include "storage/SettingsFileIo.h"

#include <span>

namespace kestra {

namespace {

// The default-parameters record: the camera takes four 0x7F bytes in place of
// the first fields as "use your factory settings".
constexpr std::uint8_t kDefaultParametersMark = 0x7F;
constexpr std::size_t kDefaultParametersMarkBytes = 4;

// Bytes 56 and 57 take (CRC + 20) little-endian over bytes 0 to 49; 58 and 59
// are the block's CR LF.
void SealRecord(SettingsBlock& record)
{
    StoreBlockChecksum(record, CameraChecksummedBytes(record));
    record[kBlockSize - 2] = 0x0D;
    record[kBlockSize - 1] = 0x0A;
}

// 120 bytes after the record: zeros with CR LF only at trailer positions 58
// and 59; the last 60 bytes carry no line end.
QByteArray WithTrailer(const SettingsBlock& record)
{
    const std::array<SettingsBlock, 2> rest{MakeEmptyBlock(), SettingsBlock{}};
    QByteArray bytes = JoinBlocks(std::span(&record, 1));
    bytes += JoinBlocks(rest);
    return bytes;
}

} // namespace

SettingsBlock BuildCameraRecord(const Checked<CameraSettings>& checked)
{
    const CameraSettings& settings = checked.record();
    SettingsBlock record{};
    for (const CameraField& field : kCameraFields)
        record[field.offset] = static_cast<std::uint8_t>(settings.*field.member & 0xFF);
    SealRecord(record);
    return record;
}

QByteArray BuildCameraFile(const Checked<CameraSettings>& settings)
{
    return WithTrailer(BuildCameraRecord(settings));
}

QByteArray BuildCameraDefaultFile()
{
    SettingsBlock record{};
    std::fill_n(record.begin(), kDefaultParametersMarkBytes, kDefaultParametersMark);
    SealRecord(record);
    return WithTrailer(record);
}

bool IsCameraDefaultRecord(const SettingsBlock& record)
{
    for (std::size_t i = 0; i < kBlockChecksumOffset; ++i) {
        const std::uint8_t wanted = i < kDefaultParametersMarkBytes ? kDefaultParametersMark : 0;
        if (record[i] != wanted)
            return false;
    }
    return true;
}

SaveResult WriteCameraFile(const QString& folder, const Checked<CameraSettings>& settings)
{
    return SaveSettingsFile(folder, QString::fromLatin1(kCameraFileName), BuildCameraFile(settings));
}

SaveResult WriteCameraDefaultFile(const QString& folder)
{
    return SaveSettingsFile(folder, QString::fromLatin1(kCameraFileName), BuildCameraDefaultFile());
}

} // namespace kestra
