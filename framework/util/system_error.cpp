#include "framework/util/system_error.h"

#include "framework/util/text.h"
#include "framework/util/wide_text.h"

void SystemErrorText(char*& result, DWORD error, const void* source)
{
    wchar_t* message = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER, source, error,
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&message), 0,
                       nullptr);
    if (length == 0 || !message)
        result = NewText("");
    else
        AnsiText(result, message, static_cast<int>(length));
    if (message)
        LocalFree(message);
}
