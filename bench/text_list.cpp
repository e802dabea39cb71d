// Prints what text lists cost at 10,000 entries: Sort of random texts, Add and
// IndexOf, and reading every position with At. The list is linear by design, so
// positional access and searches grow with the square of the count; these
// figures tell callers where that starts to matter.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "framework/util/list.h"
#include "framework/util/text.h"

namespace {

class TStopwatch {
public:
    TStopwatch()
    {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    double Milliseconds() const
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
               static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_;
    LARGE_INTEGER start_;
};

std::vector<std::string> RandomTexts(int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::string> texts;
    texts.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string text;
        const int length = 4 + static_cast<int>(random() % 13);
        for (int c = 0; c < length; ++c)
            text += static_cast<char>('a' + random() % 26);
        texts.push_back(text);
    }
    return texts;
}

bool IsSorted(const TStringList& list)
{
    for (const TStringList::Node* node = list.First(); node && node->next; node = node->next) {
        if (std::strcmp(node->value, node->next->value) > 0)
            return false;
    }
    return true;
}

} // namespace

int main()
{
    const int count = 10000;
    const std::vector<std::string> texts = RandomTexts(count, 12345);

    TStringList list;
    TStopwatch addWatch;
    for (const std::string& text : texts)
        list.Add(text.c_str());
    const double addMs = addWatch.Milliseconds();

    TStopwatch findWatch;
    long long found = 0;
    for (const std::string& text : texts)
        found += list.IndexOf(text.c_str()) >= 0 ? 1 : 0;
    const double findMs = findWatch.Milliseconds();

    TStopwatch atWatch;
    size_t bytes = 0;
    for (int i = 0; i < list.Count(); ++i)
        bytes += std::strlen(list.At(i));
    const double atMs = atWatch.Milliseconds();

    TStringList sorted(list);
    TStopwatch sortWatch;
    sorted.Sort(true);
    const double sortMs = sortWatch.Milliseconds();
    const bool ascendingOk = IsSorted(sorted);

    TStopwatch resortWatch;
    sorted.Sort(true); // already in order: one pass of comparisons
    const double resortMs = resortWatch.Milliseconds();

    TStopwatch descendWatch;
    sorted.Sort(false); // reversed: every text moves to the front
    const double descendMs = descendWatch.Milliseconds();

    std::printf("text list benchmark, %d random texts of 4 to 16 letters\n", count);
    std::printf("  %-34s %10.2f ms\n", "Add, each text once", addMs);
    std::printf("  %-34s %10.2f ms  (all found: %s)\n", "IndexOf, each text once", findMs,
                found == count ? "yes" : "NO");
    std::printf("  %-34s %10.2f ms  (%zu bytes read)\n", "At(i) for every position", atMs, bytes);
    std::printf("  %-34s %10.2f ms  (in order: %s)\n", "Sort ascending, random order", sortMs,
                ascendingOk ? "yes" : "NO");
    std::printf("  %-34s %10.2f ms\n", "Sort ascending, already sorted", resortMs);
    std::printf("  %-34s %10.2f ms\n", "Sort descending, ascending input", descendMs);
    std::printf("  node count: %d (sorted copy: %d)\n", list.Count(), sorted.Count());
    return ascendingOk && found == count ? 0 : 1;
}
