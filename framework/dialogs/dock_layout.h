// The docking layout of a group, as arithmetic without windows.
//
// Children are measured, each gets its gaps added (unless it is empty), and
// the group's size comes from walking them from the last to the first: a
// child docked left or right adds its width, one docked at the top or bottom
// adds its height, and a filling child replaces what was summed so far. Then,
// from the first child on, each takes its slot off the free rectangle and
// sits in it by its alignment. The gap after the last child is not part of
// the group.
#pragma once

#include <windows.h>

#include <vector>

// The side of the enclosing group's free area an element takes.
enum TDock : int {
    DockLeft = 0,
    DockRight = 1,
    DockTop = 2,
    DockBottom = 3,
    DockFill = 4,  // all that remains
};

// Where an element sits inside the slot it was given.
enum TAlign : int {
    AlignLeft = 0,    // left edge, centred vertically
    AlignRight = 1,   // right edge, centred vertically
    AlignTop = 2,     // top edge, centred horizontally
    AlignBottom = 3,  // bottom edge, centred horizontally
    AlignCentre = 4,  // centred both ways
};

struct TDockItem {
    int Dock;   // TDock; any other value fills
    int Align;  // TAlign; any other value centres
    SIZE Size;  // as the child measured itself
};

struct TDockLayout {
    SIZE Total = {0, 0};          // the group without a caption, the last gap taken off
    std::vector<SIZE> Sizes;      // per child, gaps included
    std::vector<POINT> Positions; // per child, inside the group
};

TDockLayout DockLayout(const std::vector<TDockItem>& items, int gapX, int gapY);

// c(a, b, s): where a span of s starts when centred in [a, b] (inclusive),
// divided with truncation toward zero.
int CentredIn(int a, int b, int s);
