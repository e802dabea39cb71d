// Access keys chosen for a whole shape at once.
//
// A caption may carry a marker: a pair of '&' around candidate letters, as in
// "再開(&RETRY&)". While a shape measures its elements they register every
// caption they are about to show; AssignAccessKeys then gives each marked
// caption a letter no other caption of the shape uses, trying its candidates
// position by position, then any free letter from A to Z, and rewrites the
// caption in place ("再開(&R)"). A caption for which no letter is left loses
// its marker. Captions without a marker, and letters already written as "&X",
// take no part.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/util/text.h"

struct TCaptions {
    bool KeysAssigned = false;
    std::vector<TText*> List;  // the elements' own captions, rewritten in place

    // A caption registered again (an element measured twice) stays one
    // caption: one text, one letter.
    void Register(TText& caption)
    {
        if (std::find(List.begin(), List.end(), &caption) == List.end())
            List.push_back(&caption);
    }
    void Clear()
    {
        List.clear();
        KeysAssigned = false;
    }
};

void AssignAccessKeys(TCaptions& captions);

// The text a caption is measured as before its key is known: a marker with
// candidates stands as "W"; an empty marker goes, with the parentheses around
// it; a caption without a marker is measured as it is. A new owned text in
// `result` (not freed first).
void MeasureCaption(char*& result, const char* caption);
// The width of MeasureCaption's text in the DC's font, '&' prefixes taken as
// the system draws them.
int CaptionWidth(HDC dc, const char* caption);
