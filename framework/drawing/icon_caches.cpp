#include "framework/drawing/icon_caches.h"

#include <shellapi.h>

#include <cstring>
#include <new>

#include "framework/drawing/file_icon_source.h"
#include "framework/drawing/icon_file_source.h"
#include "framework/drawing/icon_location.h"
#include "framework/drawing/module_icon_library.h"
#include "framework/drawing/module_icon_source.h"
#include "framework/drawing/module_record.h"
#include "framework/drawing/resource_icon_source.h"
#include "framework/drawing/shell_icon_source.h"
#include "framework/drawing/system_icon_source.h"
#include "framework/settings/app_globals.h"
#include "framework/util/directories.h"
#include "framework/util/list.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

namespace {

// The caches, searched first to last and appended at the end.
struct TIconCaches {
    TList<TSystemIconSource*> system;
    TList<TResourceIconSource*> resources;
    TList<TIconFileSource*> iconFiles;
    TList<TShellFileIconSource*> shellFiles;
    TList<TShellTypeIconSource*> shellTypes;
    TList<TModuleIconSource*> modules;
    TList<TFileIconSource*> files;
    // The two shell folders with icons of their own, made once.
    TIconSource* desktop = nullptr;
    TIconSource* startMenu = nullptr;
};

// Constant-initialised: ready before any code runs, and no thread can race its making.
__constinit TIconCaches caches;

// A new source kept in its cache; null (no icon) when there was no memory
// for the source or for its place in the cache.
template <class T>
T* Cached(TList<T*>& cache, T* source)
{
    if (source && !cache.Add(source)) {
        delete source;
        return nullptr;
    }
    return source;
}

template <class T>
void DestroyAll(TList<T*>& list)
{
    while (list.Count() > 0) {
        T* source = list.At(0);
        list.Delete(0);
        delete source;
    }
}

TIconSource* Shell32Icon(int index)
{
    char* system;
    SystemDirectory(system);
    char* path;
    StrConcat(path, system, "SHELL32.DLL");
    TIconSource* source = ModuleIcon(path, index);
    FreeText(path);
    FreeText(system);
    return source;
}

bool IsLocalDrivePath(const char* path)
{
    if (path[0] == '\0' || path[1] != ':')
        return false;
    const wchar_t root[4] = {static_cast<wchar_t>(static_cast<unsigned char>(path[0])), L':', L'\\', L'\0'};
    const UINT type = GetDriveTypeW(root);
    return type == DRIVE_FIXED || type == DRIVE_RAMDISK;
}

bool IsDriveRoot(const char* path)
{
    return path[0] != '\0' && path[1] == ':' && (path[2] == '\0' || (path[2] == '\\' && path[3] == '\0'));
}

bool StartsWith(const char* text, const char* prefix)
{
    return prefix[0] != '\0' && std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// The desktop folder and the folders of the Start menu draw with the shell's
// own pictures of them; null for any other path.
TIconSource* SpecialFolderIcon(const char* path, bool typeOnly)
{
    char* desktop;
    SpecialFolder(desktop, 0);
    const bool isDesktop = desktop[0] != '\0' && std::strcmp(path, desktop) == 0;
    FreeText(desktop);
    if (isDesktop) {
        if (!caches.desktop)
            caches.desktop = Shell32Icon(-35);
        return caches.desktop;
    }

    if (typeOnly && !((IsLocalDrivePath(path) && path[0] != '\\') || IsDriveRoot(path)))
        return nullptr;
    if (path[0] == '\0' || !EndsWithBackslash(path))
        return nullptr;
    char* startMenu;
    SpecialFolder(startMenu, 11);
    const bool inStartMenu = StartsWith(path, startMenu);
    FreeText(startMenu);
    if (!inStartMenu)
        return nullptr;
    SHFILEINFOW info;
    std::memset(&info, 0, sizeof info);
    if (!SHGetFileInfoW(TWideText(path).Get(), FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, SHGFI_ICON))
        return nullptr;
    if (info.hIcon)
        DestroyIcon(info.hIcon);
    if (!caches.startMenu)
        caches.startMenu = Shell32Icon(-37);
    return caches.startMenu;
}

TIconSource* ModuleRecordIcon(TModuleRecord* record, int index)
{
    TModuleIconLibrary* library = record ? record->Icons() : nullptr;
    if (!library || library->Count() == 0)
        return SystemIcon(32517);
    TList<TModuleIconSource*>& modules = caches.modules;
    for (TList<TModuleIconSource*>::Node* node = modules.First(); node; node = node->next) {
        if (node->value->Library() == library && node->value->Index() == index)
            return node->value;
    }
    return Cached(modules, new (std::nothrow) TModuleIconSource(library, index));
}

TIconSource* CachedFileIcon(bool isPath, const char* path, TIconSource* fallback)
{
    TList<TFileIconSource*>& files = caches.files;
    for (TList<TFileIconSource*>::Node* node = files.First(); node; node = node->next) {
        TFileIconSource* source = node->value;
        if (source->IsPath() == isPath && std::strcmp(source->Path(), path) == 0 &&
            (isPath || source->Fallback() == fallback))
            return source->Resolved() ? source->Resolved() : source;
    }
    return Cached(files, new (std::nothrow) TFileIconSource(isPath, path, fallback));
}

// Destroys the cached module icon sources that draw from the record's icons.
void ForgetModuleIconSources(TModuleRecord* record)
{
    TList<TModuleIconSource*>& modules = caches.modules;
    for (int i = 0; i < modules.Count();) {
        TModuleIconSource* source = modules.At(i);
        if (source->Library()->Owner() != record) {
            ++i;
            continue;
        }
        modules.Delete(i);
        if (caches.desktop == source)
            caches.desktop = nullptr;
        if (caches.startMenu == source)
            caches.startMenu = nullptr;
        // A file icon that found this source looks again next time.
        for (TList<TFileIconSource*>::Node* node = caches.files.First(); node; node = node->next)
            node->value->Forget(source);
        delete source;
    }
}

}  // namespace

TIconSource* SystemIcon(int id)
{
    TList<TSystemIconSource*>& system = caches.system;
    for (TList<TSystemIconSource*>::Node* node = system.First(); node; node = node->next) {
        if (node->value->Id() == id)
            return node->value;
    }
    return Cached(system, new (std::nothrow) TSystemIconSource(id));
}

TIconSource* ResourceIcon(const char* name)
{
    TList<TResourceIconSource*>& resources = caches.resources;
    for (TList<TResourceIconSource*>::Node* node = resources.First(); node; node = node->next) {
        const char* known = node->value->Name();
        const bool same = IS_INTRESOURCE(name) || IS_INTRESOURCE(known) ? known == name
                                                                          : std::strcmp(known, name) == 0;
        if (same)
            return node->value;
    }
    HINSTANCE instance = AppGlobals.Instance ? AppGlobals.Instance : GetModuleHandleW(nullptr);
    return Cached(resources, new (std::nothrow) TResourceIconSource(instance, name));
}

TIconSource* IconFileIcon(const char* path)
{
    TList<TIconFileSource*>& iconFiles = caches.iconFiles;
    for (TList<TIconFileSource*>::Node* node = iconFiles.First(); node; node = node->next) {
        if (std::strcmp(node->value->Path(), path) == 0)
            return node->value;
    }
    return Cached(iconFiles, new (std::nothrow) TIconFileSource(path));
}

TIconSource* ShellFileIcon(const char* path)
{
    if (TIconSource* special = SpecialFolderIcon(path, false))
        return special;
    TList<TShellFileIconSource*>& shellFiles = caches.shellFiles;
    for (TList<TShellFileIconSource*>::Node* node = shellFiles.First(); node; node = node->next) {
        if (std::strcmp(node->value->Path(), path) == 0)
            return node->value;
    }
    return Cached(shellFiles, new (std::nothrow) TShellFileIconSource(path));
}

TIconSource* ShellTypeIcon(const char* path)
{
    if (TIconSource* special = SpecialFolderIcon(path, true))
        return special;
    TList<TShellTypeIconSource*>& shellTypes = caches.shellTypes;
    for (TList<TShellTypeIconSource*>::Node* node = shellTypes.First(); node; node = node->next) {
        if (std::strcmp(node->value->Path(), path) == 0)
            return node->value;
    }
    return Cached(shellTypes, new (std::nothrow) TShellTypeIconSource(path));
}

TIconSource* ModuleIcon(const char* path, int index)
{
    if (!path || path[0] == '\0')
        return SystemIcon(32517);
    if (std::strcmp(PathExtension(path), "ico") == 0)
        return IconFileIcon(path);
    TModuleRecord* record = LoadModule(path, ModuleAsDataFile);
    if (!record)
        return SystemIcon(32517);
    return ModuleRecordIcon(record, index);
}

TIconSource* ModuleHandleIcon(HMODULE module, int index)
{
    if (!module)
        return SystemIcon(32517);
    return ModuleRecordIcon(AttachModule(module, ModuleAsDataFile), index);
}

TIconSource* FileIcon(const char* pattern, TIconSource* fallback)
{
    return CachedFileIcon(false, pattern, fallback);
}

TIconSource* PathIcon(const char* path)
{
    return CachedFileIcon(true, path, LogoFallback);
}

void ReleaseModule(TModuleRecord* record)
{
    // Sources that draw from the record's icon table go with it, so that no
    // later request is answered by a source whose table is gone.
    ForgetModuleIconSources(record);
    FreeModuleRecord(record);
}

void ReleaseIconCaches()
{
    // The module sources go before the records whose icon tables they draw from.
    caches.desktop = nullptr;
    caches.startMenu = nullptr;
    DestroyAll(caches.modules);
    FreeAllModuleRecords();
    DestroyAll(caches.system);
    DestroyAll(caches.resources);
    DestroyAll(caches.iconFiles);
    DestroyAll(caches.shellFiles);
    DestroyAll(caches.shellTypes);
    DestroyAll(caches.files);
}
