// TIconPairSource: a source made from two icons that the caller hands over.
#pragma once

#include "framework/drawing/icon_source.h"

class TIconPairSource : public TIconSource {
public:
    // Takes both icons over; a missing one is made by copying the other to
    // the small or the large size.
    TIconPairSource(HICON small, HICON large);
    ~TIconPairSource() override;

    HICON GetIcon(int kind, TIconSource* fallback) override;

private:
    HICON Small;
    HICON Large;
};
