// SPDX-License-Identifier: Apache-2.0
#include "formats/camera/CameraSave.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestra {
namespace {

constexpr PcClock kClock{2024, 3, 5, 8, 7, 6};

TEST(CameraSave, TheRecordCarriesTheClockAndTheSessionsLanguageCodeAndTvMode)
{
    // Distinct values, so a language code and TV mode taken from the wrong
    // place (or swapped) show.
    const Session session{.languageIndex = kLanguageChinese, .languageCode = 9, .tvMode = 4};
    const SaveDecision<CameraSettings> decision = PrepareCameraSave(CameraChoices{}, kClock, session);
    ASSERT_TRUE(decision.ok()) << decision.refusal->toStdString();
    EXPECT_TRUE(decision.field.isEmpty());
    const CameraSettings& s = decision.record();
    EXPECT_EQ(s.languageCode, 9);
    EXPECT_EQ(s.tvMode, 4);
    EXPECT_EQ((std::vector<int>{s.clockYear, s.clockMonth, s.clockDay, s.clockHour, s.clockMinute, s.clockSecond}),
              (std::vector<int>{14, 3, 5, 8, 7, 6}));
}

TEST(CameraSave, RefusesWhatTheCameraCannotTakeNamingTheFieldInTheSessionsLanguage)
{
    struct Case {
        const char* what;
        void (*change)(CameraChoices&);
        const char* field;
    };
    const Case cases[] = {
        {"hour 24", [](CameraChoices& c) { c.timer2StopHour = 24; }, "timer2StopHour"},
        {"PIR past its list", [](CameraChoices& c) { c.position(CameraList::PirInterval) = 120; }, "pirInterval"},
        {"no mode chosen", [](CameraChoices& c) { c.position(CameraList::Mode) = -1; }, "cameraMode"},
    };
    for (const Case& c : cases) {
        CameraChoices choices;
        c.change(choices);
        const SaveDecision<CameraSettings> english = PrepareCameraSave(choices, kClock, Session{});
        const SaveDecision<CameraSettings> chinese =
            PrepareCameraSave(choices, kClock, Session{.languageIndex = kLanguageChinese, .languageCode = 1});
        ASSERT_FALSE(english.ok()) << c.what;
        ASSERT_FALSE(chinese.ok()) << c.what;
        EXPECT_EQ(english.field, QString::fromLatin1(c.field)) << c.what;
        EXPECT_EQ(chinese.field, english.field) << c.what;
        EXPECT_TRUE(english.refusal->contains(QLatin1String(c.field))) << english.refusal->toStdString();
        EXPECT_NE(*chinese.refusal, *english.refusal) << c.what;
    }
}

} // namespace
} // namespace kestra
