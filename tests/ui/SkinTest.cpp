// SPDX-License-Identifier: Apache-2.0
// The skin: loaded from the resources by id, applied through the three
// start-up calls, and the plain look when anything fails.

#include "ui/Skin.h"
#include "SampleTemplate.h"
#include "support/ScriptedDialog.h"
#include "support/TestServices.h"
#include "support/WidgetDriver.h"

#include <QApplication>
#include <QFile>

#include <gtest/gtest.h>

namespace kestra::test {
namespace {

using namespace ui;

QStringList g_warnings;

void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_warnings << message;
}

class Skin : public ::testing::Test {
protected:
    void TearDown() override { UnloadSkin(); }
};

TEST_F(Skin, Skin165LoadsAndStylesEveryWindowWithoutComplaint)
{
    InitSkinEngine();
    ASSERT_TRUE(LoadSkin(165));
    ASSERT_TRUE(SelectDialogStyle(QStringLiteral("Dialog")));
    EXPECT_TRUE(qApp->styleSheet().contains(QStringLiteral("QPushButton:focus")));

    // Qt parses a sheet lazily and reports faults as warnings when it styles
    // a widget; show a window with every kind of control to find them.
    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
    TestServices fakes;
    ScriptedDialog dialog(SampleTemplate(), fakes);
    dialog.Create();
    showAndActivate(dialog.widget());
    processEvents();
    dialog.widget()->grab();
    qInstallMessageHandler(previous);
    EXPECT_TRUE(g_warnings.filter(QStringLiteral("parse"), Qt::CaseInsensitive).isEmpty())
        << g_warnings.join('\n').toStdString();
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/skins/arrow-down.png")));
}

TEST_F(Skin, TheSecondSkinIsThereButNeverApplied)
{
    InitSkinEngine();
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/skins/skin156.qss")));
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
}

TEST_F(Skin, AFailedLoadLeavesThePlainLook)
{
    InitSkinEngine();
    const SkinResult missing = LoadSkin(999);
    EXPECT_FALSE(missing);
    EXPECT_FALSE(missing.error.isEmpty());
    EXPECT_FALSE(SelectDialogStyle(QStringLiteral("Dialog")));
    EXPECT_TRUE(qApp->styleSheet().isEmpty());

    // A failed load also forgets a skin loaded before it.
    ASSERT_TRUE(LoadSkin(165));
    EXPECT_FALSE(LoadSkin(999));
    EXPECT_FALSE(SelectDialogStyle(QStringLiteral("Dialog")));

    ASSERT_TRUE(LoadSkin(165));
    EXPECT_FALSE(SelectDialogStyle(QStringLiteral("Frame")));
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
}

} // namespace
} // namespace kestra::test
