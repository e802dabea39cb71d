// Message pumping for tests: wait for a condition or a handle while the
// calling thread keeps answering its messages, as a GUI thread must.
#pragma once

#include <windows.h>

// Dispatches every message that is waiting now.
inline void PumpPending()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Pumps until `handle` is signalled (true) or `ms` have passed (false).
inline bool PumpUntilSignalled(HANDLE handle, DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms)
            return false;
        if (MsgWaitForMultipleObjects(1, &handle, FALSE, ms - elapsed, QS_ALLINPUT) == WAIT_OBJECT_0)
            return true;
        PumpPending();
    }
}

// Pumps until `done()` holds (true) or `ms` have passed (false). The wait
// wakes at least every 10 ms, so a condition that no message announces
// (a count kept by another thread) is seen as well.
template <typename Done> bool PumpUntil(Done done, DWORD ms)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms)
            return false;
        const DWORD left = ms - elapsed;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, left < 10 ? left : 10, QS_ALLINPUT);
        PumpPending();
    }
    return true;
}
