// The real Indicator.exe under test: started beside the test program, talked
// to with messages, and observed through what it leaves behind: its windows,
// its tray icon (probed through the shell, and its picture found on the
// screen), the registry and the start-up shortcut.
//
// The indicator's settings key and shortcut are the real ones: the test
// program keeps what was there before and puts it back at the end, and every
// test starts from none.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/canvas.h"
#include "tests/message_pump.h"

extern const char IndicatorKeyPath[];  // "Software\\Velquist\\Indicator\\1.x"
const UINT TrayNotifyMessage = WM_APP + 9000;
const UINT TrayIconIdentifier = 9000;
const DWORD StartTimeoutMs = 15000;

std::string TestProgramFolder();  // ends in a backslash
std::string StartupShortcutFile();

// A process of this test; ended by force only if a test left it running.
class TProcess {
public:
    TProcess() = default;
    ~TProcess();
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;

    bool Start(const std::string& commandLine);
    DWORD Id() const { return info_.dwProcessId; }
    bool Running() const;
    // Pumps until the process has ended: its exit code, or -1 on time-out.
    int Finish(DWORD ms = StartTimeoutMs);

private:
    PROCESS_INFORMATION info_ = {};
};

// Indicator.exe with the given switches; Start waits for its monitor window
// (and, unless it is expected to end at once, for its tray icon).
class TIndicator : public TProcess {
public:
    HWND Monitor = nullptr;

    bool Start(const std::string& switches, const std::string& program = TestProgramFolder() + "Indicator.exe");
    // WM_CLOSE from outside, as a test must end it: its exit code.
    int Close();
};

// The monitor window of a process (any process for 0), or null.
HWND FindMonitor(DWORD processId = 0);
// A visible top-level window of the process with that class (and title, if given).
HWND FindProcessWindow(DWORD processId, const char* className, const char* title = nullptr);
// The first child whose text is `text`.
HWND FindChildByText(HWND parent, const char* text);
std::string WindowText(HWND window);
// The text of the first child of that class (the message of a message box).
std::string ChildText(HWND parent, const char* className);
// A visible shape of the process with an OK button (a message or a dialog),
// waited for; null when none comes.
HWND WaitForShape(DWORD processId, const char* title = nullptr);
// Presses the button with that identifier, as a click does.
void PressButton(HWND shape, int id);
// Once the indicator has handled what it was doing (a message it shows is up
// by then): whether it shows no window at all.
bool ShowsNothing(const TIndicator& indicator);

// Whether the shell holds the icon of that window (a change of nothing).
bool TrayIconExists(HWND monitor);
// The name of the indicator picture ("INDICATORA5_ICON") shown in the area of
// the screen, looked for among `names`; empty when none shows.
std::string PictureIn(const RECT& area, const std::vector<std::string>& names);
// The picture of the tray, among all sixteen.
std::string TrayPicture();
std::string IndicatorIconName(char set, int index);
RECT TaskbarRect();
// The right end of the taskbar with the tray, for screenshots.
RECT TrayCorner();

// The lock states the hook recorded on the monitor window: 4 Num, 2 Caps, 1 Scroll.
int RecordedIndex(HWND monitor);

// Runs the hook tests' typist (a helper process that owns the focused window
// and types the keys it is told to): its exit code.
int Type(const std::string& script);
// One typist for several steps, so that every key reaches the same thread
// (Wine shows a thread that is newer than a lock's last change that lock as
// off): after typing the keys of step i it waits while `check` (i) runs.
// The typist's exit code.
int TypeInSteps(const std::vector<std::string>& steps, const std::function<void(size_t)>& check);

// The indicator's settings: the "IconSet" value (-1 when missing) and any
// DWORD under a subkey.
DWORD ReadSetting(const char* subKey, const char* name, DWORD missing);
void WriteSetting(const char* name, DWORD value);

// Every test starts with no settings, no shortcut, all locks off and no
// indicator running, and leaves no indicator running.
class IndicatorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts one indicator as the test's own and checks that it runs.
    void StartIndicator(const std::string& switches = "/restore");
    // Waits until the tray shows `name`.
    void ExpectTrayPicture(const std::string& name);

    TIndicator indicator_;
};
