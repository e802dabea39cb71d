// Shared ground of the window-extras tests: the application's and the
// framework's settings keys pointed at a test-only key, keys held in the
// thread's key-state table, and plain top-level windows.
#pragma once

#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "framework/core/app_globals.h"
#include "framework/core/registry_key_chain.h"
#include "framework/core/registry_roots.h"
#include "tests/message_pump.h"

// AppKey and LibraryKey lead to HKCU\Software\<name><process id>\App and
// \Library while the object lives; the key is deleted afterwards.
class TTestSettings {
public:
    explicit TTestSettings(const char* name) : path_(std::string("Software\\") + name + std::to_string(GetCurrentProcessId()))
    {
        savedApp_ = AppGlobals.AppKey;
        savedLibrary_ = AppGlobals.LibraryKey;
        AppGlobals.AppKey = new TRegistryKeyChain;
        AppGlobals.AppKey->AddEntry(RootCurrentUser, (path_ + "\\App").c_str());
        AppGlobals.LibraryKey = new TRegistryKeyChain;
        AppGlobals.LibraryKey->AddEntry(RootCurrentUser, (path_ + "\\Library\\").c_str());
    }
    ~TTestSettings()
    {
        delete AppGlobals.AppKey;
        delete AppGlobals.LibraryKey;
        AppGlobals.AppKey = savedApp_;
        AppGlobals.LibraryKey = savedLibrary_;
        RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
    }
    TTestSettings(const TTestSettings&) = delete;
    TTestSettings& operator=(const TTestSettings&) = delete;

    // Writes a value below the test key ("App\\Serialize", "Library\\View").
    bool Write(const char* subKey, const char* name, DWORD type, const void* data, DWORD size) const
    {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, (path_ + "\\" + subKey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        const LONG result = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }
    bool WriteDword(const char* subKey, const char* name, DWORD value) const
    {
        return Write(subKey, name, REG_DWORD, &value, sizeof value);
    }
    // The bytes of a value below the test key; empty when it is missing.
    std::vector<BYTE> Read(const char* subKey, const char* name) const
    {
        std::vector<BYTE> data(1024);
        DWORD size = static_cast<DWORD>(data.size());
        if (RegGetValueA(HKEY_CURRENT_USER, (path_ + "\\" + subKey).c_str(), name, RRF_RT_ANY, nullptr, data.data(),
                         &size) != ERROR_SUCCESS)
            size = 0;
        data.resize(size);
        return data;
    }

private:
    std::string path_;
    TRegistryKeyChain* savedApp_;
    TRegistryKeyChain* savedLibrary_;
};

// Keys held down in this thread's key-state table while the object lives
// (0 stands for no key).
class THeldKeys {
public:
    THeldKeys(std::initializer_list<int> keys)
    {
        GetKeyboardState(saved_);
        BYTE state[256];
        std::copy(saved_, saved_ + 256, state);
        for (int key : keys) {
            if (key)
                state[key] = 0x80;
        }
        SetKeyboardState(state);
    }
    ~THeldKeys() { SetKeyboardState(saved_); }
    THeldKeys(const THeldKeys&) = delete;
    THeldKeys& operator=(const THeldKeys&) = delete;

private:
    BYTE saved_[256];
};

// A top-level window of `className` (registered here with DefWindowProcA
// unless `proc` is given) at `rect`.
inline HWND MakeExtrasWindow(const char* className, const RECT& rect, DWORD style = WS_OVERLAPPEDWINDOW,
                             WNDPROC proc = DefWindowProcA, DWORD exStyle = 0)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(exStyle, className, className, style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, nullptr, nullptr, windowClass.hInstance, nullptr);
}

// Puts the mouse pointer at (x, y) and waits until the system reports it
// there: Wine moves it on the display asynchronously.
inline bool MoveCursor(int x, int y)
{
    if (!SetCursorPos(x, y))
        return false;
    return PumpUntil(
        [&] {
            POINT at = {};
            return GetCursorPos(&at) && at.x == x && at.y == y;
        },
        5000);
}

inline RECT WindowRectOf(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

inline bool operator==(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

inline std::ostream& operator<<(std::ostream& out, const RECT& rect)
{
    return out << "{" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << "}";
}
