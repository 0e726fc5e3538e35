// SPDX-License-Identifier: Apache-2.0
// The one file of the dialog layer that sees <windows.h>: its macros
// (SetWindowText, GetWindowText, ...) would rename the layer's own methods in
// any file that also uses them.
#include "ui/SystemMenu.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <algorithm>
#include <string>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace kestra::ui {

#ifdef Q_OS_WIN

namespace {

// WM_SYSCOMMAND is sent to the window procedure, which hands every message to
// the application's native event filters first.
class SystemCommandFilter final : public QAbstractNativeEventFilter {
public:
    SystemCommandFilter(HWND window, std::vector<unsigned> commandIds, std::function<void(unsigned)> chosen)
        : m_window(window), m_commandIds(std::move(commandIds)), m_chosen(std::move(chosen))
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~SystemCommandFilter() override
    {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(this);
    }
    SystemCommandFilter(const SystemCommandFilter&) = delete;
    SystemCommandFilter& operator=(const SystemCommandFilter&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override
    {
        if (eventType != "windows_generic_MSG")
            return false;
        const MSG* msg = static_cast<const MSG*>(message);
        const auto command = static_cast<unsigned>(msg->wParam & 0xFFF0);
        if (msg->hwnd != m_window || msg->message != WM_SYSCOMMAND
            || std::find(m_commandIds.begin(), m_commandIds.end(), command) == m_commandIds.end())
            return false;
        m_chosen(command);
        // The menu posts the command, and the event loop that takes it off the
        // queue passes no result to write (only a window procedure has one).
        if (result)
            *result = 0;
        return true;
    }

private:
    HWND m_window;
    std::vector<unsigned> m_commandIds;
    std::function<void(unsigned)> m_chosen;
};

class NativeSystemMenuItem final : public SystemMenuItem {
public:
    NativeSystemMenuItem(HWND window, unsigned commandId, std::function<void()> chosen)
        : m_filter(window, {commandId}, [run = std::move(chosen)](unsigned) { run(); })
    {
    }

private:
    SystemCommandFilter m_filter;
};

class NativeSystemSubmenu final : public SystemSubmenu {
public:
    NativeSystemSubmenu(HWND window, HMENU menu, HMENU popup, std::vector<unsigned> commandIds,
                        std::function<void(unsigned)> chosen)
        : m_menu(menu), m_popup(popup), m_commandIds(commandIds),
          m_filter(window, std::move(commandIds), std::move(chosen))
    {
    }

    void setTitle(const QString& title) override
    {
        // The submenu's item is found by its handle: nothing else says where it is.
        for (int position = 0; position < GetMenuItemCount(m_menu); ++position) {
            if (GetSubMenu(m_menu, position) != m_popup)
                continue;
            std::wstring text = title.toStdWString();
            MENUITEMINFOW item{};
            item.cbSize = sizeof(item);
            item.fMask = MIIM_STRING;
            item.dwTypeData = text.data();
            SetMenuItemInfoW(m_menu, static_cast<UINT>(position), TRUE, &item);
            return;
        }
    }

    void setChecked(unsigned commandId) override
    {
        for (const unsigned id : m_commandIds)
            CheckMenuItem(m_popup, id, MF_BYCOMMAND | (id == commandId ? MF_CHECKED : MF_UNCHECKED));
    }

private:
    HMENU m_menu;
    HMENU m_popup;
    std::vector<unsigned> m_commandIds;
    SystemCommandFilter m_filter;
};

} // namespace

std::unique_ptr<SystemMenuItem> AddSystemMenuItem(QWidget& window, unsigned commandId, const QString& text,
                                                  std::function<void()> chosen)
{
    const auto hwnd = reinterpret_cast<HWND>(window.winId());
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    if (!menu || text.isEmpty())
        return nullptr;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, commandId, reinterpret_cast<LPCWSTR>(text.utf16()));
    return std::make_unique<NativeSystemMenuItem>(hwnd, commandId, std::move(chosen));
}

std::unique_ptr<SystemSubmenu> AddSystemSubmenu(QWidget& window, const QString& title,
                                                const std::vector<SystemMenuEntry>& entries,
                                                std::function<void(unsigned)> chosen)
{
    const auto hwnd = reinterpret_cast<HWND>(window.winId());
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    if (!menu || entries.empty())
        return nullptr;
    HMENU popup = CreatePopupMenu();
    if (!popup)
        return nullptr;
    std::vector<unsigned> commandIds;
    for (const SystemMenuEntry& entry : entries) {
        AppendMenuW(popup, MF_STRING, entry.commandId, reinterpret_cast<LPCWSTR>(entry.text.utf16()));
        commandIds.push_back(entry.commandId);
    }
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), reinterpret_cast<LPCWSTR>(title.utf16()));
    return std::make_unique<NativeSystemSubmenu>(hwnd, menu, popup, std::move(commandIds), std::move(chosen));
}

#else

// No system menu off Windows: the handlers are dropped unused.
// NOLINTBEGIN(performance-unnecessary-value-param)
std::unique_ptr<SystemMenuItem> AddSystemMenuItem(QWidget&, unsigned, const QString&, std::function<void()>)
{
    return nullptr;
}

std::unique_ptr<SystemSubmenu> AddSystemSubmenu(QWidget&, const QString&, const std::vector<SystemMenuEntry>&,
                                                std::function<void(unsigned)>)
{
    return nullptr;
}
// NOLINTEND(performance-unnecessary-value-param)

#endif

} // namespace kestra::ui
