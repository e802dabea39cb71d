// Flashing a window's caption on a worker thread, so that the caller's thread
// goes on at once.
#pragma once

#include "framework/core/thread.h"
#include "framework/core/window.h"

class TFlashThread : public TThread {
public:
    // The window is kept by handle: the thread may outlive the caller's object.
    TFlashThread(TWindow window, int count, int interval);

protected:
    DWORD Run() override;

private:
    TWindow Window;
    int Count;
    int Interval;  // milliseconds
};

// Flashes the caption `count` times, each time highlighted and then normal for
// `interval` ms (-1: the caret blink time). The thread deletes itself.
// True if the thread was started.
bool Flash(TWindow window, int count, int interval);
