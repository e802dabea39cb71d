// TSystemIconSource: one of the system's predefined icons (32512 application,
// 32513 hand, 32514 question, 32515 exclamation, 32516 asterisk, 32517 logo).
#pragma once

#include "framework/drawing/icon_source.h"

class TSystemIconSource : public TIconSource {
public:
    explicit TSystemIconSource(int id);
    ~TSystemIconSource() override;

    HICON GetIcon(int kind, TIconSource* fallback) override;
    HICON CreateIcon(int width, int height, TIconSource* fallback) override;
    const TSystemIconSource* AsSystemIcon() const override { return this; }
    int Id() const { return IconId; }

private:
    int IconId;
    HICON Small;  // the system's image of the small size, owned
    HICON Large;  // the system's shared icon, never destroyed
};
