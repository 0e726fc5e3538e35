// SPDX-License-Identifier: Apache-2.0
#include <QApplication>
#include <QStyle>

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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
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
