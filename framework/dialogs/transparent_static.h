// "TransparentStatic": a static label drawn with a halo over the parent's background.
#pragma once

#include <windows.h>

class TTransparentStatic {
public:
    // The class record from the system "STATIC" class; the owner registers it
    // with RegisterWindowClass before every CreateWindowExW.
    static void FillWindowClass(WNDCLASSW& windowClass);
    static LRESULT CALLBACK PreWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
