#include "framework/util/module_file.h"

#include "framework/util/text.h"

void ModuleFileName(char*& result, HMODULE module)
{
    char buffer[262];
    buffer[0] = '\0';
    const DWORD length = GetModuleFileNameA(module, buffer, 261);
    // A path that does not fit comes back cut (and not terminated on every
    // system): a cut path names another file, so it counts as no answer.
    buffer[length < 261 ? length : 0] = '\0';
    result = NewText(buffer);
}
