// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kestra {

// CRC-16/XMODEM (polynomial 0x1021, MSB first, initial 0, no final XOR) over
// `length` bytes, continuing from and updating the running value `crc`, which
// the caller owns: a writer starts it at 0, feeds its bytes through and reads
// the result, so writers on several cards or threads never meet. The value is
// 32 bits wide and is never masked: only its low 16 bits are the CRC the camera
// checks. Chained calls over consecutive pieces equal one call over the whole.
// A length of 0 or less returns the value unchanged.
std::uint32_t UpdateSettingsCrc(std::uint32_t& crc, const std::uint8_t* data, long length);

// The 256-entry table the checksum runs on.
std::uint16_t SettingsCrcTableEntry(std::uint8_t index);

// The checksum of `bytes` from a zero state, as the files store it: the low 16
// bits of (CRC + 20).
std::uint16_t StoredSettingsChecksum(std::span<const std::uint8_t> bytes);

} // namespace kestra
