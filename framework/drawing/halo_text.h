// Text with a halo: the text drawn first at the positions around its place
// (twenty at 96 DPI) in the dialog colour, then once in its own colour, so
// that it stays readable over any background picture. Used by the
// transparent controls and the owner-drawn menu items.
#pragma once

#include <windows.h>

// How far the halo reaches around the text: 2 pixels at 96 DPI, scaled for
// the display. The halo's offsets are the points of the square of that reach
// around the text that lie within the disc through its edges' middle points
// and their neighbours, without the centre: at 96 DPI the twenty points of
// the 5 × 5 square without its corners and centre.
int HaloReach();

// Draws `text` (with '&' access-key prefixes) at (x, y) in the DC's text
// colour, with a halo in the DC's background colour on a device without a
// palette. Disabled text is embossed there, and grey on a palette device.
void DrawHaloText(HDC dc, int x, int y, bool enabled, const char* text);

// Draws every line of `text` (CR LF, LF or CR breaks; tabs expanded from the
// line's x) at (x, y) in `textColour`, after a halo in `haloColour` on a device
// without a palette. The DC's colours and background mode are restored.
void DrawHaloTabbedText(HDC dc, int x, int y, const char* text, COLORREF textColour, COLORREF haloColour);
