// Whether the program runs on Wine rather than on Windows, for the few places
// where Wine lacks what Windows offers and a path of Wine's own stands in:
// - Wine delivers no window event of another process to SetWinEventHook,
//   so the hook library adds a WH_CBT hook there to learn of another window
//   coming to the front;
// - Wine ends a hook chain at the first hook whose library cannot be loaded
//   into the typing program, where Windows forwards the call to the
//   installing thread, so the 64-bit companion takes its hook out while a
//   32-bit program takes the keys;
// - a thread of Wine that is newer than a lock's last change sees that lock
//   off, so a hook there does not take its thread's lock states for the
//   system's.
// Header-only and runtime-free: the hook libraries and the companion use it.
#pragma once

#include <windows.h>

// Wine's ntdll exports wine_get_version; Windows' does not.
inline bool RunsOnWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
