// TElement: one piece of a shape's content.
//
// An element tells the shape how large it is, creates its child controls
// where the layout puts it, answers the shape's messages, keeps its value
// while no window exists, and saves and loads that value. Elements are owned
// by the code that builds them, never by the shape or the group showing them.
//
// Elements, groups and the shape stand on each other (element.cpp and
// group_element.cpp include shape.h, which holds its root group): a shape is
// made of elements, and every element works in the shape it is shown in (its
// window, its caption register). One whole in three files, kept apart by size.
#pragma once

#include <windows.h>

#include <type_traits>
#include <vector>

#include "framework/core/window.h"
#include "framework/dialogs/dock_layout.h"
#include "framework/dialogs/persistent_object.h"

class TShape;

class TElement : public TPersistentObject {
public:
    int Dock = DockFill;
    int Align = AlignCentre;

    TElement() = default;
    TElement(int dock, int align) : Dock(dock), Align(align) {}
    ~TElement() override = default;

    // The spacing a container puts after its children.
    virtual void SetGap(int x, int y);
    // The size in pixels; captions that carry access-key markers are
    // registered with the shape here.
    virtual SIZE Measure(TShape& shape, HDC dc) = 0;
    // Creates the child windows with the top-left corner at (x, y) of the
    // shape's client area.
    virtual void CreateControls(TShape& shape, int x, int y) = 0;
    // The shape's window is gone.
    virtual void OnShapeClosed(TShape& shape);
    // Draws what the element draws itself.
    virtual void Paint(TShape& shape, HDC dc);
    // The shape's messages; true when the element took it.
    virtual bool OnCommand(int id, HWND control, int code);
    virtual bool OnContextMenu(TShape& shape, HWND window, int x, int y);
    virtual bool OnNotify(WPARAM wParam, LPARAM lParam);
    virtual bool OnScroll(int code, int position, HWND control);
    virtual void Enable(bool enable);
    // The stored value into the controls, and back.
    virtual void ToControls();
    virtual void FromControls();
    // For elements in the shape's show listeners: the window was shown or hidden.
    virtual void OnShow(TShape& shape, bool shown);
};

// Element lists given as arguments: any pointers to elements, ended by a
// null (which may also be left out). Every list stops at its first null.
using TElementList = std::vector<TElement*>;

template <class... E>
using EnableIfElements = std::enable_if_t<(std::is_convertible<E, TElement*>::value && ...)>;

template <class... E>
TElementList MakeElementList(E... elements)
{
    TElementList list;
    for (TElement* element : {static_cast<TElement*>(elements)..., static_cast<TElement*>(nullptr)}) {
        if (!element)
            break;
        list.push_back(element);
    }
    return list;
}

// The elements of a null-terminated array (none for a null array).
TElementList ElementsOfArray(TElement* const* elements);

// Creates one control of an element: registers the transparent class it
// names (the common controls are initialised for the others), creates the
// window as a child of the shape with the program's instance, keeps the
// handle in `field` and stores the field in the control as the transparent
// classes require. Null when the window could not be made.
HWND CreateElementControl(TShape& shape, TWindow& field, DWORD exStyle, const char* className, const char* text,
                          DWORD style, int x, int y, int width, int height, int id);
