// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "app/CardsDialog.h"
#include "app/Navigation.h"
#include "ui/Dialog.h"
#include "ui/SystemMenu.h"

#include <memory>

class QActionGroup;
class QMenu;

namespace kestra {

// The main window (dialog 102): the language and model lists and the four
// buttons that open the settings windows. It never opens a window itself: it
// ends, and NextWindow() tells CSetupApp which window to run next.
class CMainDialog : public ui::CDialog {
public:
    explicit CMainDialog(ui::Services& services);
    ~CMainDialog() override;

    // The window chosen by a button, or AppWindow::None when the main window
    // ended through Enter, Esc or its close box (the tool ends).
    AppWindow NextWindow() const { return m_next; }

    // Control texts for g_languageIndex.
    void SetMainTexts();
    // Runs the About box modally.
    void ShowAboutBox();
    // How the card writing window reaches drives, mounts and profiles (a
    // test's stand-ins); the system's unless set.
    void SetCardWritingPorts(CardWritingPorts ports) { m_cardPorts = std::move(ports); }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::CDataExchange* pDX) override;

private:
    void AddAboutMenuItem();
    void AddLanguageMenu();
    void AddCardsMenuItem();
    void OpenCardsWindow();
    void AddLanguageEntries();
    void FillLanguageList();
    void FillModelList();
    void OnLanguageChange();
    void OnLanguageMenu(int code);
    // The texts of the window, Qt's own texts and the language menu for the
    // current language.
    void ShowLanguage();
    void OnModelChange();
    void OpenSettingsWindow(AppWindow window);

    ui::CButton m_smtpButton;
    ui::CComboBox m_modelList;
    ui::CComboBox m_languageList;
    AppWindow m_next = AppWindow::None;
    std::optional<CardWritingPorts> m_cardPorts;

    std::unique_ptr<ui::SystemMenuItem> m_systemMenuItem; // where the window has a system menu
    // The eleven languages, in the context menu and, on Windows, in the system menu.
    QMenu* m_languageMenu = nullptr;
    QActionGroup* m_languageActions = nullptr;
    std::unique_ptr<ui::SystemSubmenu> m_systemLanguageMenu;
    // "Write cards...", below the languages in both menus.
    QAction* m_cardsAction = nullptr;
    std::unique_ptr<ui::SystemMenuItem> m_systemCardsItem;
};

} // namespace kestra
