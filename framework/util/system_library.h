// Parts of the system the program needs only sometimes (the sound library, the
// common controls), loaded at their first use instead of with the program: a
// library that is imported is loaded, relocated and initialised at every
// start, and costs its memory for the whole run.
#pragma once

#include <windows.h>

// The entry point `name` of the system directory's DLL `library`, which is
// loaded on the first request, with the libraries it needs from the system
// directory too, and stays loaded; null when either is missing.
FARPROC SystemEntry(const char* library, const char* name);

template <class F> F SystemFunction(const char* library, const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(SystemEntry(library, name)));
}

// Whether the process has the DLL loaded (by anyone).
bool IsLibraryLoaded(const char* library);

// The common controls: their library, loaded when a shape first needs one of
// their window classes, and the registration of those classes (the ICC_ flags
// of InitCommonControlsEx); false when it fails.
extern const char CommonControlsLibrary[];
bool InitCommonControlClasses(DWORD classes);

// The common controls' entry point `name`, once the classes it creates are
// registered; null when either fails.
template <class F> F CommonControlFunction(DWORD classes, const char* name)
{
    return InitCommonControlClasses(classes) ? SystemFunction<F>(CommonControlsLibrary, name) : nullptr;
}
