// SPDX-License-Identifier: Apache-2.0
#include "dialogs/base/SettingsDialog.h"

#include "cards/CardFolders.h"
#include "common/Languages.h"
#include "common/TextTable.h"
#include "storage/Cp936.h"
#include "storage/SettingsFileIo.h"
#include "ui/BalloonTip.h"
#include "ui/DataExchange.h"

#include <QDir>
#include <QScopedValueRollback>

#include <algorithm>

namespace kestra {

namespace {
// The limit counts code-page-936 bytes, and the message says so: a Chinese
// character takes two.
const ChineseEnglishText kFolderTooLongText{
    .english = "The folder %1 is longer than %2 bytes: %2 letters or %3 Chinese characters. It was not taken; "
               "please choose a folder with a shorter path.",
    .chinese = "目录 %1 超过 %2 字节：%2 个字母或 %3 个汉字，未采用；请选择路径较短的目录。",
};
const ChineseEnglishText kNotLoadedText{
    .english = "Nothing was loaded from %1: it is not a valid %2 file (%3).",
    .chinese = "未从 %1 载入任何设置：它不是有效的 %2 文件（%3）。",
};
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

void CSettingsDialog::DoDataExchange(ui::CDataExchange* pDX)
{
    pDX->m_idChanging = m_changingControl;
    pDX->m_pDeferred = &m_deferredFields;
}

bool CSettingsDialog::TakeFieldsOver(int id)
{
    const QScopedValueRollback changing(m_changingControl, id);
    return UpdateData(true);
}

void CSettingsDialog::SettleField(int id)
{
    std::erase(m_deferredFields, id);
}

void CSettingsDialog::SettleAllFields()
{
    m_deferredFields.clear();
}

void CSettingsDialog::DDX_Folder(ui::CDataExchange* pDX)
{
    ui::DDX_Text(pDX, m_folderRow.folderFieldId, m_folderText);
    if (m_folderRow.maxChars > 0)
        ui::DDV_MaxChars(pDX, m_folderText, m_folderRow.maxChars);
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
    SettleField(id);
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
    services().folders.startFolder = SingleCardFolder(CardList::shared()).value_or(QString());
    const QString chosen = services().folders.browseForFolder().value_or(DefaultFolder());
    if (m_folderRow.maxChars > 0 && Cp936Length(chosen) > m_folderRow.maxChars) {
        // Taken, it would fail the field's check at every later exchange.
        // One pass: a "%1" in the folder's name stays as it is.
        ShowMessage(kFolderTooLongText.text(m_session.chineseMessages())
                        .arg(chosen, QString::number(m_folderRow.maxChars), QString::number(m_folderRow.maxChars / 2)));
        return;
    }
    m_folderText = chosen;
    SettleField(m_folderRow.folderFieldId);
    UpdateData(false);
    ShowCardOfFolder();
}

void CSettingsDialog::ShowCardOfFolder()
{
    if (QWidget* field = Control(m_folderRow.folderFieldId))
        field->setToolTip(CardFolderNote(CardList::shared(), m_folderText, m_session.chineseMessages()));
}

void CSettingsDialog::ConfirmSaved(const QString& savedMessage)
{
    CardList& cards = CardList::shared();
    const std::optional<CardVolume> card = cards.cardOf(QDir::fromNativeSeparators(m_folderText));
    if (!card) {
        ShowMessage(savedMessage);
        return;
    }
    const bool chinese = m_session.chineseMessages();
    const QString question = savedMessage + QStringLiteral("\n\n") + EjectQuestion(*card, chinese);
    if (services().messages.askYesNo(QString::fromUtf8(g_appCaption), question))
        ShowMessage(EjectOutcome(*card, cards.eject(*card, EjectHow::KeepDrive), chinese));
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

void CSettingsDialog::ShowRefusal(const QString& message, const QString& field)
{
    ShowMessage(message);
    if (const int id = ControlOfField(field); id != 0) {
        if (ui::CWnd* control = GetDlgItem(id))
            control->SetFocus();
    }
}

void CSettingsDialog::DDX_LimitedText(ui::CDataExchange* pDX, int id, QByteArray& value, qsizetype limit)
{
    ui::DDX_Text(pDX, id, value);
    ui::DDV_MaxChars(pDX, value, static_cast<int>(limit));
}

std::optional<PickedSettingsFile> CSettingsDialog::PickSettingsFile(SettingsFileKind kind)
{
    const std::optional<QString> path = services().files.getOpenFileName();
    if (!path)
        return std::nullopt;
    const bool chinese = m_session.chineseMessages();
    ReadResult read = ReadSettingsFile(*path);
    if (!read.ok()) {
        ShowMessage(read.error->message(chinese));
        return std::nullopt;
    }
    // Another kind of settings file of the same size (an mms.dat in the
    // GPRS/SMTP window), a damaged one or one with a text its field cannot
    // hold would be shown half-read and refused at Save: it is not taken.
    const SettingsFileCheck check = CheckSettingsFile(kind, read.bytes);
    if (!check.clean()) {
        ShowMessage(
            kNotLoadedText.text(chinese).arg(*path, SettingsFileName(kind), check.findings.front().message(chinese)));
        return std::nullopt;
    }
    return PickedSettingsFile{*path, std::move(read.bytes)};
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
    // The balloon shows on a click only; a screen reader says the hint when
    // the field takes the focus.
    control->setAccessibleDescription(text);
}

} // namespace kestra
