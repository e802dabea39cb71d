// Shell shortcut (.lnk) files, written and read through the shell-link object.
// COM must be initialised on the calling thread (the program entry does it).
//
// The paths cross as UTF-16: a folder whose name has characters the program's
// code page lacks still holds and names shortcuts. The char forms take and
// give the program's own texts (code page 932).
#pragma once

#include <string>

// What a shortcut holds. An empty icon path sets no icon; an empty working
// folder sets none.
struct TShortcutParts {
    std::wstring Target;
    std::wstring Arguments;
    std::wstring WorkingFolder;
    std::wstring IconPath;
    int IconIndex = 0;
};

// Writes a shortcut at `linkPath`. True when the file was written; on failure
// no file is left at `linkPath` that was not there before.
bool CreateShortcut(const std::wstring& linkPath, const TShortcutParts& parts);
// Reads every part of a shortcut into `parts`; false (and the parts that could
// not be read empty) when any part cannot be read.
bool ReadShortcut(const std::wstring& linkPath, TShortcutParts& parts);

// Writes a shortcut at `linkPath` to `target` with `arguments` and, when
// `iconPath` is given, that icon.
bool CreateShortcut(const char* linkPath, const char* target, const char* arguments,
                    const char* iconPath, int iconIndex);

// Reads a shortcut. Each slot that is given is freed and receives a new owned
// text (the empty text when that part cannot be read); the icon path is read
// only when both its slot and `iconIndex` are given. True when every part asked
// for was read.
bool ReadShortcut(const char* linkPath, char** target, char** arguments, char** iconPath,
                  int* iconIndex);
