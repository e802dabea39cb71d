// The real Indicator.exe under test: started beside the test program, talked
// to with messages, and observed through its windows, its tray icon (probed
// through the shell, its picture found on the screen), the registry and the
// start-up shortcut. Those two are the real ones: the run keeps what was there
// and puts it back at the end.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/canvas.h"
#include "tests/message_pump.h"
#include "tests/tray_probe.h"

const UINT TrayNotifyMessage = WM_APP + 9000;
const DWORD Patience = 15000;

std::string TestProgramFolder();  // ends in a backslash
std::string StartupShortcutFile();

// A child process, ended by force only if a test left it running; and
// Indicator.exe, whose Start waits for its monitor window and icon.
struct TProcess {
    PROCESS_INFORMATION info = {};
    ~TProcess();
    // With any command line, the program file and the folder to start in given.
    bool Start(const std::string& commandLine, const std::string& program = "", const std::string& folder = "");
    bool Running() const { return info.hProcess && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT; }
    int Finish();  // the exit code, -1 when it does not end in time
};
struct TIndicator : TProcess {
    HWND Monitor = nullptr;
    bool Start(const std::string& switches, const std::string& program = TestProgramFolder() + "Indicator.exe");
    int Close();  // WM_CLOSE from outside
};

// A visible (or any) top-level window of the process (0: any) with that class
// and title (null: any).
HWND FindWindowOf(DWORD processId, const char* className, const char* title = nullptr, bool hidden = false);
HWND FindMonitor(DWORD processId = 0);
std::string WindowText(HWND window);
HWND WaitForShape(DWORD processId, const char* title = nullptr);  // a visible shape with an OK button
void PressButton(HWND shape, int id);
bool ShowsNothing(const TIndicator& indicator);  // once it has handled what it was doing
void Screenshot(HWND window, const char* name);

std::string IconName(char set, int index);  // "INDICATORA5_ICON"
// Which of the pictures the area of the screen shows at that size ("" for
// none), comparing the first `rows` rows of each (0: all).
std::string PictureIn(const RECT& area, const std::vector<std::string>& names, int side = 16, int rows = 0);
RECT TrayCorner();
int RecordedIndex(HWND monitor);  // the hook's record: 4 Num + 2 Caps + Scroll
// Opens the tray menu, expects the set's pictures of that size beside the lock
// items, saves a picture of the menu under that name (by default
// "indicator_menu_<set>.png") and closes it.
void ExpectLockItemPictures(const TIndicator& indicator, char set, int side = 16, const char* screenshot = nullptr);

// The hook tests' typist (a helper that owns the focused window) types each
// step's keys and waits while `check` (i) runs; one process for all steps,
// since Wine shows a thread newer than a lock's last change that lock as off.
// `typist` names the program beside the test: key_typist64.exe is the 64-bit one.
int TypeInSteps(const std::vector<std::string>& steps, const std::function<void(size_t)>& check = nullptr,
                const char* typist = "key_typist.exe");
// While TypeInSteps checks a step: the typist's own lock states as its
// key-state table holds them, as an index 4 Num + 2 Caps + Scroll (-1: none).
int TypistLockStates();
// The processes of that program file (any parent, or the children of `parent`).
std::vector<DWORD> ProcessesOf(const char* exe, DWORD parent = 0);

// A monitor window of the test's own, with the indicator's class and title,
// counting the lock-key notifications of any hook still installed.
class TOwnMonitor {
public:
    TOwnMonitor();
    ~TOwnMonitor();
    int Notifications() const;

private:
    HWND window_;
};
DWORD ReadSetting(const char* subKey, const char* name, DWORD missing);

// Every test starts with no settings, no shortcut, all locks off and no
// indicator running, and leaves none running.
class IndicatorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void StartIndicator(const std::string& switches = "/restore");
    void ExpectTrayPicture(const std::string& name, int side = 16, int rows = 0);

    TIndicator indicator_;
};
