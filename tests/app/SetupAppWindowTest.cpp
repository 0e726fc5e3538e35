// SPDX-License-Identifier: Apache-2.0
#include "app/AppState.h"
#include "app/SetupApp.h"
#include "app/ShellTexts.h"
#include "dialogs/camera/CameraDialog.h"
#include "support/TestServices.h"
#include "support/WidgetDriver.h"
#include "ui/Dialog.h"
#include "ui/Skin.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace kestra {
namespace {

// Plays the user's part while CSetupApp runs its windows modally: every few
// milliseconds the next step acts on the window that is showing. A script that
// stalls ends the running window, so a fault fails the test instead of hanging it.
class ModalScript {
public:
    using Step = std::function<void(QDialog&)>;

    explicit ModalScript(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { tick(); });
        m_timer.start(5);
    }

    bool finished() const { return m_next == m_steps.size(); }
    std::vector<QString> titles;  // of the window each step acted on
    std::vector<int> mainWindows; // main windows alive at each step

private:
    void tick()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        if (finished() || ++m_idleTicks > 400) {
            dialog->reject();
            return;
        }
        m_idleTicks = 0;
        titles.push_back(dialog->windowTitle());
        int alive = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            alive += top->objectName() == "dialog102" ? 1 : 0;
        mainWindows.push_back(alive);
        m_steps[m_next++](*dialog);
    }

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    int m_idleTicks = 0;
    QTimer m_timer;
};

QPushButton* ButtonWithId(QDialog& dialog, int id)
{
    return dialog.findChild<QPushButton*>(QStringLiteral("control%1").arg(id));
}

ModalScript::Step Click(int id)
{
    return [id](QDialog& dialog) {
        QPushButton* button = ButtonWithId(dialog, id);
        ASSERT_NE(button, nullptr) << id;
        button->click();
    };
}

ModalScript::Step Key(Qt::Key key)
{
    return [key](QDialog& dialog) { test::pressKey(dialog.focusWidget(), key); };
}

class SetupAppRun : public ::testing::Test {
protected:
    test::TestServices fakes;

    // Starts the tool as the program does; the text of the first main
    // window's camera button.
    static QString StartAndReadCameraButton(CSetupApp& app)
    {
        QString cameraButton;
        ModalScript script({
            [&](QDialog& dialog) {
                cameraButton = ButtonWithId(dialog, 1000)->text();
                dialog.reject();
            },
        });
        EXPECT_FALSE(app.InitInstance());
        ui::UnloadSkin();
        EXPECT_TRUE(script.finished());
        return cameraButton;
    }
};

TEST_F(SetupAppRun, SettingsWindowsReturnToTheMainWindowWithoutNesting)
{
    // Four round trips, one per button; Esc ends. Enter leaves the GPRS/SMTP
    // window open (it saves nothing, so it must not end the tool either).
    ModalScript script({
        Click(1000),
        Click(ui::IDCANCEL),
        Click(1001),
        Key(Qt::Key_Escape),
        Click(1002),
        Key(Qt::Key_Return),
        Click(ui::IDCANCEL),
        Click(1003),
        Click(ui::IDCANCEL),
        Key(Qt::Key_Escape),
    });
    CSetupApp app(fakes.services());
    app.RunWindows();

    EXPECT_TRUE(script.finished());
    const std::vector<QString> expected{"Kestra",       "Kestra T870N", "Kestra", "Kestra T870N", "Kestra",
                                        "Kestra T870N", "Kestra T870N", "Kestra", "Kestra T870N", "Kestra"};
    EXPECT_EQ(script.titles, expected);
    // The main window that opened a settings window is gone, not waiting
    // underneath: at most one main window ever exists.
    for (const int alive : script.mainWindows)
        EXPECT_LE(alive, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

QComboBox* ListWithId(QDialog& dialog, int id)
{
    return dialog.findChild<QComboBox*>(QStringLiteral("control%1").arg(id));
}

TEST_F(SetupAppRun, TheReturningMainWindowShowsTheCurrentChoices)
{
    g_languageIndex = kLanguageEnglish;
    g_chineseChosen = 0;
    g_systemIsChinese = 0;
    g_modelIndex = 1;
    QStringList entries;
    int languageSelection = -2;
    int modelSelection = -2;
    ModalScript script({
        [](QDialog& dialog) {
            // Chinese chosen on an English system, then off to the SMS window.
            QComboBox* languages = ListWithId(dialog, 1080);
            languages->setCurrentIndex(0);
            emit languages->activated(0);
            Click(1003)(dialog);
        },
        Click(ui::IDCANCEL),
        [&](QDialog& dialog) {
            QComboBox* languages = ListWithId(dialog, 1080);
            for (int i = 0; i < languages->count(); ++i)
                entries << languages->itemText(i);
            languageSelection = languages->currentIndex();
            modelSelection = ListWithId(dialog, 1081)->currentIndex();
            dialog.reject();
        },
    });
    CSetupApp app(fakes.services());
    app.RunWindows();
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(entries, (QStringList{"Chinese", "English"}));
    EXPECT_EQ(languageSelection, 0);
    EXPECT_EQ(modelSelection, 0);
    EXPECT_EQ(g_chineseChosen, 1);
}

TEST_F(SetupAppRun, EachButtonOpensItsOwnSettingsWindow)
{
    // Every window exists: no button falls back to a stand-in.
    QStringList opened;
    const auto record = [&](QDialog& dialog) {
        opened << dialog.objectName();
        Click(ui::IDCANCEL)(dialog);
    };
    ModalScript script(
        {Click(1000), record, Click(1001), record, Click(1002), record, Click(1003), record, Key(Qt::Key_Escape)});
    CSetupApp app(fakes.services());
    app.RunWindows();
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(opened, (QStringList{"dialog129", "dialog130", "dialog147", "dialog155"}));
}

// A settings window that ends the way a saving Enter of the SMTP window does.
class EndsWithOk : public ui::CDialog {
public:
    explicit EndsWithOk(ui::Services& services) : ui::CDialog(Template(), services) {}

private:
    static const ui::DialogTemplate& Template()
    {
        static const ui::DialogTemplate t{.resourceId = 900,
                                          .cx = 100,
                                          .cy = 40,
                                          .caption = "Kestra T870N",
                                          .controls = {{.id = ui::IDOK,
                                                        .kind = ui::ControlKind::DefPushButton,
                                                        .x = 10,
                                                        .y = 10,
                                                        .cx = 50,
                                                        .cy = 14,
                                                        .text = "OK"}}};
        return t;
    }
};

TEST_F(SetupAppRun, ASettingsWindowEndedOtherThanByCancelEndsTheTool)
{
    ModalScript script({Click(1002), Click(ui::IDOK)});
    CSetupApp app(fakes.services());
    app.SetSettingsWindow(AppWindow::Smtp, [](ui::Services& s) { return std::make_unique<EndsWithOk>(s); });
    app.RunWindows();
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(script.titles.size(), 2U);
}

TEST_F(SetupAppRun, StartUpRestoresTheSettingsThenShowsTheMainWindow)
{
    fakes.systemLanguage.languageId = 0x0804;
    CSetupApp app(fakes.services());
    EXPECT_EQ(StartAndReadCameraButton(app), "相机设置");
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_EQ(fakes.registry.dword("language"), 1U);
    EXPECT_EQ(fakes.registry.dword("TvMode"), 0U);
}

TEST_F(SetupAppRun, ALanguageGivenAtStartIsShownAndStored)
{
    // kestra-setup --lang: chosen over the stored language, as the menu would.
    fakes.registry.keyExists = true;
    fakes.registry.values[QStringLiteral("language")] = 2U;
    CSetupApp app(fakes.services());
    app.SetStartLanguage(kLanguageFinnish);
    EXPECT_EQ(StartAndReadCameraButton(app), "kamera-asetukset");
    EXPECT_EQ(fakes.registry.dword("language"), 4U);
}

// The shell reads the PC clock each time it opens the Camera window, which
// offers that time as the camera's clock.
TEST(DefaultSettingsWindows, TheCameraWindowOffersThePcTimeOfItsOpening)
{
    test::TestServices fakes;
    g_languageIndex = kLanguageEnglish;
    const SettingsWindowFactory openCamera = DefaultSettingsWindows().at(AppWindow::Camera);
    struct Case {
        ui::LocalTime now;
        const char* clockText;
    };
    for (const Case& c : {Case{{2024, 3, 5, 8, 7, 6}, "03/05/2024 08:07:06 MM/DD/YY"},
                          Case{{2040, 12, 31, 23, 59, 58}, "12/31/2031 23:59:58 MM/DD/YY"}}) {
        fakes.clock.now = c.now;
        const std::unique_ptr<ui::CDialog> window = openCamera(fakes);
        const auto* camera = dynamic_cast<const CCameraDialog*>(window.get());
        ASSERT_NE(camera, nullptr);
        EXPECT_EQ(camera->clockText(), QString::fromLatin1(c.clockText));
    }
}

} // namespace
} // namespace kestra
