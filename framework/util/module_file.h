// The file a loaded module was loaded from.
#pragma once

#include <windows.h>

#include <string>

// A new owned text in `result` (not freed first): the module's full path in
// the program's code page, or the empty text when the module is unknown. Only
// for showing: a path to use is WideModuleFileName's.
void ModuleFileName(char*& result, HMODULE module);

// The module's full path in UTF-16, however long; empty when the module is
// unknown. The program's own file is this of the null module.
std::wstring WideModuleFileName(HMODULE module);
