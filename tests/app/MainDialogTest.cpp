// SPDX-License-Identifier: Apache-2.0
#include "app/MainDialog.h"
#include "app/AppState.h"
#include "app/RegistrySettings.h"
#include "app/ShellTexts.h"
#include "app/StartupSettings.h"
#include "support/TestServices.h"
#include "support/WidgetDriver.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace kestra {
namespace {

using namespace MainControl;

// Starts the way the program does (registry first, then the main window) on a
// system with the given default language ID.
class MainWindow : public ::testing::Test {
protected:
    test::TestServices fakes;
    std::unique_ptr<CMainDialog> window;

    void start(std::uint16_t systemLanguageId)
    {
        fakes.systemLanguage.languageId = systemLanguageId;
        RestoreSettings(fakes.registry, systemLanguageId);
        window = std::make_unique<CMainDialog>(fakes.services());
        window->Create();
    }

    QString text(int id) const { return window->GetDlgItem(id)->GetWindowText(); }
    QComboBox* list(int id) const { return qobject_cast<QComboBox*>(window->Control(id)); }
    QStringList entries(int id) const
    {
        QStringList all;
        for (int i = 0; i < list(id)->count(); ++i)
            all << list(id)->itemText(i);
        return all;
    }
    int selection(int id) const { return list(id)->currentIndex(); }
    // What the user does: opens the list and picks an entry.
    void pick(int id, int index) const
    {
        list(id)->setCurrentIndex(index);
        emit list(id)->activated(index);
    }
    std::optional<std::uint32_t> stored(const char* name) const
    {
        return fakes.registry.dword(QString::fromUtf8(name));
    }
    void storeBeforeStart(const char* name, std::uint32_t value)
    {
        fakes.registry.keyExists = true;
        fakes.registry.values[QString::fromUtf8(name)] = value;
    }
};

struct FirstRunCase {
    std::uint16_t systemId;
    std::uint32_t storedCode;
    const char* cameraButton;
    const char* languageLabel;
    const char* versionLine;
    const char* firstEntry;
};

TEST_F(MainWindow, FirstRunStoresTheSystemLanguageAndShowsItsTexts)
{
    const FirstRunCase cases[] = {
        {0x0804, 1, "相机设置", "选择语言", "程序版本:1.0.002", "中文"},
        {0x0409, 2, "Camera Setting", "Select Language", "Version:1.0.002", "Chinese"},
        {0x1407, 3, "Kamera Installation", "Select Language", "Version:1.0.002", "Chinese"},
    };
    for (const FirstRunCase& c : cases) {
        SCOPED_TRACE(c.systemId);
        fakes.registry.keyExists = false;
        fakes.registry.values.clear();
        start(c.systemId);
        EXPECT_EQ(stored("language"), c.storedCode);
        EXPECT_EQ(stored("model"), 1U);
        EXPECT_EQ(text(CameraButton), QString::fromUtf8(c.cameraButton));
        EXPECT_EQ(text(LanguageLabel), QString::fromUtf8(c.languageLabel));
        EXPECT_EQ(text(VersionLine), QString::fromUtf8(c.versionLine));
        EXPECT_EQ(entries(LanguageList), (QStringList{QString::fromUtf8(c.firstEntry), "English"}));
        EXPECT_EQ(entries(ModelList), QStringList{"Kestra T870N"});
        EXPECT_EQ(selection(ModelList), 0);
        EXPECT_EQ(window->GetWindowText(), "Kestra");
    }
}

TEST_F(MainWindow, ChineseChosenOnAnotherSystemShowsEnglishAndKeepsTheChoice)
{
    storeBeforeStart("language", 1);
    start(0x0409);
    EXPECT_EQ(text(CameraButton), "Camera Setting");
    EXPECT_EQ(text(SmtpButton), "GPRS Setting");
    EXPECT_EQ(entries(LanguageList), (QStringList{"Chinese", "English"}));
    EXPECT_EQ(selection(LanguageList), 0);
    EXPECT_EQ(g_chineseChosen, 1);
    EXPECT_EQ(CameraLanguageCode(), 1);
    EXPECT_EQ(stored("language"), 1U);
}

TEST_F(MainWindow, StoredLanguageWithoutAnEntryShowsItsTextsAndNoSelection)
{
    storeBeforeStart("language", 5);
    start(0x0409);
    EXPECT_EQ(selection(LanguageList), -1);
    EXPECT_EQ(text(CameraButton), "Setup camera");
    EXPECT_EQ(text(MmsButton), "impost. MMS");
    EXPECT_EQ(text(SmsButton), "SMS Setting");

    window.reset();
    storeBeforeStart("language", 11);
    start(0x0409);
    EXPECT_EQ(text(CameraButton), " Kameros nustat.");
}

TEST_F(MainWindow, StoredModelWithoutAnEntryIsReplacedWhenTheUserPicks)
{
    storeBeforeStart("model", 2);
    start(0x0409);
    EXPECT_EQ(g_modelIndex, 2);
    EXPECT_EQ(selection(ModelList), -1);
    pick(ModelList, 0);
    EXPECT_EQ(g_modelIndex, 1);
    EXPECT_EQ(stored("model"), 1U);
    EXPECT_FALSE(window->IsEnded());
}

struct LanguagePick {
    std::uint16_t systemId;
    int entry;
    const char* cameraButton;
    const char* firstEntry;
    int languageIndex;
    int chineseChosen;
    std::uint32_t storedCode;
};

TEST_F(MainWindow, PickingALanguageSwitchesTheTextsAndStoresTheCode)
{
    const LanguagePick picks[] = {
        {0x0804, 0, "相机设置", "中文", 1, 1, 1},          {0x0804, 1, "Camera Setting", "Chinese", 2, 0, 2},
        {0x0409, 0, "Camera Setting", "Chinese", 2, 1, 1}, {0x0409, 1, "Camera Setting", "Chinese", 2, 0, 2},
        {0x1407, 0, "Camera Setting", "Chinese", 2, 1, 1},
    };
    for (const std::uint32_t storedBefore : {1U, 2U, 5U}) {
        for (const LanguagePick& p : picks) {
            SCOPED_TRACE(testing::Message()
                         << "stored " << storedBefore << ", system " << p.systemId << ", entry " << p.entry);
            window.reset();
            storeBeforeStart("language", storedBefore);
            start(p.systemId);
            pick(LanguageList, p.entry);
            EXPECT_EQ(text(CameraButton), QString::fromUtf8(p.cameraButton));
            EXPECT_EQ(entries(LanguageList), (QStringList{QString::fromUtf8(p.firstEntry), "English"}));
            EXPECT_EQ(selection(LanguageList), p.entry);
            EXPECT_EQ(g_languageIndex, p.languageIndex);
            EXPECT_EQ(g_chineseChosen, p.chineseChosen);
            EXPECT_EQ(stored("language"), p.storedCode);
            EXPECT_FALSE(window->IsEnded());
        }
    }
}

TEST_F(MainWindow, ChineseAndBackOnAChineseSystem)
{
    storeBeforeStart("language", 2);
    start(0x0804);
    pick(LanguageList, 0);
    EXPECT_EQ(text(SmsButton), "短信设置");
    EXPECT_EQ(stored("language"), 1U);
    pick(LanguageList, 1);
    EXPECT_EQ(text(SmsButton), "SMS Setting");
    EXPECT_EQ(list(LanguageList)->itemText(0), "Chinese");
    EXPECT_EQ(stored("language"), 2U);
}

TEST_F(MainWindow, AFailedRegistryWriteKeepsTheChoiceForTheRun)
{
    storeBeforeStart("language", 2);
    start(0x0409);
    fakes.registry.denyWrites = true;
    pick(LanguageList, 0);
    EXPECT_EQ(g_chineseChosen, 1);
    EXPECT_EQ(CameraLanguageCode(), 1);
    EXPECT_EQ(stored("language"), 2U);
}

TEST_F(MainWindow, UnusableRegistryShowsTheSystemLanguageAndKeepsWorking)
{
    fakes.registry.denyOpen = true;
    fakes.registry.denyCreate = true;
    start(0x1407);
    EXPECT_EQ(text(CameraButton), "Kamera Installation");
    EXPECT_EQ(selection(LanguageList), -1);
    EXPECT_EQ(selection(ModelList), 0);
    pick(LanguageList, 1);
    EXPECT_EQ(text(CameraButton), "Camera Setting");
    EXPECT_EQ(g_languageIndex, 2);
    EXPECT_TRUE(fakes.registry.values.empty());
}

TEST_F(MainWindow, EnterAndEscEndTheTool)
{
    struct Case {
        Qt::Key key;
        int result;
    };
    for (const Case c : {Case{Qt::Key_Return, ui::IDOK}, Case{Qt::Key_Escape, ui::IDCANCEL}}) {
        window.reset();
        start(0x0409);
        test::pressKey(window->widget()->focusWidget(), c.key);
        EXPECT_TRUE(window->IsEnded());
        EXPECT_EQ(window->Result(), c.result);
        EXPECT_EQ(window->NextWindow(), AppWindow::None);
    }
}

TEST_F(MainWindow, EachButtonEndsTheWindowAndNamesItsSettingsWindow)
{
    struct Case {
        int button;
        AppWindow next;
    };
    for (const Case c : {Case{CameraButton, AppWindow::Camera}, Case{MmsButton, AppWindow::Mms},
                         Case{SmtpButton, AppWindow::Smtp}, Case{SmsButton, AppWindow::Sms}}) {
        window.reset();
        start(0x0409);
        qobject_cast<QPushButton*>(window->Control(c.button))->click();
        EXPECT_TRUE(window->IsEnded());
        EXPECT_EQ(window->Result(), ui::IDOK);
        EXPECT_EQ(window->NextWindow(), c.next);
        EXPECT_FALSE(window->widget()->isVisible());
    }
}

TEST_F(MainWindow, StaysOnTop)
{
    start(0x0409);
    EXPECT_TRUE(window->widget()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MainWindow, CopyRightInTheContextMenuOpensTheAboutBox)
{
    start(0x0804);
    QAction* about = nullptr;
    for (QAction* action : window->widget()->actions()) {
        if (action->text() == "CopyRight")
            about = action;
    }
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(window->widget()->contextMenuPolicy(), Qt::ActionsContextMenu);

    QString title;
    QStringList labels;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        for (QLabel* label : box->findChildren<QLabel*>())
            labels << label->text();
        for (QPushButton* button : box->findChildren<QPushButton*>()) {
            if (button->text() == "OK")
                button->click();
        }
    });
    about->trigger();

    EXPECT_EQ(title, "About Setup");
    EXPECT_TRUE(labels.contains(QString::fromUtf8(kAboutNotice)));
    EXPECT_TRUE(labels.contains(QString::fromUtf8(kAboutWebAddress)));
    EXPECT_FALSE(window->IsEnded());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace kestra
