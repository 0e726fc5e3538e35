// SPDX-License-Identifier: Apache-2.0
#include "storage/SettingsBlock.h"
#include "storage/SettingsCrc.h"

#include <gtest/gtest.h>

#include <cstring>

namespace kestra {
namespace {

TEST(SettingsCrc, MatchesPublishedCheckValues)
{
    struct Case {
        const char* text;
        std::uint16_t crc;
    };
    for (const Case& c : {Case{"abc", 0x9DD6}, Case{"123456789", 0x31C3}, Case{"", 0x0000}}) {
        std::uint32_t crc = 0;
        UpdateSettingsCrc(crc, reinterpret_cast<const std::uint8_t*>(c.text), static_cast<long>(std::strlen(c.text)));
        EXPECT_EQ(crc & 0xFFFF, c.crc) << c.text;
    }
}

TEST(SettingsCrc, ChainedCallsEqualOneCallAndKeepTheHighBits)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>("123456789");
    std::uint32_t crc = 0;
    const std::uint32_t whole = UpdateSettingsCrc(crc, data, 9);
    crc = 0;
    UpdateSettingsCrc(crc, data, 4);
    UpdateSettingsCrc(crc, data + 4, 0);
    UpdateSettingsCrc(crc, data + 4, -3);
    const std::uint32_t chained = UpdateSettingsCrc(crc, data + 4, 5);
    EXPECT_EQ(whole, chained);
    EXPECT_EQ(crc, whole) << "the caller's running value holds the result";
    EXPECT_NE(whole >> 16, 0U) << "the state is never masked to 16 bits";
}

TEST(SettingsCrc, TableEntries)
{
    EXPECT_EQ(SettingsCrcTableEntry(1), 0x1021);
    EXPECT_EQ(SettingsCrcTableEntry(128), 0x9188);
    EXPECT_EQ(SettingsCrcTableEntry(255), 0x1EF0);
}

TEST(SettingsBlock, ForeignLengthByteIsClippedToTheTextArea)
{
    for (int length : {51, 56, 57, 58, 200, 255}) {
        SettingsBlock block = MakeEmptyBlock();
        block.fill(0x14);
        block[57] = static_cast<std::uint8_t>(length);
        const DecodedText decoded = ReadTextBlock(block);
        EXPECT_LE(decoded.text.size(), 57) << length;
        EXPECT_EQ(decoded.lengthClipped, length > 57) << length;
    }
}

TEST(SettingsBlock, TextBlockRoundTripsThroughScrambling)
{
    SettingsBlock block = MakeTextBlock("AB");
    ScramblePayload(block);
    EXPECT_EQ(block[0], 0x14);
    EXPECT_EQ(block[57], 2);
    EXPECT_TRUE(HasBlockLineEnd(block));
    EXPECT_EQ(ReadTextBlock(block).text, QByteArray("AB"));
}

} // namespace
} // namespace kestra
