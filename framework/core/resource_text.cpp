#include "framework/core/resource_text.h"

#include <windows.h>

#include "framework/core/display_text.h"
#include "framework/util/text.h"

void LoadResourceText(char*& result, unsigned int id)
{
    char buffer[1024];
    buffer[0] = '\0';
    buffer[1023] = '\0';
    if (LoadStringA(GetModuleHandleA(nullptr), id, buffer, 1023) <= 0)
        result = NewText("");
    else
        DisplayText(result, buffer);
}

void LoadRawResourceText(char*& result, unsigned int id)
{
    char buffer[256];
    buffer[0] = '\0';
    buffer[255] = '\0';
    if (LoadStringA(GetModuleHandleA(nullptr), id, buffer, 255) <= 0)
        buffer[0] = '\0';
    result = NewText(buffer);
}
