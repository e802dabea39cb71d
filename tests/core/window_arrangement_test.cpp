// The cascade and the two tilings: their layouts for known counts, and real
// windows of one class arranged by them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/core/window_arrangement.h"
#include "framework/core/work_area.h"
#include "tests/core/extras_fixture.h"

namespace {

// How many windows each column of a tiling holds, from the left.
std::vector<int> ColumnSizes(int count, bool moreColumns)
{
    std::vector<RECT> rects(count);
    TileRects(count, RECT{0, 0, 1280, 994}, moreColumns, rects.data());
    std::vector<int> sizes;
    LONG left = -1;
    for (const RECT& rect : rects) {
        if (rect.left != left)
            sizes.push_back(0);
        left = rect.left;
        ++sizes.back();
    }
    return sizes;
}

}  // namespace

TEST(WindowArrangement, TilingCounts)
{
    struct {
        int count;
        std::vector<int> more, fewer;
    } const rows[] = {
        {3, {1, 1, 1}, {3}},
        {8, {2, 2, 2, 2}, {4, 4}},
        {15, {3, 3, 3, 3, 3}, {5, 5, 5}},
        {18, {3, 3, 3, 3, 3, 3}, {6, 6, 6}},
        {1, {1}, {1}},
        {2, {1, 1}, {2}},
        {7, {2, 2, 3}, {3, 4}},  // the last columns take one more
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.more, ColumnSizes(row.count, true)) << row.count;
        EXPECT_EQ(row.fewer, ColumnSizes(row.count, false)) << row.count;
    }
    RECT rects[7];
    TileRects(7, RECT{0, 0, 1280, 994}, true, rects);
    EXPECT_EQ((RECT{0, 0, 426, 497}), rects[0]);
    EXPECT_EQ((RECT{853, 662, 1280, 994}), rects[6]);

    // The cascade starts at the corner again where the next would cross the edge.
    RECT cascade[16];
    CascadeRects(16, RECT{0, 0, 1280, 994}, 22, cascade);
    EXPECT_EQ((RECT{0, 0, 960, 745}), cascade[0]);
    EXPECT_EQ((RECT{242, 242, 1202, 987}), cascade[11]);
    EXPECT_EQ((RECT{0, 0, 960, 745}), cascade[12]);
    EXPECT_EQ((RECT{66, 66, 1026, 811}), cascade[15]);
}

TEST(WindowArrangement, RealWindowsOfOneClass)
{
    std::vector<HWND> windows;
    for (int i = 0; i < 3; ++i) {
        windows.push_back(MakeExtrasWindow("ArrangeTest", RECT{20 * i, 20 * i, 200 + 20 * i, 200 + 20 * i},
                                           WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    }
    HWND hidden = MakeExtrasWindow("ArrangeTest", RECT{5, 5, 205, 205});
    RECT work;
    GetWorkArea(work);

    TileWindowsOfClass("ArrangeTest", false);
    RECT expected[3];
    TileRects(3, work, false, expected);
    for (HWND window : windows) {
        const RECT rect = WindowRectOf(window);
        EXPECT_TRUE(std::any_of(expected, expected + 3, [&](const RECT& tile) { return tile == rect; })) << rect;
    }
    EXPECT_EQ((RECT{5, 5, 205, 205}), WindowRectOf(hidden));

    // The cascade places the first window found last: it ends on top.
    HWND first = nullptr;
    while ((first = FindWindowExA(nullptr, first, "ArrangeTest", nullptr)) == hidden) {
    }
    CascadeWindowsOfClass("ArrangeTest");
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME);
    RECT last = WindowRectOf(first);
    EXPECT_EQ(work.left + 2 * step, last.left);
    EXPECT_EQ(work.top + 2 * step, last.top);
    EXPECT_EQ(first, GetForegroundWindow());
    for (HWND window : windows)
        DestroyWindow(window);
    DestroyWindow(hidden);
}
