#include "framework/util/date_time.h"

#include "tests/util/guarded_text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TDate Date(int year, int month, int day) { return TDate{year, month, day}; }

TTime Time(int positive, int hour, int minute, int second, int millisecond)
{
    return TTime{static_cast<unsigned char>(positive), hour, minute, second, millisecond};
}

::testing::AssertionResult SameFields(const TTime& expected, const TTime& actual)
{
    if (expected.positive == actual.positive && expected.hour == actual.hour &&
        expected.minute == actual.minute && expected.second == actual.second &&
        expected.millisecond == actual.millisecond)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got " << int(actual.positive) << " " << actual.hour << ":" << actual.minute << ":"
           << actual.second << "." << actual.millisecond;
}

TEST(Calendar, LeapYearsOverEveryRange)
{
    // After 1582 the Gregorian rule; from 8 to 1582 every fourth year; from -46
    // to -9 every third year; none from -8 to 7 nor below -46.
    for (int year : {2000, 1996, 1600, 1584, 1580, 1500, 100, 8, -9, -12, -45})
        EXPECT_TRUE(IsLeapYear(year)) << year;
    for (int year : {1900, 2001, 1583, 1582, 7, 4, 0, -4, -8, -10, -46, -48, INT_MIN, INT_MAX})
        EXPECT_FALSE(IsLeapYear(year)) << year;
}

// Month lengths, validity and weekdays outside the years the system's calendar
// covers, and the reform gap; the years in between are checked below.
TEST(Calendar, RulesBeforeAndAroundTheReform)
{
    const struct {
        int year, month, days;
    } lengths[] = {
        {1500, 2, 29}, {-8, 2, 28}, {-8, 8, 31},
        // Before -8: February 29 or 30 days, odd months 31, even months 30.
        {-9, 2, 30}, {-10, 2, 29}, {-10, 3, 31}, {-10, 4, 30}, {-10, 8, 30},
        {2001, 0, 0}, {2001, 13, 0}, {2001, INT_MIN, 0},
    };
    for (const auto& c : lengths)
        EXPECT_EQ(c.days, DaysInMonth(c.year, c.month)) << c.year << "-" << c.month;

    for (TDate date : {Date(1582, 10, 4), Date(1582, 10, 15), Date(2000, 2, 29),
                       Date(-50, 2, 29), Date(100000, 12, 31)})
        EXPECT_TRUE(IsValidDate(date)) << date.year << "-" << date.month << "-" << date.day;
    for (TDate date : {Date(1582, 10, 5), Date(1582, 10, 10), Date(1582, 10, 14),
                       Date(1900, 2, 29), Date(2001, 13, 1), Date(2001, 0, 1),
                       Date(2001, 1, 0), Date(2001, 1, -1)})
        EXPECT_FALSE(IsValidDate(date)) << date.year << "-" << date.month << "-" << date.day;

    EXPECT_EQ(5, DayOfWeek(Date(1582, 10, 15))); // the first Gregorian day, a Friday
    for (TDate date : {Date(1582, 10, 14), Date(1000, 1, 1), Date(-50, 1, 1),
                       Date(2000, 13, 1), Date(2000, 0, 1)})
        EXPECT_EQ(-1, DayOfWeek(date)) << date.year << "-" << date.month << "-" << date.day;
    // Out-of-range days and years still give a weekday in range.
    for (TDate date : {Date(2000, 3, INT_MIN), Date(2000, 3, INT_MAX), Date(2000, 3, 0),
                       Date(INT_MAX, 12, 31)}) {
        const int weekday = DayOfWeek(date);
        EXPECT_TRUE(weekday >= 0 && weekday <= 6) << date.year << "-" << date.day;
    }
}

// Every day from 1601 (the start of the system's file times) to 2400 against
// the system's own calendar: validity, month lengths and weekdays agree.
TEST(Calendar, AgreesWithTheSystemCalendar)
{
    int days = 0;
    for (int year = 1601; year <= 2400; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 31; ++day) {
                SYSTEMTIME st = {};
                st.wYear = static_cast<WORD>(year);
                st.wMonth = static_cast<WORD>(month);
                st.wDay = static_cast<WORD>(day);
                // A day the system does not know either fails or comes back
                // as another day.
                FILETIME ft;
                SYSTEMTIME back = {};
                const bool systemValid = SystemTimeToFileTime(&st, &ft) &&
                                         FileTimeToSystemTime(&ft, &back) &&
                                         back.wYear == st.wYear && back.wMonth == st.wMonth &&
                                         back.wDay == st.wDay;
                ASSERT_EQ(systemValid, IsValidDate(Date(year, month, day)))
                    << year << "-" << month << "-" << day;
                if (!systemValid)
                    continue;
                ASSERT_EQ(back.wDayOfWeek, DayOfWeek(Date(year, month, day)))
                    << year << "-" << month << "-" << day;
                ++days;
            }
        }
    }
    EXPECT_EQ(292194, days); // 800 Gregorian years
}

TEST(Era, Table)
{
    const struct {
        TDate date;
        const char* era;
        int year;
    } cases[] = {
        {Date(2000, 3, 8), "平成", 12},
        {Date(1989, 1, 7), "昭和", 64},
        {Date(1989, 1, 8), "平成", 1},
        {Date(1926, 12, 24), "大正", 15},
        {Date(1926, 12, 25), "昭和", 1},
        {Date(1912, 7, 29), "明治", 45},
        {Date(1912, 7, 30), "大正", 1},
        {Date(1873, 1, 1), "明治", 6},
        {Date(1872, 12, 31), "西暦", 1872},
        {Date(1868, 9, 8), "西暦", 1868},
        {Date(2019, 4, 30), "平成", 31},
        {Date(2019, 5, 1), "令和", 1},
        {Date(2026, 12, 7), "令和", 8},
        {Date(-50, 1, 1), "西暦", -50},
        {Date(0, 0, 0), "西暦", 0},
        {Date(100000, 1, 1), "令和", 100000 - 2019 + 1},
        {Date(INT_MIN, 1, 1), "西暦", INT_MIN},
    };
    for (const auto& c : cases) {
        const TEraYear era = EraOf(c.date);
        EXPECT_STREQ(c.era, era.name) << c.date.year << "-" << c.date.month;
        EXPECT_EQ(c.year, era.year) << c.date.year << "-" << c.date.month;
    }
}

TEST(Clock, TodayAndNowAreTheLocalClock)
{
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    const TDate today = Today();
    const TTime now = Now();
    GetLocalTime(&after);
    EXPECT_TRUE(today == Date(before.wYear, before.wMonth, before.wDay) ||
                today == Date(after.wYear, after.wMonth, after.wDay));
    EXPECT_TRUE(IsValidDate(today));
    EXPECT_TRUE(IsValidTime(now));
    EXPECT_EQ(1, now.positive);
    const TTime first{1, before.wHour, before.wMinute, before.wSecond, before.wMilliseconds};
    const TTime last{1, after.wHour, after.wMinute, after.wSecond, after.wMilliseconds};
    if (first <= last) { // not across midnight
        EXPECT_TRUE(first <= now && now <= last);
    }
}

TEST(BuildStamp, ParsesTheCompilerForms)
{
    const TDate date = ParseBuildDate("Mar  8 2000");
    EXPECT_TRUE(date == Date(2000, 3, 8));
    EXPECT_TRUE(ParseBuildDate("Dec 31 1999") == Date(1999, 12, 31));
    EXPECT_TRUE(ParseBuildDate("Jan  1 2026") == Date(2026, 1, 1));
    const TTime time = ParseBuildTime("02:23:59");
    EXPECT_TRUE(SameFields(Time(1, 2, 23, 59, 0), time));
    EXPECT_TRUE(SameFields(Time(1, 23, 59, 60, 0), ParseBuildTime("23:59:60")));
    // This very file's build stamp.
    EXPECT_TRUE(IsValidDate(ParseBuildDate(__DATE__)));
    EXPECT_TRUE(IsValidTime(ParseBuildTime(__TIME__)));
}

TEST(BuildStamp, UnknownMonthsAndOddNumbers)
{
    // The month is one of the twelve abbreviations exactly, at the start.
    EXPECT_EQ(0, ParseBuildDate("mar  8 2000").month);
    EXPECT_EQ(0, ParseBuildDate("Foo  8 2000").month);
    EXPECT_EQ(0, ParseBuildDate("anF  8 2000").month); // inside the list, but not a name
    EXPECT_EQ(2000, ParseBuildDate("Foo  8 2000").year);
    EXPECT_TRUE(ParseBuildDate("Mar -8 -200") == Date(-200, 3, -8));
    // Numbers too large for the fields are held at the largest value.
    EXPECT_EQ(INT_MAX, ParseBuildDate("Mar  8 99999999999999999999").year);
    EXPECT_EQ(INT_MIN, ParseBuildDate("Mar  8 -99999999999999999999").year);
    EXPECT_EQ(0, ParseBuildDate("Mar xx yyyy").day);
    EXPECT_TRUE(SameFields(Time(1, 0, 0, 0, 0), ParseBuildTime("ab:cd:ef")));
}

// The fields stand at fixed offsets; a text that ends before the last of them
// gives the zero date or time, and nothing after its NUL is read.
TEST(BuildStamp, ShortTextsGiveZeroWithoutReadingPastTheEnd)
{
    for (const char* text : {"", "M", "Mar", "Mar  8", "Mar  8 "}) {
        TGuardedText guarded(text);
        ASSERT_TRUE(guarded.IsGuarded());
        EXPECT_TRUE(ParseBuildDate(guarded.Get()) == Date(0, 0, 0)) << '"' << text << '"';
    }
    {
        TGuardedText guarded("Mar  8 2");
        EXPECT_TRUE(ParseBuildDate(guarded.Get()) == Date(2, 3, 8));
    }
    for (const char* text : {"", "0", "02:", "02:23", "02:23:"}) {
        TGuardedText guarded(text);
        ASSERT_TRUE(guarded.IsGuarded());
        EXPECT_TRUE(SameFields(Time(1, 0, 0, 0, 0), ParseBuildTime(guarded.Get())))
            << '"' << text << '"';
    }
    {
        TGuardedText guarded("02:23:5");
        EXPECT_TRUE(SameFields(Time(1, 2, 23, 5, 0), ParseBuildTime(guarded.Get())));
    }
    EXPECT_TRUE(ParseBuildDate(nullptr) == Date(0, 0, 0));
    EXPECT_TRUE(SameFields(Time(1, 0, 0, 0, 0), ParseBuildTime(nullptr)));
}

TEST(TimeOfDay, Validity)
{
    for (TTime time : {Time(1, 0, 0, 0, 0), Time(1, 23, 60, 60, 999)})
        EXPECT_TRUE(IsValidTime(time)) << time.hour;
    for (TTime time : {Time(0, 1, 0, 0, 0), Time(1, 24, 0, 0, 0), Time(1, 25, 0, 0, 0),
                       Time(1, -1, 0, 0, 0), Time(1, 0, 61, 0, 0), Time(1, 0, 0, -1, 0),
                       Time(1, 0, 0, 0, 1000), Time(1, 0, 0, 0, -1)})
        EXPECT_FALSE(IsValidTime(time)) << time.hour << ":" << time.minute << ":" << time.second;
}

TEST(TimeOfDay, Normalize)
{
    const struct {
        TTime in, out;
    } cases[] = {
        {Time(1, 0, 0, 0, 1500), Time(1, 0, 0, 1, 500)},
        {Time(1, 25, 61, 61, 1001), Time(1, 26, 2, 2, 1)},
        {Time(1, 1, -30, 0, 0), Time(1, 0, 30, 0, 0)},
        {Time(1, 0, 0, 0, -1), Time(0, 0, 0, 0, 1)},
        {Time(1, 0, 0, -61, 0), Time(0, 0, 1, 1, 0)},
        {Time(1, -2, 30, 0, 0), Time(0, 1, 30, 0, 0)},
        {Time(0, 0, 0, 0, -5), Time(1, 0, 0, 0, 5)},
        {Time(0, 1, 2, 3, 4), Time(0, 1, 2, 3, 4)},
        {Time(0, 0, 0, 0, 0), Time(0, 0, 0, 0, 0)},
        {Time(1, 0, 0, 0, INT_MAX), Time(1, 596, 31, 23, 647)},
        {Time(1, 0, 0, 0, INT_MIN), Time(0, 596, 31, 23, 648)},
        // Beyond the range of the hour field the hour is held at its largest value.
        {Time(1, INT_MAX, INT_MAX, 0, 0), Time(1, INT_MAX, 7, 0, 0)},
    };
    for (const auto& c : cases) {
        TTime time = c.in;
        NormalizeTime(time);
        EXPECT_TRUE(SameFields(c.out, time)) << c.in.hour << ":" << c.in.minute << ":"
                                             << c.in.second << "." << c.in.millisecond;
    }
}

TEST(TimeOfDay, WrapTo24Hours)
{
    const struct {
        TTime in, out;
    } cases[] = {
        {Time(1, 25, 0, 0, 0), Time(1, 1, 0, 0, 0)},
        {Time(1, 24, 0, 0, 0), Time(1, 0, 0, 0, 0)},
        {Time(1, 23, 59, 59, 999), Time(1, 23, 59, 59, 999)},
        {Time(1, -1, 0, 0, 0), Time(1, 23, 0, 0, 0)},
        {Time(0, 1, 0, 0, 0), Time(1, 23, 0, 0, 0)},
        {Time(0, 48, 0, 0, 0), Time(1, 0, 0, 0, 0)},
        {Time(1, 0, 0, 0, -1), Time(1, 23, 59, 59, 999)},
        // Days far away take no longer than near ones.
        {Time(1, INT_MAX, 0, 0, 0), Time(1, 7, 0, 0, 0)},
        {Time(0, INT_MAX, 0, 0, 0), Time(1, 17, 0, 0, 0)},
    };
    for (const auto& c : cases) {
        TTime time = c.in;
        WrapTime24(time);
        EXPECT_TRUE(SameFields(c.out, time)) << int(c.in.positive) << " " << c.in.hour;
    }
}

// All six comparisons agree with the expected order of a and b, both ways round.
template <typename Value>
void ExpectOrder(const Value& a, const Value& b, int order)
{
    EXPECT_EQ(order == 0, a == b);
    EXPECT_EQ(order != 0, a != b);
    EXPECT_EQ(order < 0, a < b);
    EXPECT_EQ(order > 0, a > b);
    EXPECT_EQ(order <= 0, a <= b);
    EXPECT_EQ(order >= 0, a >= b);
    EXPECT_EQ(order < 0, b > a);
    EXPECT_EQ(order <= 0, b >= a);
}

TEST(TimeOfDay, Comparisons)
{
    const struct {
        TTime a, b;
        int order;
    } cases[] = {
        {{1, 1, 0, 0, 0}, {1, 2, 0, 0, 0}, -1},
        {{1, 1, 59, 0, 0}, {1, 2, 0, 0, 0}, -1},
        {{1, 1, 0, 59, 0}, {1, 1, 1, 0, 0}, -1},
        {{1, 1, 0, 0, 999}, {1, 1, 0, 1, 0}, -1},
        {{1, 12, 0, 0, 0}, {1, 12, 0, 0, 1}, -1},
        {{0, 0, 0, 0, 1}, {1, 0, 0, 0, 0}, -1},
        {{0, 5, 0, 0, 0}, {1, 1, 0, 0, 0}, -1},
        // Two negative times order by magnitude the other way.
        {{0, 5, 0, 0, 0}, {0, 1, 0, 0, 0}, -1},
        // Values compare after normalising.
        {{1, 0, 60, 0, 0}, {1, 1, 0, 0, 0}, 0},
        {{1, 12, 0, 0, 0}, {1, 11, 59, 59, 1000}, 0},
        {{1, -1, 0, 0, 0}, {0, 1, 0, 0, 0}, 0},
        // A negative zero is zero.
        {{0, 0, 0, 0, 0}, {1, 0, 0, 0, 0}, 0},
        {{1, INT_MIN, 0, 0, 0}, {1, INT_MAX, 0, 0, 0}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a.hour << " vs " << c.b.hour);
        ExpectOrder(c.a, c.b, c.order);
    }
}

TEST(Calendar, DateComparisons)
{
    ExpectOrder(Date(1999, 12, 31), Date(2000, 1, 1), -1);
    ExpectOrder(Date(2000, 1, 31), Date(2000, 2, 1), -1);
    ExpectOrder(Date(2000, 2, 1), Date(2000, 2, 2), -1);
    ExpectOrder(Date(-50, 12, 31), Date(0, 1, 1), -1);
    ExpectOrder(Date(2000, 3, 8), Date(2000, 3, 8), 0);
}

TEST(NameTables, InRangeAndOutside)
{
    EXPECT_STREQ("January", EnglishMonthName(1));
    EXPECT_STREQ("December", EnglishMonthName(12));
    EXPECT_STREQ("Sunday", EnglishWeekdayName(0));
    EXPECT_STREQ("Saturday", EnglishWeekdayName(6));
    EXPECT_STREQ("睦月", JapaneseMonthName(1));
    EXPECT_STREQ("弥生", JapaneseMonthName(3));
    EXPECT_STREQ("師走", JapaneseMonthName(12));
    EXPECT_STREQ("日", JapaneseWeekdayName(0));
    EXPECT_STREQ("土", JapaneseWeekdayName(6));
    for (int month : {0, 13, -1, INT_MIN, INT_MAX}) {
        EXPECT_STREQ("\"Unidentified Month\"", EnglishMonthName(month));
        EXPECT_STREQ("\"不明な月\"", JapaneseMonthName(month));
    }
    for (int weekday : {-1, 7, INT_MIN, INT_MAX}) {
        EXPECT_STREQ("\"Unidentified DayOfWeek\"", EnglishWeekdayName(weekday));
        EXPECT_STREQ("\"不明な曜日\"", JapaneseWeekdayName(weekday));
    }
    const char* const periods[] = {"子", "丑", "寅", "卯", "辰", "巳",
                                   "午", "未", "申", "酉", "戌", "亥"};
    for (int index = 0; index < 12; ++index)
        EXPECT_STREQ(periods[index], TwoHourPeriodName(index));
    EXPECT_STREQ("", TwoHourPeriodName(12));
    EXPECT_STREQ("", TwoHourPeriodName(-1));
}

} // namespace
