#include "framework/util/kanji_number.h"

#include "framework/util/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

std::string Kanji(long long value)
{
    char* result = KanjiNumber(value);
    std::string copy(result);
    FreeText(result);
    return copy;
}

struct TKanjiCase {
    long long value;
    const char* text;
};

const TKanjiCase KanjiCases[] = {
    {0, "零"},
    {1, "一"},
    {9, "九"},
    {10, "十"},
    {11, "十一"},
    {12, "十二"},
    {20, "二十"},
    {100, "百"},
    {101, "百一"},
    {110, "百十"},
    {1000, "千"},
    {1999, "千九百九十九"},
    {2000, "二千"},
    {2005, "二千五"},
    {9999, "九千九百九十九"},
    {10000, "一万"},
    {10001, "一万一"},
    {11000, "一万千"},
    {20000, "二万"},
    {100000, "十万"},
    {10000000, "千万"},
    {12345678, "千二百三十四万五千六百七十八"},
    {100000000, "一億"},
    {100010000, "一億一万"},
    {1000000000000LL, "一兆"},
    {10000000000000000LL, "一京"},
    {LLONG_MAX, "九百二十二京三千三百七十二兆三百六十八億五千四百七十七万五千八百七"},
};

TEST(KanjiNumber, Table)
{
    for (const TKanjiCase& c : KanjiCases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(c.text, Kanji(c.value));
    }
}

TEST(KanjiNumber, NegativeValuesFollowAFullWidthMinus)
{
    EXPECT_EQ("－五十", Kanji(-50));
    EXPECT_EQ("－一", Kanji(-1));
    EXPECT_EQ("－二十一億四千七百四十八万三千六百四十八", Kanji(INT_MIN));
    // The most negative value has no positive counterpart in the same type.
    EXPECT_EQ("－九百二十二京三千三百七十二兆三百六十八億五千四百七十七万五千八百八",
              Kanji(LLONG_MIN));
}

} // namespace
