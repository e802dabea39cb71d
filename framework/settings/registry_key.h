// Value operations on one open registry key. Every operation returns the Win32
// error code (0 for success); a null key gives ERROR_INVALID_HANDLE without
// reaching the registry.
//
// Reads go through a buffer of RegistryReadBufferSize bytes: a longer value
// fails with ERROR_MORE_DATA and counts as missing. Whatever bytes the registry
// holds, a text that comes back is terminated and nothing is read past the
// bytes returned.
#pragma once

#include <windows.h>

struct TStateBlob;
struct TTextArray;
class TStringList;

constexpr int RegistryReadBufferSize = 1024;

// Writes a new owned text into `text` (the slot is not freed first): the value's
// text on success, the empty text on failure.
LONG ReadString(HKEY key, const char* name, char*& text);
// A 4-byte REG_DWORD value; on failure (also for a value of another type or
// size, ERROR_INVALID_DATA) `value` keeps what the caller set.
LONG ReadDword(HKEY key, const char* name, DWORD& value);
// The value's bytes, asking for `type` and returning the stored type in it;
// the blob is empty on failure or for an empty value.
LONG ReadBinary(HKEY key, const char* name, TStateBlob& blob, DWORD& type);
// One text per string up to the first empty string or the end of the bytes; a
// last string without its NUL counts. The array is resized to 0 on failure.
LONG ReadMultiString(HKEY key, const char* name, TTextArray& texts);

LONG WriteString(HKEY key, const char* name, const char* text); // REG_SZ, NUL stored
LONG WriteDword(HKEY key, const char* name, DWORD value);       // REG_DWORD, 4 bytes
LONG WriteBinary(HKEY key, const char* name, const TStateBlob& blob); // REG_BINARY, exact size
// Every text with its NUL, then one more NUL, as REG_MULTI_SZ. Texts that do
// not fit the read buffer are refused with ERROR_INSUFFICIENT_BUFFER and
// nothing is written, so that every written value can be read back.
LONG WriteMultiString(HKEY key, const char* name, const TTextArray& texts);

// Empty the list, then add every subkey name (or value name) by index from 0
// until the enumeration fails; return that code (ERROR_NO_MORE_ITEMS at the end).
LONG EnumSubKeys(HKEY key, TStringList& names);
LONG EnumValueNames(HKEY key, TStringList& names);
// Deletes every value of the key; 0 or the first failure met.
LONG DeleteAllValues(HKEY key);
