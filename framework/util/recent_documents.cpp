#include "framework/util/recent_documents.h"

#include <windows.h>
#include <shlobj.h>

#include <cwchar>

#include "framework/util/directories.h"
#include "framework/util/shortcut.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

namespace {

// The extension of the path's file name (after its last '.'); false when the name has none.
bool PathExtension(const std::wstring& path, std::wstring& extension)
{
    const size_t dot = path.find_last_of(L".\\");
    if (dot == std::wstring::npos || path[dot] != L'.')
        return false;
    extension = path.substr(dot + 1);
    return true;
}

bool ExtensionListed(const std::wstring& path, const wchar_t* extensions)
{
    if (!extensions || !extensions[0])
        return true;
    std::wstring extension;
    if (!PathExtension(path, extension))
        return false;
    for (const wchar_t* entry = extensions;; ) {
        const wchar_t* end = std::wcschr(entry, L';');
        const size_t entryLength = end ? static_cast<size_t>(end - entry) : std::wcslen(entry);
        if (extension.compare(0, std::wstring::npos, entry, entryLength) == 0)
            return true;
        if (!end)
            return false;
        entry = end + 1;
    }
}

// The targets as the program's texts.
void AddTexts(const std::vector<std::wstring>& found, TStringList& targets)
{
    for (const std::wstring& target : found) {
        TText text;
        AnsiText(text.Slot(), target);
        targets.Add(text.Get());
    }
}

}  // namespace

void WideShortcutTargets(const std::wstring& folder, std::vector<std::wstring>& targets, const wchar_t* extensions)
{
    if (folder.empty())
        return;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        TShortcutParts parts;
        if (ReadShortcut(folder + data.cFileName, parts) && !parts.Target.empty() &&
            ExtensionListed(parts.Target, extensions))
            targets.push_back(parts.Target);
    } while (FindNextFileW(search, &data));
    FindClose(search);
}

void WideRecentDocuments(std::vector<std::wstring>& targets, const wchar_t* extensions)
{
    WideShortcutTargets(WideSpecialFolder(CSIDL_RECENT), targets, extensions);
}

void ShortcutTargets(const char* folder, TStringList& targets, const char* extensions)
{
    if (!folder || !folder[0])
        return;
    std::vector<std::wstring> found;
    const std::wstring wideExtensions = WideText(extensions);
    WideShortcutTargets(WideText(folder), found, wideExtensions.c_str());
    AddTexts(found, targets);
}

void RecentDocuments(TStringList& targets, const char* extensions)
{
    std::vector<std::wstring> found;
    const std::wstring wideExtensions = WideText(extensions);
    WideRecentDocuments(found, wideExtensions.c_str());
    AddTexts(found, targets);
}
