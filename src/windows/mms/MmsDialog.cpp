// SPDX-License-Identifier: Apache-2.0
#include "windows/mms/MmsDialog.h"

#include "common/TextTable.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsSave.h"
#include "formats/mms/MmsTexts.h"
#include "storage/Cp936.h"
#include "ui/DataExchange.h"
#include "windows/base/DialogHelpers.h"
#include "windows/mms/MmsDialogIds.h"

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

// The six fields the catalogue fills in the preset mode.
constexpr int kParameterFields[] = {kUrlField, kApnField, kGatewayField, kPortField, kAccountField, kPasswordField};

// The control of each record text, by the field names a refused save reports.
struct TextControl {
    const char* field;
    int id;
};

constexpr TextControl kTextControls[] = {
    {"url", kUrlField},         {"apn", kApnField},           {"gateway", kGatewayField},
    {"port", kPortField},       {"phone", kPhoneField},       {"email", kEmailField},
    {"account", kAccountField}, {"password", kPasswordField}, {"phone2", kPhone2Field},
};

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
                      FolderRow{kSelectButton, kFolderField, kMmsFolderMaxChars})
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

    const auto text = [pDX](int id, QByteArray& value, qsizetype limit) {
        ui::DDX_Text(pDX, id, value);
        ui::DDV_MaxChars(pDX, value, static_cast<int>(limit));
    };
    text(kAccountField, m_account, kMmsAccountLimit);
    DDX_Folder(pDX);
    text(kUrlField, m_url, kMmsUrlLimit);
    text(kApnField, m_apn, kMmsApnLimit);
    text(kPasswordField, m_password, kMmsPasswordLimit);
    text(kGatewayField, m_gateway, kMmsGatewayLimit);
    text(kPortField, m_port, kMmsPortLimit);
    // The phone field takes any length; the copy checks it and says the limit.
    ui::DDX_Text(pDX, kPhoneField, m_phone);
    if (pDX->m_bSaveAndValidate && m_phone.size() > kMmsPhoneLimit && pDX->ReportFault()) {
        const QString format = MmsMessageText(session().languageIndex, MmsMessage::PhoneTooLong);
        pDX->ShowToolMessage(FormatText(format.toUtf8().constData(), {static_cast<int>(kMmsPhoneLimit)}));
        pDX->Fail();
    }
    text(kPhone2Field, m_phone2, kMmsPhone2Limit);
    text(kEmailField, m_email, kMmsEmailLimit);
    ui::DDX_Text(pDX, kPicturesField, m_picturesPerDay);
    DDV_IntRange(pDX, m_picturesPerDay, 0, kMaxPicturesPerDay);
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

MmsSettings CMmsDialog::ShownSettings() const
{
    MmsSettings s;
    s.presetFlag = presetMode() ? 1 : 0;
    s.countryCode = presetMode() ? m_countryList.GetCurSel() : COUNTRY_CUSTOM;
    s.operatorIndex = presetMode() ? m_operatorList.GetCurSel() : 0;
    s.smsControl = m_smsControlList.GetCurSel();
    s.picturesPerDay = m_picturesPerDay;
    s.languageCode = session().languageCode;
    s.tvMode = session().tvMode;
    s.url = m_url;
    s.apn = m_apn;
    s.gateway = m_gateway;
    s.port = m_port;
    s.phone = m_phone;
    s.email = m_email;
    s.account = m_account;
    s.password = m_password;
    s.phone2 = m_phone2;
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
    for (int slot = 0; slot < MmsOfferedCount(country); ++slot)
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
    for (int id : kParameterFields)
        Edit(id).SetReadOnly(preset);
    Edit(kPhoneField).SetReadOnly(false);
    Edit(kEmailField).SetReadOnly(false);
    Edit(kPhone2Field).SetReadOnly(true);
    m_countryCode = country;
    m_operatorIndex = slot;
    m_shownPresetMode = preset;
}

void CMmsDialog::TakePreset()
{
    MmsSettings preset;
    ApplyMmsPreset(preset, m_countryCode, m_operatorIndex);
    m_url = preset.url;
    m_apn = preset.apn;
    m_gateway = preset.gateway;
    m_port = preset.port;
    m_account = preset.account;
    m_password = preset.password;
}

void CMmsDialog::ClearTexts()
{
    for (QByteArray* text :
         {&m_url, &m_apn, &m_gateway, &m_port, &m_account, &m_password, &m_email, &m_phone, &m_phone2})
        text->clear();
    for (const TextControl& control : kTextControls)
        SettleField(control.id);
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
        m_countryCode = country;
        m_operatorIndex = 0;
        TakePreset();
    }
    PutFieldsIntoControls();
}

void CMmsDialog::OnOperatorChange()
{
    if (presetMode()) {
        m_countryCode = m_countryList.GetCurSel();
        m_operatorIndex = m_operatorList.GetCurSel();
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
        SetText(kPhone2Field, m_phone2, {});
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
    if (Length(Edit(kPhoneField).GetWindowText()) > kMmsPhoneLimit)
        SetText(kPhoneField, m_phone, {});
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
    ResetOutOfRange(kPicturesField, m_picturesPerDay, 0, kMaxPicturesPerDay);
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
    m_picturesPerDay = loaded.picturesPerDay;
    m_url = loaded.url;
    m_apn = loaded.apn;
    m_gateway = loaded.gateway;
    m_port = loaded.port;
    m_phone = loaded.phone;
    m_email = loaded.email;
    m_account = loaded.account;
    m_password = loaded.password;
    m_phone2 = loaded.phone2;
    const bool phone2Open = loaded.phone.size() >= kMinRecipientLength || !loaded.phone2.isEmpty()
                            || OpensPhone2AsAddress(DecodeCp936(loaded.email));
    Edit(kPhone2Field).SetReadOnly(!phone2Open);
}

void CMmsDialog::OnOK()
{
    // Every field is taken over first, so the file holds what the window
    // shows; a failed check has shown its message, and nothing is written.
    if (!TakeEveryFieldOver())
        return;
    const SaveDecision<MmsSettings> decision = PrepareMmsSave(ShownSettings(), session());
    if (!ShowRefusal(decision.refusal)) {
        for (const TextControl& control : kTextControls) {
            if (decision.field == QLatin1String(control.field))
                GetDlgItem(control.id)->SetFocus();
        }
        return;
    }
    if (presetMode()) {
        // The catalogue's parameters are what is saved; the window shows them.
        m_countryCode = decision.record().countryCode;
        m_operatorIndex = decision.record().operatorIndex;
        TakePreset();
        PutFieldsIntoControls();
    }
    ShowSaveOutcome(WriteMmsFile(m_folderText, *decision.checked),
                    MmsMessageText(session().languageIndex, MmsMessage::Saved));
}

} // namespace kestra
