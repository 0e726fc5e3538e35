// SPDX-License-Identifier: Apache-2.0
#include "filecheck/SettingsFileCheck.h"
#include "formats/camera/CameraFileReader.h"
#include "formats/gprs/GprsCatalogue.h"
#include "formats/gprs/GprsFile.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsFile.h"
#include "formats/sms/SmsFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/TestBytes.h"

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

#include <random>
#include <vector>

namespace kestra {
namespace {

using testdata::Golden;

constexpr qsizetype kTextArea = 57;

bool Within(const std::optional<int>& index, int count)
{
    return !index || (*index >= 0 && *index < count);
}

// Runs every reader and the check over `bytes` and asserts what a window may
// rely on: no text past a block's text area, no index past its list.
void ReadEverything(const QByteArray& bytes, const std::string& what)
{
    SCOPED_TRACE(what);
    const CameraLoaded camera = ParseCameraFile(bytes);
    EXPECT_TRUE(camera.defaultParameters || camera.findings.empty() == CheckCameraSettings(camera.settings).empty());

    const MmsLoaded mms = ParseMmsFile(bytes);
    for (const QByteArray* text : {&mms.url, &mms.apn, &mms.gateway, &mms.port, &mms.phone, &mms.email, &mms.account,
                                   &mms.password, &mms.phone2})
        EXPECT_LE(text->size(), kTextArea);
    EXPECT_TRUE(Within(mms.smsControl, kSmsControlCount));
    EXPECT_TRUE(Within(mms.countryCode, kMmsCountryCount));
    EXPECT_TRUE(mms.countryCode || !mms.operatorIndex);
    EXPECT_TRUE(!mms.countryCode || Within(mms.operatorIndex, MmsOperatorCount(*mms.countryCode)));

    const GprsLoaded gprs = ParseGprsFile(bytes);
    for (const QByteArray* text : {&gprs.apn, &gprs.gprsAccount, &gprs.gprsPassword, &gprs.smtpServer, &gprs.smtpPort,
                                   &gprs.senderEmail, &gprs.phoneNumber, &gprs.recipientEmail})
        EXPECT_LE(text->size(), kTextArea);
    EXPECT_TRUE(Within(gprs.smsControl, kSmsControlCount));
    if (gprs.mode == kGprsModeAuto) {
        EXPECT_TRUE(Within(gprs.countryIndex, kGprsCountryCount));
        EXPECT_TRUE(gprs.countryIndex || !gprs.operatorIndex);
        EXPECT_TRUE(!gprs.countryIndex || Within(gprs.operatorIndex, GprsOperatorCount(*gprs.countryIndex)));
    } else {
        EXPECT_EQ(gprs.countryIndex.value_or(kGprsCountryCustomer), kGprsCountryCustomer);
        EXPECT_EQ(gprs.operatorIndex.value_or(0), 0);
    }

    const SmsLoaded sms = ParseSmsFile(bytes);
    for (const QByteArray* text : {&sms.phone1, &sms.phone2, &sms.phone3})
        EXPECT_LE(text->size(), kTextArea);
    EXPECT_TRUE(Within(sms.smsControl, kSmsControlCount));

    for (SettingsFileKind kind :
         {SettingsFileKind::Camera, SettingsFileKind::Mms, SettingsFileKind::Gprs, SettingsFileKind::Sms}) {
        const SettingsFileCheck check = CheckSettingsFile(kind, bytes);
        EXPECT_TRUE(bytes.size() == SettingsFileSize(kind) || !check.clean());
    }
}

const std::vector<std::pair<const char*, const char*>> kGoldenFiles{
    {"formats/camera", "camera_worked.dat"}, {"formats/camera", "camera_default.dat"},
    {"formats/mms", "mms_preset.dat"},       {"formats/mms", "mms_custom.dat"},
    {"formats/gprs", "gprs_auto.dat"},       {"formats/gprs", "gprs_customer.dat"},
    {"formats/sms", "sms_phone1.dat"},       {"formats/sms", "sms_three.dat"},
};

TEST(HostileSettingsInput, EveryTruncationOfEveryValidFile)
{
    for (const auto& [dir, name] : kGoldenFiles) {
        const QByteArray file = Golden(dir, name);
        for (qsizetype size = 0; size <= file.size(); ++size) {
            ReadEverything(file.left(size), std::string(name) + " cut to " + std::to_string(size));
        }
    }
}

TEST(HostileSettingsInput, EmptyAndOversizedFiles)
{
    ReadEverything(QByteArray(), "empty");
    ReadEverything(QByteArray(kMaxSettingsFileRead + 1, '\xFF'), "64 KiB + 1 of 0xFF");
    QByteArray wrapped = Golden("formats/mms", "mms_preset.dat").repeated(90);
    ReadEverything(wrapped, "mms.dat 90 times");
}

TEST(HostileSettingsInput, LengthBytesPastTheTextArea)
{
    for (const auto& [dir, name] : kGoldenFiles) {
        const QByteArray original = Golden(dir, name);
        for (qsizetype block = 1; block * 60 < original.size(); ++block) {
            for (int length = 51; length <= 255; ++length) {
                QByteArray file = original;
                file[block * 60 + 57] = static_cast<char>(length);
                ReadEverything(file, std::string(name) + " block " + std::to_string(block) + " length "
                                         + std::to_string(length));
            }
        }
    }
    QByteArray mms = Golden("formats/mms", "mms_custom.dat");
    mms[117] = static_cast<char>(200);
    const MmsLoaded loaded = ParseMmsFile(mms);
    EXPECT_EQ(loaded.url.size(), kTextArea) << "clipped to the bytes before the length byte";
    EXPECT_TRUE(std::any_of(loaded.findings.begin(), loaded.findings.end(),
                            [](const SettingsFinding& f) { return f.kind == FindingKind::TextClipped; }));
}

TEST(HostileSettingsInput, EveryHeaderByteValue)
{
    // Indexes past every table, in every header position the readers use.
    for (const auto& [dir, name] : kGoldenFiles) {
        const QByteArray original = Golden(dir, name);
        for (int offset : {1, 2, 3, 4, 5, 8, 9, 10, 50}) {
            for (int value = 0; value < 256; ++value) {
                QByteArray file = original;
                file[offset] = static_cast<char>(value);
                ReadEverything(file,
                               std::string(name) + " byte " + std::to_string(offset) + " = " + std::to_string(value));
            }
        }
    }
}

TEST(HostileSettingsInput, RandomBytes)
{
    std::mt19937 random(20240305);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes(static_cast<qsizetype>(random() % 900), '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() & 0xFF);
        ReadEverything(bytes, "random round " + std::to_string(round));
    }
}

TEST(HostileSettingsInput, ReadersRefuseAFifoAndAFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
#ifdef Q_OS_WIN
    // Windows has no FIFOs in its file system: the folder alone.
    const QStringList paths{dir.path()};
#else
    const QString fifo = dir.filePath(QStringLiteral("gprs.dat"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QStringList paths{fifo, dir.path()};
#endif
    for (const QString& path : paths) {
        EXPECT_FALSE(ReadCameraFile(path).ok());
        EXPECT_FALSE(ReadMmsFile(path).ok());
        EXPECT_FALSE(ReadGprsFile(path).ok());
        EXPECT_FALSE(ReadSmsFile(path).ok());
        EXPECT_FALSE(CheckSettingsFileAt(SettingsFileKind::Gprs, path).ok());
    }
}

} // namespace
} // namespace kestra
