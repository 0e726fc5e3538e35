// SPDX-License-Identifier: Apache-2.0
#include "formats/gprs/GprsSave.h"
#include "formats/gprs/GprsCatalogue.h"
#include "formats/shared/SaveStarts.h"
#include "storage/SettingsFinding.h"

#include <gtest/gtest.h>

namespace kestra {
namespace {

constexpr int kSchweiz = 31, kSwisscom = 2;

// In Auto mode the file carries the operator's preset whatever the fields
// show, and the session's language code; an operator without any access data
// writes empty texts.
TEST(GprsSave, AutoModeWritesThePresetOfTheChosenOperator)
{
    GprsSettings shown = test::CompleteGprsStart();
    shown.apn = "typed";
    shown.gprsAccount = "typed";
    shown.countryIndex = kSchweiz;
    shown.operatorIndex = kSwisscom;
    const Session german{kLanguageGerman, kLanguageGerman, 0};
    const SaveDecision<GprsSettings> swisscom = PrepareGprsSave(shown, german);
    ASSERT_TRUE(swisscom.ok());
    EXPECT_TRUE(swisscom.record().apn.isEmpty());
    EXPECT_TRUE(swisscom.record().gprsAccount.isEmpty());
    EXPECT_TRUE(swisscom.record().gprsPassword.isEmpty());
    EXPECT_EQ(swisscom.record().languageCode, kLanguageGerman);

    shown.countryIndex = kGprsChinaIndex;
    shown.operatorIndex = 1;
    const SaveDecision<GprsSettings> unicom = PrepareGprsSave(shown, german);
    EXPECT_EQ(unicom.record().apn, GprsOperatorPreset(kGprsChinaIndex, 1).apn.toLatin1());
    EXPECT_FALSE(unicom.record().apn.isEmpty());

    // Typed access data stays in the Customer mode.
    shown.mode = kGprsModeCustomer;
    shown.countryIndex = 0;
    shown.operatorIndex = 0;
    EXPECT_EQ(PrepareGprsSave(shown, german).record().apn, "typed");
}

} // namespace
} // namespace kestra
