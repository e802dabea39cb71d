// Shared ground of the shape and element tests: a fixed-size element, modal
// runs driven from a timer inside the shape's own loop, and keys posted the
// way the loop receives them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/dialogs/element.h"
#include "framework/dialogs/shape.h"
#include "framework/settings/app_globals.h"
#include "tests/message_pump.h"

// An element of a fixed size that remembers where it was put.
class TBox : public TElement {
public:
    SIZE Size;
    POINT At = {-1, -1};
    int Closed = 0;  // OnShapeClosed calls

    TBox(int dock, int align, int width, int height) : TElement(dock, align), Size{width, height} {}
    TBox(int width, int height) : TBox(DockFill, AlignCentre, width, height) {}
    SIZE Measure(TShape&, HDC) override { return Size; }
    void CreateControls(TShape&, int x, int y) override { At = {x, y}; }
    void OnShapeClosed(TShape&) override { ++Closed; }
};

// One step of a script; true when it is done and the next may run.
using TStep = std::function<bool()>;

// Runs steps one after another from a thread timer, so that they run inside
// whatever modal loop the test starts while the object lives. A script that
// stalls closes every shape window after `ms` and fails the test.
class TScriptRun {
public:
    explicit TScriptRun(std::vector<TStep> steps, DWORD ms = 15000)
        : steps_(std::move(steps)), deadline_(GetTickCount() + ms), outer_(Current())
    {
        Current() = this;
        timer_ = SetTimer(nullptr, 0, 15, Tick);
    }
    ~TScriptRun()
    {
        KillTimer(nullptr, timer_);
        Current() = outer_;
        EXPECT_FALSE(timedOut_) << "the script stalled at step " << next_;
        EXPECT_EQ(steps_.size(), next_) << "the run ended before its script";
    }
    TScriptRun(const TScriptRun&) = delete;
    TScriptRun& operator=(const TScriptRun&) = delete;

private:
    static TScriptRun*& Current()
    {
        static TScriptRun* run = nullptr;
        return run;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        TScriptRun* run = Current();
        if (!run || run->running_)
            return;
        if (GetTickCount() - run->deadline_ < 0x80000000u) {
            run->timedOut_ = true;
            TWindow::PostToMatching(NoWindow, ShapeClassName, nullptr, WM_CLOSE, 0, 0);
            return;
        }
        // A step may run a modal loop of its own; the timer must not re-enter it.
        run->running_ = true;
        while (run->next_ < run->steps_.size() && run->steps_[run->next_]())
            ++run->next_;
        run->running_ = false;
    }

    std::vector<TStep> steps_;
    size_t next_ = 0;
    DWORD deadline_;
    TScriptRun* outer_;
    UINT_PTR timer_ = 0;
    bool timedOut_ = false;
    bool running_ = false;
};

// Runs the shape modally while the steps run; the last step normally ends it.
inline int RunScripted(TShape& shape, std::vector<TStep> steps, DWORD ms = 15000)
{
    TScriptRun run(std::move(steps), ms);
    return shape.RunModal();
}

// A step that waits until the shape is the active window.
inline TStep WhenActive(TShape& shape)
{
    return [&shape] {
        if (GetActiveWindow() != shape.Hwnd)
            SetForegroundWindow(shape.Hwnd);
        return GetActiveWindow() == shape.Hwnd;
    };
}

// A key press as the loop takes it from the queue: WM_KEYDOWN to the focused window.
inline void PostKey(UINT message, WPARAM key)
{
    HWND focus = GetFocus();
    PostMessageA(focus, message, key, 1);
}

// A plain top-level window of its own class, for owners and floating lists.
inline HWND MakePlainWindow(const char* className, const char* title, DWORD style, WNDPROC proc = DefWindowProcA)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, className, title, style, 100, 100, 300, 200, nullptr, nullptr, windowClass.hInstance,
                           nullptr);
}

inline std::string TextOf(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The test program is its own application module.
inline void UseTestModule()
{
    AppGlobals.Instance = GetModuleHandleA(nullptr);
}
