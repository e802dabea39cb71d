// LAMPHOOK: the keyboard hook that records the lock states in the monitor
// window's properties and notifies that window.
//
// The library is mapped into every process that receives keyboard input while
// the hook is installed, so it keeps to the bare system API: no heap, no C++
// runtime, no static constructors, and its own entry routine.
#define LAMPHOOK_BUILD
#include "hook/lamphook.h"

#include "hook/forwarded_call.h"

// The 64-bit library, installed by the companion program beside the 32-bit
// one, keeps its hook handle in a property of its own: each library removes
// and passes on only its own hook.
#ifdef LAMPHOOK_SECOND_HOOK
#define HOOK_HANDLE_PROPERTY PROP_KEYBOARDHOOK64
#else
#define HOOK_HANDLE_PROPERTY PROP_KEYBOARDHOOK
#endif

namespace {

// A hung indicator must not freeze typing everywhere: the notification waits
// for the monitor window at most this long.
const UINT kNotifyTimeoutMs = 1000;

// Per-process state; each process that maps the library has its own copy.
HINSTANCE g_module = nullptr;
HWND g_monitor = nullptr;
IndicateData g_scratch;
DWORD g_installingThread = 0; // set in the installing process only

HWND FindMonitorWindow()
{
    if (g_monitor == nullptr || !IsWindow(g_monitor))
        g_monitor = FindWindowA(MONITOR_WINDOW_CLASS, MONITOR_WINDOW_TITLE);
    return g_monitor;
}

BOOL WriteLockProperty(const char* name, int state)
{
    return SetPropA(FindMonitorWindow(), name, reinterpret_cast<HANDLE>(state != 0 ? 1 : 0));
}

BYTE ReadLockProperty(const char* name)
{
    return GetPropA(FindMonitorWindow(), name) != nullptr ? 1 : 0;
}

BOOL WriteNumLock(int state) { return WriteLockProperty(PROP_NUMLOCK, state); }
BOOL WriteCapsLock(int state) { return WriteLockProperty(PROP_CAPSLOCK, state); }
BOOL WriteScrollLock(int state) { return WriteLockProperty(PROP_SCROLLLOCK, state); }
BYTE ReadNumLock() { return ReadLockProperty(PROP_NUMLOCK); }
BYTE ReadCapsLock() { return ReadLockProperty(PROP_CAPSLOCK); }
BYTE ReadScrollLock() { return ReadLockProperty(PROP_SCROLLLOCK); }

BOOL WriteKeyboardHook(HHOOK hook)
{
    return SetPropA(FindMonitorWindow(), HOOK_HANDLE_PROPERTY, reinterpret_cast<HANDLE>(hook));
}

HHOOK ReadKeyboardHook()
{
    return reinterpret_cast<HHOOK>(GetPropA(FindMonitorWindow(), HOOK_HANDLE_PROPERTY));
}

bool IsLockKey(WPARAM key)
{
    return key == VK_CAPITAL || key == VK_NUMLOCK || key == VK_SCROLL;
}

DWORD ForegroundThread()
{
    return GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
}

// A key's entry as the key-state table holds it: bit 7 down, bit 0 toggled.
BYTE KeyStateByte(int key)
{
    const SHORT state = GetKeyState(key);
    return static_cast<BYTE>(((state & 0x8000) ? 0x80 : 0) | (state & 1));
}

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM key, LPARAM flags)
{
    // Bit 31 is the transition bit: clear for a press or an auto-repeat.
    // A call forwarded from a program of the other bitness is that program's
    // library's to record: this thread's table would spoil its work.
    if (code >= 0 && (static_cast<DWORD>(flags) & 0x80000000u) == 0 && IsLockKey(key) &&
        !IsForwardedHookCall(GetCurrentThreadId(), g_installingThread, ForegroundThread())) {
        BYTE states[256];
        if (!GetKeyboardState(states)) {
            states[VK_NUMLOCK] = KeyStateByte(VK_NUMLOCK);
            states[VK_CAPITAL] = KeyStateByte(VK_CAPITAL);
            states[VK_SCROLL] = KeyStateByte(VK_SCROLL);
        }
        // Some systems run the hook after the thread's key-state table took
        // the press, others before. At a first press (bit 30 clear) a table
        // that already holds it shows the key down; one from before shows it
        // up, with the toggle not yet flipped. An auto-repeat never toggles.
        if ((static_cast<DWORD>(flags) & 0x40000000u) == 0 && (states[key] & 0x80) == 0)
            states[key] ^= 1;
        g_scratch.numLock = states[VK_NUMLOCK] & 1;
        g_scratch.capsLock = states[VK_CAPITAL] & 1;
        g_scratch.scrollLock = states[VK_SCROLL] & 1;
        WriteNumLock(g_scratch.numLock);
        WriteCapsLock(g_scratch.capsLock);
        WriteScrollLock(g_scratch.scrollLock);

        HWND monitor = FindMonitorWindow();
        if (monitor != nullptr) {
            // Waits until the indicator has handled the message, but never
            // longer than the bound, and not at all once it is known to hang.
            // A notification that was not taken in time is dropped: posted
            // instead, it reaches the indicator once it answers again.
            DWORD_PTR ignored;
            if (!SendMessageTimeoutA(monitor, WM_LOCKKEYCHANGED, 0, 0, SMTO_ABORTIFHUNG,
                                     kNotifyTimeoutMs, &ignored))
                PostMessageA(monitor, WM_LOCKKEYCHANGED, 0, 0);
        }
    }
    return CallNextHookEx(ReadKeyboardHook(), code, key, flags);
}

} // namespace

LAMPHOOK_API BOOL WINAPI SetCaptureIndicate(HWND window)
{
    if (!IsWindow(window))
        return FALSE;
    // Without a monitor window the hook handle could not be recorded, and so
    // nothing could ever remove the hook: refuse.
    HWND monitor = FindMonitorWindow();
    if (monitor == nullptr)
        return FALSE;

    if (ReadKeyboardHook() != nullptr)
        ReleaseCaptureIndicate(monitor);

#ifndef LAMPHOOK_SECOND_HOOK
    // The companion's thread takes no keys, and it installs its hook again
    // whenever a 64-bit program comes to the front: its table would only
    // spoil what the hooks recorded.
    WriteNumLock(GetKeyState(VK_NUMLOCK) & 1);
    WriteCapsLock(GetKeyState(VK_CAPITAL) & 1);
    WriteScrollLock(GetKeyState(VK_SCROLL) & 1);
#endif

    HHOOK hook = SetWindowsHookExA(WH_KEYBOARD, KeyboardHookProc, g_module, 0);
    g_installingThread = hook != nullptr ? GetCurrentThreadId() : 0;
    return WriteKeyboardHook(hook);
}

LAMPHOOK_API void WINAPI ReleaseCaptureIndicate(HWND window)
{
    HWND monitor = FindMonitorWindow();
    if (window == nullptr || window != monitor)
        return;
    HHOOK hook = ReadKeyboardHook();
    if (hook != nullptr)
        UnhookWindowsHookEx(hook);
    WriteKeyboardHook(nullptr);
    g_installingThread = 0;
}

LAMPHOOK_API void WINAPI GetIndicateData(IndicateData* data)
{
    if (data == nullptr)
        return;
    data->numLock = ReadNumLock();
    data->capsLock = ReadCapsLock();
    data->scrollLock = ReadScrollLock();
}

// The entry routine: the library's own, with no runtime start-up around it.
extern "C" BOOL WINAPI LampHookEntry(HINSTANCE module, DWORD, LPVOID)
{
    g_module = module;
    return TRUE;
}
