// SPDX-License-Identifier: Apache-2.0
#include "windows/base/SettingsDialog.h"

#include "cards/CardFolders.h"
#include "common/Languages.h"
#include "common/TextTable.h"
#include "ui/BalloonTip.h"
#include "ui/DataExchange.h"

#include <QDir>

namespace kestra {

namespace {
constexpr int kFolderMaxChars = 80;
// Every balloon of the settings windows is pale green with a dark green frame.
constexpr int kBalloonWidth = 200;
const QColor kBalloonFill{213, 253, 224};
const QColor kBalloonFrame{0, 106, 53};
// The folder field's own name for screen readers; its neighbour, the Select
// button, names the action, not the field.
const TextTable kFolderFieldName{
    .english = "Folder",
    .chinese = "保存目录",
    .german = "Ordner",
    .finnish = "Kansio",
    .italian = "Cartella",
    .french = "Dossier",
    .hungarian = "Mappa",
    .slovenian = "Mapa",
    .czech = "Složka",
    .japanese = "フォルダ",
    .lithuanian = "Aplankas",
};
} // namespace

CSettingsDialog::CSettingsDialog(const ui::DialogTemplate& dialogTemplate, ui::Services& services,
                                 const Session& session, FolderRow folderRow)
    : CDialog(dialogTemplate, services), m_folderText(DefaultFolder()), m_session(session), m_folderRow(folderRow)
{
    On(ui::Notification::Clicked, folderRow.selectButtonId, [this] { OnSelectFolder(); });
}

CSettingsDialog::~CSettingsDialog()
{
    SetEventRelay(nullptr);
}

QString CSettingsDialog::DefaultFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\");
#else
    return QDir::homePath();
#endif
}

bool CSettingsDialog::OnInitDialog()
{
    SetChineseMessages(m_session.chineseMessages());
    CDialog::OnInitDialog();
    SetWindowText(QString::fromUtf8(g_modelCaption));
    NameControl(m_folderRow.folderFieldId, kFolderFieldName.text(m_session.languageIndex));
    ShowCardOfFolder();
    return true;
}

void CSettingsDialog::DDX_Folder(ui::CDataExchange* pDX)
{
    ui::DDX_Text(pDX, m_folderRow.folderFieldId, m_folderText);
    ui::DDV_MaxChars(pDX, m_folderText, kFolderMaxChars);
}

void CSettingsDialog::TakeFolderOver()
{
    m_folderText = Edit(m_folderRow.folderFieldId).GetWindowText();
}

void CSettingsDialog::PutFieldsIntoControls()
{
    TakeFolderOver();
    UpdateData(false);
}

void CSettingsDialog::ResetOutOfRange(int id, int& value, int low, int high)
{
    if (value >= low && value <= high)
        return;
    value = 0;
    SetDlgItemTextQuietly(id, QStringLiteral("0"));
}

bool CSettingsDialog::TakeEveryFieldOver()
{
    TakeFolderOver();
    return UpdateData(true);
}

void CSettingsDialog::OnSelectFolder()
{
    // With one card in, that card is where the user means to save.
    services().folders.startFolder = SingleCardFolder(*SystemRemovableDrives()).value_or(QString());
    m_folderText = services().folders.browseForFolder().value_or(DefaultFolder());
    UpdateData(false);
    ShowCardOfFolder();
}

void CSettingsDialog::ShowCardOfFolder()
{
    if (QWidget* field = Control(m_folderRow.folderFieldId))
        field->setToolTip(CardFolderNote(*SystemRemovableDrives(), m_folderText, m_session.chineseMessages()));
}

void CSettingsDialog::ConfirmSaved(const QString& savedMessage)
{
    const std::unique_ptr<RemovableDrives> drives = SystemRemovableDrives();
    const std::optional<CardVolume> card = CardVolumeOf(*drives, QDir::fromNativeSeparators(m_folderText));
    if (!card) {
        ShowMessage(savedMessage);
        return;
    }
    const bool chinese = m_session.chineseMessages();
    const QString question = savedMessage + QStringLiteral("\n\n") + EjectQuestion(*card, chinese);
    if (services().messages.askYesNo(QString::fromUtf8(g_appCaption), question))
        ShowMessage(EjectOutcome(*card, drives->eject(card->mountPoint, card->device), chinese));
}

void CSettingsDialog::ApplyText(int id, const char* text)
{
    if (text == nullptr)
        return;
    if (ui::CWnd* control = GetDlgItem(id))
        control->SetWindowText(QString::fromUtf8(text));
}

void CSettingsDialog::NameControl(int id, const QString& name)
{
    SetAccessibleName(id, name.simplified());
}

void CSettingsDialog::ShowMessage(const QString& text)
{
    services().messages.showMessage(QString::fromUtf8(g_appCaption), text);
}

bool CSettingsDialog::ShowSaveOutcome(const SaveResult& result, const QString& savedMessage)
{
    result.ok() ? ConfirmSaved(savedMessage) : ShowMessage(result.error->message(m_session.chineseMessages()));
    return result.ok();
}

bool CSettingsDialog::ShowSaveOutcome(const RecordSaveResult& result, const QString& savedMessage)
{
    result.ok() ? ConfirmSaved(savedMessage) : ShowMessage(result.message(m_session.chineseMessages()));
    return result.ok();
}

bool CSettingsDialog::ShowFindings(const SettingsFindings& findings)
{
    if (findings.empty())
        return true;
    ShowMessage(findings.front().message(m_session.chineseMessages()));
    return false;
}

void CSettingsDialog::AddHint(int id, const QString& text)
{
    QWidget* control = Control(id);
    if (!control || !widget()) {
        qFatal("Dialog %d: a hint for control %d, which the window lacks or has not built yet",
               dialogTemplate().resourceId, id);
    }
    if (!m_balloon) {
        m_balloon = std::make_unique<ui::CBalloonTip>();
        m_balloon->SetWidth(kBalloonWidth);
        m_balloon->SetFillColour(kBalloonFill);
        m_balloon->SetFrameColour(kBalloonFrame);
        m_balloon->Create(widget());
        SetEventRelay([this](QWidget* target, QEvent* event) { m_balloon->RelayEvent(target, event); });
    }
    m_balloon->AddTool(control, text);
}

} // namespace kestra
