#include "tests/indicator/indicator_fixture.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>

namespace {

const char KeyPath[] = "Software\\Velquist\\Indicator\\1.x";
const char KeptKeyPath[] = "Software\\Velquist\\Indicator\\1.x (kept by the indicator tests)";

// Moves a key with everything below it; false when there is none.
bool MoveKey(const char* from, const char* to)
{
    HKEY source, target;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, from, 0, KEY_READ, &source) != ERROR_SUCCESS)
        return false;
    RegCreateKeyExA(HKEY_CURRENT_USER, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr);
    const bool copied = RegCopyTreeA(source, nullptr, target) == ERROR_SUCCESS;
    RegCloseKey(target);
    RegCloseKey(source);
    return copied && RegDeleteTreeA(HKEY_CURRENT_USER, from) == ERROR_SUCCESS;
}

class TKeptSettings : public ::testing::Environment {
    void SetUp() override
    {
        keptKey_ = MoveKey(KeyPath, KeptKeyPath);
        keptShortcut_ = MoveFileA(StartupShortcutFile().c_str(), (StartupShortcutFile() + ".kept").c_str());
    }
    void TearDown() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, KeyPath);
        DeleteFileA(StartupShortcutFile().c_str());
        if (keptKey_)
            MoveKey(KeptKeyPath, KeyPath);
        if (keptShortcut_)
            MoveFileA((StartupShortcutFile() + ".kept").c_str(), StartupShortcutFile().c_str());
    }
    bool keptKey_ = false, keptShortcut_ = false;
};
::testing::Environment* const keptSettings = ::testing::AddGlobalTestEnvironment(new TKeptSettings);

struct TSearch {
    DWORD processId;
    const char *className, *title;
    bool hidden;
    HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM data)
{
    TSearch& search = *reinterpret_cast<TSearch*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if ((!search.processId || processId == search.processId) && !std::strcmp(className, search.className) &&
        (!search.title || WindowText(window) == search.title) && (search.hidden || IsWindowVisible(window)))
        search.found = window;
    return !search.found;
}

int g_ownMonitorNotifications = 0;

LRESULT CALLBACK OwnMonitorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_ownMonitorNotifications += message == WM_USER + 100;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

std::string TestProgramFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, std::strrchr(path, '\\') + 1);
}

std::string StartupShortcutFile()
{
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_STARTUP, nullptr, 0, folder);
    return std::string(folder) + "\\Pelorum(システムトレイに常駐).lnk";
}

TProcess::~TProcess()
{
    if (Running())
        TerminateProcess(info.hProcess, 99);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
}

bool TProcess::Start(const std::string& commandLine, const std::string& program, const std::string& folder)
{
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(program.empty() ? nullptr : program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &info);
}

int TProcess::Finish()
{
    DWORD code = static_cast<DWORD>(-1);
    if (info.hProcess && PumpUntilSignalled(info.hProcess, Patience))
        GetExitCodeProcess(info.hProcess, &code);
    return static_cast<int>(code);
}

bool TIndicator::Start(const std::string& switches, const std::string& program)
{
    return TProcess::Start("\"" + program + "\" " + switches) &&
           PumpUntil([&] { return (Monitor = FindMonitor(info.dwProcessId)) && IndicatorIconInTray(Monitor); }, Patience);
}

int TIndicator::Close()
{
    PostMessageA(Monitor, WM_CLOSE, 0, 0);
    return Finish();
}

HWND FindWindowOf(DWORD processId, const char* className, const char* title, bool hidden)
{
    TSearch search = {processId, className, title, hidden, nullptr};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindMonitor(DWORD processId)
{
    return FindWindowOf(processId, "ShapeClass", "INDICATOR MONITOR WINDOW", true);
}

std::string WindowText(HWND window)
{
    char text[1024] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000, &length);
    return text;
}

HWND WaitForShape(DWORD processId, const char* title)
{
    HWND shape = nullptr;
    PumpUntil([&] { return (shape = FindWindowOf(processId, "ShapeClass", title)) && GetDlgItem(shape, IDOK); },
              Patience);
    return shape;
}

void PressButton(HWND shape, int id)
{
    PostMessageA(shape, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(shape, id)));
}

bool ShowsNothing(const TIndicator& indicator)
{
    // A message it shows is up by the time it answers a sent message.
    DWORD_PTR ignored;
    SendMessageTimeoutA(indicator.Monitor, WM_NULL, 0, 0, SMTO_NORMAL, Patience, &ignored);
    return !FindWindowOf(indicator.info.dwProcessId, "ShapeClass");
}

void Screenshot(HWND window, const char* name)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT area;
    GetWindowRect(window, &area);
    SaveScreenshot(CaptureScreen(area), name);
}

std::string IconName(char set, int index)
{
    return std::string("INDICATOR") + set + std::to_string(index) + "_ICON";
}

std::string PictureIn(const RECT& area, const std::vector<std::string>& names, int side, int rows)
{
    const int compared = side * (rows > 0 && rows < side ? rows : side);
    const TPixels screen = CaptureScreen(area);
    for (const std::string& name : names) {
        // The icon's own pixels are those that stay the same over black and over white.
        HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_ICON, side, side, 0));
        TCanvas black(side, side), white(side, side);
        white.Fill(RGB(255, 255, 255));
        for (TCanvas* canvas : {&black, &white})
            DrawIconEx(canvas->Dc(), 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
        const TPixels overBlack = black.Pixels(), overWhite = white.Pixels();
        auto shownAt = [&](int left, int top) {
            for (int i = 0; i < compared; ++i)
                if (overBlack.data[i] == overWhite.data[i] &&
                    screen.At(left + i % side, top + i / side) != overBlack.data[i])
                    return false;
            return true;
        };
        for (int top = 0; top + side <= screen.height; ++top)
            for (int left = 0; left + side <= screen.width; ++left)
                if (shownAt(left, top))
                    return name;
    }
    return "";
}

RECT TrayCorner()
{
    RECT rect = {};
    GetWindowRect(FindWindowA("Shell_TrayWnd", nullptr), &rect);
    return {rect.right - 240, rect.top - 40, rect.right, rect.bottom};
}

int RecordedIndex(HWND monitor)
{
    return (GetPropA(monitor, "NumLock") ? 4 : 0) + (GetPropA(monitor, "CapsLock") ? 2 : 0) +
           (GetPropA(monitor, "ScrollLock") ? 1 : 0);
}

void ExpectLockItemPictures(const TIndicator& indicator, char set, int side, const char* screenshot)
{
    PostMessageA(indicator.Monitor, TrayNotifyMessage, 9000, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (menu = FindWindowOf(indicator.info.dwProcessId, "#32768")); }, Patience));
    RECT area;
    GetWindowRect(menu, &area);
    for (const std::string& name : {IconName(set, 4), IconName(set, 2), IconName(set, 1)})
        EXPECT_TRUE(PumpUntil([&] { return PictureIn(area, {name}, side) == name; }, Patience)) << name;
    // The picture once the last item (exit) is drawn too.
    PumpUntil([&] { return !PictureIn(area, {"CLOSE_ICON"}, side).empty(); }, Patience);
    const std::string file =
        screenshot ? std::string(screenshot) : std::string("indicator_menu_") + static_cast<char>(set | 0x20) + ".png";
    SaveScreenshot(CaptureScreen({area.left - 40, area.top - 20, area.right + 40, area.bottom + 20}), file.c_str());
    PostMessageA(indicator.Monitor, WM_CANCELMODE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(menu); }, Patience));
}

int TypeInSteps(const std::vector<std::string>& steps, const std::function<void(size_t)>& check, const char* typist)
{
    // Auto-reset: each wait on either side takes one signal.
    HANDLE ready = CreateEventA(nullptr, FALSE, FALSE, "LampHookTypistReady");
    HANDLE go = CreateEventA(nullptr, FALSE, FALSE, "LampHookTestGo");
    std::string script;
    for (const std::string& keys : steps)
        script += keys + " r e ";
    TProcess process;
    int result = -1;
    if (process.Start("\"" + TestProgramFolder() + typist + "\" " + script)) {
        for (size_t i = 0; i < steps.size() && PumpUntilSignalled(ready, Patience); ++i) {
            if (check)
                check(i);
            SetEvent(go);
        }
        result = process.Finish();
    }
    CloseHandle(ready);
    CloseHandle(go);
    return result;
}

int TypistLockStates()
{
    const INT_PTR states = reinterpret_cast<INT_PTR>(GetPropA(FindWindowA("LampHookTypist", nullptr), "LockStates"));
    return states != 0 ? static_cast<int>(states & 7) : -1;
}

std::vector<DWORD> ProcessesOf(const char* exe, DWORD parent)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    std::vector<DWORD> found;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if ((!parent || entry.th32ParentProcessID == parent) && lstrcmpiA(entry.szExeFile, exe) == 0)
            found.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return found;
}

TOwnMonitor::TOwnMonitor()
{
    WNDCLASSA monitorClass = {};
    monitorClass.lpfnWndProc = OwnMonitorProc;
    monitorClass.lpszClassName = "ShapeClass";
    RegisterClassA(&monitorClass);
    window_ = CreateWindowExA(0, "ShapeClass", "INDICATOR MONITOR WINDOW", 0, 0, 0, 9, 9, nullptr, nullptr, nullptr,
                              nullptr);
    g_ownMonitorNotifications = 0;
}

TOwnMonitor::~TOwnMonitor()
{
    DestroyWindow(window_);
}

int TOwnMonitor::Notifications() const
{
    PumpPending();
    return g_ownMonitorNotifications;
}

DWORD ReadSetting(const char* subKey, const char* name, DWORD missing)
{
    const std::string path = std::string(KeyPath) + (subKey ? std::string("\\") + subKey : "");
    DWORD value = 0, size = sizeof value;
    const LONG read = RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return read == ERROR_SUCCESS ? value : missing;
}

void IndicatorTest::SetUp()
{
    ASSERT_EQ(nullptr, FindMonitor()) << "an indicator is already running";
    RegDeleteTreeA(HKEY_CURRENT_USER, KeyPath);
    DeleteFileA(StartupShortcutFile().c_str());
    ASSERT_EQ(0, TypeInSteps({"z"}));
}

void IndicatorTest::TearDown()
{
    if (indicator_.Running())
        indicator_.Close();
    PumpUntil([] { return !FindMonitor(); }, Patience);
}

void IndicatorTest::StartIndicator(const std::string& switches)
{
    ASSERT_TRUE(indicator_.Start(switches)) << "Indicator.exe " << switches;
}

void IndicatorTest::ExpectTrayPicture(const std::string& name, int side, int rows)
{
    std::vector<std::string> all;
    for (int i = 0; i < 16; ++i)
        all.push_back(IconName("AB"[i / 8], i % 8));
    RECT taskbar = {};
    GetWindowRect(FindWindowA("Shell_TrayWnd", nullptr), &taskbar);
    std::string shown;
    EXPECT_TRUE(PumpUntil([&] { return (shown = PictureIn(taskbar, all, side, rows)) == name; }, Patience))
        << "the tray shows " << (shown.empty() ? "no indicator picture" : shown) << " instead of " << name;
}
