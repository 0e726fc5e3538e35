// SPDX-License-Identifier: Apache-2.0
#include "storage/SettingsBlock.h"

#include "storage/SettingsCrc.h"

#include <algorithm>

namespace kestra {

namespace {
constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kLf = 0x0A;
} // namespace

SettingsBlock MakeEmptyBlock()
{
    SettingsBlock block{};
    block[kBlockSize - 2] = kCr;
    block[kBlockSize - 1] = kLf;
    return block;
}

SettingsBlock MakeTextBlock(QByteArrayView text)
{
    SettingsBlock block = MakeEmptyBlock();
    const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(text.size()), kBlockMaxWrittenText);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(text.data()), length, block.begin());
    block[kBlockTextLengthOffset] = static_cast<std::uint8_t>(length);
    return block;
}

void ScramblePayload(SettingsBlock& block)
{
    for (std::size_t i = 0; i < kBlockPayloadSize; ++i)
        block[i] = SwapNibbles(block[i]);
}

void StoreBlockChecksum(SettingsBlock& block, std::span<const std::uint8_t> coveredBytes)
{
    const std::uint16_t checksum = StoredSettingsChecksum(coveredBytes);
    block[kBlockChecksumOffset] = static_cast<std::uint8_t>(checksum & 0xFF);
    block[kBlockChecksumOffset + 1] = static_cast<std::uint8_t>(checksum >> 8);
}

std::uint16_t StoredBlockChecksum(const SettingsBlock& block)
{
    return static_cast<std::uint16_t>(block[kBlockChecksumOffset] | (block[kBlockChecksumOffset + 1] << 8));
}

SettingsBlock MakeChecksumBlock(std::span<const std::uint8_t> storedBytes)
{
    SettingsBlock block = MakeEmptyBlock();
    StoreBlockChecksum(block, storedBytes);
    return block;
}

QByteArray JoinBlocks(std::span<const SettingsBlock> blocks)
{
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(blocks.size()) * static_cast<qsizetype>(kBlockSize));
    for (const SettingsBlock& block : blocks)
        bytes.append(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size()));
    return bytes;
}

SettingsBlock BlockAt(QByteArrayView file, std::size_t index)
{
    SettingsBlock block{};
    const std::size_t start = index * kBlockSize;
    const auto size = static_cast<std::size_t>(file.size());
    if (start >= size)
        return block;
    const std::size_t available = std::min(kBlockSize, size - start);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(file.data()) + start, available, block.begin());
    return block;
}

DecodedText ReadTextBlock(const SettingsBlock& stored)
{
    DecodedText decoded;
    decoded.storedLength = stored[kBlockTextLengthOffset];
    std::size_t length = decoded.storedLength;
    if (length > kBlockTextArea) {
        length = kBlockTextArea;
        decoded.lengthClipped = true;
    }
    decoded.text.resize(static_cast<qsizetype>(length));
    for (std::size_t i = 0; i < length; ++i)
        decoded.text[static_cast<qsizetype>(i)] = static_cast<char>(SwapNibbles(stored[i]));
    return decoded;
}

bool HasBlockLineEnd(const SettingsBlock& block)
{
    return block[kBlockSize - 2] == kCr && block[kBlockSize - 1] == kLf;
}

} // namespace kestra
