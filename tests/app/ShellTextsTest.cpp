// SPDX-License-Identifier: Apache-2.0
#include "app/ShellTexts.h"
#include "app/AppState.h"
#include "dialogs/base/DialogHelpers.h"
#include "dialogs/base/PcClock.h"
#include "storage/Cp936.h"
#include "ui/Services.h"

#include <gtest/gtest.h>

#include <set>

namespace kestra {
namespace {

TEST(ShellTexts, EveryTextEncodesToCodePage936)
{
    for (const TextTable* table : ShellTextTables()) {
        ASSERT_NE(table, nullptr);
        ASSERT_NE(table->english, nullptr);
        EXPECT_STRNE(table->english, "");
        for (int language = 1; language <= kLanguageCount; ++language) {
            const QString text = table->text(language);
            EXPECT_TRUE(EncodeCp936(text).has_value()) << "language " << language << ": " << text.toStdString();
        }
    }
    EXPECT_EQ(EncodeCp936(QStringLiteral("オフ")), QByteArray("\xA5\xAA\xA5\xD5"));
}

TEST(ShellTexts, AnUnnamedLanguageShowsEnglish)
{
    for (const int language : {0, 2, 3, 12, -1, 0xFFFF})
        EXPECT_STREQ(kSmsButtonText.pick(language), "SMS Setting") << language;
    EXPECT_STREQ(kSmtpButtonText.pick(kLanguageGerman), "GPRS Setting");
    EXPECT_STREQ(kSmtpButtonText.pick(kLanguageSlovenian), "SMTP nastavitve");
    EXPECT_STREQ(kCameraButtonText.pick(kLanguageLithuanian), " Kameros nustat.");
    EXPECT_STREQ(kVersionLineText.pick(kLanguageJapanese), "Version:1.0.002");
}

TEST(ShellTexts, MainWindowTextsCoverEveryTextControl)
{
    std::set<int> ids;
    for (const ControlText& entry : MainWindowTexts())
        ids.insert(entry.controlId);
    EXPECT_EQ(ids, (std::set<int>{1000, 1001, 1002, 1003, 1077, 1078, 1079}));
}

TEST(FormatText, FormatsTheTablesPrintfConversions)
{
    struct Case {
        const char* format;
        std::initializer_list<int> values;
        const char* expected;
    };
    const Case cases[] = {
        {"%d and %d", {-3, 7}, "-3 and 7"},
        {"%02d:%04d", {5, 42}, "05:0042"},
        {"%3d|", {7}, "  7|"},
        {"100%%", {}, "100%"},
        {"%02d", {123}, "123"},
        {"%d and %d", {1}, "1 and %d"},
        {"trailing %", {1}, "trailing %"},
        {"%s", {1}, "%s"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatText(c.format, c.values), QString::fromUtf8(c.expected)) << c.format;
}

TEST(RangeMessage, IsChineseOnlyForLanguage1)
{
    const auto chinese = [](int language) { return Session{.languageIndex = language}.chineseMessages(); };
    EXPECT_EQ(RangeMessage(chinese(kLanguageChinese), 0, 99), QStringLiteral("请输入一个介于0和99之间的值!"));
    for (const int language : {2, 3, 10})
        EXPECT_EQ(RangeMessage(chinese(language), -5, 5), QStringLiteral("Please enter an integer between -5 and 5!"));
}

class FixedClock final : public ui::ClockService {
public:
    explicit FixedClock(ui::LocalTime time) : m_time(time) {}
    ui::LocalTime localTime() override { return m_time; }

private:
    ui::LocalTime m_time;
};

TEST(ReadPcClock, KeepsTheYearInsideTheCamerasCalendar)
{
    struct Case {
        int pcYear;
        int cameraYear;
    };
    for (const Case c : {Case{2009, 2011}, Case{1980, 2011}, Case{2010, 2010}, Case{2024, 2024}, Case{2031, 2031},
                         Case{2032, 2031}, Case{2040, 2031}}) {
        FixedClock clock({c.pcYear, 12, 31, 23, 59, 58});
        ReadPcClock(clock);
        EXPECT_EQ(g_pcClock.year, c.cameraYear) << c.pcYear;
        EXPECT_EQ(g_pcClock.month, 12);
        EXPECT_EQ(g_pcClock.day, 31);
        EXPECT_EQ(g_pcClock.hour, 23);
        EXPECT_EQ(g_pcClock.minute, 59);
        EXPECT_EQ(g_pcClock.second, 58);
    }
}

TEST(FormatClockText, PadsEveryFieldAndNamesTheOrder)
{
    FixedClock clock({2014, 3, 7, 9, 5, 2});
    ReadPcClock(clock);
    EXPECT_EQ(FormatClockText(g_pcClock, kLanguageEnglish), QStringLiteral("03/07/2014 09:05:02 MM/DD/YY"));
    EXPECT_EQ(FormatClockText(g_pcClock, kLanguageGerman), QStringLiteral("03/07/2014 09:05:02 MM/DD/YY"));
    EXPECT_EQ(FormatClockText(g_pcClock, kLanguageChinese), QStringLiteral("03/07/2014 09:05:02 月/日/年"));

    FixedClock late({2031, 12, 31, 23, 59, 59});
    ReadPcClock(late);
    EXPECT_EQ(FormatClockText(g_pcClock, kLanguageEnglish), QStringLiteral("12/31/2031 23:59:59 MM/DD/YY"));
}

} // namespace
} // namespace kestra
