#include "app/DialogHelpers.h"

#include "app/AppState.h"
#include "app/ShellTexts.h"
#include "ui/Dialog.h" // before DataExchange.h, which uses QWidget
#include "ui/DataExchange.h"
#include "ui/Services.h"

namespace kestra {

void DDV_IntRange(ui::CDataExchange* pDX, int value, int minValue, int maxValue)
{
    if (!pDX->m_bSaveAndValidate)
        return;
    if (minValue <= value && value <= maxValue)
        return;
    // The tool's own message box, not the platform's: caption "Kestra", the
    // message in the interface language (Chinese or English).
    pDX->m_pDlgWnd->services().messages.showMessage(QString::fromUtf8(g_appCaption),
                                                    RangeMessage(minValue, maxValue));
    pDX->Fail();
}

} // namespace kestra
