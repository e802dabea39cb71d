// Registry key chains: ordered lists of keys that are opened and closed
// together. The first entry is the oldest; the last is the primary key, which
// reads try first and writes go to. A chain is opened for one operation and
// closed again; no key stays open between operations.
//
// Every operation returns a Win32 error code (0 for success); operations over
// all entries attempt every entry and return the first failure met.
#pragma once

#include <windows.h>

#include "framework/util/list.h"

struct TStateBlob;
struct TTextArray;

struct TRegistryKeyEntry {
    HKEY Handle;  // the open key, or null before it is opened
    HKEY Root;    // a root, or the open Handle of another chain's entry
    char* SubKey; // owned: the path below Root (may end in a backslash)

    TRegistryKeyEntry();
    TRegistryKeyEntry(HKEY root, const char* subKey);
    TRegistryKeyEntry(const TRegistryKeyEntry& other);
    TRegistryKeyEntry& operator=(const TRegistryKeyEntry& other);
    ~TRegistryKeyEntry();
};

class TRegistryKeyChain : public TList<TRegistryKeyEntry> {
public:
    TRegistryKeyChain() = default;
    // Copies every entry: handle, root and a copy of the path.
    TRegistryKeyChain(const TRegistryKeyChain& other) = default;
    TRegistryKeyChain& operator=(const TRegistryKeyChain& other) = default;
    // Adds each entry of a null-terminated list of entry pointers.
    explicit TRegistryKeyChain(const TRegistryKeyEntry* const* entries);
    // Destroying a chain frees its entries and paths; it never closes keys.

    void AddEntry(const TRegistryKeyEntry& entry);
    void AddEntry(HKEY root, const char* subKey);
    void AddChain(const TRegistryKeyChain& other);

    // The Handle of the entry at `index` counted from the first; null when
    // there is no such entry.
    HKEY EntryHandle(int index) const;
    // The Handle of the primary (last) entry, where writes go.
    HKEY LastHandle() const;

    // Opens every entry, creating missing keys (RegCreateKeyExA, KEY_ALL_ACCESS).
    LONG CreateKeys(DWORD options);
    // The same; `disposition` receives each call's disposition (the last remains).
    LONG CreateKeys(DWORD options, DWORD& disposition);
    // Opens every entry; a missing key is not created.
    LONG OpenKeys();
    // Closes every entry. A closed entry's Handle becomes null, so that closing
    // twice reports ERROR_INVALID_HANDLE instead of closing a handle that may
    // meanwhile belong to another key.
    LONG CloseKeys();
    // Deletes the key of every entry (each Handle set to null first).
    LONG DeleteKeys();
    // Deletes the key of the last entry only.
    LONG DeleteLastKey();

    // Reads try the entries from the last to the first and stop at the first
    // success; on failure they return the error of the first entry's attempt.
    // `text` is a result slot (not freed first): the value, or the empty text.
    LONG ReadString(const char* name, char*& text) const;
    // On failure `value` keeps what the caller set.
    LONG ReadDword(const char* name, DWORD& value) const;
    // The blob is empty on failure; `type` is asked for and receives the stored type.
    LONG ReadBinary(const char* name, TStateBlob& blob, DWORD& type) const;
    // The array is resized to 0 on failure.
    LONG ReadMultiString(const char* name, TTextArray& texts) const;

    // Deletes the value from the last entry's key.
    LONG DeleteValue(const char* name) const;
    // Deletes the value from every entry's key, first to last.
    LONG DeleteValueAll(const char* name) const;
};
