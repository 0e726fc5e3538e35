// SPDX-License-Identifier: Apache-2.0
// Every text a list can show fits its field at the fonts the program ships
// with, under the skin, in every interface language: a cut-off entry ("Kestra
// T870" for "Kestra T870N") is a setting the user cannot read.

#include "app/AppState.h"
#include "app/MainDialog.h"
#include "support/TestServices.h"
#include "ui/Skin.h"
#include "windows/camera/CameraDialog.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <gtest/gtest.h>

#include <memory>

namespace kestra {
namespace {

// The entries of every list of `window` that do not fit the list's text field.
QStringList EntriesThatDoNotFit(QWidget* window)
{
    QStringList cut;
    for (QComboBox* combo : window->findChildren<QComboBox*>()) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        const QFontMetrics metrics(combo->font());
        for (int i = 0; i < combo->count(); ++i) {
            const QString text = combo->itemText(i);
            if (metrics.horizontalAdvance(text) > field.width())
                cut << QStringLiteral("%1: \"%2\" (%3 > %4 px)")
                           .arg(combo->objectName(), text)
                           .arg(metrics.horizontalAdvance(text))
                           .arg(field.width());
        }
    }
    return cut;
}

class TextFit : public ::testing::Test {
protected:
    void SetUp() override
    {
        ui::InitSkinEngine();
        ASSERT_TRUE(ui::LoadSkin(165).ok());
        ASSERT_TRUE(ui::SelectDialogStyle(QStringLiteral("Dialog")).ok());
    }
    void TearDown() override
    {
        ui::UnloadSkin();
        g_languageIndex = kLanguageEnglish;
    }
    test::TestServices fakes;
};

TEST_F(TextFit, MainWindowListsInEveryLanguage)
{
    for (int language = 1; language <= kLanguageCount; ++language) {
        g_languageIndex = language;
        CMainDialog window(fakes.services());
        window.Create();
        EXPECT_EQ(EntriesThatDoNotFit(window.widget()).join(QStringLiteral("; ")).toStdString(), "") << "language " << language;
    }
}

TEST_F(TextFit, CameraWindowListsInEveryLanguage)
{
    for (int language = 1; language <= kLanguageCount; ++language) {
        g_languageIndex = language;
        CCameraDialog window(fakes.services(), CurrentSession());
        window.Create();
        EXPECT_EQ(EntriesThatDoNotFit(window.widget()).join(QStringLiteral("; ")).toStdString(), "") << "language " << language;
    }
}

} // namespace
} // namespace kestra
