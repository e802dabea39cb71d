#include "framework/core/thread.h"

TThread::TThread() : AutoDelete(false), StopRequest(false), ThreadId(0), ThreadHandle(nullptr), Running(false)
{
}

TThread::~TThread()
{
    ReleaseHandle();
}

void TThread::ReleaseHandle()
{
    if (ThreadHandle)
        CloseHandle(ThreadHandle);
    ThreadHandle = nullptr;
    ThreadId = 0;
}

bool TThread::Start(SIZE_T stackSize)
{
    StopRequest = false;
    // A handle left from an earlier run is closed rather than leaked.
    ReleaseHandle();
    // Running is set here already, so that a starter that asks at once does not
    // see a thread that has not been scheduled yet as finished.
    Running = true;
    // An auto-deleting object may be gone as soon as the thread runs: the flag
    // is read before, and nothing of the object is touched after.
    const bool autoDelete = AutoDelete;
    DWORD id = 0;
    HANDLE handle = CreateThread(nullptr, stackSize, Entry, this, 0, &id);
    if (!handle) {
        Running = false;
        return false;
    }
    if (autoDelete) {
        CloseHandle(handle);
        return true;
    }
    ThreadHandle = handle;
    ThreadId = id;
    return true;
}

DWORD WINAPI TThread::Entry(void* object)
{
    TThread* thread = static_cast<TThread*>(object);
    // Once Running is clear, an owner that polls IsRunning may delete the
    // object: the flag is read before, and Running is the last thing touched.
    const bool autoDelete = thread->AutoDelete;
    thread->Running = true;
    const DWORD result = thread->Run();
    if (autoDelete)
        delete thread;
    else
        thread->Running = false;
    return result;
}

bool TThread::Wait(DWORD milliseconds)
{
    StopRequest = true;
    if (!ThreadHandle)
        return false;
    const DWORD result = WaitForSingleObject(ThreadHandle, milliseconds);
    if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED) {
        ReleaseHandle();
        return true;
    }
    return false;
}

bool TThread::Terminate(DWORD exitCode)
{
    if (!ThreadHandle || !TerminateThread(ThreadHandle, exitCode))
        return false;
    ReleaseHandle();
    Running = false;
    return true;
}
