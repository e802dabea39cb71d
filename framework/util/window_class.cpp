#include "framework/util/window_class.h"

void RegisterWindowClass(const WNDCLASSA& description)
{
    HINSTANCE instance = description.hInstance ? description.hInstance : GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (description.lpszClassName && GetClassInfoA(instance, description.lpszClassName, &existing))
        return;
    if (!RegisterClassA(&description))
        ExitProcess(0);
}

void RegisterWindowClass(const WNDCLASSW& description)
{
    HINSTANCE instance = description.hInstance ? description.hInstance : GetModuleHandleW(nullptr);
    WNDCLASSW existing;
    if (description.lpszClassName && GetClassInfoW(instance, description.lpszClassName, &existing))
        return;
    if (!RegisterClassW(&description))
        ExitProcess(0);
}
