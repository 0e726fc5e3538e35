// SPDX-License-Identifier: Apache-2.0
#include "app/PlaceholderDialog.h"

#include "app/AppState.h"
#include "app/ShellTexts.h"

namespace kestra {

namespace {

// clang-format off
const ui::DialogTemplate& PlaceholderTemplate()
{
    using ui::ControlKind;
    static const ui::DialogTemplate dialogTemplate{
        .resourceId = 0,
        .cx = 180,
        .cy = 62,
        .caption = g_modelCaption,
        .font = ui::DialogFont::SimSun9,
        .controls = {
            {.id = CPlaceholderDialog::kNoticeId, .kind = ControlKind::Static,
             .x = 8, .y = 14, .cx = 164, .cy = 10, .text = "", .style = ui::SsCenter},
            {.id = ui::IDCANCEL, .kind = ControlKind::DefPushButton,
             .x = 65, .y = 38, .cx = 50, .cy = 14, .text = "Exit"},
        },
    };
    return dialogTemplate;
}
// clang-format on

} // namespace

CPlaceholderDialog::CPlaceholderDialog(ui::Services& services) : ui::CDialog(PlaceholderTemplate(), services) {}

bool CPlaceholderDialog::OnInitDialog()
{
    const bool result = ui::CDialog::OnInitDialog();
    SetWindowText(QString::fromUtf8(g_modelCaption));
    GetDlgItem(kNoticeId)->SetWindowText(kPlaceholderNoticeText.text(g_languageIndex));
    GetDlgItem(ui::IDCANCEL)->SetWindowText(kPlaceholderExitText.text(g_languageIndex));
    return result;
}

void CPlaceholderDialog::OnOK()
{
    OnCancel();
}

} // namespace kestra
