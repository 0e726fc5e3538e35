// SPDX-License-Identifier: Apache-2.0
// The items a window adds to its native system menu, picked as Windows picks
// them: a WM_SYSCOMMAND posted to the window. Only a window of the windows
// platform has such a menu (scripts/windows-look.sh runs this there).

#include "ui/SystemMenu.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace kestra::test {
namespace {

#ifdef Q_OS_WIN

constexpr unsigned kItemId = 0x0110;
constexpr unsigned kFirstEntryId = 0x0200;
constexpr unsigned kSecondEntryId = 0x0210;

class SystemMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("windows"))
            GTEST_SKIP() << "only the windows platform gives a window a system menu";
        window.show();
        hwnd = reinterpret_cast<HWND>(window.winId());
        menu = GetSystemMenu(hwnd, FALSE);
        ASSERT_NE(menu, nullptr);
    }

    // The menu posts the command it was picked for, as Windows' own menu does.
    void pick(unsigned commandId)
    {
        PostMessageW(hwnd, WM_SYSCOMMAND, commandId, 0);
        QCoreApplication::processEvents();
    }

    // The text of the menu's last item (a submenu's title for a submenu).
    QString lastItemText(HMENU of) const
    {
        wchar_t text[128] = {};
        GetMenuStringW(of, static_cast<UINT>(GetMenuItemCount(of) - 1), text, 128, MF_BYPOSITION);
        return QString::fromWCharArray(text);
    }

    QWidget window;
    HWND hwnd = nullptr;
    HMENU menu = nullptr;
};

TEST_F(SystemMenu, AnItemRunsWhilePickedAndStopsWithItsOwner)
{
    int runs = 0;
    auto item = ui::AddSystemMenuItem(window, kItemId, QStringLiteral("CopyRight"), [&] { ++runs; });
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(lastItemText(menu), QStringLiteral("CopyRight"));

    pick(kItemId);
    pick(kItemId | 0x3); // the system's own low bits
    pick(kItemId + 0x10);
    EXPECT_EQ(runs, 2);

    item.reset();
    pick(kItemId);
    EXPECT_EQ(runs, 2);
}

TEST_F(SystemMenu, ASubmenuNamesItsPickAndChecksOneEntry)
{
    std::vector<unsigned> picked;
    const std::vector<ui::SystemMenuEntry> entries = {{kFirstEntryId, QStringLiteral("English")},
                                                      {kSecondEntryId, QString::fromUtf8("中文")}};
    auto submenu =
        ui::AddSystemSubmenu(window, QStringLiteral("Language"), entries, [&](unsigned id) { picked.push_back(id); });
    ASSERT_NE(submenu, nullptr);
    HMENU popup = GetSubMenu(menu, GetMenuItemCount(menu) - 1);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(lastItemText(popup), QString::fromUtf8("中文"));

    submenu->setTitle(QString::fromUtf8("语言"));
    EXPECT_EQ(lastItemText(menu), QString::fromUtf8("语言"));

    const auto checked = [&](unsigned id) { return (GetMenuState(popup, id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    submenu->setChecked(kSecondEntryId);
    EXPECT_FALSE(checked(kFirstEntryId));
    EXPECT_TRUE(checked(kSecondEntryId));
    submenu->setChecked(kFirstEntryId);
    EXPECT_TRUE(checked(kFirstEntryId));
    EXPECT_FALSE(checked(kSecondEntryId));

    pick(kSecondEntryId);
    pick(kFirstEntryId);
    pick(kItemId);
    EXPECT_EQ(picked, (std::vector<unsigned>{kSecondEntryId, kFirstEntryId}));
}

#else

TEST(SystemMenu, OnlyOnWindows)
{
    GTEST_SKIP() << "only Windows gives a window a system menu";
}

#endif

} // namespace
} // namespace kestra::test
