// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace kestra::ui {

// An entry appended to a window's native system menu (Windows only). It stays
// hooked up while the returned object lives.
class SystemMenuItem {
public:
    virtual ~SystemMenuItem() = default;
};

// Appends a separator and a text item with `commandId` (a multiple of 16, as
// the system reserves the low four bits) to the system menu of `window`;
// `chosen` runs when the user picks it. Nothing when the window has no system
// menu or the platform has no such menu.
std::unique_ptr<SystemMenuItem> AddSystemMenuItem(QWidget& window, unsigned commandId, const QString& text,
                                                  std::function<void()> chosen);

} // namespace kestra::ui
