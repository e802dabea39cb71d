// TModuleIconLibrary: the group icons of one module, in enumeration order,
// with a cache of loaded icons per size kind.
#pragma once

#include <windows.h>

#include "framework/util/list.h"

struct TModuleRecord;
class TIconSource;

class TModuleIconLibrary {
public:
    // Enumerates the group icons of `module`, which its owner keeps loaded.
    // `path` is the module's file, which decides whether it is a program.
    TModuleIconLibrary(TModuleRecord* owner, HMODULE module, const char* path);
    ~TModuleIconLibrary();  // destroys every cached icon
    TModuleIconLibrary(const TModuleIconLibrary&) = delete;
    TModuleIconLibrary& operator=(const TModuleIconLibrary&) = delete;

    TModuleRecord* Owner() const { return Record; }
    int Count() const { return Entries.Count(); }
    // Position of the group icon with the integer id, -1 when absent.
    int PositionOfId(int id) const;

    // The icon of an index (0 or more: a position; negative: the integer id
    // -index) and a size kind, kept by the library. An index equal to the
    // count gives the fallback's icon; any other index outside the list gives
    // the first group icon.
    HICON Icon(int index, int kind, TIconSource* fallback);
    // A new icon of the index at the given size that the caller owns; when the
    // module cannot give it: the system application icon for position 0 of an
    // .exe, else the fallback's CreateIcon, else the system logo icon.
    HICON SizedIcon(int index, int width, int height, UINT flags, TIconSource* fallback);

private:
    struct TIconCache {
        int Count;
        HICON* Icons;
    };

    int ResolveIndex(int index) const;  // a negative index as its position, -1 when absent
    HICON LoadFromModule(int position, int width, int height, UINT flags) const;

    TModuleRecord* Record;  // the owner, only handed back
    HMODULE Module;
    bool IsProgram;         // the module is an .exe
    TIconCache Caches[4];
    TStringList Names;              // copies of the string names
    TList<const char*> Entries;     // integer ids, or pointers into Names
};
