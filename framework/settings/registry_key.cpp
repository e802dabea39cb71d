#include "framework/settings/registry_key.h"

#include <cstring>
#include <memory>
#include <new>

#include "framework/settings/state_blob.h"
#include "framework/settings/text_array.h"
#include "framework/util/list.h"
#include "framework/util/text.h"

namespace {

// Key names are at most 255 characters; value names at most 16383. A shorter
// name buffer would end an enumeration early at the first long name.
constexpr DWORD KeyNameBufferSize = 256;
constexpr DWORD ValueNameBufferSize = 16384;

LONG QueryValue(HKEY key, const char* name, DWORD& type, BYTE* buffer, DWORD& size)
{
    if (!key)
        return ERROR_INVALID_HANDLE;
    return RegQueryValueExA(key, name, nullptr, &type, buffer, &size);
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
    const DWORD size = static_cast<DWORD>(std::strlen(text) + 1);
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size);
}

LONG WriteDword(HKEY key, const char* name, DWORD value)
{
    if (!key)
        return ERROR_INVALID_HANDLE;
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

LONG WriteBinary(HKEY key, const char* name, const TStateBlob& blob)
{
    if (!key)
        return ERROR_INVALID_HANDLE;
    const DWORD size = blob.Size > 0 ? static_cast<DWORD>(blob.Size) : 0;
    return RegSetValueExA(key, name, 0, REG_BINARY, size ? blob.Data : nullptr, size);
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
    return RegSetValueExA(key, name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(buffer),
                          static_cast<DWORD>(offset));
}

LONG EnumSubKeys(HKEY key, TStringList& names)
{
    names.Clear();
    if (!key)
        return ERROR_INVALID_HANDLE;
    char name[KeyNameBufferSize];
    for (DWORD index = 0;; ++index) {
        DWORD length = KeyNameBufferSize;
        const LONG result = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS)
            return result;
        name[length < KeyNameBufferSize ? length : KeyNameBufferSize - 1] = '\0';
        names.Add(name);
    }
}

LONG EnumValueNames(HKEY key, TStringList& names)
{
    names.Clear();
    if (!key)
        return ERROR_INVALID_HANDLE;
    std::unique_ptr<char[]> name(new (std::nothrow) char[ValueNameBufferSize]);
    if (!name)
        return ERROR_NOT_ENOUGH_MEMORY;
    for (DWORD index = 0;; ++index) {
        DWORD length = ValueNameBufferSize;
        const LONG result =
            RegEnumValueA(key, index, name.get(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS)
            return result;
        name[length < ValueNameBufferSize ? length : ValueNameBufferSize - 1] = '\0';
        names.Add(name.get());
    }
}

LONG DeleteAllValues(HKEY key)
{
    TStringList names;
    const LONG listed = EnumValueNames(key, names);
    LONG first = listed == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : listed;
    for (TStringList::Node* node = names.First(); node; node = node->next) {
        const LONG result = RegDeleteValueA(key, node->value);
        if (first == ERROR_SUCCESS)
            first = result;
    }
    return first;
}
