// TMenuGroup: entries handled as one. Conversions and the final width go to
// every child, the measured width is the widest child's, and FindById gives the
// first child's answer. The group owns its children.
#pragma once

#include "framework/core/menu_item.h"
#include "framework/util/list.h"

class TMenuGroup : public TMenuItem {
public:
    TList<TMenuEntry*> Entries;  // owned

    TMenuGroup();
    ~TMenuGroup() override;

    // Takes the entry over: keeps it, or deletes it at once when there is no
    // memory to list it (false then, as for a null entry, which is skipped).
    bool Add(TMenuEntry* entry);
    // Deletes every child.
    void Clear();

    void MakeOwnerDraw(HMENU menu) override;
    void CaptureAndMakeOwnerDraw(HMENU menu) override;
    void MakeNormal(HMENU menu) override;
    int Measure(HDC dc) override;
    void SetWidth(int width) override;
    TMenuEntry* FindById(UINT commandId) override;
    const TMenuGroup* AsGroup() const override { return this; }

protected:
    TMenuGroup(TMenuPosition position, TIconSource* icon);
};
