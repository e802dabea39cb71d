// The system's own wording of an error code.
#pragma once

#include <windows.h>

// A new owned text in `result` (not freed first): the system's message for the
// error code in the user's language, or the empty text when there is none.
// `source` is handed to the system as the message source.
void SystemErrorText(char*& result, DWORD error, const void* source = nullptr);
