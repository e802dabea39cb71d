// Started by the system-library test from a folder of its own that also holds a
// module without code named msacm32.dll, a library Wine's winmm.dll needs: loads
// winmm.dll as the framework loads system libraries, and its exit code tells
// where msacm32.dll came from (0 elsewhere, 1 this folder, 2 no winmm.dll,
// 3 not loaded at all).
#include <windows.h>

#include <cstring>

#include "framework/util/system_library.h"

int main()
{
    if (!SystemEntry("winmm.dll", "PlaySoundA"))
        return 2;
    char found[MAX_PATH] = "", standIn[MAX_PATH] = "";
    const HMODULE dependency = GetModuleHandleA("msacm32.dll");
    if (!dependency || !GetModuleFileNameA(dependency, found, MAX_PATH))
        return 3;
    GetModuleFileNameA(nullptr, standIn, MAX_PATH);
    std::strcpy(std::strrchr(standIn, '\\'), "\\msacm32.dll");
    return lstrcmpiA(standIn, found) == 0 ? 1 : 0;
}
