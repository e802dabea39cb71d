#include "framework/util/date_format.h"

#include "framework/util/kanji_number.h"
#include "framework/util/text.h"
#include "framework/util/width_conversion.h"

#include <algorithm>
#include <cstring>
#include <string>

const char* const DefaultDateFormat = "%元号%%ｇ%年%dｍ%月%ｄ%日(%曜日%)";
const char* const DefaultTimeFormat = "%午%%ｈｈ%時%ｍｍ%分%ｓｓ%秒";

namespace {

enum class TDateField {
    YearTwo, YearFour, YearTwoFull, YearFourFull,
    EraName, EraYear, EraYearTwo, EraYearFull, EraYearTwoFull, EraYearKanji,
    Month, MonthTwo, MonthFull, MonthTwoFull, MonthKanji,
    MonthAbbreviation, MonthName, JapaneseMonth,
    Day, DayTwo, DayFull, DayTwoFull, DayKanji,
    WeekdayAbbreviation, WeekdayName, JapaneseWeekday,
    Percent,
};

enum class TTimeField {
    Minus, Plus, FullMinus, FullPlus, HalfOfDay, AmPm,
    Hour12, Hour12Two, Hour12Full, Hour12TwoFull, Hour12Kanji,
    Hour, HourTwo, HourFull, HourTwoFull, HourKanji,
    Period, PeriodQuarter,
    Minute, MinuteTwo, MinuteFull, MinuteTwoFull, MinuteKanji,
    Second, SecondTwo, SecondFull, SecondTwoFull, SecondKanji,
    Millisecond,
    Percent,
};

template <typename Field>
struct TToken {
    const char* text;
    int width; // bytes a padded field fills
    Field field;
};

using D = TDateField;
const TToken<D> DateTokens[] = {
    {"%yy%", 2, D::YearTwo},
    {"%yyyy%", 4, D::YearFour},
    {"%ｙｙ%", 4, D::YearTwoFull},
    {"%ｙｙｙｙ%", 8, D::YearFourFull},
    {"%元号%", 4, D::EraName},
    {"%g%", 2, D::EraYear},
    {"%gg%", 2, D::EraYearTwo},
    {"%ｇ%", 4, D::EraYearFull},
    {"%ｇｇ%", 4, D::EraYearTwoFull},
    {"%年%", 6, D::EraYearKanji},
    {"%m%", 2, D::Month},
    {"%dm%", 2, D::Month},
    {"%mm%", 2, D::MonthTwo},
    {"%dmm%", 2, D::MonthTwo},
    {"%ｍ%", 4, D::MonthFull},
    {"%dｍ%", 4, D::MonthFull},
    {"%ｍｍ%", 4, D::MonthTwoFull},
    {"%dｍｍ%", 4, D::MonthTwoFull},
    {"%月%", 4, D::MonthKanji},
    {"%MMM%", 3, D::MonthAbbreviation},
    {"%Month%", 9, D::MonthName},
    {"%月名%", 6, D::JapaneseMonth},
    {"%d%", 2, D::Day},
    {"%dd%", 2, D::DayTwo},
    {"%ｄ%", 4, D::DayFull},
    {"%ｄｄ%", 4, D::DayTwoFull},
    {"%日%", 6, D::DayKanji},
    {"%WWW%", 3, D::WeekdayAbbreviation},
    {"%Week%", 9, D::WeekdayName},
    {"%曜日%", 2, D::JapaneseWeekday},
    {"%%%", 1, D::Percent},
};

using T = TTimeField;
const TToken<T> TimeTokens[] = {
    {"%-%", 1, T::Minus},
    {"%+%", 1, T::Plus},
    {"%－%", 2, T::FullMinus},
    {"%＋%", 2, T::FullPlus},
    {"%午%", 4, T::HalfOfDay},
    {"%AP%", 4, T::AmPm},
    {"%h%", 2, T::Hour12},
    {"%hh%", 2, T::Hour12Two},
    {"%ｈ%", 4, T::Hour12Full},
    {"%ｈｈ%", 4, T::Hour12TwoFull},
    {"%時刻%", 4, T::Hour12Kanji},
    {"%H%", 2, T::Hour},
    {"%HH%", 2, T::HourTwo},
    {"%Ｈ%", 4, T::HourFull},
    {"%ＨＨ%", 4, T::HourTwoFull},
    {"%時間%", 6, T::HourKanji},
    {"%刻%", 2, T::Period},
    {"%刻四%", 4, T::PeriodQuarter},
    {"%m%", 2, T::Minute},
    {"%mm%", 2, T::MinuteTwo},
    {"%ｍ%", 4, T::MinuteFull},
    {"%ｍｍ%", 4, T::MinuteTwoFull},
    {"%分%", 6, T::MinuteKanji},
    {"%s%", 2, T::Second},
    {"%ss%", 2, T::SecondTwo},
    {"%ｓ%", 4, T::SecondFull},
    {"%ｓｓ%", 4, T::SecondTwoFull},
    {"%秒%", 6, T::SecondKanji},
    {"%ms%", 3, T::Millisecond},
    {"%%%", 1, T::Percent},
};

const int AllWidthClasses = WidthDigits | WidthUpper | WidthLower | WidthKana | WidthSymbols;

// Takes over an owned text produced by the conversions.
std::string Adopt(char* text)
{
    std::string result(text);
    FreeText(text);
    return result;
}

// At least `digits` digits, zero-padded; a sign comes before the zeros.
std::string Digits(long long value, int digits)
{
    // Written by hand: the C library's formatting would bring its
    // floating-point printer into the program.
    unsigned long long magnitude = value < 0 ? 0 - static_cast<unsigned long long>(value) : value;
    std::string text;
    do {
        text.insert(text.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude > 0);
    if (static_cast<int>(text.size()) < digits)
        text.insert(0, static_cast<size_t>(digits) - text.size(), '0');
    return value < 0 ? "-" + text : text;
}

std::string Plain(long long value) { return Digits(value, 1); }

std::string FullWidth(const std::string& digits)
{
    return Adopt(ToFullWidth(digits.c_str(), AllWidthClasses));
}

std::string Kanji(long long value) { return Adopt(KanjiNumber(value)); }

// The first three bytes of a name, or all of it if it is shorter.
std::string FirstThree(const char* name)
{
    return std::string(name, std::min<size_t>(3, std::strlen(name)));
}

long long FlooredMod(long long value, long long divisor)
{
    const long long rest = value % divisor;
    return rest < 0 ? rest + divisor : rest;
}

std::string DateFieldText(TDateField field, const TDate& date)
{
    const long long yearTwo = date.year % 100;
    switch (field) {
    case D::YearTwo: return Digits(yearTwo, 2);
    case D::YearFour: return Digits(date.year, 4);
    case D::YearTwoFull: return FullWidth(Digits(yearTwo, 2));
    case D::YearFourFull: return FullWidth(Digits(date.year, 4));
    case D::EraName: return EraOf(date).name;
    case D::EraYear: return Plain(EraOf(date).year);
    case D::EraYearTwo: return Digits(EraOf(date).year, 2);
    case D::EraYearFull: return FullWidth(Plain(EraOf(date).year));
    case D::EraYearTwoFull: return FullWidth(Digits(EraOf(date).year, 2));
    case D::EraYearKanji: return Kanji(EraOf(date).year);
    case D::Month: return Plain(date.month);
    case D::MonthTwo: return Digits(date.month, 2);
    case D::MonthFull: return FullWidth(Plain(date.month));
    case D::MonthTwoFull: return FullWidth(Digits(date.month, 2));
    case D::MonthKanji: return Kanji(date.month);
    case D::MonthAbbreviation: return FirstThree(EnglishMonthName(date.month));
    case D::MonthName: return EnglishMonthName(date.month);
    case D::JapaneseMonth: return JapaneseMonthName(date.month);
    case D::Day: return Plain(date.day);
    case D::DayTwo: return Digits(date.day, 2);
    case D::DayFull: return FullWidth(Plain(date.day));
    case D::DayTwoFull: return FullWidth(Digits(date.day, 2));
    case D::DayKanji: return Kanji(date.day);
    case D::WeekdayAbbreviation: return FirstThree(EnglishWeekdayName(DayOfWeek(date)));
    case D::WeekdayName: return EnglishWeekdayName(DayOfWeek(date));
    case D::JapaneseWeekday: return JapaneseWeekdayName(DayOfWeek(date));
    case D::Percent: return "%";
    }
    return std::string();
}

std::string TimeFieldText(TTimeField field, const TTime& time)
{
    TTime noon;
    noon.hour = 12;
    // Hour mod 12 is 0 at noon and midnight.
    const long long hour12 = time.hour % 12;
    switch (field) {
    case T::Minus: return time.positive ? "" : "-";
    case T::Plus: return time.positive ? "+" : "-";
    case T::FullMinus: return time.positive ? "" : "－";
    case T::FullPlus: return time.positive ? "＋" : "－";
    case T::HalfOfDay:
        if (time < noon)
            return "午前";
        return time == noon ? "正午" : "午後";
    case T::AmPm: return time < noon ? "a.m." : "p.m.";
    case T::Hour12: return Plain(hour12);
    case T::Hour12Two: return Digits(hour12, 2);
    case T::Hour12Full: return FullWidth(Plain(hour12));
    case T::Hour12TwoFull: return FullWidth(Digits(hour12, 2));
    case T::Hour12Kanji: return Kanji(hour12);
    case T::Hour: return Plain(time.hour);
    case T::HourTwo: return Digits(time.hour, 2);
    case T::HourFull: return FullWidth(Plain(time.hour));
    case T::HourTwoFull: return FullWidth(Digits(time.hour, 2));
    case T::HourKanji: return Kanji(time.hour);
    case T::Period:
        // The periods begin at the odd hours: 子 is 23:00 to 00:59.
        return TwoHourPeriodName(static_cast<int>(FlooredMod(time.hour + 1LL, 24) / 2));
    case T::PeriodQuarter:
        // One to four in half hours from the start of the period.
        return Kanji(FlooredMod(time.hour * 2LL + time.minute / 30 + 2, 4) + 1) + "つ";
    case T::Minute: return Plain(time.minute);
    case T::MinuteTwo: return Digits(time.minute, 2);
    case T::MinuteFull: return FullWidth(Plain(time.minute));
    case T::MinuteTwoFull: return FullWidth(Digits(time.minute, 2));
    case T::MinuteKanji: return Kanji(time.minute);
    case T::Second: return Plain(time.second);
    case T::SecondTwo: return Digits(time.second, 2);
    case T::SecondFull: return FullWidth(Plain(time.second));
    case T::SecondTwoFull: return FullWidth(Digits(time.second, 2));
    case T::SecondKanji: return Kanji(time.second);
    case T::Millisecond: return Digits(time.millisecond, 3);
    case T::Percent: return "%";
    }
    return std::string();
}

// Walks the template once, character by character, so the work grows with its
// length alone: at each '%' only the fixed set of tokens is tried, and an
// unknown token is consumed together with the text scanned for its closing '%'.
template <typename Field, size_t N, typename Produce>
char* FormatTemplate(const char* format, const TToken<Field> (&tokens)[N], bool pad,
                     Produce produce)
{
    if (!format)
        return NewText("");
    const int length = static_cast<int>(std::strlen(format));
    std::string out;
    out.reserve(length);
    int offset = 0;
    while (offset < length) {
        const char* p = format + offset;
        if (*p != '%') {
            const int step = CharLength(length - offset, p);
            out.append(p, step);
            offset += step;
            continue;
        }
        const TToken<Field>* match = nullptr;
        for (const TToken<Field>& token : tokens) {
            // strncmp stops at the template's NUL, so a token longer than the
            // rest of the template is never read past its end.
            if (std::strncmp(p, token.text, std::strlen(token.text)) == 0) {
                match = &token;
                break;
            }
        }
        if (match) {
            const std::string field = produce(match->field);
            if (pad && static_cast<int>(field.size()) < match->width)
                out.append(match->width - field.size(), ' ');
            out += field;
            offset += static_cast<int>(std::strlen(match->text));
            continue;
        }
        int next = offset + 1;
        while (next < length && format[next] != '%')
            next += CharLength(length - next, format + next);
        if (next < length) {
            out.append(p, next - offset + 1);
            offset = next + 1;
        } else {
            out += '%';
            offset += 1;
        }
    }
    return NewText(out.c_str(), static_cast<int>(out.size()));
}

} // namespace

char* FormatDate(const char* format, const TDate& date, bool pad)
{
    return FormatTemplate(format, DateTokens, pad,
                          [&date](TDateField field) { return DateFieldText(field, date); });
}

char* FormatTime(const char* format, const TTime& time, bool pad)
{
    return FormatTemplate(format, TimeTokens, pad,
                          [&time](TTimeField field) { return TimeFieldText(field, time); });
}
