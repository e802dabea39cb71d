#include "framework/core/menu_group.h"

#include <algorithm>

TMenuGroup::TMenuGroup() : TMenuItem(TMenuPosition{-1})
{
}

TMenuGroup::TMenuGroup(TMenuPosition position, TIconSource* icon) : TMenuItem(position, icon)
{
}

TMenuGroup::~TMenuGroup()
{
    Clear();
}

bool TMenuGroup::Add(TMenuEntry* entry)
{
    if (!entry)
        return false;
    if (Entries.Add(entry))
        return true;
    delete entry;
    return false;
}

void TMenuGroup::Clear()
{
    for (auto* node = Entries.First(); node; node = node->next)
        delete node->value;
    Entries.Clear();
}

void TMenuGroup::MakeOwnerDraw(HMENU menu)
{
    for (auto* node = Entries.First(); node; node = node->next)
        node->value->MakeOwnerDraw(menu);
}

void TMenuGroup::CaptureAndMakeOwnerDraw(HMENU menu)
{
    for (auto* node = Entries.First(); node; node = node->next)
        node->value->CaptureAndMakeOwnerDraw(menu);
}

void TMenuGroup::MakeNormal(HMENU menu)
{
    for (auto* node = Entries.First(); node; node = node->next)
        node->value->MakeNormal(menu);
}

int TMenuGroup::Measure(HDC dc)
{
    int widest = 0;
    for (auto* node = Entries.First(); node; node = node->next)
        widest = std::max(widest, node->value->Measure(dc));
    return widest;
}

void TMenuGroup::SetWidth(int width)
{
    for (auto* node = Entries.First(); node; node = node->next)
        node->value->SetWidth(width);
}

TMenuEntry* TMenuGroup::FindById(UINT commandId)
{
    for (auto* node = Entries.First(); node; node = node->next) {
        if (TMenuEntry* found = node->value->FindById(commandId))
            return found;
    }
    return nullptr;
}
