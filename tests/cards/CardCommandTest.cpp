// SPDX-License-Identifier: Apache-2.0
// The card commands as a user runs them: exit statuses, a refused profile
// that writes nothing, a card that cannot be written, and inspect --json
// giving each file's values under the names a profile uses.

#include <QDir>
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

    ASSERT_TRUE(WriteText(path("site.json"), R"({"camera": {"mode": "Video"}})"));
    const ProgramRun missing = Program({QStringLiteral("card"), QStringLiteral("write"), QStringLiteral("--profile"),
                                        path("site.json"), QStringLiteral("--out"), path("gone")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("card incomplete")) << missing.err.toStdString();
    EXPECT_TRUE(missing.err.contains("no camera.dat")) << missing.err.toStdString();

    const ProgramRun past = Program({QStringLiteral("card"), QStringLiteral("write"), QStringLiteral("--profile"),
                                     path("site.json"), QStringLiteral("--wait"), QStringLiteral("--count"),
                                     QStringLiteral("3"), QStringLiteral("--serial-from"), QStringLiteral("ZZZY")});
    EXPECT_EQ(past.status, 2) << "three cards from ZZZY would pass ZZZZ: refused before any wait";
    EXPECT_TRUE(past.err.contains("ZZZZ")) << past.err.toStdString();
}

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
