// Texts in UTF-16, as the wide functions of the system take them, and the
// owned texts of the process's ANSI code page, as the rest of the program
// holds them.
#pragma once

#include <string>

// The text in UTF-16; empty for a null text.
std::wstring WideText(const char* text);
// A new owned text in `result` (not freed first): the UTF-16 text in the ANSI
// code page, where a character the code page lacks becomes its default one.
void AnsiText(char*& result, const std::wstring& text);
// The UTF-16 text as UTF-8 (an unpaired surrogate becomes U+FFFD).
std::string Utf8Text(const std::wstring& text);
