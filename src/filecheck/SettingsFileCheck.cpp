// SPDX-License-Identifier: Apache-2.0
#include "filecheck/SettingsFileCheck.h"

#include "formats/camera/CameraFields.h"
#include "formats/camera/CameraFile.h"
#include "formats/camera/CameraFileReader.h"
#include "formats/gprs/GprsFile.h"
#include "formats/mms/MmsFile.h"
#include "formats/sms/SmsFile.h"
#include "storage/SettingsBlockFile.h"
#include "storage/SettingsFileIo.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace kestra {

namespace {

void AppendAll(SettingsFindings& to, SettingsFindings&& from)
{
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

// Each of the two digits of a number stored as digits: the camera reads them
// as decimal digits, so a byte above 9 is foreign even when the sum fits.
void CheckDigits(SettingsFindings& findings, const SettingsBlock& header, std::size_t tensOffset)
{
    constexpr std::uint8_t kHighestDigit = 9;
    for (std::size_t offset : {tensOffset, tensOffset + 1}) {
        if (header[offset] > kHighestDigit)
            findings.push_back({FindingKind::OutOfRange, HeaderByteName(offset), static_cast<qsizetype>(offset),
                                header[offset], kHighestDigit});
    }
}

// The header bytes from `from` to `to` - 1 are zero: a Reserved finding for
// the first that is not, with its value as the camera reads it.
void CheckZeroHeaderBytes(SettingsFindings& findings, const SettingsBlock& header, std::size_t from, std::size_t to)
{
    for (std::size_t offset = from; offset < to; ++offset) {
        if (header[offset] != 0) {
            CheckFixedByte(findings, header, offset, 0);
            return;
        }
    }
}

// The bytes of a header its format fixes, and the digits of its numbers
// stored as digits.
template <typename Record>
void CheckHeaderBytes(SettingsFindings& findings, const SettingsBlock& header,
                      std::span<const NumberField<Record>> numbers, std::span<const FixedByte> fixed)
{
    for (const FixedByte& byte : fixed)
        CheckFixedByte(findings, header, byte.offset, byte.value);
    for (const NumberField<Record>& field : numbers) {
        if (field.storage == NumberStorage::Digits)
            CheckDigits(findings, header, field.offset);
    }
}

// Every byte of a header the format leaves unused: the payload after the last
// field and the trailer bytes after byte 50.
template <typename Record>
void CheckHeaderPadding(SettingsFindings& findings, const SettingsBlock& header,
                        std::span<const NumberField<Record>> numbers, std::span<const FixedByte> fixed)
{
    CheckZeroHeaderBytes(findings, header, FirstUnusedHeaderByte(numbers, fixed), kBlockPayloadSize);
    CheckZeroHeaderBytes(findings, header, kBlockPayloadSize + 1, kBlockTextLengthOffset + 1);
}

// The text blocks 1 to `textBlocks`: a text's block is zero after its text,
// a block no text uses is zero throughout.
template <typename Record>
void CheckTextBlocks(QByteArrayView bytes, std::size_t textBlocks, std::span<const TextField<Record>> texts,
                     std::size_t derivedBlock, SettingsFindings& findings)
{
    for (std::size_t index = 1; index <= textBlocks; ++index) {
        const bool used = index == derivedBlock || std::any_of(texts.begin(), texts.end(), [index](const auto& field) {
                              return field.block == index;
                          });
        if (used)
            CheckTextPadding(bytes, index, findings);
        else
            CheckZeroBytes(bytes, index, 0, kBlockSize - 2, findings);
    }
}

void CheckCamera(QByteArrayView bytes, SettingsFileCheck& check)
{
    auto& findings = check.findings;
    if (bytes.size() != kCameraFileSize)
        findings.push_back({FindingKind::FileSize, QStringLiteral("file"), -1, bytes.size(), kCameraFileSize});

    const SettingsBlock record = BlockAt(bytes, 0);
    const SettingsBlock trailer = BlockAt(bytes, 1);
    if (!HasBlockLineEnd(record))
        findings.push_back({FindingKind::LineEnd, BlockName(0), 58, 0, 0});
    if (!HasBlockLineEnd(trailer))
        findings.push_back({FindingKind::LineEnd, BlockName(1), 118, 0, 0});

    CheckBlockChecksum(record, 0, CameraChecksummedBytes(record), findings);

    // Everything the record and the trailer do not use is zero.
    CheckZeroBytes(bytes, 0, kCameraFieldCount, kBlockChecksumOffset, findings);
    CheckZeroBytes(bytes, 1, 0, kBlockSize - 2, findings);
    CheckZeroBytes(bytes, 2, 0, kBlockSize, findings);

    CameraLoaded contents = ParseCameraFile(bytes);
    check.record = contents.settings;
    check.cameraDefaultParameters = contents.defaultParameters;
    AppendAll(findings, std::move(contents.findings));
}

void CheckMms(QByteArrayView bytes, SettingsFileCheck& check)
{
    auto& findings = check.findings;
    CheckBlockFileFrame(bytes, 1 + kMmsTextBlocks, true, findings);
    const SettingsBlock header = ReadHeaderBlock(bytes);
    CheckHeaderBytes<MmsSettings>(findings, header, kMmsNumberFields, kMmsFixedBytes);
    CheckHeaderPadding<MmsSettings>(findings, header, kMmsNumberFields, kMmsFixedBytes);
    CheckTextBlocks<MmsSettings>(bytes, kMmsTextBlocks, kMmsTextFields, 0, findings);

    const MmsSettings settings = DecodeMmsFile(bytes, findings);
    AppendAll(findings, CheckMmsSettings(settings));
    check.record = settings;
}

void CheckGprs(QByteArrayView bytes, SettingsFileCheck& check)
{
    auto& findings = check.findings;
    CheckBlockFileFrame(bytes, 1 + kGprsTextBlocks, true, findings);
    const SettingsBlock header = ReadHeaderBlock(bytes);
    CheckHeaderBytes<GprsSettings>(findings, header, kGprsNumberFields, kGprsFixedBytes);
    // The mode's flag byte itself: the camera knows 0 and 1.
    constexpr const GprsNumberField& mode = RowOf(kGprsNumberFields, &GprsSettings::mode);
    if (header[mode.offset] > 1)
        findings.push_back(
            {mode.kind, QLatin1String(mode.name), static_cast<qsizetype>(mode.offset), header[mode.offset], 1});
    CheckHeaderPadding<GprsSettings>(findings, header, kGprsNumberFields, kGprsFixedBytes);
    CheckTextBlocks<GprsSettings>(bytes, kGprsTextBlocks, kGprsTextFields, kGprsUserNameField.block, findings);

    GprsSettings settings = DecodeGprsFile(bytes, check.gprsUserName, findings);
    if (settings.mode == kGprsModeCustomer && settings.countryIndex != kGprsCountryCustomer) {
        constexpr const GprsNumberField& country = RowOf(kGprsNumberFields, &GprsSettings::countryIndex);
        findings.push_back({FindingKind::Mode, QLatin1String(country.name), static_cast<qsizetype>(country.offset),
                            settings.countryIndex, kGprsCountryCustomer});
    }
    if (check.gprsUserName != GprsUserName(settings.senderEmail))
        findings.push_back({FindingKind::UserName, QLatin1String(kGprsUserNameField.findingName),
                            static_cast<qsizetype>(kGprsUserNameField.block * kBlockSize), 0, 0});
    AppendAll(findings, CheckGprsSettings(settings));
    check.record = settings;
}

void CheckSms(QByteArrayView bytes, SettingsFileCheck& check)
{
    auto& findings = check.findings;
    CheckBlockFileFrame(bytes, 1 + kSmsTextBlocks, false, findings);
    const SettingsBlock header = ReadHeaderBlock(bytes);
    CheckHeaderBytes<SmsSettings>(findings, header, kSmsNumberFields, kSmsFixedBytes);
    CheckHeaderPadding<SmsSettings>(findings, header, kSmsNumberFields, kSmsFixedBytes);
    CheckTextBlocks<SmsSettings>(bytes, kSmsTextBlocks, kSmsTextFields, 0, findings);

    const SmsSettings settings = DecodeSmsFile(bytes, findings);
    AppendAll(findings, CheckSmsSettings(settings));
    check.record = settings;
}

} // namespace

std::optional<SettingsFileKind> SettingsFileKindForName(const QString& fileName)
{
    for (SettingsFileKind kind :
         {SettingsFileKind::Camera, SettingsFileKind::Mms, SettingsFileKind::Gprs, SettingsFileKind::Sms}) {
        if (fileName.compare(SettingsFileName(kind), Qt::CaseInsensitive) == 0)
            return kind;
    }
    return std::nullopt;
}

QString SettingsFileName(SettingsFileKind kind)
{
    switch (kind) {
    case SettingsFileKind::Camera:
        return QString::fromLatin1(kCameraFileName);
    case SettingsFileKind::Mms:
        return QString::fromLatin1(kMmsFileName);
    case SettingsFileKind::Gprs:
        return QString::fromLatin1(kGprsFileName);
    case SettingsFileKind::Sms:
        return QString::fromLatin1(kSmsFileName);
    }
    return {};
}

qsizetype SettingsFileSize(SettingsFileKind kind)
{
    switch (kind) {
    case SettingsFileKind::Camera:
        return kCameraFileSize;
    case SettingsFileKind::Mms:
        return kMmsFileSize;
    case SettingsFileKind::Gprs:
        return kGprsFileSize;
    case SettingsFileKind::Sms:
        return kSmsFileSize;
    }
    return 0;
}

SettingsFileCheck CheckSettingsFile(SettingsFileKind kind, QByteArrayView bytes)
{
    SettingsFileCheck check;
    check.kind = kind;
    // Room for the findings of most foreign files at once.
    constexpr std::size_t kFindingsReserved = 16;
    check.findings.reserve(kFindingsReserved);
    switch (kind) {
    case SettingsFileKind::Camera:
        CheckCamera(bytes, check);
        break;
    case SettingsFileKind::Mms:
        CheckMms(bytes, check);
        break;
    case SettingsFileKind::Gprs:
        CheckGprs(bytes, check);
        break;
    case SettingsFileKind::Sms:
        CheckSms(bytes, check);
        break;
    }
    return check;
}

SettingsFileCheckResult CheckSettingsFileAt(SettingsFileKind kind, const QString& path)
{
    ReadResult read = ReadSettingsFile(path);
    if (!read.ok())
        return {{}, read.error};
    SettingsFileCheck check = CheckSettingsFile(kind, read.bytes);
    if (read.truncated) {
        // The bytes end at the read limit; the file does not.
        std::erase_if(check.findings, [](const SettingsFinding& f) { return f.kind == FindingKind::FileSize; });
        SettingsFindings size;
        CheckFileSize(size, read.bytes.size(), true, SettingsFileSize(kind));
        check.findings.insert(check.findings.begin(), size.begin(), size.end());
    }
    return {std::move(check), std::nullopt};
}

} // namespace kestra
