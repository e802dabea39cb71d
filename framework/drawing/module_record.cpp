#include "framework/drawing/module_record.h"

#include <cstring>
#include <new>

#include "framework/drawing/module_icon_library.h"
#include "framework/util/directories.h"
#include "framework/util/list.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

namespace {

// Constant-initialised: ready before any code runs, and no thread can race its making.
__constinit TList<TModuleRecord*> modules;

// A new record kept in the registry; null when there was no memory for it.
TModuleRecord* Registered(TModuleRecord* record)
{
    if (record && !modules.Add(record)) {
        delete record;
        return nullptr;
    }
    return record;
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Appends the components of `path` from `offset` on to the list, dropping
// empty and "." components and letting ".." remove the one before it (never
// one of the first `kept`).
void AddComponents(TStringList& parts, const char* path, int offset, int kept)
{
    const int length = static_cast<int>(std::strlen(path));
    int start = offset;
    for (int i = offset; i <= length;) {
        if (i == length || IsSeparator(path[i])) {
            char* part = NewText(path + start, i - start);
            if (std::strcmp(part, "..") == 0) {
                if (parts.Count() > kept)
                    parts.Delete(parts.Count() - 1);
            } else if (part[0] != '\0' && std::strcmp(part, ".") != 0) {
                parts.Add(part);
            }
            FreeText(part);
            if (i == length)
                break;
            ++i;
            start = i;
        } else {
            i += CharLength(length - i, path + i);
        }
    }
}

}  // namespace

TModuleRecord::TModuleRecord(HMODULE handle, bool borrowed, int mode, const char* path)
    : Handle(handle), Borrowed(borrowed), Mode(mode), Path(NewText(path)), IconLibrary(nullptr)
{
}

TModuleRecord::~TModuleRecord()
{
    delete IconLibrary;
    FreeText(Path);
}

TModuleIconLibrary* TModuleRecord::Icons()
{
    if (!IconLibrary)
        IconLibrary = new (std::nothrow) TModuleIconLibrary(this, Handle, Path);
    return IconLibrary;
}

void NormaliseModulePath(char*& result, const char* path)
{
    if (!path || path[0] == '\0') {
        result = NewText("");
        return;
    }
    char* full;
    const bool drive = IsDriveLetter(path[0]) && path[1] == ':';
    const bool unc = IsSeparator(path[0]) && IsSeparator(path[1]);
    if (drive || unc) {
        full = NewText(path);
    } else {
        char* current;
        CurrentDirectory(current);
        if (IsSeparator(path[0]) && IsDriveLetter(current[0]) && current[1] == ':') {
            // From the root of the current drive.
            char* driveName = NewText(current, 2);
            StrConcat(full, driveName, path);
            FreeText(driveName);
        } else {
            StrConcat(full, current, path);
        }
        FreeText(current);
    }

    // The prefix that ".." cannot climb above: "X:" or "\\server\share".
    TStringList parts;
    char* prefix;
    if (IsDriveLetter(full[0]) && full[1] == ':') {
        prefix = NewText(full, 2);
        AddComponents(parts, full, 2, 0);
    } else if (IsSeparator(full[0]) && IsSeparator(full[1])) {
        // Joined below as "\\server\share\...": the server and the share stay.
        prefix = NewText("\\");
        AddComponents(parts, full, 2, 2);
    } else {
        prefix = NewText("");
        AddComponents(parts, full, 0, 0);
    }
    FreeText(full);

    char* joined = NewText(prefix);
    for (TStringList::Node* node = parts.First(); node; node = node->next) {
        char* next;
        StrConcat(next, joined, "\\");
        FreeText(joined);
        StrConcat(joined, next, node->value);
        FreeText(next);
    }
    if (parts.Count() == 0) {
        char* next;
        StrConcat(next, joined, "\\");
        FreeText(joined);
        joined = next;
    }
    FreeText(prefix);
    result = joined;
}

TModuleRecord* LoadModule(const char* path, int mode)
{
    char* normalised;
    NormaliseModulePath(normalised, path);
    if (normalised[0] == '\0') {
        FreeText(normalised);
        return nullptr;
    }
    for (TList<TModuleRecord*>::Node* node = modules.First(); node; node = node->next) {
        if (!node->value->Borrowed && std::strcmp(node->value->Path, normalised) == 0) {
            FreeText(normalised);
            return node->value;
        }
    }
    SetLastError(0);
    // No message box from the system for a file that is not a module.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const TWideText widePath(normalised);
    HMODULE handle = mode == ModuleAsLibrary ? LoadLibraryW(widePath.Get())
                                             : LoadLibraryExW(widePath.Get(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    SetErrorMode(oldMode);
    TModuleRecord* record = nullptr;
    if (handle) {
        record = Registered(new (std::nothrow) TModuleRecord(handle, false, mode, normalised));
        if (!record)
            FreeLibrary(handle);
    }
    FreeText(normalised);
    return record;
}

TModuleRecord* AttachModule(HMODULE handle, int mode)
{
    for (TList<TModuleRecord*>::Node* node = modules.First(); node; node = node->next) {
        if (node->value->Handle == handle)
            return node->value;
    }
    return Registered(new (std::nothrow) TModuleRecord(handle, true, mode, ""));
}

void FreeModuleRecord(TModuleRecord* record)
{
    if (!record)
        return;
    const int position = modules.IndexOf(record);
    if (position < 0)
        return;
    modules.Delete(position);
    if (!record->Borrowed && record->Mode == ModuleAsLibrary && record->Handle)
        FreeLibrary(record->Handle);
    delete record;
}

void FreeAllModuleRecords()
{
    while (modules.Count() > 0)
        FreeModuleRecord(modules.At(0));
}

int ModuleRecordCount()
{
    return modules.Count();
}
