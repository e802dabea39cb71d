// Public interface of LAMPHOOK.dll, the system-wide keyboard hook that tells
// the indicator's monitor window about every press of a lock key.
#pragma once

#include <windows.h>

// The three lock states as the library reports them: 1 for on, 0 for off.
struct IndicateData {
    BYTE numLock;
    BYTE capsLock;
    BYTE scrollLock;
};

// Sent to the monitor window after each lock-key press; both parameters are 0.
const UINT WM_LOCKKEYCHANGED = WM_USER + 100;
// Posted to the monitor window when the lock states may have changed where no
// hook could read them as they are: the window reads them from the system
// itself. Both parameters are 0.
const UINT WM_RESYNCLOCKSTATES = WM_USER + 101;
// Posted to the monitor window by the 64-bit companion program on Windows once
// its hook is installed for good: the 32-bit hook is then installed again, so
// that it is ahead of the 64-bit one and both are called. Both parameters are 0.
const UINT WM_COMPANIONHOOKED = WM_USER + 102;
// The companion's exit code when it found nothing to serve (no indicator, no
// library, or another companion serving it): starting it again would not help.
const DWORD COMPANION_NOTHING_TO_SERVE = 1;

// The monitor window is found by class and title; that pair is the contract
// between the library and the program that owns the window.
#define MONITOR_WINDOW_CLASS "ShapeClass"
#define MONITOR_WINDOW_TITLE "INDICATOR MONITOR WINDOW"

// Window properties of the monitor window; each holds 1 or 0, and
// "KeyboardHook" the handle of the installed hook (null when none).
// "KeyboardHook64" holds the handle of the 64-bit library's hook, which the
// companion program installs beside the 32-bit one on 64-bit Windows.
#define PROP_NUMLOCK "NumLock"
#define PROP_CAPSLOCK "CapsLock"
#define PROP_SCROLLLOCK "ScrollLock"
#define PROP_KEYBOARDHOOK "KeyboardHook"
#define PROP_KEYBOARDHOOK64 "KeyboardHook64"
// "ShownLockStates" holds the states whose picture the tray icon shows, as
// 8 + 4 Num + 2 Caps + Scroll (absent while it shows none): the hook compares
// the typing thread's states with it at the first press of every key.
#define PROP_SHOWNSTATES "ShownLockStates"

#ifdef LAMPHOOK_BUILD
#define LAMPHOOK_API extern "C" __declspec(dllexport)
#else
#define LAMPHOOK_API extern "C" __declspec(dllimport)
#endif

LAMPHOOK_API BOOL WINAPI SetCaptureIndicate(HWND window);
LAMPHOOK_API void WINAPI ReleaseCaptureIndicate(HWND window);
LAMPHOOK_API void WINAPI GetIndicateData(IndicateData* data);
