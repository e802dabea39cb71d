// Which calls of the keyboard hook may read the calling thread's key-state
// table. Kept apart from the library so that it can be tested on its own.
//
// On 64-bit Windows a hook library is loaded only into programs of its own
// bitness. For a program of the other bitness the system calls the hook on the
// thread that installed it instead; the key-state table there is that
// thread's own and says nothing about the locks of the thread that typed.
#pragma once

#include <windows.h>

// True for a call that the system forwarded from a program of the other
// bitness: it runs on the thread that installed the hook while another
// thread's window is in front (or none is). The installer's own keys arrive
// while its own window is in front. `installingThread` is 0 in every process
// but the installer's, where the library is loaded only for the typing thread.
inline bool IsForwardedHookCall(DWORD callingThread, DWORD installingThread, DWORD foregroundThread)
{
    return callingThread == installingThread && foregroundThread != callingThread;
}
