#include "framework/util/date_time.h"

#include <windows.h>

#include <climits>
#include <cstring>

namespace {

const long long MillisecondsPerSecond = 1000;
const long long MillisecondsPerMinute = 60 * MillisecondsPerSecond;
const long long MillisecondsPerHour = 60 * MillisecondsPerMinute;
const long long MillisecondsPerDay = 24 * MillisecondsPerHour;

// The last day of the Julian calendar; the next day is 15 October 1582.
const TDate LastJulianDay = {1582, 10, 14};
const TDate FirstReformGapDay = {1582, 10, 5};

// Eras in the order they are searched: the first whose start is on or before
// the date is the date's era.
struct TEraStart {
    const char* name;
    TDate start;
};
const TEraStart EraTable[] = {
    {"令和", {2019, 5, 1}},
    {"平成", {1989, 1, 8}},
    {"昭和", {1926, 12, 25}},
    {"大正", {1912, 7, 30}},
    {"明治", {1868, 9, 8}},
    {"西暦", {1, 1, 1}},
};
// Before this year the era tables are not used: the Western year is shown.
const int FirstEraYear = 1873;
const char* const WesternEra = "西暦";

const char* const EnglishMonths[] = {"January", "February", "March",     "April",
                                     "May",     "June",     "July",      "August",
                                     "September", "October", "November", "December"};
const char* const EnglishWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                       "Thursday", "Friday", "Saturday"};
const char* const JapaneseMonths[] = {"睦月", "如月", "弥生", "卯月", "皐月", "水無月",
                                      "文月", "葉月", "長月", "神無月", "霜月", "師走"};
const char* const JapaneseWeekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
const char* const TwoHourPeriods[] = {"子", "丑", "寅", "卯", "辰", "巳",
                                      "午", "未", "申", "酉", "戌", "亥"};

const char* const UnknownEnglishMonth = "\"Unidentified Month\"";
const char* const UnknownEnglishWeekday = "\"Unidentified DayOfWeek\"";
const char* const UnknownJapaneseMonth = "\"不明な月\"";
const char* const UnknownJapaneseWeekday = "\"不明な曜日\"";

const char MonthAbbreviations[] = "JanFebMarAprMayJunJulAugSepOctNovDec";

long long FlooredMod(long long value, long long divisor)
{
    const long long rest = value % divisor;
    return rest < 0 ? rest + divisor : rest;
}

// The leading integer of a text, as the C library reads one (blanks, a sign,
// digits), held at the int range instead of overflowing.
int ReadInteger(const char* text)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    long long value = 0;
    while (*text >= '0' && *text <= '9') {
        if (value <= INT_MAX)
            value = value * 10 + (*text - '0');
        ++text;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

// The length of a text, looking at no more than `limit` bytes of it.
size_t BoundedLength(const char* text, size_t limit)
{
    size_t length = 0;
    while (length < limit && text[length] != '\0')
        ++length;
    return length;
}

// The time's fields as one signed count of milliseconds.
long long SignedMilliseconds(const TTime& time)
{
    const long long magnitude = time.hour * MillisecondsPerHour +
                                time.minute * MillisecondsPerMinute +
                                time.second * MillisecondsPerSecond + time.millisecond;
    return time.positive ? magnitude : -magnitude;
}

// Splits a non-negative count of milliseconds into the fields; an hour count
// beyond the int range is held at its largest value.
void SetFields(TTime& time, long long magnitude)
{
    const long long hours = magnitude / MillisecondsPerHour;
    time.hour = hours > INT_MAX ? INT_MAX : static_cast<int>(hours);
    time.minute = static_cast<int>(magnitude / MillisecondsPerMinute % 60);
    time.second = static_cast<int>(magnitude / MillisecondsPerSecond % 60);
    time.millisecond = static_cast<int>(magnitude % MillisecondsPerSecond);
}

int CompareTimes(const TTime& a, const TTime& b)
{
    const long long x = SignedMilliseconds(a);
    const long long y = SignedMilliseconds(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

int CompareDates(const TDate& a, const TDate& b)
{
    if (a.year != b.year)
        return a.year < b.year ? -1 : 1;
    if (a.month != b.month)
        return a.month < b.month ? -1 : 1;
    if (a.day != b.day)
        return a.day < b.day ? -1 : 1;
    return 0;
}

} // namespace

bool IsLeapYear(int year)
{
    if (year > 1582)
        return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (year >= 8)
        return year % 4 == 0;
    if (year >= -46 && year <= -9)
        return year % 3 == 0;
    return false;
}

int DaysInMonth(int year, int month)
{
    if (month < 1 || month > 12)
        return 0;
    if (year < -8) {
        if (month == 2)
            return IsLeapYear(year) ? 30 : 29;
        return month % 2 == 1 ? 31 : 30;
    }
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYear(year))
        return 29;
    return lengths[month - 1];
}

bool IsValidDate(const TDate& date)
{
    if (date.month < 1 || date.month > 12)
        return false;
    if (date.day < 1 || date.day > DaysInMonth(date.year, date.month))
        return false;
    return !(date >= FirstReformGapDay && date <= LastJulianDay);
}

int DayOfWeek(const TDate& date)
{
    if (date <= LastJulianDay || date.month < 1 || date.month > 12)
        return -1;
    long long year = date.year;
    long long month = date.month;
    if (month < 3) { // January and February count as months 13 and 14 of the year before
        month += 12;
        year -= 1;
    }
    const long long sum =
        year + year / 4 + year / 400 + (13 * month + 8) / 5 + date.day - year / 100;
    return static_cast<int>(FlooredMod(sum, 7));
}

TEraYear EraOf(const TDate& date)
{
    if (date.year >= FirstEraYear) {
        for (const TEraStart& era : EraTable) {
            if (era.start <= date)
                return {era.name, date.year - era.start.year + 1};
        }
    }
    return {WesternEra, date.year};
}

TDate Today()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    TDate date;
    date.year = now.wYear;
    date.month = now.wMonth;
    date.day = now.wDay;
    return date;
}

TTime Now()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    TTime time;
    time.positive = 1;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    time.millisecond = now.wMilliseconds;
    return time;
}

TDate ParseBuildDate(const char* text)
{
    // "Mmm dd yyyy": the year is read from offset 7, so a shorter text has no date.
    const size_t yearOffset = 7;
    TDate date;
    if (!text || BoundedLength(text, yearOffset + 1) <= yearOffset)
        return date;
    for (int month = 0; month < 12; ++month) {
        if (std::strncmp(text, MonthAbbreviations + 3 * month, 3) == 0) {
            date.month = month + 1;
            break;
        }
    }
    date.day = ReadInteger(text + 4);
    date.year = ReadInteger(text + yearOffset);
    return date;
}

TTime ParseBuildTime(const char* text)
{
    // "hh:mm:ss": the second is read from offset 6, so a shorter text has no time.
    const size_t secondOffset = 6;
    TTime time;
    if (!text || BoundedLength(text, secondOffset + 1) <= secondOffset)
        return time;
    time.hour = ReadInteger(text);
    time.minute = ReadInteger(text + 3);
    time.second = ReadInteger(text + secondOffset);
    return time;
}

bool IsValidTime(const TTime& time)
{
    return time.positive && time.hour >= 0 && time.hour <= 23 && time.minute >= 0 &&
           time.minute <= 60 && time.second >= 0 && time.second <= 60 &&
           time.millisecond >= 0 && time.millisecond <= 999;
}

void NormalizeTime(TTime& time)
{
    // Carrying each field into the next, borrowing while a field is negative,
    // leaves the total unchanged; a negative total flips the sign flag.
    long long total = time.hour * MillisecondsPerHour + time.minute * MillisecondsPerMinute +
                      time.second * MillisecondsPerSecond + time.millisecond;
    if (total < 0) {
        time.positive = time.positive ? 0 : 1;
        total = -total;
    }
    SetFields(time, total);
}

void WrapTime24(TTime& time)
{
    // Adding or taking away whole days one at a time would take as many steps
    // as the time has days; the remainder gives the same result at once.
    const long long wrapped = FlooredMod(SignedMilliseconds(time), MillisecondsPerDay);
    time.positive = 1;
    SetFields(time, wrapped);
}

bool operator==(const TTime& a, const TTime& b) { return CompareTimes(a, b) == 0; }
bool operator!=(const TTime& a, const TTime& b) { return CompareTimes(a, b) != 0; }
bool operator<(const TTime& a, const TTime& b) { return CompareTimes(a, b) < 0; }
bool operator>(const TTime& a, const TTime& b) { return CompareTimes(a, b) > 0; }
bool operator<=(const TTime& a, const TTime& b) { return CompareTimes(a, b) <= 0; }
bool operator>=(const TTime& a, const TTime& b) { return CompareTimes(a, b) >= 0; }

bool operator==(const TDate& a, const TDate& b) { return CompareDates(a, b) == 0; }
bool operator!=(const TDate& a, const TDate& b) { return CompareDates(a, b) != 0; }
bool operator<(const TDate& a, const TDate& b) { return CompareDates(a, b) < 0; }
bool operator>(const TDate& a, const TDate& b) { return CompareDates(a, b) > 0; }
bool operator<=(const TDate& a, const TDate& b) { return CompareDates(a, b) <= 0; }
bool operator>=(const TDate& a, const TDate& b) { return CompareDates(a, b) >= 0; }

const char* EnglishMonthName(int month)
{
    return month >= 1 && month <= 12 ? EnglishMonths[month - 1] : UnknownEnglishMonth;
}

const char* EnglishWeekdayName(int weekday)
{
    return weekday >= 0 && weekday <= 6 ? EnglishWeekdays[weekday] : UnknownEnglishWeekday;
}

const char* JapaneseMonthName(int month)
{
    return month >= 1 && month <= 12 ? JapaneseMonths[month - 1] : UnknownJapaneseMonth;
}

const char* JapaneseWeekdayName(int weekday)
{
    return weekday >= 0 && weekday <= 6 ? JapaneseWeekdays[weekday] : UnknownJapaneseWeekday;
}

const char* TwoHourPeriodName(int index)
{
    return index >= 0 && index <= 11 ? TwoHourPeriods[index] : "";
}
