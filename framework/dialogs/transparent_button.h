// "TransparentButton" (group boxes, check boxes, radio buttons) and
// "TransparentPushButton" (owner-drawn push buttons with an icon): one
// procedure under two class names, both made from the system "BUTTON" class.
#pragma once

#include <windows.h>

class TTransparentButton {
public:
    // The class records; the owner registers them with RegisterWindowClass
    // before every CreateWindowExW.
    static void FillWindowClass(WNDCLASSW& windowClass);
    static void FillPushWindowClass(WNDCLASSW& windowClass);
    static LRESULT CALLBACK PreWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
