#include "framework/core/mutex_hold_thread.h"

#include "framework/util/text.h"
#include "framework/util/wide_text.h"

TMutexHoldThread::TMutexHoldThread(const char* name)
    : Name(NewText(name)), Thread(nullptr), Mutex(nullptr), Pending(false), ReleaseRequest(false), Held(false)
{
}

TMutexHoldThread::~TMutexHoldThread()
{
    Release();
    FreeText(Name);
}

bool TMutexHoldThread::Start()
{
    if (Thread)
        return Held;
    Pending = true;
    ReleaseRequest = false;
    Held = false;
    DWORD id = 0;
    Thread = CreateThread(nullptr, 4096, Body, this, 0, &id);
    if (!Thread) {
        Pending = false;
        return false;
    }
    // The thread reports through Pending; Sleep keeps the wait from taking a
    // whole processor while another holder keeps the mutex.
    while (Pending)
        Sleep(1);
    if (!Held) {
        WaitForSingleObject(Thread, INFINITE);
        CloseHandle(Thread);
        Thread = nullptr;
    }
    return Held;
}

void TMutexHoldThread::Release()
{
    if (!Thread)
        return;
    ReleaseRequest = true;
    WaitForSingleObject(Thread, INFINITE);
    CloseHandle(Thread);
    Thread = nullptr;
    Held = false;
}

DWORD WINAPI TMutexHoldThread::Body(void* object)
{
    TMutexHoldThread* self = static_cast<TMutexHoldThread*>(object);
    self->Mutex = CreateMutexW(nullptr, FALSE, TWideArgument(self->Name).Get());
    const DWORD waited = self->Mutex ? WaitForSingleObject(self->Mutex, INFINITE) : WAIT_FAILED;
    // An abandoned mutex is held all the same.
    const bool held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    self->Held = held;
    self->Pending = false;
    if (held) {
        while (!self->ReleaseRequest)
            Sleep(1);
        ReleaseMutex(self->Mutex);
    }
    if (self->Mutex)
        CloseHandle(self->Mutex);
    self->Mutex = nullptr;
    return held ? 0 : 1;
}
