// The framework's shared icon sources: cached factories that hand out one
// source per request key for the rest of the run, and ReleaseIconCaches,
// which the program entry calls once at the end to free them and the modules
// loaded for their icons. Callers never free a source they were given.
//
// The caches and the file icons (file_icon_source.h) stand on each other, as
// one subject in two files: the caches make and keep the file icon sources,
// and a file icon source finds its icon through the caches' other sources.
#pragma once

#include <windows.h>

class TIconSource;
struct TModuleRecord;

// A predefined system icon (32512 application ... 32517 logo).
TIconSource* SystemIcon(int id);
// An icon group resource of the program's own module. The name is kept, not
// copied: pass a text that lives as long as the program.
TIconSource* ResourceIcon(const char* name);
// The icons of an .ico file.
TIconSource* IconFileIcon(const char* path);
// The shell's icon of a file, and of a file or folder type by its name only.
// The desktop folder and the folders of the Start menu get their own icons.
TIconSource* ShellFileIcon(const char* path);
TIconSource* ShellTypeIcon(const char* path);
// The icon at `index` of a module (0 or more: position among its group icons;
// negative: the group icon with id -index). An empty path, a module that cannot
// be loaded or one without group icons give the system logo icon; a path
// ending in "ico" gives IconFileIcon.
TIconSource* ModuleIcon(const char* path, int index);
TIconSource* ModuleHandleIcon(HMODULE module, int index);
// The icon of a file pattern such as "*.hlp" (`fallback` a source, or
// LogoFallback), and of a path; found on first use, then the found source.
TIconSource* FileIcon(const char* pattern, TIconSource* fallback);
TIconSource* PathIcon(const char* path);

// Releases a module record (FreeModuleRecord, module_record.h) and first the
// cached sources that draw from its icons.
void ReleaseModule(TModuleRecord* record);
// Frees every module record and every cached source.
void ReleaseIconCaches();
