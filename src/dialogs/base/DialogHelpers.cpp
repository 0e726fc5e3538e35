// SPDX-License-Identifier: Apache-2.0
#include "dialogs/base/DialogHelpers.h"

#include "common/Languages.h"
#include "common/TextTable.h"
#include "ui/DataExchange.h"
#include "ui/Dialog.h"
#include "ui/Services.h"

namespace kestra {

namespace {
const TextTable kRangeMessageText{
    .english = "Please enter an integer between %d and %d!",
    .chinese = "请输入一个介于%d和%d之间的值!",
};
} // namespace

QString RangeMessage(bool chinese, int minValue, int maxValue)
{
    return FormatText(kRangeMessageText.pick(chinese ? kLanguageChinese : kLanguageEnglish), {minValue, maxValue});
}

void DDV_IntRange(ui::CDataExchange* pDX, int value, int minValue, int maxValue)
{
    if (!pDX->m_bSaveAndValidate)
        return;
    if (minValue <= value && value <= maxValue)
        return;
    if (!pDX->ReportFault())
        return; // a field the user is not changing: Save checks it
    // The tool's own message box, not the platform's: caption "Kestra", the
    // message in the window's language (Chinese or English).
    pDX->m_pDlgWnd->services().messages.showMessage(
        QString::fromUtf8(g_appCaption), RangeMessage(pDX->m_pDlgWnd->ChineseMessages(), minValue, maxValue));
    pDX->Fail();
}

} // namespace kestra
