// TLockDisplay: the on-screen display of the lock keys that changed.
//
// A small dark window near the bottom centre of the work area of the monitor
// the user works on (the one that holds the foreground window): the picture
// of the three lamps beside a line for each key that changed, "Caps Lock オン".
// It stays about 1.5 s and then fades out. It never takes the keyboard or the
// mouse: a topmost tool window that is never activated and that clicks pass
// through, with no taskbar button. Its window text is what it shows, so that
// a screen reader can say it. Its window is made at its first showing, and
// while it is hidden no timer runs.
#pragma once

#include <windows.h>

#include <string>

#include "framework/drawing/gdi_objects.h"

// The display's window class, which the tests look for.
#define LOCK_DISPLAY_CLASS "LockDisplay"

class TLockDisplay {
public:
    TLockDisplay() = default;
    ~TLockDisplay();
    TLockDisplay(const TLockDisplay&) = delete;
    TLockDisplay& operator=(const TLockDisplay&) = delete;

    // Shows these lines (CR LF between them) with the picture (not owned; it
    // must live while shown), or, while up, shows them instead of what it
    // showed and starts its time again. False when the window cannot be made.
    bool Show(const char* text, HICON picture);
    HWND Window() const { return window_; }

private:
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Create();
    void Arrange();
    void Paint(HDC dc);
    void OnTimer(UINT_PTR timer);

    HWND window_ = nullptr;
    TGdiObject<HFONT> font_;
    HICON picture_ = nullptr;
    std::wstring text_;
    SIZE textSize_ = {};
    int alpha_ = 0;
};
