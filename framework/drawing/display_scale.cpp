#include "framework/drawing/display_scale.h"

#include <windows.h>

#include "framework/drawing/gdi_objects.h"

namespace {

// 0 until read; constant-initialised, so that no start-up code is needed.
__constinit int displayDpi = 0;

}  // namespace

void ReadDisplayDpi()
{
    TWindowDc screen(nullptr);
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    displayDpi = dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int DisplayDpi()
{
    if (displayDpi == 0)
        ReadDisplayDpi();
    return displayDpi;
}

int ScaledLength(int length)
{
    return ScaledLength(length, DisplayDpi());
}

int ScaledLength(int length, int dpi)
{
    return MulDiv(length, dpi, USER_DEFAULT_SCREEN_DPI);
}
