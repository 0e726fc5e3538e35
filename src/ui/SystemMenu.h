// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

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

// A submenu appended to a window's native system menu (Windows only). Its
// entries stay hooked up while the object lives.
class SystemSubmenu {
public:
    virtual ~SystemSubmenu() = default;
    virtual void setTitle(const QString& title) = 0;
    // Marks the entry `commandId` as the current choice; 0 marks none.
    virtual void setChecked(unsigned commandId) = 0;
};

struct SystemMenuEntry {
    unsigned commandId; // a multiple of 16, as for AddSystemMenuItem
    QString text;
};

// Appends a submenu `title` with `entries` to the system menu of `window`;
// `chosen` runs with the command id of the entry the user picks. Nothing when
// the window has no system menu or the platform has no such menu.
std::unique_ptr<SystemSubmenu> AddSystemSubmenu(QWidget& window, const QString& title,
                                                const std::vector<SystemMenuEntry>& entries,
                                                std::function<void(unsigned)> chosen);

} // namespace kestra::ui
