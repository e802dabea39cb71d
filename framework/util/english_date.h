// Dates and times as an English reader writes them: "December 8, 2026" and
// "3:04:05 PM" (Gregorian, 12-hour clock), in plain ASCII.
#pragma once

#include <string>

#include "framework/util/date_time.h"

// A month outside 1 to 12 gives "Month 13 8, 2026"; a year before 1, its
// number as it is.
std::string EnglishDate(const TDate& date);
std::string EnglishTime(const TTime& time);
