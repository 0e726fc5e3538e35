// SPDX-License-Identifier: Apache-2.0
#include "filecheck/SettingsFileCheck.h"
#include "formats/camera/CameraFile.h"
#include "formats/camera/CameraFileReader.h"
#include "formats/gprs/GprsFile.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsFile.h"
#include "formats/sms/SmsFile.h"
#include "storage/SettingsCrc.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/CheckedRecords.h"

#include "support/TestBytes.h"

#include <algorithm>
#include <vector>

namespace kestra {
namespace {

using testdata::Golden;

struct GoldenFile {
    const char* dir;
    const char* name;
    SettingsFileKind kind;
};

const std::vector<GoldenFile>& GoldenFiles()
{
    static const std::vector<GoldenFile> files{
        {"formats/camera", "camera_worked.dat", SettingsFileKind::Camera},
        {"formats/camera", "camera_default.dat", SettingsFileKind::Camera},
        {"formats/mms", "mms_preset.dat", SettingsFileKind::Mms},
        {"formats/mms", "mms_custom.dat", SettingsFileKind::Mms},
        {"formats/gprs", "gprs_auto.dat", SettingsFileKind::Gprs},
        {"formats/gprs", "gprs_customer.dat", SettingsFileKind::Gprs},
        {"formats/sms", "sms_phone1.dat", SettingsFileKind::Sms},
        {"formats/sms", "sms_three.dat", SettingsFileKind::Sms},
    };
    return files;
}

// Stores the right checksum again after a change, so that one fault shows alone.
void Reseal(SettingsFileKind kind, QByteArray& file)
{
    const qsizetype covered = kind == SettingsFileKind::Camera ? 50 : kind == SettingsFileKind::Sms ? 240 : 660;
    const qsizetype at = kind == SettingsFileKind::Camera ? 56 : covered + 56;
    const std::uint16_t sum = StoredSettingsChecksum(
        std::span(reinterpret_cast<const std::uint8_t*>(file.constData()), static_cast<std::size_t>(covered)));
    file[at] = static_cast<char>(sum & 0xFF);
    file[at + 1] = static_cast<char>(sum >> 8);
}

// Puts `text` into text block `block` as the writers do: its bytes nibble-
// swapped, zeros after them, its length in byte 57.
void PutText(QByteArray& file, int block, const QByteArray& text)
{
    const qsizetype at = block * 60;
    for (qsizetype i = 0; i < 57; ++i) {
        const auto byte = static_cast<unsigned char>(i < text.size() ? text[i] : 0);
        file[at + i] = static_cast<char>(((byte << 4) | (byte >> 4)) & 0xFF);
    }
    file[at + 57] = static_cast<char>(text.size());
}

std::vector<FindingKind> Kinds(const SettingsFileCheck& check)
{
    std::vector<FindingKind> kinds;
    for (const SettingsFinding& f : check.findings)
        kinds.push_back(f.kind);
    return kinds;
}

TEST(SettingsFileCheck, EveryGoldenFileChecksClean)
{
    for (const GoldenFile& g : GoldenFiles()) {
        const SettingsFileCheck check = CheckSettingsFile(g.kind, Golden(g.dir, g.name));
        EXPECT_TRUE(check.clean()) << g.name << ": " << check.findings.front().message().toStdString();
    }
    EXPECT_TRUE(CheckSettingsFile(SettingsFileKind::Camera, Golden("formats/camera", "camera_default.dat"))
                    .cameraDefaultParameters);
}

TEST(SettingsFileCheck, DecodesEveryFieldIncludingThoseNotReadBack)
{
    const SettingsFileCheck gprs = CheckSettingsFile(SettingsFileKind::Gprs, Golden("formats/gprs", "gprs_auto.dat"));
    const auto& record = std::get<GprsSettings>(gprs.record);
    EXPECT_EQ(record.senderPassword, QByteArray("mailpass"));
    EXPECT_EQ(record.languageCode, 2);
    EXPECT_EQ(gprs.gprsUserName, QByteArray("ab"));

    const SettingsFileCheck mms = CheckSettingsFile(SettingsFileKind::Mms, Golden("formats/mms", "mms_custom.dat"));
    EXPECT_EQ(std::get<MmsSettings>(mms.record).languageCode, 1);
    EXPECT_EQ(std::get<MmsSettings>(mms.record).countryCode, COUNTRY_CUSTOM);
}

TEST(SettingsFileCheck, FindsEachFault)
{
    struct Case {
        const char* name;
        std::size_t golden;
        void (*change)(QByteArray&);
        bool reseal;
        std::vector<FindingKind> kinds;
    };
    using K = FindingKind;
    const std::vector<Case> cases{
        {"camera one byte short", 0, [](QByteArray& f) { f.chop(1); }, false, {K::FileSize}},
        {"camera extra byte", 0, [](QByteArray& f) { f.append('\0'); }, false, {K::FileSize}},
        {"camera LF lost", 0, [](QByteArray& f) { f[59] = 0; }, false, {K::LineEnd}},
        {"camera trailer CR lost", 0, [](QByteArray& f) { f[118] = 0; }, false, {K::LineEnd}},
        {"camera checksum", 0, [](QByteArray& f) { f[57] = 0; }, false, {K::Checksum}},
        {"camera byte 45", 0, [](QByteArray& f) { f[45] = 1; }, true, {K::Reserved}},
        {"camera last block", 0, [](QByteArray& f) { f[179] = 1; }, false, {K::Reserved}},
        {"camera month 13", 0, [](QByteArray& f) { f[15] = 13; }, true, {K::Clock}},
        {"camera pir 0", 0, [](QByteArray& f) { f[6] = 0; }, true, {K::ListPosition}},
        {"mms block 5 CR", 2, [](QByteArray& f) { f[5 * 60 + 58] = ' '; }, false, {K::LineEnd, K::Checksum}},
        {"mms checksum", 2, [](QByteArray& f) { f[716] = 0; }, false, {K::Checksum}},
        {"mms closing block", 2, [](QByteArray& f) { f[730] = 1; }, false, {K::Reserved}},
        {"mms version byte", 2, [](QByteArray& f) { f[7] = 0; }, true, {K::Reserved}},
        {"mms tens digit 10",
         2,
         [](QByteArray& f) { f[3] = static_cast<char>(0xA0); },
         true,
         {K::OutOfRange, K::OutOfRange}},
        {"mms units digit 10", 2, [](QByteArray& f) { f[4] = static_cast<char>(0xA0); }, true, {K::OutOfRange}},
        {"mms block 10 text", 2, [](QByteArray& f) { f[600] = 1; }, true, {K::Reserved}},
        {"mms country 42", 2, [](QByteArray& f) { f[8] = static_cast<char>(0xA2); }, true, {K::CatalogueIndex}},
        // A length byte past the text takes the zeros after it in: control characters.
        {"mms url 51", 2, [](QByteArray& f) { f[117] = 51; }, true, {K::TextLength, K::ControlCharacter}},
        {"mms url 58",
         2,
         [](QByteArray& f) { f[117] = 58; },
         true,
         {K::TextClipped, K::TextLength, K::ControlCharacter}},
        {"mms custom with a slot", 3, [](QByteArray& f) { f[9] = 0x10; }, true, {K::Mode}},
        {"gprs fixed byte 6", 4, [](QByteArray& f) { f[6] = 0; }, true, {K::Reserved}},
        {"gprs mode 2", 4, [](QByteArray& f) { f[50] = 2; }, true, {K::Mode}},
        {"gprs Customer country", 5, [](QByteArray& f) { f[2] = 0x40; }, true, {K::Mode}},
        {"gprs user name", 4, [](QByteArray& f) { f[540] = 0x26; }, true, {K::UserName}},
        {"gprs sms control 6", 4, [](QByteArray& f) { f[8] = 0x60; }, true, {K::ListPosition}},
        {"gprs port 11", 4, [](QByteArray& f) { f[5 * 60 + 57] = 11; }, true, {K::TextLength, K::ControlCharacter}},
        // Texts the camera cannot use: no window writes them.
        {"gprs port of letters", 4, [](QByteArray& f) { PutText(f, 5, "abc"); }, true, {K::PortNumber}},
        {"gprs port 65536", 4, [](QByteArray& f) { PutText(f, 5, "65536"); }, true, {K::PortNumber}},
        {"gprs port 65535", 4, [](QByteArray& f) { PutText(f, 5, "65535"); }, true, {}},
        {"gprs sender with no name",
         4,
         [](QByteArray& f) {
             PutText(f, 6, "@example.org");
             PutText(f, 9, "");
         },
         true,
         {K::MailboxName}},
        {"gprs server with ESC",
         4,
         [](QByteArray& f) { PutText(f, 4, "smtp\x1b.example.com"); },
         true,
         {K::ControlCharacter}},
        {"mms custom gateway 999", 3, [](QByteArray& f) { PutText(f, 3, "999.1.1.1"); }, true, {K::Ipv4Address}},
        {"mms custom gateway of three parts",
         3,
         [](QByteArray& f) { PutText(f, 3, "10.0.0"); },
         true,
         {K::Ipv4Address}},
        {"mms custom port 0", 3, [](QByteArray& f) { PutText(f, 4, "0"); }, true, {K::PortNumber}},
        {"sms phone1 with a newline",
         6,
         [](QByteArray& f) { PutText(f, 1, "13800138000\n"); },
         true,
         {K::ControlCharacter}},
        {"sms size 360", 6, [](QByteArray& f) { f.append(QByteArray(60, '\0')); }, false, {K::FileSize}},
        {"sms fixed byte 50", 6, [](QByteArray& f) { f[50] = 0; }, true, {K::Reserved}},
        {"sms language 12", 6, [](QByteArray& f) { f[5] = static_cast<char>(0xC0); }, true, {K::OutOfRange}},
        {"sms phone3 255",
         7,
         [](QByteArray& f) { f[237] = static_cast<char>(255); },
         true,
         {K::TextClipped, K::TextLength, K::ControlCharacter}},
        // Bytes the format fixes at zero: unused header bytes, padding after a text.
        {"mms header byte 20", 2, [](QByteArray& f) { f[20] = 0x10; }, true, {K::Reserved}},
        {"mms header byte 53", 2, [](QByteArray& f) { f[53] = 1; }, true, {K::Reserved}},
        {"mms after the url", 2, [](QByteArray& f) { f[60 + 25] = 0x10; }, true, {K::Reserved}},
        {"gprs header byte 9", 4, [](QByteArray& f) { f[9] = 0x10; }, true, {K::Reserved}},
        {"gprs after the user name", 4, [](QByteArray& f) { f[540 + 2] = 0x10; }, true, {K::Reserved}},
        {"gprs password byte 56", 4, [](QByteArray& f) { f[420 + 56] = 1; }, true, {K::Reserved}},
        {"sms header byte 6", 6, [](QByteArray& f) { f[6] = 0x10; }, true, {K::Reserved}},
        {"sms header byte 57", 6, [](QByteArray& f) { f[57] = 1; }, true, {K::Reserved}},
        {"sms empty phone2", 6, [](QByteArray& f) { f[120] = 0x10; }, true, {K::Reserved}},
    };
    for (const Case& c : cases) {
        const GoldenFile& g = GoldenFiles()[c.golden];
        QByteArray file = Golden(g.dir, g.name);
        c.change(file);
        if (c.reseal)
            Reseal(g.kind, file);
        const SettingsFileCheck check = CheckSettingsFile(g.kind, file);
        EXPECT_EQ(Kinds(check), c.kinds) << c.name;
        for (const SettingsFinding& f : check.findings) {
            EXPECT_FALSE(f.message().isEmpty()) << c.name;
            EXPECT_FALSE(f.message(true).isEmpty()) << c.name;
        }
    }
}

TEST(SettingsFileCheck, WhatTheWritersSaveChecksClean)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    MmsSettings mms;
    mms.languageCode = 11;
    mms.presetFlag = 1;
    mms.countryCode = 40;
    mms.operatorIndex = 4;
    mms.url = QByteArray(50, 'u');
    ASSERT_TRUE(WriteMmsFile(dir.path(), test::MustPass(mms)).ok());
    GprsSettings gprs;
    gprs.languageCode = 1;
    gprs.countryIndex = 36;
    gprs.operatorIndex = 4;
    gprs.smtpServer = QByteArray(40, 's');
    ASSERT_TRUE(WriteGprsFile(dir.path(), test::MustPass(gprs)).ok());
    SmsSettings sms;
    sms.languageCode = 3;
    sms.phone1 = QByteArray(32, '1');
    ASSERT_TRUE(WriteSmsFile(dir.path(), test::MustPass(sms)).ok());
    ASSERT_TRUE(WriteCameraDefaultFile(dir.path()).ok());

    for (SettingsFileKind kind :
         {SettingsFileKind::Camera, SettingsFileKind::Mms, SettingsFileKind::Gprs, SettingsFileKind::Sms}) {
        const SettingsFileCheckResult result = CheckSettingsFileAt(kind, dir.filePath(SettingsFileName(kind)));
        ASSERT_TRUE(result.ok()) << SettingsFileName(kind).toStdString();
        EXPECT_TRUE(result.values.clean()) << SettingsFileName(kind).toStdString();
        EXPECT_EQ(QFile(dir.filePath(SettingsFileName(kind))).size(), SettingsFileSize(kind));
    }
    EXPECT_FALSE(CheckSettingsFileAt(SettingsFileKind::Mms, dir.path()).ok());
}

template <typename Result> std::optional<SettingsFindings> FindingsOf(const Result& result)
{
    if (!result.ok())
        return std::nullopt;
    return result.values.findings;
}

QByteArray GoldenOf(SettingsFileKind kind)
{
    const auto& files = GoldenFiles();
    const auto g = std::find_if(files.begin(), files.end(), [kind](const GoldenFile& x) { return x.kind == kind; });
    return Golden(g->dir, g->name);
}

// Wherever a file is loaded or checked, a file of another size than its
// kind's says so, and one past the read limit says that it is longer.
TEST(SettingsFileCheck, EveryLoaderReportsAFileOfTheWrongSize)
{
    using Load = std::optional<SettingsFindings> (*)(const QString&);
    struct Reader {
        const char* name;
        SettingsFileKind kind;
        Load load;
    };
    const Reader readers[] = {
        {"ReadCameraFile", SettingsFileKind::Camera, [](const QString& p) { return FindingsOf(ReadCameraFile(p)); }},
        {"ReadMmsFile", SettingsFileKind::Mms, [](const QString& p) { return FindingsOf(ReadMmsFile(p)); }},
        {"ReadGprsFile", SettingsFileKind::Gprs, [](const QString& p) { return FindingsOf(ReadGprsFile(p)); }},
        {"ReadSmsFile", SettingsFileKind::Sms, [](const QString& p) { return FindingsOf(ReadSmsFile(p)); }},
        {"check camera.dat", SettingsFileKind::Camera,
         [](const QString& p) { return FindingsOf(CheckSettingsFileAt(SettingsFileKind::Camera, p)); }},
        {"check mms.dat", SettingsFileKind::Mms,
         [](const QString& p) { return FindingsOf(CheckSettingsFileAt(SettingsFileKind::Mms, p)); }},
        {"check gprs.dat", SettingsFileKind::Gprs,
         [](const QString& p) { return FindingsOf(CheckSettingsFileAt(SettingsFileKind::Gprs, p)); }},
        {"check sms.dat", SettingsFileKind::Sms,
         [](const QString& p) { return FindingsOf(CheckSettingsFileAt(SettingsFileKind::Sms, p)); }},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picked.dat"));
    for (const Reader& r : readers) {
        const qsizetype size = SettingsFileSize(r.kind);
        for (qsizetype length : {qsizetype(0), size - 1, size, size + 1, kMaxSettingsFileRead, kMaxSettingsFileRead + 1,
                                 3 * kMaxSettingsFileRead}) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            // The right size holds a file this tool writes; every other size zeros.
            const QByteArray bytes = length == size ? GoldenOf(r.kind) : QByteArray(length, '\0');
            ASSERT_EQ(file.write(bytes), length);
            file.close();

            const std::optional<SettingsFindings> findings = r.load(path);
            ASSERT_TRUE(findings.has_value()) << r.name << ", " << length << " bytes";
            const auto sizeFinding = std::find_if(findings->begin(), findings->end(), [](const SettingsFinding& x) {
                return x.kind == FindingKind::FileSize;
            });
            if (length == size) {
                EXPECT_EQ(sizeFinding, findings->end()) << r.name;
                continue;
            }
            ASSERT_NE(sizeFinding, findings->end()) << r.name << ", " << length << " bytes";
            EXPECT_EQ(std::count_if(findings->begin(), findings->end(),
                                    [](const SettingsFinding& x) { return x.kind == FindingKind::FileSize; }),
                      1)
                << r.name;
            EXPECT_EQ(sizeFinding->expected, size) << r.name;
            const bool longer = length > kMaxSettingsFileRead;
            EXPECT_EQ(sizeFinding->message().contains(QStringLiteral("longer than 65536")), longer)
                << r.name << ", " << length << " bytes: " << sizeFinding->message().toStdString();
            if (!longer) {
                EXPECT_EQ(sizeFinding->value, length) << r.name;
            }
        }
    }
}

TEST(SettingsFileCheck, KindsByFileName)
{
    EXPECT_EQ(SettingsFileKindForName(QStringLiteral("camera.dat")), SettingsFileKind::Camera);
    EXPECT_EQ(SettingsFileKindForName(QStringLiteral("MMS.DAT")), SettingsFileKind::Mms);
    EXPECT_EQ(SettingsFileKindForName(QStringLiteral("gprs.dat")), SettingsFileKind::Gprs);
    EXPECT_EQ(SettingsFileKindForName(QStringLiteral("Sms.Dat")), SettingsFileKind::Sms);
    EXPECT_FALSE(SettingsFileKindForName(QStringLiteral("setup.dat")).has_value());
}

} // namespace
} // namespace kestra
