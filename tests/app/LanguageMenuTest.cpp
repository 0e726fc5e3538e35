// SPDX-License-Identifier: Apache-2.0
#include "app/AppState.h"
#include "app/MainDialog.h"
#include "app/ShellTexts.h"
#include "app/StartupSettings.h"
#include "dialogs/camera/CameraDialog.h"
#include "dialogs/camera/CameraDialogIds.h"
#include "formats/camera/CameraFile.h"
#include "formats/camera/CameraFileReader.h"
#include "storage/SettingsFileIo.h"
#include "support/TestServices.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kestra {
namespace {

using namespace MainControl;
using camera_ids::kSaveButton;
using camera_ids::kSelectButton;

// The main window as the program starts it, with a hand on its language menu.
class LanguageMenu : public ::testing::Test {
protected:
    test::TestServices fakes;
    std::unique_ptr<CMainDialog> window;

    void start(std::uint16_t systemLanguageId = 0x0409)
    {
        window.reset();
        fakes.systemLanguage.languageId = systemLanguageId;
        RestoreSettings(fakes.registry, systemLanguageId);
        window = std::make_unique<CMainDialog>(fakes.services());
        window->Create();
    }
    void storeBeforeStart(std::uint32_t language)
    {
        fakes.registry.keyExists = true;
        fakes.registry.values[QStringLiteral("language")] = language;
    }

    QMenu* menu() const
    {
        for (QAction* action : window->widget()->actions()) {
            if (action->menu())
                return action->menu();
        }
        return nullptr;
    }
    QAction* entry(int code) const
    {
        for (QAction* action : menu()->actions()) {
            if (action->data().toInt() == code)
                return action;
        }
        return nullptr;
    }
    int checkedEntry() const
    {
        for (QAction* action : menu()->actions()) {
            if (action->isChecked())
                return action->data().toInt();
        }
        return 0;
    }
    void choose(int code) const { entry(code)->trigger(); }

    QString text(int id) const { return window->GetDlgItem(id)->GetWindowText(); }
    QComboBox* list() const { return qobject_cast<QComboBox*>(window->Control(LanguageList)); }
    std::optional<std::uint32_t> stored(const char* name) const
    {
        return fakes.registry.dword(QString::fromUtf8(name));
    }
};

struct MenuCase {
    int code;
    const char* entryName;
    const char* cameraButton;
    const char* smtpButton;
    const char* modelLabel;
    const char* menuTitle;
    int listSelection;
};

// Chosen on an English system, where the list alone could never show Chinese.
const MenuCase kMenuCases[] = {
    {1, "中文", "相机设置", "GPRS设置", "机器型号", "语言 (Language)", 0},
    {2, "English", "Camera Setting", "GPRS Setting", "Camera Model", "Language", 1},
    {3, "Deutsch", "Kamera Installation", "GPRS Setting", "Camera Model", "Sprache (Language)", -1},
    {4, "Suomi", "kamera-asetukset", "GPRS Setting", "Camera Model", "Kieli (Language)", -1},
    {5, "Italiano", "Setup camera", "GPRS Setting", "Camera Model", "Lingua (Language)", -1},
    {6, "Francais", "Reglage camera", "GPRS Setting", "Camera Model", "Langue (Language)", -1},
    {7, "Magyar", "Kamera beallita", "GPRS Setting", "Camera Model", "Nyelv (Language)", -1},
    {8, "Slovenian", "Nast. kamere", "SMTP nastavitve", "Model Kamera", "Jezik (Language)", -1},
    {9, "Cesky", "Nastaveni", "Nastaveni Smtp", "Fotopast Model", "Jazyk (Language)", -1},
    {10, "Japanese", "本体設定", "SMTP設定", "Camera Model", "言語 (Language)", -1},
    {11, "Lithuanian", " Kameros nustat.", "Smtp nustat.", "Camera Model", "Kalba (Language)", -1},
};

TEST_F(LanguageMenu, EachLanguageShowsItsTextsIsStoredAndShownAgainAfterARestart)
{
    for (const MenuCase& c : kMenuCases) {
        SCOPED_TRACE(c.entryName);
        storeBeforeStart(kLanguageGerman);
        start();
        ASSERT_NE(entry(c.code), nullptr);
        EXPECT_EQ(entry(c.code)->text(), QString::fromUtf8(c.entryName));
        choose(c.code);

        for (int restart = 0; restart < 2; ++restart) {
            SCOPED_TRACE(restart ? "after a restart" : "chosen");
            EXPECT_EQ(text(CameraButton), QString::fromUtf8(c.cameraButton));
            EXPECT_EQ(text(SmtpButton), QString::fromUtf8(c.smtpButton));
            EXPECT_EQ(text(ModelLabel), QString::fromUtf8(c.modelLabel));
            EXPECT_EQ(menu()->title(), QString::fromUtf8(c.menuTitle));
            EXPECT_EQ(checkedEntry(), c.code);
            // The two-entry list by its own rules: "中文" only with Chinese texts,
            // no selection for a language it does not hold.
            EXPECT_EQ(list()->itemText(0), c.code == 1 ? QString::fromUtf8("中文") : QStringLiteral("Chinese"));
            EXPECT_EQ(list()->count(), 2);
            EXPECT_EQ(list()->currentIndex(), c.listSelection);
            EXPECT_EQ(stored("language"), static_cast<std::uint32_t>(c.code));
            EXPECT_EQ(CurrentSession().languageCode, c.code);
            EXPECT_FALSE(window->IsEnded());
            start();
        }
    }
}

TEST_F(LanguageMenu, ChineseFromTheListAfterTheMenuFollowsTheListsRules)
{
    storeBeforeStart(kLanguageEnglish);
    start();
    choose(kLanguageChinese);
    list()->setCurrentIndex(1);
    emit list()->activated(1);
    list()->setCurrentIndex(0);
    emit list()->activated(0);
    // On an English system the list's Chinese keeps the English texts, now
    // and after a restart.
    EXPECT_EQ(text(CameraButton), "Camera Setting");
    for (int restart = 0; restart < 2; ++restart) {
        EXPECT_EQ(text(CameraButton), "Camera Setting");
        EXPECT_EQ(list()->currentIndex(), 0);
        EXPECT_EQ(stored("language"), 1U);
        EXPECT_EQ(checkedEntry(), kLanguageChinese);
        start();
    }
}

// Qt's own texts: the message box's OK button and the file dialog's labels.
QString OkButtonText()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok);
    return box.button(QMessageBox::Ok)->text();
}

QString FileDialogLookInText()
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* label = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
    return label ? label->text() : QString();
}

TEST_F(LanguageMenu, QtsOwnTextsFollowTheInterfaceLanguage)
{
    struct Case {
        int code;
        const char* ok;
        const char* lookIn;
    };
    const Case cases[] = {
        {kLanguageChinese, "确定", "查找范围："},
        {kLanguageGerman, "OK", "Suchen in:"},
        // Qt has no Slovenian: English, not what was loaded before.
        {kLanguageSlovenian, "OK", "Look in:"},
        {kLanguageJapanese, "OK", "アドレス:"},
        {kLanguageEnglish, "OK", "Look in:"},
    };
    storeBeforeStart(kLanguageEnglish);
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        choose(c.code);
        EXPECT_EQ(OkButtonText(), QString::fromUtf8(c.ok));
        EXPECT_EQ(FileDialogLookInText(), QString::fromUtf8(c.lookIn));
    }
    // A restart in Chinese loads them at once.
    choose(kLanguageChinese);
    choose(kLanguageEnglish);
    fakes.registry.values[QStringLiteral("language")] = 1U;
    fakes.registry.values[QStringLiteral("ChineseTexts")] = 1U;
    start();
    EXPECT_EQ(OkButtonText(), QString::fromUtf8("确定"));
}

TEST_F(LanguageMenu, ASaveAfterTheChoiceCarriesItsCode)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    fakes.clock.now = {2024, 3, 5, 8, 7, 6};
    for (const int code : {kLanguageChinese, kLanguageHungarian, kLanguageEnglish}) {
        SCOPED_TRACE(code);
        storeBeforeStart(kLanguageGerman);
        start();
        choose(code);
        window.reset();

        CCameraDialog camera(fakes.services(), CurrentSession());
        camera.Create();
        fakes.folders.answers.push_back(folder.path());
        qobject_cast<QAbstractButton*>(camera.Control(kSelectButton))->click();
        qobject_cast<QAbstractButton*>(camera.Control(kSaveButton))->click();

        QFile file(SettingsFilePath(folder.path(), QString::fromLatin1(kCameraFileName)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(ParseCameraFile(file.readAll()).settings.languageCode, code);
    }
}

} // namespace
} // namespace kestra
