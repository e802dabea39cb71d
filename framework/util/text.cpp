#include "framework/util/text.h"

#include <windows.h>

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

// Lead and trail bytes of Shift-JIS (code page 932), the program's texts'
// code page whatever the system's is: a constant table, made by the compiler,
// so no thread ever reads it half made.
struct TByteClasses {
    bool Lead[256];
    bool Trail[256];
};

constexpr TByteClasses MakeShiftJisClasses()
{
    TByteClasses classes = {};
    for (int b = 0; b < 256; ++b) {
        classes.Lead[b] = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        classes.Trail[b] = (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
    }
    return classes;
}

constexpr TByteClasses byteClasses = MakeShiftJisClasses();

const TByteClasses& ByteClasses()
{
    return byteClasses;
}

inline unsigned char Byte(const char* p)
{
    return static_cast<unsigned char>(*p);
}

inline int TextLength(const char* text)
{
    return text ? static_cast<int>(std::strlen(text)) : 0;
}

inline const char* OrEmpty(const char* text)
{
    return text ? text : "";
}

bool IsTrimmed(int c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The text given out when there is no memory for one: the empty text, shared
// and never freed.
char noMemoryText[1] = {'\0'};

} // namespace

bool IsLeadByte(int c)
{
    return byteClasses.Lead[c & 0xFF];
}

char* NewText(const char* source)
{
    return NewText(source, TextLength(source));
}

char* NewText(const char* source, int bytes)
{
    int length = 0;
    if (source && bytes > 0)
        length = static_cast<int>(strnlen(source, static_cast<size_t>(bytes)));
    char* text = new (std::nothrow) char[length + 1];
    if (!text)
        return noMemoryText;
    if (length > 0)
        std::memcpy(text, source, static_cast<size_t>(length));
    text[length] = '\0';
    return text;
}

void FreeText(char*& text)
{
    if (text != noMemoryText)
        delete[] text;
    text = nullptr;
}

void SetText(char*& slot, const char* source)
{
    // The copy is made before the old text goes, so a slot may be set from itself.
    char* copy = NewText(source);
    FreeText(slot);
    slot = copy;
}

int CharLength(int remaining, const char* p)
{
    if (remaining < 2)
        return remaining < 0 ? 0 : remaining;
    const unsigned char first = Byte(p);
    const unsigned char second = Byte(p + 1);
    const TByteClasses& classes = ByteClasses();
    if (classes.Lead[first] && classes.Trail[second])
        return 2;
    if ((first == '\r' && second == '\n') || (first == '\n' && second == '\r'))
        return 2;
    return 1;
}

bool IsLineBreak(int c)
{
    c &= 0xFF;
    return c == '\r' || c == '\n';
}

bool IsDigitChar(int c)
{
    c &= 0xFF;
    return c >= '0' && c <= '9';
}

bool IsUpperChar(int c)
{
    c &= 0xFF;
    return c >= 'A' && c <= 'Z';
}

bool IsLowerChar(int c)
{
    c &= 0xFF;
    return c >= 'a' && c <= 'z';
}

bool IsAlphaChar(int c)
{
    return IsUpperChar(c) || IsLowerChar(c);
}

bool IsNotTabOrBreak(int c)
{
    c &= 0xFF;
    return c != '\t' && c != '\n' && c != '\r';
}

int LineLength(int limit, const char* text)
{
    if (!text)
        return 0;
    int offset = 0;
    while (offset < limit && text[offset] != '\0' && !IsLineBreak(text[offset]))
        offset += CharLength(limit - offset, text + offset);
    return offset;
}

int LineSpan(int limit, const char* text)
{
    const int length = LineLength(limit, text);
    if (text && length < limit && IsLineBreak(text[length]))
        return length + CharLength(limit - length, text + length);
    return length;
}

int LineCount(int limit, const char* text)
{
    if (!text)
        return 0;
    int lines = 0;
    int offset = 0;
    while (offset < limit && text[offset] != '\0') {
        ++lines;
        offset += LineSpan(limit - offset, text + offset);
    }
    return lines;
}

void StrLeft(char*& result, const char* source, int n)
{
    const int length = TextLength(source);
    result = NewText(source, n < length ? n : length);
}

void StrRight(char*& result, const char* source, int n)
{
    const int length = TextLength(source);
    if (n < 0)
        n = 0;
    result = n < length ? NewText(source + (length - n), n) : NewText(source);
}

void StrTrim(char*& result, const char* source)
{
    source = OrEmpty(source);
    const int length = TextLength(source);
    int begin = 0;
    int end = 0; // just after the last character that is kept
    bool inText = false;
    for (int offset = 0; offset < length;) {
        const int step = CharLength(length - offset, source + offset);
        if (!IsTrimmed(Byte(source + offset))) {
            if (!inText) {
                begin = offset;
                inText = true;
            }
            end = offset + step;
        }
        offset += step;
    }
    result = inText ? NewText(source + begin, end - begin) : NewText("");
}

void StrUpper(char*& result, const char* source)
{
    result = NewText(source);
    const int length = TextLength(result);
    for (int offset = 0; offset < length;) {
        const int step = CharLength(length - offset, result + offset);
        unsigned char* p = reinterpret_cast<unsigned char*>(result + offset);
        if (step == 1 && IsLowerChar(p[0])) {
            p[0] = static_cast<unsigned char>(p[0] - 'a' + 'A');
        } else if (step == 2 && p[0] == 0x82 && p[1] >= 0x81 && p[1] <= 0x9A) {
            p[1] = static_cast<unsigned char>(p[1] - 0x21); // full-width small to capital
        }
        offset += step;
    }
}

void StrLower(char*& result, const char* source)
{
    result = NewText(source);
    const int length = TextLength(result);
    for (int offset = 0; offset < length;) {
        const int step = CharLength(length - offset, result + offset);
        unsigned char* p = reinterpret_cast<unsigned char*>(result + offset);
        if (step == 1 && IsUpperChar(p[0])) {
            p[0] = static_cast<unsigned char>(p[0] - 'A' + 'a');
        } else if (step == 2 && p[0] == 0x82 && p[1] >= 0x60 && p[1] <= 0x79) {
            p[1] = static_cast<unsigned char>(p[1] + 0x21); // full-width capital to small
        }
        offset += step;
    }
}

void StrRepeat(char*& result, const char* source, int count)
{
    const int length = TextLength(source);
    if (count <= 0 || length == 0) {
        result = NewText("");
        return;
    }
    // A text's length must fit an int; a larger product (which on a 32-bit
    // build would also wrap size_t) gives the empty text, as does a failed
    // allocation.
    if (count > (INT_MAX - 1) / length) {
        result = NewText("");
        return;
    }
    const size_t total = static_cast<size_t>(length) * static_cast<size_t>(count);
    result = new (std::nothrow) char[total + 1];
    if (!result) {
        result = NewText("");
        return;
    }
    for (int i = 0; i < count; ++i)
        std::memcpy(result + static_cast<size_t>(i) * length, source, static_cast<size_t>(length));
    result[total] = '\0';
}

void StrConcat(char*& result, const char* a, const char* b)
{
    const int lengthA = TextLength(a);
    const int lengthB = TextLength(b);
    result = new (std::nothrow) char[static_cast<size_t>(lengthA) + lengthB + 1];
    if (!result) {
        result = NewText("");
        return;
    }
    if (lengthA > 0)
        std::memcpy(result, a, static_cast<size_t>(lengthA));
    if (lengthB > 0)
        std::memcpy(result + lengthA, b, static_cast<size_t>(lengthB));
    result[lengthA + lengthB] = '\0';
}

void StrJoin(char*& result, std::initializer_list<const char*> parts)
{
    size_t total = 0;
    for (const char* part : parts)
        total += static_cast<size_t>(TextLength(part));
    result = new (std::nothrow) char[total + 1];
    if (!result) {
        result = NewText("");
        return;
    }
    char* end = result;
    for (const char* part : parts) {
        const int length = TextLength(part);
        if (length > 0)
            std::memcpy(end, part, static_cast<size_t>(length));
        end += length;
    }
    *end = '\0';
}

int StrFind(const char* text, const char* pattern)
{
    const int length = TextLength(text);
    const int patternLength = TextLength(pattern);
    if (patternLength == 0)
        return 0;
    for (int offset = 0; offset + patternLength <= length;) {
        if (std::memcmp(text + offset, pattern, static_cast<size_t>(patternLength)) == 0)
            return offset;
        offset += CharLength(length - offset, text + offset);
    }
    return -1;
}

void StrFormat(char*& slot, int size, const char* format, ...)
{
    // The slot's text goes only once the new one is made: it may be one of the arguments.
    if (size <= 0 || !format) {
        FreeText(slot);
        slot = NewText("");
        return;
    }
    char* buffer = new (std::nothrow) char[static_cast<size_t>(size)];
    if (!buffer) {
        FreeText(slot);
        slot = NewText("");
        return;
    }
    va_list args;
    va_start(args, format);
    // The system C library's formatter: the standard name would bring the
    // compiler runtime's own, with its floating-point printer, into the program.
    const int written = _vsnprintf(buffer, static_cast<size_t>(size), format, args);
    va_end(args);
    buffer[size - 1] = '\0';
    int length = static_cast<int>(std::strlen(buffer));
    if (written < 0 || written >= size) {
        // Cut off: drop a lead byte whose trail byte did not fit.
        int offset = 0;
        while (offset < length) {
            const int step = CharLength(length - offset, buffer + offset);
            if (step == 1 && offset == length - 1 && ByteClasses().Lead[Byte(buffer + offset)])
                break;
            offset += step;
        }
        length = offset;
    }
    FreeText(slot);
    slot = NewText(buffer, length);
    delete[] buffer;
}

int PtrArrayCount(void* const* array)
{
    int count = 0;
    if (array) {
        while (array[count])
            ++count;
    }
    return count;
}

void PtrArrayCopy(void** target, void* const* source)
{
    const int count = PtrArrayCount(source);
    for (int i = 0; i < count; ++i)
        target[i] = source[i];
    target[count] = nullptr;
}

TText::TText() : text_(NewText("")) {}

TText::TText(const char* source) : text_(NewText(source)) {}

TText::TText(TText&& other) noexcept : text_(other.text_)
{
    other.text_ = NewText("");
}

TText& TText::operator=(TText&& other) noexcept
{
    if (this != &other) {
        FreeText(text_);
        text_ = other.text_;
        other.text_ = NewText("");
    }
    return *this;
}

TText::~TText()
{
    FreeText(text_);
}

int TText::Length() const
{
    return text_ ? static_cast<int>(std::strlen(text_)) : 0;
}

void TText::Set(const char* source)
{
    SetText(text_, source);
}

TText::TSlot::~TSlot()
{
    FreeText(holder_.text_);
    holder_.text_ = made_;
}

char* TText::Release()
{
    char* text = text_ ? text_ : NewText("");
    text_ = NewText("");
    return text;
}
