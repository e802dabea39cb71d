// The hook's decision whether a call may read the calling thread's key-state
// table: on 64-bit Windows the system forwards the calls for programs of the
// other bitness to the thread that installed the hook, whose table is not the
// typing thread's.
#include <gtest/gtest.h>

#include "hook/forwarded_call.h"

TEST(ForwardedHookCall, OnlyTheInstallersCallsForOthersAreForwarded)
{
    const DWORD installer = 100, typist = 200;
    const struct {
        const char* what;
        DWORD calling, installing, foreground;
        bool forwarded;
    } cases[] = {
        {"the library in the typing program", typist, 0, typist, false},
        {"the library in the typing program, another window in front", typist, 0, 300, false},
        {"another thread of the installing program", typist, installer, typist, false},
        {"the installer's own key, its window in front", installer, installer, installer, false},
        {"the installer, a program of the other bitness in front", installer, installer, typist, true},
        {"the installer, no window in front", installer, installer, 0, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.forwarded, IsForwardedHookCall(c.calling, c.installing, c.foreground)) << c.what;
}
