// SPDX-License-Identifier: Apache-2.0
#include "storage/SettingsBlockFile.h"

#include "storage/SettingsCrc.h"

#include <algorithm>
#include <vector>

namespace kestra {

QByteArray BuildBlockFile(const SettingsBlock& plainHeader, std::span<const QByteArray> texts, bool closingBlock)
{
    std::vector<SettingsBlock> blocks;
    blocks.reserve(texts.size() + 3);
    blocks.push_back(plainHeader);
    for (const QByteArray& text : texts)
        blocks.push_back(MakeTextBlock(text));
    for (SettingsBlock& block : blocks)
        ScramblePayload(block);

    const QByteArray stored = JoinBlocks(blocks);
    blocks.push_back(MakeChecksumBlock(
        std::span(reinterpret_cast<const std::uint8_t*>(stored.constData()), static_cast<std::size_t>(stored.size()))));
    if (closingBlock)
        blocks.push_back(MakeClosingBlock());
    return JoinBlocks(blocks);
}

void StorePicturesPerDay(SettingsBlock& header, int picturesPerDay)
{
    header[kPicturesPerDayOffset] = LowByte(picturesPerDay / 10);
    header[kPicturesPerDayOffset + 1] = LowByte(picturesPerDay % 10);
}

int ReadPicturesPerDay(const SettingsBlock& header)
{
    return header[kPicturesPerDayOffset] * 10 + header[kPicturesPerDayOffset + 1];
}

SettingsBlock ReadHeaderBlock(QByteArrayView file)
{
    SettingsBlock header = BlockAt(file, 0);
    ScramblePayload(header);
    return header;
}

QByteArray ReadTextField(QByteArrayView file, std::size_t index, QLatin1String field, SettingsFindings& findings)
{
    DecodedText decoded = ReadTextBlock(BlockAt(file, index));
    if (decoded.lengthClipped) {
        findings.push_back({FindingKind::TextClipped, QString(field),
                            static_cast<qsizetype>(index * kBlockSize + kBlockTextLengthOffset), decoded.storedLength,
                            static_cast<long long>(kBlockTextArea)});
    }
    return decoded.text;
}

void CheckBlockFileFrame(QByteArrayView file, std::size_t dataBlocks, bool closingBlock, SettingsFindings& findings)
{
    const std::size_t blockCount = dataBlocks + 1 + (closingBlock ? 1 : 0);
    const auto expectedSize = static_cast<qsizetype>(blockCount) * static_cast<qsizetype>(kBlockSize);
    if (file.size() != expectedSize)
        findings.push_back({FindingKind::FileSize, QStringLiteral("file"), -1, file.size(), expectedSize});

    for (std::size_t index = 0; index < blockCount; ++index) {
        if (!HasBlockLineEnd(BlockAt(file, index)))
            findings.push_back({FindingKind::LineEnd, QStringLiteral("block %1").arg(index),
                                static_cast<qsizetype>(index * kBlockSize + kBlockSize - 2), 0, 0});
    }

    // The camera checks the checksum over exactly the data blocks as stored,
    // zeros standing in for what a short file lacks.
    QByteArray data(static_cast<qsizetype>(dataBlocks * kBlockSize), '\0');
    const qsizetype present = std::min(data.size(), file.size());
    std::copy_n(file.data(), present, data.data());
    CheckBlockChecksum(
        BlockAt(file, dataBlocks), dataBlocks,
        std::span(reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size())),
        findings);

    CheckZeroBytes(file, dataBlocks, 0, kBlockChecksumOffset, findings);
    if (closingBlock)
        CheckZeroBytes(file, dataBlocks + 1, 0, kBlockSize - 2, findings);
}

void CheckBlockChecksum(const SettingsBlock& block, std::size_t index, std::span<const std::uint8_t> coveredBytes,
                        SettingsFindings& findings)
{
    const std::uint16_t computed = StoredSettingsChecksum(coveredBytes);
    const std::uint16_t stored = StoredBlockChecksum(block);
    if (stored != computed)
        findings.push_back({FindingKind::Checksum, QStringLiteral("block %1").arg(index),
                            static_cast<qsizetype>(index * kBlockSize + kBlockChecksumOffset), stored, computed});
}

void CheckZeroBytes(QByteArrayView file, std::size_t index, std::size_t from, std::size_t to,
                    SettingsFindings& findings)
{
    const SettingsBlock block = BlockAt(file, index);
    for (std::size_t i = from; i < std::min(to, kBlockSize); ++i) {
        if (block[i] != 0) {
            findings.push_back({FindingKind::Reserved, QStringLiteral("block %1").arg(index),
                                static_cast<qsizetype>(index * kBlockSize + i), block[i], 0});
            return;
        }
    }
}

void CheckTextPadding(QByteArrayView file, std::size_t index, SettingsFindings& findings)
{
    const std::size_t length = BlockAt(file, index)[kBlockTextLengthOffset];
    CheckZeroBytes(file, index, std::min(length, kBlockTextLengthOffset), kBlockTextLengthOffset, findings);
}

void CheckFixedByte(SettingsFindings& findings, const SettingsBlock& header, std::size_t offset, std::uint8_t wanted)
{
    if (header[offset] != wanted)
        findings.push_back({FindingKind::Reserved, QStringLiteral("header byte %1").arg(offset),
                            static_cast<qsizetype>(offset), header[offset], wanted});
}

} // namespace kestra
