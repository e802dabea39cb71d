// Placement memory: the stored record and what a bad one does, the arithmetic
// of where a window reopens, and the round trip through the registry with
// real windows (mouse rule, bottom taskbar, twin, Shift).
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "framework/core/placement.h"
#include "framework/core/system_menu_extras.h"
#include "framework/core/window_position.h"
#include "framework/core/work_area.h"
#include "tests/core/extras_fixture.h"
#include "tests/message_pump.h"
#include "tests/util/guarded_text.h"

namespace {

TPlacementRecord GoodRecord()
{
    TPlacementRecord record = {};
    record.Placement.length = 44;
    record.Placement.showCmd = SW_SHOWNORMAL;
    record.Placement.rcNormalPosition = RECT{100, 100, 500, 400};
    record.Style = WS_OVERLAPPEDWINDOW;
    record.Rule = SysCmdKeepPlace;
    return record;
}

}  // namespace

TEST(PlacementRecord, ShortOrGarbledValuesAreNoRecord)
{
    struct {
        int size;
        UINT length;
        RECT normal;
        bool usable;
    } const rows[] = {
        {56, 44, {100, 100, 500, 400}, true},
        {60, 44, {100, 100, 500, 400}, true},   // longer: the first 56 bytes
        {0, 44, {100, 100, 500, 400}, false},
        {20, 44, {100, 100, 500, 400}, false},
        {55, 44, {100, 100, 500, 400}, false},  // one byte short
        {56, 0, {100, 100, 500, 400}, false},
        {56, 56, {100, 100, 500, 400}, false},
        {56, 44, {100, 100, 100, 400}, false},  // empty
        {56, 44, {500, 100, 100, 400}, false},  // inverted
        {56, 44, {100, 400, 500, 100}, false},
    };
    for (const auto& row : rows) {
        TPlacementRecord record = GoodRecord();
        record.Placement.length = row.length;
        record.Placement.rcNormalPosition = row.normal;
        BYTE bytes[60] = {};
        std::memcpy(bytes, &record, sizeof record);
        // The value ends just before an unreadable page: a read past it faults.
        const TGuardedBytes value(bytes, row.size);
        ASSERT_TRUE(value.IsGuarded());
        TPlacementRecord read;
        EXPECT_EQ(row.usable, ReadPlacementRecord(value.Data(), row.size, read)) << row.size << " " << row.length;
        if (row.usable) {
            EXPECT_EQ(0, std::memcmp(&record, &read, sizeof read));
        }
    }
    TPlacementRecord read;
    EXPECT_FALSE(ReadPlacementRecord(nullptr, 56, read));
}

TEST(RestoredRect, RulesWorkAreaAndTwins)
{
    TPlacementFacts facts;
    facts.Screen = RECT{0, 0, 1280, 1024};
    facts.Work = RECT{0, 0, 1280, 994};
    facts.Cursor = POINT{600, 500};
    facts.TwinStep = 22;
    struct {
        RECT saved;
        UINT rule;
        RECT expected;
    } const rows[] = {
        {{100, 100, 500, 400}, SysCmdKeepPlace, {100, 100, 500, 400}},
        {{0, 0, 1280, 994}, SysCmdKeepPlace, {0, 0, 1280, 994}},  // the whole work area stays
        {{100, 900, 500, 1100}, SysCmdKeepPlace, {100, 784, 500, 984}},
        {{1000, 100, 1400, 300}, SysCmdKeepPlace, {870, 100, 1270, 300}},
        {{100, -50, 500, 250}, SysCmdKeepPlace, {100, 10, 500, 310}},
        {{-300, 100, 100, 300}, SysCmdKeepPlace, {10, 100, 410, 300}},
        {{-100000, -100000, -99600, -99700}, SysCmdKeepPlace, {10, 10, 410, 310}},
        {{INT_MAX - 100, INT_MAX - 100, INT_MAX, INT_MAX}, SysCmdKeepPlace, {1170, 884, 1270, 984}},
        {{0, 0, 2000, 1500}, SysCmdKeepPlace, {10, 10, 1280, 994}},  // larger: cut to the work area
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, SysCmdKeepPlace, {10, 10, 1280, 994}},
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, SysCmdCentre, {10, 10, 1280, 994}},
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, SysCmdMouse, {10, 10, 1280, 994}},
        {{5, 5, 406, 305}, SysCmdCentre, {439, 362, 840, 662}},
        {{5, 5, 405, 305}, SysCmdMouse, {400, 350, 800, 650}},
        {{5, 5, 1255, 305}, SysCmdMouse, {15, 350, 1265, 650}},  // too wide for the margins: centred
        {{200, 200, 600, 500}, 12345, {200, 200, 600, 500}},      // an unknown rule keeps the rectangle
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.expected, RestoredRect(row.saved, row.rule, facts)) << row.saved << " rule " << row.rule;

    // The pointer near a corner: 32 pixels clear of the screen edges.
    facts.Cursor = POINT{5, 1020};
    EXPECT_EQ((RECT{32, 692, 432, 992}), RestoredRect(RECT{0, 0, 400, 300}, SysCmdMouse, facts));

    // No smaller than the system allows, so growing cannot push it out again.
    facts.MinSize = SIZE{112, 27};
    EXPECT_EQ((RECT{1158, 10, 1270, 37}), RestoredRect(RECT{INT_MAX - 10, INT_MIN, INT_MAX, INT_MIN + 10}, SysCmdKeepPlace, facts));
    facts.MinSize = SIZE{};

    // A window that cannot be resized keeps its size, centred on the saved rectangle.
    facts.Resizable = false;
    facts.Current = RECT{0, 0, 200, 100};
    EXPECT_EQ((RECT{200, 200, 400, 300}), RestoredRect(RECT{100, 100, 500, 400}, SysCmdKeepPlace, facts));
    EXPECT_EQ((RECT{10, 10, 210, 110}), RestoredRect(RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX - 100}, SysCmdKeepPlace, facts));
    facts.Resizable = true;

    // Twins on the same spot: one step per twin covered; at the work area's
    // right or bottom edge the step wraps to the left or top edge.
    facts.Twins.Add(RECT{100, 100, 500, 400});
    facts.Twins.Add(RECT{122, 122, 522, 422});
    facts.Twins.Add(RECT{144, 144, 544, 444});
    facts.Twins.Add(RECT{870, 700, 1270, 980});
    EXPECT_EQ((RECT{166, 166, 566, 466}), RestoredRect(RECT{100, 100, 500, 400}, SysCmdKeepPlace, facts));
    EXPECT_EQ((RECT{0, 0, 400, 280}), RestoredRect(RECT{870, 700, 1270, 980}, SysCmdKeepPlace, facts));
    EXPECT_EQ((RECT{300, 300, 700, 600}), RestoredRect(RECT{300, 300, 700, 600}, SysCmdKeepPlace, facts));
}

TEST(WindowPosition, CentredAndAroundCursor)
{
    const RECT screen = {0, 0, 1280, 1024};
    // Truncation toward zero for a window wider than the screen.
    EXPECT_EQ((RECT{-10, 462, 1291, 562}), CentredRect(RECT{0, 0, 1301, 100}, screen));
    EXPECT_EQ((RECT{440, 362, 840, 662}), CentredRect(RECT{7, 9, 407, 309}, screen));
    // A rectangle too wide for any int result is cut at the int range, not wrapped.
    const RECT huge = CentredRect(RECT{INT_MIN, 0, INT_MAX, 10}, screen);
    EXPECT_LT(huge.left, 0);
    EXPECT_EQ(INT_MAX, huge.right);
    EXPECT_EQ((RECT{848, 32, 1248, 332}), RectAroundCursor(RECT{0, 0, 400, 300}, POINT{1279, 0}, screen));
}

TEST(WorkArea, BesideTheTaskbar)
{
    const RECT screen = {0, 0, 1280, 1024};
    struct {
        RECT taskbar;
        RECT work;
    } const rows[] = {
        {{0, 994, 1280, 1024}, {0, 0, 1280, 994}},       // bottom
        {{-2, 990, 1282, 1026}, {0, 0, 1280, 990}},      // bottom, overhanging
        {{0, 0, 1280, 30}, {0, 30, 1280, 1024}},         // top
        {{0, 0, 60, 1024}, {60, 0, 1280, 1024}},         // left
        {{1220, 0, 1280, 1024}, {0, 0, 1220, 1024}},     // right
        {{0, 0, 1280, 1024}, {0, 0, 1280, 1024}},        // the whole screen
        {{100, 994, 1280, 1024}, {0, 0, 1280, 1024}},    // not the full width
        {{0, 500, 1280, 530}, {0, 0, 1280, 1024}},       // touching no edge
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.work, WorkAreaBesideTaskbar(screen, row.taskbar)) << row.taskbar;
}

namespace {

const char kSaved[] = "PlacementTestWindow";

class PlacementValue : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (HWND window : windows_)
            DestroyWindow(window);
    }

    HWND Make(const RECT& rect, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE)
    {
        HWND window = MakeExtrasWindow("PlacementTestClass", rect, style);
        windows_.push_back(window);
        AddSystemMenuExtras(TWindow(window), true);
        return window;
    }

    // Saves the window's record, then rewrites it through `change`.
    template <typename Change> void SaveChanged(HWND window, Change change, DWORD size = 56)
    {
        ASSERT_TRUE(SavePlacementDefault(TWindow(window), kSaved));
        std::vector<BYTE> bytes = settings_.Read("App\\Serialize", kSaved);
        ASSERT_EQ(56u, bytes.size());
        TPlacementRecord record;
        std::memcpy(&record, bytes.data(), sizeof record);
        change(record);
        ASSERT_TRUE(settings_.Write("App\\Serialize", kSaved, REG_BINARY, &record, size));
    }

    TTestSettings settings_{"PlacementTest"};
    std::vector<HWND> windows_;
};

bool IsChecked(HWND window, UINT command)
{
    return (GetMenuState(PositionPopup(TWindow(window)), command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

}  // namespace

TEST_F(PlacementValue, RoundTripWithTheStoredLayout)
{
    const RECT where = {100, 120, 500, 420};
    HWND window = Make(where);
    CheckPositionRule(TWindow(window), SysCmdCentre);
    ASSERT_TRUE(SavePlacementDefault(TWindow(window), kSaved));
    const std::vector<BYTE> bytes = settings_.Read("App\\Serialize", kSaved);
    ASSERT_EQ(56u, bytes.size());
    const DWORD* field = reinterpret_cast<const DWORD*>(bytes.data());
    EXPECT_EQ(44u, field[0]);
    EXPECT_EQ(where, (RECT{LONG(field[7]), LONG(field[8]), LONG(field[9]), LONG(field[10])}));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), field[11]);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)), field[12]);
    EXPECT_EQ(SysCmdCentre, field[13]);

    CheckPositionRule(TWindow(window), SysCmdKeepPlace);
    ASSERT_TRUE(SavePlacementDefault(TWindow(window), kSaved));
    EnablePositionCommands(TWindow(window), false);
    MoveWindow(window, 300, 300, 200, 200, TRUE);
    ASSERT_TRUE(RestorePlacementDefault(TWindow(window), kSaved));
    EXPECT_EQ(where, WindowRectOf(window));
    EXPECT_TRUE(IsChecked(window, SysCmdKeepPlace));
    EXPECT_FALSE(GetMenuState(PositionPopup(TWindow(window)), SysCmdCentre, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(RestorePlacementDefault(TWindow(window), "NeverSaved"));
}

TEST_F(PlacementValue, MouseRuleReopensAroundThePointer)
{
    HWND window = Make(RECT{100, 100, 500, 400});
    CheckPositionRule(TWindow(window), SysCmdMouse);
    ASSERT_TRUE(SavePlacementDefault(TWindow(window), kSaved));
    ASSERT_TRUE(MoveCursor(640, 480));
    MoveWindow(window, 10, 10, 400, 300, TRUE);
    ASSERT_TRUE(RestorePlacementDefault(TWindow(window), kSaved));
    EXPECT_EQ((RECT{440, 330, 840, 630}), WindowRectOf(window));
    EXPECT_TRUE(IsChecked(window, SysCmdMouse));
    EXPECT_FALSE(IsChecked(window, SysCmdKeepPlace));
}

namespace {

// The system's taskbar placed along the bottom of the screen as a topmost
// window for the test and put back afterwards; Wine's own when it has one,
// else a stand-in of the same class and empty title.
class TBottomTaskbar {
public:
    TBottomTaskbar()
    {
        RECT screen = WindowRectOf(GetDesktopWindow());
        place_ = RECT{screen.left, screen.bottom - 30, screen.right, screen.bottom};
        bar_ = FindWindowA("Shell_TrayWnd", "");
        if (bar_) {
            saved_ = WindowRectOf(bar_);
            wasVisible_ = IsWindowVisible(bar_) != FALSE;
            wasTopmost_ = (GetWindowLongA(bar_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
            SetWindowPos(bar_, HWND_TOPMOST, place_.left, place_.top, place_.right - place_.left, 30,
                         SWP_SHOWWINDOW | SWP_NOACTIVATE);
        } else {
            bar_ = MakeExtrasWindow("Shell_TrayWnd", place_, WS_POPUP | WS_VISIBLE, DefWindowProcA,
                                    WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
            SetWindowTextA(bar_, "");
            standIn_ = true;
        }
    }
    ~TBottomTaskbar()
    {
        if (standIn_) {
            DestroyWindow(bar_);
            return;
        }
        SetWindowPos(bar_, wasTopmost_ ? HWND_TOPMOST : HWND_NOTOPMOST, saved_.left, saved_.top,
                     saved_.right - saved_.left, saved_.bottom - saved_.top,
                     (wasVisible_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOACTIVATE);
    }
    const RECT& Place() const { return place_; }

private:
    HWND bar_ = nullptr;
    bool standIn_ = false;
    RECT place_ = {};
    RECT saved_ = {};
    bool wasVisible_ = false;
    bool wasTopmost_ = false;
};

}  // namespace

TEST_F(PlacementValue, UnderABottomTaskbarComesBackAboveIt)
{
    const TBottomTaskbar taskbar;
    RECT work;
    GetWorkArea(work);
    ASSERT_EQ(taskbar.Place().top, work.bottom);
    HWND window = Make(RECT{100, 100, 500, 400});
    SaveChanged(window, [&](TPlacementRecord& record) {
        record.Placement.rcNormalPosition = RECT{100, work.bottom - 250, 500, work.bottom + 50};
    });
    ASSERT_TRUE(RestorePlacementDefault(TWindow(window), kSaved));
    EXPECT_EQ((RECT{100, work.bottom - 310, 500, work.bottom - 10}), WindowRectOf(window));
}

TEST_F(PlacementValue, TwinStepsAsideByCaptionAndFrame)
{
    HWND first = Make(RECT{200, 200, 600, 500});
    ASSERT_TRUE(SavePlacementDefault(TWindow(first), kSaved));
    HWND second = Make(RECT{50, 50, 250, 250});
    ASSERT_TRUE(RestorePlacementDefault(TWindow(second), kSaved));
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME);
    EXPECT_EQ((RECT{200 + step, 200 + step, 600 + step, 500 + step}), WindowRectOf(second));
}

TEST_F(PlacementValue, ShiftHeldIgnoresTheRecord)
{
    HWND window = Make(RECT{100, 100, 500, 400});
    CheckPositionRule(TWindow(window), SysCmdCentre);
    ASSERT_TRUE(SavePlacementDefault(TWindow(window), kSaved));
    MoveWindow(window, 300, 300, 200, 200, TRUE);
    EnablePositionCommands(TWindow(window), false);
    {
        const THeldKeys shift{VK_SHIFT};
        EXPECT_FALSE(RestorePlacementDefault(TWindow(window), kSaved));
    }
    EXPECT_EQ((RECT{300, 300, 500, 500}), WindowRectOf(window));
    // The commands are enabled, the rule is "this position", and the record stays.
    EXPECT_TRUE(IsChecked(window, SysCmdKeepPlace));
    EXPECT_FALSE(GetMenuState(PositionPopup(TWindow(window)), SysCmdMouse, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(56u, settings_.Read("App\\Serialize", kSaved).size());
}

TEST_F(PlacementValue, BadValuesAreMissingAndWildOnesComeInside)
{
    struct {
        DWORD size;
        UINT length;
        RECT normal;
    } const missing[] = {
        {40, 44, {100, 100, 500, 400}},
        {55, 44, {100, 100, 500, 400}},
        {56, 12, {100, 100, 500, 400}},
        {56, 44, {100, 100, 100, 100}},
        {56, 44, {500, 400, 100, 100}},
    };
    HWND window = Make(RECT{100, 100, 500, 400});
    for (const auto& row : missing) {
        SaveChanged(
            window,
            [&](TPlacementRecord& record) {
                record.Placement.length = row.length;
                record.Placement.rcNormalPosition = row.normal;
            },
            row.size);
        MoveWindow(window, 30, 40, 300, 200, TRUE);
        EXPECT_FALSE(RestorePlacementDefault(TWindow(window), kSaved)) << row.size << " " << row.normal;
        EXPECT_EQ((RECT{30, 40, 330, 240}), WindowRectOf(window));
    }

    RECT work;
    GetWorkArea(work);
    const RECT wild[] = {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {-900000, 800000, -899000, 800500},
                         {INT_MAX - 10, INT_MIN, INT_MAX, INT_MIN + 10}};
    for (const RECT& normal : wild) {
        SaveChanged(window, [&](TPlacementRecord& record) { record.Placement.rcNormalPosition = normal; });
        ASSERT_TRUE(RestorePlacementDefault(TWindow(window), kSaved)) << normal;
        const RECT placed = WindowRectOf(window);
        RECT inside;
        IntersectRect(&inside, &placed, &work);
        EXPECT_EQ(placed, inside) << normal;
        EXPECT_FALSE(IsRectEmpty(&placed)) << normal;
    }
}

TEST_F(PlacementValue, StylesFollowTheWindowAndTheRecord)
{
    HWND window = Make(RECT{100, 100, 500, 400});
    // A stored child style never makes a top-level window a child; topmost
    // and layered come back from the extended style.
    SaveChanged(window, [](TPlacementRecord& record) {
        record.Style |= WS_CHILD | WS_DISABLED;
        record.ExStyle |= WS_EX_TOPMOST | WS_EX_LAYERED;
    });
    ASSERT_TRUE(RestorePlacementDefault(TWindow(window), kSaved));
    EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    EXPECT_EQ(180, alpha);

    // Saved while shown, restored into a hidden window: it stays hidden.
    MoveWindow(window, 600, 600, 100, 100, TRUE);
    HWND hidden = Make(RECT{0, 0, 100, 100}, WS_OVERLAPPEDWINDOW);
    ASSERT_TRUE(RestorePlacementDefault(TWindow(hidden), kSaved));
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_EQ((RECT{100, 100, 500, 400}), WindowRectOf(hidden));
}
