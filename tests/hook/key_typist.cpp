// A helper program for the hook tests: it owns a focused window and types the
// keys it is told to, one event at a time, waiting after each until its own
// window has received the key message. The keyboard hook runs on this
// program's thread when it retrieves those messages, so the hook under test
// runs in another process than the monitor window, as it does for real.
//
// Arguments, in order of execution:
//   dXX  press the key with virtual-key code XX (hex)
//   uXX  release it
//   e    wait for the named event "LampHookTestGo" (pumping messages)
//   r    set the named event "LampHookTypistReady": the keys before it are
//        typed and the focus has settled, so a test may now send keys here;
//        the window's property "LockStates" then holds this thread's own lock
//        states (bit 2 Num, bit 1 Caps, bit 0 Scroll; bit 3 always set)
//   z    turn the three locks off: each is pressed and released, and once
//        more if it was then on. A thread that is newer than a lock's last
//        change may see that lock wrongly (Wine shows it off until it changes),
//        so the typists of a test start from states that every thread agrees on.
// Exit code: 0 when every key message arrived, 2 on a bad argument,
// 3 when a key message did not arrive in time, 4 when the event never came.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "tests/message_pump.h"

namespace {

const DWORD kWaitMs = 5000;
const DWORD kFocusSettleMs = 300;
const BYTE kLocks[] = {VK_NUMLOCK, VK_CAPITAL, VK_SCROLL};
UINT g_lastMessage = 0;
WPARAM g_lastKey = 0;
LONG g_received = 0;
BYTE g_releasedState = 0; // the released key's entry in this thread's table

// The three toggle states of this thread's key-state table: bit 2 Num,
// bit 1 Caps, bit 0 Scroll; -1 when the table cannot be read.
INT_PTR OwnLockStates()
{
    BYTE states[256];
    if (!GetKeyboardState(states))
        return -1;
    return (states[VK_NUMLOCK] & 1) << 2 | (states[VK_CAPITAL] & 1) << 1 | (states[VK_SCROLL] & 1);
}

// On each lock-key press the typist tells the monitor window, with this
// message, its own lock states as it sees them while handling the key.
void ReportOwnStates(WPARAM key)
{
    if (key != VK_CAPITAL && key != VK_NUMLOCK && key != VK_SCROLL)
        return;
    const INT_PTR bits = OwnLockStates();
    if (bits < 0)
        return;
    HWND monitor = FindWindowA("ShapeClass", "INDICATOR MONITOR WINDOW");
    // Bounded, so that a test with a hung monitor window still ends.
    DWORD_PTR ignored;
    if (monitor != nullptr)
        SendMessageTimeoutA(monitor, RegisterWindowMessageA("LampHookTypistStates"), static_cast<WPARAM>(bits), key,
                            SMTO_ABORTIFHUNG, 300, &ignored);
}

LRESULT CALLBACK TypistProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_KEYDOWN:
        ReportOwnStates(wparam);
        // fall through
    case WM_KEYUP:
        if (message == WM_KEYUP) {
            BYTE states[256];
            g_releasedState = GetKeyboardState(states) ? states[wparam & 0xFF] : 0;
        }
        // fall through
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        g_lastMessage = message;
        g_lastKey = wparam;
        ++g_received;
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

// Waits for the test's signal while still answering messages: longer than a
// test waits for what it checks, so that a check that fails does not end the
// typing of the steps after it.
bool WaitForGo()
{
    HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, "LampHookTestGo");
    if (go == nullptr)
        return false;
    const bool signalled = PumpUntilSignalled(go, kWaitMs * 6);
    CloseHandle(go);
    return signalled;
}

bool TypeKey(BYTE key, bool press)
{
    LONG before = g_received;
    keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)),
                press ? 0 : KEYEVENTF_KEYUP, 0);
    return PumpUntil([&] { return g_received > before && g_lastKey == key; }, kWaitMs);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TypistProc;
    wc.hInstance = instance;
    wc.lpszClassName = "LampHookTypist";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "typist", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  10, 10, 200, 100, nullptr, nullptr, instance, nullptr);
    SetForegroundWindow(window);
    SetFocus(window);
    PumpUntil([&] { return GetFocus() == window; }, kWaitMs);
    PumpPending();
    // Wine's desktop brings its key-state table in line with the X server's a
    // moment after a window takes the focus, writing back the whole table; a
    // lock key typed in that moment can lose its toggle. Let that pass first.
    PumpUntil([] { return false; }, kFocusSettleMs);

    int result = 0;
    for (int i = 1; i < __argc && result == 0; ++i) {
        const char* arg = __argv[i];
        char op = arg[0];
        BYTE key = static_cast<BYTE>(strtoul(arg + 1, nullptr, 16));
        switch (op) {
        case 'd':
        case 'u':
            if (!TypeKey(key, op == 'd'))
                result = 3;
            break;
        case 'z':
            for (const BYTE lock : kLocks) {
                if (!TypeKey(lock, true) || !TypeKey(lock, false))
                    result = 3;
                else if ((g_releasedState & 1) && (!TypeKey(lock, true) || !TypeKey(lock, false)))
                    result = 3;
            }
            break;
        case 'e':
            if (!WaitForGo())
                result = 4;
            break;
        case 'r':
            if (const INT_PTR states = OwnLockStates(); states >= 0)
                SetPropA(window, "LockStates", reinterpret_cast<HANDLE>(states | 8));
            if (HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, "LampHookTypistReady")) {
                SetEvent(ready);
                CloseHandle(ready);
            }
            break;
        default:
            result = 2;
        }
    }
    RemovePropA(window, "LockStates");
    DestroyWindow(window);
    return result;
}
