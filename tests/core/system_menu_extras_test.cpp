// The system-menu extras on real windows: the items and their order, the
// position commands, always on top with its caption flashes, translucency
// from the "View" settings, and a picture of the open menu.
#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/core/system_menu_extras.h"
#include "framework/core/translucency.h"
#include "framework/core/window_position.h"
#include "tests/core/extras_fixture.h"
#include "tests/message_pump.h"

namespace {

// One line per menu item: "-" for a separator, "id text" for a command,
// "> text" for a popup, with " grey" when it is greyed (Wine reports every
// separator as grey).
std::vector<std::string> Describe(HMENU menu)
{
    std::vector<std::string> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        char text[256] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        std::string line = (state & MF_SEPARATOR) ? "-"
                           : GetSubMenu(menu, i) ? std::string("> ") + text
                                                 : std::to_string(GetMenuItemID(menu, i)) + " " + text;
        if ((state & MF_GRAYED) && !(state & MF_SEPARATOR))
            line += " grey";
        items.push_back(line);
    }
    return items;
}

std::vector<std::string> Tail(const std::vector<std::string>& items, size_t count)
{
    return std::vector<std::string>(items.end() - std::min(count, items.size()), items.end());
}

}  // namespace

TEST(SystemMenuExtras, FinalItemOrder)
{
    ASSERT_TRUE(IsLayeringAvailable());
    HWND window = MakeExtrasWindow("ExtrasTestMenu", RECT{50, 50, 350, 250});
    HMENU menu = GetSystemMenu(window, FALSE);
    const std::vector<std::string> before = Describe(menu);
    ASSERT_TRUE(AddSystemMenuExtras(TWindow(window), true));
    // Everything else stays; the extras stand just above Close.
    std::vector<std::string> expected = before;
    const auto close = std::find_if(expected.begin(), expected.end(),
                                    [](const std::string& item) { return item.find("61536 ") == 0; });
    ASSERT_NE(expected.end(), close);
    const std::string closeItem = *close;
    const std::vector<std::string> extras = {"> 表示位置(&P)", "63078 常に手前に表示(&T)\tAlt+F5",
                                             "63084 半透明にする(&A)\tAlt+F3", "-"};
    expected.insert(close, extras.begin(), extras.end());
    EXPECT_EQ(expected, Describe(menu));
    const std::vector<std::string> popup = {"63079 画面中央に表示(&C) grey",
                                            "63080 マウスカーソルの位置へ表示(&M) grey",
                                            "63081 次回もこの位置で表示(&S) grey"};
    EXPECT_EQ(popup, Describe(PositionPopup(TWindow(window))));
    DestroyWindow(window);

    // A window that may not be closed gets its close item greyed.
    window = MakeExtrasWindow("ExtrasTestMenu", RECT{50, 50, 350, 250});
    ASSERT_TRUE(AddSystemMenuExtras(TWindow(window), false));
    const std::vector<std::string> greyed = Describe(GetSystemMenu(window, FALSE));
    EXPECT_NE(greyed.end(), std::find(greyed.begin(), greyed.end(), closeItem + " grey"));
    DestroyWindow(window);

    // Without a close item the extras go to the end, in the same order.
    window = MakeExtrasWindow("ExtrasTestMenu", RECT{50, 50, 350, 250});
    menu = GetSystemMenu(window, FALSE);
    DeleteMenu(menu, SC_CLOSE, MF_BYCOMMAND);
    ASSERT_TRUE(AddSystemMenuExtras(TWindow(window), true));
    EXPECT_EQ(extras, Tail(Describe(menu), 4));
    DestroyWindow(window);
}

TEST(SystemMenuExtras, PositionCommands)
{
    HWND window = MakeExtrasWindow("ExtrasTestMenu", RECT{50, 60, 450, 360}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    AddSystemMenuExtras(TWindow(window), true);
    const RECT screen = WindowRectOf(GetDesktopWindow());
    ASSERT_TRUE(RunSystemMenuExtra(TWindow(window), SysCmdCentre));
    EXPECT_EQ(CentredRect(RECT{0, 0, 400, 300}, screen), WindowRectOf(window));
    EXPECT_EQ(SysCmdCentre, CheckedPositionRule(TWindow(window)));

    ASSERT_TRUE(MoveCursor(300, 200));
    ASSERT_TRUE(RunSystemMenuExtra(TWindow(window), SysCmdMouse));
    EXPECT_EQ((RECT{100, 50, 500, 350}), WindowRectOf(window));
    EXPECT_EQ(SysCmdMouse, CheckedPositionRule(TWindow(window)));

    ASSERT_TRUE(RunSystemMenuExtra(TWindow(window), SysCmdKeepPlace));
    EXPECT_EQ((RECT{100, 50, 500, 350}), WindowRectOf(window));
    EXPECT_EQ(SysCmdKeepPlace, CheckedPositionRule(TWindow(window)));
    EXPECT_FALSE(GetMenuState(PositionPopup(TWindow(window)), SysCmdMouse, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(RunSystemMenuExtra(TWindow(window), SC_CLOSE));
    DestroyWindow(window);
}

namespace {

std::vector<DWORD> flashTimes;

LRESULT CALLBACK FlashCountingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCACTIVATE)
        flashTimes.push_back(GetTickCount());
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

std::vector<DWORD> OwnThreads()
{
    std::vector<DWORD> threads;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            threads.push_back(entry.th32ThreadID);
    }
    CloseHandle(snapshot);
    return threads;
}

// Runs the always-on-top command and pumps until the flash thread it started
// has ended; the caption flashes are then all counted.
std::vector<DWORD> FlashesOfToggle(HWND window)
{
    PumpPending();
    flashTimes.clear();
    const std::vector<DWORD> before = OwnThreads();
    EXPECT_TRUE(RunSystemMenuExtra(TWindow(window), SysCmdTopmost));
    for (DWORD id : OwnThreads()) {
        if (std::find(before.begin(), before.end(), id) != before.end())
            continue;
        HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id);
        if (thread) {
            EXPECT_TRUE(PumpUntilSignalled(thread, 10000));
            CloseHandle(thread);
        }
    }
    PumpPending();
    return flashTimes;
}

}  // namespace

TEST(SystemMenuExtras, TopmostToggleFlashesTwiceQuicklyThenOnceSlowly)
{
    HWND window = MakeExtrasWindow("ExtrasTestFlash", RECT{50, 50, 350, 250}, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   FlashCountingProc);
    SetForegroundWindow(window);
    PumpUntil([&] { return GetActiveWindow() == window; }, 5000);

    std::vector<DWORD> on = FlashesOfToggle(window);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ASSERT_EQ(4u, on.size());
    for (size_t i = 1; i < on.size(); ++i)
        EXPECT_GE(on[i] - on[i - 1], 80u) << i;

    std::vector<DWORD> off = FlashesOfToggle(window);
    EXPECT_FALSE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ASSERT_EQ(2u, off.size());
    EXPECT_GE(off[1] - off[0], 280u);
    DestroyWindow(window);
}

TEST(Translucency, FromTheViewSettings)
{
    const DWORD none = 0xDEADBEEF;  // value not written
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    struct {
        DWORD style, level, colour;
        DWORD flags;
        BYTE alpha;
        COLORREF key;
    } const rows[] = {
        {none, none, none, LWA_ALPHA, 180, 0},
        {none, 300, none, LWA_ALPHA, 44, 0},  // only the low byte counts
        {2, 0x1FF, 0x123456, LWA_ALPHA, 255, 0},
        {1, 300, 0x123456, LWA_COLORKEY, 0, 0x123456},
        {0, none, none, LWA_COLORKEY, 0, face},
        {0xFFFFFFFF, none, 0xFF, LWA_COLORKEY, 0, 0xFF},
    };
    for (const auto& row : rows) {
        const TTestSettings settings("TranslucencyTest");
        if (row.style != none)
            settings.WriteDword("Library\\View", "TransparentStyle", row.style);
        if (row.level != none)
            settings.WriteDword("Library\\View", "TransparentAlphaLevel", row.level);
        if (row.colour != none)
            settings.WriteDword("Library\\View", "TransparentColor", row.colour);
        HWND window = MakeExtrasWindow("ExtrasTestLayered", RECT{50, 50, 350, 250});
        AddSystemMenuExtras(TWindow(window), true);
        HMENU menu = GetSystemMenu(window, FALSE);

        ASSERT_TRUE(RunSystemMenuExtra(TWindow(window), SysCmdTranslucent));
        EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED);
        EXPECT_TRUE(GetMenuState(menu, SysCmdTranslucent, MF_BYCOMMAND) & MF_CHECKED);
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, &alpha, &flags));
        EXPECT_EQ(row.flags, flags) << row.style;
        if (row.flags == LWA_ALPHA) {
            EXPECT_EQ(row.alpha, alpha) << row.level;
        } else {
            EXPECT_EQ(row.key, key) << row.colour;
        }

        // The command again turns it off.
        ASSERT_TRUE(RunSystemMenuExtra(TWindow(window), SysCmdTranslucent));
        EXPECT_FALSE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED);
        EXPECT_FALSE(GetMenuState(menu, SysCmdTranslucent, MF_BYCOMMAND) & MF_CHECKED);
        DestroyWindow(window);
    }
}

namespace {

int menuTicks = 0;
bool menuPictured = false;

BOOL CALLBACK CollectMenus(HWND window, LPARAM data)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && std::string(className) == "#32768")
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

// The screen area of `rect` as a 24-bit BMP file.
bool SaveScreenArea(const RECT& rect, const char* path)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int stride = (width * 3 + 3) & ~3;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    BITMAPFILEHEADER file = {0x4D42, DWORD(sizeof file + sizeof info + stride * height), 0, 0,
                             DWORD(sizeof file + sizeof info)};
    HANDLE out = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    bool ok = out != INVALID_HANDLE_VALUE && WriteFile(out, &file, sizeof file, &written, nullptr) &&
              WriteFile(out, &info, sizeof info, &written, nullptr) &&
              WriteFile(out, bits, stride * height, &written, nullptr);
    if (out != INVALID_HANDLE_VALUE)
        CloseHandle(out);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

// Opens the position popup once the system menu shows, then pictures both
// and ends the menu from inside its own loop.
LRESULT CALLBACK PicturingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_TIMER)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    std::vector<HWND> menus;
    EnumThreadWindows(GetCurrentThreadId(), CollectMenus, reinterpret_cast<LPARAM>(&menus));
    ++menuTicks;
    if (menus.size() == 1 && menuTicks % 5 == 1)
        PostMessageA(hwnd, WM_CHAR, 'p', 0);
    if (menus.size() == 2 && menuTicks > 3) {
        RECT area = WindowRectOf(hwnd);
        for (HWND menu : menus) {
            const RECT rect = WindowRectOf(menu);
            UnionRect(&area, &area, &rect);
        }
        InflateRect(&area, 8, 8);
        CreateDirectoryA("..\\screens", nullptr);
        menuPictured = SaveScreenArea(area, "..\\screens\\system_menu_extras.bmp");
    }
    if (menuPictured || menuTicks > 100)
        EndMenu();
    return 0;
}

}  // namespace

TEST(SystemMenuExtras, PictureOfTheOpenMenu)
{
    HWND window = MakeExtrasWindow("ExtrasTestPicture", RECT{200, 150, 560, 400}, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   PicturingProc);
    AddSystemMenuExtras(TWindow(window), true);
    CheckPositionRule(TWindow(window), SysCmdMouse);
    EnablePositionCommands(TWindow(window), true);
    SetForegroundWindow(window);
    PumpUntil([&] { return GetActiveWindow() == window; }, 5000);
    SetTimer(window, 1, 50, nullptr);
    // The system menu's own loop runs inside this call until the timer ends it.
    SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    KillTimer(window, 1);
    EXPECT_TRUE(menuPictured) << menuTicks;
    DestroyWindow(window);
}
