// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "app/Navigation.h"

#include <functional>
#include <map>
#include <memory>

namespace kestra {

namespace ui {
class CDialog;
struct Services;
} // namespace ui

// Makes one settings window, ready to run modally. A window that ends through
// its Cancel (IDCANCEL: its Exit button, Esc or the close box) brings the main
// window back; ending any other way ends the tool.
using SettingsWindowFactory = std::function<std::unique_ptr<ui::CDialog>(ui::Services&)>;
using SettingsWindowFactories = std::map<AppWindow, SettingsWindowFactory>;

// The four settings windows as the program runs them (SetupAppWindows.cpp).
SettingsWindowFactories DefaultSettingsWindows();

// The application object: start-up, then the windows in turn.
class CSetupApp {
public:
    explicit CSetupApp(ui::Services& services, SettingsWindowFactories windows = DefaultSettingsWindows());

    // A language code 1 to 11 that start-up chooses (and stores) after restoring
    // the stored choices, as the language menu would; 0 keeps the stored one.
    void SetStartLanguage(int code) { m_startLanguage = code; }

    // Restores the stored choices, applies the skin and runs the windows until
    // the tool ends. Returns false, as there is no message loop to follow.
    bool InitInstance();
    int ExitInstance();

    // The window loop alone, starting from `first`.
    void RunWindows(AppWindow first = AppWindow::Main);

    void SetSettingsWindow(AppWindow window, SettingsWindowFactory factory);

private:
    AppWindow RunMainWindow();
    AppWindow RunSettingsWindow(AppWindow window);

    ui::Services& m_services;
    SettingsWindowFactories m_windows;
    int m_startLanguage = 0;
};

} // namespace kestra
