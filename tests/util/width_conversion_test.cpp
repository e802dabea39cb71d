// The literals in this file are Shift-JIS (the sources are compiled to code page
// 932), so the expected texts come from the compiler's own conversion and not
// from the converter's tables.
#include "framework/util/width_conversion.h"

#include "framework/util/text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const int AllClasses = WidthDigits | WidthUpper | WidthLower | WidthKana | WidthSymbols;

std::string Full(const char* text, int flags)
{
    char* result = ToFullWidth(text, flags);
    std::string copy(result);
    FreeText(result);
    return copy;
}

std::string Half(const char* text, int flags)
{
    char* result = ToHalfWidth(text, flags);
    std::string copy(result);
    FreeText(result);
    return copy;
}

// Each class's characters in both forms, written as literals.
const struct {
    const char* half;
    const char* full;
    int flag;
} ClassTexts[] = {
    {"0123456789", "０１２３４５６７８９", WidthDigits},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ", WidthUpper},
    {"abcdefghijklmnopqrstuvwxyz", "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ", WidthLower},
    // Every ASCII symbol but the grave accent, then the corner brackets.
    {" !\"#$%&'()*+,-./:;<=>?@[\\]^_{|}~｢｣",
     "　！\x81\x68＃＄％＆\x81\x66（）＊＋，\x81\x7C．／：；＜＝＞？＠［\x81\x8F］＾＿｛\x81\x62｝"
     "\x81\x60「」",
     WidthSymbols},
    {"､｡･ﾞﾟｰ", "、。・゛゜ー", WidthKana},
    {"ｧｱｨｲｩｳｪｴｫｵｶｷｸｹｺｻｼｽｾｿﾀﾁｯﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓｬﾔｭﾕｮﾖﾗﾘﾙﾚﾛﾜｦﾝ",
     "ァアィイゥウェエォオカキクケコサシスセソタチッツテトナニヌネノハヒフヘホマミムメモャヤュユョヨラリルレロワヲン",
     WidthKana},
    {"ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ",
     "ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポ", WidthKana},
};

TEST(WidthConversion, EveryClassConvertsBothWaysUnderItsOwnFlagOnly)
{
    for (const auto& c : ClassTexts) {
        SCOPED_TRACE(c.full);
        EXPECT_EQ(c.full, Full(c.half, c.flag));
        EXPECT_EQ(c.half, Half(c.full, c.flag));
        EXPECT_EQ(c.full, Full(c.half, AllClasses));
        EXPECT_EQ(c.half, Half(c.full, AllClasses));
        EXPECT_EQ(c.half, Full(c.half, AllClasses & ~c.flag));
        EXPECT_EQ(c.full, Half(c.full, AllClasses & ~c.flag));
    }
    // U with the sound mark widens under any flags, and narrows as kana.
    EXPECT_EQ("ヴ", Full("ｳﾞ", 0));
    EXPECT_EQ("ｳﾞ", Half("ヴ", WidthKana));
    EXPECT_EQ("ヴ", Half("ヴ", AllClasses & ~WidthKana));
}

TEST(WidthConversion, OneWayCodes)
{
    // The grave accent widens to the opening single quote, which never narrows.
    EXPECT_EQ("\x81\x65", Full("`", WidthSymbols));
    EXPECT_EQ("‘", Half("‘", AllClasses));
    // The old WI and WE narrow to I and E, which widen to I and E.
    EXPECT_EQ("ｲｴ", Half("ヰヱ", WidthKana));
    EXPECT_EQ("ヰヱ", Half("ヰヱ", AllClasses & ~WidthKana));
    EXPECT_EQ("イエ", Full(Half("ヰヱ", WidthKana).c_str(), WidthKana));
    // Katakana without a half-width form stay as they are.
    EXPECT_EQ("ヮヵヶ", Half("ヮヵヶ", AllClasses));
}

TEST(WidthConversion, HelpCaptionAndSoundMarks)
{
    EXPECT_EQ("ヘルプ(&H)", Full("ﾍﾙﾌﾟ(&H)", WidthKana));
    EXPECT_EQ("ヘルプ（＆Ｈ）", Full("ﾍﾙﾌﾟ(&H)", WidthKana | WidthSymbols | WidthUpper));
    EXPECT_EQ("ヘルプ（＆H）", Full("ﾍﾙﾌﾟ(&H)", WidthKana | WidthSymbols));
    // With no class at all only U with the sound mark changes.
    EXPECT_EQ("ヴｶﾞ", Full("ｳﾞｶﾞ", 0));
    // A sound mark after a katakana without a voiced form widens on its own.
    EXPECT_EQ("ナ゛", Full("ﾅﾞ", WidthKana));
    EXPECT_EQ("ア゜", Full("ｱﾟ", WidthKana));
    // ｶﾟ has no semi-voiced form either.
    EXPECT_EQ("カ゜", Full("ｶﾟ", WidthKana));
    EXPECT_EQ("ｶﾞ", Half("ガ", WidthKana));
    EXPECT_EQ(2u, Half("ガ", WidthKana).size());
    EXPECT_EQ("ｲ", Half("ヰ", WidthKana));
    // A base at the end of the text, and a sound mark on its own.
    EXPECT_EQ("ハ", Full("ﾊ", WidthKana));
    EXPECT_EQ("゜", Full("ﾟ", WidthKana));
    EXPECT_EQ("゛ア", Full("ﾞｱ", WidthKana));
}

TEST(WidthConversion, DoubleByteTextIsLeftAlone)
{
    // Trail bytes that look like ASCII letters, symbols or the space are never
    // converted: the whole character is copied.
    EXPECT_EQ("表示ソ", Full("表示ソ", AllClasses)); // 表 and ソ end in 0x5C
    EXPECT_EQ("漢字かな", Full("漢字かな", AllClasses));
    EXPECT_EQ("漢字かな", Half("漢字かな", AllClasses));
    EXPECT_EQ("\r\n\t", Full("\r\n\t", AllClasses));
    EXPECT_EQ("\r\n\t", Half("\r\n\t", AllClasses));
}

TEST(WidthConversion, BrokenAndEmptyInput)
{
    EXPECT_EQ("", Full("", AllClasses));
    EXPECT_EQ("", Half("", AllClasses));
    EXPECT_EQ("", Full(nullptr, AllClasses));
    EXPECT_EQ("", Half(nullptr, AllClasses));
    // A lead byte at the very end is copied alone, not with the NUL after it.
    EXPECT_EQ("Ａ\x82", Full("A\x82", AllClasses));
    EXPECT_EQ("A\x82", Half("Ａ\x82", AllClasses));
    // A lead byte followed by a byte that is no trail byte.
    EXPECT_EQ("\x82" "A", Half("\x82" "A", AllClasses));
}

// Every single byte, alone and before each sound mark, under every combination
// of classes: narrowing the widened text gives back the original, except for
// the grave accent, whose full-width form is one way.
TEST(WidthRoundTrip, EveryHalfWidthByte)
{
    int checked = 0;
    for (int flags = 0; flags <= AllClasses; ++flags) {
        for (int b = 1; b <= 0xFF; ++b) {
            if (IsDBCSLeadByte(static_cast<BYTE>(b)))
                continue; // a lead byte alone is no character
            for (const char* suffix : {"", "ﾞ", "ﾟ", "x"}) {
                std::string text(1, static_cast<char>(b));
                text += suffix;
                const std::string widened = Full(text.c_str(), flags);
                const std::string back = Half(widened.c_str(), flags);
                const bool oneWay = b == '`' && (flags & WidthSymbols);
                // U with the sound mark widens always but narrows only as kana.
                const bool vuStays = b == 0xB3 && std::string(suffix) == "ﾞ" &&
                                     !(flags & WidthKana);
                if (oneWay) {
                    EXPECT_EQ(std::string("\x81\x65") + Full(suffix, flags), widened);
                } else if (vuStays) {
                    EXPECT_EQ("ヴ", widened);
                    EXPECT_EQ("ヴ", back);
                } else {
                    EXPECT_EQ(text, back) << "byte " << b << " flags " << flags;
                }
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 20000);
}

// Every double-byte code of the code page: widening never changes it, and
// widening what it narrows to gives it back, except for WI and WE.
TEST(WidthRoundTrip, EveryFullWidthCode)
{
    int converted = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsDBCSLeadByte(static_cast<BYTE>(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            const char text[] = {static_cast<char>(lead), static_cast<char>(trail), 0};
            const int code = lead << 8 | trail;
            for (int flags : {0, int(WidthDigits), int(WidthUpper), int(WidthLower),
                              int(WidthKana), int(WidthSymbols), AllClasses}) {
                ASSERT_EQ(text, Full(text, flags)) << std::hex << code;
                const std::string narrowed = Half(text, flags);
                if (narrowed != text)
                    ++converted;
                if ((code == 0x8390 || code == 0x8391) && (flags & WidthKana)) {
                    EXPECT_EQ(code == 0x8390 ? "イ" : "エ", Full(narrowed.c_str(), flags));
                    continue;
                }
                EXPECT_EQ(text, Full(narrowed.c_str(), flags)) << std::hex << code;
            }
        }
    }
    // 10 + 26 + 26 digits and letters, 34 symbols, 6 + 55 + 2 kana, 26 voiced:
    // 185 codes under their own class and again with every class.
    EXPECT_EQ(2 * 185, converted);
}

} // namespace
