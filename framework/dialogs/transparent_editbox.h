// "TransparentEdit": a read-only multi-line edit whose text is drawn with a
// halo over the parent's background instead of on a window-coloured field.
#pragma once

#include <windows.h>

class TTransparentEditbox {
public:
    // The class record from the system "EDIT" class; the owner registers it
    // with RegisterWindowClass before every CreateWindowExW.
    static void FillWindowClass(WNDCLASSW& windowClass);
    static LRESULT CALLBACK PreWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
