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
