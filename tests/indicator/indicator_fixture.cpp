#include "tests/indicator/indicator_fixture.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

const char IndicatorKeyPath[] = "Software\\Velquist\\Indicator\\1.x";

namespace {

const char SavedKeyPath[] = "Software\\Velquist\\Indicator\\1.x (kept by the indicator tests)";

// Keeps the indicator's settings and shortcut of the user running the tests
// aside for the run, and puts them back afterwards.
class TSavedSettings : public ::testing::Environment {
public:
    void SetUp() override
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, IndicatorKeyPath, 0, KEY_READ, &key) == ERROR_SUCCESS) {
            HKEY saved;
            if (RegCreateKeyExA(HKEY_CURRENT_USER, SavedKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &saved,
                                nullptr) == ERROR_SUCCESS) {
                keptKey_ = RegCopyTreeA(key, nullptr, saved) == ERROR_SUCCESS;
                RegCloseKey(saved);
            }
            RegCloseKey(key);
        }
        keptShortcut_ = MoveFileExA(StartupShortcutFile().c_str(), (StartupShortcutFile() + ".kept").c_str(),
                                    MOVEFILE_REPLACE_EXISTING) != FALSE;
    }
    void TearDown() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, IndicatorKeyPath);
        DeleteFileA(StartupShortcutFile().c_str());
        if (keptKey_) {
            HKEY saved, key;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, SavedKeyPath, 0, KEY_READ, &saved) == ERROR_SUCCESS) {
                if (RegCreateKeyExA(HKEY_CURRENT_USER, IndicatorKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                    &key, nullptr) == ERROR_SUCCESS) {
                    RegCopyTreeA(saved, nullptr, key);
                    RegCloseKey(key);
                }
                RegCloseKey(saved);
            }
            RegDeleteTreeA(HKEY_CURRENT_USER, SavedKeyPath);
        }
        if (keptShortcut_)
            MoveFileA((StartupShortcutFile() + ".kept").c_str(), StartupShortcutFile().c_str());
    }

private:
    bool keptKey_ = false;
    bool keptShortcut_ = false;
};

::testing::Environment* const savedSettings = ::testing::AddGlobalTestEnvironment(new TSavedSettings);

struct TWindowSearch {
    DWORD processId;
    const char* className;
    const char* title;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    TWindowSearch& search = *reinterpret_cast<TWindowSearch*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if ((search.processId == 0 || processId == search.processId) && std::strcmp(className, search.className) == 0 &&
        (!search.title || WindowText(window) == search.title) && (!search.visibleOnly || IsWindowVisible(window))) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND SearchWindows(DWORD processId, const char* className, const char* title, bool visibleOnly)
{
    TWindowSearch search = {processId, className, title, visibleOnly, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK MatchChild(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<std::pair<const char*, HWND>*>(data);
    if (WindowText(window) == search.first) {
        search.second = window;
        return FALSE;
    }
    return TRUE;
}

// An icon's opaque pixels: drawn over black and over white, a pixel that
// stays the same is the icon's own.
struct TPicture {
    std::vector<POINT> at;
    std::vector<COLORREF> colour;
};

TPicture OpaquePixels(const char* name)
{
    TPicture picture;
    HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON, 16, 16, 0));
    if (!icon)
        return picture;
    TCanvas black(16, 16), white(16, 16);
    black.Fill(RGB(0, 0, 0));
    white.Fill(RGB(255, 255, 255));
    DrawIconEx(black.Dc(), 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    DrawIconEx(white.Dc(), 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
    const TPixels onBlack = black.Pixels(), onWhite = white.Pixels();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (onBlack.At(x, y) == onWhite.At(x, y)) {
                picture.at.push_back({x, y});
                picture.colour.push_back(onBlack.At(x, y));
            }
    return picture;
}

bool ShowsAt(const TPixels& screen, const TPicture& picture, int left, int top)
{
    for (size_t i = 0; i < picture.at.size(); ++i)
        if (screen.At(left + picture.at[i].x, top + picture.at[i].y) != picture.colour[i])
            return false;
    return !picture.at.empty();
}

}  // namespace

std::string TestProgramFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.erase(folder.rfind('\\') + 1);
}

std::string StartupShortcutFile()
{
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_STARTUP, nullptr, 0, folder);
    return std::string(folder) + "\\Pelorum(システムトレイに常駐).lnk";
}

TProcess::~TProcess()
{
    if (!info_.hProcess)
        return;
    if (Running())
        TerminateProcess(info_.hProcess, 99);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

bool TProcess::Start(const std::string& commandLine)
{
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_) !=
           FALSE;
}

bool TProcess::Running() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

int TProcess::Finish(DWORD ms)
{
    if (!info_.hProcess || !PumpUntilSignalled(info_.hProcess, ms))
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<int>(code);
}

bool TIndicator::Start(const std::string& switches, const std::string& program)
{
    if (!TProcess::Start("\"" + program + "\" " + switches))
        return false;
    PumpUntil([&] { return (Monitor = FindMonitor(Id())) != nullptr || !Running(); }, StartTimeoutMs);
    return Monitor && PumpUntil([&] { return TrayIconExists(Monitor); }, StartTimeoutMs);
}

int TIndicator::Close()
{
    PostMessageA(Monitor, WM_CLOSE, 0, 0);
    return Finish();
}

HWND FindMonitor(DWORD processId)
{
    return SearchWindows(processId, "ShapeClass", "INDICATOR MONITOR WINDOW", false);
}

HWND FindProcessWindow(DWORD processId, const char* className, const char* title)
{
    return SearchWindows(processId, className, title, true);
}

HWND FindChildByText(HWND parent, const char* text)
{
    std::pair<const char*, HWND> search(text, nullptr);
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

std::string WindowText(HWND window)
{
    char text[1024] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        &length);
    return text;
}

std::string ChildText(HWND parent, const char* className)
{
    return WindowText(FindWindowExA(parent, nullptr, className, nullptr));
}

HWND WaitForShape(DWORD processId, const char* title)
{
    HWND shape = nullptr;
    PumpUntil(
        [&] {
            shape = FindProcessWindow(processId, "ShapeClass", title);
            return shape && GetDlgItem(shape, IDOK);
        },
        StartTimeoutMs);
    return shape;
}

void PressButton(HWND shape, int id)
{
    PostMessageA(shape, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(shape, id)));
}

bool ShowsNothing(const TIndicator& indicator)
{
    DWORD_PTR ignored;
    SendMessageTimeoutA(indicator.Monitor, WM_NULL, 0, 0, SMTO_NORMAL, StartTimeoutMs, &ignored);
    return FindProcessWindow(indicator.Id(), "ShapeClass") == nullptr;
}

bool TrayIconExists(HWND monitor)
{
    NOTIFYICONDATAA probe = {};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = monitor;
    probe.uID = TrayIconIdentifier;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

std::string IndicatorIconName(char set, int index)
{
    return std::string("INDICATOR") + set + std::to_string(index) + "_ICON";
}

std::string PictureIn(const RECT& area, const std::vector<std::string>& names)
{
    const TPixels screen = CaptureScreen(area);
    for (const std::string& name : names) {
        const TPicture picture = OpaquePixels(name.c_str());
        for (int top = 0; top + 16 <= screen.height; ++top)
            for (int left = 0; left + 16 <= screen.width; ++left)
                if (ShowsAt(screen, picture, left, top))
                    return name;
    }
    return "";
}

RECT TaskbarRect()
{
    RECT rect = {};
    GetWindowRect(FindWindowA("Shell_TrayWnd", nullptr), &rect);
    return rect;
}

RECT TrayCorner()
{
    RECT rect = TaskbarRect();
    rect.left = rect.right - 240;
    rect.top -= 40;
    return rect;
}

std::string TrayPicture()
{
    std::vector<std::string> names;
    for (char set : {'A', 'B'})
        for (int index = 0; index < 8; ++index)
            names.push_back(IndicatorIconName(set, index));
    return PictureIn(TaskbarRect(), names);
}

int RecordedIndex(HWND monitor)
{
    auto on = [&](const char* name) { return GetPropA(monitor, name) != nullptr ? 1 : 0; };
    return 4 * on("NumLock") + 2 * on("CapsLock") + on("ScrollLock");
}

int Type(const std::string& script)
{
    TProcess typist;
    if (!typist.Start("\"" + TestProgramFolder() + "key_typist.exe\" " + script))
        return -1;
    return typist.Finish(30000);
}

int TypeInSteps(const std::vector<std::string>& steps, const std::function<void(size_t)>& check)
{
    // Auto-reset: each wait of either side takes one signal.
    HANDLE ready = CreateEventA(nullptr, FALSE, FALSE, "LampHookTypistReady");
    HANDLE go = CreateEventA(nullptr, FALSE, FALSE, "LampHookTestGo");
    std::string script;
    for (const std::string& keys : steps)
        script += keys + " r e ";
    TProcess typist;
    int result = -1;
    if (typist.Start("\"" + TestProgramFolder() + "key_typist.exe\" " + script)) {
        for (size_t i = 0; i < steps.size() && PumpUntilSignalled(ready, StartTimeoutMs); ++i) {
            check(i);
            SetEvent(go);
        }
        result = typist.Finish(30000);
    }
    CloseHandle(ready);
    CloseHandle(go);
    return result;
}

DWORD ReadSetting(const char* subKey, const char* name, DWORD missing)
{
    std::string path = std::string(IndicatorKeyPath) + (subKey ? std::string("\\") + subKey : "");
    DWORD value = 0, size = sizeof value;
    return RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
                   ERROR_SUCCESS
               ? value
               : missing;
}

void WriteSetting(const char* name, DWORD value)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, IndicatorKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

void IndicatorTest::SetUp()
{
    ASSERT_EQ(nullptr, FindMonitor()) << "an indicator is already running";
    RegDeleteTreeA(HKEY_CURRENT_USER, IndicatorKeyPath);
    DeleteFileA(StartupShortcutFile().c_str());
    ASSERT_EQ(0, Type("z"));
}

void IndicatorTest::TearDown()
{
    if (indicator_.Running() && indicator_.Monitor)
        indicator_.Close();
    PumpUntil([] { return FindMonitor() == nullptr; }, StartTimeoutMs);
}

void IndicatorTest::StartIndicator(const std::string& switches)
{
    ASSERT_TRUE(indicator_.Start(switches)) << "Indicator.exe " << switches;
}

void IndicatorTest::ExpectTrayPicture(const std::string& name)
{
    std::string shown;
    EXPECT_TRUE(PumpUntil([&] { return (shown = TrayPicture()) == name; }, StartTimeoutMs))
        << "the tray shows " << (shown.empty() ? "no indicator picture" : shown) << " instead of " << name;
}
