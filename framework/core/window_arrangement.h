// Arranging the windows of one class: a cascade and two tilings. Each takes
// the class's visible, non-minimised top-level windows that lie on the screen,
// in the order found, and lays them out over the work area; every window is
// moved, shown and brought to the foreground.
#pragma once

#include <windows.h>

// The cascade: each window three quarters of the work area wide and high,
// from its top-left corner, the next one a caption-plus-frame height further
// right and down, starting at the corner again where the next would cross the
// work area's right or bottom edge. The windows are placed in the reverse of
// the order found, so the first one found ends on top.
void CascadeWindowsOfClass(const char* className);
// The tilings: columns of equal width, each split evenly among its windows,
// dealt out column by column from the left. The first tiling makes the
// larger number of columns, the second the smaller; the last columns take the
// windows that do not divide evenly.
void TileWindowsOfClass(const char* className, bool moreColumns);

// The arithmetic, for `count` windows over `work`. `rects` receives `count`
// rectangles, the i-th for the i-th window placed (cascade) or found (tiling).
void CascadeRects(int count, const RECT& work, int step, RECT* rects);
void TileRects(int count, const RECT& work, bool moreColumns, RECT* rects);
// The number of columns of a tiling of `count` windows.
int TileColumns(int count, bool moreColumns);
