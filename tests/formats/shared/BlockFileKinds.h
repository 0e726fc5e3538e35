// SPDX-License-Identifier: Apache-2.0
#pragma once

// The three block files (mms.dat, gprs.dat, sms.dat) as the shared block file
// tests take them: each kind's functions, two sample records with their golden
// files and, where the kinds differ, what each stores of them.

#include "formats/gprs/GprsCatalogue.h"
#include "formats/gprs/GprsFile.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsFile.h"
#include "formats/sms/SmsFile.h"

#include <gtest/gtest.h>

#include "support/TestBytes.h"

#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

namespace kestra::test {

// A value of the record the check must refuse, with the finding it gives.
template <typename Record> struct RefusalCase {
    const char* name;
    void (*change)(Record&);
    FindingKind kind;
    const char* field;
};

// A header byte of a built file changed to a value that names no list entry
// or catalogue index, and which of the kind's indexes still read back.
struct IndexCase {
    const char* name;
    int offset;
    int stored; // as stored: nibble-swapped, so 0x60 is 6
    std::vector<bool> present;
};

// One header byte as the camera reads it (before scrambling).
struct HeaderCell {
    int offset;
    int value;
};

inline void ExpectSameTexts(std::initializer_list<std::pair<QByteArray, QByteArray>> texts)
{
    for (const auto& [got, want] : texts)
        EXPECT_EQ(got, want);
}

struct MmsFileKind {
    using Record = MmsSettings;
    using Loaded = MmsLoaded;
    static constexpr auto Build = &BuildMmsFile;
    static constexpr auto Parse = &ParseMmsFile;
    static constexpr auto Write = &WriteMmsFile;
    static constexpr auto Read = &ReadMmsFile;
    static constexpr auto CheckRecord = &CheckMmsRecord;
    static constexpr auto CheckSettings = &CheckMmsSettings;
    static constexpr const auto& kFields = kMmsTextFields;
    static constexpr qsizetype kFileSize = kMmsFileSize;
    static constexpr const char* kName = "Mms";
    static constexpr const char* kFileName = kMmsFileName;
    static constexpr const char* kGolden[] = {"formats/mms", "mms_preset.dat", "mms_custom.dat"};
    static constexpr int kChecksumBlock = 11;
    static inline const std::vector<int> kEmptyBlocks{10, 12}; // an unused text block and the closing block

    // clang-format off
    // The window's start values in English with a phone number typed in.
    static inline const MmsSettings kStart{.languageCode = 2, .countryCode = kMmsChinaIndex, .smsControl = 5,
        .presetFlag = 1, .url = "http://mmsc.monternet.com", .apn = "cmwap", .gateway = "10.0.0.172", .port = "80",
        .phone = "13800138000", .email = "", .account = "", .password = "", .phone2 = ""};
    // The custom mode with every text typed, the url filling its whole block.
    static inline const MmsSettings kOther{.picturesPerDay = 37, .languageCode = 1, .countryCode = COUNTRY_CUSTOM,
        .smsControl = 2, .url = "http://mms.example.net/servlets/mms?x=0123456789ab", .apn = "mms.example",
        .gateway = "192.168.100.1", .port = "9201", .phone = "+8613800138000", .email = "camera@example.com",
        .account = "user", .password = "secret", .phone2 = "+8613900139000"};
    // clang-format on

    // kStart: language 2, version 1, country China (4), SMS control 5.
    static inline const QByteArray kStartStored = testdata::Bytes({0, 0, 0, 0, 0, 0x20, 0, 0x10, 0x40, 0, 0x50});
    static inline const QByteArray kStartPlain = testdata::Bytes({0, 0, 0, 0, 0, 0x02, 0, 0x01, 0x04, 0, 0x05});
    // kOther: 37 pictures, the custom country, the custom mode's flag.
    static inline const std::vector<HeaderCell> kOtherCells{{3, 3}, {4, 7}, {8, 0x80}, {50, 0}};

    static inline const std::vector<std::optional<int> MmsLoaded::*> kIndexes{
        &MmsLoaded::smsControl, &MmsLoaded::countryCode, &MmsLoaded::operatorIndex};
    static inline const std::vector<IndexCase> kIndexCases{
        {"sms control 6", 10, 0x60, {false, true, true}}, {"country 42", 8, 0xA2, {true, false, false}},
        {"country 0xFF", 8, 0xFF, {true, false, false}},  {"China slot 2", 9, 0x20, {true, true, false}},
        {"China slot 9", 9, 0x90, {true, true, false}},
    };

    static inline const std::vector<RefusalCase<MmsSettings>> kRefusals{
        {"url 51", [](MmsSettings& s) { s.url = QByteArray(51, 'u'); }, FindingKind::TextLength, "url"},
        {"gateway 21", [](MmsSettings& s) { s.gateway = QByteArray(21, '1'); }, FindingKind::TextLength, "gateway"},
        {"phone 33", [](MmsSettings& s) { s.phone = QByteArray(33, '1'); }, FindingKind::TextLength, "phone"},
        {"email 41", [](MmsSettings& s) { s.email = QByteArray(41, 'e'); }, FindingKind::TextLength, "email"},
        {"country 42", [](MmsSettings& s) { s.countryCode = 42; }, FindingKind::CatalogueIndex, "countryCode"},
        {"custom with a country", [](MmsSettings& s) { s.presetFlag = 0; }, FindingKind::Mode, "countryCode"},
    };

    // What Load configure reads back: the custom mode's codes are not read.
    static void ExpectLoaded(const MmsLoaded& loaded, const MmsSettings& s)
    {
        EXPECT_EQ(loaded.picturesPerDay, s.picturesPerDay);
        EXPECT_EQ(loaded.smsControl, s.smsControl);
        EXPECT_EQ(loaded.presetMode, s.presetFlag == 1);
        EXPECT_EQ(loaded.countryCode, s.presetFlag == 1 ? std::optional(s.countryCode) : std::nullopt);
        EXPECT_EQ(loaded.operatorIndex, s.presetFlag == 1 ? std::optional(s.operatorIndex) : std::nullopt);
        ExpectSameTexts({{loaded.url, s.url},
                         {loaded.apn, s.apn},
                         {loaded.gateway, s.gateway},
                         {loaded.port, s.port},
                         {loaded.phone, s.phone},
                         {loaded.email, s.email},
                         {loaded.account, s.account},
                         {loaded.password, s.password},
                         {loaded.phone2, s.phone2}});
    }
};

struct GprsFileKind {
    using Record = GprsSettings;
    using Loaded = GprsLoaded;
    static constexpr auto Build = &BuildGprsFile;
    static constexpr auto Parse = &ParseGprsFile;
    static constexpr auto Write = &WriteGprsFile;
    static constexpr auto Read = &ReadGprsFile;
    static constexpr auto CheckRecord = &CheckGprsRecord;
    static constexpr auto CheckSettings = &CheckGprsSettings;
    static constexpr const auto& kFields = kGprsTextFields;
    static constexpr qsizetype kFileSize = kGprsFileSize;
    static constexpr const char* kName = "Gprs";
    static constexpr const char* kFileName = kGprsFileName;
    static constexpr const char* kGolden[] = {"formats/gprs", "gprs_auto.dat", "gprs_customer.dat"};
    static constexpr int kChecksumBlock = 11;
    static inline const std::vector<int> kEmptyBlocks{12}; // the closing block

    // clang-format off
    // A fresh window in English with the required texts typed in.
    static inline const GprsSettings kStart{.mode = kGprsModeAuto, .countryIndex = kGprsChinaIndex, .languageCode = 2,
        .smsControl = 5, .apn = "cmnet", .gprsAccount = "", .gprsPassword = "", .smtpServer = "smtp.example.com",
        .smtpPort = "25", .senderEmail = "ab@example.com", .senderPassword = "mailpass", .phoneNumber = "",
        .recipientEmail = "photos@example.org"};
    // The country is meaningless in Customer mode: the file stores 0x80.
    static inline const GprsSettings kOther{.mode = kGprsModeCustomer, .countryIndex = 7, .picturesPerDay = 99,
        .languageCode = 1, .smsControl = 0, .apn = "internet", .gprsAccount = "gprsuser", .gprsPassword = "gprspass",
        .smtpServer = "mail.example.net", .smtpPort = "587", .senderEmail = "trailcam", .senderPassword = "pw",
        .phoneNumber = "+4915112345678", .recipientEmail = "me@example.net"};
    // clang-format on

    // kStart: China (4), language 2, the two fixed ones, SMS control 5.
    static inline const QByteArray kStartStored = testdata::Bytes({0, 0, 0x40, 0, 0, 0x20, 0x10, 0x10, 0x50});
    static inline const QByteArray kStartPlain = testdata::Bytes({0, 0, 0x04, 0, 0, 0x02, 0x01, 0x01, 0x05});
    // kOther: Customer stores 0x80 for the country, operator 0 and no Auto flag.
    static inline const std::vector<HeaderCell> kOtherCells{{2, 0x80}, {1, 0}, {50, 0}};

    static inline const std::vector<std::optional<int> GprsLoaded::*> kIndexes{
        &GprsLoaded::smsControl, &GprsLoaded::countryIndex, &GprsLoaded::operatorIndex};
    static inline const std::vector<IndexCase> kIndexCases{
        {"sms control 0xFF", 8, 0xFF, {false, true, true}},
        {"country 41", 2, 0x92, {true, false, false}},
        {"Auto with 0x80", 2, 0x08, {true, false, false}},
        {"China operator 2", 1, 0x20, {true, true, false}},
    };

    static inline const std::vector<RefusalCase<GprsSettings>> kRefusals{
        {"server 41", [](GprsSettings& s) { s.smtpServer = QByteArray(41, 's'); }, FindingKind::TextLength,
         "smtpServer"},
        {"phone 31", [](GprsSettings& s) { s.phoneNumber = QByteArray(31, '1'); }, FindingKind::TextLength,
         "phoneNumber"},
        {"sender password 33", [](GprsSettings& s) { s.senderPassword = QByteArray(33, 'p'); }, FindingKind::TextLength,
         "senderPassword"},
        {"country 41", [](GprsSettings& s) { s.countryIndex = 41; }, FindingKind::CatalogueIndex, "countryIndex"},
        {"Swisscom slot 3", [](GprsSettings& s) { s.countryIndex = 31, s.operatorIndex = 3; },
         FindingKind::CatalogueIndex, "operatorIndex"},
        {"mode 2", [](GprsSettings& s) { s.mode = 2; }, FindingKind::Mode, "mode"},
    };

    // All but the sender password and the language come back.
    static void ExpectLoaded(const GprsLoaded& loaded, const GprsSettings& s)
    {
        EXPECT_EQ(loaded.mode, s.mode);
        EXPECT_EQ(loaded.countryIndex, s.mode == kGprsModeCustomer ? kGprsCountryCustomer : s.countryIndex);
        EXPECT_EQ(loaded.operatorIndex, s.operatorIndex);
        EXPECT_EQ(loaded.picturesPerDay, s.picturesPerDay);
        EXPECT_EQ(loaded.smsControl, s.smsControl);
        ExpectSameTexts({{loaded.apn, s.apn},
                         {loaded.gprsAccount, s.gprsAccount},
                         {loaded.gprsPassword, s.gprsPassword},
                         {loaded.smtpServer, s.smtpServer},
                         {loaded.smtpPort, s.smtpPort},
                         {loaded.senderEmail, s.senderEmail},
                         {loaded.phoneNumber, s.phoneNumber},
                         {loaded.recipientEmail, s.recipientEmail}});
    }
};

struct SmsFileKind {
    using Record = SmsSettings;
    using Loaded = SmsLoaded;
    static constexpr auto Build = &BuildSmsFile;
    static constexpr auto Parse = &ParseSmsFile;
    static constexpr auto Write = &WriteSmsFile;
    static constexpr auto Read = &ReadSmsFile;
    static constexpr auto CheckRecord = &CheckSmsRecord;
    static constexpr auto CheckSettings = &CheckSmsSettings;
    static constexpr const auto& kFields = kSmsTextFields;
    static constexpr qsizetype kFileSize = kSmsFileSize;
    static constexpr const char* kName = "Sms";
    static constexpr const char* kFileName = kSmsFileName;
    static constexpr const char* kGolden[] = {"formats/sms", "sms_phone1.dat", "sms_three.dat"};
    static constexpr int kChecksumBlock = 4;
    static inline const std::vector<int> kEmptyBlocks{}; // no closing block

    // clang-format off
    static inline const SmsSettings kStart{.smsControl = kSmsControlOff, .languageCode = 2, .phone1 = "+8613800138000",
        .phone2 = "", .phone3 = ""};
    static inline const SmsSettings kOther{.smsControl = 1, .picturesPerDay = 12, .languageCode = 1,
        .phone1 = "13800138000", .phone2 = "13900139000", .phone3 = "ABCDE"};
    // clang-format on

    // kStart: SMS control off (5), language 2. kOther: 12 pictures, language 1.
    static inline const QByteArray kStartStored = testdata::Bytes({0, 0, 0x50, 0, 0, 0x20, 0});
    static inline const QByteArray kStartPlain = testdata::Bytes({0, 0, 0x05, 0, 0, 0x02, 0});
    static inline const std::vector<HeaderCell> kOtherCells{{3, 1}, {4, 2}, {5, 1}};

    static inline const std::vector<std::optional<int> SmsLoaded::*> kIndexes{&SmsLoaded::smsControl};
    static inline const std::vector<IndexCase> kIndexCases{{"sms control 0xFF", 2, 0xFF, {false}}};

    static inline const std::vector<RefusalCase<SmsSettings>> kRefusals{
        {"phone3 33", [](SmsSettings& s) { s.phone3 = QByteArray(33, '1'); }, FindingKind::TextLength, "phone3"},
    };

    // Every field comes back.
    static void ExpectLoaded(const SmsLoaded& loaded, const SmsSettings& s)
    {
        EXPECT_EQ(loaded.smsControl, s.smsControl);
        EXPECT_EQ(loaded.picturesPerDay, s.picturesPerDay);
        EXPECT_EQ(loaded.languageCode, s.languageCode);
        ExpectSameTexts({{loaded.phone1, s.phone1}, {loaded.phone2, s.phone2}, {loaded.phone3, s.phone3}});
    }
};

} // namespace kestra::test
