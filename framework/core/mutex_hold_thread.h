// TMutexHoldThread: holds a named mutex on a thread of its own for its owner,
// so that the mutex stays held however the owner's thread waits or pumps
// messages, and is released from the thread that acquired it.
#pragma once

#include <windows.h>

#include <atomic>

class TMutexHoldThread {
public:
    explicit TMutexHoldThread(const char* name);
    ~TMutexHoldThread();  // releases the mutex if still held
    TMutexHoldThread(const TMutexHoldThread&) = delete;
    TMutexHoldThread& operator=(const TMutexHoldThread&) = delete;

    // Starts the thread and waits until it holds the mutex (as long as another
    // holder keeps it). True when the mutex is held; false when the thread
    // could not start or the mutex could not be created or waited for.
    bool Start();
    // Lets the thread release the mutex and waits for it to end.
    void Release();
    bool IsHeld() const { return Thread != nullptr && Held; }

private:
    static DWORD WINAPI Body(void* object);

    char* Name;
    HANDLE Thread;
    HANDLE Mutex;  // written and closed by the thread
    std::atomic<bool> Pending;
    std::atomic<bool> ReleaseRequest;
    std::atomic<bool> Held;
};
