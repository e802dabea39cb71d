// The width of katakana in texts shown to the user and in texts handed to the shell.
//
// The framework's texts are written with half-width katakana. DisplayText widens
// them or keeps them narrow by the "FontStyle" setting (or, without one, by the
// taskbar's make-up); ShellText follows the system version, so that a text
// matches the system's own wording. Parts in double quotes (file names and the
// like) are never touched. Results are new owned texts in `result` (not freed first).
#pragma once

// A width conversion of the width-conversion helpers (ToFullWidth, ToHalfWidth).
using TWidthConversion = char* (*)(const char* text, int flags);

void DisplayText(char*& result, const char* text);
void ShellText(char*& result, const char* text);

// Converts the katakana of every part outside double quotes; a quoted part,
// quotes included, and the rest of the text after an unmatched quote are copied.
void ConvertOutsideQuotes(char*& result, const char* text, TWidthConversion conversion);

// The conversion DisplayText uses for a "FontStyle" value (0 when the setting
// is missing) on a taskbar with or without a rebar.
TWidthConversion DisplayConversion(int fontStyle, bool taskbarRebar);
// The conversion ShellText uses on a system of the packed WindowsVersion.
TWidthConversion ShellConversion(unsigned long windowsVersion);
// "FontStyle" under the framework key's "View"; 0 when it is missing.
int ReadFontStyle();
