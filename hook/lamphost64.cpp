// LAMPHOST64: the indicator's companion on 64-bit Windows.
//
// A 32-bit keyboard hook is never loaded into 64-bit programs, so the 32-bit
// indicator starts this 64-bit program beside it. It installs LAMPHOOK64.dll's
// hook for the indicator's monitor window, serves the calls that the system
// forwards to its thread (it runs a message loop) and, once the indicator's
// process has ended by whatever route, removes its hook and ends. It shows
// nothing: no window, icon or taskbar button.
//
// On Windows its hook stays installed for its whole life. Windows calls a
// hook whose library cannot be loaded into the typing program on the thread
// that installed it (this one, or the indicator's), and calls both hooks if
// the 32-bit one is ahead of the 64-bit one: once its hook is installed, it
// tells the indicator, which installs its own again, after this one and so
// ahead of it.
//
// Wine instead ends a hook chain at the first hook whose library cannot be
// loaded into the typing program: there the 64-bit hook, installed after the
// 32-bit one and so ahead of it, would keep every 32-bit program's keys from
// the 32-bit hook. On Wine alone, then, the hook is installed only while the
// thread that takes the keys belongs to a 64-bit program: a low-level keyboard
// hook sees each key before that thread takes it, and puts the hook in or
// takes it out in time.
//
// Like the library it lives beside, it links no runtime: a few system calls
// and its own entry routine keep it small in memory.
#include <windows.h>

#include "hook/lamphook.h"
#include "hook/wine_check.h"

namespace {

// A companion of an indicator that has just ended may still be removing its
// hook when the next indicator starts this one: wait that long for it.
const DWORD kPreviousCompanionWaitMs = 5000;

typedef BOOL(WINAPI* TSetCaptureIndicate)(HWND window);
typedef void(WINAPI* TReleaseCaptureIndicate)(HWND window);

// Exit codes: served an indicator until it ended, or found nothing to serve
// (no indicator, no library, or another companion serving it).
enum { kServed = 0, kNothingToServe = COMPANION_NOTHING_TO_SERVE };

HWND g_monitor = nullptr;
TSetCaptureIndicate g_setCapture = nullptr;
TReleaseCaptureIndicate g_releaseCapture = nullptr;
HHOOK g_hook = nullptr;   // this program's own handle; on Wine null while a 32-bit program takes the keys
HWND g_taker = nullptr;   // on Wine, the window that took the last key
bool g_taker64 = true;

// LAMPHOOK64.dll from this program's own folder and no other. The path is
// taken in UTF-16, where no character of a folder's name can pass for a
// backslash.
HMODULE LoadHookLibrary()
{
    static const wchar_t kLibrary[] = L"LAMPHOOK64.dll";
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    DWORD folder = length;
    while (folder > 0 && path[folder - 1] != L'\\')
        --folder;
    if (folder + sizeof kLibrary / sizeof kLibrary[0] > MAX_PATH)
        return nullptr;
    for (DWORD i = 0; i < sizeof kLibrary / sizeof kLibrary[0]; ++i)
        path[folder + i] = kLibrary[i];
    return LoadLibraryW(path);
}

FARPROC Export(HMODULE library, const char* name)
{
    return library ? GetProcAddress(library, name) : nullptr;
}

// A program that cannot be asked counts as 64-bit, as most programs are here.
bool Is64BitProgram(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr)
        return true;
    BOOL wow64 = FALSE;
    const bool is64 = !IsWow64Process(process, &wow64) || !wow64;
    CloseHandle(process);
    return is64;
}

void InstallHook(bool install)
{
    if (install && g_hook == nullptr && g_setCapture(g_monitor))
        g_hook = reinterpret_cast<HHOOK>(GetPropA(g_monitor, PROP_KEYBOARDHOOK64));
    else if (!install && g_hook != nullptr) {
        // The library removes the hook it recorded; once the monitor window
        // is gone, only this program's handle is left to remove it with.
        if (GetPropA(g_monitor, PROP_KEYBOARDHOOK64) == g_hook)
            g_releaseCapture(g_monitor);
        else
            UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
    }
}

// The window that will take the next key: the focus of the thread in front,
// which may be a window of another program than the one in front (a child
// window of another process), or the window in front when it has none.
HWND KeyTaker()
{
    HWND front = GetForegroundWindow();
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    if (front != nullptr && GetGUIThreadInfo(GetWindowThreadProcessId(front, nullptr), &thread) &&
        thread.hwndFocus != nullptr)
        return thread.hwndFocus;
    return front;
}

// Wine only: called before the thread that takes each key gets it; it looks
// at nothing but which program that thread belongs to.
LRESULT CALLBACK FrontWatchProc(int code, WPARAM message, LPARAM event)
{
    if (code == HC_ACTION) {
        HWND taker = KeyTaker();
        DWORD processId = 0;
        if (taker != g_taker && GetWindowThreadProcessId(taker, &processId) != 0) {
            g_taker = taker;
            g_taker64 = Is64BitProgram(processId);
            // Another window takes the keys. Where a hook chain ends at a
            // hook of the other bitness, Wine called no CBT hook of the
            // indicator's when that program came to the front: the indicator
            // reads the states itself.
            PostMessageA(g_monitor, WM_RESYNCLOCKSTATES, 0, 0);
        }
        InstallHook(g_taker64);
    }
    return CallNextHookEx(nullptr, code, message, event);
}

// Serves the forwarded hook calls and the low-level hook's calls (they arrive
// as messages) until the indicator's process has ended.
void ServeUntilEnded(HANDLE indicator)
{
    for (;;) {
        if (MsgWaitForMultipleObjects(1, &indicator, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0 + 1)
            return;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return;
            DispatchMessageW(&message);
        }
    }
}

// Hooks for the indicator until it ends; false when it cannot hook.
bool Serve(HANDLE indicator)
{
    HMODULE library = LoadHookLibrary();
    g_setCapture = reinterpret_cast<TSetCaptureIndicate>(
        reinterpret_cast<void*>(Export(library, "SetCaptureIndicate")));
    g_releaseCapture = reinterpret_cast<TReleaseCaptureIndicate>(
        reinterpret_cast<void*>(Export(library, "ReleaseCaptureIndicate")));
    if (g_setCapture == nullptr || g_releaseCapture == nullptr)
        return false;
    HHOOK frontWatch = nullptr;
    if (RunsOnWine()) {
        frontWatch = SetWindowsHookExW(WH_KEYBOARD_LL, FrontWatchProc, GetModuleHandleW(nullptr), 0);
        if (frontWatch == nullptr)
            return false;
    }
    // Installed from the start; on Wine the first key takes it out if a
    // 32-bit program takes it.
    InstallHook(true);
    const bool hooked = g_hook != nullptr;
    if (hooked) {
        if (frontWatch == nullptr)
            PostMessageA(g_monitor, WM_COMPANIONHOOKED, 0, 0);
        ServeUntilEnded(indicator);
    }
    if (frontWatch != nullptr)
        UnhookWindowsHookEx(frontWatch);
    // The monitor window, and its property with it, is gone by now.
    if (g_hook != nullptr)
        UnhookWindowsHookEx(g_hook);
    return hooked;
}

int Run()
{
    g_monitor = FindWindowA(MONITOR_WINDOW_CLASS, MONITOR_WINDOW_TITLE);
    DWORD processId = 0;
    if (g_monitor == nullptr || GetWindowThreadProcessId(g_monitor, &processId) == 0)
        return kNothingToServe;
    HANDLE indicator = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (indicator == nullptr)
        return kNothingToServe;
    // The process id named the indicator only if its window still exists now
    // that the process is held open.
    int result = kNothingToServe;
    HANDLE single = CreateMutexA(nullptr, FALSE, "Local\\PelorumHookCompanion");
    DWORD taken = single != nullptr && IsWindow(g_monitor) ? WaitForSingleObject(single, 0) : WAIT_FAILED;
    // Another companion holds the mutex: one that serves this indicator has
    // recorded its hook, one of an indicator that has just ended is leaving.
    if (taken == WAIT_TIMEOUT && GetPropA(g_monitor, PROP_KEYBOARDHOOK64) == nullptr) {
        HANDLE waits[] = {single, indicator};
        taken = WaitForMultipleObjects(2, waits, FALSE, kPreviousCompanionWaitMs);
    }
    if (taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED_0) {
        if (Serve(indicator))
            result = kServed;
        ReleaseMutex(single);
    }
    if (single != nullptr)
        CloseHandle(single);
    CloseHandle(indicator);
    return result;
}

}  // namespace

// The entry routine: the program's own, with no runtime start-up around it.
extern "C" void WINAPI LampHostEntry()
{
    ExitProcess(static_cast<UINT>(Run()));
}
