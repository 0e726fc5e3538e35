// SPDX-License-Identifier: Apache-2.0
#include <QApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStyle>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <cstdio>

#ifdef Q_OS_WIN
namespace {

// A Windows program without a console sends Qt's messages to the debugger
// only; death tests read the dying program's stderr.
void MessagesToStderr(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(QtWarningMsg, context, message)));
    std::fflush(stderr);
}

} // namespace
#endif

int main(int argc, char** argv)
{
#ifdef Q_OS_WIN
    qInstallMessageHandler(MessagesToStderr);
#endif
    // Widget tests never need a display: they run on Qt's offscreen platform
    // unless the caller asked for another one (QT_QPA_PLATFORM, or
    // `-platform windows` for the look a Windows user gets).
    //
    // KESTRA_TEST_SCALE=1.5 runs them on a screen scaled to 150%, as
    // QT_SCALE_FACTOR does (Wine hands a Windows program no QT_* variable).
    // The offscreen screen is then 1280 x 720 of the scaled pixels (1920 x
    // 1080 at 150%, 2560 x 1440 at 200%), the smallest such screens sold,
    // rather than a tiny one the windows do not fit on.
    const QByteArray scale = qgetenv("KESTRA_TEST_SCALE");
    QTemporaryFile screens(QStringLiteral("kestra-test-screen-XXXXXX.json")); // in the working folder
    if (!scale.isEmpty())
        qputenv("QT_SCALE_FACTOR", scale);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        QByteArray platform = "offscreen";
        const double factor = scale.toDouble();
        if (factor > 0 && screens.open()) {
            const QJsonObject screen{{"name", "scaled"},
                                     {"x", 0},
                                     {"y", 0},
                                     {"width", qRound(1280 * factor)},
                                     {"height", qRound(720 * factor)},
                                     {"logicalDpi", 96},
                                     {"logicalBaseDpi", 96},
                                     {"dpr", 1}};
            screens.write(QJsonDocument(QJsonObject{{"screens", QJsonArray{screen}}}).toJson());
            screens.flush();
            // Relative: a platform argument takes no drive letter's colon.
            platform += ":configfile=" + QDir::current().relativeFilePath(screens.fileName()).toUtf8();
        }
        qputenv("QT_QPA_PLATFORM", platform);
    }
    QApplication app(argc, argv);
    // A run meant for a user's look must not pass in a fallback style because
    // the style the program would pick is missing.
    if (const QString wanted = qEnvironmentVariable("KESTRA_TEST_STYLE");
        !wanted.isEmpty() && QApplication::style()->name().compare(wanted, Qt::CaseInsensitive) != 0) {
        std::fprintf(stderr, "The tests run in the style \"%s\" on the platform \"%s\", not in \"%s\".\n",
                     qPrintable(QApplication::style()->name()), qPrintable(QGuiApplication::platformName()),
                     qPrintable(wanted));
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
