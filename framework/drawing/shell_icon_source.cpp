#include "framework/drawing/shell_icon_source.h"

#include <shellapi.h>

#include <cstring>

#include "framework/util/directories.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

TShellFileIconSource::TShellFileIconSource(const char* path) : FilePath(NewText(path)), Small(nullptr), Large(nullptr)
{
}

TShellFileIconSource::~TShellFileIconSource()
{
    DestroyIconSlot(Small);
    DestroyIconSlot(Large);
    FreeText(FilePath);
}

HICON TShellFileIconSource::GetIcon(int kind, TIconSource* fallback)
{
    if (kind == IconSizeSmall || kind == IconSizeLarge) {
        HICON& slot = kind == IconSizeSmall ? Small : Large;
        if (!slot)
            slot = AskShell(kind == IconSizeSmall);
        if (slot)
            return slot;
    }
    return FallbackIcon(kind, fallback);
}

HICON TShellFileIconSource::AskShell(bool small) const
{
    SHFILEINFOW info;
    std::memset(&info, 0, sizeof info);
    const UINT flags = SHGFI_ICON | (small ? SHGFI_SMALLICON : 0);
    if (!SHGetFileInfoW(TWideText(FilePath).Get(), FILE_ATTRIBUTE_ARCHIVE, &info, sizeof info, flags))
        return nullptr;
    return info.hIcon;
}

HICON TShellTypeIconSource::AskShell(bool small) const
{
    return ShellTypeIconHandle(FilePath, small);
}

HICON ShellTypeIconHandle(const char* path, bool small)
{
    SHFILEINFOW info;
    std::memset(&info, 0, sizeof info);
    const UINT flags = SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | (small ? SHGFI_SMALLICON : 0);
    DWORD_PTR found;
    if (path[0] != '\0' && EndsWithBackslash(path)) {
        const TWideText folder(path, static_cast<int>(std::strlen(path)) - 1);
        found = SHGetFileInfoW(folder.Get(), FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, flags);
    } else {
        found = SHGetFileInfoW(TWideText(path).Get(), FILE_ATTRIBUTE_ARCHIVE, &info, sizeof info, flags);
    }
    return found ? info.hIcon : nullptr;
}
