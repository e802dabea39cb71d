// LAMPHOOK under real conditions: a monitor window in this process, the hook
// installed system-wide, and keys typed by a helper process that owns the
// focused window, so the hook runs in another process as it does for real.
//
// Wine runs the hook before it updates the typing thread's key-state table;
// Windows updates it first. The library records the states as they are once
// the press has been taken, on both, so the tests compare the recorded states
// with the typing thread's table as it stands after the press.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hook/lamphook.h"
#include "tests/message_pump.h"

namespace {

const BYTE VK_A = 0x41;

struct Notification {
    HWND window;
    INT_PTR num, caps, scroll;
    HANDLE hook;
    WPARAM ownTable; // the handling thread's own lock states, as the typist reports them
};

WPARAM OwnLockStates()
{
    BYTE states[256] = {};
    GetKeyboardState(states);
    return (states[VK_NUMLOCK] & 1) << 2 | (states[VK_CAPITAL] & 1) << 1 | (states[VK_SCROLL] & 1);
}

std::vector<Notification> g_notifications;
// What the typist saw in its own key-state table while handling each lock-key press.
struct TypistReport {
    WPARAM bits;
    LPARAM key;
};
std::vector<TypistReport> g_reports;
DWORD g_handlerDelayMs = 0;
// This thread's own lock states as each request to read the states from the
// system was handled; the key messages that windows of the class received.
std::vector<WPARAM> g_resyncs;
LONG g_keys = 0;

LRESULT CALLBACK MonitorProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    g_keys += message == WM_KEYDOWN || message == WM_KEYUP;
    if (message == WM_LOCKKEYCHANGED) {
        g_notifications.push_back({window, reinterpret_cast<INT_PTR>(GetPropA(window, PROP_NUMLOCK)),
                                   reinterpret_cast<INT_PTR>(GetPropA(window, PROP_CAPSLOCK)),
                                   reinterpret_cast<INT_PTR>(GetPropA(window, PROP_SCROLLLOCK)),
                                   GetPropA(window, PROP_KEYBOARDHOOK), OwnLockStates()});
        if (g_handlerDelayMs != 0)
            Sleep(g_handlerDelayMs);
        return 0;
    }
    if (message == WM_RESYNCLOCKSTATES) {
        g_resyncs.push_back(OwnLockStates());
        return 0;
    }
    if (message == RegisterWindowMessageA("LampHookTypistStates")) {
        g_reports.push_back({wparam, lparam});
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

std::string TypistPath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.erase(dir.find_last_of('\\') + 1);
    return dir + "key_typist.exe";
}

// A running key_typist process.
class TTypist {
public:
    explicit TTypist(const std::string& script)
    {
        std::string command = "\"" + TypistPath() + "\" " + script;
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        started_ = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &si, &pi_) != FALSE;
    }
    ~TTypist()
    {
        if (started_) {
            if (WaitForSingleObject(pi_.hProcess, 0) != WAIT_OBJECT_0)
                TerminateProcess(pi_.hProcess, 99);
            CloseHandle(pi_.hProcess);
            CloseHandle(pi_.hThread);
        }
    }
    TTypist(const TTypist&) = delete;
    TTypist& operator=(const TTypist&) = delete;

    bool Started() const { return started_; }
    HANDLE Process() const { return pi_.hProcess; }

    // Pumps until the typist has ended; its exit code, or -1 on time-out.
    int Finish(DWORD ms = 20000)
    {
        if (!started_ || !PumpUntilSignalled(pi_.hProcess, ms))
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(pi_.hProcess, &code);
        return static_cast<int>(code);
    }

private:
    bool started_ = false;
    PROCESS_INFORMATION pi_ = {};
};

int Type(const std::string& script)
{
    TTypist typist(script);
    EXPECT_TRUE(typist.Started());
    return typist.Finish();
}

ATOM RegisterMonitorClass()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MonitorProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = MONITOR_WINDOW_CLASS;
    ATOM atom = RegisterClassA(&wc);
    return atom != 0 ? atom : static_cast<ATOM>(GetClassInfoA(wc.hInstance, wc.lpszClassName, &wc));
}

HWND CreateMonitorWindow()
{
    RegisterMonitorClass();
    return CreateWindowExA(0, MONITOR_WINDOW_CLASS, MONITOR_WINDOW_TITLE, WS_OVERLAPPED, 0, 0, 10, 10,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

HWND CreatePlainWindow()
{
    return CreateWindowExA(0, "STATIC", "not the monitor", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

HHOOK HookProperty(HWND window)
{
    return reinterpret_cast<HHOOK>(GetPropA(window, PROP_KEYBOARDHOOK));
}

// The toggle bits of the three lock keys in this thread's key-state table.
void SetOwnToggles(bool num, bool caps, bool scroll)
{
    BYTE states[256];
    GetKeyboardState(states);
    states[VK_NUMLOCK] = num ? 1 : 0;
    states[VK_CAPITAL] = caps ? 1 : 0;
    states[VK_SCROLL] = scroll ? 1 : 0;
    SetKeyboardState(states);
}

class HookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_handlerDelayMs = 0;
        monitor_ = CreateMonitorWindow();
        ASSERT_NE(nullptr, monitor_);
        // Every typist of the test starts with all three locks off.
        ASSERT_EQ(0, Type("z"));
        g_notifications.clear();
        g_reports.clear();
        g_resyncs.clear();
    }
    void TearDown() override
    {
        if (monitor_ != nullptr && IsWindow(monitor_)) {
            ReleaseCaptureIndicate(monitor_);
            DestroyWindow(monitor_);
        }
        PumpPending();
    }

    HWND monitor_ = nullptr;
};

TEST_F(HookTest, ReportsZerosBeforeAnyCapture)
{
    IndicateData data;
    memset(&data, 0x55, sizeof data);
    GetIndicateData(&data);
    EXPECT_EQ(0, data.numLock);
    EXPECT_EQ(0, data.capsLock);
    EXPECT_EQ(0, data.scrollLock);
    EXPECT_EQ(nullptr, HookProperty(monitor_));
}

TEST_F(HookTest, CaptureRecordsTheCurrentStatesAtOnce)
{
    SetOwnToggles(true, false, true);
    ASSERT_TRUE(SetCaptureIndicate(monitor_));
    EXPECT_NE(nullptr, HookProperty(monitor_));

    IndicateData data = {};
    GetIndicateData(&data);
    EXPECT_EQ(1, data.numLock);
    EXPECT_EQ(0, data.capsLock);
    EXPECT_EQ(1, data.scrollLock);
    // Properties hold exactly 1 or 0, whatever the key-state byte held.
    EXPECT_EQ(reinterpret_cast<HANDLE>(1), GetPropA(monitor_, PROP_NUMLOCK));
    EXPECT_EQ(nullptr, GetPropA(monitor_, PROP_CAPSLOCK));

    SetOwnToggles(false, true, false);
    ASSERT_TRUE(SetCaptureIndicate(monitor_));
    GetIndicateData(&data);
    EXPECT_EQ(0, data.numLock);
    EXPECT_EQ(1, data.capsLock);
    EXPECT_EQ(0, data.scrollLock);
}

TEST_F(HookTest, RefusesWhatIsNotAWindow)
{
    SetOwnToggles(true, true, true);
    HWND destroyed = CreatePlainWindow();
    DestroyWindow(destroyed);

    EXPECT_FALSE(SetCaptureIndicate(nullptr));
    EXPECT_FALSE(SetCaptureIndicate(destroyed));
    EXPECT_FALSE(SetCaptureIndicate(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7654321))));

    EXPECT_EQ(nullptr, HookProperty(monitor_));
    EXPECT_EQ(nullptr, GetPropA(monitor_, PROP_NUMLOCK));
    EXPECT_EQ(nullptr, GetPropA(monitor_, PROP_CAPSLOCK));
    EXPECT_EQ(nullptr, GetPropA(monitor_, PROP_SCROLLLOCK));
}

TEST_F(HookTest, RefusesWhileNoMonitorWindowExists)
{
    DestroyWindow(monitor_);
    monitor_ = nullptr;
    HWND other = CreatePlainWindow();
    ASSERT_NE(nullptr, other);

    // A hook installed now could never be recorded, and so never be removed.
    EXPECT_FALSE(SetCaptureIndicate(other));
    EXPECT_EQ(nullptr, GetPropA(other, PROP_KEYBOARDHOOK));

    IndicateData data;
    memset(&data, 0x55, sizeof data);
    GetIndicateData(&data);
    EXPECT_EQ(0, data.numLock + data.capsLock + data.scrollLock);

    // Keys still pass, and nothing is notified.
    EXPECT_EQ(0, Type("d14 u14 d41 u41"));
    EXPECT_TRUE(g_notifications.empty());
    DestroyWindow(other);
}

TEST_F(HookTest, NotifiesOncePerPressAndAutoRepeatOnly)
{
    ASSERT_TRUE(SetCaptureIndicate(monitor_));
    HHOOK hook = HookProperty(monitor_);

    // A, Shift, F1 and releases: nothing. Caps Lock pressed, auto-repeated
    // twice, released: three notifications.
    EXPECT_EQ(0, Type("d41 u41 d10 u10 d70 u70 d14 d14 d14 u14 d41 u41"));
    ASSERT_EQ(3u, g_notifications.size());
    for (const Notification& n : g_notifications) {
        EXPECT_EQ(monitor_, n.window);
        EXPECT_EQ(hook, n.hook);
    }

    g_notifications.clear();
    EXPECT_EQ(0, Type("d90 u90 d91 u91 d14 u14"));
    EXPECT_EQ(3u, g_notifications.size());
}

BYTE Bit(WPARAM bits, int shift)
{
    return static_cast<BYTE>((bits >> shift) & 1);
}

// The states recorded at each press are those of the typing thread's
// key-state table once it has taken that press, the pressed key's own toggle
// included. The typist reports its table while it handles the key message,
// with a message of its own. Auto-repeats (d14 d14) never toggle.
TEST_F(HookTest, RecordsTheTypingThreadsStatesAfterEachPress)
{
    ASSERT_TRUE(SetCaptureIndicate(monitor_));
    EXPECT_EQ(0, Type("d91 u91 d14 u14 d91 u91 d90 u90 d91 u91 d14 d14 d14 u14 d90 u90 d14 u14"));
    ASSERT_EQ(10u, g_notifications.size());
    ASSERT_EQ(10u, g_reports.size());

    for (size_t i = 0; i < g_notifications.size(); ++i) {
        const Notification& n = g_notifications[i];
        const TypistReport& r = g_reports[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(Bit(r.bits, 2), n.num);
        EXPECT_EQ(Bit(r.bits, 1), n.caps);
        EXPECT_EQ(Bit(r.bits, 0), n.scroll);
    }
    // Each first press toggles its own key only; the two repeats of Caps Lock
    // (presses 6 and 7) change nothing.
    for (size_t i = 1; i < g_notifications.size(); ++i) {
        const Notification& a = g_notifications[i - 1];
        const Notification& b = g_notifications[i];
        const bool repeat = i == 6 || i == 7;
        const LPARAM key = g_reports[i].key;
        SCOPED_TRACE(i);
        EXPECT_EQ(!repeat && key == VK_NUMLOCK, a.num != b.num);
        EXPECT_EQ(!repeat && key == VK_CAPITAL, a.caps != b.caps);
        EXPECT_EQ(!repeat && key == VK_SCROLL, a.scroll != b.scroll);
    }

    const Notification& last = g_notifications.back();
    IndicateData data = {};
    GetIndicateData(&data);
    EXPECT_EQ(last.num, data.numLock);
    EXPECT_EQ(last.caps, data.capsLock);
    EXPECT_EQ(last.scroll, data.scrollLock);
}

// When the indicator's own thread handles a lock key (as when it synthesises
// one), the notification is a direct call on that thread: the properties then
// equal this thread's key-state table once the key has been taken.
TEST_F(HookTest, RecordsTheOwnThreadsStatesInProcess)
{
    // Earlier tests set this thread's table by hand; the locks are all off now.
    SetOwnToggles(false, false, false);
    ASSERT_TRUE(SetCaptureIndicate(monitor_));
    ShowWindow(monitor_, SW_SHOW);
    SetForegroundWindow(monitor_);
    SetFocus(monitor_);
    ASSERT_EQ(monitor_, GetFocus());

    const BYTE keys[] = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL, VK_CAPITAL, VK_SCROLL, VK_NUMLOCK};
    for (BYTE key : keys) {
        SCOPED_TRACE(key);
        const size_t before = g_notifications.size();
        const WPARAM oldTable = OwnLockStates();
        keybd_event(key, 0, 0, 0);
        keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
        ASSERT_TRUE(PumpUntil([&] { return g_notifications.size() > before && OwnLockStates() != oldTable; },
                              5000));
        const Notification& n = g_notifications.back();
        const WPARAM table = OwnLockStates();
        EXPECT_EQ(Bit(table, 2), n.num);
        EXPECT_EQ(Bit(table, 1), n.caps);
        EXPECT_EQ(Bit(table, 0), n.scroll);
    }
    EXPECT_EQ(6u, g_notifications.size());
}

TEST_F(HookTest, ReleaseKeepsTheLastStatesAndStopsNotifying)
{
    ASSERT_TRUE(SetCaptureIndicate(monitor_));
    HHOOK hook = HookProperty(monitor_);
    EXPECT_EQ(0, Type("d90 u90 d14 u14"));
    ASSERT_EQ(2u, g_notifications.size());
    IndicateData before = {};
    GetIndicateData(&before);

    ReleaseCaptureIndicate(monitor_);
    EXPECT_EQ(nullptr, HookProperty(monitor_));
    // The hook is gone: removing it again fails.
    EXPECT_FALSE(UnhookWindowsHookEx(hook));

    EXPECT_EQ(0, Type("d14 u14 d90 u90 d91 u91"));
    EXPECT_EQ(2u, g_notifications.size());
    IndicateData after = {};
    GetIndicateData(&after);
    EXPECT_EQ(before.numLock, after.numLock);
    EXPECT_EQ(before.capsLock, after.capsLock);
    EXPECT_EQ(before.scrollLock, after.scrollLock);
    EXPECT_EQ(g_notifications[1].num, after.numLock);
    EXPECT_EQ(g_notifications[1].caps, after.capsLock);
}

TEST_F(HookTest, SecondCaptureLeavesExactlyOneHook)
{
    ASSERT_TRUE(SetCaptureIndicate(monitor_));
    HHOOK first = HookProperty(monitor_);
    ASSERT_TRUE(SetCaptureIndicate(monitor_));
    HHOOK second = HookProperty(monitor_);
    ASSERT_NE(nullptr, second);

    // The first hook was removed before the second was installed.
    if (first != second) {
        EXPECT_FALSE(UnhookWindowsHookEx(first));
    }
    EXPECT_EQ(0, Type("d14 u14"));
    EXPECT_EQ(1u, g_notifications.size());
}

TEST_F(HookTest, ReleaseWithAnotherWindowChangesNothing)
{
    ASSERT_TRUE(SetCaptureIndicate(monitor_));
    HHOOK hook = HookProperty(monitor_);
    HWND other = CreatePlainWindow();

    ReleaseCaptureIndicate(other);
    ReleaseCaptureIndicate(nullptr);
    EXPECT_EQ(hook, HookProperty(monitor_));
    EXPECT_EQ(0, Type("d14 u14"));
    EXPECT_EQ(1u, g_notifications.size());
    DestroyWindow(other);
}

TEST_F(HookTest, FindsARecreatedMonitorWindow)
{
    ASSERT_TRUE(SetCaptureIndicate(monitor_));
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, "LampHookTestGo");
    ASSERT_NE(nullptr, go);

    // The typist's copy of the library caches the first window on its first
    // press; the second press, after the window was replaced, must reach the new one.
    TTypist typist("d14 u14 e d14 u14");
    ASSERT_TRUE(typist.Started());
    ASSERT_TRUE(PumpUntil([] { return g_notifications.size() == 1; }, 10000));
    EXPECT_EQ(monitor_, g_notifications[0].window);

    // Destroying the window does not remove the hook, which this thread owns.
    HHOOK hook = HookProperty(monitor_);
    DestroyWindow(monitor_);
    monitor_ = CreateMonitorWindow();
    ASSERT_NE(nullptr, monitor_);
    SetEvent(go);

    EXPECT_EQ(0, typist.Finish());
    ASSERT_EQ(2u, g_notifications.size());
    EXPECT_EQ(monitor_, g_notifications[1].window);
    // The new window has no hook recorded; the hook is still this thread's to remove.
    EXPECT_EQ(nullptr, g_notifications[1].hook);
    EXPECT_TRUE(UnhookWindowsHookEx(hook));
    CloseHandle(go);
}

// A top-level window in front, owned by a thread of its own until it is closed.
DWORD WINAPI FrontWindowThread(void* window)
{
    *static_cast<HWND*>(window) = CreateWindowExA(0, "STATIC", "in front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                                                  300, 200, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(*static_cast<HWND*>(window));
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0 && msg.message != WM_CLOSE)
        DispatchMessageA(&msg);
    DestroyWindow(*static_cast<HWND*>(window));
    return 0;
}

// Calls that the system forwards from a program the library is not loaded
// into run on the installing thread while another thread's window is in
// front. This thread, which installs the hook, takes the keys in a child of
// another thread's window in front, and so gets such calls: a lock key asks
// the monitor window to read the states from the system, which it does once
// the key has been taken; nothing is recorded, and other keys ask nothing.
TEST_F(HookTest, ForwardedLockKeysAskForTheSystemsStates)
{
    SetOwnToggles(false, false, false);
    ASSERT_TRUE(SetCaptureIndicate(monitor_));
    HWND front = nullptr;
    HANDLE thread = CreateThread(nullptr, 0, FrontWindowThread, &front, 0, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return front && GetForegroundWindow() == front; }, 5000));
    // A child of another thread's window joins that thread's input.
    HWND child = CreateWindowExA(0, MONITOR_WINDOW_CLASS, "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, front, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SetFocus(child);
    ASSERT_EQ(child, GetFocus());

    const struct {
        BYTE key;
        size_t asked;   // requests to read the states
        WPARAM states;  // this thread's then: 4 Num + 2 Caps + Scroll
    } presses[] = {{VK_CAPITAL, 1, 2}, {'A', 0, 0}, {VK_NUMLOCK, 1, 6}, {VK_SHIFT, 0, 0}, {VK_SCROLL, 1, 7},
                   {VK_CAPITAL, 1, 5}, {VK_NUMLOCK, 1, 1}, {VK_SCROLL, 1, 0}};
    for (const auto& press : presses) {
        SCOPED_TRACE(static_cast<int>(press.key));
        const size_t before = g_resyncs.size();
        const LONG keys = g_keys;
        keybd_event(press.key, 0, 0, 0);
        keybd_event(press.key, 0, KEYEVENTF_KEYUP, 0);
        ASSERT_TRUE(PumpUntil([&] { return g_keys == keys + 2; }, 5000));
        PumpPending();
        ASSERT_EQ(before + press.asked, g_resyncs.size());
        if (press.asked) {
            EXPECT_EQ(press.states, g_resyncs.back());
        }
    }
    EXPECT_TRUE(g_notifications.empty());
    IndicateData data = {1, 1, 1};
    GetIndicateData(&data);
    EXPECT_EQ(0, data.numLock + data.capsLock + data.scrollLock);

    DestroyWindow(child);
    PostMessageA(front, WM_CLOSE, 0, 0);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
}

// The monitor window lives on a thread that stops answering for a long time.
struct HungMonitor {
    HWND window = nullptr;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE quit = CreateEventA(nullptr, TRUE, FALSE, nullptr);
};

DWORD WINAPI HungMonitorThread(void* param)
{
    HungMonitor* hung = static_cast<HungMonitor*>(param);
    hung->window = CreateMonitorWindow();
    SetEvent(hung->ready);
    // Answers nothing until told to quit: every message to the window waits.
    // Then it takes what is waiting for it.
    WaitForSingleObject(hung->quit, 30000);
    PumpPending();
    DestroyWindow(hung->window);
    return 0;
}

TEST(HookHung, AHungMonitorDoesNotBlockTyping)
{
    HungMonitor hung;
    HANDLE thread = CreateThread(nullptr, 0, HungMonitorThread, &hung, 0, nullptr);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hung.ready, 5000));
    ASSERT_TRUE(SetCaptureIndicate(hung.window));

    // Two lock-key presses; with a blocking send each would wait until the
    // monitor thread answers (30 s). The bound is about a second each.
    DWORD start = GetTickCount();
    EXPECT_EQ(0, Type("d14 u14 d14 u14"));
    DWORD elapsed = GetTickCount() - start;
    EXPECT_LT(elapsed, 8000u);

    ReleaseCaptureIndicate(hung.window);
    SetEvent(hung.quit);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    CloseHandle(hung.ready);
    CloseHandle(hung.quit);
}

// A monitor busy for longer than the bound hears of each press once it
// answers again: the notification that timed out is posted instead.
TEST(HookHung, ABusyMonitorHearsOfThePressesLater)
{
    g_notifications.clear();
    HungMonitor busy;
    HANDLE thread = CreateThread(nullptr, 0, HungMonitorThread, &busy, 0, nullptr);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(busy.ready, 5000));
    ASSERT_TRUE(SetCaptureIndicate(busy.window));
    EXPECT_EQ(0, Type("d14 u14 d14 u14"));
    ReleaseCaptureIndicate(busy.window);

    SetEvent(busy.quit);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 10000));
    EXPECT_LE(2u, g_notifications.size());
    CloseHandle(thread);
    CloseHandle(busy.ready);
    CloseHandle(busy.quit);
}

} // namespace
