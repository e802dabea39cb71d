// Loads winmm.dll as the framework loads the system's libraries, then answers
// in its exit code where the library named on its command line, one that
// winmm.dll needs, came from: 0 not from this program's folder, 1 from it,
// 2 winmm.dll unusable, 3 not loaded at all. The system-library test starts it
// from a folder of its own beside a stand-in of that name.
#include <windows.h>

#include <cstring>

#include "framework/util/system_library.h"

int main(int argc, char** argv)
{
    if (argc < 2 || !SystemEntry("winmm.dll", "PlaySoundA"))
        return 2;
    const HMODULE dependency = GetModuleHandleA(argv[1]);
    if (!dependency)
        return 3;
    char own[MAX_PATH] = "", found[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    GetModuleFileNameA(dependency, found, MAX_PATH);
    const size_t folder = static_cast<size_t>(std::strrchr(own, '\\') - own + 1);
    return _strnicmp(own, found, folder) == 0 ? 1 : 0;
}
