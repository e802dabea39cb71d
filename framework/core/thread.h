// TThread: base of the framework's worker threads.
//
// A derived class supplies Run; Start runs it on a thread of its own. With
// AutoDelete set the object deletes itself once Run returns, so its starter
// must not touch it after Start.
#pragma once

#include <windows.h>

#include <atomic>

class TThread {
public:
    TThread();
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Clears the stop request and starts the thread; true if a thread was started.
    bool Start(SIZE_T stackSize);
    // Asks Run to stop and waits for the thread; true when it has ended.
    bool Wait(DWORD milliseconds);
    // Ends the thread forcibly; true on success.
    bool Terminate(DWORD exitCode);

    bool IsRunning() const { return Running.load(); }
    bool StopRequested() const { return StopRequest.load(); }

protected:
    virtual DWORD Run() = 0;

    // Set for an object created with new that is to delete itself after Run.
    bool AutoDelete;

private:
    static DWORD WINAPI Entry(void* object);
    void ReleaseHandle();

    std::atomic<bool> StopRequest;
    DWORD ThreadId;
    HANDLE ThreadHandle;
    std::atomic<bool> Running;
};
