// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kestra {

// The tool's windows. Each window, when it ends, says which one comes next;
// CSetupApp runs them one after the other, so returning to the main window
// never nests a modal run inside another.
enum class AppWindow {
    None, // the tool ends
    Main,
    Camera,
    Mms,
    Smtp,
    Sms,
};

} // namespace kestra
