// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ui/Dialog.h"

namespace kestra {

// Stands in for a settings window that is not built yet: the settings windows'
// title, a line saying so and an Exit button back to the main window.
class CPlaceholderDialog : public ui::CDialog {
public:
    static constexpr int kNoticeId = 1100;

    explicit CPlaceholderDialog(ui::Services& services);

protected:
    bool OnInitDialog() override;
    // Enter leads back to the main window too: a placeholder never ends the tool.
    void OnOK() override;
};

} // namespace kestra
