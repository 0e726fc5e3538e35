// SPDX-License-Identifier: Apache-2.0
#include "dialogs/sms/SmsDialog.h"

#include "dialogs/sms/SmsDialogIds.h"
#include "formats/sms/SmsFile.h"
#include "formats/sms/SmsSave.h"
#include "formats/sms/SmsTexts.h"
#include "ui/DataExchange.h"

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

// The window's binding table; the numbers come first in the exchange: a pull
// that stops at a bad picture count still takes every number over, so Save
// and the locks see what the fields show.
constexpr FieldBinding<SmsSettings> kFieldControls[] = {
    BindText(kPhone1Field, kSmsTextFields, &SmsSettings::phone1),
    BindText(kPhone2Field, kSmsTextFields, &SmsSettings::phone2),
    BindText(kPhone3Field, kSmsTextFields, &SmsSettings::phone3),
    BindNumber(kPicturesField, kSmsNumberFields, &SmsSettings::picturesPerDay),
    BindNumber(kSmsControlList, kSmsNumberFields, &SmsSettings::smsControl),
};

constexpr const NumberField<SmsSettings>& kPictures = RowOf(kSmsNumberFields, &SmsSettings::picturesPerDay);

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
    AddHint(kPhone1Field, SmsHintText(session().languageIndex, SmsHint::Phone1));
    AddHint(kSmsControlList, SmsHintText(session().languageIndex, SmsHint::SmsControl));
    ApplyTexts();
    Edit(kPhone1Field).SetReadOnly(false);
    Edit(kPhone2Field).SetReadOnly(true);
    Edit(kPhone3Field).SetReadOnly(true);
    return true;
}

void CSmsDialog::DoDataExchange(ui::CDataExchange* pDX)
{
    CSettingsDialog::DoDataExchange(pDX);
    for (const FieldBinding<SmsSettings>& row : kFieldControls) {
        if (row.text != nullptr)
            DDX_BoundText(pDX, row, m_fields);
    }
    DDX_Folder(pDX);
    ui::DDX_Text(pDX, kPicturesField, m_fields.picturesPerDay);
    ui::DDV_MinMaxInt(pDX, m_fields.picturesPerDay, kPictures.low, kPictures.high);
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
    ResetOutOfRange(kPicturesField, m_fields.picturesPerDay, kPictures.low, kPictures.high);
}

std::span<const FieldBinding<SmsSettings>> CSmsDialog::Bindings()
{
    return kFieldControls;
}

int CSmsDialog::ControlOfField(const QString& field) const
{
    return BoundControl<SmsSettings>(kFieldControls, field);
}

void CSmsDialog::Save()
{
    SaveRecord([this] { return PrepareSmsSave(ShownSettings(), session()); }, &WriteSmsFile,
               SmsSavedMessage(session().languageIndex));
}

} // namespace kestra
