// TModuleIconSource: the icon at one index of a module's icon table.
#pragma once

#include "framework/drawing/icon_source.h"

class TModuleIconLibrary;

class TModuleIconSource : public TIconSource {
public:
    // An index of 0 or more is a position in the table; a negative one names
    // the group icon whose integer id is -index.
    TModuleIconSource(TModuleIconLibrary* library, int index);

    HICON GetIcon(int kind, TIconSource* fallback) override;  // every size kind
    HICON CreateIcon(int width, int height, TIconSource* fallback) override;
    TModuleIconLibrary* Library() const { return IconLibrary; }
    int Index() const { return IconIndex; }

private:
    TModuleIconLibrary* IconLibrary;  // owned by the module record
    int IconIndex;
};
