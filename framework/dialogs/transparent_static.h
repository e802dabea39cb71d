// "TransparentStatic": a static label drawn with a halo over the parent's background.
#pragma once

#include <windows.h>

class TTransparentStatic {
public:
    // The class record from the system "STATIC" class; the owner registers it
    // with RegisterWindowClass before every CreateWindowExA.
    static void FillWindowClass(WNDCLASSA& windowClass);
    static LRESULT CALLBACK PreWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
