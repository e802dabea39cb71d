// Texts in UTF-16, as the wide functions of the system take them, and the
// owned texts of the program's own code page, as the rest of the program
// holds them. The program's texts are Shift-JIS (code page 932) whatever the
// system's code page for non-Unicode programs is, so every text crosses into
// Windows through these, never through the ANSI functions.
#pragma once

#include <string>

// The code page of every text the program holds.
const unsigned TextCodePage = 932;

// The text in UTF-16; empty for a null text.
std::wstring WideText(const char* text);
// A new owned text in `result` (not freed first): the UTF-16 text in the program's
// code page, where a character the code page lacks becomes its default one.
void AnsiText(char*& result, const std::wstring& text);
// The UTF-16 text as UTF-8 (an unpaired surrogate becomes U+FFFD).
std::string Utf8Text(const std::wstring& text);
