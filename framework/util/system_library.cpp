#include "framework/util/system_library.h"

#include <commctrl.h>

#include "framework/util/directories.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

namespace {

// Loads the system directory's `library` so that the libraries it needs in
// turn come from the system directory as well: the usual search would take a
// same-named DLL from the program's folder first.
HMODULE LoadSystemLibrary(const char* library)
{
    // The search flags exist from Windows 8 on, and on Windows 7 with the
    // update that also brought AddDllDirectory; before them LoadLibraryEx
    // refuses the flags.
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (kernel && GetProcAddress(kernel, "AddDllDirectory"))
        return LoadLibraryExW(TWideText(library).Get(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Otherwise by its full path, and its dependencies looked for from the
    // library's own folder on (the altered search order).
    char* directory;
    SystemDirectory(directory);
    char* path;
    StrConcat(path, directory, library);
    const HMODULE module = directory[0] ? LoadLibraryExW(TWideText(path).Get(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH) : nullptr;
    FreeText(path);
    FreeText(directory);
    return module;
}

}  // namespace

FARPROC SystemEntry(const char* library, const char* name)
{
    HMODULE module = GetModuleHandleW(TWideText(library).Get());
    if (!module)
        module = LoadSystemLibrary(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

bool IsLibraryLoaded(const char* library)
{
    return GetModuleHandleW(TWideText(library).Get()) != nullptr;
}

const char CommonControlsLibrary[] = "comctl32.dll";

bool InitCommonControlClasses(DWORD classes)
{
    typedef BOOL(WINAPI * TInit)(const INITCOMMONCONTROLSEX*);
    const TInit init = SystemFunction<TInit>(CommonControlsLibrary, "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX request = {sizeof request, classes};
    return init && init(&request);
}
