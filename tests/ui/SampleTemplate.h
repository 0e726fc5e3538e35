// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ui/DialogTemplate.h"

namespace kestra::test {

// A small settings window in the shape of the tool's own: labelled number
// fields, a list, a text field, a folder field and Save / Default / Exit.
inline ui::DialogTemplate SampleTemplate()
{
    using namespace ui;
    return {900,
            200,
            150,
            "Sample",
            DialogFont::SimSun9,
            {
                {1077, ControlKind::Static, 10, 4, 100, 8, "Static", SsCenter},
                {IDC_STATIC, ControlKind::GroupBox, 4, 14, 190, 80, "Work Hour"},
                {IDC_STATIC, ControlKind::Static, 10, 24, 40, 8, "&Hour"},
                {1017, ControlKind::Edit, 60, 22, 30, 12, "", EsNumber | EsCenter},
                {IDC_STATIC, ControlKind::Static, 10, 40, 40, 8, "Minute"},
                {1022, ControlKind::Edit, 60, 38, 30, 12, "", EsNumber | EsCenter},
                {IDC_STATIC, ControlKind::Static, 95, 40, 10, 8, "min", StyleNone, 0, kNoBuddy},
                {1019, ControlKind::Static, 10, 56, 40, 8, "Mode"},
                {1013, ControlKind::DropDownList, 60, 54, 60, 60, "", WsVScroll},
                {IDC_STATIC, ControlKind::Static, 10, 72, 45, 8, "Phone No 01:"},
                {1100, ControlKind::Edit, 60, 70, 100, 12, "", EsAutoHScroll},
                {IDC_STATIC, ControlKind::Static, 10, 100, 40, 8, "Folder", StyleNone, 0, 1064},
                {1057, ControlKind::PushButton, 60, 98, 40, 14, "&Select"},
                {1064, ControlKind::Edit, 105, 98, 90, 12, "", EsAutoHScroll},
                {IDOK, ControlKind::DefPushButton, 10, 126, 50, 14, "Save"},
                {1062, ControlKind::PushButton, 75, 126, 50, 14, "Default"},
                {IDCANCEL, ControlKind::PushButton, 140, 126, 50, 14, "Exit"},
            }};
}

} // namespace kestra::test
