// Calendar dates and times of day, the calendar model behind them (leap years,
// month lengths, the Gregorian reform gap, weekdays, Japanese eras), the
// compiler-style build date and time, and the name tables the formatters use.
#pragma once

struct TDate {
    int year = 0;  // may be zero or negative
    int month = 0; // 1 to 12
    int day = 0;   // 1 to 31
};

// A time of day, or a signed duration: the fields hold the magnitude and
// `positive` its sign (1 for zero or more).
struct TTime {
    unsigned char positive = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Calendar rules.
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValidDate(const TDate& date);
// 0 (Sunday) to 6 (Saturday); -1 for dates up to the last Julian day, 14 October 1582.
int DayOfWeek(const TDate& date);

// The Japanese era of a date and the year within it. The name is a static text;
// years before 1873 give the Western era ("西暦") and the year itself.
struct TEraYear {
    const char* name;
    int year;
};
TEraYear EraOf(const TDate& date);

// The local date, and the local time of day with milliseconds.
TDate Today();
TTime Now();

// The compiler's date ("Mar  8 2000") and time ("02:23:59") forms. A text too
// short to hold every field gives the zero date or the zero time.
TDate ParseBuildDate(const char* text);
TTime ParseBuildTime(const char* text);

bool IsValidTime(const TTime& time);
// Carries milliseconds into seconds, seconds into minutes and minutes into hours
// so that each lies in its range, and turns a negative result into its magnitude
// with the sign flag inverted.
void NormalizeTime(TTime& time);
// The same instant on a 24-hour dial: 0:00:00.000 up to, not including, 24:00.
void WrapTime24(TTime& time);

// Times compare by their normalised signed values; dates by year, month, day.
bool operator==(const TTime& a, const TTime& b);
bool operator!=(const TTime& a, const TTime& b);
bool operator<(const TTime& a, const TTime& b);
bool operator>(const TTime& a, const TTime& b);
bool operator<=(const TTime& a, const TTime& b);
bool operator>=(const TTime& a, const TTime& b);

bool operator==(const TDate& a, const TDate& b);
bool operator!=(const TDate& a, const TDate& b);
bool operator<(const TDate& a, const TDate& b);
bool operator>(const TDate& a, const TDate& b);
bool operator<=(const TDate& a, const TDate& b);
bool operator>=(const TDate& a, const TDate& b);

// Name tables. Each returns a static text; an index outside the table gives the
// table's quoted "unknown" text.
const char* EnglishMonthName(int month);       // 1 to 12
const char* EnglishWeekdayName(int weekday);   // 0 (Sunday) to 6
const char* JapaneseMonthName(int month);      // 1 to 12
const char* JapaneseWeekdayName(int weekday);  // 0 to 6
// The twelve two-hour periods, index 0 (子, 23:00 to 00:59) to 11; the empty
// text outside.
const char* TwoHourPeriodName(int index);
