// SPDX-License-Identifier: Apache-2.0
#include "app/SetupApp.h"

#include "app/AppState.h"
#include "app/MainDialog.h"
#include "app/StartupSettings.h"
#include "ui/DataExchange.h"
#include "ui/Dialog.h"
#include "ui/Services.h"
#include "ui/Skin.h"

namespace kestra {

namespace {

// The skin the tool ships with; the second skin in the resources (156) is never
// loaded.
constexpr int kSkinId = 165;

void ApplySkin()
{
    // A skin that does not load leaves the plain look, silently: the tool is as
    // usable without it.
    ui::InitSkinEngine();
    if (ui::LoadSkin(kSkinId))
        ui::SelectDialogStyle(QStringLiteral("Dialog"));
}

} // namespace

CSetupApp::CSetupApp(ui::Services& services, SettingsWindowFactories windows)
    : m_services(services), m_windows(std::move(windows))
{
}

bool CSetupApp::InitInstance()
{
    RestoreSettings(m_services.registry, m_services.systemLanguage.defaultLanguageId());
    if (m_startLanguage != 0)
        ChooseLanguage(m_services.registry, m_startLanguage);
    // The dialog layer's own messages (a character the camera cannot store)
    // follow the interface language like every message of the tool.
    ui::SetToolMessageLanguage(&ChineseMessages);
    // Qt draws its controls three-dimensionally already: nothing to switch on.
    ApplySkin();
    RunWindows(AppWindow::Main);
    return false;
}

int CSetupApp::ExitInstance()
{
    return 0;
}

void CSetupApp::SetSettingsWindow(AppWindow window, SettingsWindowFactory factory)
{
    m_windows[window] = std::move(factory);
}

void CSetupApp::RunWindows(AppWindow first)
{
    AppWindow next = first;
    while (next != AppWindow::None)
        next = next == AppWindow::Main ? RunMainWindow() : RunSettingsWindow(next);
}

AppWindow CSetupApp::RunMainWindow()
{
    CMainDialog mainWindow(m_services);
    mainWindow.DoModal();
    return mainWindow.NextWindow();
}

AppWindow CSetupApp::RunSettingsWindow(AppWindow window)
{
    // Every button has its window (DefaultSettingsWindows); one that a
    // caller left out brings the main window back rather than end the tool.
    const auto it = m_windows.find(window);
    std::unique_ptr<ui::CDialog> settingsWindow =
        it != m_windows.end() && it->second ? it->second(m_services) : nullptr;
    Q_ASSERT(settingsWindow);
    if (!settingsWindow)
        return AppWindow::Main;
    return settingsWindow->DoModal() == ui::IDCANCEL ? AppWindow::Main : AppWindow::None;
}

} // namespace kestra
