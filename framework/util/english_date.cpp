#include "framework/util/english_date.h"

#include "framework/util/text.h"

namespace {

const char* const MonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};

}  // namespace

std::string EnglishDate(const TDate& date)
{
    // The system's formatter, as everywhere in the program: the C runtime's
    // own would bring its floating-point printing into the program.
    TText text;
    if (date.month >= 1 && date.month <= 12)
        StrFormat(text.Slot(), 64, "%s %d, %d", MonthNames[date.month - 1], date.day, date.year);
    else
        StrFormat(text.Slot(), 64, "Month %d %d, %d", date.month, date.day, date.year);
    return text.Get();
}

std::string EnglishTime(const TTime& time)
{
    const int hour = time.hour % 24;
    TText text;
    StrFormat(text.Slot(), 64, "%d:%02d:%02d %s", hour % 12 == 0 ? 12 : hour % 12, time.minute, time.second,
              hour < 12 ? "AM" : "PM");
    return text.Get();
}
