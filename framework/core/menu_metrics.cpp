#include "framework/core/menu_metrics.h"

#include "framework/drawing/system_font.h"
#include "framework/util/windows_version.h"

int MenuSpacingUnit = 0;

TMenuMeasuringDc::TMenuMeasuringDc()
    : screen_(nullptr), font_(CreateSystemFont(MenuFont)), selection_(screen_.Get(), font_.Get())
{
    RECT extent = {0, 0, 0, 0};
    if (screen_)
        DrawTextW(screen_.Get(), L"全", -1, &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    MenuSpacingUnit = (extent.right - extent.left) / 2;
}

int CapMenuWidth(int width)
{
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    // Half the screen rounded up, so that an odd width compares exactly.
    return width >= screen - screen / 2 ? screen / 3 : width;
}

bool AcceleratorWidensItem()
{
    return WindowsVersion() < PackWindowsVersion(4, 10, 1998) || PlatformId() == VER_PLATFORM_WIN32_NT;
}
