#include "framework/util/display_scale.h"

#include <windows.h>

#include "framework/util/gdi_objects.h"

namespace {

int ReadDisplayDpi()
{
    TWindowDc screen(nullptr);
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

int DisplayDpi()
{
    static const int dpi = ReadDisplayDpi();
    return dpi;
}

int ScaledLength(int length)
{
    return MulDiv(length, DisplayDpi(), USER_DEFAULT_SCREEN_DPI);
}
