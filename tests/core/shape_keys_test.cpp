// Keyboard handling of a shape's loop on a real window with real controls:
// accelerators, Enter for the default button, Alt+F5 and Alt+F3.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/core/shape_keys.h"
#include "framework/core/system_menu_extras.h"
#include "tests/core/extras_fixture.h"

namespace {

// The WM_COMMAND or WM_SYSCOMMAND posted to `window` (message 0 when none).
MSG TakePosted(HWND window)
{
    MSG msg = {}, found = {};
    for (UINT kind : {WM_COMMAND, WM_SYSCOMMAND}) {
        while (PeekMessageA(&msg, window, kind, kind, PM_REMOVE))
            found = found.message ? found : msg;
    }
    return found;
}

MSG Key(HWND window, UINT message, WPARAM key)
{
    MSG msg = {};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = key;
    return msg;
}

}  // namespace

TEST(PreTranslateShapeKey, AcceleratorsEnterAndSystemKeys)
{
    HWND window = MakeExtrasWindow("ShapeKeysTest", RECT{100, 100, 400, 300}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    AddSystemMenuExtras(TWindow(window), true);
    // Controls 1 to 5: push button, default push button, multi-line edit, the same read-only, check box.
    const char* classes[] = {"", "BUTTON", "BUTTON", "EDIT", "EDIT", "BUTTON"};
    const DWORD styles[] = {0, BS_PUSHBUTTON, BS_DEFPUSHBUTTON, ES_MULTILINE | ES_WANTRETURN,
                            ES_MULTILINE | ES_WANTRETURN | ES_READONLY, BS_AUTOCHECKBOX};
    HWND controls[6] = {window};
    for (int i = 1; i < 6; ++i) {
        controls[i] = CreateWindowExA(0, classes[i], "x", WS_CHILD | WS_VISIBLE | styles[i], 10, 25 * i, 100, 20,
                                      window, HMENU(INT_PTR(i)), nullptr, nullptr);
    }
    ASSERT_TRUE(Activate(window));
    const TShapeAccelerator accelerators[] = {{FVIRTKEY | FCONTROL, 'S', 101}, {FVIRTKEY, VK_F1, 9},
                                              {FVIRTKEY | FALT | FSHIFT, 'X', 102}};
    struct {
        UINT message;
        WPARAM key;
        int held[2];  // keys held, 0 for none
        int focus;    // the control with the focus, 0 for the window
        UINT posted;  // what reaches the window; 0: nothing, not consumed
        WPARAM wParam;
        int named;    // the control lParam names; -1 for 0xFFFF0000
    } const rows[] = {
        {WM_KEYDOWN, 'S', {VK_CONTROL}, 0, WM_COMMAND, MAKEWPARAM(101, 1), 0},
        {WM_KEYDOWN, 'S', {}, 0, 0, 0, 0},
        {WM_KEYDOWN, 'S', {VK_CONTROL, VK_SHIFT}, 0, 0, 0, 0},  // the modifiers must match exactly
        {WM_KEYDOWN, VK_F1, {}, 0, WM_COMMAND, MAKEWPARAM(9, 1), 0},
        {WM_SYSKEYDOWN, 'X', {VK_MENU, VK_SHIFT}, 0, WM_COMMAND, MAKEWPARAM(102, 1), 0},
        {WM_KEYUP, 'S', {VK_CONTROL}, 0, 0, 0, 0},
        {WM_KEYDOWN, VK_RETURN, {}, 5, WM_COMMAND, MAKEWPARAM(2, 1), 2},
        {WM_KEYDOWN, VK_RETURN, {}, 1, WM_COMMAND, MAKEWPARAM(1, 1), 1},
        {WM_KEYDOWN, VK_RETURN, {VK_SHIFT}, 4, WM_COMMAND, MAKEWPARAM(2, 1), 2},
        {WM_KEYDOWN, VK_RETURN, {}, 3, 0, 0, 0},
        {WM_KEYDOWN, VK_RETURN, {VK_CONTROL}, 5, 0, 0, 0},
        {WM_SYSKEYDOWN, VK_F5, {VK_MENU}, 0, WM_SYSCOMMAND, SysCmdTopmost, -1},
        {WM_SYSKEYDOWN, VK_F3, {VK_MENU}, 0, WM_SYSCOMMAND, SysCmdTranslucent, -1},
        {WM_KEYDOWN, VK_F5, {VK_MENU}, 0, 0, 0, 0},
        {WM_SYSKEYDOWN, VK_F5, {}, 0, 0, 0, 0},
    };
    for (const auto& row : rows) {
        SetFocus(controls[row.focus]);
        TakePosted(window);
        const THeldKeys held{row.held[0], row.held[1]};
        EXPECT_EQ(row.posted != 0, PreTranslateShapeKey(accelerators, 3, TWindow(window), Key(window, row.message, row.key)))
            << row.message << " " << row.key;
        const MSG posted = TakePosted(window);
        EXPECT_EQ(row.posted, posted.message) << row.key;
        EXPECT_EQ(row.wParam, posted.wParam) << row.key;
        EXPECT_EQ(row.named < 0 ? LPARAM(0xFFFF0000u) : LPARAM(row.named ? controls[row.named] : 0), posted.lParam);
    }

    // Alt+F5 passes through a window whose system menu lacks the command or greys it.
    HWND plain = MakeExtrasWindow("ShapeKeysPlain", RECT{150, 150, 450, 350}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_TRUE(Activate(plain));
    const THeldKeys alt{VK_MENU};
    EXPECT_FALSE(PreTranslateShapeKey(nullptr, 0, TWindow(plain), Key(plain, WM_SYSKEYDOWN, VK_F5)));
    AddSystemMenuExtras(TWindow(plain), true);
    EnableMenuItem(GetSystemMenu(plain, FALSE), SysCmdTopmost, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_FALSE(PreTranslateShapeKey(nullptr, 0, TWindow(plain), Key(plain, WM_SYSKEYDOWN, VK_F5)));
    EXPECT_EQ(0u, TakePosted(plain).message);
    DestroyWindow(plain);
    DestroyWindow(window);
}
