// The file a loaded module was loaded from.
#pragma once

#include <windows.h>

// A new owned text in `result` (not freed first): the module's full path, or
// the empty text when the module is unknown.
void ModuleFileName(char*& result, HMODULE module);
