// SPDX-License-Identifier: Apache-2.0
#include "storage/SettingsCrc.h"

#include <array>

namespace kestra {

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

std::uint32_t UpdateSettingsCrc(std::uint32_t& crc, const std::uint8_t* data, long length)
{
    for (long i = 0; i < length; ++i) {
        const unsigned index = (data[i] ^ (crc >> 8)) & 0xFFU;
        crc = (crc << 8) ^ kTable[index];
    }
    return crc;
}

std::uint16_t SettingsCrcTableEntry(std::uint8_t index)
{
    return kTable[index];
}

std::uint16_t StoredSettingsChecksum(std::span<const std::uint8_t> bytes)
{
    std::uint32_t crc = 0;
    UpdateSettingsCrc(crc, bytes.data(), static_cast<long>(bytes.size()));
    crc += kStoredChecksumOffset;
    return static_cast<std::uint16_t>(crc & 0xFFFFU);
}

} // namespace kestra
