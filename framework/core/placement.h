// Window placement memory: a window's placement is saved as one 56-byte
// REG_BINARY value and restored when the window opens again.
//
// The record is the system's window placement (44 bytes), then the window
// style, the extended style and the position rule (63079 centre, 63080 mouse
// pointer, 63081 this rectangle), all little-endian 32-bit. On restoring, the
// rule decides where the window goes, the rectangle is kept inside the work
// area, and a window of the same class standing on exactly the same spot makes
// the new one step aside. Holding Shift while a window opens ignores its record.
#pragma once

#include <windows.h>

#include "framework/core/window.h"
#include "framework/util/list.h"

class TRegistryKeyChain;

struct TPlacementRecord {
    WINDOWPLACEMENT Placement;  // length 44
    DWORD Style;
    DWORD ExStyle;
    DWORD Rule;                 // 63079, 63080 or 63081
};
static_assert(sizeof(WINDOWPLACEMENT) == 44, "the stored placement is 44 bytes");
static_assert(sizeof(TPlacementRecord) == 56, "the stored record is 56 bytes");

// Writes the window's record under `name` to the chain's primary key (an open
// chain). True when it was written.
bool SavePlacementValue(TWindow window, const TRegistryKeyChain& chain, const char* name);
// Reads the record and applies it. Enables the position commands and checks
// "this position" first, whatever follows. False when Shift is held or there
// is no usable record; the window is then left where it is.
bool RestorePlacementValue(TWindow window, const TRegistryKeyChain& chain, const char* name);
// The same under the subkey "Serialize" of the application's key.
bool SavePlacementDefault(TWindow window, const char* name);
bool RestorePlacementDefault(TWindow window, const char* name);

// The positions a window can take: the system keeps window coordinates in
// 16 bits, so a stored position outside them was never a window's.
const LONG kLowestPosition = -32768;
const LONG kHighestPosition = 32767;

// A stored value as a record: the first 56 bytes of `size`. A value that is
// shorter, whose placement length is not 44, whose show command is unknown,
// which holds a position outside the range above, or whose normal rectangle
// is empty or inverted is no record (false), so nothing is read past the
// value and no garbage is applied.
bool ReadPlacementRecord(const void* data, int size, TPlacementRecord& record);

// The system gives and takes the normal rectangle of a top-level window
// without the tool-window style counted from the work area's corner
// (workspace coordinates); the record holds it in screen coordinates, as the
// restoring steps compare it with the work area and with other windows.
struct TWorkspaceFacts {
    bool Counted = false;  // top-level, without WS_EX_TOOLWINDOW
    bool Normal = false;   // neither minimised nor maximised
    POINT Window = {};     // the corner of its window rectangle
    POINT Placed = {};     // the corner of the normal rectangle the system gives
    POINT Work = {};       // the corner of the system's work area
};
// Where the placement's origin lies on the screen: none for a window the
// rule does not cover; for a window in its normal state, measured (its normal
// rectangle is its window rectangle, so a system that gives screen
// coordinates all the same needs no conversion); else the work area's corner.
POINT WorkspaceOrigin(const TWorkspaceFacts& facts);

// What RestoredRect needs to know about the window and the screen.
struct TPlacementFacts {
    bool Resizable = true;    // the window has a sizing border now
    RECT Current = {};        // its window rectangle now
    SIZE MinSize = {};        // the smallest size the system lets the window take
    RECT Screen = {};         // the desktop window's rectangle
    RECT Work = {};           // the work area
    POINT Cursor = {};        // the mouse pointer
    int TwinStep = 0;         // caption plus dialog-frame height
    TList<RECT> Twins;        // the rectangles of the other windows of its class
};

// Where a window with the saved normal rectangle `saved` and position rule
// `rule` opens: a window that cannot be resized keeps its size, centred on the
// saved rectangle, and none is smaller than the system lets it be; the rule
// may centre it or put it at the pointer; then it
// is kept inside the work area (10 pixels in from an edge it crossed; one
// larger than the work area is cut to it when the window has a sizing border,
// and otherwise keeps its size with its corner 10 pixels inside) and steps
// aside from exactly covering a twin. Computed in 64 bits: any saved
// coordinates give a rectangle whose corner lies inside the work area.
RECT RestoredRect(const RECT& saved, UINT rule, const TPlacementFacts& facts);
