// SPDX-License-Identifier: Apache-2.0
#include "app/AboutDialog.h"

#include "app/ShellTexts.h"

#include <QDialog>

namespace kestra {

namespace {

// clang-format off
const ui::DialogTemplate& AboutTemplate()
{
    using ui::ControlKind;
    static const ui::DialogTemplate dialogTemplate{
        .resourceId = 100,
        .cx = 235,
        .cy = 55,
        .caption = kAboutCaption,
        .font = ui::DialogFont::SimSun9,
        .controls = {
            {.id = ui::IDC_STATIC, .kind = ControlKind::Icon, .x = 11, .y = 11},
            {.id = CAboutDialog::kNoticeId, .kind = ControlKind::Static,
             .x = 40, .y = 13, .cx = 119, .cy = 17, .text = kAboutNotice},
            {.id = CAboutDialog::kWebAddressId, .kind = ControlKind::Static,
             .x = 39, .y = 37, .cx = 144, .cy = 8, .text = kAboutWebAddress},
            {.id = ui::IDOK, .kind = ControlKind::DefPushButton,
             .x = 178, .y = 7, .cx = 50, .cy = 14, .text = "OK"},
        },
    };
    return dialogTemplate;
}
// clang-format on

} // namespace

CAboutDialog::CAboutDialog(ui::Services& services) : ui::CDialog(AboutTemplate(), services) {}

bool CAboutDialog::OnInitDialog()
{
    const bool result = ui::CDialog::OnInitDialog();
    // Opened from the always-on-top main window: it must not open behind it.
    widget()->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    return result;
}

} // namespace kestra
