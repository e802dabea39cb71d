// The typing program of the keystroke benchmark (bench_keystroke_cost), built
// as a 32-bit and as a 64-bit program: it types 'A' into a focused window of
// its own, press and release, waiting each time until its window has received
// the key, and prints the microseconds per key event (the median of its
// rounds). Every keyboard hook that runs for its keys runs in its thread as it
// retrieves them, so the figure includes what they cost.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/bench_support.h"
#include "tests/message_pump.h"

namespace {

const int kEventsPerRound = 400;
const int kRounds = 5;

// Microseconds per key event for one round; -1 when a key did not arrive.
double Round()
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kEventsPerRound / 2; ++i) {
        const LONG target = KeysReceived() + 2;
        keybd_event('A', 0x1E, 0, 0);
        keybd_event('A', 0x1E, KEYEVENTF_KEYUP, 0);
        if (!PumpUntil([&] { return KeysReceived() >= target; }, 2000))
            return -1;
    }
    QueryPerformanceCounter(&end);
    return 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart) /
           kEventsPerRound;
}

}  // namespace

int main()
{
    HWND window = KeyWindow("KeystrokeTimer", "typing", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SetForegroundWindow(window);
    SetFocus(window);
    // Wine rewrites a thread's key states a moment after it takes the focus.
    PumpUntil([] { return false; }, 300);
    if (GetFocus() != window || Round() < 0) {
        std::printf("-1\n");
        return 1;
    }
    std::vector<double> rounds;
    for (int i = 0; i < kRounds; ++i)
        rounds.push_back(Round());
    std::sort(rounds.begin(), rounds.end());
    std::printf("%.2f\n", rounds[rounds.size() / 2]);
    DestroyWindow(window);
    return rounds.front() < 0 ? 1 : 0;
}
