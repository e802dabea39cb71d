// Texts in UTF-16, as the wide functions of the system take them, and the
// owned texts of the program's own code page, as the rest of the program
// holds them. The program's texts are Shift-JIS (code page 932) whatever the
// system's code page for non-Unicode programs is, so every text crosses into
// Windows through these, never through the ANSI functions.
//
// TWideText, TWideArgument, AnsiText and CopyNarrowText never throw: without
// memory a text is empty, as owned texts are (text.h). The std::wstring and
// std::string forms are for code that may throw.
#pragma once

#include <string>

// The code page of every text the program holds.
const unsigned TextCodePage = 932;

// The text in UTF-16; empty for a null text.
std::wstring WideText(const char* text);
// A new owned text in `result` (not freed first): the UTF-16 text in the program's
// code page, where a character the code page lacks becomes its default one.
void AnsiText(char*& result, const std::wstring& text);
// The same for `length` UTF-16 units (-1: up to the NUL), NULs inside kept out
// of the owned text's end as NewText keeps them.
void AnsiText(char*& result, const wchar_t* text, int length = -1);
// Copies the UTF-16 text (`length` units, -1: up to the NUL), in the program's
// code page, into a buffer of `size` bytes with its NUL, cut at a character
// boundary; returns the bytes copied.
int CopyNarrowText(char* buffer, int size, const wchar_t* text, int length = -1);
// The UTF-16 text as UTF-8 (an unpaired surrogate becomes U+FFFD).
std::string Utf8Text(const std::wstring& text);

// One of the program's texts in UTF-16, held for the wide call it is made for;
// never null (a null text, or one there was no memory for, is empty).
class TWideText {
public:
    explicit TWideText(const char* text);
    TWideText(const char* text, int bytes);  // the first `bytes` bytes (a NUL among them kept)
    TWideText(const TWideText&) = delete;
    TWideText& operator=(const TWideText&) = delete;
    ~TWideText();

    const wchar_t* Get() const { return text_ ? text_ : L""; }
    int Length() const { return length_; }  // in UTF-16 units, the NUL not counted

private:
    wchar_t* text_ = nullptr;
    int length_ = 0;
};

// A text argument of a wide function, made from one of the program's texts: a
// null text stays null and an integer name (MAKEINTRESOURCE, a class atom)
// passes through as it is, so it suits class, window, resource and value names.
class TWideArgument {
public:
    explicit TWideArgument(const char* text);
    TWideArgument(const TWideArgument&) = delete;
    TWideArgument& operator=(const TWideArgument&) = delete;
    const wchar_t* Get() const;

private:
    const char* original_;
    TWideText wide_;
};
