// What the running indicator adds to every keystroke of the programs a user
// types into, on 64-bit Windows: the microseconds per key event that a 32-bit
// and a 64-bit typing program see (bench_typing_timer.exe and
// bench_typing_timer64.exe) with the indicator running (its 32-bit hook, and
// its companion's low-level hook and 64-bit hook), each against the same
// program with no hook at all. Rounds alternate between the two; the medians
// are printed.
//
// Run under Wine from build/win32/bin in a 64-bit prefix with a desktop and a
// tray (build/win32/wineprefix64 of scripts/wine-env), with no indicator
// running. In a 32-bit prefix only the 32-bit program is timed.
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

const int kRounds = 5;
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

// Starts the indicator and waits until its icon is in the tray and, on
// 64-bit Windows, its companion's hook is installed.
bool StartIndicator(PROCESS_INFORMATION& process, HWND& monitor, bool withCompanion)
{
    std::string line = "\"" + ProgramFolder() + "Indicator.exe\" /restore";
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
        std::vector<double> noHook, withIndicator;
    } typists[] = {{"32-bit", "bench_typing_timer.exe", {}, {}}, {"64-bit", "bench_typing_timer64.exe", {}, {}}};
    const int kinds = windows64 ? 2 : 1;
    if (!windows64)
        std::printf("a 32-bit system: the 64-bit typing program cannot run here\n");

    for (int round = 0; round < kRounds; ++round) {
        for (int i = 0; i < kinds; ++i)
            typists[i].noHook.push_back(TimeTyping(typists[i].program));
        PROCESS_INFORMATION indicator = {};
        HWND monitor = nullptr;
        if (!StartIndicator(indicator, monitor, windows64)) {
            std::printf("the indicator did not start%s\n", windows64 ? " with its companion" : "");
            return 1;
        }
        for (int i = 0; i < kinds; ++i)
            typists[i].withIndicator.push_back(TimeTyping(typists[i].program));
        EndIndicator(indicator, monitor);
    }

    std::printf("microseconds per key event (press or release of 'A'), median of %d rounds;\n"
                "each round: one run of each program with no hook, then one with the indicator running\n",
                kRounds);
    std::printf("  typing program   no hook   indicator running   added\n");
    for (int i = 0; i < kinds; ++i) {
        const TTypist& typist = typists[i];
        if (std::count(typist.noHook.begin(), typist.noHook.end(), -1.0) ||
            std::count(typist.withIndicator.begin(), typist.withIndicator.end(), -1.0)) {
            std::printf("  %-14s   a run failed\n", typist.name);
            continue;
        }
        const double off = Median(typist.noHook), on = Median(typist.withIndicator);
        std::printf("  %-14s %9.1f %19.1f   %+.1f (%.2f times)\n", typist.name, off, on, on - off, on / off);
    }
    return 0;
}
