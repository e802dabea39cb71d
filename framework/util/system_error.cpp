#include "framework/util/system_error.h"

#include "framework/util/text.h"

void SystemErrorText(char*& result, DWORD error, const void* source)
{
    char* message = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER, source, error,
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&message), 0,
                       nullptr);
    if (length == 0 || !message)
        result = NewText("");
    else
        result = NewText(message, static_cast<int>(length));
    if (message)
        LocalFree(message);
}
