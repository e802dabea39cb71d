#include "framework/core/flash_thread.h"

#include <new>

TFlashThread::TFlashThread(TWindow window, int count, int interval)
    : Window(window), Count(count), Interval(interval)
{
    AutoDelete = true;
}

DWORD TFlashThread::Run()
{
    for (int i = 0; i < Count; ++i) {
        FlashWindow(Window.Hwnd, TRUE);
        Sleep(static_cast<DWORD>(Interval));
        FlashWindow(Window.Hwnd, FALSE);
        Sleep(static_cast<DWORD>(Interval));
    }
    return 0;
}

bool Flash(TWindow window, int count, int interval)
{
    if (interval == -1)
        interval = static_cast<int>(GetCaretBlinkTime());
    // A negative interval would sleep for ever.
    if (interval < 0)
        interval = 0;
    TFlashThread* thread = new (std::nothrow) TFlashThread(window, count, interval);
    if (!thread)
        return false;
    if (thread->Start(4096))
        return true;
    delete thread;
    return false;
}
