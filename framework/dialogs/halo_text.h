// Text with a halo: the text drawn first at twenty positions around its place
// in the dialog colour, then once in its own colour, so that it stays
// readable over any background picture. Used by the transparent controls and
// the owner-drawn menu items.
#pragma once

#include <windows.h>

// The twenty halo offsets in drawing order: the 5 × 5 square around the text
// without its corners and centre, the outer ring first.
struct THaloOffset {
    int dx;
    int dy;
};
extern const THaloOffset HaloOffsets[20];

// Draws `text` (with '&' access-key prefixes) at (x, y) in the DC's text
// colour, with a halo in the DC's background colour on a device without a
// palette. Disabled text is embossed there, and grey on a palette device.
void DrawHaloText(HDC dc, int x, int y, bool enabled, const char* text);

// Draws every line of `text` (CR LF, LF or CR breaks; tabs expanded from the
// line's x) at (x, y) in `textColour`, after a halo in `haloColour` on a device
// without a palette. The DC's colours and background mode are restored.
void DrawHaloTabbedText(HDC dc, int x, int y, const char* text, COLORREF textColour, COLORREF haloColour);
