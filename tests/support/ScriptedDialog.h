// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ui/DataExchange.h"
#include "ui/Dialog.h"

#include <functional>

namespace kestra::test {

// A dialog whose virtual operations are set from the test, for exercising the
// dialog layer without a real window class. Unset operations do what the base
// class does.
class ScriptedDialog : public ui::CDialog {
public:
    using CDialog::CDialog;

    std::function<void(ui::CDataExchange*)> exchange;
    std::function<bool()> initDialog;
    std::function<void()> ok;
    std::function<void()> cancel;

    int okCalls = 0;
    int cancelCalls = 0;

    bool baseOnInitDialog() { return CDialog::OnInitDialog(); }
    void baseOnOK() { CDialog::OnOK(); }
    void baseOnCancel() { CDialog::OnCancel(); }

protected:
    void DoDataExchange(ui::CDataExchange* pDX) override
    {
        if (exchange)
            exchange(pDX);
    }
    bool OnInitDialog() override { return initDialog ? initDialog() : CDialog::OnInitDialog(); }
    void OnOK() override
    {
        ++okCalls;
        ok ? ok() : CDialog::OnOK();
    }
    void OnCancel() override
    {
        ++cancelCalls;
        cancel ? cancel() : CDialog::OnCancel();
    }
};

} // namespace kestra::test
