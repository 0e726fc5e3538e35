// SPDX-License-Identifier: Apache-2.0
#include "formats/gprs/GprsFile.h"
#include "formats/gprs/GprsCatalogue.h"
#include "storage/SettingsBlock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/CheckedRecords.h"

#include "support/TestBytes.h"

#include <vector>

namespace kestra {
namespace {

using testdata::Bytes;
using testdata::Golden;
using testdata::Unscrambled;

// A fresh window in English with the required texts typed in.
GprsSettings EnglishAuto()
{
    GprsSettings s;
    s.mode = kGprsModeAuto;
    s.countryIndex = kGprsChinaIndex;
    s.languageCode = 2;
    s.smsControl = 5;
    s.apn = "cmnet";
    s.smtpServer = "smtp.example.com";
    s.smtpPort = "25";
    s.senderEmail = "ab@example.com";
    s.senderPassword = "mailpass";
    s.recipientEmail = "photos@example.org";
    return s;
}

GprsSettings Customer()
{
    GprsSettings s;
    s.mode = kGprsModeCustomer;
    s.countryIndex = 7; // meaningless in Customer mode: the file stores 0x80
    s.picturesPerDay = 99;
    s.languageCode = 1;
    s.smsControl = 0;
    s.apn = "internet";
    s.gprsAccount = "gprsuser";
    s.gprsPassword = "gprspass";
    s.smtpServer = "mail.example.net";
    s.smtpPort = "587";
    s.senderEmail = "trailcam";
    s.senderPassword = "pw";
    s.phoneNumber = "+4915112345678";
    s.recipientEmail = "me@example.net";
    return s;
}

TEST(GprsFile, HeaderExampleBeforeAndAfterScrambling)
{
    const QByteArray stored = BuildGprsFile(test::MustPass(EnglishAuto())).left(60);
    EXPECT_EQ(stored.left(9), Bytes({0x00, 0x00, 0x40, 0x00, 0x00, 0x20, 0x10, 0x10, 0x50}));
    EXPECT_EQ(Unscrambled(stored).left(9), Bytes({0x00, 0x00, 0x04, 0x00, 0x00, 0x02, 0x01, 0x01, 0x05}));
    EXPECT_EQ(stored[50], 0x01);
    EXPECT_EQ(stored.right(2), QByteArray("\r\n"));
}

TEST(GprsFile, CustomerModeStores0x80AndNoAutoFlag)
{
    const QByteArray header = Unscrambled(BuildGprsFile(test::MustPass(Customer())).left(60));
    EXPECT_EQ(static_cast<std::uint8_t>(header[2]), 0x80);
    EXPECT_EQ(header[1], 0);
    EXPECT_EQ(header[50], 0);
}

TEST(GprsFile, PicturesPerDayAsTwoDigits)
{
    struct Case {
        int pictures;
        char tens;
        char units;
    };
    for (const Case& c : {Case{0, 0, 0}, Case{7, 0, 7}, Case{42, 4, 2}, Case{99, 9, 9}}) {
        GprsSettings s = EnglishAuto();
        s.picturesPerDay = c.pictures;
        const QByteArray header = Unscrambled(BuildGprsFile(test::MustPass(s)).left(60));
        EXPECT_EQ(header[3], c.tens) << c.pictures;
        EXPECT_EQ(header[4], c.units) << c.pictures;
    }
}

TEST(GprsFile, UserNameBlockIsTheSenderBeforeItsFirstAt)
{
    struct Case {
        QByteArray sender;
        QByteArray user;
    };
    for (const Case& c : {Case{"ab@example.com", "ab"}, Case{"trailcam", "trailcam"}, Case{"a@b@c", "a"},
                          Case{"@example.com", ""}, Case{"", ""}}) {
        GprsSettings s = EnglishAuto();
        s.senderEmail = c.sender;
        const QByteArray block = BuildGprsFile(test::MustPass(s)).mid(540, 60);
        EXPECT_EQ(block[57], c.user.size()) << c.sender.constData();
        EXPECT_EQ(Unscrambled(block).left(static_cast<int>(c.user.size())), c.user) << c.sender.constData();
    }
}

TEST(GprsFile, FrameAndGoldenFiles)
{
    const QByteArray file = BuildGprsFile(test::MustPass(EnglishAuto()));
    ASSERT_EQ(file.size(), kGprsFileSize);
    for (int block = 0; block < 13; ++block)
        EXPECT_EQ(file.mid(block * 60 + 58, 2), QByteArray("\r\n")) << block;
    QByteArray empty(58, '\0');
    empty += "\r\n";
    EXPECT_EQ(file.mid(120, 60), empty) << "an empty GPRS account";
    EXPECT_EQ(file.mid(720, 60), empty) << "closing block";
    EXPECT_EQ(file, Golden("gprs_auto.dat"));
    EXPECT_EQ(BuildGprsFile(test::MustPass(Customer())), Golden("gprs_customer.dat"));
}

TEST(GprsFileReader, GivesBackAllButSenderPasswordAndLanguage)
{
    for (const GprsSettings& s : {EnglishAuto(), Customer()}) {
        const GprsLoaded loaded = ParseGprsFile(BuildGprsFile(test::MustPass(s)));
        EXPECT_TRUE(loaded.findings.empty());
        EXPECT_EQ(loaded.mode, s.mode);
        EXPECT_EQ(loaded.countryIndex, s.mode == kGprsModeCustomer ? kGprsCountryCustomer : s.countryIndex);
        EXPECT_EQ(loaded.operatorIndex, s.operatorIndex);
        EXPECT_EQ(loaded.picturesPerDay, s.picturesPerDay);
        EXPECT_EQ(loaded.smsControl, s.smsControl);
        for (const auto& [got, want] : {std::pair{loaded.apn, s.apn},
                                        {loaded.gprsAccount, s.gprsAccount},
                                        {loaded.gprsPassword, s.gprsPassword},
                                        {loaded.smtpServer, s.smtpServer},
                                        {loaded.smtpPort, s.smtpPort},
                                        {loaded.senderEmail, s.senderEmail},
                                        {loaded.phoneNumber, s.phoneNumber},
                                        {loaded.recipientEmail, s.recipientEmail}})
            EXPECT_EQ(got, want);
    }
}

TEST(GprsFileReader, ModeComesFromByte50Alone)
{
    // A Customer file whose byte 2 holds a valid country still reads as Customer.
    QByteArray file = BuildGprsFile(test::MustPass(Customer()));
    file[2] = 0x40;
    const GprsLoaded loaded = ParseGprsFile(file);
    EXPECT_EQ(loaded.mode, kGprsModeCustomer);
    EXPECT_FALSE(loaded.countryIndex.has_value());

    file = BuildGprsFile(test::MustPass(EnglishAuto()));
    file[50] = 0x07; // any non-zero value is Auto
    EXPECT_EQ(ParseGprsFile(file).mode, kGprsModeAuto);
}

TEST(GprsFileReader, NeverHandsBackAnIndexPastItsList)
{
    struct Case {
        const char* name;
        int offset;
        int stored;
        bool sms;
        bool country;
        bool op;
    };
    // Stored bytes are nibble-swapped: 0x92 is 41, 0x20 is 2.
    for (const Case& c :
         {Case{"sms control 0xFF", 8, 0xFF, false, true, true}, Case{"country 41", 2, 0x92, true, false, false},
          Case{"Auto with 0x80", 2, 0x08, true, false, false}, Case{"China operator 2", 1, 0x20, true, true, false}}) {
        QByteArray file = BuildGprsFile(test::MustPass(EnglishAuto()));
        file[c.offset] = static_cast<char>(c.stored);
        const GprsLoaded loaded = ParseGprsFile(file);
        EXPECT_EQ(loaded.smsControl.has_value(), c.sms) << c.name;
        EXPECT_EQ(loaded.countryIndex.has_value(), c.country) << c.name;
        EXPECT_EQ(loaded.operatorIndex.has_value(), c.op) << c.name;
        EXPECT_FALSE(loaded.findings.empty()) << c.name;
    }
}

TEST(GprsFileWriter, RefusesWhatTheCameraWouldMisread)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        const char* name;
        void (*change)(GprsSettings&);
        FindingKind kind;
    };
    const std::vector<Case> cases{
        {"server 41", [](GprsSettings& s) { s.smtpServer = QByteArray(41, 's'); }, FindingKind::TextLength},
        {"phone 31", [](GprsSettings& s) { s.phoneNumber = QByteArray(31, '1'); }, FindingKind::TextLength},
        {"sender password 33", [](GprsSettings& s) { s.senderPassword = QByteArray(33, 'p'); },
         FindingKind::TextLength},
        {"country 41", [](GprsSettings& s) { s.countryIndex = 41; }, FindingKind::CatalogueIndex},
        {"Swisscom slot 3",
         [](GprsSettings& s) {
             s.countryIndex = 31;
             s.operatorIndex = 3;
         },
         FindingKind::CatalogueIndex},
        {"mode 2", [](GprsSettings& s) { s.mode = 2; }, FindingKind::Mode},
        {"language 0", [](GprsSettings& s) { s.languageCode = 0; }, FindingKind::OutOfRange},
    };
    for (const Case& c : cases) {
        GprsSettings s = EnglishAuto();
        c.change(s);
        const SaveDecision<GprsSettings> decision = CheckGprsRecord(s);
        ASSERT_FALSE(decision.ok()) << c.name;
        const SettingsFindings findings = CheckGprsSettings(s);
        ASSERT_FALSE(findings.empty()) << c.name;
        EXPECT_EQ(findings.front().kind, c.kind) << c.name;
        EXPECT_EQ(decision.field, findings.front().field) << c.name;
    }

    ASSERT_TRUE(WriteGprsFile(dir.path(), test::MustPass(Customer())).ok());
    const GprsReadResult read = ReadGprsFile(dir.filePath(QStringLiteral("gprs.dat")));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.values.countryIndex, kGprsCountryCustomer);
    EXPECT_FALSE(ReadGprsFile(dir.filePath(QStringLiteral("none.dat"))).ok());
}

} // namespace
} // namespace kestra
