// Every test assumes the system that the program is written for: the ANSI code
// page is 932 (Shift-JIS), so lead and trail bytes follow that code page.
#include <windows.h>

#include <gtest/gtest.h>

TEST(Platform, AnsiCodePageIsShiftJis)
{
    EXPECT_EQ(932u, GetACP());
    // 0x82 0xA0 is HIRAGANA LETTER SMALL A in 932; 0x5C is a valid trail byte.
    EXPECT_TRUE(IsDBCSLeadByte(0x82));
    EXPECT_TRUE(IsDBCSLeadByte(0x95));
    EXPECT_FALSE(IsDBCSLeadByte('A'));
    EXPECT_FALSE(IsDBCSLeadByte(0xA0));
}

TEST(Platform, LiteralsAreShiftJis)
{
    // "ア" (full-width katakana A) is 0x83 0x41 in Shift-JIS.
    const char* text = "ア";
    ASSERT_EQ(2u, strlen(text));
    EXPECT_EQ(0x83, static_cast<unsigned char>(text[0]));
    EXPECT_EQ(0x41, static_cast<unsigned char>(text[1]));
}
