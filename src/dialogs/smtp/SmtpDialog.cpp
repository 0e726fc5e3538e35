// SPDX-License-Identifier: Apache-2.0
#include "dialogs/smtp/SmtpDialog.h"

#include "dialogs/smtp/SmtpDialogIds.h"
#include "formats/gprs/GprsCatalogue.h"
#include "formats/gprs/GprsFile.h"
#include "formats/gprs/GprsSave.h"
#include "formats/gprs/SmtpTexts.h"
#include "formats/shared/SmsControl.h"
#include "ui/DataExchange.h"

#include <QAction>
#include <QGuiApplication>
#include <QScopeGuard>

namespace kestra {
namespace {

using namespace smtp_ids;

// The window's binding table. Texts are exchanged before the folder and the
// pictures per day: a pull that stops at a bad number still takes over every
// text, so what Save and the pushes of the list handlers use is what the
// fields show.
constexpr FieldBinding<GprsSettings> kFieldControls[] = {
    BindText(kRecipientField, kGprsTextFields, &GprsSettings::recipientEmail),
    BindText(kSenderField, kGprsTextFields, &GprsSettings::senderEmail),
    BindText(kSenderPasswordField, kGprsTextFields, &GprsSettings::senderPassword),
    BindText(kServerField, kGprsTextFields, &GprsSettings::smtpServer),
    BindText(kPortField, kGprsTextFields, &GprsSettings::smtpPort),
    BindText(kAccountField, kGprsTextFields, &GprsSettings::gprsAccount),
    BindText(kApnField, kGprsTextFields, &GprsSettings::apn),
    BindText(kGprsPasswordField, kGprsTextFields, &GprsSettings::gprsPassword),
    BindText(kPhoneField, kGprsTextFields, &GprsSettings::phoneNumber),
    BindNumber(kPicturesField, kGprsNumberFields, &GprsSettings::picturesPerDay),
    BindNumber(kSmsControlList, kGprsNumberFields, &GprsSettings::smsControl),
    BindNumber(kModeList, kGprsNumberFields, &GprsSettings::mode),
    BindNumber(kCountryList, kGprsNumberFields, &GprsSettings::countryIndex),
    BindNumber(kOperatorList, kGprsNumberFields, &GprsSettings::operatorIndex),
};

constexpr const NumberField<GprsSettings>& kPictures = RowOf(kGprsNumberFields, &GprsSettings::picturesPerDay);

struct LabelControl {
    SmtpLabel label;
    int id;
};

constexpr LabelControl kLabelControls[] = {
    {SmtpLabel::ModeLabel, kModeLabel},
    {SmtpLabel::PicturesLabel, kPicturesLabel},
    {SmtpLabel::PicturesNote, kPicturesNote},
    {SmtpLabel::CountryLabel, kCountryLabel},
    {SmtpLabel::OperatorLabel, kOperatorLabel},
    {SmtpLabel::ApnLabel, kApnLabel},
    {SmtpLabel::AccountLabel, kAccountLabel},
    {SmtpLabel::GprsPasswordLabel, kGprsPasswordLabel},
    {SmtpLabel::ServerLabel, kServerLabel},
    {SmtpLabel::PortLabel, kPortLabel},
    {SmtpLabel::SenderLabel, kSenderLabel},
    {SmtpLabel::SenderPasswordLabel, kSenderPasswordLabel},
    {SmtpLabel::RecipientLabel, kRecipientLabel},
    {SmtpLabel::SenderGroup, kSenderGroup},
    {SmtpLabel::RecipientGroup, kRecipientGroup},
    {SmtpLabel::GprsGroup, kGprsGroup},
    {SmtpLabel::SmsControlGroup, kSmsControlGroup},
    {SmtpLabel::SmsControlLabel, kSmsControlLabel},
    {SmtpLabel::PhoneLabel, kPhoneLabel},
    {SmtpLabel::SelectButton, kSelectButton},
    {SmtpLabel::LoadButton, kLoadButton},
    {SmtpLabel::SaveButton, kSaveButton},
    {SmtpLabel::ExitButton, kExitButton},
};

struct HintControl {
    SmtpHint hint;
    int id;
};

constexpr HintControl kHintControls[] = {
    {SmtpHint::Server, kServerField},        {SmtpHint::Port, kPortField},
    {SmtpHint::Recipient, kRecipientField},  {SmtpHint::Phone, kPhoneField},
    {SmtpHint::SmsControl, kSmsControlList}, {SmtpHint::Sender, kSenderField},
};

} // namespace

CSmtpDialog::CSmtpDialog(ui::Services& services, const Session& session)
    : CSettingsDialog(SmtpDialogTemplate(), services, session, FolderRow{kSelectButton, kFolderField}),
      m_fields(InitialGprsSettings(session))
{
    RegisterHandlers();
}

void CSmtpDialog::RegisterHandlers()
{
    using ui::Notification;
    for (const FieldBinding<GprsSettings>& row : kFieldControls) {
        if (row.text != nullptr)
            On(Notification::EditChange, row.id, [this, id = row.id] { TakeFieldsOver(id); });
    }
    On(Notification::EditChange, kFolderField, [this] { TakeFieldsOver(kFolderField); });
    On(Notification::EditChange, kPicturesField, [this] { OnPicturesChange(); });
    On(Notification::SelChange, kModeList, [this] { OnModeChange(); });
    On(Notification::SelChange, kCountryList, [this] { OnCountryChange(); });
    On(Notification::SelChange, kOperatorList, [this] { OnOperatorChange(); });
    On(Notification::SelEndCancel, kSmsControlList, [this] { TakeFieldsOver(kSmsControlList); });
    On(Notification::Clicked, kSaveButton, [this] { Save(); });
    On(Notification::Clicked, kLoadButton, [this] { OnLoad(); });
    // Enter sends the default button's click, IDOK here, which no control of
    // this window carries: it does nothing (Save is its own button, and
    // ending the window would throw away everything typed without a word).
    On(Notification::Clicked, ui::IDOK, [] {});
}

bool CSmtpDialog::OnInitDialog()
{
    CSettingsDialog::OnInitDialog();
    const int language = session().languageIndex;

    ui::CComboBox modes = Combo(kModeList);
    modes.ResetContent();
    modes.AddString(GprsModeEntry(language, kGprsModeAuto));
    modes.AddString(GprsModeEntry(language, kGprsModeCustomer));
    SetMode(kGprsModeAuto, kGprsChinaIndex, 0, OperatorNames::Interface);

    AddHints();
    ApplyTexts();

    ui::CComboBox smsControl = Combo(kSmsControlList);
    smsControl.ResetContent();
    for (const QString& entry : SmsControlEntries(language))
        smsControl.AddString(entry);
    smsControl.SetCurSel(kSmsControlOff);

    FillPresetIfAuto();
    PutFieldsIntoControls();
    // The loaded file's path has no label; the button beside it says what it is.
    NameControl(kLoadedPathField, SmtpLabelTable(SmtpLabel::LoadButton).text(language));
    AddMailTestMenu();
    return true;
}

void CSmtpDialog::DoDataExchange(ui::CDataExchange* pDX)
{
    CSettingsDialog::DoDataExchange(pDX);
    for (const FieldBinding<GprsSettings>& row : kFieldControls) {
        if (row.text != nullptr)
            DDX_BoundText(pDX, row, m_fields);
    }
    ui::DDX_Text(pDX, kLoadedPathField, m_loadedPath);
    DDX_Folder(pDX);
    ui::DDX_Text(pDX, kPicturesField, m_fields.picturesPerDay);
    ui::DDV_MinMaxInt(pDX, m_fields.picturesPerDay, kPictures.low, kPictures.high);
}

void CSmtpDialog::ApplyTexts()
{
    for (const LabelControl& control : kLabelControls)
        ApplyText(control.id, SmtpLabelTable(control.label).pick(session().languageIndex));
}

void CSmtpDialog::AddHints()
{
    for (const HintControl& control : kHintControls)
        AddHint(control.id, SmtpHintText(session().languageIndex, control.hint));
}

GprsSettings CSmtpDialog::ShownSettings()
{
    GprsSettings shown = m_fields;
    shown.mode = CurrentMode();
    shown.countryIndex = Combo(kCountryList).GetCurSel();
    shown.operatorIndex = Combo(kOperatorList).GetCurSel();
    shown.smsControl = Combo(kSmsControlList).GetCurSel();
    return shown;
}

int CSmtpDialog::CurrentMode()
{
    return Combo(kModeList).GetCurSel() == kGprsModeCustomer ? kGprsModeCustomer : kGprsModeAuto;
}

void CSmtpDialog::SetMode(int mode, int country, int slot, OperatorNames names)
{
    const bool customer = mode == kGprsModeCustomer;
    m_mode = customer ? kGprsModeCustomer : kGprsModeAuto;
    Combo(kModeList).SetCurSel(m_mode);
    GetDlgItem(kCountryList)->EnableWindow(!customer);
    GetDlgItem(kOperatorList)->EnableWindow(!customer);
    // Typed in the Customer mode, filled from the operator's preset in Auto.
    for (const FieldBinding<GprsSettings>& row : kFieldControls) {
        if (row.text != nullptr && row.text->preset)
            Edit(row.id).SetReadOnly(!customer);
    }
    if (customer) {
        // Both lists hold the one entry that says the texts are typed.
        for (int id : {kCountryList, kOperatorList}) {
            ui::CComboBox list = Combo(id);
            list.ResetContent();
            list.AddString(GprsCustomerListEntry(session().languageIndex));
            list.SetCurSel(0);
        }
        return;
    }
    FillCountries(country);
    FillOperators(country, slot, names);
}

void CSmtpDialog::FillCountries(int country)
{
    ui::CComboBox list = Combo(kCountryList);
    list.ResetContent();
    const bool chinese = session().languageIndex == kLanguageChinese;
    for (int index = 0; index < kGprsCountryCount; ++index)
        list.AddString(GprsCountryName(chinese, index));
    list.SetCurSel(country);
}

void CSmtpDialog::FillOperators(int country, int slot, OperatorNames names)
{
    ui::CComboBox list = Combo(kOperatorList);
    list.ResetContent();
    const int count = GprsOperatorCount(country);
    const bool interfaceChina = country == kGprsChinaIndex && names == OperatorNames::Interface;
    for (int index = 0; index < count; ++index) {
        list.AddString(interfaceChina ? GprsChinaOperatorName(session().languageIndex, index)
                                      : GprsOperatorName(country, index));
    }
    list.SetCurSel(slot);
}

void CSmtpDialog::FillPresetIfAuto()
{
    if (CurrentMode() != kGprsModeAuto)
        return;
    FillGprsPreset(m_fields, Combo(kCountryList).GetCurSel(), Combo(kOperatorList).GetCurSel());
}

void CSmtpDialog::OnModeChange()
{
    // Picking the mode the window is already in changes nothing, and must not
    // throw the typed account away.
    if (CurrentMode() == m_mode)
        return;
    TakeFieldsOver(kModeList);
    // A new mode starts the account over; the phone number, the folder and
    // the pictures per day stay.
    for (const FieldBinding<GprsSettings>& row : kFieldControls) {
        if (row.text == nullptr || row.id == kPhoneField)
            continue;
        (m_fields.*row.text->member).clear();
        SettleField(row.id);
    }
    SetMode(CurrentMode(), kGprsChinaIndex, 0, OperatorNames::Interface);
    FillPresetIfAuto();
    PutFieldsIntoControls();
}

void CSmtpDialog::OnCountryChange()
{
    if (CurrentMode() != kGprsModeAuto)
        return;
    TakeFieldsOver(kCountryList);
    FillOperators(Combo(kCountryList).GetCurSel(), 0, OperatorNames::Interface);
    FillPresetIfAuto();
    PutFieldsIntoControls();
}

void CSmtpDialog::OnOperatorChange()
{
    TakeFieldsOver(kOperatorList);
    FillPresetIfAuto();
    PutFieldsIntoControls();
}

void CSmtpDialog::OnPicturesChange()
{
    TakeFieldsOver(kPicturesField);
    ResetOutOfRange(kPicturesField, m_fields.picturesPerDay, kPictures.low, kPictures.high);
}

std::span<const FieldBinding<GprsSettings>> CSmtpDialog::Bindings()
{
    return kFieldControls;
}

int CSmtpDialog::ControlOfField(const QString& field) const
{
    return BoundControl<GprsSettings>(kFieldControls, field);
}

void CSmtpDialog::Save()
{
    SaveRecord([this] { return PrepareGprsSave(ShownSettings(), session()); }, &WriteGprsFile,
               SmtpSavedMessage(session().languageIndex),
               [this](const GprsSettings& saved, const SaveResult& result) {
                   if (!result.ok() || saved.mode != kGprsModeAuto)
                       return;
                   // The next Auto save takes the preset again; the fields show the
                   // emptied values from the next time the window puts its values back.
                   for (const GprsTextField& field : kGprsTextFields) {
                       if (field.preset)
                           (m_fields.*field.member).clear();
                   }
               });
}

void CSmtpDialog::OnLoad()
{
    const std::optional<PickedSettingsFile> picked = PickSettingsFile(SettingsFileKind::Gprs);
    if (!picked)
        return; // the window stays as it was
    const GprsLoaded file = ParseGprsFile(picked->bytes);

    SettleAllFields();
    m_loadedPath = picked->path;
    // The file holds no mailbox password the window takes: it is typed again.
    m_fields.senderPassword.clear();
    m_fields.picturesPerDay = file.picturesPerDay <= kPictures.high ? file.picturesPerDay : 0;
    Combo(kSmsControlList).SetCurSel(file.smsControl.value_or(kSmsControlOff));
    // The mode list and the locks follow the file, so a Customer file is saved
    // again with its own access data and not with a preset. A country or
    // operator the list does not offer falls back to the opening choice.
    // The operators by the table's names, China's too, whatever the language.
    const int country = file.countryIndex.value_or(kGprsChinaIndex);
    SetMode(file.mode, country < kGprsCountryCount ? country : kGprsChinaIndex, file.operatorIndex.value_or(0),
            OperatorNames::Catalogue);

    m_fields.apn = file.apn;
    m_fields.gprsAccount = file.gprsAccount;
    m_fields.gprsPassword = file.gprsPassword;
    m_fields.smtpServer = file.smtpServer;
    m_fields.smtpPort = file.smtpPort;
    m_fields.senderEmail = file.senderEmail;
    m_fields.phoneNumber = file.phoneNumber;
    m_fields.recipientEmail = file.recipientEmail;
    PutFieldsIntoControls();
}

void CSmtpDialog::AddMailTestMenu()
{
    // The dialog layer has no menus: the entries go on the window through Qt.
    // Right clicks on labels and frames reach the window; edits keep their own
    // copy-and-paste menus.
    // Like the report they open, the entries are Chinese in the Chinese
    // interface and English otherwise.
    struct Entry {
        const char* name;
        const char* english;
        const char* chinese;
        bool send;
    };
    const bool chinese = session().chineseMessages();
    for (const Entry& entry : {Entry{"mailTestAction", "Test e-mail login...", "测试邮件登录...", false},
                               Entry{"mailTestSendAction", "Send a test e-mail...", "发送测试邮件...", true}}) {
        auto* action = new QAction(QString::fromUtf8(chinese ? entry.chinese : entry.english), widget());
        action->setObjectName(QString::fromUtf8(entry.name));
        const bool send = entry.send;
        QObject::connect(action, &QAction::triggered, widget(), [this, send] { OnMailTest(send); });
        widget()->addAction(action);
    }
    widget()->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CSmtpDialog::OnMailTest(bool send)
{
    // The test uses what the fields show; a field that fails its check has
    // shown its message.
    if (!UpdateData(true))
        return;
    MailTestOptions options;
    options.send = send;
    options.languageIndex = session().languageIndex;
    MailTestReport report;
    {
        // Each step waits at most its timeout; the wait cursor says the
        // window is busy until the report shows.
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        report = m_mailTestRunner(ShownSettings(), options);
    }
    ShowMessage(MailTestReportText(report));
}

} // namespace kestra
