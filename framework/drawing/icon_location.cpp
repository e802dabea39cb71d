#include "framework/drawing/icon_location.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <new>

#include "framework/settings/registry_key.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

const char* PathExtension(const char* path)
{
    // Walked by characters: 0x5C may be the trail byte of a double-byte character.
    const int length = static_cast<int>(std::strlen(path));
    int dot = -1;
    for (int i = 0; i < length; i += CharLength(length - i, path + i)) {
        if (path[i] == '\\')
            dot = -1;
        else if (path[i] == '.')
            dot = i;
    }
    if (dot < 0 || dot == length - 1)
        return path + length;
    return path + dot + 1;
}

namespace {

// The default value of a key under HKEY_CLASSES_ROOT, or the empty text. The
// key is opened for reading only: most of the associations belong to the
// machine, which a user may read but not change.
void ClassesRootDefault(char*& result, const char* subKey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, TWideText(subKey).Get(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        result = NewText("");
        return;
    }
    ReadString(key, "", result);
    RegCloseKey(key);
}

}  // namespace

void DefaultIconLocation(char*& result, const char* path)
{
    const char* extension = PathExtension(path);
    char* typeKey;
    StrConcat(typeKey, ".", extension);
    char* fileClass;
    ClassesRootDefault(fileClass, typeKey);
    if (fileClass[0] == '\0')
        SetText(fileClass, typeKey);
    char* iconKey;
    StrConcat(iconKey, fileClass, "\\DefaultIcon");
    ClassesRootDefault(result, iconKey);
    FreeText(iconKey);
    FreeText(fileClass);
    FreeText(typeKey);
}

namespace {

// The leading integer of a trimmed text ("12abc" is 12); 0 for no number or
// one that does not fit an int.
int ParseIndex(const char* text)
{
    const char* p = text;
    bool negative = false;
    if (*p == '-' || *p == '+')
        negative = *p++ == '-';
    long long value = 0;
    bool digits = false;
    for (; *p >= '0' && *p <= '9'; ++p) {
        digits = true;
        value = value * 10 + (*p - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            return 0;
    }
    if (!digits)
        return 0;
    if (negative)
        value = -value;
    if (value < INT_MIN || value > INT_MAX)
        return 0;
    return static_cast<int>(value);
}

}  // namespace

void ParseIconLocation(const char* location, char*& path, int& index)
{
    const int length = static_cast<int>(std::strlen(location));
    // A quoted path may hold commas of its own: the split is at the first comma outside quotes.
    int comma = -1;
    bool quoted = false;
    for (int i = 0; i < length; i += CharLength(length - i, location + i)) {
        if (location[i] == '"')
            quoted = !quoted;
        else if (location[i] == ',' && !quoted) {
            comma = i;
            break;
        }
    }
    char* raw = NewText(location, comma < 0 ? length : comma);
    index = 0;
    if (comma >= 0) {
        char* number;
        StrTrim(number, location + comma + 1);
        index = ParseIndex(number);
        FreeText(number);
    }

    char* unquoted;
    if (raw[0] == '"') {
        const char* body = raw + 1;
        const char* close = std::strchr(body, '"');
        unquoted = NewText(body, close ? static_cast<int>(close - body) : static_cast<int>(std::strlen(body)));
    } else {
        unquoted = NewText(raw);
    }
    FreeText(raw);

    // Expanded in full: a variable that grows the path past MAX_PATH must not
    // leave a cut-off path behind.
    const TWideText wide(unquoted);
    const DWORD needed = ExpandEnvironmentStringsW(wide.Get(), nullptr, 0);
    if (needed == 0) {
        path = unquoted;
        return;
    }
    wchar_t* expanded = new (std::nothrow) wchar_t[needed + 1];
    if (!expanded) {
        path = unquoted;
        return;
    }
    const DWORD written = ExpandEnvironmentStringsW(wide.Get(), expanded, needed + 1);
    if (written == 0 || written > needed + 1) {
        delete[] expanded;
        path = unquoted;
        return;
    }
    expanded[needed] = L'\0';
    AnsiText(path, expanded);
    delete[] expanded;
    FreeText(unquoted);
}
