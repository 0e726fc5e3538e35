// SPDX-License-Identifier: Apache-2.0
#include "formats/camera/CameraFile.h"
#include "formats/camera/CameraFileReader.h"
#include "storage/SettingsCrc.h"

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

QByteArray BlockBytes(const SettingsBlock& block)
{
    return QByteArray(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size()));
}

// The Camera window's start selections, as the window fills the record.
CameraSettings WindowDefaults()
{
    CameraSettings s;
    s.videoLength = 9;
    s.pirInterval = EncodePirInterval(60);
    s.beepSound = 1;
    s.timeLapseOn = 1;
    s.languageCode = 2;
    return s;
}

// Clock 5 March 2024 08:07:06.
CameraSettings WorkedExample()
{
    CameraSettings s = WindowDefaults();
    s.clockYear = StoredClockYear(2024);
    s.clockMonth = 3;
    s.clockDay = 5;
    s.clockHour = 8;
    s.clockMinute = 7;
    s.clockSecond = 6;
    return s;
}

TEST(CameraRecord, WorkedBlockStoresCrc79F0As7A04)
{
    const QByteArray expected =
        Bytes({0x00, 0x00, 0x00, 0x00, 0x09, 0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x0E,
               0x03, 0x05, 0x08, 0x07, 0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02,
               0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
               0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x7A, 0x0D, 0x0A});
    EXPECT_EQ(BlockBytes(BuildCameraRecord(test::MustPass(WorkedExample()))), expected);
}

TEST(CameraRecord, WindowDefaultsGiveTheDocumentedLeadingBytes)
{
    // The window's opening values with the clock it always fills in.
    CameraSettings defaults = WindowDefaults();
    defaults.clockMonth = 1;
    defaults.clockDay = 1;
    const SettingsBlock record = BuildCameraRecord(test::MustPass(defaults));
    EXPECT_EQ(BlockBytes(record).left(14), Bytes({0, 0, 0, 0, 9, 0, 1, 0, 0, 1, 1, 0, 0, 0}));
    for (std::size_t i : {20, 21, 22, 23, 24, 25, 26, 27, 28, 31, 32, 33, 34, 35, 36, 37, 38})
        EXPECT_EQ(record[i], 0) << i;
}

// The stored checksum is (CRC + 20) modulo 65536, low byte first; the two
// records below were searched out to give the CRCs named.
TEST(CameraRecord, ChecksumCarryReachesTheHighByteAndWrapsAround)
{
    struct Case {
        int irLight;
        int mmsStatus;
        std::uint16_t crc;
        std::uint8_t low;
        std::uint8_t high;
    };
    for (const Case& c : {Case{234, 20, 0x00F0, 0x04, 0x01}, Case{96, 88, 0xFFF0, 0x04, 0x00}}) {
        // Bytes no list offers, sealed as the builder seals a record.
        SettingsBlock record = BuildCameraRecord(test::MustPass(WorkedExample()));
        record[37] = static_cast<std::uint8_t>(c.irLight);
        record[38] = static_cast<std::uint8_t>(c.mmsStatus);
        StoreBlockChecksum(record, CameraChecksummedBytes(record));
        std::uint32_t crc = 0;
        UpdateSettingsCrc(crc, record.data(), 50);
        EXPECT_EQ(crc & 0xFFFF, c.crc);
        EXPECT_EQ(record[56], c.low) << std::hex << c.crc;
        EXPECT_EQ(record[57], c.high) << std::hex << c.crc;
    }
}

TEST(CameraRecord, ChecksumCoversBytes0To49Only)
{
    // Fields are bytes 0 to 38; a value above 255 never reaches the builder.
    CameraSettings s = WorkedExample();
    s.mmsStatus = 0x103;
    EXPECT_THROW(test::MustPass(s), std::runtime_error);
    SettingsBlock record = BuildCameraRecord(test::MustPass(WorkedExample()));
    record[38] = 3;
    StoreBlockChecksum(record, CameraChecksummedBytes(record));
    EXPECT_EQ(StoredSettingsChecksum(std::span(record).first(50)), record[56] | (record[57] << 8));
    record[50] ^= 0xFF; // past byte 49: the checksum does not change
    EXPECT_EQ(StoredSettingsChecksum(std::span(record).first(50)), record[56] | (record[57] << 8));
}

TEST(CameraFile, MatchesTheGoldenFiles)
{
    EXPECT_EQ(BuildCameraFile(test::MustPass(WorkedExample())), Golden("camera_worked.dat"));
    const QByteArray defaults = BuildCameraDefaultFile();
    EXPECT_EQ(defaults, Golden("camera_default.dat"));

    QByteArray expectedRecord =
        Bytes({0x7F, 0x7F, 0x7F, 0x7F}) + QByteArray(52, '\0') + Bytes({0x64, 0x88, 0x0D, 0x0A});
    EXPECT_EQ(defaults.left(60), expectedRecord);
    for (const QByteArray& file : {defaults, BuildCameraFile(test::MustPass(WorkedExample()))}) {
        ASSERT_EQ(file.size(), kCameraFileSize);
        QByteArray trailer(120, '\0');
        trailer[58] = '\r';
        trailer[59] = '\n';
        EXPECT_EQ(file.mid(60), trailer) << "the last 60 bytes carry no CR LF";
    }
}

TEST(PirInterval, EncodesSecondsWithTheHighBitAndMinutesPlain)
{
    struct Case {
        int position;
        int stored;
    };
    for (const Case& c : {Case{0, 0x80}, Case{1, 0x81}, Case{59, 0xBB}, Case{60, 0x01}, Case{61, 0x02}, Case{119, 0x3C},
                          Case{-1, -1}, Case{120, -1}}) {
        EXPECT_EQ(EncodePirInterval(c.position), c.stored) << c.position;
        if (c.stored >= 0) {
            EXPECT_EQ(DecodePirInterval(c.stored), c.position) << c.stored;
        }
    }
    for (int foreign : {0x00, 0x3D, 0x7F, 0xBC, 0xFF})
        EXPECT_EQ(DecodePirInterval(foreign), -1) << foreign;
}

TEST(ClockYear, IsLimitedTo2010To2031)
{
    struct Case {
        int year;
        int stored;
    };
    for (const Case& c : {Case{1999, 0}, Case{2009, 0}, Case{2010, 0}, Case{2011, 1}, Case{2024, 14}, Case{2031, 21},
                          Case{2035, 21}, Case{9999, 21}})
        EXPECT_EQ(StoredClockYear(c.year), c.stored) << c.year;
}

TEST(CameraSettingsCheck, FlagsWhatNoListOrClockOffers)
{
    EXPECT_TRUE(CheckCameraSettings(WorkedExample()).empty());

    struct Case {
        const char* name;
        void (*change)(CameraSettings&);
        FindingKind kind;
        qsizetype offset;
    };
    const std::vector<Case> cases{
        {"cameraMode 3", [](CameraSettings& s) { s.cameraMode = 3; }, FindingKind::ListPosition, 0},
        {"videoLength 60", [](CameraSettings& s) { s.videoLength = 60; }, FindingKind::ListPosition, 4},
        {"pirInterval 0", [](CameraSettings& s) { s.pirInterval = 0; }, FindingKind::ListPosition, 6},
        {"pirInterval 0xBC", [](CameraSettings& s) { s.pirInterval = 0xBC; }, FindingKind::ListPosition, 6},
        {"clockYear 22", [](CameraSettings& s) { s.clockYear = 22; }, FindingKind::Clock, 14},
        {"clockMonth 0", [](CameraSettings& s) { s.clockMonth = 0; }, FindingKind::Clock, 15},
        {"30 February",
         [](CameraSettings& s) {
             s.clockMonth = 2;
             s.clockDay = 30;
         },
         FindingKind::Clock, 16},
        {"hour 24", [](CameraSettings& s) { s.timer2StopHour = 24; }, FindingKind::Clock, 34},
        {"serial Z+1", [](CameraSettings& s) { s.serialChar4 = 36; }, FindingKind::ListPosition, 28},
        {"language 12", [](CameraSettings& s) { s.languageCode = 12; }, FindingKind::OutOfRange, 29},
        {"mmsStatus 4", [](CameraSettings& s) { s.mmsStatus = 4; }, FindingKind::ListPosition, 38},
    };
    for (const Case& c : cases) {
        CameraSettings s = WorkedExample();
        c.change(s);
        const SettingsFindings findings = CheckCameraSettings(s);
        ASSERT_EQ(findings.size(), 1U) << c.name;
        EXPECT_EQ(findings[0].kind, c.kind) << c.name;
        EXPECT_EQ(findings[0].offset, c.offset) << c.name;
    }

    CameraSettings leap = WorkedExample();
    leap.clockMonth = 2;
    leap.clockDay = 29; // 2024 is a leap year
    EXPECT_TRUE(CheckCameraSettings(leap).empty());
    leap.clockYear = StoredClockYear(2023);
    EXPECT_FALSE(CheckCameraSettings(leap).empty());

    CameraSettings tv = WorkedExample();
    tv.tvMode = 0x1234; // any registry value; its low byte is stored
    EXPECT_TRUE(CheckCameraSettings(tv).empty());
}

TEST(CameraFileReader, GivesBackEveryField)
{
    CameraSettings s = WorkedExample();
    s.cameraMode = 2;
    s.pirInterval = EncodePirInterval(5);
    s.serialOn = 1;
    s.serialChar1 = 35;
    s.timer2On = 1;
    s.timer2StartHour = 22;
    s.timer2StopMinute = 59;
    s.tvMode = 1;
    s.mmsStatus = 3;
    const CameraLoaded contents = ParseCameraFile(BuildCameraFile(test::MustPass(s)));
    EXPECT_FALSE(contents.defaultParameters);
    EXPECT_TRUE(contents.findings.empty());
    EXPECT_EQ(BuildCameraRecord(test::MustPass(contents.settings)), BuildCameraRecord(test::MustPass(s)));

    const CameraLoaded defaults = ParseCameraFile(BuildCameraDefaultFile());
    EXPECT_TRUE(defaults.defaultParameters);
    EXPECT_TRUE(defaults.findings.empty());
}

TEST(CameraFileWriter, SavesAndReplaces180Bytes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(WriteCameraDefaultFile(dir.path()).ok());
    const SaveResult result = WriteCameraFile(dir.path(), test::MustPass(WorkedExample()));
    ASSERT_TRUE(result.ok()) << result.error->message().toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("camera.dat")});

    const CameraReadResult read = ReadCameraFile(dir.filePath(QStringLiteral("camera.dat")));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(BuildCameraFile(test::MustPass(read.values.settings)), Golden("camera_worked.dat"));

    const SaveResult missing = WriteCameraFile(dir.filePath(QStringLiteral("no such folder")), test::MustPass(WorkedExample()));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error->kind, FileErrorKind::FolderMissing);

    // A record the camera would misread never becomes a checked record, so
    // it cannot reach the file: the old file stays.
    CameraSettings bad = WorkedExample();
    bad.cameraMode = 7;
    EXPECT_THROW(test::MustPass(bad), std::runtime_error);
    EXPECT_EQ(ReadCameraFile(dir.filePath(QStringLiteral("camera.dat"))).values.settings.cameraMode,
              WorkedExample().cameraMode);
}

} // namespace
} // namespace kestra
