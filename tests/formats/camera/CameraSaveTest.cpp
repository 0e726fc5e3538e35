// SPDX-License-Identifier: Apache-2.0
#include "formats/camera/CameraSave.h"
#include "formats/camera/CameraWords.h"
#include "formats/shared/SmsControl.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
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

// A clock the user types is taken as typed or refused: only the PC's clock is
// limited to the camera's calendar, and a typed year outside it would be
// stored as another year (2032 as 2031, 1999 as 2011).
TEST(CameraSave, ATypedClockOutsideTheCalendarOrNoDateIsRefused)
{
    struct Case {
        const char* typed;
        std::optional<PcClock> clock; // none: refused
    };
    const Case cases[] = {
        {"2010-01-01 00:00:00", PcClock{2010, 1, 1, 0, 0, 0}},
        {"2031-12-31 23:59:59", PcClock{2031, 12, 31, 23, 59, 59}},
        {"2028-02-29 12:00:00", PcClock{2028, 2, 29, 12, 0, 0}},
        {"2032-01-01 00:00:00", std::nullopt},
        {"2009-12-31 23:59:59", std::nullopt},
        {"1999-12-31 00:00:00", std::nullopt},
        {"2032-02-29 00:00:00", std::nullopt},
        {"2031-02-29 00:00:00", std::nullopt},
        {"2031-02-30 00:00:00", std::nullopt},
        {"2024-03-05 24:00:00", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const TypedClock english = ReadTypedClock(QStringLiteral("--clock"), QString::fromLatin1(c.typed), false);
        const TypedClock chinese = ReadTypedClock(QStringLiteral("--clock"), QString::fromLatin1(c.typed), true);
        if (c.clock) {
            ASSERT_TRUE(english.clock.has_value()) << english.refusal.toStdString();
            EXPECT_EQ((std::vector<int>{english.clock->year, english.clock->month, english.clock->day,
                                        english.clock->hour, english.clock->minute, english.clock->second}),
                      (std::vector<int>{c.clock->year, c.clock->month, c.clock->day, c.clock->hour, c.clock->minute,
                                        c.clock->second}));
            continue;
        }
        EXPECT_FALSE(english.clock.has_value());
        EXPECT_FALSE(chinese.clock.has_value());
        EXPECT_TRUE(english.refusal.startsWith(QStringLiteral("--clock: \"%1\"").arg(QString::fromLatin1(c.typed))))
            << english.refusal.toStdString();
        EXPECT_TRUE(chinese.refusal.startsWith(QStringLiteral("--clock: "))) << chinese.refusal.toStdString();
        EXPECT_NE(chinese.refusal, english.refusal);
    }
}

// A number alone is the value a list shows, in the unit of its first amount
// ("10" is "10 Sec", never the eleventh entry); a number no entry shows is
// refused. A list of no amounts still takes its positions.
TEST(CameraSave, ANumberAloneIsTheValueTheListShows)
{
    struct Case {
        const char* key;
        const char* word;
        CameraList list;
        int position; // -1: refused
    };
    const Case cases[] = {
        {"video-length", "10", CameraList::VideoLength, 9},
        {"video-length", "60", CameraList::VideoLength, 59},
        {"video-length", "0", CameraList::VideoLength, -1},
        {"video-length", "61", CameraList::VideoLength, -1},
        {"pir", "30", CameraList::PirInterval, 30},
        {"pir", "0", CameraList::PirInterval, 0},
        {"pir", "70", CameraList::PirInterval, -1},
        {"pir", "120", CameraList::PirInterval, -1},
        {"pictures", "2", CameraList::PictureNo, 1},
        {"pictures", "3", CameraList::PictureNo, 2},
        {"pictures", "0", CameraList::PictureNo, -1},
        {"image-size", "5", CameraList::ImageSize, 1},
        {"image-size", "1.3", CameraList::ImageSize, 2},
        {"image-size", "2", CameraList::ImageSize, -1},
        {"mode", "1", CameraList::Mode, 1},
        {"video-size", "2", CameraList::VideoSize, 2},
        {"sense-level", "4", CameraList::SenseLevel, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + c.word);
        SettingWords words;
        words.add(c.key, QString::fromLatin1(c.word));
        const SaveDecision<CameraSettings> decision =
            PrepareCameraWords(CameraChoices{}, words, kClock, Session{}, KeySpelling::CommandLine());
        if (c.position < 0) {
            ASSERT_FALSE(decision.ok());
            EXPECT_TRUE(decision.refusal->startsWith(QStringLiteral("--%1: ").arg(QLatin1String(c.key))))
                << decision.refusal->toStdString();
            continue;
        }
        ASSERT_TRUE(decision.ok()) << decision.refusal->toStdString();
        EXPECT_EQ(CameraChoicesFromSettings(decision.record()).position(c.list), c.position);
    }

    // The SMS control list shows minutes first: "5" is "5 Min", not the Off of
    // position 5.
    const std::vector<QStringList> sms{SmsControlEntries(kLanguageEnglish)};
    EXPECT_EQ(ListPosition(QStringLiteral("--sms-control"), QStringLiteral("5"), sms, false), 1);
    EXPECT_EQ(ListPosition(QStringLiteral("--sms-control"), QStringLiteral("30"), sms, false), 2);
    EXPECT_THROW(ListPosition(QStringLiteral("--sms-control"), QStringLiteral("1"), sms, false), WordRefusal);
}

} // namespace
} // namespace kestra
