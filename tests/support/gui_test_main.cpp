// SPDX-License-Identifier: Apache-2.0
#include <QApplication>

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
    // unless the caller asked for another one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
