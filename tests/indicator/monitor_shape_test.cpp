// The monitor shape built in the test program, which carries no tray menu:
// the menu resource cannot be loaded, as when it is missing or damaged.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/settings/app_globals.h"
#include "indicator/indicator_shape.h"
#include "indicator/menu_commands.h"

TEST(MonitorShapeWithoutItsMenu, KeepsNoLockItems)
{
    AppGlobals.Instance = GetModuleHandleA(nullptr);
    ASSERT_EQ(nullptr,
              FindResourceA(AppGlobals.Instance, MAKEINTRESOURCEA(TRAY_MENU_ID), reinterpret_cast<LPCSTR>(RT_MENU)));
    TIndicatorShape shape;
    EXPECT_EQ(nullptr, shape.TrayMenu);
    EXPECT_EQ(nullptr, shape.OwnerDrawMenu);
    // The settings command sets the items' icons through these: none is left
    // pointing at an item that went with the menu.
    EXPECT_EQ(nullptr, shape.NumLockItem);
    EXPECT_EQ(nullptr, shape.CapsLockItem);
    EXPECT_EQ(nullptr, shape.ScrollLockItem);
    // Nor when the menu is first opened: there is nothing to make it from.
    shape.PrepareTrayMenu();
    EXPECT_EQ(nullptr, shape.OwnerDrawMenu);
    EXPECT_EQ(nullptr, shape.NumLockItem);
}
