// Dates and times written through templates of %-tokens ("%yyyy%", "%元号%",
// "%HH%", "%午%" and so on): the same field in ASCII digits, full-width
// digits, kanji numerals, English names or Japanese names.
#pragma once

#include "framework/util/date_time.h"

// The framework's own templates: era, year, month, day and weekday; half of
// day, hour, minute and second.
extern const char* const DefaultDateFormat;
extern const char* const DefaultTimeFormat;

// Each writes `format` with its tokens replaced by the fields of the date or
// time and returns a new owned text. Text outside tokens is copied; an unknown
// token is copied through up to and including the next '%', or, with no '%'
// after it, written as a single "%". With `pad`, a field shorter in bytes than
// its token's width is preceded by spaces up to that width.
char* FormatDate(const char* format, const TDate& date, bool pad);
char* FormatTime(const char* format, const TTime& time, bool pad);
