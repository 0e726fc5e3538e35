// SPDX-License-Identifier: Apache-2.0
#include "common/Languages.h"
#include "dialogs/mms/MmsDialog.h"

#include "dialogs/mms/MmsDialogIds.h"
#include "formats/mms/MmsSettings.h"

namespace kestra {
namespace {

using namespace mms_ids;
using ui::ControlKind;
using ui::ControlTemplate;
using ui::IDC_STATIC;

ControlTemplate Frame(int id, int x, int y, int cx, int cy, const char* text = "")
{
    return {id, ControlKind::GroupBox, x, y, cx, cy, text};
}

ControlTemplate Label(int id, int x, int y, int cx, int cy, const char* text, int buddy = ui::kBuddyFromOrder)
{
    return {id, ControlKind::Static, x, y, cx, cy, text, ui::StyleNone, 0, buddy};
}

// The template height of a drop-down list is that of its open list.
ControlTemplate List(int id, int x, int y, int cx, int cy)
{
    return {id, ControlKind::DropDownList, x, y, cx, cy, ""};
}

ControlTemplate Field(int id, int x, int y, int cx, qsizetype limit = 0, unsigned style = ui::StyleNone)
{
    return {id, ControlKind::Edit, x, y, cx, 14, "", style | ui::EsAutoHScroll, static_cast<int>(limit)};
}

ControlTemplate Button(int id, int x, int y, const char* text, ControlKind kind = ControlKind::PushButton)
{
    return {id, kind, x, y, id == kSaveButton || id == kExitButton ? 50 : 61, 14, text};
}

// clang-format off
ui::DialogTemplate BuildTemplate()
{
    ui::DialogTemplate t;
    t.resourceId = kTemplateId;
    t.cx = 351;
    t.cy = 256;
    t.caption = g_modelCaption;
    t.font = ui::DialogFont::SimSun9;

    auto& c = t.controls; // in tab order
    c.push_back(Frame(kSettingsGroup, 1, 4, 345, 181, "MMS Setting"));
    c.push_back(Label(kModeLabel, 12, 18, 53, 8, "MMS Setting"));
    c.push_back(List(kModeList, 67, 15, 60, 60));
    c.push_back(Frame(IDC_STATIC, 7, 27, 128, 37));
    c.push_back(Label(kCountryLabel, 10, 35, 47, 8, "Select Country"));
    c.push_back(List(kCountryList, 67, 33, 60, 102));
    c.push_back(Label(kOperatorLabel, 10, 48, 51, 8, "Select Operator"));
    c.push_back(List(kOperatorList, 67, 48, 60, 128));
    c.push_back(Frame(IDC_STATIC, 6, 64, 129, 36));
    c.push_back(Label(kPicturesLabel, 10, 73, 75, 8, "Max Image No./ day"));
    // Not digits-only: the field takes what is typed and the range check answers.
    c.push_back({kPicturesField, ControlKind::Edit, 96, 71, 23, 14, "", ui::EsCenter | ui::EsAutoHScroll});
    c.push_back(Label(kPicturesNote, 10, 89, 112, 8, "Note: 0 = Unlimited Image no.", ui::kNoBuddy));
    c.push_back(Frame(IDC_STATIC, 6, 100, 129, 25));
    c.push_back(Label(kSmsControlLabel, 11, 112, 82, 8, "SMS Control"));
    c.push_back(List(kSmsControlList, 98, 109, 33, 97));

    c.push_back(Frame(kParametersGroup, 140, 12, 202, 108, "MMS Parameters"));
    c.push_back(Label(kUrlLabel, 146, 25, 47, 8, "MMS URL"));
    c.push_back(Field(kUrlField, 208, 23, 130, RowOf(kMmsTextFields, &MmsSettings::url).limit));
    c.push_back(Label(IDC_STATIC, 146, 42, 53, 9, "APN"));
    c.push_back(Field(kApnField, 208, 39, 130, RowOf(kMmsTextFields, &MmsSettings::apn).limit));
    c.push_back(Label(kGatewayLabel, 146, 57, 59, 8, "MMS IP"));
    c.push_back(Field(kGatewayField, 208, 55, 130, RowOf(kMmsTextFields, &MmsSettings::gateway).limit));
    c.push_back(Label(kPortLabel, 146, 73, 59, 8, "Port"));
    c.push_back(Field(kPortField, 208, 71, 130, RowOf(kMmsTextFields, &MmsSettings::port).limit));
    c.push_back(Label(kAccountLabel, 146, 89, 47, 8, "MMS Account"));
    c.push_back(Field(kAccountField, 208, 87, 130, RowOf(kMmsTextFields, &MmsSettings::account).limit));
    c.push_back(Label(kPasswordLabel, 146, 105, 52, 8, "MMS Password"));
    c.push_back(Field(kPasswordField, 208, 103, 130, RowOf(kMmsTextFields, &MmsSettings::password).limit));

    c.push_back(Frame(kUserGroup, 140, 122, 201, 58, "User Information"));
    c.push_back(Label(kPhoneLabel, 141, 133, 65, 8, "Phone Number"));
    // No typing limit: every copy from the field checks the phone's length
    // and says what the limit is.
    c.push_back(Field(kPhoneField, 207, 130, 130));
    c.push_back(Label(kEmailLabel, 141, 148, 63, 8, "Recieve Email"));
    c.push_back(Field(kEmailField, 207, 145, 130, RowOf(kMmsTextFields, &MmsSettings::email).limit));
    c.push_back(Label(kPhone2Label, 141, 164, 65, 8, "Phone or Email"));
    c.push_back(Field(kPhone2Field, 207, 161, 130, RowOf(kMmsTextFields, &MmsSettings::phone2).limit));

    c.push_back(Frame(IDC_STATIC, 1, 187, 217, 27));
    c.push_back(Button(kLoadButton, 4, 194, "Load configure"));
    c.push_back({kLoadPathField, ControlKind::Edit, 69, 194, 135, 14, "", ui::EsAutoHScroll});
    c.push_back(Button(kSelectButton, 4, 216, "Select"));
    c.push_back({kFolderField, ControlKind::Edit, 68, 217, 136, 14, "", ui::EsAutoHScroll});
    c.push_back(Button(kSaveButton, 88, 238, "Save", ControlKind::DefPushButton));
    c.push_back(Button(kExitButton, 185, 238, "Exit"));
    return t;
}
// clang-format on

} // namespace

const ui::DialogTemplate& MmsDialogTemplate()
{
    return ui::BuiltOnce<BuildTemplate>();
}

} // namespace kestra
