#include "framework/util/directories.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "framework/util/text.h"
#include "framework/util/wide_text.h"

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

// A path with a backslash appended unless it is empty or ends in one.
std::wstring WideWithBackslash(std::wstring path)
{
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
    return path;
}

// The directory calls answer with the length written, 0 on failure, or the
// size they would need when the buffer is too small: asked again with that room.
template <typename TCall>
std::wstring DirectoryResult(TCall call)
{
    std::wstring buffer(MAX_PATH + 1, L'\0');
    UINT length = call(&buffer[0], static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.assign(length + 1, L'\0');
        length = call(&buffer[0], static_cast<UINT>(buffer.size()));
    }
    buffer.resize(length < buffer.size() ? length : 0);
    return WideWithBackslash(buffer);
}

// The program's texts name these folders in its code page.
void StoreDirectory(char*& result, const std::wstring& path)
{
    AnsiText(result, path);
}

}  // namespace

std::wstring WideWindowsDirectory()
{
    return DirectoryResult([](wchar_t* buffer, UINT size) { return GetWindowsDirectoryW(buffer, size); });
}

std::wstring WideSystemDirectory()
{
    return DirectoryResult([](wchar_t* buffer, UINT size) { return GetSystemDirectoryW(buffer, size); });
}

std::wstring WideCurrentDirectory()
{
    return DirectoryResult([](wchar_t* buffer, UINT size) { return static_cast<UINT>(GetCurrentDirectoryW(size, buffer)); });
}

std::wstring WideSpecialFolder(int folder)
{
    wchar_t buffer[MAX_PATH + 1] = L"";
    if (!SHGetSpecialFolderPathW(nullptr, buffer, folder, FALSE))
        buffer[0] = L'\0';
    return WideWithBackslash(buffer);
}

void WindowsDirectory(char*& result)
{
    StoreDirectory(result, WideWindowsDirectory());
}

void SystemDirectory(char*& result)
{
    StoreDirectory(result, WideSystemDirectory());
}

void CurrentDirectory(char*& result)
{
    StoreDirectory(result, WideCurrentDirectory());
}

void SpecialFolder(char*& result, int folder)
{
    StoreDirectory(result, WideSpecialFolder(folder));
}
