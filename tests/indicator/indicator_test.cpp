// Indicator.exe as a user meets it: one hidden monitor window, one tray icon
// that follows the lock keys typed in other programs, and the tray menu.
#include <windows.h>

#include "framework/util/display_text.h"
#include "framework/util/text.h"
#include "tests/indicator/indicator_fixture.h"

TEST_F(IndicatorTest, RunsOnceHiddenWithItsIconAndEndsCleanly)
{
    // The monitor window is watched from the moment it exists until the icon is there.
    ASSERT_TRUE(indicator_.TProcess::Start("\"" + TestProgramFolder() + "Indicator.exe\" /restore"));
    bool everVisible = false;
    ASSERT_TRUE(PumpUntil(
        [&] {
            HWND& monitor = indicator_.Monitor = FindMonitor(indicator_.info.dwProcessId);
            everVisible = everVisible || (monitor && IsWindowVisible(monitor));
            return monitor && IndicatorIconInTray(monitor);
        },
        Patience));
    EXPECT_FALSE(everVisible);
    ExpectTrayPicture("INDICATORA0_ICON");

    // A second start, by hand or restored, ends at once and leaves the first alone.
    for (const char* switches : {"/restore", ""}) {
        TProcess second;
        ASSERT_TRUE(second.Start("\"" + TestProgramFolder() + "Indicator.exe\" " + switches));
        EXPECT_EQ(0, second.Finish()) << switches;
        EXPECT_EQ(indicator_.Monitor, FindMonitor());
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(StartupShortcutFile().c_str()));
    }

    // WM_CLOSE from outside takes the icon and the hook away: a monitor window
    // of this test's own hears of no more presses.
    EXPECT_EQ(0, indicator_.Close());
    EXPECT_FALSE(IndicatorIconInTray(indicator_.Monitor));
    TOwnMonitor own;
    EXPECT_EQ(0, TypeInSteps({"d14 u14 d14 u14"}));
    EXPECT_EQ(0, own.Notifications());
}

// The icon shows the lock states as they are once a key typed in another
// program has been taken, at the first press and the next one alike.
TEST_F(IndicatorTest, IconFollowsLockKeysTypedElsewhere)
{
    StartIndicator();
    const std::vector<std::string> keys = {"d14 u14", "d14 u14", "d90 u90 d91 u91", "d91 u91", "d90 u90"};
    const int index[] = {2, 0, 5, 4, 0};  // Caps on, off; Num and Scroll on; Scroll off; Num off
    EXPECT_EQ(0, TypeInSteps(keys, [&](size_t i) {
                  SCOPED_TRACE(keys[i]);
                  EXPECT_EQ(index[i], RecordedIndex(indicator_.Monitor));
                  ExpectTrayPicture(IconName('A', index[i]));
                  if (index[i] == 5)
                      SaveScreenshot(CaptureScreen(TrayCorner()), "indicator_tray_a.png");
              }));
}

TEST_F(IndicatorTest, MenuCommandsAndClicksOnTheIcon)
{
    StartIndicator();
    const DWORD pid = indicator_.info.dwProcessId;
    // Caps Lock from the menu, twice, while a typist holds the focus.
    EXPECT_EQ(0, TypeInSteps({""}, [&](size_t) {
                  for (int index : {2, 0}) {
                      PostMessageA(indicator_.Monitor, WM_COMMAND, 102, 0);
                      EXPECT_TRUE(PumpUntil([&] { return RecordedIndex(indicator_.Monitor) == index; }, Patience));
                      ExpectTrayPicture(IconName('A', index));
                  }
              }));

    // The version dialog, found by its title, and brought forward when asked again.
    TText title;
    DisplayText(title.Slot(), "Pelorum ﾊﾞｰｼﾞｮﾝ情報");
    PostMessageA(indicator_.Monitor, WM_COMMAND, 905, 0);
    HWND version = WaitForShape(pid, title.Get());
    ASSERT_NE(nullptr, version);
    ShowWindow(version, SW_MINIMIZE);
    PostMessageA(indicator_.Monitor, WM_COMMAND, 905, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(version); }, Patience));
    EXPECT_EQ(version, FindWindowOf(pid, "ShapeClass", title.Get()));
    PressButton(version, IDOK);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(version); }, Patience));

    // Either button opens the menu; a double click opens the keyboard control panel.
    PostMessageA(indicator_.Monitor, TrayNotifyMessage, 9000, WM_LBUTTONDOWN);
    HWND menu = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (menu = FindWindowOf(pid, "#32768")); }, Patience));
    PostMessageA(indicator_.Monitor, WM_CANCELMODE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(menu); }, Patience));
    ExpectLockItemPictures(indicator_, 'A');
    PostMessageA(indicator_.Monitor, TrayNotifyMessage, 9000, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(PumpUntil([&] { return !ProcessesOf("rundll32.exe", pid).empty(); }, Patience));
}

// After the taskbar has restarted (it has forgotten every icon and says so),
// the icon comes back at once.
TEST_F(IndicatorTest, TaskbarCreatedAddsTheIconAgain)
{
    StartIndicator();
    NOTIFYICONDATAA forget = IndicatorTrayRecord(indicator_.Monitor);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &forget));
    ASSERT_FALSE(IndicatorIconInTray(indicator_.Monitor));
    SendMessageA(indicator_.Monitor, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(IndicatorIconInTray(indicator_.Monitor));
    ExpectTrayPicture("INDICATORA0_ICON");
}
