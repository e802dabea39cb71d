// Whether a device draws in true colours or through a palette.
#pragma once

#include <windows.h>

// True when the device's raster capabilities lack RC_PALETTE.
bool IsNonPaletteDevice(HDC dc);
