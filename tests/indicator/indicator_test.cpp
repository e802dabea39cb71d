// Indicator.exe as a user meets it: one hidden monitor window, one tray icon
// that follows the lock keys typed in other programs, and the tray menu.
#include <windows.h>
#include <tlhelp32.h>

#include "framework/util/display_text.h"
#include "framework/util/text.h"
#include "tests/indicator/indicator_fixture.h"

namespace {

const UINT LockKeyChanged = WM_USER + 100;
int g_notifications = 0;

LRESULT CALLBACK CountingMonitorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LockKeyChanged)
        ++g_notifications;
    return DefWindowProcA(window, message, wParam, lParam);
}

// A child process of `parent` running `exe`, seen in a process snapshot.
bool HasChildProcess(DWORD parent, const char* exe)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
        found = entry.th32ParentProcessID == parent && lstrcmpiA(entry.szExeFile, exe) == 0;
    CloseHandle(snapshot);
    return found;
}

std::vector<std::string> LockItemPictures(char set)
{
    return {IndicatorIconName(set, 4), IndicatorIconName(set, 2), IndicatorIconName(set, 1)};
}

}  // namespace

TEST_F(IndicatorTest, RunsOnceHiddenWithItsIconAndEndsCleanly)
{
    // The monitor window is watched from the moment it exists until the icon is there.
    TIndicator first;
    ASSERT_TRUE(first.TProcess::Start("\"" + TestProgramFolder() + "Indicator.exe\" /restore"));
    bool everVisible = false;
    ASSERT_TRUE(PumpUntil(
        [&] {
            first.Monitor = FindMonitor(first.Id());
            everVisible = everVisible || (first.Monitor && IsWindowVisible(first.Monitor));
            return first.Monitor && TrayIconExists(first.Monitor);
        },
        StartTimeoutMs));
    EXPECT_FALSE(everVisible);
    ExpectTrayPicture("INDICATORA0_ICON");

    // A second start, by hand or restored, ends at once and leaves the first alone.
    for (const char* switches : {"/restore", ""}) {
        TProcess second;
        ASSERT_TRUE(second.Start("\"" + TestProgramFolder() + "Indicator.exe\" " + switches));
        EXPECT_EQ(0, second.Finish()) << switches;
        EXPECT_EQ(first.Monitor, FindMonitor());
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(StartupShortcutFile().c_str()));
    }
    EXPECT_FALSE(IsWindowVisible(first.Monitor));

    // WM_CLOSE from outside takes the icon and the hook away: a monitor window
    // of this test's own hears of no more presses.
    EXPECT_EQ(0, first.Close());
    EXPECT_FALSE(TrayIconExists(first.Monitor));
    WNDCLASSA monitorClass = {};
    monitorClass.lpfnWndProc = CountingMonitorProc;
    monitorClass.hInstance = GetModuleHandleA(nullptr);
    monitorClass.lpszClassName = "ShapeClass";
    RegisterClassA(&monitorClass);
    HWND own = CreateWindowExA(0, "ShapeClass", "INDICATOR MONITOR WINDOW", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    g_notifications = 0;
    EXPECT_EQ(0, Type("d14 u14 d14 u14"));
    PumpPending();
    EXPECT_EQ(0, g_notifications);
    DestroyWindow(own);
}

// The icon shows the lock states as they are once a key typed in another
// program has been taken, on the first press and on the next one alike.
TEST_F(IndicatorTest, IconFollowsLockKeysTypedElsewhere)
{
    StartIndicator();
    const struct {
        const char* keys;
        int index;
    } presses[] = {
        {"d14 u14", 2},          // Caps Lock on
        {"d14 u14", 0},          // and off again
        {"d90 u90 d91 u91", 5},  // Num and Scroll Lock on
        {"d91 u91", 4},
        {"d90 u90", 0},
    };
    std::vector<std::string> steps;
    for (const auto& press : presses)
        steps.push_back(press.keys);
    EXPECT_EQ(0, TypeInSteps(steps, [&](size_t i) {
                  SCOPED_TRACE(presses[i].keys);
                  EXPECT_EQ(presses[i].index, RecordedIndex(indicator_.Monitor));
                  ExpectTrayPicture(IndicatorIconName('A', presses[i].index));
                  if (presses[i].index == 5)
                      SaveScreenshot(CaptureScreen(TrayCorner()), "indicator_tray_a.png");
              }));
}

TEST_F(IndicatorTest, MenuCommandsAndClicksOnTheIcon)
{
    StartIndicator();
    const DWORD pid = indicator_.Id();

    // Caps Lock from the menu, twice, while a typist holds the focus.
    EXPECT_EQ(0, TypeInSteps({""}, [&](size_t) {
                  for (int index : {2, 0}) {
                      PostMessageA(indicator_.Monitor, WM_COMMAND, 102, 0);
                      EXPECT_TRUE(PumpUntil([&] { return RecordedIndex(indicator_.Monitor) == index; }, StartTimeoutMs));
                      ExpectTrayPicture(IndicatorIconName('A', index));
                  }
              }));

    // The version dialog, found by its title, and brought forward when asked again.
    PostMessageA(indicator_.Monitor, WM_COMMAND, 905, 0);
    TText versionTitle;
    DisplayText(versionTitle.Slot(), "Pelorum ﾊﾞｰｼﾞｮﾝ情報");
    HWND version = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (version = FindProcessWindow(pid, "ShapeClass", versionTitle.Get())); },
                          StartTimeoutMs));
    ShowWindow(version, SW_MINIMIZE);
    PostMessageA(indicator_.Monitor, WM_COMMAND, 905, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(version); }, StartTimeoutMs));
    EXPECT_EQ(version, FindProcessWindow(pid, "ShapeClass", versionTitle.Get()));
    PostMessageA(version, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(version, IDOK)));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(version); }, StartTimeoutMs));

    // Either button opens the menu, with the lock items' pictures of the set.
    for (UINT button : {WM_LBUTTONDOWN, WM_RBUTTONDOWN}) {
        PostMessageA(indicator_.Monitor, TrayNotifyMessage, TrayIconIdentifier, button);
        HWND menu = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (menu = FindProcessWindow(pid, "#32768")); }, StartTimeoutMs));
        RECT area;
        GetWindowRect(menu, &area);
        for (const std::string& picture : LockItemPictures('A'))
            EXPECT_TRUE(PumpUntil([&] { return PictureIn(area, {picture}) == picture; }, StartTimeoutMs)) << picture;
        if (button == WM_RBUTTONDOWN)
            SaveScreenshot(CaptureScreen({area.left - 40, area.top - 20, area.right + 40, area.bottom + 20}),
                           "indicator_menu.png");
        PostMessageA(indicator_.Monitor, WM_CANCELMODE, 0, 0);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(menu) || !IsWindowVisible(menu); }, StartTimeoutMs));
    }

    // A double click opens the keyboard control panel through rundll32.
    PostMessageA(indicator_.Monitor, TrayNotifyMessage, TrayIconIdentifier, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(PumpUntil([&] { return HasChildProcess(pid, "rundll32.exe"); }, StartTimeoutMs));
}

// After the taskbar has been restarted (it forgot every icon and announces
// itself), the icon comes back at once.
TEST_F(IndicatorTest, TaskbarCreatedAddsTheIconAgain)
{
    StartIndicator();
    ASSERT_EQ(0, Type("d90 u90"));
    NOTIFYICONDATAA forget = {};
    forget.cbSize = NOTIFYICONDATAA_V1_SIZE;
    forget.hWnd = indicator_.Monitor;
    forget.uID = TrayIconIdentifier;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &forget));
    ASSERT_FALSE(TrayIconExists(indicator_.Monitor));
    SendMessageA(indicator_.Monitor, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayIconExists(indicator_.Monitor));
    ExpectTrayPicture("INDICATORA4_ICON");
}
