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

std::wstring WideModuleFileName(HMODULE module)
{
    // A path that fills the buffer may have been cut: try again with more room,
    // up to the longest path there is.
    for (DWORD size = 256; size <= 32768; size *= 2) {
        std::wstring path(size, L'\0');
        const DWORD length = GetModuleFileNameW(module, &path[0], size);
        if (length == 0)
            break;
        if (length < size) {
            path.resize(length);
            return path;
        }
    }
    return std::wstring();
}
