#include "framework/drawing/palette_device.h"

bool IsNonPaletteDevice(HDC dc)
{
    return (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) == 0;
}
