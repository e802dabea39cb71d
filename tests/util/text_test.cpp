// Owned texts and the operations on them, with double-byte text (code page 932)
// wherever a text is walked. Byte codes are written as hex escapes:
//   82 60 / 82 81   full-width capital A / small a
//   83 41           katakana A (its trail byte is 'A')
//   83 61           katakana small ya (its trail byte is 'a')
//   95 5C           a kanji whose trail byte is the backslash
//   82 A0           hiragana small a
#include "framework/util/text.h"

#include <malloc.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

// Takes an owned text out of a result slot, checks that its buffer is exactly
// its length plus the NUL, and frees it.
std::string Take(char*& text)
{
    EXPECT_NE(nullptr, text);
    if (!text)
        return "<null>";
    std::string value(text);
    EXPECT_EQ(value.size() + 1, _msize(text)) << "the buffer is not of exact size";
    FreeText(text);
    return value;
}

} // namespace

TEST(OwnedText, NewTextIsExactAndNeverNull)
{
    char* text = NewText("abc");
    EXPECT_EQ("abc", Take(text));
    EXPECT_EQ(nullptr, text); // FreeText clears the slot

    text = NewText(nullptr);
    EXPECT_EQ("", Take(text));

    text = NewText("abcdef", 3);
    EXPECT_EQ("abc", Take(text));
    // A count past the NUL stops at the NUL; a negative count gives the empty text.
    text = NewText("ab", 10);
    EXPECT_EQ("ab", Take(text));
    text = NewText("ab", -1);
    EXPECT_EQ("", Take(text));
}

TEST(OwnedText, NewTextTerminatesBytesWithoutNul)
{
    const char bytes[4] = {'w', 'x', 'y', 'z'}; // no NUL anywhere
    char* text = NewText(bytes, 4);
    EXPECT_EQ("wxyz", Take(text));
}

TEST(OwnedText, SetTextReplacesAndMaySetFromItself)
{
    char* slot = NewText("old");
    SetText(slot, "a longer new text");
    EXPECT_STREQ("a longer new text", slot);
    SetText(slot, slot);
    EXPECT_STREQ("a longer new text", slot);
    SetText(slot, nullptr);
    EXPECT_EQ("", Take(slot));
}

TEST(OwnedText, HolderOwnsMovesAndReleases)
{
    TText a;
    EXPECT_STREQ("", a.Get());
    a.Set("\x95\x5C" "x");
    EXPECT_EQ(3, a.Length());

    TText b(std::move(a));
    EXPECT_STREQ("\x95\x5C" "x", b.Get());
    EXPECT_STREQ("", a.Get()); // a moved-from holder keeps an empty text

    TText c("other");
    c = std::move(b);
    EXPECT_STREQ("\x95\x5C" "x", c.Get());

    char* released = c.Release();
    EXPECT_STREQ("", c.Get());
    EXPECT_EQ("\x95\x5C" "x", Take(released));

    // The slot serves the producers once its text is freed.
    TText d("abc");
    FreeText(d.Slot());
    StrRight(d.Slot(), "abcdef", 2);
    EXPECT_STREQ("ef", d.Get());
}

TEST(CharLength, PairsAndDoubleByteCharacters)
{
    EXPECT_EQ(2, CharLength(2, "\r\n"));
    EXPECT_EQ(2, CharLength(2, "\n\r"));
    EXPECT_EQ(1, CharLength(2, "\r\r"));
    EXPECT_EQ(1, CharLength(2, "\n\n"));
    EXPECT_EQ(2, CharLength(2, "\x82\xA0"));
    EXPECT_EQ(2, CharLength(2, "\x95\x5C"));
    EXPECT_EQ(1, CharLength(2, "ab"));
}

TEST(CharLength, LeadByteWithoutTrailIsACharacterOfItsOwn)
{
    // Only one byte left: one, even at a lead byte.
    EXPECT_EQ(1, CharLength(1, "\x82\xA0"));
    EXPECT_EQ(0, CharLength(0, "\x82\xA0"));
    // A lead byte followed by the NUL, by a line break or by a byte that is no
    // trail byte of code page 932.
    EXPECT_EQ(1, CharLength(2, "\x82"));
    EXPECT_EQ(1, CharLength(2, "\x82\r"));
    EXPECT_EQ(1, CharLength(2, "\x82\x3F"));
    EXPECT_EQ(1, CharLength(2, "\x82\xFD"));
    // A half-width katakana (A1..DF) is a single byte.
    EXPECT_EQ(1, CharLength(2, "\xB1\x82"));
}

TEST(CharClasses, OnlyTheLowEightBitsCount)
{
    EXPECT_TRUE(IsLineBreak('\r'));
    EXPECT_TRUE(IsLineBreak('\n'));
    EXPECT_TRUE(IsLineBreak(0x10D));
    EXPECT_FALSE(IsLineBreak('\t'));

    EXPECT_TRUE(IsDigitChar('0'));
    EXPECT_TRUE(IsDigitChar('9'));
    EXPECT_TRUE(IsDigitChar(0x330));
    EXPECT_FALSE(IsDigitChar('/'));
    EXPECT_FALSE(IsDigitChar(':'));

    EXPECT_TRUE(IsUpperChar('A'));
    EXPECT_TRUE(IsUpperChar('Z'));
    EXPECT_FALSE(IsUpperChar('@'));
    EXPECT_FALSE(IsUpperChar('['));
    EXPECT_FALSE(IsUpperChar('a'));
    EXPECT_TRUE(IsLowerChar('a'));
    EXPECT_TRUE(IsLowerChar('z'));
    EXPECT_FALSE(IsLowerChar('`'));
    EXPECT_FALSE(IsLowerChar('{'));
    EXPECT_TRUE(IsAlphaChar('q'));
    EXPECT_TRUE(IsAlphaChar('Q'));
    EXPECT_FALSE(IsAlphaChar('5'));
    // A signed char above 0x7F is no letter.
    EXPECT_FALSE(IsAlphaChar(static_cast<char>(0xC1)));
    EXPECT_FALSE(IsDigitChar(static_cast<char>(0xB0)));

    EXPECT_FALSE(IsNotTabOrBreak('\t'));
    EXPECT_FALSE(IsNotTabOrBreak('\r'));
    EXPECT_FALSE(IsNotTabOrBreak('\n'));
    EXPECT_FALSE(IsNotTabOrBreak(0x109));
    EXPECT_TRUE(IsNotTabOrBreak(' '));
    EXPECT_TRUE(IsNotTabOrBreak(0));
}

TEST(LineOperations, LengthSpanAndCount)
{
    EXPECT_EQ(3, LineLength(100, "abc\r\ndef"));
    EXPECT_EQ(5, LineSpan(100, "abc\r\ndef"));
    EXPECT_EQ(5, LineSpan(100, "abc\n\rdef"));
    EXPECT_EQ(4, LineSpan(100, "abc\r\rdef"));
    EXPECT_EQ(3, LineSpan(100, "abc"));
    // The limit bounds the look: a break beyond it does not count.
    EXPECT_EQ(2, LineLength(2, "abc\n"));
    EXPECT_EQ(3, LineSpan(3, "abc\n"));
    EXPECT_EQ(4, LineSpan(4, "abc\r\n")); // only the CR lies within the limit

    EXPECT_EQ(0, LineCount(100, ""));
    EXPECT_EQ(1, LineCount(100, "abc"));
    EXPECT_EQ(1, LineCount(100, "abc\r\n"));
    EXPECT_EQ(3, LineCount(100, "a\r\n\r\nb"));
    EXPECT_EQ(2, LineCount(100, "\r\r"));
    EXPECT_EQ(1, LineCount(100, "\n\r"));
    EXPECT_EQ(1, LineCount(3, "abc\r\ndef"));
    EXPECT_EQ(0, LineCount(0, "abc"));
}

TEST(LineOperations, DoubleByteCharactersAreStepped)
{
    EXPECT_EQ(5, LineLength(100, "a\x82\xA0\x95\x5C\r\n"));
    EXPECT_EQ(7, LineSpan(100, "a\x82\xA0\x95\x5C\r\n"));
    // A lead byte cut by the limit is a character of its own.
    EXPECT_EQ(2, LineLength(2, "a\x82\xA0"));
    // A lead byte right before the break: the break still ends the line.
    EXPECT_EQ(1, LineLength(100, "\x82\nx"));
    EXPECT_EQ(2, LineCount(100, "\x82\nx"));
    // A lead byte at the very end of the text.
    EXPECT_EQ(2, LineLength(100, "a\x82"));
    EXPECT_EQ(1, LineCount(100, "a\x82"));
}

TEST(TextOperations, LeftAndRight)
{
    char* result = nullptr;
    StrLeft(result, "abc", 5);
    EXPECT_EQ("abc", Take(result));
    StrLeft(result, "abc", 0);
    EXPECT_EQ("", Take(result));
    StrLeft(result, "abc", 2);
    EXPECT_EQ("ab", Take(result));
    StrLeft(result, "abc", -4);
    EXPECT_EQ("", Take(result));

    StrRight(result, "abcdef", 2);
    EXPECT_EQ("ef", Take(result));
    StrRight(result, "abc", 3);
    EXPECT_EQ("abc", Take(result));
    StrRight(result, "abc", 9);
    EXPECT_EQ("abc", Take(result));
    StrRight(result, "abc", 0);
    EXPECT_EQ("", Take(result));
    StrRight(result, "abc", -1);
    EXPECT_EQ("", Take(result));
    StrRight(result, "x\x82\xA0", 2);
    EXPECT_EQ("\x82\xA0", Take(result));
}

TEST(TextOperations, Trim)
{
    char* result = nullptr;
    StrTrim(result, " \t\r\n \n");
    EXPECT_EQ("", Take(result));
    StrTrim(result, "");
    EXPECT_EQ("", Take(result));
    StrTrim(result, "\r\n\x82\x60\x82\x61 \n");
    EXPECT_EQ("\x82\x60\x82\x61", Take(result));
    StrTrim(result, "  a b  ");
    EXPECT_EQ("a b", Take(result));
    // The full-width space is a character, not white space.
    StrTrim(result, " \x81\x40 ");
    EXPECT_EQ("\x81\x40", Take(result));
    // A lead byte at the very end survives as a character.
    StrTrim(result, "a\x82");
    EXPECT_EQ("a\x82", Take(result));
}

TEST(TextOperations, UpperAndLowerSkipTrailBytes)
{
    char* result = nullptr;
    StrUpper(result, "abz{`");
    EXPECT_EQ("ABZ{`", Take(result));
    // Full-width a and z become capitals; a trail byte in 'a'..'z' stays.
    StrUpper(result, "\x82\x81\x82\x9A\x82\x9B\x83\x61" "a");
    EXPECT_EQ("\x82\x60\x82\x79\x82\x9B\x83\x61" "A", Take(result));
    StrUpper(result, "a\x82");
    EXPECT_EQ("A\x82", Take(result));

    StrLower(result, "ABZ@[");
    EXPECT_EQ("abz@[", Take(result));
    StrLower(result, "\x82\x60\x82\x79\x82\x5F\x82\x7A\x83\x41" "A");
    EXPECT_EQ("\x82\x81\x82\x9A\x82\x5F\x82\x7A\x83\x41" "a", Take(result));
}

TEST(TextOperations, RepeatAndConcat)
{
    char* result = nullptr;
    StrRepeat(result, "ab", 3);
    EXPECT_EQ("ababab", Take(result));
    StrRepeat(result, "ab", 0);
    EXPECT_EQ("", Take(result));
    StrRepeat(result, "ab", -2);
    EXPECT_EQ("", Take(result));
    StrRepeat(result, "", 5);
    EXPECT_EQ("", Take(result));

    StrConcat(result, "abc", "\x95\x5C");
    EXPECT_EQ("abc\x95\x5C", Take(result));
    StrConcat(result, "", "");
    EXPECT_EQ("", Take(result));
    StrConcat(result, nullptr, "b");
    EXPECT_EQ("b", Take(result));
}

TEST(TextOperations, FindStartsOnCharacterBoundaries)
{
    EXPECT_EQ(2, StrFind("ab&c", "&"));
    EXPECT_EQ(0, StrFind("&&", "&"));
    EXPECT_EQ(-1, StrFind("abc", "d"));
    EXPECT_EQ(-1, StrFind("ab", "abc"));
    EXPECT_EQ(-1, StrFind("abc", "B"));
    // The trail bytes 'A' and '\' are not characters of their own.
    EXPECT_EQ(-1, StrFind("\x83\x41", "A"));
    EXPECT_EQ(2, StrFind("\x83\x41" "A", "A"));
    EXPECT_EQ(-1, StrFind("\x95\x5C", "\\"));
    EXPECT_EQ(4, StrFind("\x95\x5C\x82\xA0\\", "\\"));
    // A CR LF pair is one character: a pattern starting at its LF is not found.
    EXPECT_EQ(-1, StrFind("\r\nx", "\nx"));
    EXPECT_EQ(-1, StrFind("\x82\xA0\x82\xA0", "\xA0\x82"));
    EXPECT_EQ(1, StrFind("x\x82\xA0", "\x82\xA0"));
    EXPECT_EQ(0, StrFind("abc", ""));
}

TEST(TextOperations, FormatFreesTheSlotAndNeverOverruns)
{
    char* slot = NewText("previous");
    StrFormat(slot, 32, "%d-%s", 42, "\x95\x5C");
    EXPECT_EQ("42-\x95\x5C", Take(slot));

    // A result longer than the stated size is cut rather than written past it.
    slot = NewText("");
    StrFormat(slot, 4, "%s", "abcdef");
    EXPECT_EQ("abc", Take(slot));
    // Cut inside a double-byte character: the lone lead byte goes as well.
    slot = NewText("");
    StrFormat(slot, 4, "ab%s", "\x82\xA0");
    EXPECT_EQ("ab", Take(slot));

    slot = NewText("x");
    StrFormat(slot, 0, "%s", "abc");
    EXPECT_EQ("", Take(slot));
}

TEST(PointerArrays, CountAndCopyIncludeTheTerminator)
{
    int a = 1, b = 2, c = 3;
    void* source[] = {&a, &b, &c, nullptr};
    EXPECT_EQ(3, PtrArrayCount(source));
    void* empty[] = {nullptr};
    EXPECT_EQ(0, PtrArrayCount(empty));
    EXPECT_EQ(0, PtrArrayCount(nullptr));

    void** target = new void*[PtrArrayCount(source) + 1];
    target[3] = &a; // must be overwritten by the terminator
    PtrArrayCopy(target, source);
    EXPECT_EQ(&a, target[0]);
    EXPECT_EQ(&b, target[1]);
    EXPECT_EQ(&c, target[2]);
    EXPECT_EQ(nullptr, target[3]);
    delete[] target;
}
