// Half-width and full-width forms of Shift-JIS text.
//
// Code page 932 writes the same letter, digit, symbol or katakana either as one
// byte (half width) or as a double-byte character (full width). The user
// interface texts are written with half-width katakana and widened for display;
// the date formatter writes full-width digits. Both conversions are limited to
// the character classes selected in `flags` and return a new owned text.
#pragma once

enum : int {
    WidthDigits = 0x01,  // '0'..'9' and their full-width forms
    WidthUpper = 0x02,   // 'A'..'Z'
    WidthLower = 0x04,   // 'a'..'z'
    WidthKana = 0x08,    // katakana, kana punctuation, sound marks and voiced combinations
    WidthSymbols = 0x10, // the space and the ASCII symbols
};

// Half-width characters of the selected classes become full width; a
// half-width U followed by the voiced sound mark always becomes full-width VU.
char* ToFullWidth(const char* text, int flags);

// Full-width characters of the selected classes become half width; the voiced
// and semi-voiced katakana become their base followed by the sound mark.
char* ToHalfWidth(const char* text, int flags);
