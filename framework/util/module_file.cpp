#include "framework/util/module_file.h"

#include "framework/util/wide_text.h"

void ModuleFileName(char*& result, HMODULE module)
{
    AnsiText(result, WideModuleFileName(module));
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
