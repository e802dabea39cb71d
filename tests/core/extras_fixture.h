// Shared ground of the window-extras tests: the settings keys pointed at a
// test-only key, keys held in the thread's key-state table, plain windows.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "framework/settings/app_globals.h"
#include "framework/settings/registry_key_chain.h"
#include "framework/settings/registry_roots.h"
#include "tests/message_pump.h"

// AppKey and LibraryKey lead to HKCU\Software\<name><process id>\App and
// \Library while the object lives; the whole key goes afterwards.
class TTestSettings {
public:
    explicit TTestSettings(const char* name)
        : path_(std::string("Software\\") + name + std::to_string(GetCurrentProcessId())),
          app_(AppGlobals.AppKey), library_(AppGlobals.LibraryKey)
    {
        AppGlobals.AppKey = new TRegistryKeyChain;
        AppGlobals.AppKey->AddEntry(RootCurrentUser, (path_ + "\\App").c_str());
        AppGlobals.LibraryKey = new TRegistryKeyChain;
        AppGlobals.LibraryKey->AddEntry(RootCurrentUser, (path_ + "\\Library\\").c_str());
    }
    ~TTestSettings()
    {
        delete AppGlobals.AppKey;
        delete AppGlobals.LibraryKey;
        AppGlobals.AppKey = app_;
        AppGlobals.LibraryKey = library_;
        RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
    }

    // "App\\Serialize" or "Library\\View" below the test key.
    bool Write(const char* subKey, const char* name, DWORD type, const void* data, DWORD size) const
    {
        return RegSetKeyValueA(HKEY_CURRENT_USER, (path_ + "\\" + subKey).c_str(), name, type, data, size) ==
               ERROR_SUCCESS;
    }
    DWORD Read(const char* subKey, const char* name, void* data, DWORD size) const
    {
        if (RegGetValueA(HKEY_CURRENT_USER, (path_ + "\\" + subKey).c_str(), name, RRF_RT_ANY, nullptr, data,
                         &size) != ERROR_SUCCESS)
            return 0;
        return size;
    }

private:
    std::string path_;
    TRegistryKeyChain* app_;
    TRegistryKeyChain* library_;
};

// Keys held down in this thread's key-state table while the object lives (0: none).
class THeldKeys {
public:
    THeldKeys(std::initializer_list<int> keys)
    {
        GetKeyboardState(saved_);
        BYTE state[256];
        std::copy(saved_, saved_ + 256, state);
        for (int key : keys)
            state[key] = key ? 0x80 : state[key];
        SetKeyboardState(state);
    }
    ~THeldKeys() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

// A top-level window of `className`, registered here with `proc`.
inline HWND MakeExtrasWindow(const char* className, const RECT& rect, DWORD style = WS_OVERLAPPEDWINDOW,
                             WNDPROC proc = DefWindowProcA, DWORD exStyle = 0)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(exStyle, className, className, style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, nullptr, nullptr, windowClass.hInstance, nullptr);
}

inline RECT WindowRectOf(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

// Wine learns the pointer's place from the display asynchronously, and an
// older report may still arrive after SetCursorPos: put the pointer there
// until it has stayed for twenty polls in a row (about 200 ms).
inline bool MoveCursor(int x, int y)
{
    int stayed = 0;
    return PumpUntil(
        [&] {
            POINT at = {};
            GetCursorPos(&at);
            stayed = at.x == x && at.y == y ? stayed + 1 : 0;
            return stayed >= 20 || (!stayed && !SetCursorPos(x, y));
        },
        5000) && stayed >= 20;
}

inline bool Activate(HWND window)
{
    SetForegroundWindow(window);
    return PumpUntil([&] { return GetActiveWindow() == window; }, 5000);
}

inline BOOL CALLBACK CollectVisibleMenu(HWND window, LPARAM menus)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && std::string(className) == "#32768")
        reinterpret_cast<std::vector<HWND>*>(menus)->push_back(window);
    return TRUE;
}

// The popup menu windows this thread shows now.
inline std::vector<HWND> VisibleMenus()
{
    std::vector<HWND> menus;
    EnumThreadWindows(GetCurrentThreadId(), CollectVisibleMenu, reinterpret_cast<LPARAM>(&menus));
    return menus;
}

// The window with every open menu, and a margin of 8 pixels: for pictures.
inline RECT AreaWithMenus(HWND window)
{
    RECT area = WindowRectOf(window);
    for (HWND menu : VisibleMenus()) {
        const RECT rect = WindowRectOf(menu);
        UnionRect(&area, &area, &rect);
    }
    InflateRect(&area, 8, 8);
    return area;
}

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& out, const RECT& rect)
{
    return out << "{" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << "}";
}
