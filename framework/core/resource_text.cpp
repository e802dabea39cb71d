#include "framework/core/resource_text.h"

#include <windows.h>

#include "framework/core/display_text.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

namespace {

// The module's string `id` (UTF-16 in the resources) in the program's code
// page, cut at a character boundary to fit `size` bytes with its NUL; 0 bytes
// when there is none.
int ResourceString(unsigned int id, char* buffer, int size)
{
    buffer[0] = '\0';
    // A zero length asks for a pointer to the string inside the resources.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&text), 0);
    if (length <= 0 || !text)
        return 0;
    return CopyNarrowText(buffer, size, text, length);
}

}  // namespace

void LoadResourceText(char*& result, unsigned int id)
{
    char buffer[1023];
    if (ResourceString(id, buffer, sizeof buffer) <= 0)
        result = NewText("");
    else
        DisplayText(result, buffer);
}

void LoadRawResourceText(char*& result, unsigned int id)
{
    char buffer[255];
    ResourceString(id, buffer, sizeof buffer);
    result = NewText(buffer);
}
