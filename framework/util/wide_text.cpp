#include "framework/util/wide_text.h"

#include <windows.h>

#include <cstring>
#include <new>

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

// The UTF-16 text in the program's code page as a new[] buffer of its bytes
// and a NUL (null without memory), with the byte count in `bytes`.
char* NarrowBuffer(const wchar_t* text, int length, int& bytes)
{
    bytes = 0;
    if (!text)
        return nullptr;
    if (length < 0)
        length = static_cast<int>(std::wcslen(text));
    const int needed = length > 0 ? WideCharToMultiByte(TextCodePage, 0, text, length, nullptr, 0, nullptr, nullptr)
                                  : 0;
    char* narrow = new (std::nothrow) char[needed > 0 ? needed + 1 : 1];
    if (!narrow)
        return nullptr;
    if (needed > 0)
        bytes = WideCharToMultiByte(TextCodePage, 0, text, length, narrow, needed, nullptr, nullptr);
    narrow[bytes] = '\0';
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
    AnsiText(result, text.c_str(), static_cast<int>(text.size()));
}

void AnsiText(char*& result, const wchar_t* text, int length)
{
    int bytes = 0;
    char* narrow = NarrowBuffer(text, length, bytes);
    result = NewText(narrow, bytes);
    delete[] narrow;
}

int CopyNarrowText(char* buffer, int size, const wchar_t* text, int length)
{
    if (!buffer || size <= 0)
        return 0;
    int bytes = 0;
    char* narrow = NarrowBuffer(text, length, bytes);
    int copied = 0;
    while (narrow && copied < bytes) {
        const int step = CharLength(bytes - copied, narrow + copied);
        if (copied + step > size - 1)
            break;
        copied += step;
    }
    if (copied > 0)
        std::memcpy(buffer, narrow, static_cast<size_t>(copied));
    buffer[copied] = '\0';
    delete[] narrow;
    return copied;
}

std::string Utf8Text(const std::wstring& text)
{
    return Narrow(CP_UTF8, text);
}

TWideText::TWideText(const char* text) : TWideText(text, text ? static_cast<int>(std::strlen(text)) : 0)
{
}

TWideText::TWideText(const char* text, int bytes)
{
    const int length = text && bytes > 0 ? MultiByteToWideChar(TextCodePage, 0, text, bytes, nullptr, 0) : 0;
    if (length <= 0)
        return;
    text_ = new (std::nothrow) wchar_t[length + 1];
    if (!text_)
        return;
    length_ = MultiByteToWideChar(TextCodePage, 0, text, bytes, text_, length);
    text_[length_ > 0 ? length_ : 0] = L'\0';
}

TWideText::~TWideText()
{
    delete[] text_;
}

TWideArgument::TWideArgument(const char* text)
    : original_(text), wide_(text && !IS_INTRESOURCE(text) ? text : nullptr)
{
}

const wchar_t* TWideArgument::Get() const
{
    if (!original_ || IS_INTRESOURCE(original_))
        return reinterpret_cast<const wchar_t*>(original_);
    return wide_.Get();
}
