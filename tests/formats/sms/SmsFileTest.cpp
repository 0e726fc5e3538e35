// SPDX-License-Identifier: Apache-2.0
#include "formats/sms/SmsFile.h"
#include "storage/SettingsBlock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/CheckedRecords.h"

#include "support/TestBytes.h"

namespace kestra {
namespace {

using testdata::Bytes;
using testdata::Golden;

SmsSettings EnglishPhone1()
{
    SmsSettings s;
    s.smsControl = kSmsControlOff;
    s.languageCode = 2;
    s.phone1 = "+8613800138000";
    return s;
}

SmsSettings ThreeNumbers()
{
    SmsSettings s;
    s.smsControl = 1;
    s.picturesPerDay = 12;
    s.languageCode = 1;
    s.phone1 = "13800138000";
    s.phone2 = "13900139000";
    s.phone3 = "ABCDE";
    return s;
}

TEST(SmsFile, HeaderExamplesAsStored)
{
    const QByteArray english = BuildSmsFile(test::MustPass(EnglishPhone1())).left(60);
    EXPECT_EQ(english.left(7), Bytes({0x00, 0x00, 0x50, 0x00, 0x00, 0x20, 0x00}));
    EXPECT_EQ(english[50], 0x01);
    const QByteArray chinese = BuildSmsFile(test::MustPass(ThreeNumbers())).left(60);
    EXPECT_EQ(chinese.mid(3, 3), Bytes({0x10, 0x20, 0x10}));
}

TEST(SmsFile, FrameAndGoldenFiles)
{
    const QByteArray file = BuildSmsFile(test::MustPass(EnglishPhone1()));
    ASSERT_EQ(file.size(), kSmsFileSize);
    for (int block = 0; block < 5; ++block)
        EXPECT_EQ(file.mid(block * 60 + 58, 2), QByteArray("\r\n")) << block;
    QByteArray empty(58, '\0');
    empty += "\r\n";
    EXPECT_EQ(file.mid(120, 60), empty);
    EXPECT_EQ(file.mid(180, 60), empty);
    EXPECT_EQ(file, Golden("sms_phone1.dat"));
    EXPECT_EQ(BuildSmsFile(test::MustPass(ThreeNumbers())), Golden("sms_three.dat"));
}

TEST(SmsFile, WritesAndReadsBackEveryField)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const SmsSettings s = ThreeNumbers();
    ASSERT_TRUE(WriteSmsFile(dir.path(), test::MustPass(s)).ok());
    const SmsReadResult read = ReadSmsFile(dir.filePath(QStringLiteral("sms.dat")));
    ASSERT_TRUE(read.ok());
    EXPECT_TRUE(read.values.findings.empty());
    EXPECT_EQ(read.values.smsControl, s.smsControl);
    EXPECT_EQ(read.values.picturesPerDay, s.picturesPerDay);
    EXPECT_EQ(read.values.languageCode, s.languageCode);
    EXPECT_EQ(read.values.phone1, s.phone1);
    EXPECT_EQ(read.values.phone2, s.phone2);
    EXPECT_EQ(read.values.phone3, s.phone3);
}

TEST(SmsFile, RefusesAnEditedListEntryAndLongNumbers)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SmsSettings noSelection = EnglishPhone1();
    noSelection.smsControl = 0xFF; // typed text that selects no entry
    SmsSettings longPhone = EnglishPhone1();
    longPhone.phone3 = QByteArray(33, '1');
    for (const SmsSettings& s : {noSelection, longPhone}) {
        EXPECT_FALSE(CheckSmsRecord(s).ok());
    }

    QByteArray file = BuildSmsFile(test::MustPass(EnglishPhone1()));
    file[2] = static_cast<char>(0xFF);
    EXPECT_FALSE(ParseSmsFile(file).smsControl.has_value());
}

} // namespace
} // namespace kestra
