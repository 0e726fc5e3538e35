// SPDX-License-Identifier: Apache-2.0
#include "formats/camera/CameraTexts.h"
#include "storage/Cp936.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestra {
namespace {

constexpr int kFirstLanguage = 1;
constexpr int kLastLanguage = 11;

TEST(CameraTexts, TimeLapseListIsTheOffOnPairTheOtherWayRound)
{
    // The camera reads the time-lapse byte as 0 on, 1 off, the opposite of
    // every other switch; the list must follow or the camera does the reverse.
    for (int language = kFirstLanguage; language <= kLastLanguage; ++language) {
        QStringList offOn = CameraListEntries(language, CameraList::BeepSound);
        std::reverse(offOn.begin(), offOn.end());
        EXPECT_EQ(CameraListEntries(language, CameraList::TimeLapse), offOn) << "language " << language;
        for (CameraList sharing : {CameraList::Timer1, CameraList::Timer2, CameraList::SerialNo})
            EXPECT_EQ(CameraListEntries(language, sharing), CameraListEntries(language, CameraList::BeepSound));
    }
    // Switched on first: position 0 is stored as "on".
    EXPECT_EQ(CameraListEntries(2, CameraList::TimeLapse), (QStringList{"On", "Off"}));
    EXPECT_EQ(CameraListEntries(7, CameraList::TimeLapse), (QStringList{"Be", "Ki"}));
}

struct LabelCase {
    int language;
    CameraLabel label;
    const char* shown;
    bool ownText; // false: the language leaves the template's text
};

class CameraLabelQuirks : public ::testing::TestWithParam<LabelCase> {};

TEST_P(CameraLabelQuirks, ShowTheTextOfTheLanguageOrTheTemplate)
{
    const LabelCase& c = GetParam();
    EXPECT_EQ(CameraLabelText(c.language, c.label), QString::fromUtf8(c.shown));
    EXPECT_EQ(CameraLanguageText(c.language, c.label) != nullptr, c.ownText);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, CameraLabelQuirks,
    ::testing::Values(
        // Lithuanian names the timer 1 labels but leaves timer 2 at the template.
        LabelCase{11, CameraLabel::Timer1StartLabel, "Pradeti:", true},
        LabelCase{11, CameraLabel::Timer1StopLabel, "Stabdyti:", true},
        LabelCase{11, CameraLabel::Timer2StartLabel, "Start:", false},
        LabelCase{11, CameraLabel::Timer2StopLabel, "Stop:", false},
        LabelCase{11, CameraLabel::SaveButton, " Save", true},
        // Unit labels: only Chinese and Japanese have their own.
        LabelCase{1, CameraLabel::HourUnit, "时", true}, LabelCase{10, CameraLabel::HourUnit, "時", true},
        LabelCase{10, CameraLabel::SecondUnit, "秒", true}, LabelCase{2, CameraLabel::HourUnit, "Hour", false},
        LabelCase{3, CameraLabel::MinuteUnit, "Min", false}, LabelCase{7, CameraLabel::SecondUnit, "Sec", false},
        LabelCase{8, CameraLabel::SdCycleLabel, "SD cikel", true},
        LabelCase{10, CameraLabel::Timer1Label, "タイマー", true},
        LabelCase{1, CameraLabel::IrLightLabel, "LED 亮度", true},
        // An index no table names reads English.
        LabelCase{0, CameraLabel::ModeLabel, "Mode", true}, LabelCase{12, CameraLabel::DefaultButton, "Default", true},
        LabelCase{-3, CameraLabel::SyncTimeButton, "Sync Time", true}));

struct ListCase {
    int language;
    CameraList list;
    QStringList entries;
};

class CameraListQuirks : public ::testing::TestWithParam<ListCase> {};

TEST_P(CameraListQuirks, HaveTheirOwnEntries)
{
    const ListCase& c = GetParam();
    EXPECT_EQ(CameraListEntries(c.language, c.list), c.entries);
}

INSTANTIATE_TEST_SUITE_P(Languages, CameraListQuirks,
                         ::testing::Values(ListCase{7, CameraList::TimeStamp, {"Be", "Off"}},
                                           ListCase{7, CameraList::SdCycle, {"Off", "Be"}},
                                           ListCase{7, CameraList::BeepSound, {"Ki", "Be"}},
                                           ListCase{8, CameraList::SdCycle, {"Izklop", "paalla"}},
                                           ListCase{10, CameraList::SenseLevel, {"中", "高", "低", "オフ"}},
                                           ListCase{1, CameraList::MmsStatus, {"关闭", "MMS", "GPRS", "SMS"}},
                                           ListCase{3, CameraList::SenseLevel, {"Normal", "Hoch", "Niedring", "Aus"}},
                                           ListCase{11, CameraList::Timer2, {"NE", "TAIP"}},
                                           ListCase{1, CameraList::ImageSize, {"12MP", "5MP", "1.3MP"}},
                                           ListCase{10, CameraList::VideoSize, {"1280x720", "640x480", "320x240"}}));

TEST(CameraTexts, JapaneseTextsAreCodePage936Bytes)
{
    const QStringList entries = CameraListEntries(10, CameraList::BeepSound);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(EncodeCp936(entries[0]), QByteArray("\xA5\xAA\xA5\xD5"));
}

TEST(CameraTexts, SecondAndMinuteListsUseChineseUnitsForChineseOnly)
{
    struct Case {
        int language;
        const char* firstLength;
        const char* lastLength;
        const char* firstPir;
        const char* lastSeconds;
        const char* firstMinutes;
        const char* lastPir;
    };
    for (const Case& c : {Case{1, "1 秒", "60 秒", "0 秒", "59 秒", "1 分", "60 分"},
                          Case{2, "1 Sec", "60 Sec", "0 Sec", "59 Sec", "1 Min", "60 Min"},
                          Case{10, "1 Sec", "60 Sec", "0 Sec", "59 Sec", "1 Min", "60 Min"}}) {
        const QStringList length = CameraListEntries(c.language, CameraList::VideoLength);
        const QStringList pir = CameraListEntries(c.language, CameraList::PirInterval);
        EXPECT_EQ(length.front(), QString::fromUtf8(c.firstLength));
        EXPECT_EQ(length.back(), QString::fromUtf8(c.lastLength));
        EXPECT_EQ(length[9], QString::fromUtf8(c.language == 1 ? "10 秒" : "10 Sec"));
        EXPECT_EQ(pir.front(), QString::fromUtf8(c.firstPir));
        EXPECT_EQ(pir[59], QString::fromUtf8(c.lastSeconds));
        EXPECT_EQ(pir[60], QString::fromUtf8(c.firstMinutes));
        EXPECT_EQ(pir.back(), QString::fromUtf8(c.lastPir));
    }
}

TEST(CameraTexts, SerialCharactersRunFromDigitsToLetters)
{
    const QStringList chars = CameraListEntries(4, CameraList::SerialChar3);
    EXPECT_EQ(chars.front(), "0");
    EXPECT_EQ(chars[9], "9");
    EXPECT_EQ(chars[10], "A");
    EXPECT_EQ(chars.back(), "Z");
}

TEST(CameraTexts, ConfirmationsAreChineseOnlyForChinese)
{
    EXPECT_EQ(CameraSavedMessage(1), QStringLiteral("相机菜单设置文件已经保存"));
    EXPECT_EQ(CameraDefaultSavedMessage(1), QStringLiteral("相机初始化设置文件已经保存"));
    for (int language : {2, 3, 10, 11}) {
        EXPECT_EQ(CameraSavedMessage(language), "Save All Parameters To Camera Setting File");
        EXPECT_EQ(CameraDefaultSavedMessage(language), "Save All Default Parameters To Camera Setting File");
    }
}

} // namespace
} // namespace kestra
