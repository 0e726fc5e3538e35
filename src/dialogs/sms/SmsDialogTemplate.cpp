// SPDX-License-Identifier: Apache-2.0
#include "common/Languages.h"
#include "dialogs/sms/SmsDialog.h"

#include "dialogs/sms/SmsDialogIds.h"
#include "formats/sms/SmsSettings.h"

namespace kestra {
namespace {

using namespace sms_ids;
using ui::ControlKind;
using ui::ControlTemplate;
using ui::IDC_STATIC;

ControlTemplate Frame(int x, int y, int cx, int cy)
{
    return {IDC_STATIC, ControlKind::GroupBox, x, y, cx, cy, ""};
}

ControlTemplate Label(int id, int x, int y, int cx, const char* text, int buddy = ui::kBuddyFromOrder)
{
    return {id, ControlKind::Static, x, y, cx, 8, text, ui::StyleNone, 0, buddy};
}

ControlTemplate Phone(int id, QByteArray SmsSettings::*member, int y, unsigned style = ui::StyleNone)
{
    const int limit = static_cast<int>(RowOf(kSmsTextFields, member).limit);
    return {id, ControlKind::Edit, 82, y, 116, 12, "", ui::EsAutoHScroll | style, limit};
}

// clang-format off
ui::DialogTemplate BuildTemplate()
{
    ui::DialogTemplate t;
    t.resourceId = kTemplateId;
    t.cx = 217;
    t.cy = 140;
    t.caption = g_modelCaption;
    t.font = ui::DialogFont::System9;

    t.controls = { // in tab order
        Frame(4, 1, 206, 21),
        Label(kPicturesLabel, 8, 9, 66, "Max Image No."),
        {kPicturesField, ControlKind::Edit, 82, 7, 18, 12, "", ui::EsCenter | ui::EsAutoHScroll},
        Label(kPicturesNote, 103, 9, 103, "note", ui::kNoBuddy),
        Frame(4, 23, 206, 52),
        Label(kPhone1Label, 8, 32, 63, "Phone No 01"),
        Phone(kPhone1Field, &SmsSettings::phone1, 30),
        Label(kPhone2Label, 7, 48, 65, "Phone No 02"),
        Phone(kPhone2Field, &SmsSettings::phone2, 45, ui::EsReadOnly),
        Label(kPhone3Label, 8, 61, 68, "Phone No 03"),
        Phone(kPhone3Field, &SmsSettings::phone3, 60, ui::EsReadOnly),
        Frame(4, 76, 207, 21),
        Label(kSmsControlLabel, 8, 84, 79, "SMS Remote Control"),
        // A plain list: a typed text that names no entry would leave no
        // position to store.
        {kSmsControlList, ControlKind::DropDownList, 95, 83, 30, 68, "", ui::WsVScroll},
        {kSelectButton, ControlKind::PushButton, 11, 104, 44, 12, "Select"},
        {kFolderField, ControlKind::Edit, 66, 104, 132, 12, "", ui::EsAutoHScroll},
        {kSaveButton, ControlKind::DefPushButton, 36, 122, 50, 14, "OK"},
        {kExitButton, ControlKind::PushButton, 118, 123, 50, 14, "Cancel"},
    };
    return t;
}
// clang-format on

} // namespace

const ui::DialogTemplate& SmsDialogTemplate()
{
    return ui::BuiltOnce<BuildTemplate>();
}

} // namespace kestra
