// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kestra {

// Running state of the settings checksum shared by every settings file writer.
// A writer sets it to 0, feeds its bytes through UpdateSettingsCrc and reads the
// result. The state is 32 bits wide and is never masked: only its low 16 bits
// are the CRC the camera checks. One user-interface thread writes one file at a
// time, so a plain global is enough.
extern std::uint32_t g_settingsCrc;

// CRC-16/XMODEM (polynomial 0x1021, MSB first, initial 0, no final XOR) over
// `length` bytes, continuing from and updating g_settingsCrc. Chained calls over
// consecutive pieces equal one call over the whole. A length of 0 or less
// returns the state unchanged.
std::uint32_t UpdateSettingsCrc(const std::uint8_t* data, long length);

// The 256-entry table the checksum runs on.
std::uint16_t SettingsCrcTableEntry(std::uint8_t index);

// The checksum of `bytes` from a zero state, as the files store it: the low 16
// bits of (CRC + 20). Resets g_settingsCrc like every writer does.
std::uint16_t StoredSettingsChecksum(std::span<const std::uint8_t> bytes);

} // namespace kestra
