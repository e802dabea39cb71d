#include "framework/util/taskbar.h"

#include <windows.h>

namespace {

// -1 until asked.
int CachedRebar = -1;

}  // namespace

bool TaskbarHoldsRebar(HWND taskbar)
{
    return taskbar && FindWindowExW(taskbar, nullptr, L"ReBarWindow32", L"") != nullptr;
}

bool FindTaskbarRebar()
{
    return TaskbarHoldsRebar(FindWindowW(L"Shell_TrayWnd", L""));
}

bool HasTaskbarRebar()
{
    if (CachedRebar < 0)
        CachedRebar = FindTaskbarRebar() ? 1 : 0;
    return CachedRebar != 0;
}
