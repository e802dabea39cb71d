// The cascade and the two tilings: layouts for known counts, and real windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/core/window_arrangement.h"
#include "framework/core/work_area.h"
#include "tests/core/extras_fixture.h"

TEST(WindowArrangement, TilingCountsAndCascade)
{
    // How many windows each column holds, from the left, in the tiling with
    // more columns and in the one with fewer.
    struct {
        int count;
        std::vector<int> more, fewer;
    } const rows[] = {
        {3, {1, 1, 1}, {3}},  {8, {2, 2, 2, 2}, {4, 4}},          {15, {3, 3, 3, 3, 3}, {5, 5, 5}},
        {18, {3, 3, 3, 3, 3, 3}, {6, 6, 6}}, {1, {1}, {1}}, {2, {1, 1}, {2}}, {7, {2, 2, 3}, {3, 4}},
    };
    const RECT work = {0, 0, 1280, 994};
    for (const auto& row : rows) {
        for (bool more : {true, false}) {
            std::vector<RECT> rects(row.count);
            TileRects(row.count, work, more, rects.data());
            std::vector<int> columns;
            for (int i = 0; i < row.count; ++i) {
                if (i == 0 || rects[i].left != rects[i - 1].left)
                    columns.push_back(0);
                ++columns.back();
            }
            EXPECT_EQ(more ? row.more : row.fewer, columns) << row.count;
            EXPECT_EQ(work.right, rects.back().right);
            EXPECT_EQ(work.bottom, rects.back().bottom);
        }
    }
    // The cascade starts at the corner again where the next would cross the edge.
    RECT cascade[13];
    CascadeRects(13, work, 22, cascade);
    EXPECT_EQ((RECT{242, 242, 1202, 987}), cascade[11]);
    EXPECT_EQ((RECT{0, 0, 960, 745}), cascade[12]);
}

TEST(WindowArrangement, RealWindowsOfOneClass)
{
    HWND hidden = MakeExtrasWindow("ArrangeTest", RECT{5, 5, 205, 205});
    HWND shown[3];
    for (HWND& window : shown)
        window = MakeExtrasWindow("ArrangeTest", RECT{5, 5, 205, 205}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    RECT work, tiles[3];
    GetWorkArea(work);
    TileRects(3, work, false, tiles);
    TileWindowsOfClass("ArrangeTest", false);
    // Found in z-order, the last one shown first.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(tiles[i], WindowRectOf(shown[2 - i])) << i;
    EXPECT_EQ((RECT{5, 5, 205, 205}), WindowRectOf(hidden));

    // The cascade places the first window found last: it ends on top.
    CascadeWindowsOfClass("ArrangeTest");
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME);
    EXPECT_EQ(work.left + 2 * step, WindowRectOf(shown[2]).left);
    EXPECT_EQ(shown[2], GetForegroundWindow());
    for (HWND window : {hidden, shown[0], shown[1], shown[2]})
        DestroyWindow(window);
}
