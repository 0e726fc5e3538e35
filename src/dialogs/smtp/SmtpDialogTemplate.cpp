// SPDX-License-Identifier: Apache-2.0
#include "common/Languages.h"
#include "dialogs/smtp/SmtpDialog.h"

#include "dialogs/smtp/SmtpDialogIds.h"
#include "formats/gprs/GprsSettings.h"

namespace kestra {
namespace {

using namespace smtp_ids;
using ui::ControlKind;
using ui::ControlTemplate;
using ui::IDC_STATIC;

ControlTemplate Frame(int id, int x, int y, int cx, int cy, const char* text = "")
{
    return {id, ControlKind::GroupBox, x, y, cx, cy, text};
}

ControlTemplate Label(int id, int x, int y, int cx, const char* text, int buddy = ui::kBuddyFromOrder)
{
    return {id, ControlKind::Static, x, y, cx, 8, text, ui::StyleNone, 0, buddy};
}

// The template height of a drop-down list is that of its open list.
ControlTemplate List(int id, int x, int y, int cx, int cy)
{
    return {id, ControlKind::DropDownList, x, y, cx, cy, "", ui::WsVScroll};
}

ControlTemplate Field(int id, int x, int y, int cx, qsizetype limit, unsigned style = ui::StyleNone)
{
    return {id, ControlKind::Edit, x, y, cx, 14, "", ui::EsAutoHScroll | style, static_cast<int>(limit)};
}

ControlTemplate Button(int id, int x, int y, int cx, const char* text)
{
    return {id, ControlKind::PushButton, x, y, cx, 14, text};
}

// clang-format off
ui::DialogTemplate BuildTemplate()
{
    ui::DialogTemplate t;
    t.resourceId = kTemplateId;
    t.cx = 370;
    t.cy = 242;
    t.caption = g_modelCaption;
    t.font = ui::DialogFont::SimSun9;

    t.controls = { // in tab order
        Frame(kModeGroup, 4, 0, 141, 23),
        Label(kModeLabel, 8, 9, 51, "MMS Mode"),
        List(kModeList, 65, 7, 65, 30),
        Frame(kPresetGroup, 4, 25, 141, 36),
        Label(kCountryLabel, 8, 33, 56, "Country"),
        List(kCountryList, 66, 31, 65, 112),
        Label(kOperatorLabel, 8, 47, 57, "Operator"),
        List(kOperatorList, 66, 46, 66, 79),
        Frame(kPicturesGroup, 151, 26, 206, 35),
        Label(kPicturesLabel, 157, 33, 67, "Max Image No."),
        {kPicturesField, ControlKind::Edit, 227, 31, 20, 14, "", ui::EsNumber | ui::EsCenter},
        Label(kPicturesNote, 158, 48, 107, "Note:-0- No limit", ui::kNoBuddy),
        Frame(kGprsGroup, 4, 63, 142, 58, "GPRS Setting"),
        Label(kApnLabel, 8, 77, 48, "APN"),
        Field(kApnField, 65, 73, 76, RowOf(kGprsTextFields, &GprsSettings::apn).limit),
        Label(kAccountLabel, 8, 92, 48, "Account"),
        Field(kAccountField, 65, 89, 76, RowOf(kGprsTextFields, &GprsSettings::gprsAccount).limit),
        Label(kGprsPasswordLabel, 8, 108, 57, "Password"),
        Field(kGprsPasswordField, 65, 105, 76, RowOf(kGprsTextFields, &GprsSettings::gprsPassword).limit),
        Frame(kSenderGroup, 151, 63, 207, 75, "Sender Info"),
        Label(kServerLabel, 154, 74, 64, "Send Server"),
        Field(kServerField, 220, 71, 134, RowOf(kGprsTextFields, &GprsSettings::smtpServer).limit),
        Label(kPortLabel, 156, 92, 51, "Port"),
        Field(kPortField, 220, 88, 134, RowOf(kGprsTextFields, &GprsSettings::smtpPort).limit),
        Label(kSenderLabel, 155, 107, 54, "Sender Email"),
        Field(kSenderField, 220, 104, 135, RowOf(kGprsTextFields, &GprsSettings::senderEmail).limit),
        Label(kSenderPasswordLabel, 156, 123, 64, "Password"),
        Field(kSenderPasswordField, 220, 120, 135, RowOf(kGprsTextFields, &GprsSettings::senderPassword).limit, ui::EsPassword),
        Frame(kSmsControlGroup, 4, 124, 142, 40, "SMS Control"),
        Label(kSmsControlLabel, 9, 135, 73, "Static"),
        List(kSmsControlList, 87, 132, 38, 105),
        Label(kPhoneLabel, 9, 151, 51, "Phone No."),
        Field(kPhoneField, 66, 148, 76, RowOf(kGprsTextFields, &GprsSettings::phoneNumber).limit),
        Frame(kRecipientGroup, 151, 139, 207, 24, "Recipients"),
        Label(kRecipientLabel, 154, 150, 56, "Email 01"),
        Field(kRecipientField, 220, 146, 136, RowOf(kGprsTextFields, &GprsSettings::recipientEmail).limit),
        Frame(IDC_STATIC, 5, 167, 206, 26),
        Button(kLoadButton, 10, 175, 66, "Load Configure"),
        Field(kLoadedPathField, 88, 174, 120, 0),
        Button(kSelectButton, 9, 203, 67, "Select"),
        Field(kFolderField, 87, 203, 120, 0),
        Button(kSaveButton, 58, 221, 50, "OK"),
        Button(kExitButton, 179, 221, 50, "Exit"),
    };
    return t;
}
// clang-format on

} // namespace

const ui::DialogTemplate& SmtpDialogTemplate()
{
    return ui::BuiltOnce<BuildTemplate>();
}

} // namespace kestra
