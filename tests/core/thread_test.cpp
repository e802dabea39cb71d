// Worker threads: the base class, the caption flash and the mutex holder.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <vector>

#include "framework/core/flash_thread.h"
#include "framework/core/mutex_hold_thread.h"
#include "framework/core/thread.h"
#include "framework/settings/app_globals.h"
#include "tests/message_pump.h"

namespace {

// Runs until asked to stop, counting its rounds.
class TCountingThread : public TThread {
public:
    std::atomic<int> rounds{0};
    std::atomic<bool> sawRunning{false};

protected:
    DWORD Run() override
    {
        sawRunning = IsRunning();
        while (!StopRequested()) {
            ++rounds;
            Sleep(1);
        }
        return 7;
    }
};

std::atomic<int> deletedThreads{0};

class TSelfDeletingThread : public TThread {
public:
    explicit TSelfDeletingThread(HANDLE done) : done_(done) { AutoDelete = true; }
    ~TSelfDeletingThread() override
    {
        ++deletedThreads;
        SetEvent(done_);
    }

protected:
    DWORD Run() override { return 0; }

private:
    HANDLE done_;
};

class TSleepingThread : public TThread {
protected:
    DWORD Run() override
    {
        Sleep(10000);
        return 0;
    }
};

}  // namespace

TEST(Thread, StartRunsAndWaitStopsIt)
{
    TCountingThread thread;
    EXPECT_FALSE(thread.Wait(0));  // nothing started yet
    ASSERT_TRUE(thread.Start(0));
    EXPECT_TRUE(PumpUntil([&] { return thread.rounds > 0; }, 10000));
    EXPECT_TRUE(thread.IsRunning());
    EXPECT_TRUE(thread.Wait(5000));
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_TRUE(thread.sawRunning);
    EXPECT_GT(thread.rounds.load(), 0);

    // The object can run again; Start clears the stop request.
    const int before = thread.rounds;
    ASSERT_TRUE(thread.Start(4096));
    EXPECT_TRUE(PumpUntil([&] { return thread.rounds > before; }, 10000));
    EXPECT_GT(thread.rounds.load(), before);
    EXPECT_TRUE(thread.Wait(5000));
}

TEST(Thread, AutoDeleteDestroysObjectAfterRun)
{
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    deletedThreads = 0;
    ASSERT_TRUE((new TSelfDeletingThread(done))->Start(4096));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(done, 5000));
    EXPECT_EQ(1, deletedThreads.load());
    CloseHandle(done);
}

namespace {

// A thread whose Run ends by making the start of its own object unreadable, up
// to and including AutoDelete. An owner may delete a thread object once
// IsRunning turns false, so after Run the entry may touch nothing of the object
// but the running flag, which lies behind the fence.
class TFencedThread : public TThread {
public:
    explicit TFencedThread(void* fence) : fence_(fence) {}
    size_t AutoDeleteOffset() const
    {
        return reinterpret_cast<const char*>(&AutoDelete) - reinterpret_cast<const char*>(this);
    }

protected:
    DWORD Run() override
    {
        DWORD old = 0;
        VirtualProtect(fence_, 1, PAGE_NOACCESS, &old);
        return 5;
    }

private:
    void* fence_;
};

}  // namespace

TEST(Thread, EntryLeavesTheObjectAloneOnceRunEnds)
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const size_t page = info.dwPageSize;
    char* pages = static_cast<char*>(VirtualAlloc(nullptr, 2 * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(nullptr, pages);
    // Place the object so that AutoDelete is on the first page and the fields
    // after it, the running flag among them, on the second.
    const size_t offset = TFencedThread(nullptr).AutoDeleteOffset();
    const size_t align = alignof(TFencedThread);
    const size_t start = page - (offset + 1 + align - 1) / align * align;
    TFencedThread* thread = new (pages + start) TFencedThread(pages);

    ASSERT_TRUE(thread->Start(0));
    EXPECT_TRUE(PumpUntil([&] { return !thread->IsRunning(); }, 10000));
    DWORD old = 0;
    VirtualProtect(pages, page, PAGE_READWRITE, &old);
    EXPECT_TRUE(thread->Wait(10000));
    thread->~TFencedThread();
    VirtualFree(pages, 0, MEM_RELEASE);
}

TEST(Thread, TerminateEndsAThreadThatDoesNotStop)
{
    TSleepingThread thread;
    ASSERT_TRUE(thread.Start(0));
    EXPECT_FALSE(thread.Wait(20));  // it does not look at the stop request
    EXPECT_TRUE(thread.Terminate(3));
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_FALSE(thread.Terminate(3));  // nothing left to end
}

// ---------------------------------------------------------------------------

namespace {

struct TFlashRecord {
    std::vector<DWORD> times;
    std::vector<WPARAM> states;
};
TFlashRecord* flashRecord = nullptr;

LRESULT CALLBACK FlashProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCACTIVATE && flashRecord) {
        flashRecord->times.push_back(GetTickCount());
        flashRecord->states.push_back(wParam);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND MakeFlashWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FlashProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ThreadTestFlash";
    RegisterClassA(&windowClass);
    HWND hwnd = CreateWindowExA(0, "ThreadTestFlash", "flash", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
    // Let the activation messages of the new window pass first.
    MSG msg;
    for (int i = 0; i < 20; ++i) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(5);
    }
    return hwnd;
}

void PumpUntil(DWORD milliseconds, size_t wanted, const TFlashRecord& record)
{
    ::PumpUntil([&] { return record.times.size() >= wanted; }, milliseconds);
}

}  // namespace

TEST(Flash, TwiceAtHundredMilliseconds)
{
    HWND hwnd = MakeFlashWindow();
    ASSERT_NE(nullptr, hwnd);
    TFlashRecord record;
    flashRecord = &record;
    ASSERT_TRUE(Flash(TWindow(hwnd), 2, 100));
    // The flashes reach the window only while this thread pumps: Flash did not
    // run them itself, nor wait for them.
    EXPECT_TRUE(record.times.empty());
    PumpUntil(10000, 4, record);
    flashRecord = nullptr;

    ASSERT_EQ(4u, record.times.size());
    // Inverted, back, inverted, back, at least the interval apart; the caption ends as it began.
    const bool own = GetActiveWindow() == hwnd;
    EXPECT_EQ(!own, record.states[0] != 0);
    EXPECT_EQ(own, record.states[1] != 0);
    EXPECT_EQ(!own, record.states[2] != 0);
    EXPECT_EQ(own, record.states[3] != 0);
    for (size_t i = 1; i < record.times.size(); ++i) {
        const DWORD gap = record.times[i] - record.times[i - 1];
        EXPECT_GE(gap, 80u) << i;
    }
    DestroyWindow(hwnd);
}

TEST(Flash, MinusOneUsesCaretBlinkTime)
{
    HWND hwnd = MakeFlashWindow();
    ASSERT_NE(nullptr, hwnd);
    const UINT blink = GetCaretBlinkTime();
    ASSERT_GT(blink, 100u);
    TFlashRecord record;
    flashRecord = &record;
    ASSERT_TRUE(Flash(TWindow(hwnd), 1, -1));
    PumpUntil(3 * blink + 10000, 2, record);
    flashRecord = nullptr;
    ASSERT_EQ(2u, record.times.size());
    const DWORD gap = record.times[1] - record.times[0];
    EXPECT_GE(gap, blink - 30);
    // The thread still sleeps its second interval; the window stays until it ends.
    Sleep(blink + 100);
    DestroyWindow(hwnd);
}

TEST(Flash, ZeroCountFlashesNothing)
{
    HWND hwnd = MakeFlashWindow();
    TFlashRecord record;
    flashRecord = &record;
    ASSERT_TRUE(Flash(TWindow(hwnd), 0, 100));
    PumpUntil(300, 1, record);
    flashRecord = nullptr;
    EXPECT_EQ(0u, record.times.size());
    DestroyWindow(hwnd);
}

// ---------------------------------------------------------------------------

namespace {

const char kMutexName[] = "WindowTestHeldMutex";

// Whether another thread can take the named mutex at once.
bool FreeOnOtherThread()
{
    struct Probe {
        static DWORD WINAPI Body(void*)
        {
            HANDLE mutex = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kMutexName);
            if (!mutex)
                return 2;  // nobody holds it: it does not even exist
            const DWORD waited = WaitForSingleObject(mutex, 0);
            if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED)
                ReleaseMutex(mutex);
            CloseHandle(mutex);
            return waited == WAIT_TIMEOUT ? 0 : 1;
        }
    };
    HANDLE thread = CreateThread(nullptr, 0, Probe::Body, nullptr, 0, nullptr);
    WaitForSingleObject(thread, 5000);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    return code != 0;
}

struct TSecondHolder {
    TMutexHoldThread* holder;
    std::atomic<bool> held{false};
};

DWORD WINAPI StartSecondHolder(void* param)
{
    TSecondHolder* second = static_cast<TSecondHolder*>(param);
    second->held = second->holder->Start();
    return 0;
}

}  // namespace

TEST(MutexHoldThread, HoldsUntilReleased)
{
    TMutexHoldThread holder(kMutexName);
    EXPECT_FALSE(holder.IsHeld());
    ASSERT_TRUE(holder.Start());
    EXPECT_TRUE(holder.IsHeld());
    EXPECT_FALSE(FreeOnOtherThread());
    EXPECT_TRUE(holder.Start());  // already held: nothing more happens
    holder.Release();
    EXPECT_FALSE(holder.IsHeld());
    EXPECT_TRUE(FreeOnOtherThread());
    holder.Release();  // twice is harmless
}

TEST(MutexHoldThread, SecondHolderWaitsForFirst)
{
    TMutexHoldThread first(kMutexName);
    TMutexHoldThread secondHolder(kMutexName);
    ASSERT_TRUE(first.Start());
    TSecondHolder second{&secondHolder};
    HANDLE starter = CreateThread(nullptr, 0, StartSecondHolder, &second, 0, nullptr);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(starter, 200));
    EXPECT_FALSE(second.held);
    first.Release();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(starter, 5000));
    EXPECT_TRUE(second.held);
    CloseHandle(starter);
    EXPECT_FALSE(FreeOnOtherThread());
}

TEST(MutexHoldThread, InvalidNameIsNotHeld)
{
    // A backslash in a name outside the Global/Local prefixes is refused by the system.
    TMutexHoldThread holder("No\\Such\\Namespace\\mutex");
    EXPECT_FALSE(holder.Start());
    EXPECT_FALSE(holder.IsHeld());
}
