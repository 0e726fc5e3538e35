// The settings windows the main window's four buttons open. A window that is
// not built yet shows a placeholder that leads back to the main window; wiring
// a real window in is one line here, with its header included below.

#include "app/PlaceholderDialog.h"
#include "app/SetupApp.h"
#include "camera/CameraDialog.h"

namespace kestra {

namespace {

template <typename Window>
std::unique_ptr<ui::CDialog> SettingsWindow(ui::Services& services)
{
    return std::make_unique<Window>(services);
}

} // namespace

SettingsWindowFactory PlaceholderWindow()
{
    return SettingsWindow<CPlaceholderDialog>;
}

SettingsWindowFactories DefaultSettingsWindows()
{
    return {
        {AppWindow::Camera, SettingsWindow<CCameraDialog>},
        {AppWindow::Mms, PlaceholderWindow()},
        {AppWindow::Smtp, PlaceholderWindow()},
        {AppWindow::Sms, PlaceholderWindow()},
    };
}

} // namespace kestra
