#include "framework/util/directories.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "framework/util/text.h"

bool EndsWithBackslash(const char* text)
{
    const int length = static_cast<int>(std::strlen(text));
    int last = -1;
    for (int i = 0; i < length; i += CharLength(length - i, text + i))
        last = i;
    return last >= 0 && last == length - 1 && text[last] == '\\';
}

void WithBackslash(char*& result, const char* path)
{
    if (path[0] == '\0' || EndsWithBackslash(path))
        result = NewText(path);
    else
        StrConcat(result, path, "\\");
}

namespace {

// The directory calls answer with the length written, 0 on failure, or the
// size they would need when the buffer is too small; only the first is a path.
void DirectoryResult(char*& result, char* buffer, UINT length)
{
    if (length == 0 || length >= 261)
        buffer[0] = '\0';
    WithBackslash(result, buffer);
}

}  // namespace

void WindowsDirectory(char*& result)
{
    char buffer[262] = "";
    DirectoryResult(result, buffer, GetWindowsDirectoryA(buffer, 261));
}

void SystemDirectory(char*& result)
{
    char buffer[262] = "";
    DirectoryResult(result, buffer, GetSystemDirectoryA(buffer, 261));
}

void CurrentDirectory(char*& result)
{
    char buffer[262] = "";
    DirectoryResult(result, buffer, GetCurrentDirectoryA(261, buffer));
}

void SpecialFolder(char*& result, int folder)
{
    char buffer[MAX_PATH + 2] = "";
    LPITEMIDLIST items = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, folder, &items)) && items) {
        if (!SHGetPathFromIDListA(items, buffer))
            buffer[0] = '\0';
        IMalloc* allocator = nullptr;
        if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
            allocator->Free(items);
            allocator->Release();
        }
    }
    WithBackslash(result, buffer);
}
