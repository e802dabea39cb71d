#include "framework/util/windows_version.h"

namespace {

// Zero until the first successful query; the platform id is kept with it.
DWORD CachedVersion = 0;
DWORD CachedPlatformId = 0;
bool PlatformKnown = false;

void QueryVersion()
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);  // 276 bytes
    if (!GetVersionExW(&info))
        return;
    CachedVersion = PackWindowsVersion(info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
    CachedPlatformId = info.dwPlatformId;
    PlatformKnown = true;
}

}  // namespace

DWORD PackWindowsVersion(DWORD major, DWORD minor, DWORD build)
{
    return ((major & 0xFF) << 24) | ((minor & 0xFF) << 16) | (build & 0xFFFF);
}

DWORD WindowsVersion()
{
    if (CachedVersion == 0)
        QueryVersion();
    return CachedVersion;
}

DWORD PlatformId()
{
    if (!PlatformKnown)
        QueryVersion();
    return CachedPlatformId;
}
