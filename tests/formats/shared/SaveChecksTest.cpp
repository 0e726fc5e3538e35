// SPDX-License-Identifier: Apache-2.0
// Each messaging window's Save checks, in the order the window runs them: the
// first that fails refuses with its message (and, where a case says, names
// the field), and a record every check passes is saved. One table per file.

#include "formats/gprs/GprsCatalogue.h"
#include "formats/gprs/GprsSave.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsSave.h"
#include "formats/shared/SaveStarts.h"
#include "formats/sms/SmsSave.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

namespace kestra {
namespace {

const Session& kEnglish = test::kEnglishSession;

template <typename Record> struct SaveCheckCase {
    std::string name;
    std::function<void(Record&)> change;
    const char* refusal;         // English; nullptr: saved
    const char* field = nullptr; // the field the refusal names, where the case says
};

// --- mms.dat: a record that passes every check is the start record with a
// phone; the custom mode's cases type the four parameters first.

SaveCheckCase<MmsSettings> MmsCase(const char* name, std::function<void(MmsSettings&)> change, int presetFlag,
                                   const char* refusal, const char* field)
{
    return {name,
            [presetFlag, change](MmsSettings& s) {
                if (presetFlag == 0)
                    test::ToMmsCustomMode(s);
                change(s);
            },
            refusal, refusal != nullptr ? field : nullptr};
}

struct MmsSaves {
    using Record = MmsSettings;
    static constexpr auto Prepare = &PrepareMmsSave;
    static MmsSettings Start() { return test::ValidMmsStart(); }
    static std::vector<SaveCheckCase<MmsSettings>> Cases()
    {
        return {MmsCase(
                    "NoRecipient", [](MmsSettings& s) { s.phone.clear(); }, 1,
                    "Please input phone number or recieve email", "phone"),
                MmsCase(
                    "EmailAloneIsARecipient",
                    [](MmsSettings& s) {
                        s.phone.clear();
                        s.email = "a@b.cn";
                    },
                    1, nullptr, ""),
                MmsCase(
                    "ShortPhoneBeforeABadEmail",
                    [](MmsSettings& s) {
                        s.phone = "1234";
                        s.email = "x";
                    },
                    1, "Phone number error", "phone"),
                MmsCase(
                    "ShortPhone2", [](MmsSettings& s) { s.phone2 = "a@b"; }, 1,
                    "Phone number or receive email format error", "phone2"),
                MmsCase(
                    "PlusAndTwelveDigits", [](MmsSettings& s) { s.phone = "+861380013800"; }, 1, nullptr, ""),
                MmsCase(
                    "PlusInTheMiddle", [](MmsSettings& s) { s.phone = "8613+80013800"; }, 1,
                    "Only numbers(+) are allowed phone number", "phone"),
                MmsCase(
                    "LetterFirst", [](MmsSettings& s) { s.phone = "a13800138000"; }, 1,
                    "Only numbers(+) are allowed phone number", "phone"),
                MmsCase(
                    "Phone2WithAtIsNotCheckedFurther", [](MmsSettings& s) { s.phone2 = "x y@z"; }, 1, nullptr, ""),
                MmsCase(
                    "Phone2NumberWithPlusSigns", [](MmsSettings& s) { s.phone2 = "+86+1380"; }, 1, nullptr, ""),
                MmsCase(
                    "Phone2NeitherAddressNorNumber", [](MmsSettings& s) { s.phone2 = "13800x"; }, 1,
                    "Please check the phone number or email address", "phone2"),
                MmsCase(
                    "EmailWithoutAt", [](MmsSettings& s) { s.email = "abc.de"; }, 1, "Error email address", "email"),
                MmsCase(
                    "EmailWithoutDot", [](MmsSettings& s) { s.email = "a@bcde"; }, 1, "Error email address", "email"),
                MmsCase(
                    "EmailDotAnywhere", [](MmsSettings& s) { s.email = "a.b@c"; }, 1, nullptr, ""),
                MmsCase(
                    "PresetModeNeedsNoParameters",
                    [](MmsSettings& s) {
                        s.url.clear();
                        s.gateway = "x";
                    },
                    1, nullptr, ""),
                MmsCase(
                    "CustomUrlBeforeApn",
                    [](MmsSettings& s) {
                        s.url.clear();
                        s.apn.clear();
                    },
                    0, "Error MMS URL", "url"),
                MmsCase(
                    "CustomApn", [](MmsSettings& s) { s.apn.clear(); }, 0, "Error MMS APN ", "apn"),
                MmsCase(
                    "CustomGatewayBeforePort",
                    [](MmsSettings& s) {
                        s.gateway.clear();
                        s.port.clear();
                    },
                    0, "Error MMS GateWay", "gateway"),
                MmsCase(
                    "CustomPort", [](MmsSettings& s) { s.port.clear(); }, 0, "Error MMS Port", "port"),
                MmsCase(
                    "CustomGatewayWithoutDot", [](MmsSettings& s) { s.gateway = "localhost"; }, 0, "Error MMS GateWay",
                    "gateway"),
                // The gateway ("MMS IP") is an IPv4 address, the port a number
                // 1 to 65535; each refused with the window's own message.
                MmsCase(
                    "CustomGatewayPartPast255", [](MmsSettings& s) { s.gateway = "999.1.1.1"; }, 0, "Error MMS GateWay",
                    "gateway"),
                MmsCase(
                    "CustomGatewayOfThreeParts", [](MmsSettings& s) { s.gateway = "10.0.0"; }, 0, "Error MMS GateWay",
                    "gateway"),
                MmsCase(
                    "CustomGatewayHostName", [](MmsSettings& s) { s.gateway = "wap.example.net"; }, 0,
                    "Error MMS GateWay", "gateway"),
                MmsCase(
                    "CustomGatewayEmptyPart", [](MmsSettings& s) { s.gateway = "10..0.1"; }, 0, "Error MMS GateWay",
                    "gateway"),
                MmsCase(
                    "CustomPortLetters", [](MmsSettings& s) { s.port = "80a"; }, 0, "Error MMS Port", "port"),
                MmsCase(
                    "CustomPortPastTheLast", [](MmsSettings& s) { s.port = "65536"; }, 0, "Error MMS Port", "port"),
                MmsCase(
                    "CustomPortZero", [](MmsSettings& s) { s.port = "0"; }, 0, "Error MMS Port", "port"),
                MmsCase(
                    "CustomPortNegative", [](MmsSettings& s) { s.port = "-1"; }, 0, "Error MMS Port", "port"),
                MmsCase(
                    "CustomHighestAddressAndPort",
                    [](MmsSettings& s) {
                        s.gateway = "255.255.255.255";
                        s.port = "65535";
                    },
                    0, nullptr, ""),
                MmsCase(
                    "EmailWithANewline", [](MmsSettings& s) { s.email = "a@b.cn\n"; }, 1,
                    "Recieve Email holds the control character 0x0A, which the camera cannot use in a text.", "email"),
                MmsCase(
                    "CustomUrlWithAnEscape", [](MmsSettings& s) { s.url = "http://\x1b[31mmms"; }, 0,
                    "MMS URL holds the control character 0x1B, which the camera cannot use in a text.", "url"),
                MmsCase(
                    "SmsControlOnWithOnlyAnEmail",
                    [](MmsSettings& s) {
                        s.phone.clear();
                        s.email = "a@b.cn";
                        s.smsControl = 2;
                    },
                    1, "SMS control is already open，please input Phone No.", "phone"),
                MmsCase(
                    "ParametersBeforeSmsControl",
                    [](MmsSettings& s) {
                        s.phone.clear();
                        s.email = "a@b.cn";
                        s.smsControl = 0;
                        s.port.clear();
                    },
                    0, "Error MMS Port", "port")};
    }
};

// --- gprs.dat: everything the checks ask for, in Auto mode with China's first
// operator.

struct GprsSaves {
    using Record = GprsSettings;
    static constexpr auto Prepare = &PrepareGprsSave;
    static GprsSettings Start() { return test::CompleteGprsStart(); }
    static std::vector<SaveCheckCase<GprsSettings>> Cases()
    {
        return {
            {"one-character port", [](GprsSettings& s) { s.smtpPort = "2"; }, "Please Input Port"},
            // A port of two or more characters is a number 1 to 65535.
            {"two-letter port", [](GprsSettings& s) { s.smtpPort = "ab"; }, "The port must be a number from 1 to 65535",
             "smtpPort"},
            {"port past the last", [](GprsSettings& s) { s.smtpPort = "65536"; },
             "The port must be a number from 1 to 65535", "smtpPort"},
            {"negative port", [](GprsSettings& s) { s.smtpPort = "-1"; }, "The port must be a number from 1 to 65535",
             "smtpPort"},
            {"port zero in two digits", [](GprsSettings& s) { s.smtpPort = "00"; },
             "The port must be a number from 1 to 65535", "smtpPort"},
            {"highest port", [](GprsSettings& s) { s.smtpPort = "65535"; }, nullptr},
            {"port with leading zeros", [](GprsSettings& s) { s.smtpPort = "0025"; }, nullptr},
            // The camera logs in with the name before the "@".
            {"sender with nothing before the at", [](GprsSettings& s) { s.senderEmail = "@example.org"; },
             "Error email address", "senderEmail"},
            {"server with a control character", [](GprsSettings& s) { s.smtpServer = "smtp\x01.example.com"; },
             "Email Server holds the control character 0x01, which the camera cannot use in a text.", "smtpServer"},
            {"recipient with a tab", [](GprsSettings& s) { s.recipientEmail = "me@example.com\t"; },
             "Receive Email holds the control character 0x09, which the camera cannot use in a text.",
             "recipientEmail"},
            {"password with a DEL", [](GprsSettings& s) { s.senderPassword = "sec\x7fret"; },
             "Sender Password holds the control character 0x7F, which the camera cannot use in a text.",
             "senderPassword"},
            {"one-character server", [](GprsSettings& s) { s.smtpServer = "s"; }, "Please Input Smtp Server address"},
            {"sender with a dot but no at", [](GprsSettings& s) { s.senderEmail = "cam.example.com"; },
             "Error email address"},
            {"sender with an at but no dot", [](GprsSettings& s) { s.senderEmail = "cam@example"; },
             "Error email address"},
            {"sender with the dot before the at", [](GprsSettings& s) { s.senderEmail = "c.am@example"; }, nullptr},
            {"empty sender", [](GprsSettings& s) { s.senderEmail.clear(); }, "Please Input Email"},
            {"one-character sender password", [](GprsSettings& s) { s.senderPassword = "x"; },
             "Please Input Sender Email Password"},
            {"empty recipient", [](GprsSettings& s) { s.recipientEmail.clear(); }, "Please Input Email"},
            {"recipient without at", [](GprsSettings& s) { s.recipientEmail = "me.example.com"; },
             "Error Receive Email "},
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
    }
};

// --- sms.dat: the three phone numbers.

SaveCheckCase<SmsSettings> Phones(const char* phone1, const char* phone2, const char* phone3, const char* refusal)
{
    return {std::string("\"") + phone1 + "\" \"" + phone2 + "\" \"" + phone3 + '"',
            [=](SmsSettings& s) {
                s.phone1 = phone1;
                s.phone2 = phone2;
                s.phone3 = phone3;
            },
            refusal};
}

struct SmsSaves {
    using Record = SmsSettings;
    static constexpr auto Prepare = &PrepareSmsSave;
    static SmsSettings Start() { return InitialSmsSettings(kEnglish); }
    static std::vector<SaveCheckCase<SmsSettings>> Cases()
    {
        return {
            Phones("", "", "", "Phone No1. Error"),
            Phones("1234", "", "", "Phone No1. Error"),
            Phones("+1234567890", "", "", nullptr),
            Phones("12345", "1234", "", "Phone No2. Error"),
            Phones("12345", "12345", "1", "Phone No3. Error"),
            Phones("12345", "12345", "ABCDE", nullptr), // the third number is checked for its length only
            Phones("12345", "12345", "1234\x1b[31m",
                   "Phone Number 3 holds the control character 0x1B, which the camera cannot use in a text."),
            Phones("123 45", "", "", "Please check the phone number"),
            Phones("123-45", "", "", "Please check the phone number"),
            Phones("12345", "678-90", "", "Please check the phone number"),
            Phones("12345", "67890", "", nullptr),
            // Lengths are checked before digits, the second number before the first.
            Phones("abcde", "1234", "", "Phone No2. Error"),
            Phones("abcde", "6 7 8", "", "Please check the phone number"),
        };
    }
};

template <typename Saves> class SaveChecks : public ::testing::Test {
};

using Windows = ::testing::Types<MmsSaves, GprsSaves, SmsSaves>;

class WindowNames {
public:
    template <typename Saves> static std::string GetName(int)
    {
        return std::is_same_v<Saves, MmsSaves> ? "Mms" : std::is_same_v<Saves, GprsSaves> ? "Gprs" : "Sms";
    }
};

TYPED_TEST_SUITE(SaveChecks, Windows, WindowNames);

TYPED_TEST(SaveChecks, TheFirstFailingCheckRefusesWithItsMessage)
{
    using Record = typename TypeParam::Record;
    for (const SaveCheckCase<Record>& c : TypeParam::Cases()) {
        SCOPED_TRACE(c.name);
        Record shown = TypeParam::Start();
        c.change(shown);
        const SaveDecision<Record> decision = TypeParam::Prepare(shown, kEnglish);
        if (c.refusal == nullptr) {
            EXPECT_TRUE(decision.ok()) << decision.refusal.value_or(QString()).toStdString();
            continue;
        }
        ASSERT_FALSE(decision.ok());
        EXPECT_EQ(*decision.refusal, QString::fromUtf8(c.refusal));
        if (c.field != nullptr) {
            EXPECT_EQ(decision.field, QString::fromLatin1(c.field));
        }
    }
}

} // namespace
} // namespace kestra
