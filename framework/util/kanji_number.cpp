#include "framework/util/kanji_number.h"

#include "framework/util/text.h"

#include <string>

namespace {

const char* const Digits[] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
const char* const PlaceUnits[] = {"", "十", "百", "千"};
// Each unit stands for a group of four more digits; five of them cover every
// 64-bit value.
const char* const GroupUnits[] = {"", "万", "億", "兆", "京"};
const char* const Zero = "零";
const char* const MinusSign = "－";

// A group of up to four digits. The "一" is left out before 十, 百 and 千.
void AppendGroup(std::string& out, int group)
{
    const int divisors[] = {1000, 100, 10, 1};
    for (int place = 3; place >= 0; --place) {
        const int digit = group / divisors[3 - place] % 10;
        if (digit == 0)
            continue;
        if (digit != 1 || place == 0)
            out += Digits[digit];
        out += PlaceUnits[place];
    }
}

} // namespace

char* KanjiNumber(long long value)
{
    if (value == 0)
        return NewText(Zero);
    std::string out;
    // The magnitude as unsigned, so that the most negative value has one too.
    unsigned long long magnitude = static_cast<unsigned long long>(value);
    if (value < 0) {
        out += MinusSign;
        magnitude = 0 - magnitude;
    }
    int groups[5] = {};
    int count = 0;
    while (magnitude > 0 && count < 5) {
        groups[count++] = static_cast<int>(magnitude % 10000);
        magnitude /= 10000;
    }
    for (int index = count - 1; index >= 0; --index) {
        if (groups[index] == 0)
            continue;
        // A group of exactly one under a unit keeps its "一": 10000 is "一万".
        if (groups[index] == 1 && index > 0)
            out += Digits[1];
        else
            AppendGroup(out, groups[index]);
        out += GroupUnits[index];
    }
    return NewText(out.c_str(), static_cast<int>(out.size()));
}
