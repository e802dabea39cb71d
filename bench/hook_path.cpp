// What the keyboard hook adds to a keystroke of an ordinary key: the time per
// key event (press and release of 'A' typed into a focused window of this
// program and received by it) with capture on, divided by the time with
// capture off. Rounds alternate between the two; the median of each is used.
// A third figure is the same with a bare hook of this program's own that only
// calls CallNextHookEx: the share of the cost that is the platform's hook
// dispatch rather than the library's procedure.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/bench_support.h"
#include "tests/message_pump.h"
#include "hook/lamphook.h"

namespace {

const int kEventsPerRound = 400;
const int kRounds = 7;

LRESULT CALLBACK BareHook(int code, WPARAM wparam, LPARAM lparam)
{
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

// Microseconds per key event for one round.
double Round()
{
    LARGE_INTEGER freq, start, end;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kEventsPerRound / 2; ++i) {
        LONG target = KeysReceived() + 2;
        keybd_event('A', 0x1E, 0, 0);
        keybd_event('A', 0x1E, KEYEVENTF_KEYUP, 0);
        DWORD deadline = GetTickCount() + 2000;
        while (KeysReceived() < target && GetTickCount() < deadline) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            PumpPending();
        }
    }
    QueryPerformanceCounter(&end);
    return 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / freq.QuadPart / kEventsPerRound;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main()
{
    HWND monitor = KeyWindow(MONITOR_WINDOW_CLASS, MONITOR_WINDOW_TITLE, WS_OVERLAPPED);
    HWND typing = KeyWindow("HookBenchTyping", "typing", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SetForegroundWindow(typing);
    SetFocus(typing);
    PumpPending();
    if (GetFocus() != typing) {
        std::printf("the typing window did not get the focus\n");
        return 1;
    }

    std::vector<double> off, on, bare;
    Round(); // warm-up
    for (int r = 0; r < kRounds; ++r) {
        off.push_back(Round());
        SetCaptureIndicate(monitor);
        on.push_back(Round());
        ReleaseCaptureIndicate(monitor);
        HHOOK hook = SetWindowsHookExA(WH_KEYBOARD, BareHook, nullptr, GetCurrentThreadId());
        bare.push_back(Round());
        UnhookWindowsHookEx(hook);
    }
    double offMedian = Median(off), onMedian = Median(on), bareMedian = Median(bare);
    std::printf("events per round: %d, rounds: %d\n", kEventsPerRound, kRounds);
    std::printf("capture off: %.1f us per key event (median)\n", offMedian);
    std::printf("bare hook:   %.1f us per key event (median), ratio %.3f\n", bareMedian,
                bareMedian / offMedian);
    std::printf("capture on:  %.1f us per key event (median)\n", onMedian);
    std::printf("ratio on/off: %.3f\n", onMedian / offMedian);
    DestroyWindow(typing);
    DestroyWindow(monitor);
    return 0;
}
