#include "framework/dialogs/control_text.h"

#include <string>

#include "framework/util/wide_text.h"

void SetControlText(HWND window, const char* text)
{
    SetWindowTextW(window, WideText(text).c_str());
}

TText ControlText(HWND window)
{
    return ReadTextMessage(window, WM_GETTEXTLENGTH, WM_GETTEXT, 0);
}

LRESULT SendTextMessage(HWND window, UINT message, WPARAM wParam, const char* text)
{
    return SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(WideText(text).c_str()));
}

TText ReadTextMessage(HWND window, UINT lengthMessage, UINT textMessage, WPARAM wParam)
{
    TText text;
    const LRESULT length = SendMessageW(window, lengthMessage, wParam, 0);
    if (length < 0)
        return text;
    // WM_GETTEXT takes its buffer's size in WPARAM; the list boxes' messages an index.
    std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
    const WPARAM first = textMessage == WM_GETTEXT ? buffer.size() : wParam;
    const LRESULT copied = SendMessageW(window, textMessage, first, reinterpret_cast<LPARAM>(&buffer[0]));
    buffer.resize(copied >= 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    AnsiText(text.Slot(), buffer);
    return text;
}
