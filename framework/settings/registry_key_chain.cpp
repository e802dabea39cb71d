#include "framework/settings/registry_key_chain.h"

#include "framework/settings/registry_key.h"
#include "framework/settings/state_blob.h"
#include "framework/settings/text_array.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

TRegistryKeyEntry::TRegistryKeyEntry() : Handle(nullptr), Root(nullptr), SubKey(NewText("")) {}

TRegistryKeyEntry::TRegistryKeyEntry(HKEY root, const char* subKey)
    : Handle(nullptr), Root(root), SubKey(NewText(subKey))
{
}

TRegistryKeyEntry::TRegistryKeyEntry(const TRegistryKeyEntry& other)
    : Handle(other.Handle), Root(other.Root), SubKey(NewText(other.SubKey))
{
}

TRegistryKeyEntry& TRegistryKeyEntry::operator=(const TRegistryKeyEntry& other)
{
    Handle = other.Handle;
    Root = other.Root;
    SetText(SubKey, other.SubKey);
    return *this;
}

TRegistryKeyEntry::~TRegistryKeyEntry()
{
    FreeText(SubKey);
}

TRegistryKeyChain::TRegistryKeyChain(const TRegistryKeyEntry* const* entries)
{
    for (int i = 0; entries && entries[i]; ++i)
        AddEntry(*entries[i]);
}

void TRegistryKeyChain::AddEntry(const TRegistryKeyEntry& entry)
{
    Add(entry);
}

void TRegistryKeyChain::AddEntry(HKEY root, const char* subKey)
{
    Add(TRegistryKeyEntry(root, subKey));
}

void TRegistryKeyChain::AddChain(const TRegistryKeyChain& other)
{
    AddList(other);
}

HKEY TRegistryKeyChain::EntryHandle(int index) const
{
    const Node* node = NodeAt(index);
    return node ? node->value.Handle : nullptr;
}

HKEY TRegistryKeyChain::LastHandle() const
{
    return Last() ? Last()->value.Handle : nullptr;
}

namespace {

// Keeps the first failure of a walk over all entries.
inline void KeepFirst(LONG& first, LONG result)
{
    if (first == ERROR_SUCCESS)
        first = result;
}

LONG CreateEntry(TRegistryKeyEntry& entry, DWORD options, DWORD& disposition)
{
    entry.Handle = nullptr;
    if (!entry.Root)
        return ERROR_INVALID_HANDLE;
    HKEY handle = nullptr;
    const LONG result = RegCreateKeyExW(entry.Root, TWideArgument(entry.SubKey).Get(), 0, nullptr, options, KEY_ALL_ACCESS,
                                        nullptr, &handle, &disposition);
    if (result == ERROR_SUCCESS)
        entry.Handle = handle;
    return result;
}

} // namespace

LONG TRegistryKeyChain::CreateKeys(DWORD options)
{
    DWORD disposition = 0;
    return CreateKeys(options, disposition);
}

LONG TRegistryKeyChain::CreateKeys(DWORD options, DWORD& disposition)
{
    LONG first = ERROR_SUCCESS;
    for (Node* node = First(); node; node = node->next) {
        DWORD entryDisposition = 0;
        const LONG result = CreateEntry(node->value, options, entryDisposition);
        if (result == ERROR_SUCCESS)
            disposition = entryDisposition;
        KeepFirst(first, result);
    }
    return first;
}

LONG TRegistryKeyChain::OpenKeys()
{
    LONG first = ERROR_SUCCESS;
    for (Node* node = First(); node; node = node->next) {
        TRegistryKeyEntry& entry = node->value;
        entry.Handle = nullptr;
        LONG result = ERROR_INVALID_HANDLE;
        if (entry.Root) {
            HKEY handle = nullptr;
            result = RegOpenKeyExW(entry.Root, TWideArgument(entry.SubKey).Get(), 0, KEY_ALL_ACCESS, &handle);
            if (result == ERROR_SUCCESS)
                entry.Handle = handle;
        }
        KeepFirst(first, result);
    }
    return first;
}

LONG TRegistryKeyChain::CloseKeys()
{
    LONG first = ERROR_SUCCESS;
    for (Node* node = First(); node; node = node->next) {
        TRegistryKeyEntry& entry = node->value;
        const LONG result = entry.Handle ? RegCloseKey(entry.Handle) : ERROR_INVALID_HANDLE;
        entry.Handle = nullptr;
        KeepFirst(first, result);
    }
    return first;
}

LONG TRegistryKeyChain::DeleteKeys()
{
    LONG first = ERROR_SUCCESS;
    for (Node* node = First(); node; node = node->next) {
        TRegistryKeyEntry& entry = node->value;
        entry.Handle = nullptr;
        KeepFirst(first, entry.Root ? RegDeleteKeyW(entry.Root, TWideArgument(entry.SubKey).Get()) : ERROR_INVALID_HANDLE);
    }
    return first;
}

LONG TRegistryKeyChain::DeleteLastKey()
{
    if (!Last())
        return ERROR_INVALID_HANDLE;
    TRegistryKeyEntry& entry = Last()->value;
    entry.Handle = nullptr;
    return entry.Root ? RegDeleteKeyW(entry.Root, TWideArgument(entry.SubKey).Get()) : ERROR_INVALID_HANDLE;
}

LONG TRegistryKeyChain::ReadString(const char* name, char*& text) const
{
    LONG result = ERROR_INVALID_HANDLE;
    for (const Node* node = Last(); node; node = node->prev) {
        char* found = nullptr;
        result = ::ReadString(node->value.Handle, name, found);
        if (result == ERROR_SUCCESS) {
            text = found;
            return result;
        }
        FreeText(found);
    }
    text = NewText("");
    return result;
}

LONG TRegistryKeyChain::ReadDword(const char* name, DWORD& value) const
{
    LONG result = ERROR_INVALID_HANDLE;
    for (const Node* node = Last(); node; node = node->prev) {
        result = ::ReadDword(node->value.Handle, name, value);
        if (result == ERROR_SUCCESS)
            return result;
    }
    return result;
}

LONG TRegistryKeyChain::ReadBinary(const char* name, TStateBlob& blob, DWORD& type) const
{
    LONG result = ERROR_INVALID_HANDLE;
    const DWORD asked = type;
    for (const Node* node = Last(); node; node = node->prev) {
        type = asked;
        result = ::ReadBinary(node->value.Handle, name, blob, type);
        if (result == ERROR_SUCCESS)
            return result;
    }
    blob.Clear();
    return result;
}

LONG TRegistryKeyChain::ReadMultiString(const char* name, TTextArray& texts) const
{
    LONG result = ERROR_INVALID_HANDLE;
    for (const Node* node = Last(); node; node = node->prev) {
        result = ::ReadMultiString(node->value.Handle, name, texts);
        if (result == ERROR_SUCCESS)
            return result;
    }
    texts.Resize(0);
    return result;
}

LONG TRegistryKeyChain::DeleteValue(const char* name) const
{
    const HKEY key = LastHandle();
    return key ? RegDeleteValueW(key, TWideArgument(name).Get()) : ERROR_INVALID_HANDLE;
}

LONG TRegistryKeyChain::DeleteValueAll(const char* name) const
{
    LONG first = ERROR_SUCCESS;
    for (const Node* node = First(); node; node = node->next) {
        const HKEY key = node->value.Handle;
        KeepFirst(first, key ? RegDeleteValueW(key, TWideArgument(name).Get()) : ERROR_INVALID_HANDLE);
    }
    return first;
}
