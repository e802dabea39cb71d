#include "framework/drawing/module_icon_library.h"

#include <cstring>
#include <new>

#include "framework/drawing/icon_location.h"
#include "framework/drawing/icon_source.h"
#include "framework/drawing/system_icon_source.h"
#include "framework/util/wide_text.h"

namespace {

struct TEnumTarget {
    TStringList* names;
    TList<const char*>* entries;
};

BOOL CALLBACK AddGroupIcon(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    TEnumTarget* target = reinterpret_cast<TEnumTarget*>(param);
    if (IS_INTRESOURCE(name)) {
        target->entries->Add(reinterpret_cast<LPCSTR>(name));
    } else {
        // The enumeration's name lives only for this call: the list keeps a
        // copy, in the program's code page (TWideArgument turns it back).
        char* narrow;
        AnsiText(narrow, name);
        if (TStringList::Node* node = target->names->Add(narrow))
            target->entries->Add(node->value);
        FreeText(narrow);
    }
    return TRUE;
}

// Layout of a group-icon directory as stored in a module.
#pragma pack(push, 2)
struct TGroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct TGroupIconEntry {
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

// The bytes of a resource, with their size; null when any step fails.
const BYTE* ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type, DWORD& size)
{
    HRSRC found = FindResourceW(module, TWideArgument(name).Get(), reinterpret_cast<LPCWSTR>(type));
    if (!found)
        return nullptr;
    size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded || size == 0)
        return nullptr;
    return static_cast<const BYTE*>(LockResource(loaded));
}

}  // namespace

TModuleIconLibrary::TModuleIconLibrary(TModuleRecord* owner, HMODULE module, const char* path)
    : Record(owner), Module(module), IsProgram(path && std::strcmp(PathExtension(path), "exe") == 0)
{
    if (Module) {
        TEnumTarget target = {&Names, &Entries};
        EnumResourceNamesW(Module, reinterpret_cast<LPCWSTR>(RT_GROUP_ICON), AddGroupIcon,
                           reinterpret_cast<LONG_PTR>(&target));
    }
    // A cache without memory holds nothing, and its kind gives no icon.
    for (TIconCache& cache : Caches) {
        cache.Icons = Entries.Count() > 0 ? new (std::nothrow) HICON[Entries.Count()]() : nullptr;
        cache.Count = cache.Icons ? Entries.Count() : 0;
    }
}

TModuleIconLibrary::~TModuleIconLibrary()
{
    for (TIconCache& cache : Caches) {
        for (int i = 0; i < cache.Count; ++i)
            DestroyIconSlot(cache.Icons[i]);
        delete[] cache.Icons;
    }
}

int TModuleIconLibrary::PositionOfId(int id) const
{
    int position = 0;
    for (TList<const char*>::Node* node = Entries.First(); node; node = node->next, ++position) {
        if (IS_INTRESOURCE(node->value) && reinterpret_cast<ULONG_PTR>(node->value) == static_cast<ULONG_PTR>(id))
            return position;
    }
    return -1;
}

int TModuleIconLibrary::ResolveIndex(int index) const
{
    if (index >= 0)
        return index;
    // Resource ids are 16-bit: anything beyond cannot name one (and -index must not overflow).
    if (index < -0xFFFF)
        return -1;
    return PositionOfId(-index);
}

HICON TModuleIconLibrary::Icon(int index, int kind, TIconSource* fallback)
{
    int position = ResolveIndex(index);
    if (position == Count())
        return fallback ? fallback->GetIcon(kind, nullptr) : nullptr;
    if (position < 0 || position >= Count())
        position = 0;
    if (kind < IconSizeSmall || kind > IconSizeNative)
        return nullptr;
    // A module without group icons has no first icon to fall back on.
    if (Count() == 0)
        return fallback ? fallback->GetIcon(kind, nullptr) : nullptr;
    if (position >= Caches[kind].Count)
        return nullptr;
    HICON& slot = Caches[kind].Icons[position];
    if (!slot) {
        const int size = IconSizeOfKind(kind);
        slot = SizedIcon(position, size, size, IconLoadFlagsOfKind(kind), fallback);
    }
    return slot;
}

HICON TModuleIconLibrary::LoadFromModule(int position, int width, int height, UINT flags) const
{
    if (!Module || position < 0 || position >= Count())
        return nullptr;
    HMODULE module = Module;
    DWORD groupSize = 0;
    const BYTE* group = ResourceBytes(module, Entries.At(position), RT_GROUP_ICON, groupSize);
    if (!group || groupSize < sizeof(TGroupIconHeader))
        return nullptr;
    // The directory must hold every entry it announces before the system reads it.
    const TGroupIconHeader* header = reinterpret_cast<const TGroupIconHeader*>(group);
    if (header->count == 0 || groupSize < sizeof(TGroupIconHeader) + header->count * sizeof(TGroupIconEntry))
        return nullptr;
    const int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group), TRUE, width, height, flags);
    if (id == 0)
        return nullptr;
    DWORD imageSize = 0;
    const BYTE* image = ResourceBytes(module, MAKEINTRESOURCEA(id), RT_ICON, imageSize);
    if (!image)
        return nullptr;
    return CreateIconFromResourceEx(const_cast<BYTE*>(image), imageSize, TRUE, 0x30000, width, height, flags);
}

HICON TModuleIconLibrary::SizedIcon(int index, int width, int height, UINT flags, TIconSource* fallback)
{
    int position = ResolveIndex(index);
    if (position < 0 || position >= Count())
        position = 0;
    HICON icon = LoadFromModule(position, width, height, flags);
    if (icon)
        return icon;
    // The system's icons are made here for the one call: the shared sources
    // of icon_caches.h stand on this table, not under it.
    if (position == 0 && IsProgram)
        return TSystemIconSource(32512).CreateIcon(width, height, nullptr);
    if (fallback)
        return fallback->CreateIcon(width, height, nullptr);
    return TSystemIconSource(32517).CreateIcon(width, height, nullptr);
}
