// SPDX-License-Identifier: Apache-2.0
#include "formats/mms/MmsFile.h"
#include "formats/mms/MmsCatalogue.h"
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

// The window's start values in English with a phone number typed in.
MmsSettings EnglishStart()
{
    MmsSettings s;
    s.languageCode = 2;
    s.countryCode = kMmsChinaIndex;
    s.smsControl = 5;
    s.presetFlag = 1;
    s.url = "http://mmsc.monternet.com";
    s.apn = "cmwap";
    s.gateway = "10.0.0.172";
    s.port = "80";
    s.phone = "13800138000";
    return s;
}

MmsSettings CustomFull()
{
    MmsSettings s;
    s.picturesPerDay = 37;
    s.languageCode = 1;
    s.countryCode = COUNTRY_CUSTOM;
    s.smsControl = 2;
    s.url = "http://mms.example.net/servlets/mms?x=0123456789ab";
    s.apn = "mms.example";
    s.gateway = "192.168.100.1";
    s.port = "9201";
    s.phone = "+8613800138000";
    s.email = "camera@example.com";
    s.account = "user";
    s.password = "secret";
    s.phone2 = "+8613900139000";
    return s;
}

TEST(MmsFile, HeaderExampleBeforeAndAfterScrambling)
{
    const QByteArray file = BuildMmsFile(test::MustPass(EnglishStart()));
    const QByteArray stored = file.left(60);
    EXPECT_EQ(stored.left(11), Bytes({0x00, 0x00, 0x00, 0x00, 0x00, 0x20, 0x00, 0x10, 0x40, 0x00, 0x50}));
    EXPECT_EQ(Unscrambled(stored).left(11), Bytes({0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01, 0x04, 0x00, 0x05}));
    EXPECT_EQ(stored[50], 0x01);
    EXPECT_EQ(stored.mid(51), Bytes({0, 0, 0, 0, 0, 0, 0, 0x0D, 0x0A}));
}

TEST(MmsFile, PicturesAndCustomModeAsStored)
{
    const QByteArray header = BuildMmsFile(test::MustPass(CustomFull())).left(60);
    EXPECT_EQ(header[3], 0x30);
    EXPECT_EQ(header[4], 0x70);
    EXPECT_EQ(static_cast<std::uint8_t>(header[8]), 0x08) << "0x80 stored scrambled";
    EXPECT_EQ(header[50], 0x00);
}

TEST(MmsFile, TextBlocksAndFrame)
{
    const QByteArray file = BuildMmsFile(test::MustPass(CustomFull()));
    ASSERT_EQ(file.size(), kMmsFileSize);
    for (int block = 0; block < 13; ++block) {
        EXPECT_EQ(file[block * 60 + 58], '\r') << block;
        EXPECT_EQ(file[block * 60 + 59], '\n') << block;
    }
    // A 50-byte url fills the whole payload; the length byte stays readable.
    const QByteArray url = file.mid(60, 60);
    EXPECT_EQ(Unscrambled(url).left(50), CustomFull().url);
    EXPECT_EQ(url[57], 50);
    // Block 10 is empty, and so is a text left empty elsewhere.
    QByteArray empty(58, '\0');
    empty += "\r\n";
    EXPECT_EQ(file.mid(600, 60), empty);
    EXPECT_EQ(BuildMmsFile(test::MustPass(EnglishStart())).mid(360, 60), empty) << "no e-mail address";
    EXPECT_EQ(file.mid(720, 60), empty) << "closing block";
    EXPECT_EQ(file.mid(660, 56), QByteArray(56, '\0'));
}

TEST(MmsFile, MatchesTheGoldenFiles)
{
    EXPECT_EQ(BuildMmsFile(test::MustPass(EnglishStart())), Golden("mms_preset.dat"));
    EXPECT_EQ(BuildMmsFile(test::MustPass(CustomFull())), Golden("mms_custom.dat"));
}

TEST(ReadMmsFile, GivesBackWhatLoadConfigureReads)
{
    for (const MmsSettings& s : {EnglishStart(), CustomFull()}) {
        const MmsLoaded loaded = ParseMmsFile(BuildMmsFile(test::MustPass(s)));
        EXPECT_TRUE(loaded.findings.empty());
        EXPECT_EQ(loaded.picturesPerDay, s.picturesPerDay);
        EXPECT_EQ(loaded.smsControl, s.smsControl);
        EXPECT_EQ(loaded.presetMode, s.presetFlag == 1);
        if (s.presetFlag == 1) {
            EXPECT_EQ(loaded.countryCode, s.countryCode);
            EXPECT_EQ(loaded.operatorIndex, s.operatorIndex);
        } else {
            EXPECT_FALSE(loaded.countryCode.has_value()) << "the custom mode's codes are not read";
            EXPECT_FALSE(loaded.operatorIndex.has_value());
        }
        for (const auto& [got, want] : {std::pair{loaded.url, s.url},
                                        {loaded.apn, s.apn},
                                        {loaded.gateway, s.gateway},
                                        {loaded.port, s.port},
                                        {loaded.phone, s.phone},
                                        {loaded.email, s.email},
                                        {loaded.account, s.account},
                                        {loaded.password, s.password},
                                        {loaded.phone2, s.phone2}})
            EXPECT_EQ(got, want);
    }
}

TEST(ReadMmsFile, NeverHandsBackAnIndexPastItsList)
{
    struct Case {
        const char* name;
        void (*change)(QByteArray&);
        bool sms;
        bool country;
        bool op;
    };
    // Header bytes are stored nibble-swapped: 0x60 is 6, 0xA2 is 0x2A (42).
    const std::vector<Case> cases{
        {"sms control 6", [](QByteArray& f) { f[10] = 0x60; }, false, true, true},
        {"country 42", [](QByteArray& f) { f[8] = static_cast<char>(0xA2); }, true, false, false},
        {"country 0xFF", [](QByteArray& f) { f[8] = static_cast<char>(0xFF); }, true, false, false},
        {"China slot 2", [](QByteArray& f) { f[9] = 0x20; }, true, true, false},
        {"China slot 9", [](QByteArray& f) { f[9] = static_cast<char>(0x90); }, true, true, false},
    };
    for (const Case& c : cases) {
        QByteArray file = BuildMmsFile(test::MustPass(EnglishStart()));
        c.change(file);
        const MmsLoaded loaded = ParseMmsFile(file);
        EXPECT_EQ(loaded.smsControl.has_value(), c.sms) << c.name;
        EXPECT_EQ(loaded.countryCode.has_value(), c.country) << c.name;
        EXPECT_EQ(loaded.operatorIndex.has_value(), c.op) << c.name;
        EXPECT_FALSE(loaded.findings.empty()) << c.name;
    }
}

TEST(WriteMmsFile, RefusesATextLongerThanItsFieldAndWritesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        const char* name;
        void (*change)(MmsSettings&);
    };
    const std::vector<Case> cases{
        {"url 51", [](MmsSettings& s) { s.url = QByteArray(51, 'u'); }},
        {"gateway 21", [](MmsSettings& s) { s.gateway = QByteArray(21, '1'); }},
        {"phone 33", [](MmsSettings& s) { s.phone = QByteArray(33, '1'); }},
        {"email 41", [](MmsSettings& s) { s.email = QByteArray(41, 'e'); }},
        {"pictures 100", [](MmsSettings& s) { s.picturesPerDay = 100; }},
        {"sms control 6", [](MmsSettings& s) { s.smsControl = 6; }},
        {"country 42", [](MmsSettings& s) { s.countryCode = 42; }},
        {"custom with a country", [](MmsSettings& s) { s.presetFlag = 0; }},
    };
    for (const Case& c : cases) {
        MmsSettings s = EnglishStart();
        c.change(s);
        const SaveDecision<MmsSettings> decision = CheckMmsRecord(s);
        EXPECT_FALSE(decision.ok()) << c.name;
        ASSERT_TRUE(decision.refusal.has_value()) << c.name;
        EXPECT_FALSE(decision.refusal->isEmpty()) << c.name;
    }

    MmsSettings longUrl = EnglishStart();
    longUrl.url = QByteArray(51, 'u');
    const SaveDecision<MmsSettings> longUrlDecision = CheckMmsRecord(longUrl);
    EXPECT_EQ(longUrlDecision.refusal, QStringLiteral("url is 51 bytes long; at most 50 bytes fit."));
    EXPECT_EQ(longUrlDecision.field, QStringLiteral("url"));
}

TEST(WriteMmsFile, SavesAndReadsBack)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const SaveResult result = WriteMmsFile(dir.path(), test::MustPass(CustomFull()));
    ASSERT_TRUE(result.ok()) << result.error->message().toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("mms.dat")});

    const MmsReadResult read = ReadMmsFile(dir.filePath(QStringLiteral("mms.dat")));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.values.phone2, CustomFull().phone2);

    const MmsReadResult folder = ReadMmsFile(dir.path());
    ASSERT_FALSE(folder.ok());
    EXPECT_EQ(folder.error->kind, FileErrorKind::NotRegularFile);
}

} // namespace
} // namespace kestra
