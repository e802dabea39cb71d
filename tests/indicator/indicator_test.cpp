// Indicator.exe as a user meets it: one hidden monitor window, one tray icon
// that follows the lock keys typed in other programs, and the tray menu.
#include <windows.h>

#include <algorithm>
#include <iterator>

#include "framework/core/display_text.h"
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

// Starts at the same moment (the start-up shortcut and a start by hand) leave
// one indicator: the later ones end with 0 and show nothing.
TEST_F(IndicatorTest, StartsAtTheSameMomentLeaveOneIndicator)
{
    TIndicator starts[3];
    for (TIndicator& start : starts)
        ASSERT_TRUE(start.TProcess::Start("\"" + TestProgramFolder() + "Indicator.exe\" /restore"));
    auto running = [&] {
        return std::count_if(std::begin(starts), std::end(starts), [](const TIndicator& s) { return s.Running(); });
    };
    EXPECT_TRUE(PumpUntil([&] { return running() == 1; }, Patience)) << running() << " indicators run";
    for (TIndicator& start : starts) {
        const DWORD pid = start.info.dwProcessId;
        if (start.Running()) {
            EXPECT_TRUE(PumpUntil([&] { return IndicatorIconInTray(start.Monitor = FindMonitor(pid)); }, Patience));
        }
        EXPECT_EQ(0, start.Running() ? start.Close() : start.Finish());
    }
}

// A missing icon comes back: after the taskbar has restarted (it has forgotten
// every icon and says so) at once, and whatever removed it, at the next change.
TEST_F(IndicatorTest, AMissingIconComesBack)
{
    StartIndicator();
    const struct {
        const char* route;
        std::function<void()> cause;
        const char* picture;
    } routes[] = {
        {"taskbar created", [&] { SendMessageA(indicator_.Monitor, RegisterWindowMessageA("TaskbarCreated"), 0, 0); },
         "INDICATORA0_ICON"},
        {"Caps Lock typed", [] { EXPECT_EQ(0, TypeInSteps({"d14 u14"})); }, "INDICATORA2_ICON"},
    };
    for (const auto& route : routes) {
        SCOPED_TRACE(route.route);
        NOTIFYICONDATAA forget = IndicatorTrayRecord(indicator_.Monitor);
        ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &forget));
        ASSERT_FALSE(IndicatorIconInTray(indicator_.Monitor));
        route.cause();
        EXPECT_TRUE(PumpUntil([&] { return IndicatorIconInTray(indicator_.Monitor); }, Patience));
        ExpectTrayPicture(route.picture);
    }
}

// A start that shows nothing leaves the keyboard with the window the user
// types in: restored, or by hand with its message suppressed.
TEST_F(IndicatorTest, SilentStartsLeaveTheKeyboardWhereItWas)
{
    const char suppressedMessages[] = "Software\\Velquist\\Indicator\\1.x\\WithoutStereotype";
    const DWORD suppressed = 1;
    for (const char* switches : {"/restore", ""}) {
        SCOPED_TRACE(switches);
        if (!*switches) {
            ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, suppressedMessages, "Register", REG_DWORD,
                                                     &suppressed, sizeof suppressed));
        }
        TIndicator started;
        HWND typing = nullptr;
        EXPECT_EQ(0, TypeInSteps({"", "d41 u41"}, [&](size_t step) {
                      if (step == 0) {
                          typing = GetForegroundWindow();
                          ASSERT_TRUE(started.Start(switches));
                          EXPECT_TRUE(ShowsNothing(started));
                      }
                      EXPECT_EQ(typing, GetForegroundWindow());
                  }));
        EXPECT_EQ(0, started.Close());
    }
}
