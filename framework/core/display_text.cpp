#include "framework/core/display_text.h"

#include <cstring>

#include "framework/settings/app_globals.h"
#include "framework/settings/registry_values.h"
#include "framework/settings/settings_key.h"
#include "framework/util/taskbar.h"
#include "framework/util/text.h"
#include "framework/util/width_conversion.h"
#include "framework/util/windows_version.h"

namespace {

// Chosen on the first call and kept for the run.
TWidthConversion DisplayChoice = nullptr;
TWidthConversion ShellChoice = nullptr;

// Version 4.10 build 1997: later systems write katakana full width.
const unsigned long LastHalfWidthShell = 0x040A07CD;

void AppendPart(TText& result, const char* part)
{
    char* joined;
    StrConcat(joined, result.Get(), part);
    result.Set(joined);
    FreeText(joined);
}

}  // namespace

TWidthConversion DisplayConversion(int fontStyle, bool taskbarRebar)
{
    if (fontStyle == 1)
        return ToHalfWidth;
    if (fontStyle != 0)
        return ToFullWidth;
    return taskbarRebar ? ToFullWidth : ToHalfWidth;
}

TWidthConversion ShellConversion(unsigned long windowsVersion)
{
    return windowsVersion > LastHalfWidthShell ? ToFullWidth : ToHalfWidth;
}

void ConvertOutsideQuotes(char*& result, const char* text, TWidthConversion conversion)
{
    const int length = text ? static_cast<int>(std::strlen(text)) : 0;
    TText converted;
    int offset = 0;
    while (offset < length) {
        // The double quote is never a trail byte, so a byte search finds only quotes.
        const char* quote = static_cast<const char*>(std::memchr(text + offset, '"', length - offset));
        int partLength;
        if (quote == text + offset) {
            const char* closing = static_cast<const char*>(std::memchr(quote + 1, '"', length - offset - 1));
            partLength = closing ? static_cast<int>(closing - quote) + 1 : length - offset;
            char* part = NewText(text + offset, partLength);
            AppendPart(converted, part);
            FreeText(part);
        } else {
            partLength = quote ? static_cast<int>(quote - (text + offset)) : length - offset;
            char* part = NewText(text + offset, partLength);
            char* widened = conversion(part, WidthKana);
            AppendPart(converted, widened);
            FreeText(widened);
            FreeText(part);
        }
        offset += partLength;
    }
    result = converted.Release();
}

void DisplayText(char*& result, const char* text)
{
    if (!DisplayChoice)
        DisplayChoice = DisplayConversion(ReadFontStyle(), HasTaskbarRebar());
    ConvertOutsideQuotes(result, text, DisplayChoice);
}

void ShellText(char*& result, const char* text)
{
    if (!ShellChoice)
        ShellChoice = ShellConversion(WindowsVersion());
    ConvertOutsideQuotes(result, text, ShellChoice);
}

int ReadFontStyle()
{
    if (!AppGlobals.LibraryKey)
        return 0;
    TSettingsKey view(AppGlobals.LibraryKey, "View");
    TRegDwordValue value(&view.Chain(), "FontStyle");
    return static_cast<int>(value.Get(0));
}
