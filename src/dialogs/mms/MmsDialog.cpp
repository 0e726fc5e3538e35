// SPDX-License-Identifier: Apache-2.0
#include "dialogs/mms/MmsDialog.h"

#include "common/TextTable.h"
#include "dialogs/base/DialogHelpers.h"
#include "dialogs/mms/MmsDialogIds.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsSave.h"
#include "formats/mms/MmsTexts.h"
#include "storage/Cp936.h"
#include "ui/DataExchange.h"

#include <QScopedValueRollback>

namespace kestra {
namespace {

using namespace mms_ids;

constexpr int kPresetModeItem = 0;
constexpr int kCustomModeItem = 1;
// Phone2 opens once the phone or the e-mail address is this long.
constexpr int kMinRecipientLength = 5;
// The folder field's limit, as the camera tool's template had it.
constexpr int kMmsFolderMaxChars = 80;

struct LabelControl {
    MmsLabel label;
    int id;
};

constexpr LabelControl kLabelControls[] = {
    {MmsLabel::ModeLabel, kModeLabel},
    {MmsLabel::CountryLabel, kCountryLabel},
    {MmsLabel::OperatorLabel, kOperatorLabel},
    {MmsLabel::PicturesLabel, kPicturesLabel},
    {MmsLabel::PicturesNote, kPicturesNote},
    {MmsLabel::SmsControlLabel, kSmsControlLabel},
    {MmsLabel::UrlLabel, kUrlLabel},
    {MmsLabel::GatewayLabel, kGatewayLabel},
    {MmsLabel::PortLabel, kPortLabel},
    {MmsLabel::AccountLabel, kAccountLabel},
    {MmsLabel::PasswordLabel, kPasswordLabel},
    {MmsLabel::PhoneLabel, kPhoneLabel},
    {MmsLabel::EmailLabel, kEmailLabel},
    {MmsLabel::Phone2Label, kPhone2Label},
    {MmsLabel::SettingsGroup, kSettingsGroup},
    {MmsLabel::UserGroup, kUserGroup},
    {MmsLabel::ParametersGroup, kParametersGroup},
    {MmsLabel::LoadButton, kLoadButton},
    {MmsLabel::SelectButton, kSelectButton},
    {MmsLabel::SaveButton, kSaveButton},
    {MmsLabel::ExitButton, kExitButton},
};

// The window's binding table. The texts come in exchange order: an exchange
// stops at the first failed check, and the folder is exchanged right after
// the account, where the camera tool's exchange had it.
constexpr FieldBinding<MmsSettings> kFieldControls[] = {
    BindText(kAccountField, kMmsTextFields, &MmsSettings::account),
    BindText(kUrlField, kMmsTextFields, &MmsSettings::url),
    BindText(kApnField, kMmsTextFields, &MmsSettings::apn),
    BindText(kPasswordField, kMmsTextFields, &MmsSettings::password),
    BindText(kGatewayField, kMmsTextFields, &MmsSettings::gateway),
    BindText(kPortField, kMmsTextFields, &MmsSettings::port),
    BindText(kPhoneField, kMmsTextFields, &MmsSettings::phone),
    BindText(kPhone2Field, kMmsTextFields, &MmsSettings::phone2),
    BindText(kEmailField, kMmsTextFields, &MmsSettings::email),
    BindNumber(kPicturesField, kMmsNumberFields, &MmsSettings::picturesPerDay),
    BindNumber(kSmsControlList, kMmsNumberFields, &MmsSettings::smsControl),
    BindNumber(kModeList, kMmsNumberFields, &MmsSettings::presetFlag),
    BindNumber(kCountryList, kMmsNumberFields, &MmsSettings::countryCode),
    BindNumber(kOperatorList, kMmsNumberFields, &MmsSettings::operatorIndex),
};

constexpr const NumberField<MmsSettings>& kPictures = RowOf(kMmsNumberFields, &MmsSettings::picturesPerDay);

int Length(const QString& text)
{
    return Cp936Length(text);
}

bool OpensPhone2AsAddress(const QString& email)
{
    return Length(email) >= kMinRecipientLength && email.contains(u'@');
}

} // namespace

CMmsDialog::CMmsDialog(ui::Services& services, const Session& session)
    : CSettingsDialog(MmsDialogTemplate(), services, session,
                      FolderRow{kSelectButton, kFolderField, kMmsFolderMaxChars}),
      m_fields(InitialMmsSettings(session))
{
    RegisterHandlers();
}

void CMmsDialog::RegisterHandlers()
{
    using ui::Notification;
    On(Notification::SelChange, kModeList, [this] { OnModeChange(); });
    On(Notification::SelChange, kCountryList, [this] { OnCountryChange(); });
    On(Notification::SelChange, kOperatorList, [this] { OnOperatorChange(); });
    On(Notification::SelChange, kSmsControlList, [this] { TakeFieldsOver(kSmsControlList); });
    // These fields only take the window's values over.
    for (int id :
         {kUrlField, kApnField, kGatewayField, kPortField, kAccountField, kPasswordField, kPhone2Field, kFolderField}) {
        On(Notification::EditChange, id, [this, id] {
            if (!m_applyingRule)
                TakeFieldsOver(id);
        });
    }
    On(Notification::EditChange, kPhoneField, [this] { OnPhoneChange(); });
    On(Notification::EditChange, kEmailField, [this] { OnEmailChange(); });
    On(Notification::EditChange, kPicturesField, [this] { OnPicturesChange(); });
    On(Notification::Clicked, kLoadButton, [this] { OnLoadConfigure(); });
}

bool CMmsDialog::OnInitDialog()
{
    CSettingsDialog::OnInitDialog();
    AddHints();
    ApplyTexts();
    const int language = session().languageIndex;
    // The load path has no label of its own; the button beside it says what it is.
    NameControl(kLoadPathField, MmsLabelText(language, MmsLabel::LoadButton));

    m_smsControlList.ResetContent();
    for (const QString& entry : MmsSmsControlEntries(language))
        m_smsControlList.AddString(entry);
    m_smsControlList.SetCurSel(kSmsControlOff);
    m_modeList.ResetContent();
    for (const QString& entry : MmsModeEntries(language))
        m_modeList.AddString(entry);
    m_modeList.SetCurSel(kPresetModeItem);

    ShowPresetMode(kMmsChinaIndex, 0, OperatorNames::Interface);
    TakePreset();
    PutFieldsIntoControls();
    GetDlgItem(kModeList)->SetFocus();
    return false; // the focus is set
}

void CMmsDialog::DoDataExchange(ui::CDataExchange* pDX)
{
    CSettingsDialog::DoDataExchange(pDX);
    ui::DDX_Control(pDX, kModeList, m_modeList);
    ui::DDX_Control(pDX, kCountryList, m_countryList);
    ui::DDX_Control(pDX, kOperatorList, m_operatorList);
    ui::DDX_Control(pDX, kSmsControlList, m_smsControlList);

    for (const FieldBinding<MmsSettings>& row : kFieldControls) {
        if (row.text == nullptr)
            continue;
        if (row.text->member != &MmsSettings::phone) {
            DDX_BoundText(pDX, row, m_fields);
        } else {
            // The phone field takes any length; the copy checks it and says the limit.
            ui::DDX_Text(pDX, row.id, m_fields.phone);
            if (pDX->m_bSaveAndValidate && m_fields.phone.size() > row.text->limit && pDX->ReportFault()) {
                const QString format = MmsMessageText(session().languageIndex, MmsMessage::PhoneTooLong);
                pDX->ShowToolMessage(FormatText(format.toUtf8().constData(), {static_cast<int>(row.text->limit)}));
                pDX->Fail();
            }
        }
        if (row.id == kAccountField)
            DDX_Folder(pDX);
    }
    ui::DDX_Text(pDX, kPicturesField, m_fields.picturesPerDay);
    DDV_IntRange(pDX, m_fields.picturesPerDay, kPictures.low, kPictures.high);
    ui::DDX_Text(pDX, kLoadPathField, m_loadPath);
}

void CMmsDialog::ApplyTexts()
{
    const int language = session().languageIndex;
    for (const LabelControl& control : kLabelControls)
        GetDlgItem(control.id)->SetWindowText(MmsLabelText(language, control.label));
}

void CMmsDialog::AddHints()
{
    const int language = session().languageIndex;
    AddHint(kPhoneField, MmsHintText(language, MmsHint::Phone));
    AddHint(kEmailField, MmsHintText(language, MmsHint::Email));
    AddHint(kSmsControlList, MmsHintText(language, MmsHint::SmsControl));
}

bool CMmsDialog::presetMode() const
{
    return m_modeList.GetCurSel() != kCustomModeItem;
}

std::span<const FieldBinding<MmsSettings>> CMmsDialog::Bindings()
{
    return kFieldControls;
}

int CMmsDialog::ControlOfField(const QString& field) const
{
    return BoundControl<MmsSettings>(kFieldControls, field);
}

MmsSettings CMmsDialog::ShownSettings() const
{
    MmsSettings s = m_fields;
    s.presetFlag = presetMode() ? 1 : 0;
    s.countryCode = presetMode() ? m_countryList.GetCurSel() : COUNTRY_CUSTOM;
    s.operatorIndex = presetMode() ? m_operatorList.GetCurSel() : 0;
    s.smsControl = m_smsControlList.GetCurSel();
    s.languageCode = session().languageCode;
    s.tvMode = session().tvMode;
    return s;
}

void CMmsDialog::FillOperators(int country, OperatorNames names)
{
    m_operatorList.ResetContent();
    if (country == kMmsChinaIndex && names == OperatorNames::Interface) {
        for (const QString& name : MmsChinaOperatorPair(session().languageIndex))
            m_operatorList.AddString(name);
        return;
    }
    for (int slot = 0; slot < MmsOperatorCount(country); ++slot)
        m_operatorList.AddString(MmsOperatorName(country, slot));
}

void CMmsDialog::ShowPresetMode(int country, int slot, OperatorNames names)
{
    const CountryListVariant variant =
        session().languageIndex == kLanguageChinese ? CountryListVariant::Chinese : CountryListVariant::English;
    m_countryList.ResetContent();
    for (int i = 0; i < kMmsCountryCount; ++i)
        m_countryList.AddString(MmsCountryName(variant, i));
    m_countryList.SetCurSel(country);
    FillOperators(country, names);
    m_operatorList.SetCurSel(slot);
    m_countryList.EnableWindow(true);
    m_operatorList.EnableWindow(true);
    ShowModeFields(true, country, slot);
}

void CMmsDialog::ShowCustomMode()
{
    const QString custom = MmsCustomItem(session().languageIndex);
    for (ui::CComboBox* list : {&m_countryList, &m_operatorList}) {
        list->ResetContent();
        list->AddString(custom);
        list->SetCurSel(0);
        list->EnableWindow(false);
    }
    ShowModeFields(false, COUNTRY_CUSTOM, 0);
}

void CMmsDialog::ShowModeFields(bool preset, int country, int slot)
{
    // The six fields the catalogue fills in the preset mode.
    for (const FieldBinding<MmsSettings>& row : kFieldControls) {
        if (row.text != nullptr && row.text->preset)
            Edit(row.id).SetReadOnly(preset);
    }
    Edit(kPhoneField).SetReadOnly(false);
    Edit(kEmailField).SetReadOnly(false);
    Edit(kPhone2Field).SetReadOnly(true);
    m_fields.countryCode = country;
    m_fields.operatorIndex = slot;
    m_shownPresetMode = preset;
}

void CMmsDialog::TakePreset()
{
    ApplyMmsPreset(m_fields, m_fields.countryCode, m_fields.operatorIndex);
}

void CMmsDialog::ClearTexts()
{
    for (const FieldBinding<MmsSettings>& row : kFieldControls) {
        if (row.text == nullptr)
            continue;
        (m_fields.*row.text->member).clear();
        SettleField(row.id);
    }
}

void CMmsDialog::OnModeChange()
{
    // Picking the mode the window is already in changes nothing: it must not
    // wipe the recipients and parameters typed so far.
    if (presetMode() == m_shownPresetMode)
        return;
    ClearTexts();
    if (m_modeList.GetCurSel() == kCustomModeItem) {
        ShowCustomMode();
    } else {
        ShowPresetMode(kMmsChinaIndex, 0, OperatorNames::Interface);
        TakePreset();
    }
    PutFieldsIntoControls();
}

void CMmsDialog::OnCountryChange()
{
    if (presetMode()) {
        const int country = m_countryList.GetCurSel();
        FillOperators(country, OperatorNames::Interface);
        m_operatorList.SetCurSel(0);
        m_fields.countryCode = country;
        m_fields.operatorIndex = 0;
        TakePreset();
    }
    PutFieldsIntoControls();
}

void CMmsDialog::OnOperatorChange()
{
    if (presetMode()) {
        m_fields.countryCode = m_countryList.GetCurSel();
        m_fields.operatorIndex = m_operatorList.GetCurSel();
        TakePreset();
    }
    PutFieldsIntoControls();
}

void CMmsDialog::SetText(int id, QByteArray& member, const QByteArray& value)
{
    const QScopedValueRollback guard(m_applyingRule, true);
    SettleField(id);
    member = value;
    Edit(id).SetWindowText(DecodeCp936(value));
}

bool CMmsDialog::Phone2Allowed()
{
    return Length(Edit(kPhoneField).GetWindowText()) >= kMinRecipientLength
           || OpensPhone2AsAddress(Edit(kEmailField).GetWindowText());
}

void CMmsDialog::UpdatePhone2Lock()
{
    const bool allowed = Phone2Allowed();
    if (!allowed)
        SetText(kPhone2Field, m_fields.phone2, {});
    Edit(kPhone2Field).SetReadOnly(!allowed);
}

// The rules below work on what the fields show, and set only the fields they
// change: a copy that stopped at an earlier field (a character the code page
// lacks, say) left the record behind the window, and putting the whole record
// back would wipe what was typed.
void CMmsDialog::OnPhoneChange()
{
    if (m_applyingRule)
        return;
    TakeFieldsOver(kPhoneField); // a phone over the limit shows its message here
    if (Length(Edit(kPhoneField).GetWindowText()) > RowOf(kMmsTextFields, &MmsSettings::phone).limit)
        SetText(kPhoneField, m_fields.phone, {});
    // Phone2 stays open while the e-mail address still opens it: a shorter
    // phone must not wipe a second address that is still allowed.
    UpdatePhone2Lock();
}

void CMmsDialog::OnEmailChange()
{
    if (m_applyingRule)
        return;
    TakeFieldsOver(kEmailField);
    const QString email = Edit(kEmailField).GetWindowText();
    if (Length(email) < kMinRecipientLength)
        UpdatePhone2Lock(); // still open while the phone opens it
    else if (email.contains(u'@'))
        Edit(kPhone2Field).SetReadOnly(false);
}

void CMmsDialog::OnPicturesChange()
{
    if (m_applyingRule)
        return;
    TakeFieldsOver(kPicturesField);
    // The camera reads only 0 to 99, so a value below falls back to 0 too.
    ResetOutOfRange(kPicturesField, m_fields.picturesPerDay, kPictures.low, kPictures.high);
}

void CMmsDialog::OnLoadConfigure()
{
    const std::optional<PickedSettingsFile> picked = PickSettingsFile(SettingsFileKind::Mms);
    if (!picked)
        return; // the window stays as it was
    SettleAllFields();
    ApplyLoaded(ParseMmsFile(picked->bytes));
    m_loadPath = picked->path;
    PutFieldsIntoControls();
}

void CMmsDialog::ApplyLoaded(const MmsLoaded& loaded)
{
    // The window takes the file's mode, so the file is shown, and saved
    // again, as it was written.
    if (loaded.presetMode) {
        m_modeList.SetCurSel(kPresetModeItem);
        ShowPresetMode(loaded.countryCode.value_or(kMmsChinaIndex), loaded.operatorIndex.value_or(0),
                       OperatorNames::Catalogue);
    } else {
        m_modeList.SetCurSel(kCustomModeItem);
        ShowCustomMode();
    }
    m_smsControlList.SetCurSel(loaded.smsControl.value_or(kSmsControlOff));
    m_fields.picturesPerDay = loaded.picturesPerDay;
    m_fields.url = loaded.url;
    m_fields.apn = loaded.apn;
    m_fields.gateway = loaded.gateway;
    m_fields.port = loaded.port;
    m_fields.phone = loaded.phone;
    m_fields.email = loaded.email;
    m_fields.account = loaded.account;
    m_fields.password = loaded.password;
    m_fields.phone2 = loaded.phone2;
    const bool phone2Open = loaded.phone.size() >= kMinRecipientLength || !loaded.phone2.isEmpty()
                            || OpensPhone2AsAddress(DecodeCp936(loaded.email));
    Edit(kPhone2Field).SetReadOnly(!phone2Open);
}

void CMmsDialog::Save()
{
    SaveRecord([this] { return PrepareMmsSave(ShownSettings(), session()); }, &WriteMmsFile,
               MmsMessageText(session().languageIndex, MmsMessage::Saved),
               [this](const MmsSettings& saved, const SaveResult&) {
                   if (!presetMode())
                       return;
                   // The catalogue's parameters are what is saved; the window shows them.
                   m_fields.countryCode = saved.countryCode;
                   m_fields.operatorIndex = saved.operatorIndex;
                   TakePreset();
                   PutFieldsIntoControls();
               });
}

} // namespace kestra
