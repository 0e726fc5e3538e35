// SPDX-License-Identifier: Apache-2.0
#include "storage/SettingsCrc.h"

#include <array>

namespace kestra {

std::uint32_t g_settingsCrc = 0;

namespace {

constexpr std::array<std::uint16_t, 256> makeTable()
{
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned crc = i << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000U) ? ((crc << 1) ^ 0x1021U) : (crc << 1);
        table[i] = static_cast<std::uint16_t>(crc & 0xFFFFU);
    }
    return table;
}

constexpr auto kTable = makeTable();
static_assert(kTable[1] == 0x1021 && kTable[128] == 0x9188 && kTable[255] == 0x1EF0);

// Added to the CRC before it is stored; the camera subtracts it again.
constexpr std::uint32_t kStoredChecksumOffset = 20;

} // namespace

std::uint32_t UpdateSettingsCrc(const std::uint8_t* data, long length)
{
    for (long i = 0; i < length; ++i) {
        const unsigned index = (data[i] ^ (g_settingsCrc >> 8)) & 0xFFU;
        g_settingsCrc = (g_settingsCrc << 8) ^ kTable[index];
    }
    return g_settingsCrc;
}

std::uint16_t SettingsCrcTableEntry(std::uint8_t index)
{
    return kTable[index];
}

std::uint16_t StoredSettingsChecksum(std::span<const std::uint8_t> bytes)
{
    g_settingsCrc = 0;
    UpdateSettingsCrc(bytes.data(), static_cast<long>(bytes.size()));
    g_settingsCrc += kStoredChecksumOffset;
    return static_cast<std::uint16_t>(g_settingsCrc & 0xFFFFU);
}

} // namespace kestra
