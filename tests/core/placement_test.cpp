// Placement memory: bad stored records, where a window reopens, and the round
// trip through the registry with real windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "framework/core/placement.h"
#include "framework/core/system_menu_extras.h"
#include "framework/core/window_position.h"
#include "framework/core/work_area.h"
#include "tests/allocation_hooks.h"
#include "tests/core/extras_fixture.h"
#include "tests/util/guarded_text.h"

TEST(PlacementRecord, ShortOrGarbledValuesAreNoRecord)
{
    struct {
        bool usable;
        int size;
        UINT length;
        RECT normal;
        UINT show = SW_SHOWNORMAL;
        POINT minimised = {-1, -1};
    } const rows[] = {
        {true, 56, 44, {1, 2, 3, 4}},  {true, 60, 44, {1, 2, 3, 4}},  // a longer value gives its first 56 bytes
        {false, 0, 44, {1, 2, 3, 4}},  {false, 55, 44, {1, 2, 3, 4}}, {false, 56, 0, {1, 2, 3, 4}},
        {false, 56, 56, {1, 2, 3, 4}}, {false, 56, 44, {1, 2, 1, 4}}, {false, 56, 44, {3, 2, 1, 4}},
        {false, 56, 44, {1, 4, 3, 2}},
        // Positions a window can take, and beyond them; show commands the system knows, and beyond.
        {true, 56, 44, {-32768, -32768, 32767, 32767}, SW_MAX, {-32000, -32000}},
        {false, 56, 44, {-32769, 0, 10, 10}},  {false, 56, 44, {0, 0, 10, 32768}},
        {false, 56, 44, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}},
        {false, 56, 44, {1, 2, 3, 4}, SW_MAX + 1}, {false, 56, 44, {1, 2, 3, 4}, SW_SHOWNORMAL, {40000, 0}},
    };
    for (const auto& row : rows) {
        BYTE bytes[60] = {};
        TPlacementRecord record = {};
        record.Placement.length = row.length;
        record.Placement.showCmd = row.show;
        record.Placement.ptMinPosition = row.minimised;
        record.Placement.ptMaxPosition = POINT{-1, -1};
        record.Placement.rcNormalPosition = row.normal;
        std::memcpy(bytes, &record, sizeof record);
        // The value ends just before an unreadable page: reading past it faults.
        const TGuardedBytes value(bytes, row.size);
        TPlacementRecord read;
        EXPECT_EQ(row.usable, ReadPlacementRecord(value.Data(), row.size, read)) << row.size << " " << row.normal;
    }
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
        {{0, 0, 1280, 994}, SysCmdKeepPlace, {0, 0, 1280, 994}},
        {{100, 900, 500, 1100}, SysCmdKeepPlace, {100, 784, 500, 984}},
        {{1000, -50, 1400, 250}, SysCmdKeepPlace, {870, 10, 1270, 310}},
        {{-300, 100, 100, 300}, SysCmdKeepPlace, {10, 100, 410, 300}},
        {{-100000, -100000, -99600, -99700}, SysCmdKeepPlace, {10, 10, 410, 310}},
        {{INT_MAX - 200, INT_MAX - 100, INT_MAX, INT_MAX}, SysCmdKeepPlace, {1070, 884, 1270, 984}},
        {{0, 0, 2000, 1500}, SysCmdKeepPlace, {10, 10, 1280, 994}},  // larger: cut to the work area
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, SysCmdKeepPlace, {10, 10, 1280, 994}},
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, SysCmdCentre, {10, 10, 1280, 994}},
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, SysCmdMouse, {10, 10, 1280, 994}},
        {{INT_MAX - 10, INT_MIN, INT_MAX, INT_MIN + 10}, SysCmdKeepPlace, {1158, 10, 1270, 37}},  // grown
        {{5, 5, 406, 305}, SysCmdCentre, {439, 362, 840, 662}},
        {{5, 5, 405, 305}, SysCmdMouse, {400, 350, 800, 650}},
        {{5, 5, 1255, 305}, SysCmdMouse, {15, 350, 1265, 650}},  // no room for the margins: centred
        {{200, 200, 600, 500}, 12345, {200, 200, 600, 500}},
        // Twins on the same spot: one step each; at the right or bottom edge back to the left or top.
        {{100, 100, 500, 400}, SysCmdKeepPlace, {166, 166, 566, 466}},
        {{870, 700, 1270, 980}, SysCmdKeepPlace, {0, 0, 400, 280}},
    };
    facts.MinSize = SIZE{112, 27};
    for (RECT twin : {RECT{100, 100, 500, 400}, RECT{122, 122, 522, 422}, RECT{144, 144, 544, 444},
                      RECT{870, 700, 1270, 980}})
        facts.Twins.Add(twin);
    for (const auto& row : rows)
        EXPECT_EQ(row.expected, RestoredRect(row.saved, row.rule, facts)) << row.saved << " rule " << row.rule;

    // The pointer near a corner: 32 pixels clear of the screen edges.
    facts.Cursor = POINT{5, 1020};
    EXPECT_EQ((RECT{32, 692, 432, 992}), RestoredRect(RECT{0, 0, 400, 300}, SysCmdMouse, facts));
    // A window that cannot be resized keeps its size, centred on the saved
    // rectangle, even where it is larger than the work area: its corner comes
    // inside and the rest sticks out, as cutting would hide its lowest row.
    facts.Resizable = false;
    struct {
        RECT current, saved, expected;
    } const fixed[] = {
        {{0, 0, 200, 100}, {100, 100, 500, 400}, {200, 200, 400, 300}},
        {{0, 0, 200, 100}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX - 100}, {10, 10, 210, 110}},
        {{0, 0, 1400, 1100}, {0, 0, 1400, 1100}, {10, 10, 1410, 1110}},
        {{0, 0, 1400, 1100}, {500, 500, 700, 600}, {10, 10, 1410, 1110}},
        {{0, 0, 300, 1000}, {900, 0, 1200, 1000}, {900, 10, 1200, 1010}},
        {{0, 0, 1300, 200}, {-50, 700, 1250, 900}, {10, 700, 1310, 900}},
    };
    for (const auto& row : fixed) {
        facts.Current = row.current;
        EXPECT_EQ(row.expected, RestoredRect(row.saved, SysCmdKeepPlace, facts)) << row.current << " " << row.saved;
    }

    // Centring truncates toward zero; a size beyond the int range is cut, not wrapped.
    EXPECT_EQ((RECT{-10, 462, 1291, 562}), CentredRect(RECT{0, 0, 1301, 100}, facts.Screen));
    EXPECT_EQ(INT_MAX, CentredRect(RECT{INT_MIN, 0, INT_MAX, 10}, facts.Screen).right);
}

TEST(WorkspaceOrigin, MeasuredOnANormalWindowElseTheWorkArea)
{
    struct {
        bool counted, normal;
        POINT window, placed, work, expected;
    } const rows[] = {
        {true, true, {100, 130}, {100, 100}, {0, 30}, {0, 30}},     // counted from a top taskbar's edge
        {true, true, {160, 100}, {100, 100}, {60, 0}, {60, 0}},     // from a left one
        {true, true, {100, 130}, {100, 130}, {0, 30}, {0, 0}},      // a system that gives screen coordinates
        {true, false, {-32000, -32000}, {100, 100}, {0, 30}, {0, 30}},  // minimised: the work area's corner
        {false, true, {100, 130}, {100, 100}, {0, 30}, {0, 0}},     // a tool window or a child
    };
    for (const auto& row : rows) {
        TWorkspaceFacts facts;
        facts.Counted = row.counted;
        facts.Normal = row.normal;
        facts.Window = row.window;
        facts.Placed = row.placed;
        facts.Work = row.work;
        const POINT origin = WorkspaceOrigin(facts);
        EXPECT_EQ(row.expected.x, origin.x) << &row - rows;
        EXPECT_EQ(row.expected.y, origin.y) << &row - rows;
    }
}

TEST(WorkArea, BesideTheTaskbar)
{
    const RECT screen = {0, 0, 1280, 1024};
    struct {
        RECT taskbar, work;
    } const rows[] = {
        {{-2, 990, 1282, 1026}, {0, 0, 1280, 990}},  {{0, 0, 1280, 30}, {0, 30, 1280, 1024}},
        {{0, 0, 60, 1024}, {60, 0, 1280, 1024}},     {{1220, 0, 1280, 1024}, {0, 0, 1220, 1024}},
        {{0, 0, 1280, 1024}, {0, 0, 1280, 1024}},    {{100, 994, 1280, 1024}, {0, 0, 1280, 1024}},
        {{0, 500, 1280, 530}, {0, 0, 1280, 1024}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.work, WorkAreaBesideTaskbar(screen, row.taskbar)) << row.taskbar;
}

namespace {

const char kName[] = "PlacementTestWindow";

// Wine's own taskbar, hidden in the test desktop, placed at `bar` as a
// topmost window while the object lives; a stand-in (kept in `windows`) only
// when there is none.
class TTaskbarAt {
public:
    TTaskbarAt(const RECT& bar, std::vector<HWND>& windows) : taskbar_(FindWindowA("Shell_TrayWnd", ""))
    {
        saved_ = WindowRectOf(taskbar_);
        show_ = IsWindowVisible(taskbar_) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
        if (!taskbar_) {
            windows.push_back(taskbar_ = MakeExtrasWindow("Shell_TrayWnd", bar, WS_POPUP));
            SetWindowTextA(taskbar_, "");
        }
        SetWindowPos(taskbar_, HWND_TOPMOST, bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top,
                     SWP_SHOWWINDOW | SWP_NOACTIVATE);
    }
    ~TTaskbarAt()
    {
        SetWindowPos(taskbar_, HWND_NOTOPMOST, saved_.left, saved_.top, saved_.right - saved_.left,
                     saved_.bottom - saved_.top, show_ | SWP_NOACTIVATE);
    }
    TTaskbarAt(const TTaskbarAt&) = delete;
    TTaskbarAt& operator=(const TTaskbarAt&) = delete;

private:
    HWND taskbar_;
    RECT saved_;
    UINT show_;
};

class PlacementValue : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (HWND window : windows_)
            DestroyWindow(window);
    }
    HWND Make(const RECT& rect, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE)
    {
        windows_.push_back(MakeExtrasWindow("PlacementTestClass", rect, style));
        AddSystemMenuExtras(TWindow(windows_.back()), true);
        return windows_.back();
    }
    // Saves the window's record, changed by `change` and cut to `size` bytes.
    template <typename Change> void SaveChanged(HWND window, Change change, DWORD size = 56)
    {
        TPlacementRecord record;
        ASSERT_TRUE(SavePlacementDefault(TWindow(window), kName));
        ASSERT_EQ(56u, settings_.Read("App\\Serialize", kName, &record, sizeof record));
        change(record);
        ASSERT_TRUE(settings_.Write("App\\Serialize", kName, REG_BINARY, &record, size));
    }
    bool Restore(HWND window) { return RestorePlacementDefault(TWindow(window), kName); }

    TTestSettings settings_{"PlacementTest"};
    std::vector<HWND> windows_;
};

}  // namespace

TEST_F(PlacementValue, RoundTripAndShift)
{
    const RECT where = {100, 120, 500, 420};
    HWND window = Make(where);
    CheckPositionRule(TWindow(window), SysCmdKeepPlace);
    ASSERT_TRUE(SavePlacementDefault(TWindow(window), kName));
    DWORD field[14] = {};
    ASSERT_EQ(56u, settings_.Read("App\\Serialize", kName, field, sizeof field));
    EXPECT_EQ(44u, field[0]);
    EXPECT_EQ(where, (RECT{LONG(field[7]), LONG(field[8]), LONG(field[9]), LONG(field[10])}));
    EXPECT_EQ(DWORD(GetWindowLongA(window, GWL_STYLE)), field[11]);
    EXPECT_EQ(SysCmdKeepPlace, field[13]);

    MoveWindow(window, 300, 300, 200, 200, TRUE);
    {
        // Shift held: the record is ignored, not deleted; the commands are enabled all the same.
        const THeldKeys shift{VK_SHIFT};
        EXPECT_FALSE(Restore(window));
    }
    EXPECT_EQ((RECT{300, 300, 500, 500}), WindowRectOf(window));
    EXPECT_FALSE(GetMenuState(PositionPopup(TWindow(window)), SysCmdCentre, MF_BYCOMMAND) & MF_GRAYED);
    ASSERT_TRUE(Restore(window));
    EXPECT_EQ(where, WindowRectOf(window));
    EXPECT_EQ(SysCmdKeepPlace, CheckedPositionRule(TWindow(window)));
    EXPECT_FALSE(RestorePlacementDefault(TWindow(window), "NeverSaved"));
}

TEST_F(PlacementValue, MouseRuleAndTwin)
{
    HWND window = Make(RECT{100, 100, 500, 400});
    ASSERT_TRUE(RunSystemMenuExtra(TWindow(window), SysCmdCentre));
    EXPECT_EQ(CentredRect(RECT{0, 0, 400, 300}, WindowRectOf(GetDesktopWindow())), WindowRectOf(window));
    ASSERT_TRUE(MoveCursor(640, 480));
    ASSERT_TRUE(RunSystemMenuExtra(TWindow(window), SysCmdMouse));
    EXPECT_EQ((RECT{440, 330, 840, 630}), WindowRectOf(window));
    MoveWindow(window, 10, 10, 400, 300, TRUE);
    ASSERT_TRUE(SavePlacementDefault(TWindow(window), kName));
    ASSERT_TRUE(Restore(window));
    EXPECT_EQ((RECT{440, 330, 840, 630}), WindowRectOf(window));
    EXPECT_EQ(SysCmdMouse, CheckedPositionRule(TWindow(window)));

    // A second window of the class opening on exactly the first one's spot steps aside.
    ASSERT_TRUE(RunSystemMenuExtra(TWindow(window), SysCmdKeepPlace));
    EXPECT_EQ((RECT{440, 330, 840, 630}), WindowRectOf(window));
    ASSERT_TRUE(SavePlacementDefault(TWindow(window), kName));
    HWND twin = Make(RECT{50, 50, 250, 250});
    ASSERT_TRUE(Restore(twin));
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME);
    EXPECT_EQ((RECT{440 + step, 330 + step, 840 + step, 630 + step}), WindowRectOf(twin));
}

TEST_F(PlacementValue, UnderABottomTaskbarComesBackAboveIt)
{
    const RECT screen = WindowRectOf(GetDesktopWindow());
    const RECT bar = {screen.left, screen.bottom - 30, screen.right, screen.bottom};
    const TTaskbarAt taskbar(bar, windows_);
    RECT work;
    GetWorkArea(work);
    EXPECT_EQ((RECT{screen.left, screen.top, screen.right, bar.top}), work);

    HWND window = Make(RECT{100, 100, 500, 400});
    SaveChanged(window, [&](TPlacementRecord& record) {
        record.Placement.rcNormalPosition = RECT{100, bar.top - 250, 500, bar.top + 50};
    });
    EXPECT_TRUE(Restore(window));
    EXPECT_EQ((RECT{100, bar.top - 310, 500, bar.top - 10}), WindowRectOf(window));
}

TEST_F(PlacementValue, BesideATopOrLeftTaskbarStaysPut)
{
    // The record holds screen coordinates, and a window saved just beside
    // the taskbar opens again exactly there, with the taskbar at the top and
    // at the left.
    const RECT screen = WindowRectOf(GetDesktopWindow());
    const RECT bars[] = {{screen.left, screen.top, screen.right, screen.top + 30},
                         {screen.left, screen.top, screen.left + 60, screen.bottom}};
    for (const RECT& bar : bars) {
        const TTaskbarAt taskbar(bar, windows_);
        RECT work;
        GetWorkArea(work);
        const RECT where = {work.left + 5, work.top + 5, work.left + 405, work.top + 305};
        HWND window = Make(where);
        ASSERT_TRUE(SavePlacementDefault(TWindow(window), kName));
        TPlacementRecord record;
        ASSERT_EQ(56u, settings_.Read("App\\Serialize", kName, &record, sizeof record));
        EXPECT_EQ(where, record.Placement.rcNormalPosition) << bar;
        MoveWindow(window, 300, 300, 200, 200, TRUE);
        ASSERT_TRUE(Restore(window));
        EXPECT_EQ(where, WindowRectOf(window)) << bar;
    }
}

TEST_F(PlacementValue, BadValuesAreMissingWildOnesComeInside)
{
    HWND window = Make(RECT{100, 100, 500, 400});
    struct {
        DWORD size;
        UINT length;
        RECT normal;
    } const missing[] = {{55, 44, {1, 2, 3, 4}},
                         {56, 12, {1, 2, 3, 4}},
                         {56, 44, {3, 4, 1, 2}},
                         {56, 44, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}},
                         {56, 44, {-900000, 800000, -899000, 800500}},
                         {56, 44, {INT_MAX - 10, INT_MIN, INT_MAX, INT_MIN + 10}}};
    for (const auto& row : missing) {
        SaveChanged(
            window,
            [&](TPlacementRecord& record) {
                record.Placement.length = row.length;
                record.Placement.rcNormalPosition = row.normal;
            },
            row.size);
        MoveWindow(window, 30, 40, 300, 200, TRUE);
        EXPECT_FALSE(Restore(window)) << row.size << " " << row.normal;
        EXPECT_EQ((RECT{30, 40, 330, 240}), WindowRectOf(window));
    }
    RECT work;
    GetWorkArea(work);
    for (const RECT& normal : {RECT{-32768, -32768, 32767, 32767}, RECT{-30000, 30000, -29000, 30500},
                               RECT{32757, -32768, 32767, -32758}}) {
        SaveChanged(window, [&](TPlacementRecord& record) { record.Placement.rcNormalPosition = normal; });
        ASSERT_TRUE(Restore(window)) << normal;
        RECT placed = WindowRectOf(window), inside;
        IntersectRect(&inside, &placed, &work);
        EXPECT_EQ(placed, inside) << normal;
    }
}

TEST_F(PlacementValue, RestoringLeavesNothingAllocated)
{
    HWND window = Make(RECT{100, 100, 500, 400});
    HWND twin = Make(RECT{100, 100, 500, 400});
    ASSERT_TRUE(SavePlacementDefault(TWindow(window), kName));
    ASSERT_TRUE(Restore(twin));  // what is made once and kept is made now
    const long live = LiveAllocations();
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(Restore(twin));
    EXPECT_EQ(live, LiveAllocations());
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
    ASSERT_TRUE(Restore(window));
    EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    BYTE alpha = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr));
    EXPECT_EQ(180, alpha);

    // Saved while shown, restored into a hidden window: it stays hidden.
    MoveWindow(window, 600, 600, 150, 150, TRUE);
    HWND hidden = Make(RECT{0, 0, 150, 150}, WS_OVERLAPPEDWINDOW);
    ASSERT_TRUE(Restore(hidden));
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_EQ((RECT{100, 100, 500, 400}), WindowRectOf(hidden));
}
