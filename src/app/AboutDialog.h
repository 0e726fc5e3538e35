// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ui/Dialog.h"

namespace kestra {

// The About box (dialog 100): the tool's icon, the maker's notice and web
// address, and OK.
class CAboutDialog : public ui::CDialog {
public:
    static constexpr int kNoticeId = 1046;
    static constexpr int kWebAddressId = 1047;

    explicit CAboutDialog(ui::Services& services);

protected:
    bool OnInitDialog() override;
};

} // namespace kestra
