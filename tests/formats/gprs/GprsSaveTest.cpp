// SPDX-License-Identifier: Apache-2.0
#include "formats/gprs/GprsSave.h"
#include "formats/gprs/GprsCatalogue.h"
#include "storage/SettingsFinding.h"

#include <gtest/gtest.h>

namespace kestra {
namespace {

constexpr int kSchweiz = 31, kSwisscom = 2;

Session English()
{
    return Session{kLanguageEnglish, kLanguageEnglish, 0};
}

// Everything the checks ask for, in Auto mode with China's first operator.
GprsSettings Complete()
{
    GprsSettings s = InitialGprsSettings(English());
    s.smtpServer = "smtp.example.com";
    s.smtpPort = "25";
    s.senderEmail = "cam@example.com";
    s.senderPassword = "secret";
    s.recipientEmail = "me@example.com";
    return s;
}

struct CheckCase {
    const char* name;
    void (*change)(GprsSettings&);
    const char* refusal; // nullptr: the save goes through
};

const CheckCase kCheckCases[] = {
    {"one-character port", [](GprsSettings& s) { s.smtpPort = "2"; }, "Please Input Port"},
    {"two-letter port", [](GprsSettings& s) { s.smtpPort = "ab"; }, nullptr},
    {"one-character server", [](GprsSettings& s) { s.smtpServer = "s"; }, "Please Input Smtp Server address"},
    {"sender with a dot but no at", [](GprsSettings& s) { s.senderEmail = "cam.example.com"; }, "Error email address"},
    {"sender with an at but no dot", [](GprsSettings& s) { s.senderEmail = "cam@example"; }, "Error email address"},
    {"sender with the dot before the at", [](GprsSettings& s) { s.senderEmail = "c.am@example"; }, nullptr},
    {"empty sender", [](GprsSettings& s) { s.senderEmail.clear(); }, "Please Input Email"},
    {"one-character sender password", [](GprsSettings& s) { s.senderPassword = "x"; },
     "Please Input Sender Email Password"},
    {"empty recipient", [](GprsSettings& s) { s.recipientEmail.clear(); }, "Please Input Email"},
    {"recipient without at", [](GprsSettings& s) { s.recipientEmail = "me.example.com"; }, "Error Receive Email "},
    {"SMS control off, no phone", [](GprsSettings& s) { s.phoneNumber.clear(); }, nullptr},
    {"SMS control on, four-digit phone",
     [](GprsSettings& s) {
         s.smsControl = 0;
         s.phoneNumber = "1234";
     },
     "SMS control is already open，please input Phone No."},
    {"SMS control 2 hours, five-digit phone",
     [](GprsSettings& s) {
         s.smsControl = 4;
         s.phoneNumber = "12345";
     },
     nullptr},
    {"Auto mode with an empty APN shown", [](GprsSettings& s) { s.apn.clear(); }, nullptr},
    {"Customer mode with a one-character APN",
     [](GprsSettings& s) {
         s.mode = kGprsModeCustomer;
         s.apn = "x";
     },
     "Please Input GPRS APN"},
    // The first failing check speaks, in the order the window has always used.
    {"bad port and bad sender",
     [](GprsSettings& s) {
         s.smtpPort = "1";
         s.senderEmail = "x";
     },
     "Please Input Port"},
};

TEST(GprsSave, ChecksRefuseWithTheFirstFailingMessage)
{
    for (const CheckCase& c : kCheckCases) {
        SCOPED_TRACE(c.name);
        GprsSettings shown = Complete();
        c.change(shown);
        const SaveDecision<GprsSettings> decision = PrepareGprsSave(shown, English());
        if (c.refusal == nullptr)
            EXPECT_TRUE(decision.ok()) << decision.refusal.value_or(QString()).toStdString();
        else
            EXPECT_EQ(decision.refusal.value_or(QString()), QString::fromUtf8(c.refusal));
    }
}

// In Auto mode the file carries the operator's preset whatever the fields
// show, and the session's language code; an operator without any access data
// writes empty texts.
TEST(GprsSave, AutoModeWritesThePresetOfTheChosenOperator)
{
    GprsSettings shown = Complete();
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
