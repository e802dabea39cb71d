#include "framework/dialogs/access_keys.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/util/wide_text.h"

namespace {

// Byte positions of a caption's first '&' and of the next one after it; both
// -1 when the caption has no such pair. Double-byte characters are stepped
// over whole, so a trail byte is never taken for '&'.
struct TMarker {
    int Open = -1;
    int Close = -1;
};

TMarker FindMarker(const char* text)
{
    TMarker marker;
    const int length = static_cast<int>(std::strlen(text));
    for (int i = 0; i < length; i += CharLength(length - i, text + i)) {
        if (text[i] != '&')
            continue;
        if (marker.Open < 0) {
            marker.Open = i;
        } else {
            marker.Close = i;
            return marker;
        }
    }
    return TMarker{};
}

// The characters between the two '&', each one or two bytes.
std::vector<std::string> Candidates(const char* text, const TMarker& marker)
{
    std::vector<std::string> letters;
    for (int i = marker.Open + 1; i < marker.Close;) {
        const int n = CharLength(marker.Close - i, text + i);
        letters.emplace_back(text + i, n);
        i += n;
    }
    return letters;
}

// The caption with its marker replaced by `replacement`.
std::string Replaced(const char* text, const TMarker& marker, const std::string& replacement)
{
    return std::string(text, marker.Open) + replacement + (text + marker.Close + 1);
}

// The caption without its marker, and without the parentheses that enclose it.
std::string WithoutMarker(const char* text, const TMarker& marker)
{
    if (marker.Open > 0 && text[marker.Open - 1] == '(' && text[marker.Close + 1] == ')')
        return std::string(text, marker.Open - 1) + (text + marker.Close + 2);
    return Replaced(text, marker, "");
}

}  // namespace

void AssignAccessKeys(TCaptions& captions)
{
    const size_t count = captions.List.size();
    std::vector<std::vector<std::string>> candidates(count);
    size_t longest = 0;
    for (size_t k = 0; k < count; ++k) {
        const char* text = captions.List[k]->Get();
        const TMarker marker = FindMarker(text);
        if (marker.Open >= 0)
            candidates[k] = Candidates(text, marker);
        longest = std::max(longest, candidates[k].size());
    }
    // The marker (given `letter`, or dropped for null) is found in the text
    // as it is now: offsets found before an earlier rewrite of the same text
    // would point past its end.
    auto rewrite = [&](size_t k, const char* letter) {
        TText& caption = *captions.List[k];
        const TMarker marker = FindMarker(caption.Get());
        if (marker.Close >= 0)
            caption.Set((letter ? Replaced(caption.Get(), marker, std::string("&") + letter)
                                : WithoutMarker(caption.Get(), marker)).c_str());
        candidates[k].clear();
    };
    // A handful of letters: a list searched from the front is all it needs.
    std::vector<std::string> used;
    auto isUsed = [&](const std::string& letter) {
        return std::find(used.begin(), used.end(), letter) != used.end();
    };
    auto give = [&](size_t k, const std::string& letter) {
        used.push_back(letter);
        rewrite(k, letter.c_str());
    };
    // Passes by letter position: every caption tries its i-th candidate.
    for (size_t i = 0; i < longest; ++i) {
        bool any = false;
        for (size_t k = 0; k < count; ++k) {
            if (candidates[k].size() <= i)
                continue;
            any = true;
            if (!isUsed(candidates[k][i]))
                give(k, candidates[k][i]);
        }
        if (!any || used.size() >= count)
            break;
    }
    // Whatever is left takes the next free letter; the cursor is never reset.
    char cursor = 'A';
    for (size_t k = 0; k < count; ++k) {
        if (candidates[k].empty())
            continue;
        while (cursor <= 'Z' && isUsed(std::string(1, cursor)))
            ++cursor;
        if (cursor <= 'Z') {
            give(k, std::string(1, cursor));
        } else {
            rewrite(k, nullptr);
        }
    }
    captions.KeysAssigned = true;
}

void MeasureCaption(char*& result, const char* caption)
{
    const char* text = caption ? caption : "";
    const TMarker marker = FindMarker(text);
    if (marker.Open < 0)
        result = NewText(text);
    else if (marker.Close > marker.Open + 1)
        result = NewText(Replaced(text, marker, "W").c_str());
    else
        result = NewText(WithoutMarker(text, marker).c_str());
}

int CaptionWidth(HDC dc, const char* caption)
{
    TText measured;
    MeasureCaption(measured.Slot(), caption);
    RECT rect = {0, 0, 0, 0};
    DrawTextW(dc, WideText(measured.Get()).c_str(), -1, &rect, DT_CALCRECT | DT_SINGLELINE);
    return rect.right - rect.left;
}
