// SPDX-License-Identifier: Apache-2.0
// Runs the built kestra-setup as a process, the way scripts and shops use it,
// with no display in its environment.
#include "common/Session.h"
#include "formats/camera/CameraChoices.h"
#include "formats/camera/CameraFile.h"
#include "formats/camera/CameraFileReader.h"
#include "formats/gprs/GprsFile.h"
#include "formats/gprs/GprsSave.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsFile.h"
#include "formats/mms/MmsSave.h"
#include "formats/sms/SmsFile.h"
#include "formats/sms/SmsSave.h"
#include "mailtest/SmtpTestServer.h"
#include "storage/Cp936.h"
#include "storage/SettingsFileIo.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/CheckedRecords.h"

#include <functional>
#include <vector>

namespace kestra {
namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

Outcome RunProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

Outcome Kestra(const QStringList& arguments)
{
    return RunProgram(QStringLiteral(KESTRA_SETUP_PROGRAM), arguments);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Every file of a folder with its bytes, to show that a refused command left it alone.
QMap<QString, QByteArray> Snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, ReadAll(path));
    }
    return files;
}

constexpr PcClock kFifthOfMarch{2024, 3, 5, 8, 7, 6};
const QString kClock = QStringLiteral("2024-03-05 08:07:06");

// --- camera -----------------------------------------------------------------

struct CameraCase {
    const char* name;
    QStringList options;
    std::function<void(CameraChoices&)> choose;
    int language = kLanguageEnglish;
    int tvMode = 0;
};

TEST(CommandLineCamera, WritesWhatTheWindowsWriterWritesForTheSameChoices)
{
    const std::vector<CameraCase> cases = {
        {"opening state", {}, [](CameraChoices&) {}},
        {"words as the lists show them",
         {"--mode", "Camera+Video", "--image-size", "1.3MP", "--video-size", "320x240", "--sense-level", "Off"},
         [](CameraChoices& c) {
             c.position(CameraList::Mode) = 2;
             c.position(CameraList::ImageSize) = 2;
             c.position(CameraList::VideoSize) = 2;
             c.position(CameraList::SenseLevel) = 3;
         }},
        {"loose spellings",
         {"--mode", "video", "--pir", "30s", "--video-length", "60 sec", "--pictures", "3 photos", "--beep", "OFF"},
         [](CameraChoices& c) {
             c.position(CameraList::Mode) = 1;
             c.position(CameraList::PirInterval) = 30;
             c.position(CameraList::VideoLength) = 59;
             c.position(CameraList::PictureNo) = 2;
             c.position(CameraList::BeepSound) = 0;
         }},
        {"minutes and the PIR list's ends",
         {"--pir", "5min"},
         [](CameraChoices& c) { c.position(CameraList::PirInterval) = 64; }},
        {"PIR 0 seconds", {"--pir", "0 Sec"}, [](CameraChoices& c) { c.position(CameraList::PirInterval) = 0; }},
        {"PIR 60 minutes", {"--pir", "60min"}, [](CameraChoices& c) { c.position(CameraList::PirInterval) = 119; }},
        {"stored positions",
         {"--mms-status", "3", "--ir-light", "1", "--time-stamp", "1"},
         [](CameraChoices& c) {
             c.position(CameraList::MmsStatus) = 3;
             c.position(CameraList::IrLight) = 1;
             c.position(CameraList::TimeStamp) = 1;
         }},
        {"timers, time lapse and serial text",
         {"--timer1", "on", "--timer1-start", "22:30", "--timer1-stop", "06:00", "--timer2-start", "7:5",
          "--timer2-stop", "23:59", "--time-lapse", "on", "--time-lapse-period", "01:02:03", "--serial", "on",
          "--serial-text", "ab12"},
         [](CameraChoices& c) {
             c.position(CameraList::Timer1) = 1;
             c.timer1StartHour = 22;
             c.timer1StartMinute = 30;
             c.timer1StopHour = 6;
             c.timer2StartHour = 7;
             c.timer2StartMinute = 5;
             c.timer2StopHour = 23;
             c.timer2StopMinute = 59;
             c.position(CameraList::TimeLapse) = 0;
             c.timeLapseHour = 1;
             c.timeLapseMinute = 2;
             c.timeLapseSecond = 3;
             c.position(CameraList::SerialNo) = 1;
             c.position(CameraList::SerialChar1) = 10;
             c.position(CameraList::SerialChar2) = 11;
             c.position(CameraList::SerialChar3) = 1;
             c.position(CameraList::SerialChar4) = 2;
         }},
        // The interface language's own words are accepted, and set the language byte.
        {"German words",
         {"--lang", "Deutsch", "--sense-level", "Hoch", "--tv-mode", "1"},
         [](CameraChoices& c) { c.position(CameraList::SenseLevel) = 1; },
         kLanguageGerman,
         1},
        {"language by number", {"--lang", "11"}, [](CameraChoices&) {}, kLanguageLithuanian},
    };
    for (const CameraCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir card;
        const Outcome run = Kestra(QStringList{"camera", "--out", card.path(), "--clock", kClock} << c.options);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(SettingsFilePath(card.path(), "camera.dat"))) << run.out.toStdString();
        CameraChoices choices;
        c.choose(choices);
        EXPECT_EQ(ReadAll(card.filePath("camera.dat")),
                  BuildCameraFile(test::MustPass(FillCameraSettings(choices, kFifthOfMarch, c.language, c.tvMode))));
    }
}

TEST(CommandLineCamera, ClockOptionAloneGivesTheWorkedRecord)
{
    QTemporaryDir card;
    ASSERT_EQ(Kestra({"camera", "--out", card.path(), "--clock", kClock}).status, 0);
    const QByteArray file = ReadAll(card.filePath("camera.dat"));
    ASSERT_EQ(file.size(), 180);
    EXPECT_EQ(file.left(20).toHex(' '), QByteArray("00 00 00 00 09 00 01 00 00 01 01 00 00 00 0e 03 05 08 07 06"));
    EXPECT_EQ(file.mid(20, 20).toHex(' '), QByteArray("00 00 00 00 00 00 00 00 00 02 00 00 00 00 00 00 00 00 00 00"));
    EXPECT_EQ(file.mid(56, 4).toHex(' '), QByteArray("04 7a 0d 0a"));
}

// Only the PC's clock is limited to the camera's calendar: a typed year
// outside it is refused, not stored as another.
TEST(CommandLineCamera, ClockYearOutsideTheCalendarIsRefused)
{
    for (const char* clock : {"2040-01-02 03:04:05", "2005-01-02 03:04:05"}) {
        QTemporaryDir card;
        EXPECT_EQ(Kestra({"camera", "--out", card.path(), "--clock", clock}).status, 2) << clock;
        EXPECT_FALSE(QFile::exists(card.filePath("camera.dat"))) << clock;
    }
}

TEST(CommandLineCamera, DefaultsWriteTheDefaultParametersFile)
{
    QTemporaryDir card;
    ASSERT_EQ(Kestra({"camera", "--defaults", "--out", card.path()}).status, 0);
    EXPECT_EQ(ReadAll(card.filePath("camera.dat")), BuildCameraDefaultFile());
}

TEST(CommandLineCamera, FromRoundTripsAndOptionsOverrideTheFile)
{
    QTemporaryDir first, second, third;
    ASSERT_EQ(
        Kestra({"camera", "--out",    first.path(), "--clock",        kClock, "--lang",   "Deutsch", "--tv-mode",
                "2",      "--mode",   "video",      "--pir",          "45s",  "--serial", "on",      "--serial-text",
                "Z9Y8",   "--timer2", "on",         "--timer2-start", "05:06"})
            .status,
        0);
    const QByteArray original = ReadAll(first.filePath("camera.dat"));

    // Language byte and TV mode come from the file when no option names them.
    const Outcome same =
        Kestra({"camera", "--from", first.filePath("camera.dat"), "--out", second.path(), "--clock", kClock});
    ASSERT_EQ(same.status, 0) << same.err.toStdString();
    EXPECT_EQ(ReadAll(second.filePath("camera.dat")), original);

    const Outcome changed = Kestra({"camera", "--from", first.filePath("camera.dat"), "--out", third.path(), "--clock",
                                    kClock, "--mode", "Camera", "--lang", "English"});
    ASSERT_EQ(changed.status, 0) << changed.err.toStdString();
    CameraSettings expected = ParseCameraFile(original).settings;
    expected.cameraMode = 0;
    expected.languageCode = kLanguageEnglish;
    EXPECT_EQ(ReadAll(third.filePath("camera.dat")), BuildCameraFile(test::MustPass(expected)));
}

// --- mms, gprs, sms -------------------------------------------------------------

// What the window would write after the user changed `change` in its opening state.
template <typename Record>
QByteArray WindowFile(Record (*initial)(const Session&), SaveDecision<Record> (*prepare)(const Record&, const Session&),
                      QByteArray (*build)(const Checked<Record>&), const std::function<void(Record&)>& change,
                      int language, int tvMode = 0)
{
    Session session;
    session.languageIndex = session.languageCode = language;
    session.tvMode = tvMode;
    Record shown = initial(session);
    change(shown);
    const SaveDecision<Record> decision = prepare(shown, session);
    if (!decision.ok()) {
        ADD_FAILURE() << decision.refusal->toStdString();
        return {};
    }
    return build(*decision.checked);
}

// The sender and recipient both gprs cases give, with the SMTP port.
void Mailboxes(GprsSettings& s, const char* port)
{
    s.smtpServer = "smtp.example.org";
    s.smtpPort = port;
    s.senderEmail = "cam@example.org";
    s.senderPassword = "secret99";
    s.recipientEmail = "me@example.org";
}

struct MessagingCase {
    const char* name;
    QStringList arguments;
    const char* fileName;
    std::function<QByteArray()> expected;
};

TEST(CommandLineMessaging, WritesWhatTheWindowsSaveWritesAndRoundTripsThroughFrom)
{
    const auto mms = [](std::function<void(MmsSettings&)> change, int language = kLanguageEnglish, int tvMode = 0) {
        return [=] { return WindowFile(InitialMmsSettings, PrepareMmsSave, BuildMmsFile, change, language, tvMode); };
    };
    const auto gprs = [](std::function<void(GprsSettings&)> change) {
        return
            [=] { return WindowFile(InitialGprsSettings, PrepareGprsSave, BuildGprsFile, change, kLanguageEnglish); };
    };
    const auto sms = [](std::function<void(SmsSettings&)> change) {
        return [=] { return WindowFile(InitialSmsSettings, PrepareSmsSave, BuildSmsFile, change, kLanguageEnglish); };
    };
    const std::vector<MessagingCase> cases = {
        {"mms preset",
         {"mms", "--phone", "13800013800", "--sms-control", "30min", "--pictures-per-day", "12"},
         "mms.dat",
         mms([](MmsSettings& s) {
             s.phone = "13800013800";
             s.smsControl = 2;
             s.picturesPerDay = 12;
         })},
        {"mms country and operator by name, German words",
         {"mms", "--country", "Deutschland", "--operator", "2", "--email", "me@example.org", "--lang", "Deutsch",
          "--tv-mode", "1"},
         "mms.dat",
         mms(
             [](MmsSettings& s) {
                 s.countryCode = 10;
                 s.operatorIndex = 2;
                 s.email = "me@example.org";
             },
             kLanguageGerman, 1)},
        {"mms custom",
         {"mms", "--mode", "custom", "--url", "http://mms.example", "--apn", "mms", "--gateway", "10.0.0.1", "--port",
          "8080", "--account", "", "--password", "pw", "--phone", "+4917012345", "--phone2", "me@example.org"},
         "mms.dat",
         mms([](MmsSettings& s) {
             s.presetFlag = 0;
             s.url = "http://mms.example";
             s.apn = "mms";
             s.gateway = "10.0.0.1";
             s.port = "8080";
             s.account = "";
             s.password = "pw";
             s.phone = "+4917012345";
             s.phone2 = "me@example.org";
         })},
        {"gprs auto",
         {"gprs", "--country", "deutschland", "--operator", "Vodafone", "--smtp-server", "smtp.example.org",
          "--smtp-port", "25", "--sender-email", "cam@example.org", "--sender-password", "secret99",
          "--recipient-email", "me@example.org", "--phone", "01701234567", "--sms-control", "ON"},
         "gprs.dat",
         gprs([](GprsSettings& s) {
             s.countryIndex = 9; // the GPRS list has no Cayman Islands
             s.operatorIndex = 0;
             Mailboxes(s, "25");
             s.phoneNumber = "01701234567";
             s.smsControl = 0;
         })},
        {"gprs custom",
         {"gprs", "--mode", "custom", "--apn", "internet", "--gprs-account", "me", "--gprs-password", "pw",
          "--smtp-server", "smtp.example.org", "--smtp-port", "587", "--sender-email", "cam@example.org",
          "--sender-password", "secret99", "--recipient-email", "me@example.org"},
         "gprs.dat",
         gprs([](GprsSettings& s) {
             s.mode = kGprsModeCustomer;
             s.countryIndex = kGprsCountryCustomer;
             s.operatorIndex = 0;
             s.apn = "internet";
             s.gprsAccount = "me";
             s.gprsPassword = "pw";
             Mailboxes(s, "587");
         })},
        {"sms",
         {"sms", "--phone1", "01701234567", "--phone3", "+3612345", "--sms-control", "2 hour", "--pictures-per-day",
          "99"},
         "sms.dat",
         sms([](SmsSettings& s) {
             s.phone1 = "01701234567";
             s.phone3 = "+3612345";
             s.smsControl = 4;
             s.picturesPerDay = 99;
         })},
    };
    for (const MessagingCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir card, copy;
        const Outcome run = Kestra(QStringList(c.arguments) << "--out" << card.path());
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QByteArray written = ReadAll(card.filePath(c.fileName));
        EXPECT_EQ(written, c.expected());

        // gprs.dat's mailbox password is not read back, as in the window: it is typed again.
        QStringList again{c.arguments.front(), "--from", card.filePath(c.fileName), "--out", copy.path()};
        if (c.arguments.contains("--lang"))
            again << "--lang" << c.arguments.at(c.arguments.indexOf("--lang") + 1);
        if (c.arguments.contains("--tv-mode"))
            again << "--tv-mode" << c.arguments.at(c.arguments.indexOf("--tv-mode") + 1);
        if (c.arguments.front() == "gprs")
            again << "--sender-password"
                  << "secret99";
        const Outcome reread = Kestra(again);
        ASSERT_EQ(reread.status, 0) << reread.err.toStdString();
        EXPECT_EQ(ReadAll(copy.filePath(c.fileName)), written);
    }
}

// The help names every entry of a list and its default, and the file a
// messaging command writes, however the line asks for it: the texts built
// for the help alone are left out of lines that cannot show it.
TEST(CommandLine, HelpNamesTheListsEntriesHoweverItIsAskedFor)
{
    const QString mode = QStringLiteral("Capture mode: Camera, Video, Camera+Video, or the list position "
                                        "[default: Camera]");
    const QString mmsOut = QStringLiteral("Folder to write mms.dat into (the card's root)");
    const struct {
        QStringList arguments;
        QString shown;
    } cases[] = {
        {{"camera", "--help"}, mode},
        {{"camera", "-h"}, mode},
        {{"camera", "--out", "card", "--mode", "video", "--help"}, mode},
        {{"mms", "--email", "cam@example.org", "-h"}, mmsOut},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Outcome run = Kestra(c.arguments);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(c.shown)) << run.out.toStdString();
    }
}

// --- refusals -----------------------------------------------------------------

TEST(CommandLine, LanguageNamesAndCodesSetTheLanguageByte)
{
    QTemporaryDir card;
    const struct {
        const char* word;
        int code;
    } cases[] = {
        {"zh", 1}, {"中文", 1}, {"Chinese", 1}, {"EN", 2},    {"de", 3},  {"fi", 4},  {"it", 5},          {"fr", 6},
        {"hu", 7}, {"sl", 8},   {"cs", 9},      {"Czech", 9}, {"ja", 10}, {"lt", 11}, {"Lithuanian", 11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        const Outcome run =
            Kestra({"camera", "--out", card.path(), "--clock", kClock, "--lang", QString::fromUtf8(c.word)});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(ParseCameraFile(ReadAll(card.filePath("camera.dat"))).settings.languageCode, c.code);
    }
}

TEST(CommandLine, BadInputExitsWithTwoAndLeavesTheFolderAlone)
{
    QTemporaryDir card;
    ASSERT_EQ(Kestra({"camera", "--out", card.path(), "--clock", kClock}).status, 0);
    const QString defaults = card.filePath("defaults.dat");
    WriteAll(defaults, BuildCameraDefaultFile());
    QByteArray damaged = ReadAll(card.filePath("camera.dat"));
    damaged[57] = static_cast<char>(damaged[57] ^ 0x10);
    const QString damagedPath = card.filePath("damaged.dat");
    WriteAll(damagedPath, damaged);
    const QMap<QString, QByteArray> before = Snapshot(card.path());
    const QString out = card.path();

    const std::vector<QStringList> cases = {
        {"camera", "--out", out, "--mode", "photo"},
        {"camera", "--out", out, "--pir", "61min"},
        {"camera", "--out", out, "--pir", "120"},
        {"camera", "--out", out, "--video-length", "0s"},
        {"camera", "--out", out, "--clock", "2024-02-30 08:00:00"},
        {"camera", "--out", out, "--clock", "2024-02-29 24:00:00"},
        {"camera", "--out", out, "--clock", "yesterday"},
        {"camera", "--out", out, "--timer1-start", "24:00"},
        {"camera", "--out", out, "--timer1-stop", "-1:30"},
        {"camera", "--out", out, "--time-lapse-period", "01:60:00"},
        {"camera", "--out", out, "--serial-text", "AB1"},
        {"camera", "--out", out, "--serial-text", "AB-1"},
        {"camera", "--out", out, "--lang", "Klingon"},
        {"camera", "--out", out, "--tv-mode", "256"},
        {"camera", "--out", out, "--defaults", "--mode", "video"},
        {"camera", "--out", out, "--colour", "red"},
        {"camera", "--mode", "video"},
        {"camera", "--out", out, "--from", defaults},
        {"camera", "--out", out, "--from", damagedPath},
        {"mms", "--out", out, "--sms-control", "30min"},
        {"mms", "--out", out, "--email", "cam@example.org", "--url", "http://mms.example"},
        {"mms", "--out", out, "--mode", "custom", "--country", "Deutschland", "--email", "cam@example.org"},
        {"mms", "--out", out, "--email", "cam@example.org", "--sms-control", "15min"},
        {"mms", "--out", out, "--email", "cam@example.org", "--pictures-per-day", "100"},
        {"mms", "--out", out, "--email", QStringLiteral("cam\U0001F4F7@example.org")},
        {"gprs", "--out", out, "--smtp-server", "smtp.example.org"},
        {"gprs", "--out", out, "--country", "Deutschland", "--operator", "Telekom Austria"},
        {"sms", "--out", out, "--phone1", "12"},
        {"sms", "--out", out, "--from", card.filePath("camera.dat")},
        {"catalogue", "mms", "--country", "Atlantis"},
        {"catalogue", "gprs", "--country", "99"},
        {"catalogue", "fax"},
        {"photograph", "--out", out},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Outcome run = Kestra(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_EQ(Snapshot(card.path()), before);
    }
}

// A file the line names that cannot be read is a failed read: status 1, one
// line naming it, nothing written; a command that offers --json says it as
// JSON too.
TEST(CommandLine, UnreadableInputFileExitsWithOne)
{
    QTemporaryDir card;
    const QString out = card.path();
    const QString missing = card.filePath("missing.dat");
    const std::vector<QStringList> cases = {
        {"camera", "--out", out, "--from", missing},
        {"mms", "--out", out, "--from", missing},
        {"gprs", "--out", out, "--from", missing, "--sender-password", "secret99"},
        {"sms", "--out", out, "--from", missing},
        {"card", "write", "--profile", missing, "--out", out},
        {"mail-test", "--from", missing},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Outcome run = Kestra(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        // In the system's own way of writing paths, whichever option named it.
        EXPECT_TRUE(run.err.contains(QDir::toNativeSeparators(missing))) << run.err.toStdString();
        EXPECT_TRUE(QDir(out).isEmpty());
    }
}

// inspect, card list and mail-test offer --json: whatever ends them, the
// output is a JSON object that says why, with the exit status.
TEST(CommandLine, JsonCommandsFailInJson)
{
    QTemporaryDir card;
    const struct {
        QStringList arguments;
        int status;
        const char* said;
    } cases[] = {
        {{"inspect", "--json", card.path(), "--lang", "Klingon"}, 2, "Klingon"},
        {{"inspect", "--json", "--bogus", card.path()}, 2, "--bogus"},
        {{"card", "list", "--json", "--bogus"}, 2, "--bogus"},
        {{"mail-test", "--json", "--from", card.filePath("missing.dat")}, 1, "missing.dat"},
        {{"mail-test", "--json", "--timeout", "0", "--smtp-server", "127.0.0.1"}, 2, "--timeout"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Outcome run = Kestra(c.arguments);
        EXPECT_EQ(run.status, c.status);
        QJsonParseError error;
        const QJsonObject report = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
        EXPECT_TRUE(report.value("error").toString().contains(c.said)) << run.out.toStdString();
        EXPECT_EQ(report.value("exitStatus").toInt(), c.status);
    }
}

// --lang goes before the command or after it, as people write it; card list
// and card read take it too.
TEST(CommandLine, LanguageStandsBeforeOrAfterTheCommand)
{
    QTemporaryDir card;
    ASSERT_EQ(Kestra({"camera", "--out", card.path(), "--clock", kClock}).status, 0);
    const struct {
        QStringList arguments;
        const char* said; // on standard output
        int languageByte; // of camera.dat once done; 0: not written
    } cases[] = {
        {{"--lang", "zh", "camera", "--out", card.path(), "--clock", kClock}, "", kLanguageChinese},
        {{"--lang=de", "camera", "--out", card.path(), "--clock", kClock}, "", kLanguageGerman},
        {{"camera", "--out", card.path(), "--clock", kClock, "--lang", "en"}, "", kLanguageEnglish},
        {{"--lang", "zh", "inspect", card.filePath("camera.dat")}, "  PIR间隔: 1 min", 0},
        {{"inspect", card.filePath("camera.dat"), "--lang", "zh"}, "  检查：无误", 0},
        {{"--lang", "zh", "card", "read", card.path()}, "\"camera\"", 0},
        {{"card", "read", card.path(), "--lang", "zh"}, "\"camera\"", 0},
        {{"--lang", "zh", "catalogue", "gprs"}, "GPRS 国家", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Outcome run = Kestra(c.arguments);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(QString::fromUtf8(c.said))) << run.out.toStdString();
        if (c.languageByte != 0) {
            EXPECT_EQ(ParseCameraFile(ReadAll(card.filePath("camera.dat"))).settings.languageCode, c.languageByte);
        }
    }
    for (const QStringList& arguments :
         {QStringList{"--lang", "zh", "card", "list"}, {"card", "list", "--lang", "zh"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Outcome run = Kestra(arguments);
        // No drives to tell of is a failed run (1); the line itself is taken.
        EXPECT_NE(run.status, 2) << run.err.toStdString();
        EXPECT_FALSE((run.out + run.err).contains("No removable volume")) << run.out.toStdString();
    }
}

// The parser's own refusals are said in our words, naming the options and
// values as the line gives them, in the line's order, in Chinese under
// --lang zh (in texts a Chinese Windows console's code page holds).
TEST(CommandLine, RefusalsOfTheLineSpeakItsLanguage)
{
    QTemporaryDir card;
    const QString out = card.path();
    const struct {
        QStringList arguments;
        const char* said;
    } cases[] = {
        {{"camera", "--out", out, "--bogus", "1"}, "camera does not take --bogus 1"},
        {{"camera", "--lang", "zh", "--out", out, "--bogus", "1"}, "camera 不接受 --bogus 1"},
        {{"--lang", "zh", "camera", "--out", out, "--mode", "bogus"}, "--mode: “bogus” 无效"},
        {{"camera", "--out", out, "--mode", "video", "--mode", "camera"}, "--mode is given 2 times; give it once"},
        {{"--lang", "zh", "camera", "--out", out, "--mode", "video", "--mode", "camera"}, "--mode 给了 2 次"},
        {{"--lang", "zh", "camera", "--out"}, "--out 缺少值（DIR）"},
        {{"--lang", "zh", "camera", "--out", out, "--tv-mode", "abc"}, "--tv-mode：\"abc\" 无效；请给出 0-255"},
        {{"camera", "--out", out, "--tv-mode", "256"}, "--tv-mode: \"256\" is not accepted; give 0-255"},
        {{"--lang", "zh", "catalogue"}, "catalogue：必须给出 which（mms|gprs）"},
        {{"--lang", "zh", "catalogue", "fax"}, "which：\"fax\" 无效"},
        {{"--lang", "zh"}, "kestra-setup-cli 需要一个命令：camera"},
        {{"--lang", "zh", "card"}, "card 需要一个命令：list, read, write"},
        {{"--lang", "zh", "photograph"}, "\"photograph\" 不是命令"},
        {{"--lang", "zh", "card", "write", "--profile", "p.json", "--out", out, "--wait"},
         "--out 和 --wait 不能同时给出"},
        {{"--lang", "zh", "card", "write", "--profile", "p.json", "--count", "0", "--wait"},
         "--count：\"0\" 无效；请给出 1 或更大的整数"},
        {{"--lang", "zh", "card", "write", "--profile", "p.json", "--count", "2"}, "--count 只能与 --wait 一起给出"},
        {{"--lang", "zh", "card", "write", "--profile", "p.json"}, "请用 --out DIR 指定存储卡"},
        {{"--lang", "zh", "mail-test"}, "mail-test 需要 --from gprs.dat"},
        // What the camera cannot hold is said of the option, never of the
        // record's member behind it.
        {{"gprs", "--out", out, "--smtp-server", "smtp.example.org", "--smtp-port", "25", "--sender-email",
          "cam@example.org", "--sender-password", QString(34, QLatin1Char('a')), "--recipient-email", "me@example.org"},
         "--sender-password is 34 bytes long; at most 32 bytes fit."},
        {{"--lang", "zh", "gprs", "--out", out, "--smtp-server", "smtp.example.org", "--smtp-port", "25",
          "--sender-email", "cam@example.org", "--sender-password", QString(34, QLatin1Char('a')), "--recipient-email",
          "me@example.org"},
         "--sender-password 长 34 字节，最多只能 32 字节。"},
        {{"sms", "--out", out, "--phone1", "13800138000", "--phone3", "12345\x01"},
         "--phone3 holds the control character 0x01, which the camera cannot use in a text."},
        {{"--lang", "zh", "sms", "--out", out, "--phone1", "13800138000", "--phone3", "12345\x01"},
         "--phone3 含有控制字符 0x01，相机无法在文本中使用。"},
        // A list too long to name each entry says what it takes in the
        // line's language.
        {{"--lang", "zh", "camera", "--out", out, "--pir", "61min"}, "“0 秒”至“59 秒”、“1 分”至“60 分”"},
        {{"--lang", "zh", "camera", "--out", out, "--video-length", "0s"}, "“1 秒”至“60 秒”"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Outcome run = Kestra(c.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.said))) << run.err.toStdString();
        for (const char* theirs : {"not expected", "required", "At Most", "excludes", "Could not convert",
                                   "senderPassword", " to \"", "also written"})
            EXPECT_FALSE(run.err.contains(QLatin1String(theirs))) << run.err.toStdString();
        if (c.arguments.contains("zh")) {
            EXPECT_TRUE(EncodeCp936(run.err).has_value()) << run.err.toStdString();
        }
    }
}

// The profile's language is the files' language byte; --lang is the
// report's language, and the files' only where the profile names none.
TEST(CommandLineCard, ProfileLanguageIsTheFilesAndLangTheReports)
{
    QTemporaryDir card, profiles;
    const struct {
        const char* profile;
        int languageByte;
    } cases[] = {
        {R"({"language": "English", "camera": {"mode": "Video"}})", kLanguageEnglish},
        {R"({"camera": {"mode": "Video"}})", kLanguageChinese},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.profile);
        const QString profile = profiles.filePath("site.json");
        WriteAll(profile, c.profile);
        const Outcome run =
            Kestra({"card", "write", "--lang", "zh", "--profile", profile, "--out", card.path(), "--clock", kClock});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("存储卡已写入并读回核对"))) << run.out.toStdString();
        EXPECT_EQ(ParseCameraFile(ReadAll(card.filePath("camera.dat"))).settings.languageCode, c.languageByte);
    }
}

TEST(CommandLine, FailedWriteExitsWithOneAndNamesThePath)
{
    QTemporaryDir card;
    const QString notAFolder = card.filePath("camera-card");
    WriteAll(notAFolder, "a file, not a folder");
    for (const QString& out : {notAFolder, card.filePath("gone")}) {
        const Outcome run = Kestra({"camera", "--out", out, "--clock", kClock});
        EXPECT_EQ(run.status, 1) << out.toStdString();
        EXPECT_TRUE(run.err.contains(out)) << "the folder as given: " << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

// --- inspect ------------------------------------------------------------------

TEST(CommandLineInspect, ReportsDamagedTruncatedAndForeignFiles)
{
    QTemporaryDir card;
    const QByteArray good = BuildCameraFile(test::MustPass(FillCameraSettings(CameraChoices{}, kFifthOfMarch, 2, 0)));
    WriteAll(card.filePath("camera.dat"), good);

    const Outcome clean = Kestra({"inspect", card.path()});
    EXPECT_EQ(clean.status, 0) << clean.out.toStdString();
    EXPECT_TRUE(clean.out.contains("PIR interval: 1 min"));
    EXPECT_TRUE(clean.out.contains("clock: 2024-03-05 08:07:06"));

    struct Case {
        const char* name;
        QByteArray bytes;
        const char* fileName;
        const char* expected;
        bool values; // whether values are listed
    };
    QByteArray flipped = good;
    flipped[56] = static_cast<char>(flipped[56] ^ 0x01);
    const std::vector<Case> cases = {
        {"flipped checksum byte", flipped, "camera.dat", "checksum", true},
        {"truncated", good.left(100), "camera.dat", "100 bytes long", true},
        {"foreign", QByteArray("holiday photos, not settings\n"), "notes.txt", "not a settings file", false},
        // Nothing stored: the size is said, and no value as if it were stored.
        {"empty", QByteArray(), "camera.dat", "0 bytes long", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        WriteAll(dir.filePath(c.fileName), c.bytes);
        const Outcome run = Kestra({"inspect", dir.filePath(c.fileName)});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.out.contains(c.expected)) << run.out.toStdString();
        EXPECT_EQ(run.out.contains("PIR interval"), c.values) << run.out.toStdString();

        const Outcome json = Kestra({"inspect", "--json", dir.filePath(c.fileName)});
        EXPECT_EQ(json.status, 1);
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(json.out.toUtf8(), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << json.out.toStdString();
        const QJsonObject file = document.object().value("files").toArray().at(0).toObject();
        EXPECT_FALSE(file.value("clean").toBool());
        EXPECT_TRUE(QJsonDocument(file).toJson().contains(c.expected));
        EXPECT_EQ(!file.value("values").toArray().isEmpty(), c.values);
    }
}

// A folder where the card's camera.dat or sms.dat should be is no settings
// file: inspect names it and its check fails; card read refuses the card as
// it refuses a file it cannot read, rather than pass the folder over.
TEST(CommandLineInspect, NamesAFolderBearingASettingsFilesName)
{
    QTemporaryDir card;
    ASSERT_TRUE(QDir(card.path()).mkdir("camera.dat"));
    QTemporaryDir withSms;
    ASSERT_EQ(Kestra({"camera", "--out", withSms.path(), "--clock", kClock}).status, 0);
    ASSERT_TRUE(QDir(withSms.path()).mkdir("sms.dat"));
    const struct {
        QStringList arguments;
        const char* name;
        int status;
        bool onStandardError;
    } cases[] = {
        {{"inspect", card.path()}, "camera.dat", 1, false},
        {{"inspect", "--json", card.path()}, "camera.dat", 1, false},
        {{"inspect", withSms.path()}, "sms.dat", 1, false},
        {{"card", "read", card.path()}, "camera.dat", 1, true},
        {{"card", "read", withSms.path()}, "sms.dat", 1, true},
        {{"card", "read", "--lang", "zh", withSms.path()}, "sms.dat", 1, true},
        // A card read as a profile: refused whole, as any profile is.
        {{"card", "write", "--profile", withSms.path(), "--out", card.path()}, "sms.dat", 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Outcome run = Kestra(c.arguments);
        const QString said = c.onStandardError ? run.err : run.out;
        EXPECT_EQ(run.status, c.status) << said.toStdString();
        EXPECT_TRUE(said.contains(c.name)) << said.toStdString();
        EXPECT_TRUE(said.contains(c.arguments.contains("zh") ? QStringLiteral("这是一个目录，不是设置文件")
                                                             : QStringLiteral("a folder, not a settings file")))
            << said.toStdString();
    }
    EXPECT_TRUE(QFileInfo(card.filePath("camera.dat")).isDir()) << "a refused profile wrote";
}

// Texts are shown as the terminal cannot misread them: a control character a
// file holds comes out escaped, never raw.
TEST(CommandLineInspect, ShowsControlCharactersEscaped)
{
    SmsSettings sms;
    sms.languageCode = kLanguageEnglish;
    sms.smsControl = 5;
    sms.phone1 = "12345678";
    QByteArray bytes = BuildSmsFile(test::MustPass(sms));
    // Payload bytes are stored with their halves swapped: "12" becomes ESC, LF.
    const QByteArray swapped = QByteArray::fromHex("13233343");
    const qsizetype at = bytes.indexOf(swapped);
    ASSERT_GE(at, 0);
    bytes[at] = static_cast<char>(0xb1);     // ESC
    bytes[at + 1] = static_cast<char>(0xa0); // line feed
    bytes[at + 2] = static_cast<char>(0x90); // tab
    QTemporaryDir card;
    WriteAll(card.filePath("sms.dat"), bytes);
    const Outcome run = Kestra({"inspect", card.filePath("sms.dat")});
    EXPECT_TRUE(run.out.contains(QStringLiteral("\\x1b\\n\\t45678"))) << run.out.toStdString();
    // Windows ends its lines with a carriage return: that one is no stored text.
    const QString out = QString(run.out).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const char raw : {'\x1b', '\t', '\r'})
        EXPECT_FALSE(out.contains(QLatin1Char(raw))) << out.toStdString();
}

TEST(CommandLineInspect, KnowsAFileByItsSizeAndMasksPasswords)
{
    GprsSettings gprs;
    gprs.countryIndex = 10;
    gprs.languageCode = 2;
    gprs.smsControl = 5;
    gprs.senderEmail = "cam@example.org";
    gprs.senderPassword = "hunter22";
    gprs.smtpServer = "smtp.example.org";
    gprs.smtpPort = "25";
    gprs.recipientEmail = "me@example.org";
    QTemporaryDir dir;
    WriteAll(dir.filePath("backup-of-gprs.bin"), BuildGprsFile(test::MustPass(gprs)));

    const Outcome masked = Kestra({"inspect", dir.filePath("backup-of-gprs.bin")});
    EXPECT_EQ(masked.status, 0) << masked.out.toStdString();
    EXPECT_TRUE(masked.out.contains("gprs.dat")) << masked.out.toStdString();
    EXPECT_FALSE(masked.out.contains("hunter22"));
    const Outcome json = Kestra({"inspect", "--json", dir.path(), dir.filePath("backup-of-gprs.bin")});
    EXPECT_FALSE(json.out.contains("hunter22"));
    // The folder holds no file named as a settings file: that is reported, not passed over.
    EXPECT_EQ(json.status, 1);
    EXPECT_TRUE(Kestra({"inspect", "--show-secrets", dir.filePath("backup-of-gprs.bin")}).out.contains("hunter22"));
}

// --- catalogue ----------------------------------------------------------------

// One operator is "1 operator"; under --lang zh the headings are Chinese.
TEST(CommandLineCatalogue, CountsOperatorsInTheLinesLanguage)
{
    const struct {
        QStringList arguments;
        const char* said;
        const char* unsaid;
    } cases[] = {
        {{"catalogue", "gprs"}, "(1 operator)", "(1 operators)"},
        {{"catalogue", "gprs"}, "(2 operators)", "GPRS 国家"},
        {{"catalogue", "mms", "--lang", "zh"}, "个运营商", "operators"},
        {{"catalogue", "gprs", "--lang", "zh", "--country", "Cyprus"}, "（GPRS 国家 6），1 个运营商：", "operator"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Outcome run = Kestra(c.arguments);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(QString::fromUtf8(c.said))) << run.out.toStdString();
        EXPECT_FALSE(run.out.contains(QString::fromUtf8(c.unsaid))) << run.out.toStdString();
    }
}

TEST(CommandLineCatalogue, ListsACountrysOperatorsWithTheirPresets)
{
    const Outcome run = Kestra({"catalogue", "mms", "--country", "deutschland"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    for (int slot = 0; slot < MmsOperatorCount(10); ++slot) {
        EXPECT_TRUE(run.out.contains(MmsOperatorName(10, slot)));
        EXPECT_TRUE(run.out.contains(MmsOperatorPreset(10, slot).url));
    }
}

// --- mail-test ---------------------------------------------------------------

// The file's own password (block 7) and login name (block 9) reach the server,
// and only a login (and a send, if asked) that went through exits with 0.
TEST(CommandLineMailTest, TestsWhatGprsDatCarriesAndExitsWithZeroOnlyOnSuccess)
{
    KESTRA_SKIP_WITHOUT_SMTP_SERVER();
    test::SmtpServer server({"--mode", "plain", "--login", "cam", "--password", "pw-123"});
    ASSERT_NE(server.port(), 0) << "the test SMTP server did not start: it needs python3-aiosmtpd";
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString closedPort = QString::number(closed.serverPort());
    closed.close();
    QTemporaryDir card;
    ASSERT_EQ(Kestra({"gprs", "--out", card.path(), "--smtp-server", "127.0.0.1", "--smtp-port",
                      QString::number(server.port()), "--sender-email", "cam@example.org", "--sender-password",
                      "pw-123", "--recipient-email", "me@example.org"})
                  .status,
              0);

    struct Case {
        QStringList options;
        int status;
        const char* outcome;
    };
    const Case cases[] = {
        {{}, 0, "login-accepted"},
        {{"--send"}, 0, "sent"},
        {{"--sender-password", "wrong"}, 1, "login-refused"},
        {{"--smtp-port", closedPort}, 1, "nothing-listens"},
    };
    for (const Case& c : cases) {
        const QStringList arguments =
            QStringList{"mail-test", "--from", card.filePath("gprs.dat"), "--json", "--timeout", "2"} + c.options;
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Outcome run = Kestra(arguments);
        EXPECT_EQ(run.status, c.status) << run.out.toStdString() << run.err.toStdString();
        const QJsonObject report = QJsonDocument::fromJson(run.out.toUtf8()).object();
        EXPECT_EQ(report.value("outcome").toString(), c.outcome);
        EXPECT_EQ(report.value("loginName").toString(), "cam");
        EXPECT_FALSE(run.out.contains("pw-123"));
    }
    EXPECT_EQ(Kestra({"mail-test", "--smtp-port", "25"}).status, 2);
}

// The network's own errors are said in the report's language too: a name
// no host has, under --lang zh (".invalid" is no domain anywhere).
TEST(CommandLineMailTest, SaysTheNetworksErrorsInTheReportsLanguage)
{
    const Outcome run = Kestra({"mail-test", "--lang", "zh", "--json", "--timeout", "5", "--smtp-server",
                                "no-such-host.invalid", "--smtp-port", "25", "--sender-email", "cam@example.org",
                                "--sender-password", "pw-123456", "--recipient-email", "me@example.org"});
    EXPECT_EQ(run.status, 1) << run.err.toStdString();
    const QJsonObject report = QJsonDocument::fromJson(run.out.toUtf8()).object();
    ASSERT_EQ(report.value("outcome").toString(), "host-not-found") << run.out.toStdString();
    const QString summary = report.value("summary").toString();
    EXPECT_TRUE(summary.contains(QStringLiteral("没有这个主机"))) << summary.toStdString();
    EXPECT_TRUE(EncodeCp936(summary).has_value()) << summary.toStdString();
}

// What `gprs` would not write, mail-test does not test: the same words, exit
// status 2, and no login at the server. A --ca-file without a certificate is
// named the same way.
TEST(CommandLineMailTest, RefusesWhatGprsRefusesWithTheSameWords)
{
    KESTRA_SKIP_WITHOUT_SMTP_SERVER();
    test::SmtpServer server({"--mode", "plain", "--login", "cam", "--password", "pw-123"});
    ASSERT_NE(server.port(), 0) << "the test SMTP server did not start: it needs python3-aiosmtpd";
    QTemporaryDir card;
    WriteAll(card.filePath("notes.txt"), "no certificate here\n");
    const QString port = QString::number(server.port());
    const auto values = [&](const QString& sender, const QString& password) {
        return QStringList{"--smtp-server",     "127.0.0.1",     "--smtp-port",       port,
                           "--sender-email",    sender,          "--sender-password", password,
                           "--recipient-email", "me@example.org"};
    };
    struct Case {
        QString sender;
        QString password;
    };
    const Case cases[] = {
        {"cam@example.org", QString(34, QLatin1Char('p'))},
        {"cam@a-much-longer-domain-name.org", "pw-123"},
        {"cam@example.org", "p"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.sender + ' ' + c.password).toStdString());
        const Outcome gprs = Kestra(QStringList{"gprs", "--out", card.path()} + values(c.sender, c.password));
        ASSERT_EQ(gprs.status, 2) << gprs.err.toStdString();
        const Outcome test = Kestra(QStringList{"mail-test", "--json"} + values(c.sender, c.password));
        EXPECT_EQ(test.status, 2) << test.out.toStdString();
        const QJsonObject report = QJsonDocument::fromJson(test.out.toUtf8()).object();
        const QString summary = report.value("summary").toString();
        EXPECT_TRUE(!summary.isEmpty() && gprs.err.trimmed().endsWith(summary)) << summary.toStdString();
        EXPECT_EQ(report.value("cameraCanHold"), QJsonValue(false));
    }
    const Outcome ca =
        Kestra(QStringList{"mail-test", "--ca-file", card.filePath("notes.txt")} + values("cam@example.org", "pw-123"));
    EXPECT_EQ(ca.status, 2);
    EXPECT_TRUE(ca.out.contains(card.filePath("notes.txt"))) << ca.out.toStdString();
    EXPECT_TRUE(server.logins().isEmpty());
}

} // namespace
} // namespace kestra
