// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kestra {

// The 60-byte unit of mms.dat, gprs.dat and sms.dat (camera.dat uses the same
// size and line ends without the scrambling). Bytes 0 to 49 are the payload,
// stored with their two nibbles exchanged; 50 to 56 are trailer bytes; 57 holds
// the length of a text block; 58 and 59 are CR LF, which the camera uses to
// find the block boundaries.
inline constexpr std::size_t kBlockSize = 60;
inline constexpr std::size_t kBlockPayloadSize = 50;
inline constexpr std::size_t kBlockTextLengthOffset = 57;
// A text may not run into the trailer when written: every text the tool writes
// lies inside the scrambled payload.
inline constexpr std::size_t kBlockMaxWrittenText = kBlockPayloadSize;
// Everything before the length byte; a foreign length byte is clipped to it.
inline constexpr std::size_t kBlockTextArea = kBlockTextLengthOffset;
// Where a block that carries a checksum stores it: (CRC + 20) little-endian in
// bytes 56 and 57 (the camera.dat record and every file's checksum block).
inline constexpr std::size_t kBlockChecksumOffset = 56;

using SettingsBlock = std::array<std::uint8_t, kBlockSize>;

constexpr std::uint8_t SwapNibbles(std::uint8_t b)
{
    return static_cast<std::uint8_t>(((b << 4) | (b >> 4)) & 0xFF);
}

// All zero but CR LF at 58 and 59.
SettingsBlock MakeEmptyBlock();

// A plain (unscrambled) text block: the bytes at 0, zeros, the length at 57.
// Texts longer than kBlockMaxWrittenText are cut there; callers validate
// lengths before they build a file, so this never happens for a checked record.
SettingsBlock MakeTextBlock(QByteArrayView text);

// Exchanges the nibbles of bytes 0 to 49 in place (its own inverse).
void ScramblePayload(SettingsBlock& block);

// The checksum block over the stored bytes before it: zeros, the stored
// checksum (CRC + 20) little-endian at 56 and 57, CR LF.
SettingsBlock MakeChecksumBlock(std::span<const std::uint8_t> storedBytes);

// Stores the checksum of `coveredBytes` in bytes 56 and 57 of `block`.
void StoreBlockChecksum(SettingsBlock& block, std::span<const std::uint8_t> coveredBytes);
// The checksum stored in bytes 56 and 57 of `block`.
std::uint16_t StoredBlockChecksum(const SettingsBlock& block);

// The closing block of mms.dat and gprs.dat: 58 zeros and CR LF.
inline SettingsBlock MakeClosingBlock()
{
    return MakeEmptyBlock();
}

// Concatenates blocks into the bytes of a file.
QByteArray JoinBlocks(std::span<const SettingsBlock> blocks);

// Block `index` of a file's bytes; bytes past the end of a short file read as
// zero, as the camera's own loader does.
SettingsBlock BlockAt(QByteArrayView file, std::size_t index);

// What a stored text block holds, read leniently.
struct DecodedText {
    QByteArray text;
    std::uint8_t storedLength = 0; // byte 57 as found
    bool lengthClipped = false;    // byte 57 pointed past the text area
};

// Reads a stored (scrambled) text block: the length from byte 57, clipped to
// the 57 bytes before it, and the nibble-swapped bytes below that length.
DecodedText ReadTextBlock(const SettingsBlock& stored);

// True when bytes 58 and 59 are CR LF.
bool HasBlockLineEnd(const SettingsBlock& block);

} // namespace kestra
