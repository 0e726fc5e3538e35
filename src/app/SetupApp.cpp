#include "app/SetupApp.h"

#include "app/MainDialog.h"
#include "app/StartupSettings.h"
#include "ui/Dialog.h"
#include "ui/Services.h"

namespace kestra {

namespace {

void ApplySkin()
{
    // SKIN: the dialog layer's three start-up calls (initialise, load skin 165,
    // select the "Dialog" style) go here once src/ui provides them.
}

} // namespace

CSetupApp::CSetupApp(ui::Services& services, SettingsWindowFactories windows)
    : m_services(services), m_windows(std::move(windows))
{
}

bool CSetupApp::InitInstance()
{
    RestoreSettings(m_services.registry, m_services.systemLanguage.defaultLanguageId());
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
    auto it = m_windows.find(window);
    const SettingsWindowFactory& factory =
        it != m_windows.end() && it->second ? it->second : PlaceholderWindow();
    std::unique_ptr<ui::CDialog> settingsWindow = factory(m_services);
    if (!settingsWindow)
        settingsWindow = PlaceholderWindow()(m_services);
    return settingsWindow->DoModal() == ui::IDCANCEL ? AppWindow::Main : AppWindow::None;
}

} // namespace kestra
