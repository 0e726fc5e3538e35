// SPDX-License-Identifier: Apache-2.0
#include "storage/SettingsBlockFile.h"

#include "storage/SettingsCrc.h"

#include <algorithm>
#include <array>
#include <vector>

namespace kestra {

namespace {
// The most data blocks a settings file has (mms.dat and gprs.dat).
constexpr std::size_t kMaxDataBlocks = 11;
} // namespace

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
            findings.push_back({FindingKind::LineEnd, BlockName(index),
                                static_cast<qsizetype>(index * kBlockSize + kBlockSize - 2), 0, 0});
    }

    // The camera checks the checksum over exactly the data blocks as stored,
    // zeros standing in for what a short file lacks. Every settings file's
    // data blocks fit on the stack.
    const std::size_t covered = dataBlocks * kBlockSize;
    std::array<std::uint8_t, kMaxDataBlocks * kBlockSize> onStack{};
    std::vector<std::uint8_t> onHeap;
    std::span<std::uint8_t> data(onStack.data(), std::min(covered, onStack.size()));
    if (covered > onStack.size()) {
        onHeap.resize(covered);
        data = onHeap;
    }
    const auto present = std::min(covered, static_cast<std::size_t>(file.size()));
    std::copy_n(reinterpret_cast<const std::uint8_t*>(file.data()), present, data.begin());
    CheckBlockChecksum(BlockAt(file, dataBlocks), dataBlocks, data, findings);

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
        findings.push_back({FindingKind::Checksum, BlockName(index),
                            static_cast<qsizetype>(index * kBlockSize + kBlockChecksumOffset), stored, computed});
}

void CheckZeroBytes(QByteArrayView file, std::size_t index, std::size_t from, std::size_t to,
                    SettingsFindings& findings)
{
    const SettingsBlock block = BlockAt(file, index);
    for (std::size_t i = from; i < std::min(to, kBlockSize); ++i) {
        if (block[i] != 0) {
            findings.push_back(
                {FindingKind::Reserved, BlockName(index), static_cast<qsizetype>(index * kBlockSize + i), block[i], 0});
            return;
        }
    }
}

void CheckTextPadding(QByteArrayView file, std::size_t index, SettingsFindings& findings)
{
    const std::size_t length = BlockAt(file, index)[kBlockTextLengthOffset];
    CheckZeroBytes(file, index, std::min(length, kBlockTextLengthOffset), kBlockTextLengthOffset, findings);
}

QString BlockName(std::size_t index)
{
    static const std::array<QString, kMaxDataBlocks + 2> names = [] {
        std::array<QString, kMaxDataBlocks + 2> made;
        for (std::size_t i = 0; i < made.size(); ++i)
            made[i] = QStringLiteral("block %1").arg(i);
        return made;
    }();
    return index < names.size() ? names[index] : QStringLiteral("block %1").arg(index);
}

QString HeaderByteName(std::size_t offset)
{
    static const std::array<QString, kBlockSize> names = [] {
        std::array<QString, kBlockSize> made;
        for (std::size_t i = 0; i < made.size(); ++i)
            made[i] = QStringLiteral("header byte %1").arg(i);
        return made;
    }();
    return offset < names.size() ? names[offset] : QStringLiteral("header byte %1").arg(offset);
}

void CheckFixedByte(SettingsFindings& findings, const SettingsBlock& header, std::size_t offset, std::uint8_t wanted)
{
    if (header[offset] != wanted)
        findings.push_back(
            {FindingKind::Reserved, HeaderByteName(offset), static_cast<qsizetype>(offset), header[offset], wanted});
}

} // namespace kestra
