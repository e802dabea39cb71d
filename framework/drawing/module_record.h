// The registry of modules loaded (or handed over) for their icons. Records are
// made on first request and kept until ReleaseIconCaches; the same normalised
// path always gives the same record.
#pragma once

#include <windows.h>

class TModuleIconLibrary;

// How LoadModule maps a module.
enum : int {
    ModuleAsDataFile = 0,  // LoadLibraryExA with LOAD_LIBRARY_AS_DATAFILE: no code runs
    ModuleAsLibrary = 1,   // LoadLibraryA
};

struct TModuleRecord {
    HMODULE Handle;  // null if loading failed
    bool Borrowed;   // a handle given by a caller, never freed here
    int Mode;        // ModuleAsLibrary, or anything else for a data file
    char* Path;      // owned: the full normalised path (empty for borrowed handles)

    TModuleRecord(HMODULE handle, bool borrowed, int mode, const char* path);
    ~TModuleRecord();
    TModuleRecord(const TModuleRecord&) = delete;
    TModuleRecord& operator=(const TModuleRecord&) = delete;

    // The module's icon table, built on first need; null without memory.
    TModuleIconLibrary* Icons();

private:
    TModuleIconLibrary* IconLibrary;  // owned
};

// Writes a new owned text into `result` (not freed first): the path made full
// against the current directory (unless it starts with a drive and colon or
// with two backslashes), with "." components dropped and each ".." removing
// the component before it; ".." never climbs above the drive or the share.
// An empty path gives the empty text.
void NormaliseModulePath(char*& result, const char* path);

// The record for the module at `path`: the existing one for the same
// normalised path, or a newly loaded one; null when it cannot be loaded.
TModuleRecord* LoadModule(const char* path, int mode);
// The record of a module handle that the caller keeps loaded.
TModuleRecord* AttachModule(HMODULE handle, int mode);
// Removes the record and frees it with its icon table; a module loaded as a
// library is freed, one mapped as a data file stays mapped. Nothing may draw
// from the table any more: ReleaseModule (icon_caches.h) first destroys the
// cached sources that do.
void FreeModuleRecord(TModuleRecord* record);
// FreeModuleRecord for every record.
void FreeAllModuleRecords();
// Number of records, for the tests.
int ModuleRecordCount();
