// Owned texts and the operations on them, with double-byte text (code page 932)
// wherever a text is walked. Byte codes are written as hex escapes:
//   82 60 / 82 81   full-width capital A / small a
//   83 41 / 83 61   katakana whose trail byte is 'A' / 'a'
//   95 5C           a kanji whose trail byte is the backslash
//   82 A0           hiragana small a
#include "framework/util/text.h"

#include "framework/core/display_text.h"

#include <malloc.h>

#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <string>

#include <gtest/gtest.h>

// Array allocations of this test program are counted, so that a text that is
// never freed shows up as one that stays alive, and a freed array is written
// over, so that a text read after it was freed shows up as wrong bytes.
namespace {
std::atomic<long> liveArrays{0};
}

void* operator new[](size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    ++liveArrays;
    return block;
}

void* operator new[](size_t size, const std::nothrow_t&) noexcept
{
    void* block = std::malloc(size ? size : 1);
    if (block)
        ++liveArrays;
    return block;
}

void operator delete[](void* block) noexcept
{
    if (block) {
        --liveArrays;
        const size_t size = _msize(block);
        std::memset(block, '?', size);
        static_cast<char*>(block)[size - 1] = '\0';
    }
    std::free(block);
}

void operator delete[](void* block, size_t) noexcept
{
    operator delete[](block);
}

namespace {

// Takes an owned text out of a result slot, checks that its buffer is exactly
// its length plus the NUL, and frees it.
std::string Take(char*& text)
{
    if (!text)
        return "<null>";
    std::string value(text);
    EXPECT_EQ(value.size() + 1, _msize(text)) << "the buffer is not of exact size";
    FreeText(text);
    return value;
}

template <class Operation, class... Args>
std::string Produce(Operation operation, Args... args)
{
    char* result = nullptr;
    operation(result, args...);
    return Take(result);
}

} // namespace

TEST(OwnedText, CopiesAreExactTerminatedAndNeverNull)
{
    char* text = NewText("abc");
    EXPECT_EQ("abc", Take(text));
    EXPECT_EQ(nullptr, text); // FreeText clears the slot
    text = NewText(nullptr);
    EXPECT_EQ("", Take(text));
    const char bytes[4] = {'w', 'x', 'y', 'z'}; // no NUL anywhere
    text = NewText(bytes, 4);
    EXPECT_EQ("wxyz", Take(text));
    text = NewText("ab", 10); // stops at the NUL
    EXPECT_EQ("ab", Take(text));
    text = NewText("ab", -1);
    EXPECT_EQ("", Take(text));

    char* slot = NewText("old");
    SetText(slot, slot); // a slot may be set from itself
    EXPECT_STREQ("old", slot);
    SetText(slot, "new");
    EXPECT_EQ("new", Take(slot));
}

TEST(OwnedText, HolderMovesAndReleases)
{
    TText a("\x95\x5C" "x");
    TText b(std::move(a));
    EXPECT_STREQ("", a.Get()); // a moved-from holder keeps an empty text
    EXPECT_EQ(3, b.Length());
    char* released = b.Release();
    EXPECT_STREQ("", b.Get());
    EXPECT_EQ("\x95\x5C" "x", Take(released));
    // The slot hands the holder's text over to a producer and frees the old one.
    const long live = liveArrays;
    for (int i = 0; i < 100; ++i)
        StrRight(b.Slot(), "abcdef", 2);
    EXPECT_STREQ("ef", b.Get());
    EXPECT_EQ(live, liveArrays.load()) << "a text replaced through the slot was not freed";
}

TEST(OwnedText, SetFromItsOwnText)
{
    const struct {
        const char* how;
        std::function<void(TText&)> set;
        const char* expected;
    } rows[] = {
        {"Set", [](TText& t) { t.Set(t.Get()); }, " \x95\x5C" "ab "},
        {"Set from a part of it", [](TText& t) { t.Set(t.Get() + 3); }, "ab "},
        {"StrTrim", [](TText& t) { StrTrim(t.Slot(), t.Get()); }, "\x95\x5C" "ab"},
        {"StrConcat", [](TText& t) { StrConcat(t.Slot(), t.Get(), t.Get() + 4); }, " \x95\x5C" "ab b "},
        {"StrFormat", [](TText& t) { StrFormat(t.Slot(), 32, "[%s]", t.Get()); }, "[ \x95\x5C" "ab ]"},
        {"DisplayText", [](TText& t) { DisplayText(t.Slot(), t.Get()); }, " \x95\x5C" "ab "},
        {"a producer that stores", [](TText& t) { t.Slot() = NewText(t.Get(), 1); }, " "},
        {"StrFormat into a bare slot", [](TText& t) {
             char* slot = t.Release();
             StrFormat(slot, 32, "<%s>", slot);
             t.Set(slot);
             FreeText(slot);
         }, "< \x95\x5C" "ab >"},
    };
    for (const auto& row : rows) {
        const long live = liveArrays;
        {
            TText text(" \x95\x5C" "ab ");
            row.set(text);
            EXPECT_STREQ(row.expected, text.Get()) << row.how;
        }
        EXPECT_EQ(live, liveArrays.load()) << row.how << " left a text behind";
    }
}

TEST(CharLength, PairsDoubleByteCharactersAndLoneLeadBytes)
{
    EXPECT_EQ(2, CharLength(2, "\r\n"));
    EXPECT_EQ(2, CharLength(2, "\n\r"));
    EXPECT_EQ(1, CharLength(2, "\r\r"));
    EXPECT_EQ(2, CharLength(2, "\x82\xA0"));
    EXPECT_EQ(2, CharLength(2, "\x95\x5C"));
    EXPECT_EQ(1, CharLength(2, "ab"));
    // A lead byte with one byte left, before the NUL, a line break or a byte
    // that is no trail byte of 932 is a character of its own.
    EXPECT_EQ(1, CharLength(1, "\x82\xA0"));
    EXPECT_EQ(0, CharLength(0, "\x82\xA0"));
    EXPECT_EQ(1, CharLength(2, "\x82"));
    EXPECT_EQ(1, CharLength(2, "\x82\r"));
    EXPECT_EQ(1, CharLength(2, "\x82\x3F"));
    EXPECT_EQ(1, CharLength(2, "\x82\xFD"));
    EXPECT_EQ(1, CharLength(2, "\xB1\x82")); // half-width katakana is one byte
}

TEST(CharClasses, OnlyTheLowEightBitsCount)
{
    struct {
        bool (*test)(int);
        const char* yes;
        const char* no;
    } const cases[] = {
        {IsLineBreak, "\r\n", "\t a"},        {IsDigitChar, "0159", "/:a\xB0"},
        {IsUpperChar, "AMZ", "@[a\xC1"},      {IsLowerChar, "amz", "`{A\xE1"},
        {IsAlphaChar, "AzqQ", "5@\xC1"},      {IsNotTabOrBreak, " a\x82", "\t\r\n"},
    };
    for (const auto& c : cases) {
        for (const char* p = c.yes; *p; ++p) {
            EXPECT_TRUE(c.test(*p)) << int(*p);
            EXPECT_TRUE(c.test(0x100 | static_cast<unsigned char>(*p))) << int(*p);
        }
        for (const char* p = c.no; *p; ++p)
            EXPECT_FALSE(c.test(*p)) << int(*p);
    }
    EXPECT_TRUE(IsNotTabOrBreak(0));
}

TEST(LineOperations, LengthSpanAndCount)
{
    EXPECT_EQ(3, LineLength(100, "abc\r\ndef"));
    EXPECT_EQ(5, LineSpan(100, "abc\r\ndef"));
    EXPECT_EQ(5, LineSpan(100, "abc\n\rdef"));
    EXPECT_EQ(4, LineSpan(100, "abc\r\rdef"));
    EXPECT_EQ(3, LineSpan(100, "abc"));
    EXPECT_EQ(2, LineLength(2, "abc\n")); // the limit bounds the look
    EXPECT_EQ(4, LineSpan(4, "abc\r\n")); // only the CR lies within it

    EXPECT_EQ(0, LineCount(100, ""));
    EXPECT_EQ(1, LineCount(100, "abc"));
    EXPECT_EQ(1, LineCount(100, "abc\r\n"));
    EXPECT_EQ(3, LineCount(100, "a\r\n\r\nb"));
    EXPECT_EQ(2, LineCount(100, "\r\r"));
    EXPECT_EQ(1, LineCount(100, "\n\r"));
    EXPECT_EQ(1, LineCount(3, "abc\r\ndef"));
    EXPECT_EQ(0, LineCount(0, "abc"));

    // Double-byte characters are stepped over; a lead byte cut by the limit,
    // before a break or at the end of the text is a character of its own.
    EXPECT_EQ(7, LineSpan(100, "a\x82\xA0\x95\x5C\r\n"));
    EXPECT_EQ(2, LineLength(2, "a\x82\xA0"));
    EXPECT_EQ(2, LineCount(100, "\x82\nx"));
    EXPECT_EQ(2, LineLength(100, "a\x82"));
}

TEST(TextOperations, LeftRightRepeatConcat)
{
    EXPECT_EQ("abc", Produce(StrLeft, "abc", 5));
    EXPECT_EQ("", Produce(StrLeft, "abc", 0));
    EXPECT_EQ("ab", Produce(StrLeft, "abc", 2));
    EXPECT_EQ("", Produce(StrLeft, "abc", -4));
    EXPECT_EQ("ef", Produce(StrRight, "abcdef", 2));
    EXPECT_EQ("abc", Produce(StrRight, "abc", 3));
    EXPECT_EQ("abc", Produce(StrRight, "abc", 9));
    EXPECT_EQ("", Produce(StrRight, "abc", -1));
    EXPECT_EQ("\x82\xA0", Produce(StrRight, "x\x82\xA0", 2));

    EXPECT_EQ("ababab", Produce(StrRepeat, "ab", 3));
    EXPECT_EQ("", Produce(StrRepeat, "ab", 0));
    EXPECT_EQ("", Produce(StrRepeat, "ab", -2));
    EXPECT_EQ("", Produce(StrRepeat, "", 5));
    // A length that does not fit an int is refused; on a 32-bit build the byte
    // count would wrap and the copy run far past a small buffer.
    const std::string block(65536, 'x');
    EXPECT_EQ("", Produce(StrRepeat, block.c_str(), 65537));
    EXPECT_EQ("", Produce(StrRepeat, "ab", INT_MAX));
    EXPECT_EQ(std::string(3000000, 'x'), Produce(StrRepeat, block.c_str() + 65536 - 3, 1000000));
    EXPECT_EQ("abc\x95\x5C", Produce(StrConcat, "abc", "\x95\x5C"));
    EXPECT_EQ("", Produce(StrConcat, "", ""));
}

TEST(TextOperations, TrimUpperLowerStepByCharacter)
{
    EXPECT_EQ("", Produce(StrTrim, " \t\r\n \n"));
    EXPECT_EQ("", Produce(StrTrim, ""));
    EXPECT_EQ("\x82\x60\x82\x61", Produce(StrTrim, "\r\n\x82\x60\x82\x61 \n"));
    EXPECT_EQ("a b", Produce(StrTrim, "  a b  "));
    EXPECT_EQ("\x81\x40", Produce(StrTrim, " \x81\x40 ")); // the full-width space stays
    EXPECT_EQ("a\x82", Produce(StrTrim, "a\x82"));

    // Full-width a and z become capitals; trail bytes in 'a'..'z' stay.
    EXPECT_EQ("ABZ{`", Produce(StrUpper, "abz{`"));
    EXPECT_EQ("\x82\x60\x82\x79\x82\x9B\x83\x61" "A", Produce(StrUpper, "\x82\x81\x82\x9A\x82\x9B\x83\x61" "a"));
    EXPECT_EQ("A\x82", Produce(StrUpper, "a\x82"));
    EXPECT_EQ("abz@[", Produce(StrLower, "ABZ@["));
    EXPECT_EQ("\x82\x81\x82\x9A\x82\x5F\x82\x7A\x83\x41" "a",
              Produce(StrLower, "\x82\x60\x82\x79\x82\x5F\x82\x7A\x83\x41" "A"));
}

TEST(TextOperations, FindStartsOnCharacterBoundaries)
{
    EXPECT_EQ(2, StrFind("ab&c", "&"));
    EXPECT_EQ(0, StrFind("&&", "&"));
    EXPECT_EQ(-1, StrFind("abc", "B"));
    EXPECT_EQ(-1, StrFind("ab", "abc"));
    EXPECT_EQ(0, StrFind("abc", ""));
    EXPECT_EQ(-1, StrFind("\x83\x41", "A"));
    EXPECT_EQ(2, StrFind("\x83\x41" "A", "A"));
    EXPECT_EQ(-1, StrFind("\x95\x5C", "\\"));
    EXPECT_EQ(4, StrFind("\x95\x5C\x82\xA0\\", "\\"));
    EXPECT_EQ(-1, StrFind("\x82\xA0\x82\xA0", "\xA0\x82"));
    EXPECT_EQ(-1, StrFind("\r\nx", "\nx")); // CR LF is one character
}

TEST(TextOperations, FormatFreesTheSlotAndNeverOverruns)
{
    char* slot = NewText("previous");
    StrFormat(slot, 32, "%d-%s", 42, "\x95\x5C");
    EXPECT_EQ("42-\x95\x5C", Take(slot));
    // A result longer than the stated size is cut rather than written past it,
    // and a lead byte whose trail byte was cut off goes as well.
    slot = NewText("");
    StrFormat(slot, 4, "%s", "abcdef");
    EXPECT_EQ("abc", Take(slot));
    slot = NewText("");
    StrFormat(slot, 4, "ab%s", "\x82\xA0");
    EXPECT_EQ("ab", Take(slot));
    slot = NewText("x");
    StrFormat(slot, 0, "%s", "abc");
    EXPECT_EQ("", Take(slot));
}

TEST(PointerArrays, CountAndCopyIncludeTheTerminator)
{
    int a = 1, b = 2;
    void* source[] = {&a, &b, nullptr};
    EXPECT_EQ(2, PtrArrayCount(source));
    EXPECT_EQ(0, PtrArrayCount(source + 2));
    EXPECT_EQ(0, PtrArrayCount(nullptr));
    void* target[3] = {nullptr, nullptr, &a}; // the last entry must become null
    PtrArrayCopy(target, source);
    EXPECT_EQ(&a, target[0]);
    EXPECT_EQ(&b, target[1]);
    EXPECT_EQ(nullptr, target[2]);
}
