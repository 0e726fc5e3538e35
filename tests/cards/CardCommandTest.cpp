// SPDX-License-Identifier: Apache-2.0
// The card commands as a user runs them: exit statuses, a refused profile
// that writes nothing, a card that cannot be written, and inspect --json
// giving each file's values under the names a profile uses.

#include "storage/Cp936.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kestra {
namespace {

struct ProgramRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

ProgramRun Program(const QStringList& arguments)
{
    QProcess program;
    program.start(QStringLiteral(KESTRA_SETUP_PROGRAM), arguments);
    program.waitForFinished(60000);
    return {program.exitCode(), program.readAllStandardOutput(), program.readAllStandardError()};
}

bool WriteText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

class CardCommand : public ::testing::Test {
protected:
    QTemporaryDir work;
    QString path(const char* name) const { return work.filePath(QLatin1String(name)); }
};

TEST_F(CardCommand, ARefusedProfileWritesNothingAndABrokenCardFails)
{
    ASSERT_TRUE(WriteText(path("bad.json"), R"({"camera": {"mode": "Video"}, "sms": {"phone1": "1"}})"));
    ASSERT_TRUE(QDir().mkpath(path("card")));
    const ProgramRun refused = Program({QStringLiteral("card"), QStringLiteral("write"), QStringLiteral("--profile"),
                                        path("bad.json"), QStringLiteral("--out"), path("card")});
    EXPECT_EQ(refused.status, 2) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains("sms")) << refused.err.toStdString();
    EXPECT_TRUE(QDir(path("card")).isEmpty()) << "a refused profile wrote camera.dat";

    ASSERT_TRUE(WriteText(path("site.json"), R"({"camera": {"mode": "Video"}, "sms": {"phone1": "13800138000"}})"));
    const ProgramRun missing = Program({QStringLiteral("card"), QStringLiteral("write"), QStringLiteral("--profile"),
                                        path("site.json"), QStringLiteral("--out"), path("gone")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("does not exist")) << missing.err.toStdString();
    EXPECT_EQ(missing.err.count(QDir::toNativeSeparators(path("gone")).toUtf8()), 1)
        << "a missing folder is said once:\n"
        << missing.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path("gone")));

    const ProgramRun past = Program({QStringLiteral("card"), QStringLiteral("write"), QStringLiteral("--profile"),
                                     path("site.json"), QStringLiteral("--wait"), QStringLiteral("--count"),
                                     QStringLiteral("3"), QStringLiteral("--serial-from"), QStringLiteral("ZZZY")});
    EXPECT_EQ(past.status, 2) << "three cards from ZZZY would pass ZZZZ: refused before any wait";
    EXPECT_TRUE(past.err.contains("ZZZZ")) << past.err.toStdString();
}

// What a user reads: the report in the language asked for, a missing folder
// called missing, and a profile's hint naming a command that runs.
TEST_F(CardCommand, TheWordsFitWhatHappened)
{
    ASSERT_TRUE(WriteText(path("site.json"), R"({"sms": {"phone1": "13800138000"}})"));
    ASSERT_TRUE(QDir().mkpath(path("card")));
    const ProgramRun chinese =
        Program({QStringLiteral("card"), QStringLiteral("write"), QStringLiteral("--profile"), path("site.json"),
                 QStringLiteral("--out"), path("card"), QStringLiteral("--lang"), QStringLiteral("zh")});
    EXPECT_EQ(chinese.status, 0) << chinese.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(chinese.out).contains(QStringLiteral("存储卡已写入并读回核对")))
        << chinese.out.toStdString();

    const ProgramRun nothere = Program({QStringLiteral("card"), QStringLiteral("read"), path("nothere")});
    EXPECT_EQ(nothere.status, 1);
    EXPECT_TRUE(nothere.err.contains("does not exist")) << nothere.err.toStdString();
    EXPECT_FALSE(nothere.err.contains("no settings file")) << nothere.err.toStdString();

    ASSERT_TRUE(
        WriteText(path("bad.json"), R"({"gprs": {"mode": "auto", "country": "China", "operator": "Nowhere"}})"));
    const ProgramRun hint = Program({QStringLiteral("card"), QStringLiteral("write"), QStringLiteral("--profile"),
                                     path("bad.json"), QStringLiteral("--out"), path("card")});
    EXPECT_EQ(hint.status, 2);
    EXPECT_TRUE(hint.err.contains("gprs.operator")) << hint.err.toStdString();
    EXPECT_FALSE(hint.err.contains("gprs gprs.")) << "a command to run keeps its options: " << hint.err.toStdString();
}

// A camera's card may hold its files under capital names: they are read as
// they are, and a new card write replaces them with the lower-case names,
// never beside them (a folder that tells case apart, as FAT does not).
TEST_F(CardCommand, CapitalNamesAreReadAndReplaced)
{
    ASSERT_TRUE(WriteText(path("site.json"), R"({"sms": {"phone1": "13800138000"}, "camera": {"mode": "Video"}})"));
    ASSERT_EQ(Program({QStringLiteral("card"), QStringLiteral("write"), QStringLiteral("--profile"), path("site.json"),
                       QStringLiteral("--out"), work.path()})
                  .status,
              0);
    ASSERT_TRUE(QFile::rename(path("sms.dat"), path("SMS.DAT")));
    ASSERT_TRUE(QFile::rename(path("camera.dat"), path("Camera.Dat")));
    if (QFileInfo::exists(path("sms.dat")))
        GTEST_SKIP() << "this folder does not tell case apart";
    const ProgramRun read = Program({QStringLiteral("card"), QStringLiteral("read"), work.path()});
    ASSERT_EQ(read.status, 0) << read.err.toStdString();
    const QJsonObject profile = QJsonDocument::fromJson(read.out).object();
    EXPECT_EQ(profile.value(QStringLiteral("sms")).toObject().value(QStringLiteral("phone1")).toString(),
              QStringLiteral("13800138000"));
    EXPECT_TRUE(profile.contains(QStringLiteral("camera")));

    ASSERT_EQ(Program({QStringLiteral("card"), QStringLiteral("write"), QStringLiteral("--profile"), path("site.json"),
                       QStringLiteral("--out"), work.path()})
                  .status,
              0);
    QStringList names =
        QDir(work.path())
            .entryList({QStringLiteral("*.dat"), QStringLiteral("*.DAT"), QStringLiteral("*.Dat")}, QDir::Files);
    names.sort();
    EXPECT_EQ(names.join(QLatin1Char(' ')), QStringLiteral("camera.dat sms.dat"));
}

#ifdef Q_OS_LINUX
// Without a system bus the kernel's mount table answers, and --json is JSON
// that says where its answer came from; the text says it in the line's
// language.
TEST_F(CardCommand, WithoutUDisks2TheListComesFromTheKernel)
{
    const auto list = [this](const QStringList& options) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=") + path("no-bus"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(KESTRA_SETUP_PROGRAM),
                      QStringList{QStringLiteral("card"), QStringLiteral("list")} + options);
        EXPECT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
        return QString::fromUtf8(program.readAllStandardOutput());
    };
    const QString out = list({QStringLiteral("--json")});
    QJsonParseError error{};
    const QJsonObject json = QJsonDocument::fromJson(out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << out.toStdString();
    EXPECT_EQ(json.value(QStringLiteral("source")).toString(), QStringLiteral("kernel"));
    EXPECT_TRUE(
        json.value(QStringLiteral("sourceNote")).toString().startsWith(QStringLiteral("UDisks2 is not there: ")))
        << out.toStdString();
    EXPECT_TRUE(json.value(QStringLiteral("volumes")).isArray());
    EXPECT_FALSE(json.contains(QStringLiteral("error")));

    const QString chinese = list({QStringLiteral("--lang"), QStringLiteral("zh")});
    EXPECT_TRUE(chinese.contains(QStringLiteral("（可移动与否依内核的挂载表和可移动标志而定；没有 UDisks2：")))
        << chinese.toStdString();
    EXPECT_FALSE(chinese.contains(QStringLiteral("is not there"))) << chinese.toStdString();
    EXPECT_FALSE(chinese.contains(QStringLiteral("the system bus"))) << chinese.toStdString();
    EXPECT_TRUE(EncodeCp936(chinese).has_value()) << chinese.toStdString();
}
#endif

TEST_F(CardCommand, InspectJsonGivesTheProfileNamesAndTheStoredValues)
{
    ASSERT_TRUE(WriteText(path("site.json"), R"({"camera": {"pir": "30 Sec"}, "sms": {"phone1": "13800138000"},
                                                 "gprs": {"sender-email": "cam@example.org", "sender-password": "secret",
                                                          "smtp-server": "mail.example.org", "smtp-port": "25",
                                                          "recipient-email": "me@example.org"}})"));
    ASSERT_EQ(Program({QStringLiteral("card"), QStringLiteral("write"), QStringLiteral("--profile"), path("site.json"),
                       QStringLiteral("--out"), work.path(), QStringLiteral("--serial-from"), QStringLiteral("B07Z")})
                  .status,
              0);
    const ProgramRun read = Program({QStringLiteral("card"), QStringLiteral("read"), work.path()});
    ASSERT_EQ(read.status, 0) << read.err.toStdString();
    const QJsonObject profile = QJsonDocument::fromJson(read.out).object();
    EXPECT_EQ(profile.value(QStringLiteral("camera")).toObject().value(QStringLiteral("serial-text")).toString(),
              QStringLiteral("B07Z"));

    const ProgramRun inspected = Program({QStringLiteral("inspect"), QStringLiteral("--json"), work.path()});
    ASSERT_EQ(inspected.status, 0) << inspected.err.toStdString();
    const QJsonArray files = QJsonDocument::fromJson(inspected.out).object().value(QStringLiteral("files")).toArray();
    ASSERT_EQ(files.size(), 3);
    for (const QJsonValue& value : files) {
        const QJsonObject file = value.toObject();
        const QString section = file.value(QStringLiteral("kind")).toString().section(QLatin1Char('.'), 0, 0);
        QJsonObject fromCard = profile.value(section).toObject();
        QJsonObject shown = file.value(QStringLiteral("profile")).toObject();
        if (section == u"gprs") {
            EXPECT_EQ(shown.value(QStringLiteral("sender-password")).toString(), QStringLiteral("********"));
            EXPECT_EQ(file.value(QStringLiteral("raw")).toObject().value(QStringLiteral("senderPassword")).toString(),
                      QStringLiteral("********"));
            fromCard.remove(QStringLiteral("sender-password"));
            shown.remove(QStringLiteral("sender-password"));
        }
        EXPECT_EQ(shown, fromCard) << section.toStdString();
    }
    const QJsonObject raw = files.at(0).toObject().value(QStringLiteral("raw")).toObject();
    EXPECT_EQ(raw.value(QStringLiteral("pirInterval")).toInt(), 0x80 + 30) << "the stored byte, not the words";
    EXPECT_EQ(raw.value(QStringLiteral("serialChar4")).toInt(), 35);
    EXPECT_EQ(raw.value(QStringLiteral("serialOn")).toInt(), 1);
}

} // namespace
} // namespace kestra
