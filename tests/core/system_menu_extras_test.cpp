// The system-menu extras on real windows: the items and their order, always
// on top with its caption flashes, translucency from the "View" settings, and
// a picture of the open menu.
#include <windows.h>


#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/core/system_menu_extras.h"
#include "framework/core/translucency.h"
#include "tests/canvas.h"
#include "tests/core/extras_fixture.h"
#include "tests/own_threads.h"

namespace {

// One line per item: "-" for a separator, "id text" for a command, "> text"
// for a popup; " grey" when greyed (Wine reports every separator grey).
std::vector<std::string> Describe(HMENU menu)
{
    std::vector<std::string> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        char text[256] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        items.push_back((state & MF_SEPARATOR)  ? "-"
                        : GetSubMenu(menu, i) ? std::string("> ") + text
                                              : std::to_string(GetMenuItemID(menu, i)) + " " + text);
        if ((state & MF_GRAYED) && !(state & MF_SEPARATOR))
            items.back() += " grey";
    }
    return items;
}

}  // namespace

TEST(SystemMenuExtras, FinalItemOrder)
{
    const std::vector<std::string> extras = {"> 表示位置(&P)", "63078 常に手前に表示(&T)\tAlt+F5",
                                             "63084 半透明にする(&A)\tAlt+F3", "-"};
    for (bool closable : {true, false}) {
        HWND window = MakeExtrasWindow("ExtrasTestMenu", RECT{50, 50, 350, 250});
        HMENU menu = GetSystemMenu(window, FALSE);
        std::vector<std::string> expected = Describe(menu);
        auto close = std::find_if(expected.begin(), expected.end(), [](const std::string& item) { return item.find("61536 ") == 0; });
        ASSERT_NE(expected.end(), close);
        if (!closable)
            *close += " grey";
        expected.insert(close, extras.begin(), extras.end());
        ASSERT_TRUE(AddSystemMenuExtras(TWindow(window), closable));
        EXPECT_EQ(expected, Describe(menu));
        const std::vector<std::string> popup = {"63079 画面中央に表示(&C) grey", "63080 マウスカーソルの位置へ表示(&M) grey",
                                                "63081 次回もこの位置で表示(&S) grey"};
        EXPECT_EQ(popup, Describe(PositionPopup(TWindow(window))));

        // Without a close item the extras go to the end, in the same order.
        DestroyWindow(window);
        window = MakeExtrasWindow("ExtrasTestMenu", RECT{50, 50, 350, 250});
        menu = GetSystemMenu(window, FALSE);
        DeleteMenu(menu, SC_CLOSE, MF_BYCOMMAND);
        AddSystemMenuExtras(TWindow(window), closable);
        const std::vector<std::string> items = Describe(menu);
        EXPECT_EQ(extras, std::vector<std::string>(items.end() - 4, items.end()));
        DestroyWindow(window);
    }
}

namespace {

std::vector<DWORD> flashes;

LRESULT CALLBACK FlashCountingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCACTIVATE)
        flashes.push_back(GetTickCount());
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Toggles always on top and pumps until the flash thread it started has ended.
std::vector<DWORD> FlashesOfToggle(HWND window)
{
    PumpPending();
    flashes.clear();
    const std::vector<DWORD> before = OwnThreads();
    EXPECT_TRUE(RunSystemMenuExtra(TWindow(window), SysCmdTopmost));
    for (DWORD id : OwnThreads()) {
        HANDLE thread = std::count(before.begin(), before.end(), id) ? nullptr : OpenThread(SYNCHRONIZE, FALSE, id);
        EXPECT_TRUE(!thread || PumpUntilSignalled(thread, 10000));
        CloseHandle(thread);
    }
    PumpPending();
    return flashes;
}

}  // namespace

TEST(SystemMenuExtras, TopmostToggleFlashesTwiceQuicklyThenOnceSlowly)
{
    HWND window = MakeExtrasWindow("ExtrasTestFlash", RECT{50, 50, 350, 250}, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   FlashCountingProc);
    ASSERT_TRUE(Activate(window));
    const std::vector<DWORD> on = FlashesOfToggle(window);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ASSERT_EQ(4u, on.size());
    EXPECT_GE(on[3] - on[0], 3 * 90u);
    const std::vector<DWORD> off = FlashesOfToggle(window);
    EXPECT_FALSE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ASSERT_EQ(2u, off.size());
    EXPECT_GE(off[1] - off[0], 280u);
    DestroyWindow(window);
}

TEST(Translucency, FromTheViewSettings)
{
    const DWORD none = 0xDEADBEEF;  // not written
    struct {
        DWORD style, level, colour, flags;
        BYTE alpha;
        COLORREF key;
    } const rows[] = {
        {none, none, none, LWA_ALPHA, 180, 0},   {none, 300, none, LWA_ALPHA, 44, 0},
        {2, 0x1FF, 0xFF, LWA_ALPHA, 255, 0},     {1, 300, 0x123456, LWA_COLORKEY, 0, 0x123456},
        {0, none, none, LWA_COLORKEY, 0, GetSysColor(COLOR_BTNFACE)},
    };
    for (const auto& row : rows) {
        const TTestSettings settings("TranslucencyTest");
        const char* names[] = {"TransparentStyle", "TransparentAlphaLevel", "TransparentColor"};
        const DWORD values[] = {row.style, row.level, row.colour};
        for (int i = 0; i < 3; ++i) {
            if (values[i] != none)
                settings.Write("Library\\View", names[i], REG_DWORD, &values[i], 4);
        }
        HWND window = MakeExtrasWindow("ExtrasTestLayered", RECT{50, 50, 350, 250});
        AddSystemMenuExtras(TWindow(window), true);
        HMENU menu = GetSystemMenu(window, FALSE);
        for (bool on : {true, false}) {
            ASSERT_TRUE(RunSystemMenuExtra(TWindow(window), SysCmdTranslucent));
            EXPECT_EQ(on, (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0);
            EXPECT_EQ(on, (GetMenuState(menu, SysCmdTranslucent, MF_BYCOMMAND) & MF_CHECKED) != 0);
        }
        ApplyTranslucency(TWindow(window), true);
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, &alpha, &flags));
        EXPECT_EQ(row.flags, flags) << row.style;
        EXPECT_EQ(row.flags == LWA_ALPHA ? row.alpha : row.key, row.flags == LWA_ALPHA ? alpha : key) << row.level;
        DestroyWindow(window);
    }
}

namespace {

int ticks = 0;
bool pictured = false;

// Opens the position popup once the system menu shows, pictures both and
// ends the menu from inside its own loop.
LRESULT CALLBACK PicturingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_TIMER)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    const size_t menus = VisibleMenus().size();
    if (menus == 1 && ticks++ % 5 == 0)
        PostMessageA(hwnd, WM_CHAR, 'p', 0);
    if (menus == 2) {
        pictured = SaveScreenshot(CaptureScreen(AreaWithMenus(hwnd)), "system_menu_extras.png");
    }
    if (pictured || ticks > 200)
        EndMenu();
    return 0;
}

}  // namespace

TEST(SystemMenuExtras, PictureOfTheOpenMenu)
{
    HWND window = MakeExtrasWindow("ExtrasTestPicture", RECT{200, 150, 560, 400}, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   PicturingProc);
    AddSystemMenuExtras(TWindow(window), true);
    EnablePositionCommands(TWindow(window), true);
    CheckPositionRule(TWindow(window), SysCmdMouse);
    ASSERT_TRUE(Activate(window));
    SetTimer(window, 1, 50, nullptr);
    // The system menu's own loop runs inside this call until the timer ends it.
    SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    EXPECT_TRUE(pictured);
    DestroyWindow(window);
}
