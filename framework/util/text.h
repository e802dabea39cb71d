// Owned texts: the one way the framework holds text.
//
// An owned text is a char buffer allocated with new[] holding exactly the
// text's bytes plus its NUL, with one owner and never null (the empty text is a
// one-byte buffer). Texts are Shift-JIS (code page 932) whatever the system's
// code page is; lengths and positions count bytes, and every walk over a text
// steps by CharLength so that a trail byte is never taken for a character.
//
// Operations that produce a text write a new owned text into the caller's
// result slot without freeing what the slot held (the slot is taken as
// uninitialised); StrFormat and SetText are the exceptions and replace it,
// freeing the old text only once the new one is made, so that the old text
// may be their source.
// Where there is no memory for a text, the result is the empty text, one
// shared buffer that FreeText leaves alone: owned texts are freed with
// FreeText (or by their holder), never with delete[].
#pragma once

#include <cstddef>
#include <initializer_list>

// Allocation and assignment.
char* NewText(const char* source);            // exact-size copy; a null source gives the empty text
char* NewText(const char* source, int bytes); // at most the first `bytes` bytes (up to a NUL) + NUL
void FreeText(char*& text);                   // delete[] and set the slot to null
void SetText(char*& slot, const char* source); // frees what the slot holds, stores an exact copy

// Whether the byte (low 8 bits) leads a double-byte character of Shift-JIS.
bool IsLeadByte(int c);

// Bytes that the character at `p` occupies, `remaining` being the bytes left in
// the text: a double-byte character of Shift-JIS and a CR LF or LF CR
// pair count as one character of two bytes; a lead byte with nothing valid after
// it is a character of its own.
int CharLength(int remaining, const char* p);

// Classifiers of one byte given as an integer; only the low 8 bits count.
bool IsLineBreak(int c);
bool IsDigitChar(int c);
bool IsUpperChar(int c);
bool IsLowerChar(int c);
bool IsAlphaChar(int c);
bool IsNotTabOrBreak(int c);

// Line operations over at most `limit` bytes of a NUL-terminated text.
int LineLength(int limit, const char* text); // bytes before the first CR, LF or NUL
int LineSpan(int limit, const char* text);   // LineLength plus the line break that ends the line
int LineCount(int limit, const char* text);  // lines in the first `limit` bytes

// Text operations; each writes a new owned text into `result` (not freed first).
void StrLeft(char*& result, const char* source, int n);
void StrRight(char*& result, const char* source, int n);
void StrTrim(char*& result, const char* source);
void StrUpper(char*& result, const char* source);
void StrLower(char*& result, const char* source);
void StrRepeat(char*& result, const char* source, int count);
void StrConcat(char*& result, const char* a, const char* b);
// The parts one after the other (a null part counts as empty).
void StrJoin(char*& result, std::initializer_list<const char*> parts);
int StrFind(const char* text, const char* pattern); // byte position, -1 when none

// Replaces what the slot holds (which may be an argument) with the
// printf-formatted text. `size` is the most bytes the result may take with its
// NUL; a longer result is cut at a character boundary rather than written past
// the buffer. The formatter is the system C library's, so the compiler checks
// the format against what that library knows (no %zu, for one).
void StrFormat(char*& slot, int size, const char* format, ...)
    __attribute__((format(ms_printf, 3, 4)));

// Null-terminated pointer arrays (element lists and the like).
int PtrArrayCount(void* const* array);
// Copies PtrArrayCount(source) + 1 entries, the terminator included, into a
// target the caller allocated with that many entries.
void PtrArrayCopy(void** target, void* const* source);

// Move-only holder of one owned text; never null.
class TText {
public:
    TText();
    explicit TText(const char* source);
    TText(TText&& other) noexcept;
    TText& operator=(TText&& other) noexcept;
    TText(const TText&) = delete;
    TText& operator=(const TText&) = delete;
    ~TText();

    const char* Get() const { return text_ ? text_ : ""; }
    int Length() const;
    // Safe for a source inside the held text: the copy is made first.
    void Set(const char* source);

    // A result slot for one producer: StrTrim(holder.Slot(), source). It
    // stands for the char* the producer fills (and gives its address to one
    // that takes a char**). The held text stays until the statement ends and
    // is then replaced by what was produced, so the source may be the
    // holder's own text: StrTrim(holder.Slot(), holder.Get()).
    class TSlot {
    public:
        explicit TSlot(TText& holder) : holder_(holder) {}
        TSlot(const TSlot&) = delete;
        TSlot& operator=(const TSlot&) = delete;
        ~TSlot();

        operator char*&() { return made_; }
        char** operator&() { return &made_; }
        TSlot& operator=(char* made)
        {
            made_ = made;
            return *this;
        }

    private:
        TText& holder_;
        char* made_ = nullptr;
    };
    TSlot Slot() { return TSlot(*this); }
    // Hands the buffer over to the caller and keeps a new empty text.
    char* Release();

private:
    char* text_;
};
