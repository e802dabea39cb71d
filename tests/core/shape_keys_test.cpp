// Keyboard handling of a shape's loop on a real window with real controls:
// accelerators, Enter for the default button, Alt+F5 and Alt+F3.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/core/shape_keys.h"
#include "framework/core/system_menu_extras.h"
#include "tests/core/extras_fixture.h"
#include "tests/message_pump.h"

namespace {

enum : int { kPush = 11, kDefault = 12, kMultiLine = 13, kReadOnly = 14, kCheck = 15 };

HWND Control(HWND parent, const char* className, DWORD style, int id, int y)
{
    return CreateWindowExA(0, className, "x", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 10, y, 100, 20, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

bool Activate(HWND window)
{
    SetForegroundWindow(window);
    return PumpUntil([&] { return GetActiveWindow() == window; }, 5000);
}

// The first WM_COMMAND or WM_SYSCOMMAND waiting for `window` (message 0 when none).
MSG TakePosted(HWND window)
{
    MSG msg = {};
    MSG found = {};
    for (UINT kind : {WM_COMMAND, WM_SYSCOMMAND}) {
        while (PeekMessageA(&msg, window, kind, kind, PM_REMOVE)) {
            if (!found.message)
                found = msg;
        }
    }
    return found;
}

}  // namespace

TEST(PreTranslateShapeKey, AcceleratorsEnterAndSystemKeys)
{
    HWND window = MakeExtrasWindow("ShapeKeysTest", RECT{100, 100, 400, 300}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    AddSystemMenuExtras(TWindow(window), true);
    HWND controls[16] = {};
    controls[kPush] = Control(window, "BUTTON", BS_PUSHBUTTON, kPush, 10);
    controls[kDefault] = Control(window, "BUTTON", BS_DEFPUSHBUTTON, kDefault, 35);
    controls[kMultiLine] = Control(window, "EDIT", ES_MULTILINE | ES_WANTRETURN, kMultiLine, 60);
    controls[kReadOnly] = Control(window, "EDIT", ES_MULTILINE | ES_WANTRETURN | ES_READONLY, kReadOnly, 85);
    controls[kCheck] = Control(window, "BUTTON", BS_AUTOCHECKBOX, kCheck, 110);
    ASSERT_TRUE(Activate(window));
    const TShapeAccelerator accelerators[] = {
        {FVIRTKEY | FCONTROL, 'S', 101}, {FVIRTKEY, VK_F1, 9}, {FVIRTKEY | FALT | FSHIFT, 'X', 102}};

    struct {
        UINT message;
        WPARAM key;
        int held[2];         // keys held; 0 for none
        int focus;           // a control, or 0 for the window itself
        UINT posted;         // what reaches the window, 0 for nothing (not consumed)
        WPARAM wParam;
        int lParamControl;   // the control lParam names, or -1 for 0xFFFF0000
    } const rows[] = {
        {WM_KEYDOWN, 'S', {VK_CONTROL}, 0, WM_COMMAND, MAKEWPARAM(101, 1), 0},
        {WM_KEYDOWN, 'S', {}, 0, 0, 0, 0},
        {WM_KEYDOWN, 'S', {VK_CONTROL, VK_SHIFT}, 0, 0, 0, 0},  // the modifiers must match exactly
        {WM_KEYDOWN, VK_F1, {}, 0, WM_COMMAND, MAKEWPARAM(9, 1), 0},
        {WM_SYSKEYDOWN, 'X', {VK_MENU, VK_SHIFT}, 0, WM_COMMAND, MAKEWPARAM(102, 1), 0},
        {WM_KEYUP, 'S', {VK_CONTROL}, 0, 0, 0, 0},
        {WM_KEYDOWN, VK_RETURN, {}, kCheck, WM_COMMAND, MAKEWPARAM(kDefault, 1), kDefault},
        {WM_KEYDOWN, VK_RETURN, {}, kPush, WM_COMMAND, MAKEWPARAM(kPush, 1), kPush},
        {WM_KEYDOWN, VK_RETURN, {VK_SHIFT}, kReadOnly, WM_COMMAND, MAKEWPARAM(kDefault, 1), kDefault},
        {WM_KEYDOWN, VK_RETURN, {}, kMultiLine, 0, 0, 0},
        {WM_KEYDOWN, VK_RETURN, {VK_CONTROL}, kCheck, 0, 0, 0},
        {WM_SYSKEYDOWN, VK_F5, {VK_MENU}, 0, WM_SYSCOMMAND, SysCmdTopmost, -1},
        {WM_SYSKEYDOWN, VK_F3, {VK_MENU}, 0, WM_SYSCOMMAND, SysCmdTranslucent, -1},
        {WM_KEYDOWN, VK_F5, {VK_MENU}, 0, 0, 0, 0},
        {WM_SYSKEYDOWN, VK_F5, {}, 0, 0, 0, 0},
    };
    for (const auto& row : rows) {
        SetFocus(row.focus ? controls[row.focus] : window);
        TakePosted(window);
        const THeldKeys held{row.held[0], row.held[1]};
        MSG message = {};
        message.hwnd = window;
        message.message = row.message;
        message.wParam = row.key;
        EXPECT_EQ(row.posted != 0, PreTranslateShapeKey(accelerators, 3, TWindow(window), message))
            << row.message << " " << row.key;
        const MSG posted = TakePosted(window);
        EXPECT_EQ(row.posted, posted.message) << row.message << " " << row.key;
        EXPECT_EQ(row.wParam, posted.wParam) << row.key;
        const LPARAM lParam = row.lParamControl < 0 ? static_cast<LPARAM>(0xFFFF0000u)
                                                    : reinterpret_cast<LPARAM>(controls[row.lParamControl]);
        EXPECT_EQ(lParam, posted.lParam) << row.key;
    }

    // Alt+F5 passes through a window whose system menu lacks the command or greys it.
    HWND plain = MakeExtrasWindow("ShapeKeysPlain", RECT{150, 150, 450, 350}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_TRUE(Activate(plain));
    const THeldKeys alt{VK_MENU};
    MSG altF5 = {};
    altF5.hwnd = plain;
    altF5.message = WM_SYSKEYDOWN;
    altF5.wParam = VK_F5;
    EXPECT_FALSE(PreTranslateShapeKey(nullptr, 0, TWindow(plain), altF5));
    AddSystemMenuExtras(TWindow(plain), true);
    EnableMenuItem(GetSystemMenu(plain, FALSE), SysCmdTopmost, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_FALSE(PreTranslateShapeKey(nullptr, 0, TWindow(plain), altF5));
    EXPECT_EQ(0u, TakePosted(plain).message);
    DestroyWindow(plain);
    DestroyWindow(window);
}
