// Shell shortcut (.lnk) files, written and read through the shell-link object.
// COM must be initialised on the calling thread (the program entry does it).
#pragma once

// Writes a shortcut at `linkPath` to `target` with `arguments` and, when
// `iconPath` is given, that icon. True when the file was written; on failure no
// file is left at `linkPath` that was not there before.
bool CreateShortcut(const char* linkPath, const char* target, const char* arguments,
                    const char* iconPath, int iconIndex);

// Reads a shortcut. Each slot that is given is freed and receives a new owned
// text (the empty text when that part cannot be read); the icon path is read
// only when both its slot and `iconIndex` are given. True when every part asked
// for was read.
bool ReadShortcut(const char* linkPath, char** target, char** arguments, char** iconPath,
                  int* iconIndex);
