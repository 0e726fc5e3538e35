// SPDX-License-Identifier: Apache-2.0
// The settings windows the main window's four buttons open.

#include "app/AppState.h"
#include "app/SetupApp.h"
#include "dialogs/camera/CameraDialog.h"
#include "dialogs/mms/MmsDialog.h"
#include "dialogs/sms/SmsDialog.h"
#include "dialogs/smtp/SmtpDialog.h"

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
