// SPDX-License-Identifier: Apache-2.0
#include "app/MainDialog.h"

#include "app/AboutDialog.h"
#include "app/AppState.h"
#include "app/RegistrySettings.h"
#include "app/ShellTexts.h"
#include "app/StartupSettings.h"
#include "common/LanguageNames.h"
#include "ui/DataExchange.h"
#include "ui/Dialog.h"
#include "ui/QtTranslations.h"
#include "ui/SystemMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QDialog>
#include <QMenu>

namespace kestra {

namespace {

// clang-format off
const ui::DialogTemplate& MainTemplate()
{
    using ui::ControlKind;
    using namespace MainControl;
    static const ui::DialogTemplate dialogTemplate{
        .resourceId = 102,
        .cx = 160,
        .cy = 218,
        .caption = g_appCaption,
        .font = ui::DialogFont::SimSun9,
        .controls = {
            {.id = VersionLine, .kind = ControlKind::Static,
             .x = 27, .y = 3, .cx = 108, .cy = 8, .text = "Static", .style = ui::SsCenter},
            {.id = ui::IDC_STATIC, .kind = ControlKind::GroupBox, .x = 6, .y = 14, .cx = 146, .cy = 58},
            {.id = LanguageLabel, .kind = ControlKind::Static, .x = 9, .y = 31, .cx = 68, .cy = 8,
             .text = "Language", .style = ui::SsCenter, .buddyId = LanguageList},
            {.id = LanguageList, .kind = ControlKind::DropDownList,
             .x = 81, .y = 28, .cx = 64, .cy = 118, .style = ui::WsVScroll},
            {.id = ModelLabel, .kind = ControlKind::Static, .x = 11, .y = 52, .cx = 61, .cy = 8,
             .text = "Model", .style = ui::SsCenter, .buddyId = ModelList},
            {.id = ModelList, .kind = ControlKind::DropDownList,
             .x = 81, .y = 48, .cx = 64, .cy = 112, .style = ui::WsVScroll},
            {.id = ui::IDC_STATIC, .kind = ControlKind::GroupBox, .x = 6, .y = 70, .cx = 146, .cy = 140},
            {.id = CameraButton, .kind = ControlKind::PushButton,
             .x = 34, .y = 81, .cx = 84, .cy = 27, .text = "Camera Setting"},
            {.id = MmsButton, .kind = ControlKind::PushButton,
             .x = 34, .y = 115, .cx = 84, .cy = 26, .text = "MMS Setting"},
            {.id = SmtpButton, .kind = ControlKind::PushButton,
             .x = 34, .y = 148, .cx = 84, .cy = 26, .text = "SMTP Setting"},
            {.id = SmsButton, .kind = ControlKind::PushButton,
             .x = 34, .y = 179, .cx = 84, .cy = 26, .text = "SMS Setting"},
        },
    };
    return dialogTemplate;
}
// clang-format on

} // namespace

CMainDialog::CMainDialog(ui::Services& services) : ui::CDialog(MainTemplate(), services)
{
    // A small launcher that stays above the windows it is used alongside
    // (the card's folder, the settings windows' message boxes).
    SetExtraWindowFlags(Qt::WindowStaysOnTopHint, Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    using namespace MainControl;
    using ui::Notification;
    On(Notification::Clicked, CameraButton, [this] { OpenSettingsWindow(AppWindow::Camera); });
    On(Notification::Clicked, MmsButton, [this] { OpenSettingsWindow(AppWindow::Mms); });
    On(Notification::Clicked, SmtpButton, [this] { OpenSettingsWindow(AppWindow::Smtp); });
    On(Notification::Clicked, SmsButton, [this] { OpenSettingsWindow(AppWindow::Sms); });
    On(Notification::SelChange, LanguageList, [this] { OnLanguageChange(); });
    On(Notification::SelChange, ModelList, [this] { OnModelChange(); });
}

CMainDialog::~CMainDialog() = default;

void CMainDialog::DoDataExchange(ui::CDataExchange* pDX)
{
    ui::CDialog::DoDataExchange(pDX);
    ui::DDX_Control(pDX, MainControl::SmtpButton, m_smtpButton);
    ui::DDX_Control(pDX, MainControl::ModelList, m_modelList);
    ui::DDX_Control(pDX, MainControl::LanguageList, m_languageList);
}

bool CMainDialog::OnInitDialog()
{
    ui::CDialog::OnInitDialog();
    SetWindowText(QString::fromUtf8(g_appCaption));

    AddAboutMenuItem();
    AddLanguageMenu();
    AddCardsMenuItem();

    ShowLanguage();
    FillLanguageList();
    FillModelList();
    return true;
}

void CMainDialog::AddAboutMenuItem()
{
    // The About box hangs off the window's system menu, as Windows users expect.
    m_systemMenuItem = ui::AddSystemMenuItem(*widget(), kAboutCommandId, QString::fromUtf8(kAboutMenuItem),
                                             [this] { ShowAboutBox(); });
    if (m_systemMenuItem)
        return;
    // Elsewhere window menus are the window manager's (and a window drawn
    // off screen has none): the item lives in the window's own context menu.
    auto* about = new QAction(QString::fromUtf8(kAboutMenuItem), widget());
    about->setObjectName(QStringLiteral("aboutAction"));
    QObject::connect(about, &QAction::triggered, widget(), [this] { ShowAboutBox(); });
    widget()->addAction(about);
    widget()->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CMainDialog::AddLanguageMenu()
{
    // The list offers Chinese and English only; here are all eleven, each by
    // the name a speaker of it recognises.
    m_languageMenu = new QMenu(widget());
    m_languageActions = new QActionGroup(m_languageMenu);
    std::vector<ui::SystemMenuEntry> entries;
    for (const LanguageSpelling& language : kLanguageSpellings) {
        const QString name = QString::fromUtf8(language.index == kLanguageChinese ? kChineseOwnName : language.name);
        QAction* action = m_languageMenu->addAction(name);
        action->setCheckable(true);
        action->setData(language.index);
        m_languageActions->addAction(action);
        QObject::connect(action, &QAction::triggered, widget(),
                         [this, code = language.index] { OnLanguageMenu(code); });
        entries.push_back({LanguageCommandId(language.index), name});
    }
    QAction* title = m_languageMenu->menuAction();
    title->setObjectName(QStringLiteral("languageMenu"));
    widget()->addAction(title);
    widget()->setContextMenuPolicy(Qt::ActionsContextMenu);

    // On Windows also where "CopyRight" is, in the system menu.
    m_systemLanguageMenu =
        ui::AddSystemSubmenu(*widget(), kLanguageMenuTitle.text(g_languageIndex), entries,
                             [this](unsigned commandId) { OnLanguageMenu(LanguageOfCommandId(commandId)); });
}

void CMainDialog::AddCardsMenuItem()
{
    m_cardsAction = new QAction(kWriteCardsMenuItem.text(kestra::ChineseMessages()), widget());
    m_cardsAction->setObjectName(QStringLiteral("writeCardsAction"));
    QObject::connect(m_cardsAction, &QAction::triggered, widget(), [this] { OpenCardsWindow(); });
    widget()->addAction(m_cardsAction);
    // On Windows also in the system menu, below the languages.
    m_systemCardsItem =
        ui::AddSystemMenuItem(*widget(), kWriteCardsCommandId, kWriteCardsMenuItem.text(kestra::ChineseMessages()),
                              [this] { OpenCardsWindow(); });
}

void CMainDialog::OpenCardsWindow()
{
    CCardsDialog cards(services(), m_cardPorts ? *m_cardPorts : SystemCardWritingPorts());
    cards.DoModal();
}

void CMainDialog::ShowLanguage()
{
    SetMainTexts();
    ui::UseQtTranslations(g_languageIndex);
    const QString title = kLanguageMenuTitle.text(g_languageIndex);
    const int chosen = CameraLanguageCode();
    m_languageMenu->setTitle(title);
    if (m_cardsAction)
        m_cardsAction->setText(kWriteCardsMenuItem.text(kestra::ChineseMessages()));
    for (QAction* action : m_languageActions->actions())
        action->setChecked(action->data().toInt() == chosen);
    if (m_systemLanguageMenu) {
        m_systemLanguageMenu->setTitle(title);
        m_systemLanguageMenu->setChecked(LanguageCommandId(chosen));
    }
}

void CMainDialog::OnLanguageMenu(int code)
{
    ChooseLanguage(services().registry, code);
    ShowLanguage();
    // The two-entry list shows the new language by its own rules: entry 0 for
    // Chinese, entry 1 for English, no selection for the others.
    m_languageList.ResetContent();
    FillLanguageList();
}

void CMainDialog::ShowAboutBox()
{
    CAboutDialog about(services());
    about.DoModal();
}

void CMainDialog::SetMainTexts()
{
    for (const ControlText& entry : MainWindowTexts())
        GetDlgItem(entry.controlId)->SetWindowText(entry.text->text(g_languageIndex));
}

void CMainDialog::AddLanguageEntries()
{
    // Entry 0 reads "中文" only while Chinese texts are shown.
    m_languageList.AddString(kChineseEntryText.text(g_languageIndex));
    m_languageList.AddString(QString::fromUtf8(kEnglishEntry));
}

void CMainDialog::FillLanguageList()
{
    AddLanguageEntries();
    int selection = g_languageIndex - 1;
    if (g_languageIndex == kLanguageEnglish && g_chineseChosen == 1)
        selection = 0;
    // Languages 3 to 11 have no entry: the list shows no selection for them.
    m_languageList.SetCurSel(selection >= 0 && selection < m_languageList.GetCount() ? selection : -1);
}

void CMainDialog::FillModelList()
{
    m_modelList.AddString(QString::fromUtf8(g_modelCaption));
    // A stored model other than 1 leaves the list without a selection.
    const int selection = g_modelIndex - 1;
    m_modelList.SetCurSel(selection >= 0 && selection < m_modelList.GetCount() ? selection : -1);
}

void CMainDialog::OnLanguageChange()
{
    const int picked = m_languageList.GetCurSel();
    if (picked < 0)
        return;
    m_languageList.ResetContent();
    if (picked == 0) {
        // Chinese texts only where the system can show them; elsewhere the
        // choice is kept (and stored as 1) while English is shown.
        g_languageIndex = g_systemIsChinese == 1 ? kLanguageChinese : kLanguageEnglish;
        g_chineseChosen = 1;
    } else {
        g_languageIndex = picked + 1;
        g_chineseChosen = 0;
    }
    AddLanguageEntries();
    m_languageList.SetCurSel(picked);
    ShowLanguage();
    WriteLanguageSetting(services().registry, static_cast<unsigned short>(CameraLanguageCode()));
    // What the list chose is what the next start shows.
    RememberChineseTexts(services().registry, false);
}

void CMainDialog::OnModelChange()
{
    const int picked = m_modelList.GetCurSel();
    if (picked < 0)
        return;
    g_modelIndex = picked + 1;
    WriteModelSetting(services().registry, static_cast<unsigned short>(g_modelIndex));
    UpdateData(true);
}

void CMainDialog::OpenSettingsWindow(AppWindow window)
{
    m_next = window;
    OnOK();
    // The standard OK path can refuse to end the window; then nothing opens.
    if (!IsEnded())
        m_next = AppWindow::None;
}

} // namespace kestra
