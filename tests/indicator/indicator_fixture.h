// The real Indicator.exe under test: started beside the test program, talked
// to with messages, and observed through its windows, its tray icon (probed
// through the shell, and its picture found on the screen), the registry and
// the start-up shortcut. The indicator's settings key and shortcut are the
// real ones: the run keeps what was there and puts it back at the end.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/canvas.h"
#include "tests/message_pump.h"

const UINT TrayNotifyMessage = WM_APP + 9000;
const UINT TrayIconIdentifier = 9000;
const DWORD Patience = 15000;

std::string TestProgramFolder();  // ends in a backslash
std::string StartupShortcutFile();

// A child process; ended by force only if a test left it running.
struct TProcess {
    PROCESS_INFORMATION info = {};
    ~TProcess();
    bool Start(const std::string& commandLine);
    bool Running() const { return info.hProcess && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT; }
    int Finish();  // the exit code, or -1 when it does not end in time
};

// Indicator.exe with switches: Start waits for its monitor window and icon.
struct TIndicator : TProcess {
    HWND Monitor = nullptr;
    bool Start(const std::string& switches, const std::string& program = TestProgramFolder() + "Indicator.exe");
    int Close();  // WM_CLOSE from outside; the exit code
};

// A top-level window of the process (any for 0) with that class and title
// (any for null), visible unless `hidden` is allowed.
HWND FindWindowOf(DWORD processId, const char* className, const char* title = nullptr, bool hidden = false);
HWND FindMonitor(DWORD processId = 0);
std::string WindowText(HWND window);
// A visible shape of the process with an OK button, waited for.
HWND WaitForShape(DWORD processId, const char* title = nullptr);
void PressButton(HWND shape, int id);
// Once the indicator has handled what it was doing: whether it shows no window.
bool ShowsNothing(const TIndicator& indicator);
void Screenshot(HWND window, const char* name);

// The tray record of the indicator's icon, with nothing to change.
NOTIFYICONDATAA TrayRecord(HWND monitor);
bool TrayIconExists(HWND monitor);
std::string IndicatorIconName(char set, int index);
// Which of the pictures shows in the area of the screen ("" for none).
std::string PictureIn(const RECT& area, const std::vector<std::string>& names);
RECT TrayCorner();  // the right end of the taskbar
// The lock states the hook recorded on the monitor window: 4 Num, 2 Caps, 1 Scroll.
int RecordedIndex(HWND monitor);
// Opens the tray menu and expects the pictures of the set beside the lock items.
void ExpectLockItemPictures(const TIndicator& indicator, char set);

int Type(const std::string& script);
// One typist (the hook tests' helper that owns the focused window) for
// several steps, so that every key reaches the same thread (Wine shows a
// thread that is newer than a lock's last change that lock as off): after
// the keys of step i it waits while `check` (i) runs. Its exit code.
int TypeInSteps(const std::vector<std::string>& steps, const std::function<void(size_t)>& check);

// A DWORD under the indicator's key (or its subkey), `missing` when absent.
DWORD ReadSetting(const char* subKey, const char* name, DWORD missing);
void WriteSetting(const char* name, DWORD value);

// Every test starts with no settings, no shortcut, all locks off and no
// indicator running, and leaves none running.
class IndicatorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void StartIndicator(const std::string& switches = "/restore");
    void ExpectTrayPicture(const std::string& name);

    TIndicator indicator_;
};
