// SPDX-License-Identifier: Apache-2.0
#include "windows/sms/SmsDialog.h"

#include "formats/sms/SmsFile.h"
#include "formats/sms/SmsSave.h"
#include "formats/sms/SmsTexts.h"
#include "ui/DataExchange.h"
#include "windows/sms/SmsDialogIds.h"

namespace kestra {
namespace {

using namespace sms_ids;

// A number shorter than this is not a number the camera can dial.
constexpr qsizetype kFullNumber = 5;

struct LabelControl {
    SmsLabel label;
    int id;
};

constexpr LabelControl kLabelControls[] = {
    {SmsLabel::PicturesLabel, kPicturesLabel}, {SmsLabel::PicturesNote, kPicturesNote},
    {SmsLabel::Phone1Label, kPhone1Label},     {SmsLabel::Phone2Label, kPhone2Label},
    {SmsLabel::Phone3Label, kPhone3Label},     {SmsLabel::SmsControlLabel, kSmsControlLabel},
    {SmsLabel::SelectButton, kSelectButton},   {SmsLabel::SaveButton, kSaveButton},
    {SmsLabel::ExitButton, kExitButton},
};

} // namespace

CSmsDialog::CSmsDialog(ui::Services& services, const Session& session)
    : CSettingsDialog(SmsDialogTemplate(), services, session, FolderRow{kSelectButton, kFolderField}),
      m_fields(InitialSmsSettings(session))
{
    using ui::Notification;
    On(Notification::EditChange, kPhone1Field,
       [this] { OnPhoneChange(kPhone1Field, &SmsSettings::phone1, kPhone2Field); });
    On(Notification::EditChange, kPhone2Field,
       [this] { OnPhoneChange(kPhone2Field, &SmsSettings::phone2, kPhone3Field); });
    for (int id : {kPhone3Field, kFolderField})
        On(Notification::EditChange, id, [this, id] { TakeFieldsOver(id); });
    On(Notification::EditChange, kPicturesField, [this] { OnPicturesChange(); });
    On(Notification::SelChange, kSmsControlList, [this] { TakeFieldsOver(kSmsControlList); });
}

bool CSmsDialog::OnInitDialog()
{
    CSettingsDialog::OnInitDialog();
    const int language = session().languageIndex;
    ui::CComboBox list = Combo(kSmsControlList);
    list.ResetContent();
    for (const QString& entry : SmsControlEntries(language))
        list.AddString(entry);
    list.SetCurSel(kSmsControlOff);
    AddHint(kPhone1Field, SmsHintText(SmsHint::Phone1, session().chineseMessages()));
    AddHint(kSmsControlList, SmsHintText(SmsHint::SmsControl, session().chineseMessages()));
    ApplyTexts();
    Edit(kPhone1Field).SetReadOnly(false);
    Edit(kPhone2Field).SetReadOnly(true);
    Edit(kPhone3Field).SetReadOnly(true);
    return true;
}

void CSmsDialog::DoDataExchange(ui::CDataExchange* pDX)
{
    CSettingsDialog::DoDataExchange(pDX);
    // The numbers come first: a pull that stops at a bad picture count still
    // takes every number over, so Save and the locks see what the fields show.
    for (const SmsTextField& field : kSmsTextFields) {
        const int id = field.member == &SmsSettings::phone1   ? kPhone1Field
                       : field.member == &SmsSettings::phone2 ? kPhone2Field
                                                              : kPhone3Field;
        QByteArray& value = m_fields.*field.member;
        ui::DDX_Text(pDX, id, value);
        ui::DDV_MaxChars(pDX, value, static_cast<int>(kSmsPhoneLimit));
    }
    DDX_Folder(pDX);
    ui::DDX_Text(pDX, kPicturesField, m_fields.picturesPerDay);
    ui::DDV_MinMaxInt(pDX, m_fields.picturesPerDay, 0, kMaxPicturesPerDay);
}

void CSmsDialog::ApplyTexts()
{
    for (const LabelControl& control : kLabelControls)
        ApplyText(control.id, SmsLabelTable(control.label).pick(session().languageIndex));
}

SmsSettings CSmsDialog::ShownSettings()
{
    SmsSettings shown = m_fields;
    shown.smsControl = Combo(kSmsControlList).GetCurSel();
    return shown;
}

void CSmsDialog::OnPhoneChange(int id, const QByteArray SmsSettings::*phone, int nextField)
{
    TakeFieldsOver(id);
    const bool full = (m_fields.*phone).size() >= kFullNumber;
    if (!full) {
        m_fields.phone3.clear();
        SettleField(kPhone3Field);
    }
    Edit(nextField).SetReadOnly(!full);
    PutFieldsIntoControls();
}

void CSmsDialog::OnPicturesChange()
{
    TakeFieldsOver(kPicturesField);
    ResetOutOfRange(kPicturesField, m_fields.picturesPerDay, 0, kMaxPicturesPerDay);
}

void CSmsDialog::OnOK()
{
    if (!TakeEveryFieldOver())
        return;
    const SaveDecision<SmsSettings> decision = PrepareSmsSave(ShownSettings(), session());
    if (!ShowRefusal(decision.refusal))
        return;
    ShowSaveOutcome(WriteSmsFile(m_folderText, *decision.checked), SmsSavedMessage(session().chineseMessages()));
}

} // namespace kestra
