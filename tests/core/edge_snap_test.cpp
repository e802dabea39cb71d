// Edge snapping: the arithmetic against known edges, then a real window
// through BeginSnap, SnapRect and EndSnap with Shift and Escape.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/core/edge_snap.h"
#include "framework/core/work_area.h"
#include "tests/core/extras_fixture.h"

TEST(SnapRect, MovingAndSizingNearEdges)
{
    struct {
        int edge;                    // 0 for a move, else the sizing edge
        bool moving, sizing, held;   // the two switches; Shift or the right button held
        RECT window;
        std::vector<RECT> proposed;  // the system's proposals, in turn
        RECT result;                 // what the last one became
    } const rows[] = {
        {0, true, false, false, {100, 100, 500, 400}, {{5, 100, 405, 400}}, {0, 100, 400, 400}},
        {0, true, false, false, {100, 100, 500, 400}, {{8, 100, 408, 400}}, {8, 100, 408, 400}},
        {0, true, false, false, {100, 100, 500, 400}, {{875, 100, 1275, 400}}, {880, 100, 1280, 400}},
        {0, true, false, false, {100, 100, 500, 400}, {{100, 690, 500, 990}}, {100, 694, 500, 994}},
        {0, true, false, false, {100, 100, 500, 400}, {{195, 120, 595, 420}}, {200, 120, 600, 420}},
        {0, true, false, false, {100, 100, 500, 400}, {{-30, 100, 370, 400}}, {-30, 100, 370, 400}},
        // Both edges snap by the same amount: the right one wins, and the top one.
        {0, true, false, false, {100, 100, 696, 400}, {{2, 100, 598, 400}}, {4, 100, 600, 400}},
        {0, true, false, false, {100, 100, 500, 396}, {{100, 2, 500, 298}}, {100, 0, 500, 296}},
        // Snapped, the window stays until the mouse has moved past the snapping distance.
        {0, true, false, false, {100, 100, 500, 400}, {{5, 100, 405, 400}, {2, 100, 402, 400}}, {0, 100, 400, 400}},
        {0, true, false, false, {100, 100, 500, 400},
         {{5, 100, 405, 400}, {2, 100, 402, 400}, {3, 100, 403, 400}}, {10, 100, 410, 400}},
        {0, true, false, true, {100, 100, 500, 400}, {{5, 100, 405, 400}}, {5, 100, 405, 400}},
        {0, false, false, false, {100, 100, 500, 400}, {{5, 100, 405, 400}}, {5, 100, 405, 400}},
        // Snapping while sizing too: the work area's edge squeezes a moved window.
        {0, true, true, false, {100, 100, 500, 400}, {{-3, 100, 397, 400}}, {0, 100, 397, 400}},
        {2, true, true, false, {100, 100, 500, 400}, {{100, 100, 1276, 400}}, {100, 100, 1280, 400}},
        {8, true, true, false, {100, 100, 500, 400}, {{100, 100, 596, 989}}, {100, 100, 600, 994}},
        {4, true, true, false, {100, 100, 500, 400}, {{4, 303, 500, 400}}, {0, 300, 500, 400}},
        {2, true, false, false, {100, 100, 500, 400}, {{100, 100, 1276, 400}}, {100, 100, 1276, 400}},
    };
    for (const auto& row : rows) {
        // The work area of a 1280 x 1024 screen above a 30-pixel taskbar, and one other window.
        TSnapState state;
        state.SnapWhileMoving = row.moving;
        state.SnapWhileSizing = row.sizing;
        state.Work = RECT{0, 0, 1280, 994};
        state.Inset = RECT{8, 8, 1272, 986};
        state.Candidates.Add(state.Work);
        state.Candidates.Add(RECT{600, 300, 900, 600});
        InitSnap(state, row.window);
        RECT rect = {};
        for (const RECT& proposed : row.proposed) {
            rect = proposed;
            SnapProposedRect(state, row.edge, rect, row.held, SIZE{112, 27});
        }
        EXPECT_EQ(row.result, rect) << row.edge << " " << row.proposed.back();
        // Held keys still count the mouse; sizing moves the anchor with the edges.
        if (row.held) {
            EXPECT_EQ(row.proposed.back().left - row.window.left, state.Offset.x);
        } else if (row.edge != 0 && row.sizing) {
            EXPECT_EQ(rect, state.Anchor);
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
