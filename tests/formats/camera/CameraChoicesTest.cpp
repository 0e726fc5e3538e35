// SPDX-License-Identifier: Apache-2.0
#include "formats/camera/CameraChoices.h"
#include "common/Session.h"
#include "formats/camera/CameraFields.h"
#include "formats/camera/CameraFile.h"

#include <gtest/gtest.h>

#include "support/CheckedRecords.h"

#include <vector>

namespace kestra {
namespace {

std::vector<int> Bytes(const SettingsBlock& block)
{
    return {block.begin(), block.end()};
}

constexpr PcClock kFifthOfMarch{2024, 3, 5, 8, 7, 6};

TEST(CameraChoices, InitialChoicesGiveTheWorkedRecordBlock)
{
    const CameraSettings settings = FillCameraSettings(CameraChoices{}, kFifthOfMarch, 2, 0);
    const std::vector<int> expected = {
        0x00, 0x00, 0x00, 0x00, 0x09, 0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x0E,
        0x03, 0x05, 0x08, 0x07, 0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x7A, 0x0D, 0x0A,
    };
    EXPECT_EQ(Bytes(BuildCameraRecord(test::MustPass(settings))), expected);
}

TEST(CameraChoices, EveryChoiceLandsInItsOwnField)
{
    // Distinct values everywhere, so a swapped pair of fields shows.
    CameraChoices c;
    const std::vector<std::pair<CameraList, int>> positions = {
        {CameraList::Mode, 2},         {CameraList::ImageSize, 1},    {CameraList::VideoSize, 2},
        {CameraList::PictureNo, 1},    {CameraList::TimeStamp, 1},    {CameraList::SenseLevel, 3},
        {CameraList::BeepSound, 0},    {CameraList::VideoLength, 59}, {CameraList::PirInterval, 5},
        {CameraList::SdCycle, 1},      {CameraList::IrLight, 1},      {CameraList::MmsStatus, 2},
        {CameraList::Timer1, 1},       {CameraList::Timer2, 1},       {CameraList::SerialNo, 1},
        {CameraList::SerialChar1, 10}, {CameraList::SerialChar2, 35}, {CameraList::SerialChar3, 7},
        {CameraList::SerialChar4, 20}, {CameraList::TimeLapse, 0}};
    for (const auto& [list, position] : positions)
        c.position(list) = position;
    c.timeLapseHour = 1;
    c.timeLapseMinute = 2;
    c.timeLapseSecond = 3;
    c.timer1StartHour = 22;
    c.timer1StartMinute = 30;
    c.timer1StopHour = 6;
    c.timer1StopMinute = 4;
    c.timer2StartHour = 11;
    c.timer2StartMinute = 12;
    c.timer2StopHour = 13;
    c.timer2StopMinute = 14;

    const CameraSettings s = FillCameraSettings(c, PcClock{2031, 12, 31, 23, 59, 58}, 11, 3);
    const std::vector<int> fields = {
        s.cameraMode,       s.imageSize,         s.videoSize,       s.pictureCount,      s.videoLength,
        s.timeStamp,        s.pirInterval,       s.senseLevel,      s.timer1On,          s.beepSound,
        s.timeLapseOn,      s.timeLapseHour,     s.timeLapseMinute, s.timeLapseSecond,   s.clockYear,
        s.clockMonth,       s.clockDay,          s.clockHour,       s.clockMinute,       s.clockSecond,
        s.timer1StartHour,  s.timer1StartMinute, s.timer1StopHour,  s.timer1StopMinute,  s.serialOn,
        s.serialChar1,      s.serialChar2,       s.serialChar3,     s.serialChar4,       s.languageCode,
        s.tvMode,           s.timer2On,          s.timer2StartHour, s.timer2StartMinute, s.timer2StopHour,
        s.timer2StopMinute, s.sdCycle,           s.irLight,         s.mmsStatus};
    const std::vector<int> expected = {2,  1,  2, 1, 59, 1,  0x85, 3, 1,  0,  0, 1, 2,  3,  21, 12, 31, 23, 59, 58,
                                       22, 30, 6, 4, 1,  10, 35,   7, 20, 11, 3, 1, 11, 12, 13, 14, 1,  1,  2};
    EXPECT_EQ(fields, expected);
}

TEST(CameraChoices, PirIntervalAndClockYearAreStoredEncoded)
{
    struct Case {
        int position;
        int stored;
    };
    for (const Case& c : {Case{0, 0x80}, Case{59, 0xBB}, Case{60, 0x01}, Case{119, 0x3C}}) {
        CameraChoices choices;
        choices.position(CameraList::PirInterval) = c.position;
        EXPECT_EQ(FillCameraSettings(choices, kFifthOfMarch, 2, 0).pirInterval, c.stored) << c.position;
    }
    struct YearCase {
        int year;
        int stored;
    };
    for (const YearCase& c :
         {YearCase{2009, 0}, YearCase{2010, 0}, YearCase{2011, 1}, YearCase{2031, 21}, YearCase{2035, 21}}) {
        PcClock clock = kFifthOfMarch;
        clock.year = c.year;
        EXPECT_EQ(FillCameraSettings(CameraChoices{}, clock, 2, 0).clockYear, c.stored) << c.year;
    }
}

TEST(CameraChoices, InitialPositionsAreTheWindowDefaults)
{
    const CameraChoices c;
    EXPECT_EQ(c.position(CameraList::BeepSound), 1);
    EXPECT_EQ(c.position(CameraList::VideoLength), 9);
    EXPECT_EQ(c.position(CameraList::PirInterval), 60);
    EXPECT_EQ(c.position(CameraList::TimeLapse), 1);
    EXPECT_EQ(c.position(CameraList::SerialChar4), 0);
    EXPECT_TRUE(CheckCameraSettings(FillCameraSettings(c, kFifthOfMarch, 2, 0)).empty());
}

TEST(CameraChoices, ListSizesAndNumberMaximaAreWhatTheRecordAllows)
{
    const std::vector<std::pair<CameraList, int>> sizes = {
        {CameraList::Mode, 3},          {CameraList::SenseLevel, 4}, {CameraList::VideoLength, 60},
        {CameraList::PirInterval, 120}, {CameraList::MmsStatus, 4},  {CameraList::SerialChar1, 36},
        {CameraList::TimeLapse, 2}};
    for (const auto& [list, size] : sizes)
        EXPECT_EQ(CameraListSize(list), size) << static_cast<int>(list);
    for (int i = 0; i < kCameraNumberCount; ++i) {
        const auto number = static_cast<CameraNumber>(i);
        const bool hour = number == CameraNumber::TimeLapseHour || number == CameraNumber::Timer1StartHour
                          || number == CameraNumber::Timer1StopHour || number == CameraNumber::Timer2StartHour
                          || number == CameraNumber::Timer2StopHour;
        EXPECT_EQ(CameraFieldOf(CameraNumberInfo(number).field).high, hour ? 23 : 59) << i;
    }
}

struct BoundCase {
    const char* what;
    void (*change)(CameraChoices&);
    const char* refusedField; // nullptr: the record check accepts it
};

class CameraChoicesBounds : public ::testing::TestWithParam<BoundCase> {};

TEST_P(CameraChoicesBounds, TheLastEntryPassesTheRecordCheckAndOnePastItDoesNot)
{
    const BoundCase& c = GetParam();
    CameraChoices choices;
    c.change(choices);
    const SettingsFindings findings = CheckCameraSettings(FillCameraSettings(choices, kFifthOfMarch, 2, 0));
    if (c.refusedField == nullptr) {
        EXPECT_TRUE(findings.empty()) << c.what;
        return;
    }
    ASSERT_EQ(findings.size(), 1U) << c.what;
    EXPECT_EQ(findings.front().field, QString::fromUtf8(c.refusedField));
}

INSTANTIATE_TEST_SUITE_P(
    Choices, CameraChoicesBounds,
    ::testing::Values(
        BoundCase{"hour 23", [](CameraChoices& c) { c.timer1StartHour = 23; }, nullptr},
        BoundCase{"hour 24", [](CameraChoices& c) { c.timer1StartHour = 24; }, "timer1StartHour"},
        BoundCase{"second 59", [](CameraChoices& c) { c.timeLapseSecond = 59; }, nullptr},
        BoundCase{"second 60", [](CameraChoices& c) { c.timeLapseSecond = 60; }, "timeLapseSecond"},
        BoundCase{"last PIR entry", [](CameraChoices& c) { c.position(CameraList::PirInterval) = 119; }, nullptr},
        BoundCase{"PIR past the list", [](CameraChoices& c) { c.position(CameraList::PirInterval) = 120; },
                  "pirInterval"},
        BoundCase{"no selection", [](CameraChoices& c) { c.position(CameraList::Mode) = -1; }, "cameraMode"},
        BoundCase{"character Z", [](CameraChoices& c) { c.position(CameraList::SerialChar2) = 35; }, nullptr},
        BoundCase{"past Z", [](CameraChoices& c) { c.position(CameraList::SerialChar2) = 36; }, "serialChar2"}));

} // namespace
} // namespace kestra
