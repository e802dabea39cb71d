#include "framework/util/system_library.h"

#include <commctrl.h>

#include "framework/util/directories.h"
#include "framework/util/text.h"

FARPROC SystemEntry(const char* library, const char* name)
{
    HMODULE module = GetModuleHandleA(library);
    if (!module) {
        // By its full path: a DLL of the same name in the program's folder
        // or the current one is never taken for the system's.
        char* directory;
        SystemDirectory(directory);
        char* path;
        StrConcat(path, directory, library);
        module = directory[0] ? LoadLibraryA(path) : nullptr;
        FreeText(path);
        FreeText(directory);
    }
    return module ? GetProcAddress(module, name) : nullptr;
}

bool IsLibraryLoaded(const char* library)
{
    return GetModuleHandleA(library) != nullptr;
}

const char CommonControlsLibrary[] = "comctl32.dll";

bool InitCommonControlClasses(DWORD classes)
{
    typedef BOOL(WINAPI * TInit)(const INITCOMMONCONTROLSEX*);
    const TInit init = SystemFunction<TInit>(CommonControlsLibrary, "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX request = {sizeof request, classes};
    return init && init(&request);
}
