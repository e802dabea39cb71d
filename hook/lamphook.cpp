// LAMPHOOK: the keyboard hook that records the lock states in the monitor
// window's properties and notifies that window.
//
// The library is mapped into every process that receives keyboard input while
// the hook is installed, so it keeps to the bare system API: no heap, no C++
// runtime, no static constructors, and its own entry routine.
#define LAMPHOOK_BUILD
#include "hook/lamphook.h"

#include "hook/forwarded_call.h"
#include "hook/wine_check.h"

// The 64-bit library, installed by the companion program beside the 32-bit
// one, keeps its hook handle in a property of its own: each library removes
// and passes on only its own hook.
#ifdef LAMPHOOK_SECOND_HOOK
#define HOOK_HANDLE_PROPERTY PROP_KEYBOARDHOOK64
#else
#define HOOK_HANDLE_PROPERTY PROP_KEYBOARDHOOK
#endif

namespace {

// The keystroke benchmark builds the hook as it was before it checked the
// lock states at every key, to compare.
#ifdef LAMPHOOK_NO_KEY_CHECK
const bool kCheckEveryKey = false;
#else
const bool kCheckEveryKey = true;
#endif

// A hung indicator must not freeze typing everywhere: the notification waits
// for the monitor window at most this long.
const UINT kNotifyTimeoutMs = 1000;

// The monitor window's properties that the library reads, by index.
enum { kNumLock, kCapsLock, kScrollLock, kHookHandle, kShownStates, kPropertyCount };
const char* const kPropertyNames[kPropertyCount] = {PROP_NUMLOCK, PROP_CAPSLOCK, PROP_SCROLLLOCK,
                                                    HOOK_HANDLE_PROPERTY, PROP_SHOWNSTATES};

// Per-process state; each process that maps the library has its own copy.
HINSTANCE g_module = nullptr;
HWND g_monitor = nullptr;
// The atoms of the property names, found once for each monitor window: a
// property read by its atom costs no look-up of its name in the system's
// atom table. 0 until found.
ATOM g_atoms[kPropertyCount];
IndicateData g_scratch;
DWORD g_installingThread = 0;      // set in the installing process only
HHOOK g_activationHook = nullptr;  // Wine only; set in the installing process only
// The hook handle given to CallNextHookEx, and whether it has been read.
HHOOK g_nextHook = nullptr;
bool g_nextHookRead = false;
// The disagreement between a thread's lock states and the picture shown that
// this process last told the monitor window of: 0 for none.
int g_toldAbout = 0;

HWND FindMonitorWindow()
{
    if (g_monitor == nullptr || !IsWindow(g_monitor)) {
        g_monitor = FindWindowA(MONITOR_WINDOW_CLASS, MONITOR_WINDOW_TITLE);
        for (ATOM& atom : g_atoms)
            atom = 0;
        g_nextHookRead = false;
    }
    return g_monitor;
}

// The name of a property, or its atom once the system has one for it (the
// window holding the property keeps the atom alive).
LPCSTR PropertyKey(int property)
{
    if (g_atoms[property] == 0)
        g_atoms[property] = GlobalFindAtomA(kPropertyNames[property]);
    return g_atoms[property] != 0 ? MAKEINTATOM(g_atoms[property]) : kPropertyNames[property];
}

// A property of the monitor window (null: none, read as 0).
HANDLE ReadProperty(HWND monitor, int property)
{
    return monitor != nullptr ? GetPropA(monitor, PropertyKey(property)) : nullptr;
}

BOOL WriteLockProperty(const char* name, int state)
{
    return SetPropA(FindMonitorWindow(), name, reinterpret_cast<HANDLE>(state != 0 ? 1 : 0));
}

BYTE ReadLockProperty(HWND monitor, int property)
{
    return ReadProperty(monitor, property) != nullptr ? 1 : 0;
}

BOOL WriteNumLock(int state) { return WriteLockProperty(PROP_NUMLOCK, state); }
BOOL WriteCapsLock(int state) { return WriteLockProperty(PROP_CAPSLOCK, state); }
BOOL WriteScrollLock(int state) { return WriteLockProperty(PROP_SCROLLLOCK, state); }
BYTE ReadNumLock(HWND monitor) { return ReadLockProperty(monitor, kNumLock); }
BYTE ReadCapsLock(HWND monitor) { return ReadLockProperty(monitor, kCapsLock); }
BYTE ReadScrollLock(HWND monitor) { return ReadLockProperty(monitor, kScrollLock); }

BOOL WriteKeyboardHook(HHOOK hook)
{
    return SetPropA(FindMonitorWindow(), HOOK_HANDLE_PROPERTY, reinterpret_cast<HANDLE>(hook));
}

HHOOK ReadKeyboardHook(HWND monitor)
{
    return reinterpret_cast<HHOOK>(ReadProperty(monitor, kHookHandle));
}

// The handle to pass on with: the recorded one, as read at this process's
// first call for the monitor window and at each lock-key press since. Every
// system this runs on (Windows from NT on, Wine) ignores it, and a read at
// every key would cost Wine a round trip to its server.
HHOOK NextHook(HWND monitor)
{
    if (!g_nextHookRead) {
        g_nextHook = ReadKeyboardHook(monitor);
        g_nextHookRead = monitor != nullptr;
    }
    return g_nextHook;
}

bool IsLockKey(WPARAM key)
{
    return key == VK_CAPITAL || key == VK_NUMLOCK || key == VK_SCROLL;
}

DWORD ForegroundThread()
{
    return GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
}

// Only the installing thread can be handed forwarded calls; any other thread
// is told apart by its id alone.
bool IsForwardedCall()
{
    const DWORD thread = GetCurrentThreadId();
    return thread == g_installingThread && IsForwardedHookCall(thread, g_installingThread, ForegroundThread());
}

// A key's entry as the key-state table holds it: bit 7 down, bit 0 toggled.
BYTE KeyStateByte(int key)
{
    const SHORT state = GetKeyState(key);
    return static_cast<BYTE>(((state & 0x8000) ? 0x80 : 0) | (state & 1));
}

// The three toggles of a key-state table: 4 Num + 2 Caps + Scroll.
int LockStates(const BYTE* states)
{
    return (states[VK_NUMLOCK] & 1) << 2 | (states[VK_CAPITAL] & 1) << 1 | (states[VK_SCROLL] & 1);
}

void AskForResync()
{
    HWND monitor = FindMonitorWindow();
    if (monitor != nullptr)
        PostMessageA(monitor, WM_RESYNCLOCKSTATES, 0, 0);
}

// A press of a lock key: the typing thread's states once it has taken the
// press, recorded; the indicator waits to be told.
void RecordLockKeyPress(WPARAM key, LPARAM flags)
{
    g_nextHookRead = false;
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
        if (!SendMessageTimeoutA(monitor, WM_LOCKKEYCHANGED, 0, 0, SMTO_ABORTIFHUNG, kNotifyTimeoutMs, &ignored))
            PostMessageA(monitor, WM_LOCKKEYCHANGED, 0, 0);
    }
}

// The first press of any other key: the typing thread's lock states against
// those the tray shows. A lock changed where no hook saw it (an elevated
// program, the lock screen) shows here at the next key typed anywhere. It
// costs one read of the thread's table and one property; nothing is sent
// unless they differ, and then only posted: the key never waits.
void CheckShownStates(HWND monitor)
{
    BYTE states[256];
    if (!kCheckEveryKey || monitor == nullptr)
        return;
    const INT_PTR shown = reinterpret_cast<INT_PTR>(ReadProperty(monitor, kShownStates));
    if (shown == 0 || !GetKeyboardState(states))
        return;  // no picture to correct
    const int own = LockStates(states);
    if (own == (shown & 7)) {
        g_toldAbout = 0;
        return;
    }
    // Told once for each disagreement: a message that cannot get through
    // (to a window of higher integrity) is not tried again at every key.
    const int disagreement = 0x40 | (shown & 7) << 3 | own;
    if (disagreement == g_toldAbout)
        return;
    g_toldAbout = disagreement;
    if (RunsOnWine()) {
        // Wine shows a thread newer than a lock's last change that lock as
        // off: the indicator's own thread, which follows the system, settles it.
        AskForResync();
        return;
    }
    WriteNumLock(own >> 2 & 1);
    WriteCapsLock(own >> 1 & 1);
    WriteScrollLock(own & 1);
    PostMessageA(monitor, WM_LOCKKEYCHANGED, 0, 0);
}

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM key, LPARAM flags)
{
    HWND monitor = FindMonitorWindow();
    if (code >= 0) {
        // Bit 31 is the transition bit: clear for a press or an auto-repeat;
        // bit 30 the previous state: clear for a first press.
        const bool press = (static_cast<DWORD>(flags) & 0x80000000u) == 0;
        const bool firstPress = (static_cast<DWORD>(flags) & 0xC0000000u) == 0;
        const bool lockPress = press && IsLockKey(key);
        // A call forwarded from a program this library is not loaded into
        // cannot read that program's table, and this thread's says nothing
        // about it. A lock key went down there: the indicator reads the
        // states from the system once the key has been taken.
        if (IsForwardedCall()) {
            if (lockPress)
                AskForResync();
        } else if (lockPress) {
            RecordLockKeyPress(key, flags);
        } else if (firstPress) {
            CheckShownStates(monitor);
        }
    }
    return CallNextHookEx(NextHook(monitor), code, key, flags);
}

#ifndef LAMPHOOK_SECOND_HOOK
// Wine only: another window comes to the front. Called in the activating
// thread, whose own lock states Wine may show wrongly (see
// CheckShownStates): the indicator reads them itself.
LRESULT CALLBACK ActivationHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE)
        AskForResync();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
#endif

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

    if (ReadKeyboardHook(monitor) != nullptr)
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
#ifndef LAMPHOOK_SECOND_HOOK
    // Windows tells the indicator of another window in front through
    // SetWinEventHook, which loads nothing into other programs; Wine delivers
    // no such event from another process. There a CBT hook stands in. (The
    // 64-bit library of Wine's 64-bit systems adds none: it would end the
    // chain for 32-bit programs, as its keyboard hook does.)
    if (hook != nullptr && RunsOnWine())
        g_activationHook = SetWindowsHookExA(WH_CBT, ActivationHookProc, g_module, 0);
#endif
    g_nextHookRead = false;
    return WriteKeyboardHook(hook);
}

LAMPHOOK_API void WINAPI ReleaseCaptureIndicate(HWND window)
{
    HWND monitor = FindMonitorWindow();
    if (window == nullptr || window != monitor)
        return;
    HHOOK hook = ReadKeyboardHook(monitor);
    if (hook != nullptr)
        UnhookWindowsHookEx(hook);
    WriteKeyboardHook(nullptr);
    g_installingThread = 0;
    if (g_activationHook != nullptr)
        UnhookWindowsHookEx(g_activationHook);
    g_activationHook = nullptr;
}

LAMPHOOK_API void WINAPI GetIndicateData(IndicateData* data)
{
    if (data == nullptr)
        return;
    HWND monitor = FindMonitorWindow();
    data->numLock = ReadNumLock(monitor);
    data->capsLock = ReadCapsLock(monitor);
    data->scrollLock = ReadScrollLock(monitor);
}

// The entry routine: the library's own, with no runtime start-up around it.
extern "C" BOOL WINAPI LampHookEntry(HINSTANCE module, DWORD, LPVOID)
{
    g_module = module;
    return TRUE;
}
