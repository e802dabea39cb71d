// What the running indicator adds to every keystroke of an ordinary key (not a
// lock key) in the programs a user types into: the microseconds per key event
// that the typing programs see (bench_typing_timer.exe, and on 64-bit Windows
// bench_typing_timer64.exe beside the 32-bit one) with the indicator running
// (its hook, and on 64-bit Windows its companion's), against the same program
// with no hook at all. The indicator runs twice a round: as built, where the
// hook compares the typing thread's lock states with the recorded ones at
// every key, and as it was before that check (the copy in without_key_check\,
// whose hook libraries are built without it). Rounds alternate between the
// three; the medians are printed.
//
// Run under Wine from the tests' bin folder with a desktop and a tray (as the
// tests have them: scripts/bench keystroke_cost), with no indicator running
// and the three locks off. In a 64-bit prefix of a 32-bit build
// (--prefix wineprefix64) both kinds of program are timed.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "hook/lamphook.h"
#include "tests/message_pump.h"
#include "tests/tray_probe.h"

namespace {

const int kRounds = 9;
const DWORD kPatienceMs = 15000;

bool CompanionRuns()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
        found = lstrcmpiA(entry.szExeFile, "LAMPHOST64.exe") == 0;
    CloseHandle(snapshot);
    return found;
}

// One run of a typing program: what it prints, the microseconds per key
// event; -1 when it did not run or failed.
double TimeTyping(const std::string& program)
{
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!CreatePipe(&read, &write, &inherited, 0))
        return -1;
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    PROCESS_INFORMATION process = {};
    std::string line = "\"" + ProgramFolder() + program + "\"";
    const bool started =
        CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(write);
    // The program's end, not the pipe's, says it is done: a process it starts
    // (Wine's desktop, at its first window) may inherit the pipe and keep it open.
    DWORD code = 1;
    std::string output;
    if (started) {
        WaitForSingleObject(process.hProcess, kPatienceMs);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        char buffer[256];
        DWORD waiting = 0, got = 0;
        while (PeekNamedPipe(read, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0 &&
               ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0)
            output.append(buffer, got);
    }
    CloseHandle(read);
    return code == 0 ? std::atof(output.c_str()) : -1;
}

// Starts the indicator of that folder and waits until its icon is in the
// tray and, on 64-bit Windows, its companion's hook is installed.
bool StartIndicator(const std::string& folder, PROCESS_INFORMATION& process, HWND& monitor, bool withCompanion)
{
    std::string line = "\"" + folder + "Indicator.exe\" /restore";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    return PumpUntil(
        [&] {
            monitor = FindWindowA(MONITOR_WINDOW_CLASS, MONITOR_WINDOW_TITLE);
            return IndicatorIconInTray(monitor) && (!withCompanion || GetPropA(monitor, PROP_KEYBOARDHOOK64));
        },
        kPatienceMs);
}

void EndIndicator(PROCESS_INFORMATION& process, HWND monitor)
{
    PostMessageA(monitor, WM_CLOSE, 0, 0);
    PumpUntilSignalled(process.hProcess, kPatienceMs);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    PumpUntil([] { return !CompanionRuns(); }, kPatienceMs);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Fastest(const std::vector<double>& values)
{
    return *std::min_element(values.begin(), values.end());
}

}  // namespace

int main()
{
    if (FindWindowA(MONITOR_WINDOW_CLASS, MONITOR_WINDOW_TITLE)) {
        std::printf("an indicator is running already; end it first\n");
        return 1;
    }
    const bool windows64 = RunsOn64BitWindows();
    struct TTypist {
        const char* name;
        const char* program;
        std::vector<double> times[3];  // no hook, indicator without the check, as built
    } typists[] = {{sizeof(void*) == 8 ? "64-bit" : "32-bit", "bench_typing_timer.exe", {}},
                   {"64-bit", "bench_typing_timer64.exe", {}}};
    const int kinds = windows64 ? 2 : 1;
    const std::string indicators[] = {ProgramFolder() + "without_key_check\\", ProgramFolder()};

    bool locksOn = false;
    for (int round = 0; round < kRounds; ++round) {
        for (int i = 0; i < kinds; ++i)
            typists[i].times[0].push_back(TimeTyping(typists[i].program));
        // The two indicators take turns at going first.
        for (int turn = 0; turn < 2; ++turn) {
            const int run = (turn + round) % 2;
            PROCESS_INFORMATION indicator = {};
            HWND monitor = nullptr;
            if (!StartIndicator(indicators[run], indicator, monitor, windows64)) {
                std::printf("the indicator in %s did not start%s\n", indicators[run].c_str(),
                            windows64 ? " with its companion" : "");
                return 1;
            }
            for (const char* lock : {PROP_NUMLOCK, PROP_CAPSLOCK, PROP_SCROLLLOCK})
                locksOn = locksOn || GetPropA(monitor, lock) != nullptr;
            for (int i = 0; i < kinds; ++i)
                typists[i].times[run + 1].push_back(TimeTyping(typists[i].program));
            EndIndicator(indicator, monitor);
        }
    }

    std::printf("microseconds per key event (press or release of 'A'), the median and the fastest of %d rounds\n"
                "(the fastest is the least disturbed by the machine's other work); each round: one run of\n"
                "each program with no hook, then one with the indicator running without the check of the\n"
                "lock states at every key and one with it, in turns\n",
                kRounds);
    if (locksOn)
        std::printf("(a lock was on: the figures are those of a key whose thread may disagree)\n");
    std::printf("  typing program   figure    no hook   without check (added)   with check (added)   the check adds\n");
    for (int i = 0; i < kinds; ++i) {
        const TTypist& typist = typists[i];
        bool failed = false;
        for (const std::vector<double>& times : typist.times)
            failed = failed || std::count(times.begin(), times.end(), -1.0) > 0;
        if (failed) {
            std::printf("  %-14s   a run failed\n", typist.name);
            continue;
        }
        for (const bool median : {true, false}) {
            auto figure = [median](const std::vector<double>& times) { return median ? Median(times) : Fastest(times); };
            const double none = figure(typist.times[0]), before = figure(typist.times[1]),
                         after = figure(typist.times[2]);
            std::printf("  %-14s   %-7s %9.1f %13.1f (%+6.1f) %12.1f (%+6.1f) %+10.1f (%+.1f %%)\n",
                        median ? typist.name : "", median ? "median" : "fastest", none, before, before - none, after,
                        after - none, after - before, 100.0 * (after - before) / before);
        }
    }
    if (!windows64)
        std::printf("(no 64-bit Windows here, or a 64-bit build: one kind of typing program)\n");
    return 0;
}
