#include "framework/util/english_date.h"

#include <cstdio>

namespace {

const char* const MonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};

}  // namespace

std::string EnglishDate(const TDate& date)
{
    char text[64];
    if (date.month >= 1 && date.month <= 12)
        std::snprintf(text, sizeof text, "%s %d, %d", MonthNames[date.month - 1], date.day, date.year);
    else
        std::snprintf(text, sizeof text, "Month %d %d, %d", date.month, date.day, date.year);
    return text;
}

std::string EnglishTime(const TTime& time)
{
    const int hour = time.hour % 24;
    char text[64];
    std::snprintf(text, sizeof text, "%d:%02d:%02d %s", hour % 12 == 0 ? 12 : hour % 12, time.minute, time.second,
                  hour < 12 ? "AM" : "PM");
    return text;
}
