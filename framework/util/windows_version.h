// The version of Windows the program runs on, asked once per run.
#pragma once

#include <windows.h>

// Major version in bits 24-31, minor in bits 16-23, the low 16 bits of the build
// number in bits 0-15 (4.10 build 1998 is 0x040A07CE); 0 when the system did not answer.
DWORD WindowsVersion();
// The platform id of the version query (VER_PLATFORM_WIN32_NT and so on).
DWORD PlatformId();

// The packing WindowsVersion uses.
DWORD PackWindowsVersion(DWORD major, DWORD minor, DWORD build);
