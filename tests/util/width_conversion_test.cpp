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

struct TPairCase {
    const char* half;
    const char* full;
    int flag;
};

// Every two-way pair of every class, written as literals.
const TPairCase TwoWayPairs[] = {
    {"0", "０", WidthDigits}, {"9", "９", WidthDigits}, {"A", "Ａ", WidthUpper},
    {"Z", "Ｚ", WidthUpper}, {"a", "ａ", WidthLower}, {"z", "ｚ", WidthLower},
    {" ", "　", WidthSymbols}, {",", "，", WidthSymbols}, {".", "．", WidthSymbols},
    {":", "：", WidthSymbols}, {";", "；", WidthSymbols}, {"?", "？", WidthSymbols},
    {"!", "！", WidthSymbols}, {"^", "＾", WidthSymbols}, {"_", "＿", WidthSymbols},
    {"/", "／", WidthSymbols}, {"(", "（", WidthSymbols}, {")", "）", WidthSymbols},
    {"[", "［", WidthSymbols}, {"]", "］", WidthSymbols}, {"{", "｛", WidthSymbols},
    {"}", "｝", WidthSymbols}, {"｢", "「", WidthSymbols}, {"｣", "」", WidthSymbols},
    {"+", "＋", WidthSymbols}, {"=", "＝", WidthSymbols}, {"<", "＜", WidthSymbols},
    {">", "＞", WidthSymbols}, {"$", "＄", WidthSymbols}, {"%", "％", WidthSymbols},
    {"#", "＃", WidthSymbols}, {"&", "＆", WidthSymbols}, {"*", "＊", WidthSymbols},
    {"@", "＠", WidthSymbols}, {"\"", "\x81\x68", WidthSymbols},
    {"'", "\x81\x66", WidthSymbols}, {"-", "\x81\x7C", WidthSymbols},
    {"~", "\x81\x60", WidthSymbols}, {"|", "\x81\x62", WidthSymbols},
    {"\\", "\x81\x8F", WidthSymbols},
    {"､", "、", WidthKana}, {"｡", "。", WidthKana}, {"･", "・", WidthKana},
    {"ﾞ", "゛", WidthKana}, {"ﾟ", "゜", WidthKana}, {"ｰ", "ー", WidthKana},
    {"ｧ", "ァ", WidthKana}, {"ｱ", "ア", WidthKana}, {"ｨ", "ィ", WidthKana},
    {"ｲ", "イ", WidthKana}, {"ｩ", "ゥ", WidthKana}, {"ｳ", "ウ", WidthKana},
    {"ｪ", "ェ", WidthKana}, {"ｴ", "エ", WidthKana}, {"ｫ", "ォ", WidthKana},
    {"ｵ", "オ", WidthKana}, {"ｶ", "カ", WidthKana}, {"ｷ", "キ", WidthKana},
    {"ｸ", "ク", WidthKana}, {"ｹ", "ケ", WidthKana}, {"ｺ", "コ", WidthKana},
    {"ｻ", "サ", WidthKana}, {"ｼ", "シ", WidthKana}, {"ｽ", "ス", WidthKana},
    {"ｾ", "セ", WidthKana}, {"ｿ", "ソ", WidthKana}, {"ﾀ", "タ", WidthKana},
    {"ﾁ", "チ", WidthKana}, {"ｯ", "ッ", WidthKana}, {"ﾂ", "ツ", WidthKana},
    {"ﾃ", "テ", WidthKana}, {"ﾄ", "ト", WidthKana}, {"ﾅ", "ナ", WidthKana},
    {"ﾆ", "ニ", WidthKana}, {"ﾇ", "ヌ", WidthKana}, {"ﾈ", "ネ", WidthKana},
    {"ﾉ", "ノ", WidthKana}, {"ﾊ", "ハ", WidthKana}, {"ﾋ", "ヒ", WidthKana},
    {"ﾌ", "フ", WidthKana}, {"ﾍ", "ヘ", WidthKana}, {"ﾎ", "ホ", WidthKana},
    {"ﾏ", "マ", WidthKana}, {"ﾐ", "ミ", WidthKana}, {"ﾑ", "ム", WidthKana},
    {"ﾒ", "メ", WidthKana}, {"ﾓ", "モ", WidthKana}, {"ｬ", "ャ", WidthKana},
    {"ﾔ", "ヤ", WidthKana}, {"ｭ", "ュ", WidthKana}, {"ﾕ", "ユ", WidthKana},
    {"ｮ", "ョ", WidthKana}, {"ﾖ", "ヨ", WidthKana}, {"ﾗ", "ラ", WidthKana},
    {"ﾘ", "リ", WidthKana}, {"ﾙ", "ル", WidthKana}, {"ﾚ", "レ", WidthKana},
    {"ﾛ", "ロ", WidthKana}, {"ﾜ", "ワ", WidthKana}, {"ｦ", "ヲ", WidthKana},
    {"ﾝ", "ン", WidthKana},
    {"ｶﾞ", "ガ", WidthKana}, {"ｷﾞ", "ギ", WidthKana}, {"ｸﾞ", "グ", WidthKana},
    {"ｹﾞ", "ゲ", WidthKana}, {"ｺﾞ", "ゴ", WidthKana}, {"ｻﾞ", "ザ", WidthKana},
    {"ｼﾞ", "ジ", WidthKana}, {"ｽﾞ", "ズ", WidthKana}, {"ｾﾞ", "ゼ", WidthKana},
    {"ｿﾞ", "ゾ", WidthKana}, {"ﾀﾞ", "ダ", WidthKana}, {"ﾁﾞ", "ヂ", WidthKana},
    {"ﾂﾞ", "ヅ", WidthKana}, {"ﾃﾞ", "デ", WidthKana}, {"ﾄﾞ", "ド", WidthKana},
    {"ﾊﾞ", "バ", WidthKana}, {"ﾋﾞ", "ビ", WidthKana}, {"ﾌﾞ", "ブ", WidthKana},
    {"ﾍﾞ", "ベ", WidthKana}, {"ﾎﾞ", "ボ", WidthKana}, {"ﾊﾟ", "パ", WidthKana},
    {"ﾋﾟ", "ピ", WidthKana}, {"ﾌﾟ", "プ", WidthKana}, {"ﾍﾟ", "ペ", WidthKana},
    {"ﾎﾟ", "ポ", WidthKana}, {"ｳﾞ", "ヴ", WidthKana},
};

TEST(WidthConversion, EveryPairConvertsBothWaysUnderItsOwnClassOnly)
{
    for (const TPairCase& pair : TwoWayPairs) {
        SCOPED_TRACE(pair.full);
        EXPECT_EQ(pair.full, Full(pair.half, pair.flag));
        EXPECT_EQ(pair.half, Half(pair.full, pair.flag));
        EXPECT_EQ(pair.full, Full(pair.half, AllClasses));
        EXPECT_EQ(pair.half, Half(pair.full, AllClasses));
        // Under every other class both forms stay, except that half-width
        // U with the sound mark always becomes VU.
        const int others = AllClasses & ~pair.flag;
        const bool alwaysVu = std::string(pair.half) == "ｳﾞ";
        EXPECT_EQ(alwaysVu ? pair.full : pair.half, Full(pair.half, others));
        EXPECT_EQ(pair.full, Half(pair.full, others));
    }
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

TEST(WidthConversion, ResultIsAnExactSizeOwnedText)
{
    char* result = ToFullWidth("ABC", AllClasses);
    ASSERT_NE(nullptr, result);
    EXPECT_EQ(6u, strlen(result));
    FreeText(result);
    EXPECT_EQ(nullptr, result);
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
