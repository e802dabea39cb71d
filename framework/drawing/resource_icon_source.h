// TResourceIconSource: an icon group resource of a module, by name.
#pragma once

#include "framework/drawing/icon_source.h"

class TResourceIconSource : public TIconSource {
public:
    // The name is not copied: it must live as long as the source (a literal).
    TResourceIconSource(HINSTANCE instance, const char* name);
    ~TResourceIconSource() override;

    HICON GetIcon(int kind, TIconSource* fallback) override;
    HICON CreateIcon(int width, int height, TIconSource* fallback) override;
    const char* Name() const { return ResourceName; }

private:
    HINSTANCE Instance;
    const char* ResourceName;
    HICON Small;
    HICON Large;
};
