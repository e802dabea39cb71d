#include "framework/util/date_format.h"

#include "framework/util/text.h"
#include "tests/util/guarded_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TDate Date(int year, int month, int day) { return TDate{year, month, day}; }

TTime Time(int positive, int hour, int minute, int second, int millisecond)
{
    return TTime{static_cast<unsigned char>(positive), hour, minute, second, millisecond};
}

std::string DateText(const char* format, const TDate& date, bool pad = false)
{
    char* result = FormatDate(format, date, pad);
    std::string copy(result);
    FreeText(result);
    return copy;
}

std::string TimeText(const char* format, const TTime& time, bool pad = false)
{
    char* result = FormatTime(format, time, pad);
    std::string copy(result);
    FreeText(result);
    return copy;
}

struct TTokenCase {
    const char* token;
    const char* plain;  // without padding
    const char* padded; // with padding
};

// Every date token for Wednesday 8 March 2000 (平成12年).
const TTokenCase DateTokenCases[] = {
    {"%yy%", "00", "00"},
    {"%yyyy%", "2000", "2000"},
    {"%ｙｙ%", "００", "００"},
    {"%ｙｙｙｙ%", "２０００", "２０００"},
    {"%元号%", "平成", "平成"},
    {"%g%", "12", "12"},
    {"%gg%", "12", "12"},
    {"%ｇ%", "１２", "１２"},
    {"%ｇｇ%", "１２", "１２"},
    {"%年%", "十二", "  十二"},
    {"%m%", "3", " 3"},
    {"%dm%", "3", " 3"},
    {"%mm%", "03", "03"},
    {"%dmm%", "03", "03"},
    {"%ｍ%", "３", "  ３"},
    {"%dｍ%", "３", "  ３"},
    {"%ｍｍ%", "０３", "０３"},
    {"%dｍｍ%", "０３", "０３"},
    {"%月%", "三", "  三"},
    {"%MMM%", "Mar", "Mar"},
    {"%Month%", "March", "    March"},
    {"%月名%", "弥生", "  弥生"},
    {"%d%", "8", " 8"},
    {"%dd%", "08", "08"},
    {"%ｄ%", "８", "  ８"},
    {"%ｄｄ%", "０８", "０８"},
    {"%日%", "八", "    八"},
    {"%WWW%", "Wed", "Wed"},
    {"%Week%", "Wednesday", "Wednesday"},
    {"%曜日%", "水", "水"},
    {"%%%", "%", "%"},
};

TEST(FormatDate, EveryToken)
{
    const TDate date = Date(2000, 3, 8);
    for (const TTokenCase& c : DateTokenCases) {
        EXPECT_EQ(c.plain, DateText(c.token, date, false)) << c.token;
        EXPECT_EQ(c.padded, DateText(c.token, date, true)) << c.token;
    }
}

// Every time token for 02:23:59.007.
const TTokenCase TimeTokenCases[] = {
    {"%-%", "", " "},
    {"%+%", "+", "+"},
    {"%－%", "", "  "},
    {"%＋%", "＋", "＋"},
    {"%午%", "午前", "午前"},
    {"%AP%", "a.m.", "a.m."},
    {"%h%", "2", " 2"},
    {"%hh%", "02", "02"},
    {"%ｈ%", "２", "  ２"},
    {"%ｈｈ%", "０２", "０２"},
    {"%時刻%", "二", "  二"},
    {"%H%", "2", " 2"},
    {"%HH%", "02", "02"},
    {"%Ｈ%", "２", "  ２"},
    {"%ＨＨ%", "０２", "０２"},
    {"%時間%", "二", "    二"},
    {"%刻%", "丑", "丑"},
    {"%刻四%", "三つ", "三つ"},
    {"%m%", "23", "23"},
    {"%mm%", "23", "23"},
    {"%ｍ%", "２３", "２３"},
    {"%ｍｍ%", "２３", "２３"},
    {"%分%", "二十三", "二十三"},
    {"%s%", "59", "59"},
    {"%ss%", "59", "59"},
    {"%ｓ%", "５９", "５９"},
    {"%ｓｓ%", "５９", "５９"},
    {"%秒%", "五十九", "五十九"},
    {"%ms%", "007", "007"},
    {"%%%", "%", "%"},
};

TEST(FormatTime, EveryToken)
{
    const TTime time = Time(1, 2, 23, 59, 7);
    for (const TTokenCase& c : TimeTokenCases) {
        EXPECT_EQ(c.plain, TimeText(c.token, time, false)) << c.token;
        EXPECT_EQ(c.padded, TimeText(c.token, time, true)) << c.token;
    }
}

TEST(FormatDate, VersionDialogAndDefaultTemplates)
{
    const char* versionDate = "%元号%%g%年%m%月%d%日";
    EXPECT_EQ("平成12年3月8日", DateText(versionDate, Date(2000, 3, 8)));
    EXPECT_EQ("平成12年 3月 8日", DateText(versionDate, Date(2000, 3, 8), true));
    EXPECT_EQ("昭和64年1月7日", DateText(versionDate, Date(1989, 1, 7)));
    EXPECT_EQ("平成1年1月8日", DateText(versionDate, Date(1989, 1, 8)));
    EXPECT_EQ("令和8年12月7日", DateText(versionDate, Date(2026, 12, 7)));
    EXPECT_EQ("平成１２年３月８日(水)", DateText(DefaultDateFormat, Date(2000, 3, 8)));
    EXPECT_EQ("平成１２年  ３月  ８日(水)", DateText(DefaultDateFormat, Date(2000, 3, 8), true));
    EXPECT_EQ("00", DateText("%yy%", Date(2000, 1, 1)));
}

TEST(FormatTime, VersionDialogAndDefaultTemplates)
{
    const char* versionTime = "%午%%h%時%m%分%s%秒";
    EXPECT_EQ("午前2時23分59秒", TimeText(versionTime, Time(1, 2, 23, 59, 0)));
    EXPECT_EQ("午前 2時23分59秒", TimeText(versionTime, Time(1, 2, 23, 59, 0), true));
    EXPECT_EQ("正午0時0分0秒", TimeText(versionTime, Time(1, 12, 0, 0, 0)));
    EXPECT_EQ("午後0時0分0秒", TimeText(versionTime, Time(1, 12, 0, 0, 1)));
    EXPECT_EQ("午前11時59分59秒", TimeText(versionTime, Time(1, 11, 59, 59, 999)));
    EXPECT_EQ("午前0時0分0秒", TimeText(versionTime, Time(1, 0, 0, 0, 0)));
    EXPECT_EQ("午後１１時０５分０９秒", TimeText(DefaultTimeFormat, Time(1, 23, 5, 9, 0)));
}

TEST(FormatTime, HalfOfDayAndSign)
{
    EXPECT_EQ("a.m.", TimeText("%AP%", Time(1, 11, 59, 59, 999)));
    EXPECT_EQ("p.m.", TimeText("%AP%", Time(1, 12, 0, 0, 0)));
    EXPECT_EQ("p.m.", TimeText("%AP%", Time(1, 23, 0, 0, 0)));
    // Noon compared after normalising: 11:59:60 is noon.
    EXPECT_EQ("正午", TimeText("%午%", Time(1, 11, 59, 60, 0)));
    EXPECT_EQ("午前", TimeText("%午%", Time(0, 12, 0, 0, 0)));
    EXPECT_EQ("-1", TimeText("%-%%H%", Time(0, 1, 0, 0, 0)));
    EXPECT_EQ("-1", TimeText("%+%%H%", Time(0, 1, 0, 0, 0)));
    EXPECT_EQ("+1", TimeText("%+%%H%", Time(1, 1, 0, 0, 0)));
    EXPECT_EQ("－１", TimeText("%－%%Ｈ%", Time(0, 1, 0, 0, 0)));
    EXPECT_EQ("－１", TimeText("%＋%%Ｈ%", Time(0, 1, 0, 0, 0)));
}

TEST(FormatTime, TwoHourPeriodsAndQuarters)
{
    const struct {
        int hour, minute;
        const char* text;
    } cases[] = {
        {23, 0, "子一つ"}, {23, 30, "子二つ"}, {0, 0, "子三つ"}, {0, 59, "子四つ"},
        {1, 0, "丑一つ"}, {9, 0, "巳一つ"}, {10, 59, "巳四つ"}, {11, 0, "午一つ"},
        {12, 0, "午三つ"}, {22, 59, "亥四つ"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, TimeText("%刻%%刻四%", Time(1, c.hour, c.minute, 0, 0)))
            << c.hour << ":" << c.minute;
}

TEST(FormatDate, OutOfRangeNames)
{
    EXPECT_EQ("\"Unidentified Month\"", DateText("%Month%", Date(2000, 13, 1)));
    EXPECT_EQ("\"Un", DateText("%MMM%", Date(2000, 13, 1)));
    EXPECT_EQ("\"不明な月\"", DateText("%月名%", Date(2000, 0, 1)));
    EXPECT_EQ("\"Un", DateText("%WWW%", Date(1582, 10, 14)));
    EXPECT_EQ("\"Unidentified DayOfWeek\"", DateText("%Week%", Date(1000, 1, 1)));
    EXPECT_EQ("\"不明な曜日\"", DateText("%曜日%", Date(-50, 1, 1)));
    EXPECT_EQ("Fri", DateText("%WWW%", Date(1582, 10, 15)));
    EXPECT_EQ("\"Unidentified DayOfWeek\"", DateText("%Week%", Date(2000, 13, 1), true));
}

// Numbers of any size and sign, in every form, for the bad field values.
TEST(FormatDate, NegativeAndHugeFields)
{
    const struct {
        const char* format;
        TDate date;
        const char* text;
    } cases[] = {
        {"%yyyy%", Date(-50, 1, 1), "-0050"},
        {"%yy%", Date(-50, 1, 1), "-50"},
        {"%yy%", Date(-5, 1, 1), "-05"},
        {"%ｙｙｙｙ%", Date(-50, 1, 1), "－００５０"},
        {"%ｙｙ%", Date(-5, 1, 1), "－０５"},
        {"%元号%%g%", Date(-50, 1, 1), "西暦-50"},
        {"%ｇ%", Date(-50, 1, 1), "－５０"},
        {"%年%", Date(-50, 1, 1), "－五十"},
        {"%yyyy%", Date(100000, 1, 1), "100000"},
        {"%yy%", Date(100000, 1, 1), "00"},
        {"%ｙｙｙｙ%", Date(100000, 1, 1), "１０００００"},
        {"%元号%%年%", Date(100000, 1, 1), "令和九万七千九百八十二"},
        {"%yyyy%", Date(INT_MIN, 1, 1), "-2147483648"},
        {"%ｙｙｙｙ%", Date(INT_MIN, 1, 1), "－２１４７４８３６４８"},
        {"%年%", Date(INT_MIN, 1, 1), "－二十一億四千七百四十八万三千六百四十八"},
        {"%yyyy%", Date(INT_MAX, 1, 1), "2147483647"},
        {"%m%", Date(2000, 13, 1), "13"},
        {"%月%", Date(2000, 13, 1), "十三"},
        {"%mm%", Date(2000, -1, 1), "-01"},
        {"%ｍｍ%", Date(2000, -1, 1), "－０１"},
        {"%月%", Date(2000, -1, 1), "－一"},
        {"%dd%", Date(2000, 1, INT_MIN), "-2147483648"},
        {"%ｄｄ%", Date(2000, 1, INT_MAX), "２１４７４８３６４７"},
        {"%日%", Date(2000, 1, 0), "零"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text, DateText(c.format, c.date)) << c.format << " " << c.date.year;
        // Padding only ever adds spaces in front; a long field is written whole.
        const std::string padded = DateText(c.format, c.date, true);
        ASSERT_GE(padded.size(), strlen(c.text));
        EXPECT_EQ(std::string(padded.size() - strlen(c.text), ' ') + c.text, padded);
    }
}

TEST(FormatTime, NegativeAndHugeFields)
{
    const struct {
        const char* format;
        TTime time;
        const char* text;
    } cases[] = {
        {"%H%", Time(1, 25, 0, 0, 0), "25"},
        {"%h%", Time(1, 25, 0, 0, 0), "1"},
        {"%午%", Time(1, 25, 0, 0, 0), "午後"},
        {"%刻%", Time(1, 25, 0, 0, 0), "丑"},
        {"%h%", Time(1, -1, 0, 0, 0), "-1"},
        {"%ｈｈ%", Time(1, -1, 0, 0, 0), "－０１"},
        {"%時刻%", Time(1, -1, 0, 0, 0), "－一"},
        {"%刻%", Time(1, -1, 0, 0, 0), "子"},
        {"%刻%", Time(1, -5, 0, 0, 0), "戌"},
        {"%刻%%刻四%", Time(1, INT_MIN, INT_MIN, 0, 0), "申三つ"},
        {"%刻%%刻四%", Time(1, INT_MAX, INT_MAX, 0, 0), "辰一つ"},
        {"%HH%", Time(1, INT_MIN, 0, 0, 0), "-2147483648"},
        {"%ＨＨ%", Time(1, INT_MAX, 0, 0, 0), "２１４７４８３６４７"},
        {"%時間%", Time(1, INT_MAX, 0, 0, 0), "二十一億四千七百四十八万三千六百四十七"},
        {"%m%", Time(1, 0, -1, 0, 0), "-1"},
        {"%分%", Time(1, 0, 61, 0, 0), "六十一"},
        {"%ss%", Time(1, 0, 0, -5, 0), "-05"},
        {"%ｓ%", Time(1, 0, 0, -5, 0), "－５"},
        {"%ms%", Time(1, 0, 0, 0, -5), "-005"},
        {"%ms%", Time(1, 0, 0, 0, 100000), "100000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, TimeText(c.format, c.time)) << c.format << " " << c.time.hour;
}

TEST(FormatTemplate, UnknownTokensAndLonePercents)
{
    const TDate date = Date(2000, 3, 8);
    const struct {
        const char* format;
        const char* text;
    } cases[] = {
        {"", ""},
        {"100%", "100%"},
        {"%", "%"},
        {"%x%y", "%x%y"},
        {"%x%%d%", "%x%8"},
        {"%%%%", "%%"},
        {"%%d%", "%%d%"},
        // Templates that end inside a token.
        {"%yy", "%yy"},
        {"%d", "%d"},
        {"%元号", "%元号"},
        {"%ｄ", "%ｄ"},
        {"日付%d%日%", "日付8日%"},
        {"%表%", "%表%"},
        // A lead byte before a '%' that is no trail byte: the '%' still counts.
        {"%\x81%d%", "%\x81%d%"},
        {"\x81%d%", "\x81" "8"},
        // A lead byte at the very end of the template.
        {"%d%\x82", "8\x82"},
        {"%\x82", "%\x82"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, DateText(c.format, date)) << c.format;
    // Copied text and unknown tokens are never padded.
    EXPECT_EQ("%表%x%y", DateText("%表%x%y", date, true));
    EXPECT_EQ("100%", DateText("100%", date, true));
    EXPECT_EQ("", DateText(nullptr, date));
    EXPECT_EQ("", TimeText(nullptr, Time(1, 0, 0, 0, 0)));
    EXPECT_EQ("%H", TimeText("%H", Time(1, 1, 0, 0, 0)));
    EXPECT_EQ("1%", TimeText("%H%%", Time(1, 1, 0, 0, 0)));
}

// A template that ends inside a token is never read past its NUL.
TEST(FormatTemplate, NothingAfterTheTemplateIsRead)
{
    for (const char* format : {"%", "%y", "%yy", "%yyyy", "%元号", "%Mont", "%d%%", "%\x82"}) {
        TGuardedText guarded(format);
        ASSERT_TRUE(guarded.IsGuarded());
        EXPECT_EQ(DateText(format, Date(2000, 3, 8), true),
                  DateText(guarded.Get(), Date(2000, 3, 8), true));
        EXPECT_EQ(TimeText(format, Time(1, 2, 3, 4, 5), true),
                  TimeText(guarded.Get(), Time(1, 2, 3, 4, 5), true));
    }
}

// Formatting a template is the same as formatting each of its tokens alone and
// joining the results, for ten thousand tokens as for one.
TEST(FormatTemplate, TenThousandTokens)
{
    const TDate date = Date(2000, 3, 8);
    std::string format, expected;
    for (int i = 0; i < 10000; ++i) {
        const TTokenCase& c = DateTokenCases[i % (sizeof DateTokenCases / sizeof *DateTokenCases)];
        format += c.token;
        expected += c.padded;
    }
    EXPECT_EQ(expected, DateText(format.c_str(), date, true));

    const std::string percents(10000, '%');
    std::string expectedPercents(3333, '%');
    expectedPercents += '%';
    EXPECT_EQ(expectedPercents, DateText(percents.c_str(), date));

    std::string unknown;
    for (int i = 0; i < 10000; ++i)
        unknown += "%x";
    EXPECT_EQ(unknown, DateText(unknown.c_str(), date));
    EXPECT_EQ(unknown, TimeText(unknown.c_str(), Time(1, 0, 0, 0, 0)));
}

TEST(FormatTemplate, ResultIsAnExactSizeOwnedText)
{
    char* result = FormatDate("%yyyy%", Date(2000, 3, 8), false);
    ASSERT_NE(nullptr, result);
    EXPECT_STREQ("2000", result);
    FreeText(result);
    char* empty = FormatTime("", Time(1, 0, 0, 0, 0), true);
    ASSERT_NE(nullptr, empty);
    EXPECT_STREQ("", empty);
    FreeText(empty);
}

} // namespace
