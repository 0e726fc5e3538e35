// SPDX-License-Identifier: Apache-2.0
// The settings windows the main window's four buttons open. A window that is
// not built yet shows a placeholder that leads back to the main window; wiring
// a real window in is one line here, with its header included below.

#include "app/AppState.h"
#include "app/PlaceholderDialog.h"
#include "app/SetupApp.h"
#include "windows/camera/CameraDialog.h"
#include "windows/mms/MmsDialog.h"
#include "windows/sms/SmsDialog.h"
#include "windows/smtp/SmtpDialog.h"

#include <type_traits>

namespace kestra {

namespace {

template <typename Window> std::unique_ptr<ui::CDialog> SettingsWindow(ui::Services& services)
{
    if constexpr (std::is_constructible_v<Window, ui::Services&, const Session&>) {
        // The shell's state as it stands when the window opens; it cannot
        // change while the window runs (the main window is closed).
        return std::make_unique<Window>(services, OpeningSession(services.clock));
    } else {
        return std::make_unique<Window>(services);
    }
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
        {AppWindow::Mms, SettingsWindow<CMmsDialog>},
        {AppWindow::Smtp, SettingsWindow<CSmtpDialog>},
        {AppWindow::Sms, SettingsWindow<CSmsDialog>},
    };
}

} // namespace kestra
