// TGroupElement: elements laid out by the docking rule, optionally inside a
// group box with a caption.
//
// The children are not owned; the group keeps a copy of the list it was
// given. Every construction form exists with the children as a
// null-terminated array and as arguments:
//     TGroupElement row(DockLeft, AlignTop, 12, 12, &first, &second, nullptr);
//     TGroupElement box("ﾊﾞｰｼﾞｮﾝ情報", &text, nullptr);
#pragma once

#include <vector>

#include "framework/dialogs/element.h"
#include "framework/util/text.h"

class TGroupElement : public TElement {
public:
    int GapX = 0;  // at 96 DPI, scaled for the display when measuring
    int GapY = 0;
    TText Caption;  // after DisplayText; empty: no group box
    TWindow FrameWindow;
    int Width = 0;
    int Height = 0;
    TElementList Children;
    std::vector<SIZE> Sizes;       // gaps included
    std::vector<POINT> Positions;  // inside the group

    TGroupElement() = default;
    // Array forms.
    explicit TGroupElement(TElement* const* children);
    TGroupElement(int gapX, int gapY, TElement* const* children);
    TGroupElement(TDock dock, TAlign align, TElement* const* children);
    TGroupElement(TDock dock, TAlign align, int gapX, int gapY, TElement* const* children);
    TGroupElement(const char* caption, TElement* const* children);
    TGroupElement(int gapX, int gapY, const char* caption, TElement* const* children);
    TGroupElement(TDock dock, TAlign align, const char* caption, TElement* const* children);
    TGroupElement(TDock dock, TAlign align, int gapX, int gapY, const char* caption, TElement* const* children);
    // Argument-list forms.
    template <class... E, class = EnableIfElements<E...>>
    explicit TGroupElement(E... children) : TGroupElement(DockFill, AlignCentre, 0, 0, nullptr, MakeElementList(children...))
    {
    }
    template <class... E, class = EnableIfElements<E...>>
    TGroupElement(int gapX, int gapY, E... children)
        : TGroupElement(DockFill, AlignCentre, gapX, gapY, nullptr, MakeElementList(children...))
    {
    }
    template <class... E, class = EnableIfElements<E...>>
    TGroupElement(TDock dock, TAlign align, E... children)
        : TGroupElement(dock, align, 0, 0, nullptr, MakeElementList(children...))
    {
    }
    template <class... E, class = EnableIfElements<E...>>
    TGroupElement(TDock dock, TAlign align, int gapX, int gapY, E... children)
        : TGroupElement(dock, align, gapX, gapY, nullptr, MakeElementList(children...))
    {
    }
    template <class... E, class = EnableIfElements<E...>>
    TGroupElement(const char* caption, E... children)
        : TGroupElement(DockFill, AlignCentre, 0, 0, caption, MakeElementList(children...))
    {
    }
    template <class... E, class = EnableIfElements<E...>>
    TGroupElement(int gapX, int gapY, const char* caption, E... children)
        : TGroupElement(DockFill, AlignCentre, gapX, gapY, caption, MakeElementList(children...))
    {
    }
    template <class... E, class = EnableIfElements<E...>>
    TGroupElement(TDock dock, TAlign align, const char* caption, E... children)
        : TGroupElement(dock, align, 0, 0, caption, MakeElementList(children...))
    {
    }
    template <class... E, class = EnableIfElements<E...>>
    TGroupElement(TDock dock, TAlign align, int gapX, int gapY, const char* caption, E... children)
        : TGroupElement(dock, align, gapX, gapY, caption, MakeElementList(children...))
    {
    }
    TGroupElement(int dock, int align, int gapX, int gapY, const char* caption, TElementList children);
    ~TGroupElement() override = default;

    void SetChildren(TElement* const* children) { Children = ElementsOfArray(children); }
    template <class... E, class = EnableIfElements<E...>>
    void SetChildren(E... children)
    {
        Children = MakeElementList(children...);
    }
    // The group-box title, after DisplayText (null: none).
    void SetCaption(const char* caption);

    void SaveTo(const TRegistryKeyChain& key) override;
    void LoadFrom(const TRegistryKeyChain& key) override;
    void SetGap(int x, int y) override;
    SIZE Measure(TShape& shape, HDC dc) override;
    void CreateControls(TShape& shape, int x, int y) override;
    void OnShapeClosed(TShape& shape) override;
    void Paint(TShape& shape, HDC dc) override;
    bool OnCommand(int id, HWND control, int code) override;
    bool OnContextMenu(TShape& shape, HWND window, int x, int y) override;
    bool OnNotify(WPARAM wParam, LPARAM lParam) override;
    bool OnScroll(int code, int position, HWND control) override;
    void Enable(bool enable) override;
    void ToControls() override;
    void FromControls() override;
};

// What a caption adds around a group's content at 96 DPI (scaled for the
// display): 18 on the left, right and top, 8 below.
enum : int {
    GroupBoxExtraWidth = 36,
    GroupBoxExtraHeight = 26,
    GroupBoxInset = 18,
};
