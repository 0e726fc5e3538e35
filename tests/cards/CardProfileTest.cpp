// SPDX-License-Identifier: Apache-2.0
// Profiles: what a profile refuses (the whole profile, naming the key), what
// a card read gives back, and the serial texts a fleet counts through.

#include "cards/CardProfileFile.h"
#include "cards/CardWriter.h"
#include "cards/SerialText.h"
#include "formats/shared/SettingWords.h"
#include "storage/FaultyFileOps.h"
#include "storage/SettingsFileIo.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kestra {
namespace {

QJsonObject Json(const char* text)
{
    return QJsonDocument::fromJson(QByteArray(text)).object();
}

// A profile that must read; an empty one (and a failure) where it does not.
CardProfile Profile(const QJsonObject& json, const QString& source = QStringLiteral("site.json"))
{
    const CardProfileRead read = CardProfileFromJson(json, source, kLanguageEnglish);
    EXPECT_TRUE(read.profile) << read.refusal.toStdString();
    return read.profile.value_or(CardProfile{});
}

struct Refusal {
    const char* profile;
    const char* named; // what the message must name
    int language = kLanguageEnglish;
};

class ProfileRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(ProfileRefusal, RefusesTheWholeProfileNamingTheKey)
{
    const CardProfileRead read =
        CardProfileFromJson(Json(GetParam().profile), QStringLiteral("site.json"), GetParam().language);
    ASSERT_FALSE(read.profile) << "accepted: " << GetParam().profile;
    EXPECT_TRUE(read.refusal.startsWith(QStringLiteral("site.json: "))) << read.refusal.toStdString();
    EXPECT_TRUE(read.refusal.contains(QString::fromUtf8(GetParam().named))) << read.refusal.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, ProfileRefusal,
    ::testing::Values(
        // unknown keys, at the top and in a section, and keys no profile takes
        Refusal{R"({"camera": {}, "colour": "red"})", "colour: no such key"},
        Refusal{R"({"camera": {"colour": "red"}})", "camera.colour: no such key"},
        Refusal{R"({"camera": {"out": "/tmp"}})", "camera.out: no such key"},
        Refusal{R"({"camera": {"clock": "2024-03-05 08:07:06"}})", "camera.clock"},
        Refusal{R"({"sms": {"from": "sms.dat"}})",
                "sms.from: no such key; sms takes pictures-per-day, sms-control, phone1, phone2, "
                "phone3"},
        Refusal{R"({"gprs": {"tv-mode": 1}})", "gprs.tv-mode: no such key"},
        // wrong values and wrong types
        Refusal{R"({"camera": {"mode": "fast"}})", "camera.mode"},
        Refusal{R"({"camera": {"pir": "61 Min"}})", "camera.pir"},
        Refusal{R"({"camera": {"serial-text": "CAM"}})", "camera.serial-text"},
        Refusal{R"({"camera": {"timer1-start": "24:00"}})", "camera.timer1-start"},
        Refusal{R"({"camera": {"mode": true}})", "camera.mode: give a text"},
        Refusal{R"({"camera": {"pictures": 1.5}})", "camera.pictures: give a text"},
        Refusal{R"({"mms": {"country": "Atlantis"}})", "mms.country"},
        Refusal{R"({"gprs": {"pictures-per-day": 100}})", "gprs.pictures-per-day"},
        Refusal{R"({"sms": {"phone1": "13800138000", "sms-control": "sometimes"}})", "sms.sms-control"},
        Refusal{R"({"language": "Klingon", "sms": {}})", "language"},
        Refusal{R"({"tv-mode": 300, "camera": {}})", "tv-mode"},
        Refusal{R"({"camera": "Video"})", "camera: give its settings as an object"},
        Refusal{R"({})", "holds no settings"},
        // values the windows' save checks refuse, and a mode clash the commands refuse
        Refusal{R"({"sms": {"phone1": "12"}})", "sms.phone1: "},
        Refusal{R"({"mms": {"mode": "custom", "country": "China"}})", "mms.country"},
        Refusal{R"({"mms": {"url": "http://mms"}})", "mms.url applies to the custom mode"},
        Refusal{R"({"gprs": {"mode": "custom", "apn": "cmnet"}})", "gprs.smtp-server: "},
        Refusal{R"({"mms": {"mode": "custom", "phone": "中文"}})", "mms.phone: "},
        // in the reader's language: Chinese for Chinese, whatever the profile's language
        Refusal{R"({"camera": {"colour": "red"}})", "camera.colour: 没有这个键", kLanguageChinese},
        Refusal{R"({"language": "English", "camera": {"mode": "fast"}})", "camera.mode: \u201cfast\u201d",
                kLanguageChinese},
        Refusal{R"({"language": "中文", "sms": {"phone1": "13800138000", "pictures-per-day": "x"}})",
                "sms.pictures-per-day: \"x\" is not accepted"},
        Refusal{R"({"sms": {"phone1": "12"}})", "sms.phone1: 手机号码1错误", kLanguageChinese}));

TEST(CardProfile, ACardReadBackWritesTheSameFiles)
{
    const CardProfile written = Profile(Json(R"({"language": "Deutsch", "tv-mode": 1,
                 "camera": {"mode": "Video", "pir": "30 Sec", "timer1": "On", "timer1-start": "22:30",
                            "timer1-stop": "06:00", "serial": "On", "serial-text": "K7Z9"},
                 "mms": {"country": "Deutschland", "phone": "0170123456", "pictures-per-day": 5},
                 "gprs": {"mode": "custom", "apn": "internet", "smtp-server": "mail.example.org", "smtp-port": "587",
                          "sender-email": "cam@example.org", "sender-password": "secret",
                          "recipient-email": "me@example.org", "phone": "+49170123456",
                          "sms-control": "1 Hour"},
                 "sms": {"phone1": "+49170123456", "phone3": "+49170654321"}})"));
    ASSERT_TRUE(written.camera && written.mms && written.gprs && written.sms);
    const PcClock clock{2024, 3, 5, 8, 7, 6};
    QTemporaryDir card;
    ASSERT_TRUE(WriteCard(card.path(), written, clock, std::nullopt).complete());

    const QJsonObject read = CardProfileOf(card.path()).profile.value_or(QJsonObject{});
    EXPECT_EQ(read.value(QStringLiteral("language")).toString(), QStringLiteral("Deutsch"));
    const CardProfile again = Profile(read, QStringLiteral("read"));
    const auto before = CardFiles(written, clock, std::nullopt);
    const auto after = CardFiles(again, clock, std::nullopt);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(after[i].bytes, before[i].bytes) << SettingsFileName(before[i].kind).toStdString();
}

// A card that hands back other bytes than it was given (a fake card, a
// failing reader) is not reported as written: each file says so, in both
// languages, and the card as a whole is not complete.
TEST(CardWriter, AFileThatReadsBackOtherBytesIsNotTakenAsWritten)
{
    const CardProfile profile = Profile(Json(R"({"mms": {"phone": "13800138000"}, "sms": {"phone1": "13800138000"}})"));
    const PcClock clock{2024, 3, 5, 8, 7, 6};
    struct Case {
        bool chinese;
        QString start; // %1: the file's name
        QString end;
    };
    const Case cases[] = {
        {false, QStringLiteral("new %1, but it does not read back as written: "),
         QStringLiteral("reads back different from what was written")},
        {true, QStringLiteral("新 %1，但读回不符: "), QStringLiteral("读回的内容与写入的不同")},
    };
    for (const Case& c : cases) {
        QTemporaryDir card;
        test::FaultyFileOps ops;
        ops.alterRead = [](char* data, qint64 got) { data[got - 1] ^= 0x01; };
        const CardWriteReport report = WriteCard(card.path(), profile, clock, std::nullopt, c.chinese, ops);
        EXPECT_FALSE(report.complete());
        ASSERT_EQ(report.files.size(), 2u);
        const QStringList lines = report.lines(c.chinese);
        for (std::size_t i = 0; i < report.files.size(); ++i) {
            const QString name = SettingsFileName(report.files[i].kind);
            const QString& line = lines[static_cast<qsizetype>(i)];
            EXPECT_TRUE(report.files[i].written && !report.files[i].ok()) << name.toStdString();
            EXPECT_TRUE(line.startsWith(c.start.arg(name)) && line.endsWith(c.end)) << line.toStdString();
        }
        // Read without the fault, the card holds what was written.
        for (const auto& [kind, bytes, refusal] : CardFiles(profile, clock, std::nullopt)) {
            ASSERT_FALSE(refusal);
            QFile written(QDir(card.path()).filePath(SettingsFileName(kind)));
            ASSERT_TRUE(written.open(QIODevice::ReadOnly));
            EXPECT_EQ(written.readAll(), bytes) << SettingsFileName(kind).toStdString();
        }
    }
}

// The folder of a card is flushed once, after the last file is renamed into
// it; a flush that fails leaves every new file unconfirmed, never reported
// as written.
TEST(CardWriter, OneFolderFlushConfirmsEveryFileOfTheCard)
{
    const CardProfile profile = Profile(Json(R"({"mms": {"phone": "13800138000"}, "sms": {"phone1": "13800138000"}})"));
    const PcClock clock{2024, 3, 5, 8, 7, 6};
    test::FaultyFileOps recorder;
    {
        QTemporaryDir card;
        ASSERT_TRUE(WriteCard(card.path(), profile, clock, std::nullopt, false, recorder).complete());
    }
    ASSERT_EQ(recorder.calls.count(QStringLiteral("syncFolder")), 1) << recorder.calls.join(u' ').toStdString();
    const qsizetype flush = recorder.calls.indexOf(QStringLiteral("syncFolder"));
    ASSERT_GT(flush, recorder.calls.lastIndexOf(QStringLiteral("rename")));

    QTemporaryDir card;
    test::FaultyFileOps ops;
    ops.failCall(static_cast<int>(flush), test::sys::kIoError);
    const CardWriteReport report = WriteCard(card.path(), profile, clock, std::nullopt, false, ops);
    EXPECT_FALSE(report.complete());
    ASSERT_EQ(report.files.size(), 2u);
    for (const CardFileOutcome& file : report.files) {
        const QString path = SettingsFilePath(card.path(), SettingsFileName(file.kind));
        EXPECT_FALSE(file.ok()) << path.toStdString();
        EXPECT_TRUE(file.failure.contains(QStringLiteral("not confirmed")) && file.failure.contains(path))
            << file.failure.toStdString();
    }
    // The card's lines say the new files are there, not that old ones were kept.
    for (const QString& line : report.lines(false))
        EXPECT_TRUE(line.startsWith(QStringLiteral("new ")) && line.contains(QStringLiteral("did not confirm")))
            << line.toStdString();
    for (const auto& [kind, bytes, refusal] : CardFiles(profile, clock, std::nullopt)) {
        QFile written(QDir(card.path()).filePath(SettingsFileName(kind)));
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll(), bytes) << "the new file is in place all the same";
    }
}

// The spelling a profile's or a command's list word is compared in: case,
// blanks, leading zeros and the units of time do not count; anything else does.
TEST(OptionWords, TheLooseSpellingKeepsWhatTellsEntriesApart)
{
    const struct {
        const char* word;
        const char* loose;
    } rows[] = {{"30 Sec", "30s"},
                {" 0030sec ", "30s"},
                {"5 Min", "5min"},
                {"5minutes", "5min"},
                {"1 Hour", "1h"},
                {"02 Photo", "2photo"},
                {"000", "0"},
                {"0", "0"},
                {"007", "7"},
                {"12MP", "12mp"},
                {"1.3MP", "1.3mp"},
                {"1280x720", "1280x720"},
                {"Camera+Video", "camera+video"},
                {"Off", "off"},
                {"5 5", "55"},
                {"5 Min 30", "5min30"},
                {"5\tsec", "5s"},
                {"5 m\nin", "5min"},
                {"5 s\n", "5s"},
                {"5\n\nsec", "5s"},
                {"10 SECONDS", "10s"},
                {"5 mins x", "5minsx"},
                {"-5 Min", "-5min"},
                {"+5", "+5"},
                {"5-Min", "5-min"},
                {"", ""},
                {"   ", ""},
                {"5 分", "5分"},
                {"５ Min", "５min"},
                {"5\u00a0Min", "5min"},
                {"5 \u00a0Min", "5min"},
                {"1 h", "1h"},
                {"3 photos", "3photo"},
                {"9 Secs", "9s"},
                {"1 m", "1min"},
                {"2 hours", "2h"},
                {"5min\u2003", "5min"},
                {"\uff10\uff15 Min", "\uff10\uff15min"},
                {"\u0663 sec", "\u0663sec"},
                {"5\u0663 m", "5\u0663m"},
                {"\u2003 5 s", "5s"},
                {"5 \u2003 s", "5s"},
                {"5 m\nin x", "5minx"},
                {"05\r\nsec", "5s"},
                {"5\vsec", "5s"},
                {"5\fm", "5min"},
                {"0 0", "00"},
                {"00 sec", "0s"},
                {"12 34 min", "1234min"},
                {"5 Sec.", "5sec."},
                {"MIN", "min"}};
    for (const auto& row : rows)
        EXPECT_EQ(LooseWord(QString::fromUtf8(row.word)).toStdString(), row.loose) << row.word;
}

TEST(CardProfile, TheSerialTextOfACardOverridesTheProfileAndTurnsItOn)
{
    const CardProfile profile = Profile(Json(R"({"camera": {"serial": "Off", "serial-text": "0000"}})"));
    const SaveDecision<CameraSettings> checked = CardCameraSettings(*profile.camera, PcClock{2031, 12, 31, 23, 59, 59},
                                                                    SerialText::Parse(QStringLiteral("cam1")));
    ASSERT_TRUE(checked.ok());
    const CameraSettings& card = checked.record();
    EXPECT_EQ(card.serialOn, 1);
    EXPECT_EQ((std::array{card.serialChar1, card.serialChar2, card.serialChar3, card.serialChar4}),
              (std::array{12, 10, 22, 1}));
    EXPECT_EQ(card.clockYear, 21);
    EXPECT_EQ(card.clockSecond, 59);
}

TEST(SerialText, CountsPlaceByPlaceUpToZZZZ)
{
    const struct {
        const char* from;
        const char* next; // nullptr: none
    } rows[] = {{"CAM1", "CAM2"}, {"CAM9", "CAMA"}, {"CAMZ", "CAN0"},
                {"0ZZZ", "1000"}, {"ZZZY", "ZZZZ"}, {"ZZZZ", nullptr}};
    for (const auto& row : rows) {
        const std::optional<SerialText> next = SerialText::Parse(QLatin1String(row.from))->next();
        if (row.next == nullptr)
            EXPECT_FALSE(next) << row.from;
        else
            EXPECT_EQ(next->text(), QLatin1String(row.next)) << row.from;
    }
    for (const char* bad : {"CAM", "CAM12", "CA-1", "ÄAM1", ""})
        EXPECT_FALSE(SerialText::Parse(QString::fromUtf8(bad))) << bad;
    EXPECT_TRUE(SerialText::Parse(QStringLiteral("ZZZX"))->roomFor(3));
    EXPECT_FALSE(SerialText::Parse(QStringLiteral("ZZZX"))->roomFor(4));
}

} // namespace
} // namespace kestra
