#include "framework/util/wide_text.h"

#include <windows.h>

#include "framework/util/text.h"

namespace {

std::string Narrow(UINT codePage, const std::wstring& text)
{
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string narrow(bytes > 0 ? bytes : 0, '\0');
    if (bytes > 0)
        WideCharToMultiByte(codePage, 0, text.data(), length, &narrow[0], bytes, nullptr, nullptr);
    return narrow;
}

}  // namespace

std::wstring WideText(const char* text)
{
    const int length = text ? MultiByteToWideChar(TextCodePage, 0, text, -1, nullptr, 0) : 0;
    if (length <= 1)
        return std::wstring();
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(TextCodePage, 0, text, -1, &wide[0], length);
    wide.resize(length - 1);
    return wide;
}

void AnsiText(char*& result, const std::wstring& text)
{
    result = NewText(Narrow(TextCodePage, text).c_str());
}

std::string Utf8Text(const std::wstring& text)
{
    return Narrow(CP_UTF8, text);
}
