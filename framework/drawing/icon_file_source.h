// TIconFileSource: the icons of an .ico file.
#pragma once

#include "framework/drawing/icon_source.h"

class TIconFileSource : public TIconSource {
public:
    explicit TIconFileSource(const char* path);
    ~TIconFileSource() override;

    HICON GetIcon(int kind, TIconSource* fallback) override;
    HICON CreateIcon(int width, int height, TIconSource* fallback) override;
    const char* Path() const { return FilePath; }

private:
    char* FilePath;  // owned
    HICON Small;
    HICON Large;
};
