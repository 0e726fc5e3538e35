// SPDX-License-Identifier: Apache-2.0
#include "dialogs/camera/CameraDialog.h"

#include "dialogs/base/DialogHelpers.h"
#include "dialogs/base/PcClock.h"
#include "dialogs/camera/CameraDialogIds.h"
#include "formats/camera/CameraFields.h"
#include "formats/camera/CameraFile.h"
#include "formats/camera/CameraSave.h"
#include "formats/camera/CameraTexts.h"
#include "ui/DataExchange.h"

#include <QWidget>

#include <span>

namespace kestra {
namespace {

using namespace camera_ids;

// The window's binding table: each list, number field and the clock field
// shows the camera.dat fields of its rows (the clock field all six of the
// clock's). The numbers come in CameraNumber order.
constexpr FieldBinding<CameraSettings> kFieldControls[] = {
    BindNumber(kModeList, kCameraFields, &CameraSettings::cameraMode),
    BindNumber(kImageSizeList, kCameraFields, &CameraSettings::imageSize),
    BindNumber(kVideoSizeList, kCameraFields, &CameraSettings::videoSize),
    BindNumber(kPictureNoList, kCameraFields, &CameraSettings::pictureCount),
    BindNumber(kTimeStampList, kCameraFields, &CameraSettings::timeStamp),
    BindNumber(kSenseLevelList, kCameraFields, &CameraSettings::senseLevel),
    BindNumber(kBeepSoundList, kCameraFields, &CameraSettings::beepSound),
    BindNumber(kVideoLengthList, kCameraFields, &CameraSettings::videoLength),
    BindNumber(kPirIntervalList, kCameraFields, &CameraSettings::pirInterval),
    BindNumber(kSdCycleList, kCameraFields, &CameraSettings::sdCycle),
    BindNumber(kIrLightList, kCameraFields, &CameraSettings::irLight),
    BindNumber(kMmsStatusList, kCameraFields, &CameraSettings::mmsStatus),
    BindNumber(kTimer1List, kCameraFields, &CameraSettings::timer1On),
    BindNumber(kTimer2List, kCameraFields, &CameraSettings::timer2On),
    BindNumber(kSerialList, kCameraFields, &CameraSettings::serialOn),
    BindNumber(kSerialChar1, kCameraFields, &CameraSettings::serialChar1),
    BindNumber(kSerialChar2, kCameraFields, &CameraSettings::serialChar2),
    BindNumber(kSerialChar3, kCameraFields, &CameraSettings::serialChar3),
    BindNumber(kSerialChar4, kCameraFields, &CameraSettings::serialChar4),
    BindNumber(kTimeLapseList, kCameraFields, &CameraSettings::timeLapseOn),
    BindNumber(kTimeLapseHour, kCameraFields, &CameraSettings::timeLapseHour),
    BindNumber(kTimeLapseMinute, kCameraFields, &CameraSettings::timeLapseMinute),
    BindNumber(kTimeLapseSecond, kCameraFields, &CameraSettings::timeLapseSecond),
    BindNumber(kTimer1StartHour, kCameraFields, &CameraSettings::timer1StartHour),
    BindNumber(kTimer1StartMinute, kCameraFields, &CameraSettings::timer1StartMinute),
    BindNumber(kTimer1StopHour, kCameraFields, &CameraSettings::timer1StopHour),
    BindNumber(kTimer1StopMinute, kCameraFields, &CameraSettings::timer1StopMinute),
    BindNumber(kTimer2StartHour, kCameraFields, &CameraSettings::timer2StartHour),
    BindNumber(kTimer2StartMinute, kCameraFields, &CameraSettings::timer2StartMinute),
    BindNumber(kTimer2StopHour, kCameraFields, &CameraSettings::timer2StopHour),
    BindNumber(kTimer2StopMinute, kCameraFields, &CameraSettings::timer2StopMinute),
    BindNumber(kClockField, kCameraFields, &CameraSettings::clockYear),
    BindNumber(kClockField, kCameraFields, &CameraSettings::clockMonth),
    BindNumber(kClockField, kCameraFields, &CameraSettings::clockDay),
    BindNumber(kClockField, kCameraFields, &CameraSettings::clockHour),
    BindNumber(kClockField, kCameraFields, &CameraSettings::clockMinute),
    BindNumber(kClockField, kCameraFields, &CameraSettings::clockSecond),
};

// The list a row of the table shows, or kNoCameraList.
constexpr CameraList ListOf(const FieldBinding<CameraSettings>& row)
{
    return CameraFieldOf(row.number).list;
}

// The control of a number field.
int NumberId(CameraNumber number)
{
    for (const FieldBinding<CameraSettings>& row : kFieldControls) {
        if (row.number == CameraNumberInfo(number).field)
            return row.id;
    }
    return 0;
}

// The range of a number field, its row's.
const CameraField& NumberRow(CameraNumber number)
{
    return CameraFieldOf(CameraNumberInfo(number).field);
}

// Which controls show which text; the hour and minute units and the two
// work-hour groups share one text each.
struct LabelControl {
    CameraLabel label;
    int id;
};

constexpr LabelControl kLabelControls[] = {
    {CameraLabel::ModeLabel, kModeLabel},
    {CameraLabel::VideoSizeLabel, kVideoSizeLabel},
    {CameraLabel::TimeStampLabel, kTimeStampLabel},
    {CameraLabel::BeepSoundLabel, kBeepSoundLabel},
    {CameraLabel::PirIntervalLabel, kPirIntervalLabel},
    {CameraLabel::ImageSizeLabel, kImageSizeLabel},
    {CameraLabel::PictureNoLabel, kPictureNoLabel},
    {CameraLabel::SenseLevelLabel, kSenseLevelLabel},
    {CameraLabel::VideoLengthLabel, kVideoLengthLabel},
    {CameraLabel::SdCycleLabel, kSdCycleLabel},
    {CameraLabel::IrLightLabel, kIrLightLabel},
    {CameraLabel::MmsStatusLabel, kMmsStatusLabel},
    {CameraLabel::ClockGroup, kClockGroup},
    {CameraLabel::ClockLabel, kClockLabel},
    {CameraLabel::SyncTimeButton, kSyncTimeButton},
    {CameraLabel::WorkHourGroup, kTimer1Group},
    {CameraLabel::WorkHourGroup, kTimer2Group},
    {CameraLabel::Timer1Label, kTimer1Label},
    {CameraLabel::Timer2Label, kTimer2Label},
    {CameraLabel::Timer1StartLabel, kTimer1StartLabel},
    {CameraLabel::Timer1StopLabel, kTimer1StopLabel},
    {CameraLabel::Timer2StartLabel, kTimer2StartLabel},
    {CameraLabel::Timer2StopLabel, kTimer2StopLabel},
    {CameraLabel::HourUnit, kTimer1StartHourUnit},
    {CameraLabel::HourUnit, kTimer1StopHourUnit},
    {CameraLabel::HourUnit, kTimer2StartHourUnit},
    {CameraLabel::HourUnit, kTimer2StopHourUnit},
    {CameraLabel::HourUnit, kTimeLapseHourUnit},
    {CameraLabel::MinuteUnit, kTimer1StartMinuteUnit},
    {CameraLabel::MinuteUnit, kTimer1StopMinuteUnit},
    {CameraLabel::MinuteUnit, kTimer2StartMinuteUnit},
    {CameraLabel::MinuteUnit, kTimer2StopMinuteUnit},
    {CameraLabel::MinuteUnit, kTimeLapseMinuteUnit},
    {CameraLabel::SecondUnit, kTimeLapseSecondUnit},
    {CameraLabel::SerialLabel, kSerialLabel},
    {CameraLabel::TimeLapseLabel, kTimeLapseLabel},
    {CameraLabel::SelectButton, kSelectButton},
    {CameraLabel::SaveButton, kSaveButton},
    {CameraLabel::DefaultButton, kDefaultButton},
    {CameraLabel::ExitButton, kExitButton},
};

// The exchange order matters: an exchange stops at the first failed check, so
// a bad folder text keeps the timer 2 fields from being taken over.
constexpr CameraNumber kCheckedByIntRange[] = {
    CameraNumber::TimeLapseMinute,   CameraNumber::TimeLapseSecond, CameraNumber::TimeLapseHour,
    CameraNumber::Timer1StopMinute,  CameraNumber::Timer1StopHour,  CameraNumber::Timer1StartHour,
    CameraNumber::Timer1StartMinute,
};
constexpr CameraNumber kCheckedByPlatform[] = {
    CameraNumber::Timer2StopMinute,
    CameraNumber::Timer2StopHour,
    CameraNumber::Timer2StartMinute,
    CameraNumber::Timer2StartHour,
};

// The folder field's limit, as the camera tool's template had it.
constexpr int kCameraFolderMaxChars = 80;

constexpr int kTimer1Fields[] = {kTimer1StartHour, kTimer1StartMinute, kTimer1StopHour, kTimer1StopMinute};
constexpr int kTimer2Fields[] = {kTimer2StartHour, kTimer2StartMinute, kTimer2StopHour, kTimer2StopMinute};
constexpr int kTimeLapseFields[] = {kTimeLapseHour, kTimeLapseMinute, kTimeLapseSecond};
constexpr int kSerialCharacters[] = {kSerialChar1, kSerialChar2, kSerialChar3, kSerialChar4};

} // namespace

CCameraDialog::CCameraDialog(ui::Services& services, const Session& session)
    : CSettingsDialog(CameraDialogTemplate(), services, session,
                      FolderRow{kSelectButton, kFolderField, kCameraFolderMaxChars}),
      m_pcClock(session.pcClock)
{
    // The camera's clock is the PC time when the window opens (the shell read
    // it into the session) or at Sync Time, not at saving.
    m_clockText = FormatClockText(m_pcClock, session.languageIndex);
    RegisterHandlers();
}

int CCameraDialog::number(CameraNumber number) const
{
    return m_fields.*CameraNumberInfo(number).member;
}

void CCameraDialog::RegisterHandlers()
{
    using ui::Notification;
    On(Notification::Clicked, kSyncTimeButton, [this] { OnSyncTime(); });
    On(Notification::Clicked, kDefaultButton, [this] { OnDefault(); });
    On(Notification::SelChange, kTimer1List, [this] { OnGroupSwitch(Group::Timer1); });
    On(Notification::SelChange, kTimer2List, [this] { OnGroupSwitch(Group::Timer2); });
    On(Notification::SelChange, kTimeLapseList, [this] { OnGroupSwitch(Group::TimeLapse); });
    On(Notification::SelChange, kSerialList, [this] { OnGroupSwitch(Group::Serial); });
    // These lists only take the fields over, so their checks run early.
    for (int id : {kModeList, kImageSizeList, kVideoLengthList, kPirIntervalList, kSdCycleList})
        On(Notification::SelChange, id, [this, id] { TakeFieldsOver(id); });
    for (int number = 0; number < kCameraNumberCount; ++number) {
        const auto which = static_cast<CameraNumber>(number);
        On(Notification::EditChange, NumberId(which), [this, which] { OnNumberChange(which); });
    }
}

bool CCameraDialog::OnInitDialog()
{
    CSettingsDialog::OnInitDialog();
    LockAllGroups();
    ApplyTexts();
    FillLists();
    SetAccessibleNames();
    GetDlgItem(kModeList)->SetFocus();
    return false; // the focus is set
}

void CCameraDialog::DoDataExchange(ui::CDataExchange* pDX)
{
    CSettingsDialog::DoDataExchange(pDX);
    for (const FieldBinding<CameraSettings>& row : kFieldControls) {
        if (ListOf(row) != kNoCameraList)
            ui::DDX_Control(pDX, row.id, m_lists[static_cast<std::size_t>(ListOf(row))]);
    }

    for (CameraNumber number : kCheckedByIntRange) {
        const CameraField& row = NumberRow(number);
        int& value = m_fields.*CameraNumberInfo(number).member;
        ui::DDX_Text(pDX, NumberId(number), value);
        DDV_IntRange(pDX, value, row.low, row.high);
    }
    ui::DDX_Text(pDX, kClockField, m_clockText);
    DDX_Folder(pDX);
    for (CameraNumber number : kCheckedByPlatform) {
        const CameraField& row = NumberRow(number);
        int& value = m_fields.*CameraNumberInfo(number).member;
        ui::DDX_Text(pDX, NumberId(number), value);
        ui::DDV_MinMaxInt(pDX, value, row.low, row.high);
    }
}

void CCameraDialog::ApplyTexts()
{
    for (const LabelControl& control : kLabelControls) {
        // A language without its own text leaves the template's in place.
        ApplyText(control.id, CameraLanguageText(session().languageIndex, control.label));
    }
}

void CCameraDialog::FillLists()
{
    for (const FieldBinding<CameraSettings>& row : kFieldControls) {
        const CameraList which = ListOf(row);
        if (which == kNoCameraList)
            continue;
        ui::CComboBox& list = m_lists[static_cast<std::size_t>(which)];
        list.ResetContent();
        for (const QString& entry : CameraListEntries(session().languageIndex, which))
            list.AddString(entry);
    }
    ResetLists();
}

void CCameraDialog::ResetLists()
{
    for (const FieldBinding<CameraSettings>& row : kFieldControls) {
        if (ListOf(row) != kNoCameraList)
            m_lists[static_cast<std::size_t>(ListOf(row))].SetCurSel(CameraFieldOf(row.number).initial);
    }
}

void CCameraDialog::SetAccessibleNames()
{
    // Labels name their controls through their buddies; these controls share
    // labels ("Start:", "Hour") or have none, so they get names of their own.
    const int language = session().languageIndex;
    const auto text = [language](CameraLabel label) { return CameraLabelText(language, label); };
    const auto name = [this](int id, const QString& accessibleName) { NameControl(id, accessibleName); };
    const struct {
        CameraLabel group, part, unit;
        int id;
    } numbers[] = {
        {CameraLabel::Timer1Label, CameraLabel::Timer1StartLabel, CameraLabel::HourUnit, kTimer1StartHour},
        {CameraLabel::Timer1Label, CameraLabel::Timer1StartLabel, CameraLabel::MinuteUnit, kTimer1StartMinute},
        {CameraLabel::Timer1Label, CameraLabel::Timer1StopLabel, CameraLabel::HourUnit, kTimer1StopHour},
        {CameraLabel::Timer1Label, CameraLabel::Timer1StopLabel, CameraLabel::MinuteUnit, kTimer1StopMinute},
        {CameraLabel::Timer2Label, CameraLabel::Timer2StartLabel, CameraLabel::HourUnit, kTimer2StartHour},
        {CameraLabel::Timer2Label, CameraLabel::Timer2StartLabel, CameraLabel::MinuteUnit, kTimer2StartMinute},
        {CameraLabel::Timer2Label, CameraLabel::Timer2StopLabel, CameraLabel::HourUnit, kTimer2StopHour},
        {CameraLabel::Timer2Label, CameraLabel::Timer2StopLabel, CameraLabel::MinuteUnit, kTimer2StopMinute},
    };
    for (const auto& n : numbers)
        name(n.id, text(n.group) + ' ' + text(n.part) + ' ' + text(n.unit));
    name(kTimeLapseHour, text(CameraLabel::TimeLapseLabel) + ' ' + text(CameraLabel::HourUnit));
    name(kTimeLapseMinute, text(CameraLabel::TimeLapseLabel) + ' ' + text(CameraLabel::MinuteUnit));
    name(kTimeLapseSecond, text(CameraLabel::TimeLapseLabel) + ' ' + text(CameraLabel::SecondUnit));
    int position = 1;
    for (int id : kSerialCharacters)
        name(id, text(CameraLabel::SerialLabel) + ' ' + QString::number(position++));
}

void CCameraDialog::SetGroupState(Group group, bool on)
{
    if (group == Group::Serial) {
        for (int id : kSerialCharacters)
            GetDlgItem(id)->EnableWindow(on);
        return;
    }
    const std::span<const int> fields = group == Group::Timer1   ? std::span<const int>(kTimer1Fields)
                                        : group == Group::Timer2 ? std::span<const int>(kTimer2Fields)
                                                                 : std::span<const int>(kTimeLapseFields);
    for (int id : fields)
        Edit(id).SetReadOnly(!on);
}

void CCameraDialog::LockAllGroups()
{
    for (Group group : {Group::Timer1, Group::Timer2, Group::TimeLapse, Group::Serial})
        SetGroupState(group, false);
}

void CCameraDialog::OnGroupSwitch(Group group)
{
    const int listId = group == Group::Timer1   ? kTimer1List
                       : group == Group::Timer2 ? kTimer2List
                       : group == Group::Serial ? kSerialList
                                                : kTimeLapseList;
    const int position = Combo(listId).GetCurSel();
    TakeFieldsOver(listId);
    // Time Lapse lists "On" first: the camera reads its byte as 0 on, 1 off.
    const bool on = group == Group::TimeLapse ? position == 0 : position > 0;
    SetGroupState(group, on);
    PutFieldsIntoControls();
}

void CCameraDialog::OnNumberChange(CameraNumber number)
{
    TakeFieldsOver(NumberId(number));
    const CameraField& row = NumberRow(number);
    ResetOutOfRange(NumberId(number), m_fields.*CameraNumberInfo(number).member, row.low, row.high);
}

void CCameraDialog::OnSyncTime()
{
    m_pcClock = PcClockNow(services().clock);
    m_clockText = FormatClockText(m_pcClock, session().languageIndex);
    PutFieldsIntoControls();
}

void CCameraDialog::OnDefault()
{
    TakeFolderOver();
    UpdateData(true); // a failed check shows its message but does not stop Default
    ResetLists();
    m_fields = CameraChoices{};
    LockAllGroups();
    SettleAllFields(); // every number goes back to 0, typed or not
    PutFieldsIntoControls();

    ShowSaveOutcome(WriteCameraDefaultFile(m_folderText), CameraDefaultSavedMessage(session().languageIndex));
}

void CCameraDialog::Save()
{
    // The window's checks keep every value in range; the save step guards the
    // file against one that slipped through all the same.
    SaveRecord([this] { return PrepareCameraSave(ReadChoices(), m_pcClock, session()); }, &WriteCameraFile,
               CameraSavedMessage(session().languageIndex),
               [this](const CameraSettings& saved, const SaveResult&) { m_settings = saved; });
}

std::span<const FieldBinding<CameraSettings>> CCameraDialog::Bindings()
{
    return kFieldControls;
}

int CCameraDialog::ControlOfField(const QString& field) const
{
    // The number fields and the clock; a list offers only positions the
    // camera takes, so no refusal names one.
    return BoundControl<CameraSettings>(kFieldControls, field);
}

CameraChoices CCameraDialog::ReadChoices()
{
    CameraChoices choices = m_fields;
    for (const FieldBinding<CameraSettings>& row : kFieldControls) {
        if (ListOf(row) != kNoCameraList)
            choices.position(ListOf(row)) = m_lists[static_cast<std::size_t>(ListOf(row))].GetCurSel();
    }
    return choices;
}

} // namespace kestra
