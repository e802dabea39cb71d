// The 64-bit companion program (LAMPHOST64.exe) that hooks the keys of 64-bit
// programs on 64-bit Windows, where the 32-bit hook never runs in them.
#pragma once

#include <windows.h>

// Posted to the monitor window from a thread of the system's pool when the
// companion's process has ended; both parameters are 0.
const UINT WM_COMPANIONENDED = WM_APP + 1;

// The indicator's companion: started from the program's own folder when the
// program runs on 64-bit Windows, and kept running. It ends by itself when
// this process ends. Without it (32-bit Windows, the file missing, its start
// refused) nothing happens and nothing is shown.
class THookCompanion {
public:
    ~THookCompanion();

    // Starts the companion for the monitor window and watches its process:
    // its end is posted to the window as WM_COMPANIONENDED, at no cost until
    // then.
    void Start(HWND monitor);
    // The companion has ended: its hook, which Wine keeps after a killed
    // program, is removed with its record, and unless the companion itself
    // found nothing to serve it is started again, at most kRestarts times
    // within kRestartPeriodMs; after that it is left ended.
    void OnEnded();
    // Stops watching (the indicator is closing): an end is no longer answered.
    void Stop();

    static constexpr int kRestarts = 3;
    static constexpr DWORD kRestartPeriodMs = 60000;

private:
    bool Launch();

    HWND monitor_ = nullptr;
    HANDLE process_ = nullptr;
    HANDLE wait_ = nullptr;
    DWORD restartTimes_[kRestarts] = {};  // GetTickCount of the last restarts, oldest first
    int restarts_ = 0;                    // how many of them are filled
};
