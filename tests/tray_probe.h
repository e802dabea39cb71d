// The indicator's tray icon seen from another process: the shell is asked to
// change nothing about the icon of the monitor window with identifier 9000,
// which it does only for an icon it holds. For the tests, the benchmark and
// scripts/run's remote control.
#pragma once

#include <windows.h>
#include <shellapi.h>

inline NOTIFYICONDATAA IndicatorTrayRecord(HWND monitor)
{
    NOTIFYICONDATAA record = {};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = monitor;
    record.uID = 9000;
    return record;
}

inline bool IndicatorIconInTray(HWND monitor)
{
    NOTIFYICONDATAA probe = IndicatorTrayRecord(monitor);
    return monitor && Shell_NotifyIconA(NIM_MODIFY, &probe);
}
