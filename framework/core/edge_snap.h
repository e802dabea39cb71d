// Edge snapping while a shape is moved or sized: its edges are drawn to the
// edges of the work area and of the other visible windows when they come
// within 7 pixels.
//
// The shape calls BeginSnap on WM_ENTERSIZEMOVE, SnapRect on WM_MOVING (edge
// 0) and WM_SIZING (the sizing edge), and EndSnap on WM_EXITSIZEMOVE. While a
// window is moved its position follows an anchor rectangle plus the mouse
// movement accumulated since the anchor was set, so a snapped window stays put
// until the mouse has moved further than the snapping distance. Shift or the
// right mouse button held suspends snapping; Escape at the end puts the window
// back where the move began.
#pragma once

#include <windows.h>

#include "framework/core/window.h"
#include "framework/util/list.h"

struct TSnapState {
    // The shape's two switches.
    bool SnapWhileMoving = true;
    bool SnapWhileSizing = false;

    RECT Work = {};          // the work area
    RECT Inset = {};         // the work area 8 pixels in on every side
    TList<RECT> Candidates;  // the work area and the visible top-level windows
    RECT Start = {};         // the window at the start of the move or size
    RECT Anchor = {};        // where the accumulated offset counts from
    RECT LastProposed = {};  // the last rectangle handed back
    POINT Offset = {};       // mouse movement since the anchor was set
    POINT SavedOffset = {};  // Offset at the start, for Escape
    bool Changed = false;
};

// The state of a window that has just opened at `rect`: the start, the anchor
// and the last rectangle are all that rectangle, and nothing is accumulated.
void InitSnap(TSnapState& state, const RECT& rect);

// Takes the work area and the candidate edges, and starts a move or size.
void BeginSnap(TSnapState& state, TWindow window);
// Snaps the proposed rectangle of WM_MOVING (edge 0) or WM_SIZING (edge 1 to 8).
void SnapRect(TSnapState& state, int edge, RECT& proposed);
// Ends the move or size. With Escape held the window goes back to where it
// began and the result is false; otherwise whether the window now stands
// elsewhere than at the start.
bool EndSnap(TSnapState& state, TWindow window);

// The arithmetic of SnapRect: `suspended` for Shift or the right button held,
// `minTrack` the smallest window size the system allows.
void SnapProposedRect(TSnapState& state, int edge, RECT& proposed, bool suspended, SIZE minTrack);

// The nearest candidate edge to `c` that lies within [low, high]: left and
// right edges when `horizontal`, else top and bottom. The search starts from a
// distance of 17 and keeps the earlier edge on equal distance; `c` is moved to
// the edge when it is at most 7 pixels away. `snapped` tells whether it was.
int SnapCoordinate(const TList<RECT>& candidates, bool horizontal, int c, int low, int high, bool& snapped);
