// Where the user looks: the on-screen display of the lock that changed, the
// keys "OnScreen" lets it show, and the balloon that shows where the tray icon
// is on the first start by hand.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "framework/core/display_text.h"
#include "framework/util/text.h"
#include "tests/indicator/indicator_fixture.h"

namespace {

const char KeyPath[] = "Software\\Velquist\\Indicator\\1.x";
const DWORD Missing = 0xFFFFFFFF;

void WriteSetting(const char* subKey, const char* name, DWORD value)
{
    const std::string path = std::string(KeyPath) + (subKey ? std::string("\\") + subKey : "");
    if (value == Missing)
        RegDeleteKeyValueA(HKEY_CURRENT_USER, path.c_str(), name);
    else
        RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), name, REG_DWORD, &value, sizeof value);
}

std::string Shown(const char* text)
{
    TText shown;
    DisplayText(shown.Slot(), text);
    return shown.Get();
}

HWND Display(const TIndicator& indicator)
{
    return FindWindowOf(indicator.info.dwProcessId, "LockDisplay", nullptr, true);
}

void SaveAround(HWND window, const char* name)
{
    RECT area;
    GetWindowRect(window, &area);
    SaveScreenshot(CaptureScreen({area.left - 40, area.top - 40, area.right + 40, area.bottom + 40}), name);
}

// A tip of the tray, drawn, with the tray's corner.
void SaveWithTray(HWND tip, const char* name)
{
    EXPECT_TRUE(PumpUntil([&] { return !GetUpdateRect(tip, nullptr, FALSE); }, Patience));
    RECT area, tray = TrayCorner();
    GetWindowRect(tip, &area);
    UnionRect(&area, &area, &tray);
    SaveScreenshot(CaptureScreen(area), name);
}

// A tip of the tray shown now: a balloon, or the one that names the icon.
struct TTipSearch {
    LONG balloon;
    HWND found;
};

BOOL CALLBACK FindTip(HWND window, LPARAM data)
{
    TTipSearch& search = *reinterpret_cast<TTipSearch*>(data);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && !lstrcmpA(className, TOOLTIPS_CLASSA) &&
        (GetWindowLongA(window, GWL_STYLE) & TTS_BALLOON) == search.balloon)
        search.found = window;
    return !search.found;
}

HWND ShownTip(bool balloon)
{
    TTipSearch search = {balloon ? TTS_BALLOON : 0, nullptr};
    EnumWindows(FindTip, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

// Each row's keys typed with "OnScreen" as given (the indicator started again
// when it changes, with every lock off), and what the display then says.
TEST_F(IndicatorTest, OnScreenDisplayShowsTheChosenKeysThatChanged)
{
    const struct {
        DWORD onScreen;
        const char* keys;
        const char* shown;  // null: no display
    } rows[] = {
        {Missing, "d90 u90", "Num Lock ｵﾝ"},
        {Missing, "d14 u14", "Caps Lock ｵﾝ"},  // while the last is up: replaced at once
        {Missing, "d90 u90 d14 u14", "Caps Lock ｵﾌ"},
        {2, "d90 u90", nullptr},
        {2, "d14 u14", "Caps Lock ｵﾝ"},
        {2, "d90 u90 d14 u14", "Caps Lock ｵﾌ"},
        {4, "d90 u90", nullptr},
        {4, "d91 u91", "Scroll Lock ｵﾝ"},
        {4, "d90 u90 d91 u91", "Scroll Lock ｵﾌ"},
        {0, "d14 u14 d91 u91", nullptr},
    };
    const size_t count = sizeof rows / sizeof rows[0];
    std::unique_ptr<TIndicator> running;
    std::vector<std::string> steps = {""};
    for (const auto& row : rows)
        steps.push_back(row.keys);
    EXPECT_EQ(0, TypeInSteps(steps, [&](size_t step) {
                  const HWND typist = GetForegroundWindow();
                  if (step > 0) {
                      const auto& row = rows[step - 1];
                      SCOPED_TRACE(std::string(row.keys) + ", OnScreen " + std::to_string(row.onScreen));
                      HWND display = Display(*running);
                      if (!row.shown) {
                          EXPECT_FALSE(display && IsWindowVisible(display));
                      } else {
                          ASSERT_NE(nullptr, display);
                          EXPECT_TRUE(IsWindowVisible(display));
                          EXPECT_EQ(Shown(row.shown), WindowText(display));
                          EXPECT_EQ(typist, GetForegroundWindow());
                          if (step == 1)
                              SaveAround(display, "osd_num_on_ja.png");
                      }
                  }
                  if (step == count)
                      return;
                  // A row that shows the next change while the display is up
                  // follows at once; any other waits until it has faded out,
                  // and starts with its own "OnScreen".
                  const bool restart = !running || rows[step].onScreen != rows[step - 1].onScreen;
                  if (running && Display(*running) && (restart || !rows[step].shown)) {
                      EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(Display(*running)); }, Patience));
                  }
                  if (restart) {
                      if (running) {
                          EXPECT_EQ(0, running->Close());
                      }
                      WriteSetting(nullptr, "OnScreen", rows[step].onScreen);
                      running.reset(new TIndicator);
                      ASSERT_TRUE(running->Start("/restore"));
                      // Made at its first showing, not at the start.
                      EXPECT_EQ(nullptr, Display(*running));
                  }
              }));
    if (running) {
        EXPECT_EQ(0, running->Close());
    }
}

// The settings dialog shows "OnScreen" as three check boxes and stores them on OK only.
TEST_F(IndicatorTest, SettingsChooseTheKeysShownOnScreen)
{
    WriteSetting(nullptr, "OnScreen", 5);
    StartIndicator();
    TText title;
    DisplayText(title.Slot(), "Pelorum 設定");
    const char* const boxes[] = {"&Num Lock", "&Caps Lock", "&Scroll Lock"};
    const struct {
        DWORD shown;         // the ticks on opening, as "OnScreen" bits
        const char* click;   // the box clicked
        int end;
        DWORD stored;
    } rows[] = {
        {5, "&Caps Lock", IDCANCEL, 5},
        {5, "&Caps Lock", IDOK, 7},
        {7, "&Num Lock", IDOK, 6},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.click) + (row.end == IDOK ? " OK" : " cancel"));
        PostMessageA(indicator_.Monitor, WM_COMMAND, 191, 0);
        HWND dialog = WaitForShape(indicator_.info.dwProcessId, title.Get());
        ASSERT_NE(nullptr, dialog);
        for (int key = 0; key < 3; ++key)
            EXPECT_EQ((row.shown >> key & 1) != 0,
                      SendMessageA(FindWindowExA(dialog, nullptr, nullptr, boxes[key]), BM_GETCHECK, 0, 0) ==
                          BST_CHECKED)
                << boxes[key];
        SendMessageA(FindWindowExA(dialog, nullptr, nullptr, row.click), BM_CLICK, 0, 0);
        if (row.end == IDOK && row.stored == 7)
            Screenshot(dialog, "osd_settings_ja.png");
        PressButton(dialog, row.end);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, Patience));
        DWORD_PTR ignored;
        SendMessageTimeoutA(indicator_.Monitor, WM_NULL, 0, 0, SMTO_NORMAL, Patience, &ignored);
        EXPECT_EQ(row.stored, ReadSetting(nullptr, "OnScreen", Missing));
    }
}

// The first start by hand shows where the icon is, once; a restored start does not.
TEST_F(IndicatorTest, FirstStartByHandShowsWhereTheIconIs)
{
    WriteSetting("WithoutStereotype", "Register", 1);
    // Wine's tray shows a balloon two seconds after it was asked for.
    const struct {
        const char* switches;
        DWORD remembered;
        bool balloon;
        DWORD watched;  // ms
    } starts[] = {{"/restore", Missing, false, 0}, {"", 1, true, Patience}, {"", 1, false, 4000}};
    for (const auto& start : starts) {
        SCOPED_TRACE(std::string("started with \"") + start.switches + "\"");
        TIndicator indicator;
        ASSERT_TRUE(indicator.Start(start.switches));
        EXPECT_TRUE(ShowsNothing(indicator));
        EXPECT_EQ(start.remembered, ReadSetting(nullptr, "TrayIconIntroduced", Missing));
        HWND balloon = nullptr;
        EXPECT_EQ(start.balloon, PumpUntil([&] { return (balloon = ShownTip(true)) != nullptr; }, start.watched));
        if (balloon)
            SaveWithTray(balloon, "osd_balloon_ja.png");
        EXPECT_EQ(0, indicator.Close());
    }
}

// The tip names the three states, and follows the picture.
TEST_F(IndicatorTest, TrayTipNamesTheStates)
{
    StartIndicator();
    RECT taskbar;
    GetWindowRect(FindWindowA("Shell_TrayWnd", nullptr), &taskbar);
    const char* const tips[] = {"Num Lock: ｵﾌ, Caps Lock: ｵﾌ, Scroll Lock: ｵﾌ",
                                "Num Lock: ｵﾌ, Caps Lock: ｵﾝ, Scroll Lock: ｵﾌ"};
    EXPECT_EQ(0, TypeInSteps({"", "d14 u14"}, [&](size_t step) {
                  // The pointer over the icon, the tray's rightmost, moving a
                  // little so that the tip shows.
                  HWND tip = nullptr;
                  int moves = 0;
                  EXPECT_TRUE(PumpUntil(
                      [&] {
                          if (moves++ % 200 == 0)
                              SetCursorPos(taskbar.right - 12 + moves / 200 % 2, (taskbar.top + taskbar.bottom) / 2);
                          return (tip = ShownTip(false)) && WindowText(tip) == Shown(tips[step]);
                      },
                      Patience))
                      << (tip ? WindowText(tip) : "no tip");
                  if (tip && step == 1)
                      SaveWithTray(tip, "osd_tip_ja.png");
              }));
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
}
