// Formatting time against template length: the time per token should stay flat
// as the template grows (a linear walk), for known tokens, unknown tokens and
// lone percent signs alike. Also the width conversions over long texts.
#include "framework/util/date_format.h"
#include "framework/util/text.h"
#include "framework/util/width_conversion.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

std::string Repeat(const char* piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

template <typename Run>
void Measure(const char* name, int count, Run run)
{
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    const size_t bytes = run();
    QueryPerformanceCounter(&end);
    const double seconds = Seconds(start, end);
    std::printf("%-28s %9d pieces %10.3f ms %8.1f ns/piece  (%zu bytes out)\n", name, count,
                seconds * 1e3, seconds * 1e9 / count, bytes);
}

} // namespace

int main()
{
    TDate date;
    date.year = 2000;
    date.month = 3;
    date.day = 8;
    TTime time;
    time.hour = 14;
    time.minute = 5;
    time.second = 9;
    for (int count : {1000, 10000, 100000, 1000000}) {
        const std::string dates = Repeat("%元号%%ｇ%年%dｍ%月%ｄ%日(%曜日%)", count);
        Measure("date, default template", count, [&] {
            char* text = FormatDate(dates.c_str(), date, true);
            const size_t size = strlen(text);
            FreeText(text);
            return size;
        });
        const std::string times = Repeat("%午%%ｈｈ%時%ｍｍ%分%ｓｓ%秒", count);
        Measure("time, default template", count, [&] {
            char* text = FormatTime(times.c_str(), time, true);
            const size_t size = strlen(text);
            FreeText(text);
            return size;
        });
        const std::string unknown = Repeat("%x", count);
        Measure("unknown tokens %x", count, [&] {
            char* text = FormatDate(unknown.c_str(), date, false);
            const size_t size = strlen(text);
            FreeText(text);
            return size;
        });
        const std::string percents = "%" + Repeat("abc", count);
        Measure("one '%' then plain text", count, [&] {
            char* text = FormatDate(percents.c_str(), date, false);
            const size_t size = strlen(text);
            FreeText(text);
            return size;
        });
        const std::string kana = Repeat("ﾍﾙﾌﾟ(&H) ｶﾞｷﾞ", count);
        Measure("ToFullWidth, 12-byte piece", count, [&] {
            char* text = ToFullWidth(kana.c_str(), WidthKana | WidthSymbols);
            const size_t size = strlen(text);
            FreeText(text);
            return size;
        });
        const std::string wide = Repeat("ヘルプ（＆Ｈ）　ガギ", count);
        Measure("ToHalfWidth, 10-char piece", count, [&] {
            char* text = ToHalfWidth(wide.c_str(), WidthKana | WidthSymbols | WidthUpper);
            const size_t size = strlen(text);
            FreeText(text);
            return size;
        });
        std::printf("\n");
    }
    return 0;
}
