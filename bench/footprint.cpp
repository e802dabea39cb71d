// The indicator's footprint under Wine, in one run: memory beyond a bare
// message-loop program built the same way, wake-ups while idle, start to icon
// in the tray, a lock-key press to the new picture on the screen, and the
// sizes of the shipped files. On 64-bit Windows (a 64-bit prefix) also the
// memory and wake-ups of the indicator's 64-bit companion, beside a bare
// 64-bit message loop. Prints figures; each goal is in brackets, with whether
// this run met it.
//
// Run under Wine with a desktop and a tray, from build/<arch>/bin (the test
// environment of scripts/wine-env will do), with no indicator running.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/tray_probe.h"

namespace {

const char MonitorClass[] = "ShapeClass";
const char MonitorTitle[] = "INDICATOR MONITOR WINDOW";
const char BaselineClass[] = "FootprintBaseline";

std::string Folder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.erase(folder.rfind('\\') + 1);
}

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Pump(DWORD ms)
{
    const double end = Now() + ms;
    while (Now() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

PROCESS_INFORMATION Start(const std::string& commandLine)
{
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    return info;
}

void Close(const PROCESS_INFORMATION& process, HWND window)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

struct TMemory {
    double privateKb = 0, workingSetKb = 0;
};

TMemory Memory(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
        return {};
    return {counters.PrivateUsage / 1024.0, counters.WorkingSetSize / 1024.0};
}

std::string ReadHostFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    return text;
}

// The host's process folder (Z:\proc\N) whose command line ends with `tail`;
// Wine runs every Windows process as a host process of its own.
std::string HostProcessFolder(const char* tail)
{
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA("Z:\\proc\\*", &entry);
    std::string found;
    for (BOOL more = find != INVALID_HANDLE_VALUE; more && found.empty(); more = FindNextFileA(find, &entry)) {
        if (entry.cFileName[0] < '0' || entry.cFileName[0] > '9')
            continue;
        const std::string folder = std::string("Z:\\proc\\") + entry.cFileName;
        std::string line = ReadHostFile(folder + "\\cmdline");
        std::replace(line.begin(), line.end(), '\0', ' ');
        line.erase(std::remove(line.begin(), line.end(), '"'), line.end());
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        if (line.size() >= std::strlen(tail) && line.compare(line.size() - std::strlen(tail), std::string::npos, tail) == 0)
            found = folder;
    }
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
    return found;
}

// A field of a host process's status, in KB; -1 when unknown.
long long HostStatusKb(const std::string& folder, const char* field)
{
    const std::string status = folder.empty() ? "" : ReadHostFile(folder + "\\status");
    const size_t at = status.find(field);
    return at == std::string::npos ? -1 : std::atoll(status.c_str() + at + std::strlen(field));
}

// Context switches of every thread of a host process so far; -1 when unknown.
long long ContextSwitches(const std::string& folder)
{
    if (folder.empty())
        return -1;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\task\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return -1;
    long long total = 0;
    do {
        if (entry.cFileName[0] < '0' || entry.cFileName[0] > '9')
            continue;
        const std::string status = ReadHostFile(folder + "\\task\\" + entry.cFileName + "\\status");
        for (const char* field : {"voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:"}) {
            const size_t at = status.find(field);
            if (at != std::string::npos)
                total += std::atoll(status.c_str() + at + std::strlen(field));
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return total;
}

// What the screen shows in a rectangle, as raw pixels.
std::vector<DWORD> Capture(const RECT& rect)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    std::memcpy(pixels.data(), bits, pixels.size() * sizeof(DWORD));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

LRESULT CALLBACK TypistProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

void TypeKey(BYTE key)
{
    keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)), 0, 0);
    keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP, 0);
}

// Milliseconds from typing Caps Lock in this process (the typing helper, with
// the focus) to a changed picture in the tray, for a few presses.
std::vector<double> PressToPicture()
{
    WNDCLASSA typistClass = {};
    typistClass.lpfnWndProc = TypistProc;
    typistClass.hInstance = GetModuleHandleA(nullptr);
    typistClass.lpszClassName = "FootprintTypist";
    RegisterClassA(&typistClass);
    HWND typist = CreateWindowExA(0, typistClass.lpszClassName, "typist", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                  200, 100, nullptr, nullptr, typistClass.hInstance, nullptr);
    SetForegroundWindow(typist);
    SetFocus(typist);
    // Wine rewrites a thread's key states a moment after it takes the focus.
    Pump(500);
    // Start from Caps Lock off as this thread sees it.
    if (GetKeyState(VK_CAPITAL) & 1) {
        TypeKey(VK_CAPITAL);
        Pump(300);
    }
    RECT tray = {};
    GetWindowRect(FindWindowA("Shell_TrayWnd", nullptr), &tray);
    tray.left = tray.right - 200;
    std::vector<double> times;
    for (int press = 0; press < 10; ++press) {
        const std::vector<DWORD> before = Capture(tray);
        const double start = Now();
        TypeKey(VK_CAPITAL);
        double changed = -1;
        while (Now() - start < 2000 && changed < 0) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            if (Capture(tray) != before)
                changed = Now() - start;
        }
        times.push_back(changed);
        Pump(200);
    }
    DestroyWindow(typist);
    return times;
}

struct TProgram {
    TProgram(const char* name, const char* commandLine, const char* windowClass)
        : name(name), commandLine(commandLine), windowClass(windowClass)
    {
    }
    const char* name;
    std::string commandLine;  // after the program folder
    const char* windowClass;
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
    double toWindow = 0, toReady = 0;
    std::string host;
    TMemory memory;
    long long anonymousKb = -1, switches = -1;
};

// A goal in brackets, with whether the figure meets it.
std::string Goal(const char* goal, bool met)
{
    return std::string("[") + goal + (met ? ": met]" : ": missed]");
}

struct TWindowSearch {
    DWORD processId;
    const char* windowClass;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    TWindowSearch& search = *reinterpret_cast<TWindowSearch*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char windowClass[64] = "";
    GetClassNameA(window, windowClass, sizeof windowClass);
    if (processId == search.processId && std::strcmp(windowClass, search.windowClass) == 0)
        search.found = window;
    return search.found == nullptr;
}

// The process's top-level window of that class (the 32- and 64-bit baselines share theirs).
HWND WindowOf(const PROCESS_INFORMATION& process, const char* windowClass)
{
    TWindowSearch search = {process.dwProcessId, windowClass, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool RunsOn64BitWindows()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// The indicator's companion, a child process without a window, once it runs.
PROCESS_INFORMATION CompanionOf(const PROCESS_INFORMATION& indicator)
{
    PROCESS_INFORMATION companion = {};
    for (const double started = Now(); Now() - started < 15000 && !companion.hProcess; Sleep(10)) {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
            if (entry.th32ParentProcessID == indicator.dwProcessId && lstrcmpiA(entry.szExeFile, "LAMPHOST64.exe") == 0) {
                companion.dwProcessId = entry.th32ProcessID;
                companion.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE,
                                                 entry.th32ProcessID);
            }
        CloseHandle(snapshot);
    }
    return companion;
}

long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int main()
{
    const std::string folder = Folder();
    if (FindWindowA(MonitorClass, MonitorTitle)) {
        std::printf("an indicator is running already; end it first\n");
        return 1;
    }

    // The baselines: a hidden window and a message loop, nothing else; and
    // the same with the indicator's system DLLs loaded.
    TProgram bare{"bare message loop", "footprint_baseline.exe\"", "FootprintBaseline"};
    TProgram dlls{"  + the same system DLLs", "footprint_baseline.exe\" /dlls", "FootprintBaselineDlls"};
    TProgram indicator{"indicator", "Indicator.exe\" /restore", MonitorClass};
    // On 64-bit Windows: a bare 64-bit message loop, and the companion.
    TProgram bare64{"bare 64-bit message loop", "footprint_baseline64.exe\"", "FootprintBaseline"};
    TProgram companion{"companion (64-bit)", "LAMPHOST64.exe\"", nullptr};
    std::vector<TProgram*> programs = {&bare, &dlls, &indicator};
    if (RunsOn64BitWindows())
        programs.push_back(&bare64);
    for (TProgram* program : programs) {
        const double started = Now();
        program->process = Start("\"" + folder + program->commandLine);
        while (Now() - started < 15000 && !(program->window = WindowOf(program->process, program->windowClass)))
            Sleep(1);
        program->toWindow = Now() - started;
        // For the indicator: on until its icon is in the tray.
        while (program == &indicator && Now() - started < 15000 && !IndicatorIconInTray(program->window))
            Sleep(1);
        program->toReady = Now() - started;
        if (!program->window) {
            std::printf("%s did not start\n", program->name);
            return 1;
        }
    }
    std::vector<TProgram*> measured = {&bare, &dlls, &indicator};
    if (RunsOn64BitWindows()) {
        companion.process = CompanionOf(indicator.process);
        if (!companion.process.hProcess) {
            std::printf("the indicator started no companion\n");
            return 1;
        }
        measured.push_back(&bare64);
        measured.push_back(&companion);
    }
    Pump(2000);

    // Wine reports no private bytes; the host's resident anonymous memory is
    // what the process has to itself.
    std::printf("memory (KB)                 private  working set  host anonymous resident\n");
    for (TProgram* program : measured) {
        std::string tail = program->commandLine;
        tail.erase(std::remove(tail.begin(), tail.end(), '"'), tail.end());
        program->host = HostProcessFolder(tail.c_str());
        program->memory = Memory(program->process.hProcess);
        program->anonymousKb = HostStatusKb(program->host, "RssAnon:");
        std::printf("  %-24s %8.0f %11.0f %12lld\n", program->name, program->memory.privateKb,
                    program->memory.workingSetKb, program->anonymousKb);
    }
    for (TProgram* base : {&bare, &dlls}) {
        // Met when every column that Wine reports stays under the goal.
        const double privateKb = indicator.memory.privateKb - base->memory.privateKb;
        const double workingSetKb = indicator.memory.workingSetKb - base->memory.workingSetKb;
        const long long anonymousKb = indicator.anonymousKb - base->anonymousKb;
        const bool anonymousKnown = indicator.anonymousKb >= 0 && base->anonymousKb >= 0;
        const bool met = privateKb < 1024 && workingSetKb < 1024 && (!anonymousKnown || anonymousKb < 1024);
        const char* name = base == &bare ? "indicator beyond bare" : "  beyond bare + DLLs";
        std::printf("  %-24s %8.0f %11.0f %12lld   %s\n", name, privateKb, workingSetKb, anonymousKb,
                    Goal("under 1024", met).c_str());
    }
    if (companion.process.hProcess)
        std::printf("  %-24s %8.0f %11.0f %12lld\n", "companion beyond bare 64",
                    companion.memory.privateKb - bare64.memory.privateKb,
                    companion.memory.workingSetKb - bare64.memory.workingSetKb,
                    companion.anonymousKb - bare64.anonymousKb);

    std::vector<TProgram*> idle = {&bare, &indicator};
    if (companion.process.hProcess)
        idle.push_back(&companion);
    for (TProgram* program : idle)
        program->switches = ContextSwitches(program->host);
    Sleep(10000);
    std::printf("idle 10 s, context switches of all threads, the indicator's goal [none]\n");
    for (TProgram* program : idle) {
        const long long after = ContextSwitches(program->host);
        const long long switches = program->switches < 0 ? -1 : after - program->switches;
        const std::string goal = program == &indicator ? "   " + Goal("none", switches == 0) : "";
        std::printf("  %-24s %lld (of %lld since its start)%s\n", program->name, switches, after, goal.c_str());
    }

    std::printf("start to icon in the tray: %.1f ms, of which to the monitor window %.1f ms   %s\n",
                indicator.toReady, indicator.toWindow, Goal("under 50", indicator.toReady < 50).c_str());
    std::printf("  (a bare message loop: start to its window %.1f ms)\n", bare.toWindow);
    std::vector<double> presses = PressToPicture();
    std::sort(presses.begin(), presses.end());
    // Met when every press shows its picture in time (a press that never does counts as -1).
    const bool pressesMet = presses.front() >= 0 && presses.back() < 50;
    std::printf("Caps Lock press to a new picture in the tray, %u presses: median %.1f ms, slowest %.1f ms"
                "   %s\n",
                static_cast<unsigned>(presses.size()), presses[presses.size() / 2], presses.back(),
                Goal("each under 50", pressesMet).c_str());

    const long long programBytes = FileSize(folder + "..\\ship\\Indicator.exe");
    const long long libraryBytes = FileSize(folder + "..\\ship\\LAMPHOOK.dll");
    std::printf("shipped files, stripped: Indicator.exe %lld bytes %s, LAMPHOOK.dll %lld bytes %s\n", programBytes,
                Goal("300 KB", programBytes >= 0 && programBytes <= 300 * 1024).c_str(), libraryBytes,
                Goal("30 KB", libraryBytes >= 0 && libraryBytes <= 30 * 1024).c_str());
    std::printf("  and for 64-bit Windows: LAMPHOOK64.dll %lld bytes, LAMPHOST64.exe %lld bytes\n",
                FileSize(folder + "..\\ship\\LAMPHOOK64.dll"), FileSize(folder + "..\\ship\\LAMPHOST64.exe"));

    for (TProgram* program : {&indicator, &dlls, &bare})
        Close(program->process, program->window);
    if (bare64.process.hProcess)
        Close(bare64.process, bare64.window);
    if (companion.process.hProcess) {
        WaitForSingleObject(companion.process.hProcess, 10000);
        CloseHandle(companion.process.hProcess);
    }
    return 0;
}
