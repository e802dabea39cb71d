// Katakana width of shown texts and of texts handed to the shell; quoted parts
// are never converted.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/core/display_text.h"
#include "framework/util/taskbar.h"
#include "framework/util/text.h"
#include "framework/util/width_conversion.h"
#include "framework/util/windows_version.h"
#include "tests/util/guarded_text.h"

namespace {

std::string Convert(const char* text, TWidthConversion conversion)
{
    char* result;
    ConvertOutsideQuotes(result, text, conversion);
    std::string copy(result);
    FreeText(result);
    return copy;
}

}  // namespace

TEST(ConvertOutsideQuotes, QuotedPartsStayAsTheyAre)
{
    EXPECT_EQ("ヘルプ(&H)", Convert("ﾍﾙﾌﾟ(&H)", ToFullWidth));
    EXPECT_EQ("ヘルプ \"ﾍﾙﾌﾟ\" ファイル", Convert("ﾍﾙﾌﾟ \"ﾍﾙﾌﾟ\" ﾌｧｲﾙ", ToFullWidth));
    EXPECT_EQ("ﾍﾙﾌﾟ \"ヘルプ\" ﾌｧｲﾙ", Convert("ヘルプ \"ヘルプ\" ファイル", ToHalfWidth));
    // Two quoted parts back to back, and a quoted part at either end.
    EXPECT_EQ("\"ｱ\"\"ｲ\"ア\"ｳ\"", Convert("\"ｱ\"\"ｲ\"ｱ\"ｳ\"", ToFullWidth));
}

TEST(ConvertOutsideQuotes, UnmatchedQuoteKeepsTheRest)
{
    EXPECT_EQ("ア\"ｱ ｲ", Convert("ｱ\"ｱ ｲ", ToFullWidth));
    EXPECT_EQ("\"", Convert("\"", ToFullWidth));
    EXPECT_EQ("", Convert("", ToFullWidth));
}

TEST(ConvertOutsideQuotes, OnlyKatakanaChange)
{
    EXPECT_EQ("AB12 ア", Convert("AB12 ｱ", ToFullWidth));
    EXPECT_EQ("ＡＢ１２ ｱ", Convert("ＡＢ１２ ア", ToHalfWidth));
}

TEST(ConvertOutsideQuotes, PathsWithTrailBackslashes)
{
    // "C:\ソフト\"ﾌｧｲﾙ".txt: the 0x5C trail byte of ソ is neither a separator nor a quote.
    const TGuardedText text("C:\\\x83\x5C\x83\x74\x83\x67\\\"ﾌｧｲﾙ\".txt ｿ");
    ASSERT_TRUE(text.IsGuarded());
    EXPECT_EQ("C:\\\x83\x5C\x83\x74\x83\x67\\\"ﾌｧｲﾙ\".txt \x83\x5C", Convert(text.Get(), ToFullWidth));
    EXPECT_EQ("C:\\ｿﾌﾄ\\\"ﾌｧｲﾙ\".txt ｿ", Convert(text.Get(), ToHalfWidth));
}

TEST(DisplayConversion, FontStyleAndTaskbar)
{
    EXPECT_EQ(ToHalfWidth, DisplayConversion(1, true));
    EXPECT_EQ(ToHalfWidth, DisplayConversion(1, false));
    EXPECT_EQ(ToFullWidth, DisplayConversion(2, false));
    EXPECT_EQ(ToFullWidth, DisplayConversion(-1, false));
    EXPECT_EQ(ToFullWidth, DisplayConversion(0, true));
    EXPECT_EQ(ToHalfWidth, DisplayConversion(0, false));
}

TEST(ShellConversion, VersionRule)
{
    EXPECT_EQ(ToFullWidth, ShellConversion(PackWindowsVersion(4, 10, 1998)));
    EXPECT_EQ(ToHalfWidth, ShellConversion(PackWindowsVersion(4, 10, 1997)));
    EXPECT_EQ(ToHalfWidth, ShellConversion(PackWindowsVersion(4, 0, 950)));
    EXPECT_EQ(ToFullWidth, ShellConversion(PackWindowsVersion(10, 0, 19045)));
}

TEST(DisplayText, FollowsTheChoiceForThisRun)
{
    const bool full = DisplayConversion(ReadFontStyle(), HasTaskbarRebar()) == ToFullWidth;
    char* shown;
    DisplayText(shown, "ﾍﾙﾌﾟ \"ﾍﾙﾌﾟ\"");
    EXPECT_STREQ(full ? "ヘルプ \"ﾍﾙﾌﾟ\"" : "ﾍﾙﾌﾟ \"ﾍﾙﾌﾟ\"", shown);
    FreeText(shown);
}

TEST(ShellText, CurrentSystemWritesFullWidth)
{
    ASSERT_GT(WindowsVersion(), PackWindowsVersion(4, 10, 1997));
    char* text;
    ShellText(text, "ｷｰﾎﾞｰﾄﾞ \"ｷｰ\"");
    EXPECT_STREQ("キーボード \"ｷｰ\"", text);
    FreeText(text);
}
