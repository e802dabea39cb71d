#include "framework/dialogs/group_element.h"

#include "framework/core/display_text.h"
#include "framework/dialogs/dock_layout.h"
#include "framework/dialogs/element_values.h"
#include "framework/dialogs/shape.h"
#include "framework/drawing/display_scale.h"

TGroupElement::TGroupElement(int dock, int align, int gapX, int gapY, const char* caption, TElementList children)
    : TElement(dock, align), GapX(gapX), GapY(gapY), Children(std::move(children))
{
    SetCaption(caption);
}

TGroupElement::TGroupElement(TElement* const* children)
    : TGroupElement(DockFill, AlignCentre, 0, 0, nullptr, ElementsOfArray(children))
{
}

TGroupElement::TGroupElement(int gapX, int gapY, TElement* const* children)
    : TGroupElement(DockFill, AlignCentre, gapX, gapY, nullptr, ElementsOfArray(children))
{
}

TGroupElement::TGroupElement(TDock dock, TAlign align, TElement* const* children)
    : TGroupElement(dock, align, 0, 0, nullptr, ElementsOfArray(children))
{
}

TGroupElement::TGroupElement(TDock dock, TAlign align, int gapX, int gapY, TElement* const* children)
    : TGroupElement(dock, align, gapX, gapY, nullptr, ElementsOfArray(children))
{
}

TGroupElement::TGroupElement(const char* caption, TElement* const* children)
    : TGroupElement(DockFill, AlignCentre, 0, 0, caption, ElementsOfArray(children))
{
}

TGroupElement::TGroupElement(int gapX, int gapY, const char* caption, TElement* const* children)
    : TGroupElement(DockFill, AlignCentre, gapX, gapY, caption, ElementsOfArray(children))
{
}

TGroupElement::TGroupElement(TDock dock, TAlign align, const char* caption, TElement* const* children)
    : TGroupElement(dock, align, 0, 0, caption, ElementsOfArray(children))
{
}

TGroupElement::TGroupElement(TDock dock, TAlign align, int gapX, int gapY, const char* caption,
                             TElement* const* children)
    : TGroupElement(dock, align, gapX, gapY, caption, ElementsOfArray(children))
{
}

void TGroupElement::SetCaption(const char* caption)
{
    DisplayText(Caption.Slot(), caption ? caption : "");
}

void TGroupElement::SaveTo(const TRegistryKeyChain& key)
{
    WithSubKey(key, Name, [this](const TRegistryKeyChain& chain) {
        for (TElement* child : Children)
            child->SaveTo(chain);
    });
}

void TGroupElement::LoadFrom(const TRegistryKeyChain& key)
{
    WithSubKey(key, Name, [this](const TRegistryKeyChain& chain) {
        for (TElement* child : Children)
            child->LoadFrom(chain);
    });
}

void TGroupElement::SetGap(int x, int y)
{
    GapX = x;
    GapY = y;
}

SIZE TGroupElement::Measure(TShape& shape, HDC dc)
{
    if (Caption.Length() > 0)
        shape.Captions.Register(Caption);
    std::vector<TDockItem> items;
    for (TElement* child : Children)
        items.push_back(TDockItem{child->Dock, child->Align, child->Measure(shape, dc)});
    TDockLayout layout = DockLayout(items, ScaledLength(GapX), ScaledLength(GapY));
    Sizes = std::move(layout.Sizes);
    Positions = std::move(layout.Positions);
    Width = layout.Total.cx;
    Height = layout.Total.cy;
    if (Caption.Length() > 0) {
        Width += ScaledLength(GroupBoxExtraWidth);
        Height += ScaledLength(GroupBoxExtraHeight);
    }
    return SIZE{Width, Height};
}

void TGroupElement::CreateControls(TShape& shape, int x, int y)
{
    const bool framed = Caption.Length() > 0;
    if (framed) {
        CreateElementControl(shape, FrameWindow, 0, "TransparentButton", Caption.Get(),
                             WS_CHILD | WS_VISIBLE | BS_GROUPBOX, x, y, Width, Height, -1);
        x += ScaledLength(GroupBoxInset);
        y += ScaledLength(GroupBoxInset);
    }
    // Positions belong to the last Measure; a child added since has none.
    for (size_t i = 0; i < Children.size() && i < Positions.size(); ++i)
        Children[i]->CreateControls(shape, x + Positions[i].x, y + Positions[i].y);
    // Under its children, so that they stay clickable.
    if (framed && FrameWindow.Hwnd)
        SetWindowPos(FrameWindow.Hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TGroupElement::OnShapeClosed(TShape& shape)
{
    FrameWindow = TWindow();
    for (TElement* child : Children)
        child->OnShapeClosed(shape);
}

void TGroupElement::Paint(TShape& shape, HDC dc)
{
    for (TElement* child : Children)
        child->Paint(shape, dc);
}

bool TGroupElement::OnCommand(int id, HWND control, int code)
{
    for (TElement* child : Children)
        if (child->OnCommand(id, control, code))
            return true;
    return false;
}

bool TGroupElement::OnContextMenu(TShape& shape, HWND window, int x, int y)
{
    for (TElement* child : Children)
        if (child->OnContextMenu(shape, window, x, y))
            return true;
    return false;
}

bool TGroupElement::OnNotify(WPARAM wParam, LPARAM lParam)
{
    for (TElement* child : Children)
        if (child->OnNotify(wParam, lParam))
            return true;
    return false;
}

bool TGroupElement::OnScroll(int code, int position, HWND control)
{
    for (TElement* child : Children)
        if (child->OnScroll(code, position, control))
            return true;
    return false;
}

void TGroupElement::Enable(bool enable)
{
    for (TElement* child : Children)
        child->Enable(enable);
}

void TGroupElement::ToControls()
{
    for (TElement* child : Children)
        child->ToControls();
}

void TGroupElement::FromControls()
{
    for (TElement* child : Children)
        child->FromControls();
}
