#include "framework/settings/registry_key.h"

#include <cstring>
#include <memory>
#include <new>

#include "framework/settings/state_blob.h"
#include "framework/settings/text_array.h"
#include "framework/util/list.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

namespace {

// Key names are at most 255 characters; value names at most 16383. A shorter
// name buffer would end an enumeration early at the first long name.
constexpr DWORD KeyNameBufferSize = 256;
constexpr DWORD ValueNameBufferSize = 16384;

bool IsTextType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// The value as the ANSI query would give it if the system's code page were the
// program's: texts are stored in UTF-16 and come back in code page 932, so a
// value an earlier version wrote on a 932 system reads back byte for byte;
// other types come back as stored. A text without its NUL needs room for one
// in `size` bytes, or it is ERROR_MORE_DATA.
LONG QueryValue(HKEY key, const char* name, DWORD& type, BYTE* buffer, DWORD& size)
{
    if (!key)
        return ERROR_INVALID_HANDLE;
    // Twice the read buffer: a text that fits it in code page 932 fits this in UTF-16.
    wchar_t stored[RegistryReadBufferSize];
    DWORD storedSize = RegistryReadBufferSize * sizeof(wchar_t);
    const LONG result = RegQueryValueExW(key, TWideArgument(name).Get(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(stored), &storedSize);
    if (result != ERROR_SUCCESS)
        return result;
    if (!IsTextType(type)) {
        if (storedSize > size)
            return ERROR_MORE_DATA;
        std::memcpy(buffer, stored, storedSize);
        size = storedSize;
        return ERROR_SUCCESS;
    }
    // An odd last byte is no character. Converted into a buffer of the read
    // buffer's size, after the length is known to fit it.
    char text[RegistryReadBufferSize];
    const wchar_t* wide = stored;
    const int units = static_cast<int>(storedSize / sizeof(wchar_t));
    const int length = units > 0 ? WideCharToMultiByte(TextCodePage, 0, wide, units, nullptr, 0, nullptr, nullptr) : 0;
    if (length > RegistryReadBufferSize)
        return ERROR_MORE_DATA;
    if (length > 0)
        WideCharToMultiByte(TextCodePage, 0, wide, units, text, length, nullptr, nullptr);
    const DWORD bytes = static_cast<DWORD>(length > 0 ? length : 0);
    const DWORD needed = bytes + (bytes == 0 || text[bytes - 1] != '\0' ? 1 : 0);
    if (needed > size)
        return ERROR_MORE_DATA;
    std::memcpy(buffer, text, bytes);
    if (bytes < size)
        buffer[bytes] = '\0';
    size = bytes;
    return ERROR_SUCCESS;
}

// Adds a name the registry gave, in the program's code page.
void AddNarrowName(TStringList& names, const wchar_t* name)
{
    char* narrow;
    AnsiText(narrow, name);
    names.Add(narrow);
    FreeText(narrow);
}

LONG SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size)
{
    if (!key)
        return ERROR_INVALID_HANDLE;
    return RegSetValueExW(key, TWideArgument(name).Get(), 0, type, data, size);
}

// A text of the program's code page (NULs inside it included) stored in UTF-16.
LONG SetTextValue(HKEY key, const char* name, DWORD type, const char* text, size_t bytes)
{
    const TWideText wide(text, static_cast<int>(bytes));
    if (bytes > 0 && wide.Length() == 0)
        return ERROR_NOT_ENOUGH_MEMORY;
    return SetValue(key, name, type, reinterpret_cast<const BYTE*>(wide.Get()),
                    static_cast<DWORD>(wide.Length() * sizeof(wchar_t)));
}

} // namespace

LONG ReadString(HKEY key, const char* name, char*& text)
{
    char buffer[RegistryReadBufferSize];
    DWORD type = REG_SZ;
    DWORD size = sizeof buffer;
    const LONG result = QueryValue(key, name, type, reinterpret_cast<BYTE*>(buffer), size);
    if (result != ERROR_SUCCESS || size > sizeof buffer) {
        text = NewText("");
        return result != ERROR_SUCCESS ? result : ERROR_MORE_DATA;
    }
    // The stored bytes need not end in a NUL: take at most `size` of them.
    text = NewText(buffer, static_cast<int>(size));
    return ERROR_SUCCESS;
}

LONG ReadDword(HKEY key, const char* name, DWORD& value)
{
    DWORD data = 0;
    DWORD type = REG_DWORD;
    DWORD size = sizeof data;
    const LONG result = QueryValue(key, name, type, reinterpret_cast<BYTE*>(&data), size);
    if (result != ERROR_SUCCESS)
        return result;
    // A text or a short block where a number is expected is no number.
    if (type != REG_DWORD || size != sizeof data)
        return ERROR_INVALID_DATA;
    value = data;
    return ERROR_SUCCESS;
}

LONG ReadBinary(HKEY key, const char* name, TStateBlob& blob, DWORD& type)
{
    BYTE buffer[RegistryReadBufferSize];
    DWORD size = sizeof buffer;
    const LONG result = QueryValue(key, name, type, buffer, size);
    if (result != ERROR_SUCCESS || size > sizeof buffer) {
        blob.Clear();
        return result != ERROR_SUCCESS ? result : ERROR_MORE_DATA;
    }
    blob.Assign(buffer, static_cast<int>(size));
    return ERROR_SUCCESS;
}

LONG ReadMultiString(HKEY key, const char* name, TTextArray& texts)
{
    char buffer[RegistryReadBufferSize];
    DWORD type = REG_MULTI_SZ;
    DWORD size = sizeof buffer;
    const LONG result = QueryValue(key, name, type, reinterpret_cast<BYTE*>(buffer), size);
    if (result != ERROR_SUCCESS || size > sizeof buffer) {
        texts.Resize(0);
        return result != ERROR_SUCCESS ? result : ERROR_MORE_DATA;
    }
    const int end = static_cast<int>(size);
    // Each string runs to its NUL or to the end of the returned bytes.
    auto stringLength = [&](int offset) {
        return static_cast<int>(strnlen(buffer + offset, static_cast<size_t>(end - offset)));
    };
    int count = 0;
    for (int offset = 0; offset < end && buffer[offset] != '\0'; offset += stringLength(offset) + 1)
        ++count;
    texts.Resize(count);
    int index = 0;
    for (int offset = 0; index < texts.Count; ++index) {
        const int length = stringLength(offset);
        FreeText(texts.Texts[index]);
        texts.Texts[index] = NewText(buffer + offset, length);
        offset += length + 1;
    }
    return ERROR_SUCCESS;
}

LONG WriteString(HKEY key, const char* name, const char* text)
{
    if (!key)
        return ERROR_INVALID_HANDLE;
    if (!text)
        text = "";
    return SetTextValue(key, name, REG_SZ, text, std::strlen(text) + 1);
}

LONG WriteDword(HKEY key, const char* name, DWORD value)
{
    return SetValue(key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

LONG WriteBinary(HKEY key, const char* name, const TStateBlob& blob)
{
    const DWORD size = blob.Size > 0 ? static_cast<DWORD>(blob.Size) : 0;
    return SetValue(key, name, REG_BINARY, size ? blob.Data : nullptr, size);
}

LONG WriteMultiString(HKEY key, const char* name, const TTextArray& texts)
{
    if (!key)
        return ERROR_INVALID_HANDLE;
    char buffer[RegistryReadBufferSize];
    // Measured before anything is copied: texts that would overrun the buffer
    // are refused as a whole.
    size_t total = 1; // the final NUL
    for (int i = 0; i < texts.Count; ++i) {
        total += std::strlen(texts.Texts[i]) + 1;
        if (total > sizeof buffer)
            return ERROR_INSUFFICIENT_BUFFER;
    }
    size_t offset = 0;
    for (int i = 0; i < texts.Count; ++i) {
        const size_t length = std::strlen(texts.Texts[i]) + 1;
        std::memcpy(buffer + offset, texts.Texts[i], length);
        offset += length;
    }
    buffer[offset++] = '\0';
    return SetTextValue(key, name, REG_MULTI_SZ, buffer, offset);
}

LONG EnumSubKeys(HKEY key, TStringList& names)
{
    names.Clear();
    if (!key)
        return ERROR_INVALID_HANDLE;
    wchar_t name[KeyNameBufferSize];
    for (DWORD index = 0;; ++index) {
        DWORD length = KeyNameBufferSize;
        const LONG result = RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS)
            return result;
        name[length < KeyNameBufferSize ? length : KeyNameBufferSize - 1] = L'\0';
        AddNarrowName(names, name);
    }
}

LONG EnumValueNames(HKEY key, TStringList& names)
{
    names.Clear();
    if (!key)
        return ERROR_INVALID_HANDLE;
    std::unique_ptr<wchar_t[]> name(new (std::nothrow) wchar_t[ValueNameBufferSize]);
    if (!name)
        return ERROR_NOT_ENOUGH_MEMORY;
    for (DWORD index = 0;; ++index) {
        DWORD length = ValueNameBufferSize;
        const LONG result =
            RegEnumValueW(key, index, name.get(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS)
            return result;
        name[length < ValueNameBufferSize ? length : ValueNameBufferSize - 1] = L'\0';
        AddNarrowName(names, name.get());
    }
}

LONG DeleteAllValues(HKEY key)
{
    TStringList names;
    const LONG listed = EnumValueNames(key, names);
    LONG first = listed == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : listed;
    for (TStringList::Node* node = names.First(); node; node = node->next) {
        const LONG result = RegDeleteValueW(key, TWideText(node->value).Get());
        if (first == ERROR_SUCCESS)
            first = result;
    }
    return first;
}
