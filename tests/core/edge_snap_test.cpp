// Edge snapping: the arithmetic against a known set of edges, then a real
// window through BeginSnap, SnapRect and EndSnap with Shift and Escape.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/core/edge_snap.h"
#include "framework/core/work_area.h"
#include "tests/core/extras_fixture.h"

namespace {

// The work area of a 1280 x 1024 screen above a 30-pixel taskbar, and one
// other window at (600, 300)-(900, 600).
TSnapState KnownState(const RECT& window, bool moving = true, bool sizing = false)
{
    TSnapState state;
    state.SnapWhileMoving = moving;
    state.SnapWhileSizing = sizing;
    state.Work = RECT{0, 0, 1280, 994};
    state.Inset = RECT{8, 8, 1272, 986};
    state.Candidates.Add(state.Work);
    state.Candidates.Add(RECT{600, 300, 900, 600});
    InitSnap(state, window);
    return state;
}

const SIZE kMinTrack = {112, 27};

}  // namespace

TEST(SnapRect, MovingNearEdges)
{
    struct {
        RECT window;
        std::vector<RECT> proposed;  // the system's proposals, in turn
        RECT result;                 // what the last one became
    } const rows[] = {
        {{100, 100, 500, 400}, {{5, 100, 405, 400}}, {0, 100, 400, 400}},
        {{100, 100, 500, 400}, {{8, 100, 408, 400}}, {8, 100, 408, 400}},
        {{100, 100, 500, 400}, {{875, 100, 1275, 400}}, {880, 100, 1280, 400}},
        {{100, 100, 500, 400}, {{100, 690, 500, 990}}, {100, 694, 500, 994}},
        {{100, 100, 500, 400}, {{195, 120, 595, 420}}, {200, 120, 600, 420}},  // another window's edge
        {{100, 100, 500, 400}, {{-30, 100, 370, 400}}, {-30, 100, 370, 400}},  // too far out to search
        // Both edges snap: the smaller move wins, the right one on a tie; the top one on a tie.
        {{100, 100, 696, 400}, {{2, 100, 598, 400}}, {4, 100, 600, 400}},
        {{100, 100, 500, 396}, {{100, 2, 500, 298}}, {100, 0, 500, 296}},
        // A snapped window stays until the mouse has moved past the snapping distance.
        {{100, 100, 500, 400}, {{5, 100, 405, 400}, {2, 100, 402, 400}}, {0, 100, 400, 400}},
        {{100, 100, 500, 400}, {{5, 100, 405, 400}, {2, 100, 402, 400}, {3, 100, 403, 400}}, {10, 100, 410, 400}},
    };
    for (const auto& row : rows) {
        TSnapState state = KnownState(row.window);
        RECT rect = {};
        for (const RECT& proposed : row.proposed) {
            rect = proposed;
            SnapProposedRect(state, 0, rect, false, kMinTrack);
        }
        EXPECT_EQ(row.result, rect) << row.proposed.back();
    }
}

TEST(SnapRect, SwitchesSizingAndSuspension)
{
    const RECT window = {100, 100, 500, 400};
    // Shift or the right button: nothing snaps, and the movement is still counted.
    TSnapState state = KnownState(window);
    RECT rect = {5, 100, 405, 400};
    SnapProposedRect(state, 0, rect, true, kMinTrack);
    EXPECT_EQ((RECT{5, 100, 405, 400}), rect);
    EXPECT_EQ(-95, state.Offset.x);

    // Snapping while moving off.
    state = KnownState(window, false);
    rect = RECT{5, 100, 405, 400};
    SnapProposedRect(state, 0, rect, false, kMinTrack);
    EXPECT_EQ((RECT{5, 100, 405, 400}), rect);

    // With snapping while sizing on, the work area's edge squeezes a moved window.
    state = KnownState(window, true, true);
    rect = RECT{-3, 100, 397, 400};
    SnapProposedRect(state, 0, rect, false, kMinTrack);
    EXPECT_EQ((RECT{0, 100, 397, 400}), rect);

    // Sizing snaps the dragged edges only when its switch is on; the anchor follows.
    struct {
        bool sizing;
        int edge;
        RECT proposed;
        RECT result;
    } const sizes[] = {
        {true, 2, {100, 100, 1276, 400}, {100, 100, 1280, 400}},
        {true, 8, {100, 100, 596, 989}, {100, 100, 600, 994}},
        {true, 4, {4, 303, 500, 400}, {0, 300, 500, 400}},
        {false, 2, {100, 100, 1276, 400}, {100, 100, 1276, 400}},
    };
    for (const auto& row : sizes) {
        state = KnownState(window, true, row.sizing);
        rect = row.proposed;
        SnapProposedRect(state, row.edge, rect, false, kMinTrack);
        EXPECT_EQ(row.result, rect) << row.edge;
        if (row.sizing) {
            EXPECT_EQ(rect.right - rect.left, state.Anchor.right - state.Anchor.left) << row.edge;
        }
    }
}

TEST(EdgeSnap, RealWindowWithShiftAndEscape)
{
    HWND window = MakeExtrasWindow("EdgeSnapTest", RECT{100, 200, 500, 500}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    TSnapState state;
    InitSnap(state, WindowRectOf(window));
    BeginSnap(state, TWindow(window));
    RECT work;
    GetWorkArea(work);
    EXPECT_EQ(work, state.Work);
    EXPECT_EQ(work, state.Candidates.First()->value);

    RECT rect = {work.left + 6, 200, work.left + 406, 500};
    SnapRect(state, 0, rect);
    EXPECT_EQ(work.left, rect.left);
    MoveWindow(window, rect.left, rect.top, 400, 300, TRUE);
    EXPECT_TRUE(EndSnap(state, TWindow(window)));

    BeginSnap(state, TWindow(window));
    {
        const THeldKeys shift{VK_SHIFT};
        rect = RECT{work.left + 4, 200, work.left + 404, 500};
        SnapRect(state, 0, rect);
        EXPECT_EQ(work.left + 4, rect.left);
    }
    MoveWindow(window, 300, 300, 400, 300, TRUE);
    const THeldKeys escape{VK_ESCAPE};
    EXPECT_FALSE(EndSnap(state, TWindow(window)));
    EXPECT_EQ((RECT{work.left, 200, work.left + 400, 500}), WindowRectOf(window));
    DestroyWindow(window);
}
