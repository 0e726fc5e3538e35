// SPDX-License-Identifier: Apache-2.0
#include "formats/sms/SmsSave.h"

#include <gtest/gtest.h>

namespace kestra {
namespace {

struct PhoneCase {
    const char* phone1;
    const char* phone2;
    const char* phone3;
    const char* refusal; // nullptr: the save goes through
};

const PhoneCase kPhoneCases[] = {
    {"", "", "", "Phone No1. Error"},
    {"1234", "", "", "Phone No1. Error"},
    {"+1234567890", "", "", nullptr},
    {"12345", "1234", "", "Phone No2. Error"},
    {"12345", "12345", "1", "Phone No3. Error"},
    {"12345", "12345", "ABCDE", nullptr}, // the third number is checked for its length only
    {"123 45", "", "", "Please check the phone number"},
    {"123-45", "", "", "Please check the phone number"},
    {"12345", "678-90", "", "Please check the phone number"},
    {"12345", "67890", "", nullptr},
    // Lengths are checked before digits, the second number before the first.
    {"abcde", "1234", "", "Phone No2. Error"},
    {"abcde", "6 7 8", "", "Please check the phone number"},
};

TEST(SmsSave, PhoneChecksInTheirOrder)
{
    const Session english{kLanguageEnglish, kLanguageEnglish, 0};
    for (const PhoneCase& c : kPhoneCases) {
        SCOPED_TRACE(testing::Message() << '"' << c.phone1 << "\" \"" << c.phone2 << "\" \"" << c.phone3 << '"');
        SmsSettings shown = InitialSmsSettings(english);
        shown.phone1 = c.phone1;
        shown.phone2 = c.phone2;
        shown.phone3 = c.phone3;
        const SaveDecision<SmsSettings> decision = PrepareSmsSave(shown, english);
        if (c.refusal == nullptr)
            EXPECT_TRUE(decision.ok()) << decision.refusal.value_or(QString()).toStdString();
        else
            EXPECT_EQ(decision.refusal.value_or(QString()), QString::fromUtf8(c.refusal));
    }
}

} // namespace
} // namespace kestra
