// The documents the user opened lately, from the shortcuts in the Recent folder.
#pragma once

#include <string>
#include <vector>

#include "framework/util/list.h"

// Appends to `targets` (which is not cleared) the target of every shortcut in
// the user's Recent folder. `extensions`, when given and not empty, keeps only
// targets whose extension equals one of its ';'-separated extensions, compared
// case-sensitively and written without the dot ("txt;doc").
void RecentDocuments(TStringList& targets, const char* extensions = nullptr);

// The same for the shortcuts in any folder (a path ending in a backslash).
void ShortcutTargets(const char* folder, TStringList& targets, const char* extensions = nullptr);

// The same in UTF-16, the paths as the shell gives them (a folder of any
// characters); `extensions` as above.
void WideRecentDocuments(std::vector<std::wstring>& targets, const wchar_t* extensions = nullptr);
void WideShortcutTargets(const std::wstring& folder, std::vector<std::wstring>& targets,
                         const wchar_t* extensions = nullptr);
