#include "framework/util/taskbar.h"

#include <windows.h>

namespace {

// -1 until asked.
int CachedRebar = -1;

}  // namespace

bool TaskbarHoldsRebar(HWND taskbar)
{
    return taskbar && FindWindowExA(taskbar, nullptr, "ReBarWindow32", "") != nullptr;
}

bool FindTaskbarRebar()
{
    return TaskbarHoldsRebar(FindWindowA("Shell_TrayWnd", ""));
}

bool HasTaskbarRebar()
{
    if (CachedRebar < 0)
        CachedRebar = FindTaskbarRebar() ? 1 : 0;
    return CachedRebar != 0;
}
