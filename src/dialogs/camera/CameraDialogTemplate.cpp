// SPDX-License-Identifier: Apache-2.0
#include "common/Languages.h"
#include "dialogs/camera/CameraDialog.h"

#include "dialogs/camera/CameraDialogIds.h"
#include "formats/camera/CameraTexts.h"

namespace kestra {
namespace {

using namespace camera_ids;
using ui::ControlKind;
using ui::ControlTemplate;
using ui::IDC_STATIC;

const char* Text(CameraLabel label)
{
    return CameraTemplateText(label);
}

ControlTemplate Frame(int id, int x, int y, int cx, int cy, const char* text = "")
{
    return {id, ControlKind::GroupBox, x, y, cx, cy, text};
}

ControlTemplate Label(int id, int x, int y, int cx, const char* text, int buddy = ui::kNoBuddy)
{
    return {id, ControlKind::Static, x, y, cx, 9, text, ui::StyleNone, 0, buddy};
}

// The template height of a drop-down list is that of its open list: room for
// a short list's every entry and a screenful of a long one.
ControlTemplate List(int id, int x, int y, int cx, unsigned style = ui::StyleNone)
{
    return {id, ControlKind::DropDownList, x, y, cx, 100, "", style};
}

// Digits only, centred: every number field of the window holds 0 to 59.
ControlTemplate Number(int id, int x, int y)
{
    return {id, ControlKind::Edit, x, y, 22, 12, "", ui::EsNumber | ui::EsCenter};
}

ControlTemplate Button(int id, int x, int y, int cx, const char* text, ControlKind kind = ControlKind::PushButton)
{
    return {id, kind, x, y, cx, 13, text};
}

// Left column: one framed row per list, in the order the camera's own menu
// shows them.
void AddLeftColumn(std::vector<ControlTemplate>& c)
{
    struct Row {
        int label;
        CameraLabel text;
        int list;
        unsigned style;
    };
    const Row rows[] = {
        {kModeLabel, CameraLabel::ModeLabel, kModeList, ui::StyleNone},
        {kVideoSizeLabel, CameraLabel::VideoSizeLabel, kVideoSizeList, ui::StyleNone},
        {kTimeStampLabel, CameraLabel::TimeStampLabel, kTimeStampList, ui::StyleNone},
        {kBeepSoundLabel, CameraLabel::BeepSoundLabel, kBeepSoundList, ui::StyleNone},
        {kPirIntervalLabel, CameraLabel::PirIntervalLabel, kPirIntervalList, ui::WsVScroll},
        {kImageSizeLabel, CameraLabel::ImageSizeLabel, kImageSizeList, ui::StyleNone},
        {kPictureNoLabel, CameraLabel::PictureNoLabel, kPictureNoList, ui::StyleNone},
        {kSenseLevelLabel, CameraLabel::SenseLevelLabel, kSenseLevelList, ui::StyleNone},
        {kVideoLengthLabel, CameraLabel::VideoLengthLabel, kVideoLengthList, ui::WsVScroll},
        {kSdCycleLabel, CameraLabel::SdCycleLabel, kSdCycleList, ui::StyleNone},
        {kIrLightLabel, CameraLabel::IrLightLabel, kIrLightList, ui::StyleNone},
        {kMmsStatusLabel, CameraLabel::MmsStatusLabel, kMmsStatusList, ui::StyleNone},
    };
    int y = 5;
    for (const Row& row : rows) {
        c.push_back(Frame(IDC_STATIC, 7, y, 176, 18));
        c.push_back(Label(row.label, 13, y + 5, 74, Text(row.text), row.list));
        c.push_back(List(row.list, 90, y + 3, 88, row.style));
        y += 20;
    }
}

void AddClockGroup(std::vector<ControlTemplate>& c)
{
    c.push_back(Frame(kClockGroup, 190, 5, 177, 44, Text(CameraLabel::ClockGroup)));
    c.push_back(Label(kClockLabel, 196, 19, 46, Text(CameraLabel::ClockLabel), kClockField));
    c.push_back({kClockField, ControlKind::Edit, 244, 17, 117, 12, "", ui::EsReadOnly | ui::EsAutoHScroll});
    c.push_back(Button(kSyncTimeButton, 281, 32, 80, Text(CameraLabel::SyncTimeButton)));
}

struct TimerIds {
    int group, label, list;
    int startLabel, startHour, startHourUnit, startMinute, startMinuteUnit;
    int stopLabel, stopHour, stopHourUnit, stopMinute, stopMinuteUnit;
    CameraLabel listText, startText, stopText;
};

// A work-hour group: the switch, then start and stop as hour and minute.
void AddTimerGroup(std::vector<ControlTemplate>& c, const TimerIds& t, int top)
{
    c.push_back(Frame(t.group, 190, top, 177, 54, Text(CameraLabel::WorkHourGroup)));
    c.push_back(Label(t.label, 196, top + 13, 64, Text(t.listText), t.list));
    c.push_back(List(t.list, 262, top + 11, 50));
    const struct {
        int y;
        int label, hour, hourUnit, minute, minuteUnit;
        CameraLabel text;
    } rows[] = {
        {top + 28, t.startLabel, t.startHour, t.startHourUnit, t.startMinute, t.startMinuteUnit, t.startText},
        {top + 42, t.stopLabel, t.stopHour, t.stopHourUnit, t.stopMinute, t.stopMinuteUnit, t.stopText},
    };
    for (const auto& row : rows) {
        c.push_back(Label(row.label, 196, row.y + 2, 40, Text(row.text), row.hour));
        c.push_back(Number(row.hour, 238, row.y));
        c.push_back(Label(row.hourUnit, 262, row.y + 2, 22, Text(CameraLabel::HourUnit)));
        c.push_back(Number(row.minute, 286, row.y));
        c.push_back(Label(row.minuteUnit, 310, row.y + 2, 22, Text(CameraLabel::MinuteUnit), row.minute));
    }
}

void AddSerialFrame(std::vector<ControlTemplate>& c)
{
    c.push_back(Frame(IDC_STATIC, 190, 166, 177, 36));
    c.push_back(Label(kSerialLabel, 196, 174, 64, Text(CameraLabel::SerialLabel), kSerialList));
    c.push_back(List(kSerialList, 262, 172, 50));
    int x = 196;
    for (int id : {kSerialChar1, kSerialChar2, kSerialChar3, kSerialChar4}) {
        c.push_back(List(id, x, 186, 28, ui::WsVScroll | ui::WsDisabled));
        x += 32;
    }
}

void AddTimeLapseFrame(std::vector<ControlTemplate>& c)
{
    c.push_back(Frame(IDC_STATIC, 190, 205, 177, 36));
    c.push_back(Label(kTimeLapseLabel, 196, 213, 64, Text(CameraLabel::TimeLapseLabel), kTimeLapseList));
    c.push_back(List(kTimeLapseList, 262, 211, 50));
    c.push_back(Number(kTimeLapseHour, 196, 225));
    c.push_back(Label(kTimeLapseHourUnit, 220, 227, 22, Text(CameraLabel::HourUnit), kTimeLapseHour));
    c.push_back(Number(kTimeLapseMinute, 244, 225));
    c.push_back(Label(kTimeLapseMinuteUnit, 268, 227, 20, Text(CameraLabel::MinuteUnit), kTimeLapseMinute));
    c.push_back(Number(kTimeLapseSecond, 290, 225));
    c.push_back(Label(kTimeLapseSecondUnit, 314, 227, 20, Text(CameraLabel::SecondUnit), kTimeLapseSecond));
}

// clang-format off
ui::DialogTemplate BuildTemplate()
{
    ui::DialogTemplate t;
    t.resourceId = kTemplateId;
    t.cx = 374;
    t.cy = 276;
    t.caption = g_modelCaption;
    t.font = ui::DialogFont::SimSun9;

    auto& c = t.controls; // in tab order
    AddLeftColumn(c);
    AddClockGroup(c);
    AddTimerGroup(c,
                  {kTimer1Group, kTimer1Label, kTimer1List, kTimer1StartLabel, kTimer1StartHour,
                   kTimer1StartHourUnit, kTimer1StartMinute, kTimer1StartMinuteUnit, kTimer1StopLabel,
                   kTimer1StopHour, kTimer1StopHourUnit, kTimer1StopMinute, kTimer1StopMinuteUnit,
                   CameraLabel::Timer1Label, CameraLabel::Timer1StartLabel, CameraLabel::Timer1StopLabel},
                  52);
    AddTimerGroup(c,
                  {kTimer2Group, kTimer2Label, kTimer2List, kTimer2StartLabel, kTimer2StartHour,
                   kTimer2StartHourUnit, kTimer2StartMinute, kTimer2StartMinuteUnit, kTimer2StopLabel,
                   kTimer2StopHour, kTimer2StopHourUnit, kTimer2StopMinute, kTimer2StopMinuteUnit,
                   CameraLabel::Timer2Label, CameraLabel::Timer2StartLabel, CameraLabel::Timer2StopLabel},
                  109);
    AddSerialFrame(c);
    AddTimeLapseFrame(c);
    c.push_back(Button(kSelectButton, 7, 245, 60, Text(CameraLabel::SelectButton)));
    c.push_back({kFolderField, ControlKind::Edit, 72, 245, 295, 13, "", ui::EsAutoHScroll});
    c.push_back(Button(kSaveButton, 97, 261, 56, Text(CameraLabel::SaveButton), ControlKind::DefPushButton));
    c.push_back(Button(kDefaultButton, 159, 261, 56, Text(CameraLabel::DefaultButton)));
    c.push_back(Button(kExitButton, 221, 261, 56, Text(CameraLabel::ExitButton)));
    return t;
}
// clang-format on

} // namespace

const ui::DialogTemplate& CameraDialogTemplate()
{
    return ui::BuiltOnce<BuildTemplate>();
}

} // namespace kestra
