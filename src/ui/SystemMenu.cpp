// SPDX-License-Identifier: Apache-2.0
// The one file of the dialog layer that sees <windows.h>: its macros
// (SetWindowText, GetWindowText, ...) would rename the layer's own methods in
// any file that also uses them.
#include "ui/SystemMenu.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

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
class NativeSystemMenuItem final : public SystemMenuItem, public QAbstractNativeEventFilter {
public:
    NativeSystemMenuItem(HWND window, unsigned commandId, std::function<void()> chosen)
        : m_window(window), m_commandId(commandId), m_chosen(std::move(chosen))
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~NativeSystemMenuItem() override
    {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(this);
    }
    NativeSystemMenuItem(const NativeSystemMenuItem&) = delete;
    NativeSystemMenuItem& operator=(const NativeSystemMenuItem&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override
    {
        if (eventType != "windows_generic_MSG")
            return false;
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->hwnd != m_window || msg->message != WM_SYSCOMMAND || (msg->wParam & 0xFFF0) != m_commandId)
            return false;
        m_chosen();
        *result = 0;
        return true;
    }

private:
    HWND m_window;
    unsigned m_commandId;
    std::function<void()> m_chosen;
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

#else

std::unique_ptr<SystemMenuItem> AddSystemMenuItem(QWidget&, unsigned, const QString&, std::function<void()>)
{
    return nullptr;
}

#endif

} // namespace kestra::ui
