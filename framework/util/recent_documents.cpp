#include "framework/util/recent_documents.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "framework/util/directories.h"
#include "framework/util/shortcut.h"
#include "framework/util/text.h"

namespace {

// The offset of the extension of the path's file name (after its last '.'),
// -1 when the name has none. Walked by characters: a trail byte is never a
// '\\' here.
int ExtensionOffset(const char* path)
{
    const int length = static_cast<int>(std::strlen(path));
    int dot = -1;
    for (int i = 0; i < length; i += CharLength(length - i, path + i)) {
        if (path[i] == '.')
            dot = i;
        else if (path[i] == '\\')
            dot = -1;
    }
    return dot < 0 ? -1 : dot + 1;
}

bool ExtensionListed(const char* path, const char* extensions)
{
    if (!extensions || !extensions[0])
        return true;
    const int offset = ExtensionOffset(path);
    if (offset < 0)
        return false;
    const char* extension = path + offset;
    const size_t extensionLength = std::strlen(extension);
    const char* entry = extensions;
    while (true) {
        const char* end = std::strchr(entry, ';');
        const size_t entryLength = end ? static_cast<size_t>(end - entry) : std::strlen(entry);
        if (entryLength == extensionLength && std::memcmp(entry, extension, entryLength) == 0)
            return true;
        if (!end)
            return false;
        entry = end + 1;
    }
}

}  // namespace

void ShortcutTargets(const char* folder, TStringList& targets, const char* extensions)
{
    if (!folder || !folder[0])
        return;
    char* pattern;
    StrConcat(pattern, folder, "*");
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern, &data);
    FreeText(pattern);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        char* link;
        StrConcat(link, folder, data.cFileName);
        char* target = NewText("");
        if (ReadShortcut(link, &target, nullptr, nullptr, nullptr) && target[0] &&
            ExtensionListed(target, extensions))
            targets.Add(target);
        FreeText(target);
        FreeText(link);
    } while (FindNextFileA(search, &data));
    FindClose(search);
}

void RecentDocuments(TStringList& targets, const char* extensions)
{
    char* folder;
    SpecialFolder(folder, CSIDL_RECENT);
    ShortcutTargets(folder, targets, extensions);
    FreeText(folder);
}
