#include "framework/core/work_area.h"

RECT WorkAreaBesideTaskbar(const RECT& screen, const RECT& taskbar)
{
    RECT area = screen;
    const bool touchesTop = taskbar.top <= screen.top;
    const bool touchesBottom = taskbar.bottom >= screen.bottom;
    const bool touchesLeft = taskbar.left <= screen.left;
    const bool touchesRight = taskbar.right >= screen.right;
    if (touchesLeft && touchesRight && touchesTop != touchesBottom) {
        if (screen.top < taskbar.top)
            area.bottom = taskbar.top;
        else
            area.top = taskbar.bottom;
    } else if (touchesTop && touchesBottom && touchesLeft != touchesRight) {
        if (screen.left < taskbar.left)
            area.right = taskbar.left;
        else
            area.left = taskbar.right;
    }
    return area;
}

void GetWorkArea(RECT& area)
{
    GetWindowRect(GetDesktopWindow(), &area);
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", L"");
    if (!taskbar || !IsWindowVisible(taskbar) || !(GetWindowLongW(taskbar, GWL_EXSTYLE) & WS_EX_TOPMOST))
        return;
    RECT bar;
    RECT overlap;
    if (!GetWindowRect(taskbar, &bar) || !IntersectRect(&overlap, &bar, &area))
        return;
    area = WorkAreaBesideTaskbar(area, bar);
}
