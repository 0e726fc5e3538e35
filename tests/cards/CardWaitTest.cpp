// SPDX-License-Identifier: Apache-2.0
// `card write --wait`, run as the built program: cards (FAT images) put in
// one after another, each written, numbered, ejected through a stand-in
// UDisks2 on a private bus; Ctrl+C between cards stops and says so.

#include "filecheck/SettingsFileCheck.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include "CardMedia.h"

#include <csignal>
#endif

namespace kestra {
namespace {

#ifdef Q_OS_WIN

TEST(CardWait, CardsOneAfterAnother)
{
    GTEST_SKIP() << "FAT images through FUSE and UDisks2 are Linux's";
}

#else

using test::FatCard;
using test::PrivateUDisks2;
using test::StandInCard;

// Waits for the program's next output line that contains `wanted`; every
// line read is kept in `seen` for the failure message.
bool WaitForLine(QProcess& program, const QString& wanted, QString& seen)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 30000) {
        while (program.canReadLine()) {
            const QString line = QString::fromUtf8(program.readLine());
            seen += line;
            if (line.contains(wanted))
                return true;
        }
        if (program.state() == QProcess::NotRunning && !program.canReadLine())
            return false;
        program.waitForReadyRead(1000);
    }
    return false;
}

struct Fleet {
    QTemporaryDir work;
    std::vector<std::unique_ptr<FatCard>> cards;
    std::unique_ptr<PrivateUDisks2> udisks;
    QString profile = work.filePath(QStringLiteral("site.json"));
    std::string skipReason;

    // `count` cards, each in a reader of its own; or, with `oneReader`, all
    // put into the same reader one after another (its drive leaves a mark
    // when switched off).
    explicit Fleet(int count, bool oneReader = false)
    {
        QJsonArray standIns;
        for (int i = 1; i <= count; ++i) {
            const QString name = QStringLiteral("card%1").arg(i);
            const QString mountPoint = work.filePath(oneReader ? QStringLiteral("reader") : name);
            cards.push_back(std::make_unique<FatCard>(work.filePath(name + QStringLiteral(".img")), mountPoint,
                                                      QStringLiteral("CARD%1").arg(i)));
            if (!cards.back()->skipReason().empty())
                skipReason = cards.back()->skipReason();
            if (!oneReader || i == 1)
                standIns.append(StandInCard(QStringLiteral("sdz%1").arg(i), mountPoint, true,
                                            cards.back()->unmountCommand(),
                                            {QStringLiteral("touch"), work.filePath(QStringLiteral("powered-off"))}));
        }
        if (!skipReason.empty())
            return;
        udisks = std::make_unique<PrivateUDisks2>(standIns);
        skipReason = udisks->skipReason();
        QFile file(profile);
        if (!file.open(QIODevice::WriteOnly)
            || file.write(R"({"camera": {"mode": "Camera+Video", "pir": "5 Min"}, "sms": {"phone1": "13800138000"}})")
                   < 0)
            skipReason = "cannot write the profile";
    }

    // card write with the profile, the stand-in UDisks2 as the system's and `options`.
    void start(QProcess& program, const QStringList& options)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), udisks->address());
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(QStringLiteral(KESTRA_SETUP_PROGRAM),
                      QStringList{QStringLiteral("card"), QStringLiteral("write"), QStringLiteral("--profile"), profile,
                                  QStringLiteral("--clock"), QStringLiteral("2024-03-05 08:07:06")}
                          + options);
    }
};

TEST(CardWait, ThreeCardsOneAfterAnotherAreWrittenNumberedAndEjected)
{
    Fleet fleet(3);
    if (!fleet.skipReason.empty())
        GTEST_SKIP() << fleet.skipReason;
    QProcess program;
    fleet.start(program, {QStringLiteral("--wait"), QStringLiteral("--count"), QStringLiteral("3"),
                          QStringLiteral("--serial-from"), QStringLiteral("CAM8")});
    QString seen;
    for (const auto& card : fleet.cards) {
        ASSERT_TRUE(WaitForLine(program, QStringLiteral("Waiting for a card"), seen)) << seen.toStdString();
        ASSERT_TRUE(card->mount());
        ASSERT_TRUE(WaitForLine(program, QStringLiteral("ejected"), seen)) << seen.toStdString();
        EXPECT_FALSE(card->mounted()) << "the eject did not unmount " << card->mountPoint().toStdString();
    }
    ASSERT_TRUE(program.waitForFinished(30000));
    seen += QString::fromUtf8(program.readAll());
    EXPECT_EQ(program.exitCode(), 0) << seen.toStdString();
    EXPECT_TRUE(seen.contains(QStringLiteral("3 card(s) written."))) << seen.toStdString();

    const char* serials[] = {"CAM8", "CAM9", "CAMA"};
    for (std::size_t i = 0; i < fleet.cards.size(); ++i) {
        FatCard& card = *fleet.cards[i];
        EXPECT_TRUE(seen.contains(QStringLiteral("serial text %1").arg(QLatin1String(serials[i])))) << serials[i];
        ASSERT_TRUE(card.mount());
        const SettingsFileCheckResult camera = CheckSettingsFileAt(
            SettingsFileKind::Camera, QDir(card.mountPoint()).filePath(QStringLiteral("camera.dat")));
        ASSERT_TRUE(camera.ok());
        EXPECT_TRUE(camera.values.clean());
        const auto& settings = std::get<CameraSettings>(camera.values.record);
        EXPECT_EQ(settings.serialOn, 1);
        const QString expected = QLatin1String(serials[i]);
        const int last =
            expected.back().isDigit() ? expected.back().digitValue() : 10 + (expected.back().unicode() - u'A');
        EXPECT_EQ(settings.serialChar4, last) << serials[i];
        EXPECT_EQ(settings.cameraMode, 2);
        EXPECT_TRUE(QFile::exists(QDir(card.mountPoint()).filePath(QStringLiteral("sms.dat"))));
        card.unmount();
    }
}

// A USB card reader switched off sees no card until it is plugged in again:
// the reader stays on from card to card, and goes off after the last one
// only when asked.
TEST(CardWait, OneReaderTakesCardAfterCardAndGoesOffOnlyAfterTheLast)
{
    Fleet fleet(2, true);
    if (!fleet.skipReason.empty())
        GTEST_SKIP() << fleet.skipReason;
    QProcess program;
    fleet.start(program, {QStringLiteral("--wait"), QStringLiteral("--count"), QStringLiteral("2"),
                          QStringLiteral("--power-off")});
    QString seen;
    const QString poweredOff = fleet.work.filePath(QStringLiteral("powered-off"));
    for (const auto& card : fleet.cards) {
        ASSERT_TRUE(WaitForLine(program, QStringLiteral("Waiting for a card"), seen)) << seen.toStdString();
        EXPECT_FALSE(QFile::exists(poweredOff)) << "the reader went off before the last card";
        ASSERT_TRUE(card->mount());
        ASSERT_TRUE(WaitForLine(program, QStringLiteral("ejected"), seen)) << seen.toStdString();
        EXPECT_FALSE(card->mounted());
    }
    ASSERT_TRUE(program.waitForFinished(30000));
    seen += QString::fromUtf8(program.readAll());
    EXPECT_EQ(program.exitCode(), 0) << seen.toStdString();
    EXPECT_TRUE(seen.contains(QStringLiteral("2 card(s) written."))) << seen.toStdString();
    EXPECT_TRUE(QFile::exists(poweredOff)) << "--power-off: the reader stayed on after the last card";
}

// Ctrl+C, or a request to end, while the run waits: the cards written are
// counted, and the run ends with the status a shell gives a program the
// signal ended (128 and its number), not as a run that ran its course.
TEST(CardWait, CtrlCOrARequestToEndStopsTheRunAndSaysHowManyCardsWereWritten)
{
    struct Case {
        int signal;
        int cards; // written before the signal
        int status;
        const char* stopLine;
    };
    const Case cases[] = {
        {SIGINT, 1, 130, "Stopped by Ctrl+C."},
        {SIGINT, 0, 130, "Stopped by Ctrl+C."},
        {SIGTERM, 1, 143, "Stopped: the program was asked to end."},
    };
    for (const Case& c : cases) {
        const std::string what =
            std::string(c.signal == SIGINT ? "SIGINT" : "SIGTERM") + " after " + std::to_string(c.cards) + " card(s)";
        Fleet fleet(1);
        if (!fleet.skipReason.empty())
            GTEST_SKIP() << fleet.skipReason;
        QProcess program;
        fleet.start(program, {QStringLiteral("--wait")});
        QString seen;
        ASSERT_TRUE(WaitForLine(program, QStringLiteral("Waiting for a card"), seen)) << what << seen.toStdString();
        for (int i = 0; i < c.cards; ++i) {
            ASSERT_TRUE(fleet.cards[0]->mount()) << what;
            ASSERT_TRUE(WaitForLine(program, QStringLiteral("Waiting for a card"), seen)) << what << seen.toStdString();
        }
        ::kill(static_cast<pid_t>(program.processId()), c.signal);
        ASSERT_TRUE(program.waitForFinished(10000)) << what << ": the signal did not end the wait";
        seen += QString::fromUtf8(program.readAll());
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << what;
        EXPECT_EQ(program.exitCode(), c.status) << what << seen.toStdString();
        EXPECT_TRUE(
            seen.contains(QStringLiteral("%1\n%2 card(s) written.\n").arg(QLatin1String(c.stopLine)).arg(c.cards)))
            << what << seen.toStdString();
    }
}

TEST(CardWait, EjectAloneEjectsTheCardItWrote)
{
    Fleet fleet(1);
    if (!fleet.skipReason.empty())
        GTEST_SKIP() << fleet.skipReason;
    FatCard& card = *fleet.cards[0];
    ASSERT_TRUE(card.mount());
    QProcess program;
    fleet.start(program, {QStringLiteral("--out"), card.mountPoint(), QStringLiteral("--eject")});
    ASSERT_TRUE(program.waitForFinished(30000));
    const QString seen = QString::fromUtf8(program.readAll());
    EXPECT_EQ(program.exitCode(), 0) << seen.toStdString();
    EXPECT_TRUE(seen.contains(QStringLiteral("ejected"))) << seen.toStdString();
    EXPECT_FALSE(card.mounted()) << "the card is still mounted";
}

#endif

} // namespace
} // namespace kestra
