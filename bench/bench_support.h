// What the benchmark programs share: where they run from, what system they
// run on, a clock, and a window of their own that counts the keys it gets.
#pragma once

#include <windows.h>

#include <string>

// This program's folder, with its trailing backslash.
inline std::string ProgramFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.erase(folder.rfind('\\') + 1);
}

// A 32-bit program on 64-bit Windows.
inline bool RunsOn64BitWindows()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// Milliseconds on the performance counter.
inline double NowMs()
{
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Key messages that reached a KeyWindow of this program.
inline LONG& KeysReceived()
{
    static LONG keys = 0;
    return keys;
}

inline LRESULT CALLBACK KeyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN || message == WM_KEYUP) {
        ++KeysReceived();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A top-level window of a class of its own that counts the keys it receives.
inline HWND KeyWindow(const char* className, const char* title, DWORD style)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = KeyWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, className, title, style, 10, 10, 200, 100, nullptr, nullptr, windowClass.hInstance,
                           nullptr);
}
