// SPDX-License-Identifier: Apache-2.0
#include "formats/mms/MmsSave.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/shared/SaveStarts.h"

#include <gtest/gtest.h>

#include <functional>

namespace kestra {
namespace {

using test::kEnglishSession;

// A record that passes every check: the start record with a phone, in the
// custom mode with its parameters typed where `presetFlag` is 0.
MmsSettings Valid(int presetFlag = 1)
{
    MmsSettings s = test::ValidMmsStart();
    if (presetFlag == 0)
        test::ToMmsCustomMode(s);
    return s;
}

TEST(MmsSave, MessagesAreChineseOnlyForLanguageOne)
{
    MmsSettings shown = Valid();
    shown.phone = "12";
    for (const auto& [language, expected] :
         {std::pair{kLanguageChinese, "手机号码格式不正确"}, std::pair{kLanguageJapanese, "Phone number error"},
          std::pair{kLanguageGerman, "Phone number error"}}) {
        const SaveDecision<MmsSettings> decision = PrepareMmsSave(shown, Session{language, language, 0});
        EXPECT_EQ(decision.refusal.value_or(QString()), QString::fromUtf8(expected)) << language;
    }
}

TEST(MmsSave, PresetModeSavesTheCataloguePresetAndTheSessionsCodes)
{
    MmsSettings shown = Valid();
    shown.countryCode = 40; // United Kingdom, Orange
    shown.operatorIndex = 3;
    shown.url = "typed over";
    shown.account.clear();
    shown.presetFlag = 7; // any non-zero flag is the preset mode
    const Session session{kLanguageJapanese, kLanguageJapanese, 0x1234};

    const SaveDecision<MmsSettings> decision = PrepareMmsSave(shown, session);
    ASSERT_TRUE(decision.ok());
    const MmsPreset preset = MmsOperatorPreset(40, 3);
    EXPECT_EQ(decision.record().url, preset.url.toLatin1());
    EXPECT_EQ(decision.record().apn, preset.apn.toLatin1());
    EXPECT_EQ(decision.record().gateway, preset.gateway.toLatin1());
    EXPECT_EQ(decision.record().port, preset.port.toLatin1());
    EXPECT_EQ(decision.record().account, preset.account.toLatin1());
    EXPECT_FALSE(decision.record().account.isEmpty());
    EXPECT_EQ(decision.record().password, preset.password.toLatin1());
    EXPECT_EQ(decision.record().presetFlag, 1);
    EXPECT_EQ(decision.record().languageCode, kLanguageJapanese);
    EXPECT_EQ(decision.record().tvMode, 0x1234);
    EXPECT_TRUE(CheckMmsSettings(decision.record()).empty());
}

TEST(MmsSave, CustomModeKeepsTheTypedParametersUnderTheCustomCode)
{
    MmsSettings shown = Valid(0);
    shown.countryCode = 4; // left over from the preset mode
    shown.operatorIndex = 1;
    const SaveDecision<MmsSettings> decision = PrepareMmsSave(shown, kEnglishSession);
    ASSERT_TRUE(decision.ok());
    EXPECT_EQ(decision.record().url, "http://mms.example.net");
    EXPECT_EQ(decision.record().countryCode, COUNTRY_CUSTOM);
    EXPECT_EQ(decision.record().operatorIndex, 0);
    EXPECT_TRUE(CheckMmsSettings(decision.record()).empty());
}

TEST(MmsSave, RecordTheCameraCouldNotTakeIsRefusedNotDecided)
{
    struct Case {
        const char* name;
        std::function<void(MmsSettings&)> change;
        const char* field;
    };
    const Case cases[] = {
        {"pictures", [](MmsSettings& s) { s.picturesPerDay = 100; }, "picturesPerDay"},
        {"country", [](MmsSettings& s) { s.countryCode = kMmsCountryCount; }, "countryCode"},
        {"operator", [](MmsSettings& s) { s.operatorIndex = MmsOperatorCount(s.countryCode); }, "operatorIndex"},
        {"smsControl", [](MmsSettings& s) { s.smsControl = 6; }, "smsControl"},
        {"phone", [](MmsSettings& s) { s.phone = QByteArray(33, '1'); }, "phone"},
    };
    for (const Case& c : cases) {
        MmsSettings shown = Valid();
        c.change(shown);
        const SaveDecision<MmsSettings> decision = PrepareMmsSave(shown, kEnglishSession);
        EXPECT_FALSE(decision.ok()) << c.name;
        EXPECT_EQ(decision.field, QString::fromLatin1(c.field)) << c.name;
    }
}

} // namespace
} // namespace kestra
