#include "framework/dialogs/element.h"

#include <commctrl.h>

#include "framework/dialogs/shape.h"
#include "framework/dialogs/transparent_button.h"
#include "framework/dialogs/transparent_control.h"
#include "framework/dialogs/transparent_editbox.h"
#include "framework/dialogs/transparent_static.h"
#include "framework/settings/app_globals.h"
#include "framework/util/system_library.h"
#include "framework/util/wide_text.h"
#include "framework/util/window_class.h"

void TElement::SetGap(int, int) {}
void TElement::OnShapeClosed(TShape&) {}
void TElement::Paint(TShape&, HDC) {}
bool TElement::OnCommand(int, HWND, int) { return false; }
bool TElement::OnContextMenu(TShape&, HWND, int, int) { return false; }
bool TElement::OnNotify(WPARAM, LPARAM) { return false; }
bool TElement::OnScroll(int, int, HWND) { return false; }
void TElement::Enable(bool) {}
void TElement::ToControls() {}
void TElement::FromControls() {}
void TElement::OnShow(TShape&, bool) {}

TElementList ElementsOfArray(TElement* const* elements)
{
    TElementList list;
    for (; elements && *elements; ++elements)
        list.push_back(*elements);
    return list;
}

namespace {

void RegisterControlClass(const char* className)
{
    struct {
        const char* name;
        void (*fill)(WNDCLASSW&);
    } const transparent[] = {
        {"TransparentButton", TTransparentButton::FillWindowClass},
        {"TransparentPushButton", TTransparentButton::FillPushWindowClass},
        {"TransparentEdit", TTransparentEditbox::FillWindowClass},
        {"TransparentStatic", TTransparentStatic::FillWindowClass},
    };
    for (const auto& kind : transparent) {
        if (lstrcmpiW(WideText(kind.name).c_str(), WideText(className).c_str()) == 0) {
            WNDCLASSW windowClass;
            kind.fill(windowClass);
            RegisterWindowClass(windowClass);
            return;
        }
    }
    // The common controls' classes, registered (and their library loaded)
    // only when one of them is wanted; the system's own classes need neither.
    const struct {
        const char* name;
        DWORD classes;
    } common[] = {
        {TRACKBAR_CLASSA, ICC_BAR_CLASSES},
        {STATUSCLASSNAMEA, ICC_BAR_CLASSES},
        {UPDOWN_CLASSA, ICC_UPDOWN_CLASS},
    };
    for (const auto& kind : common) {
        if (lstrcmpiW(WideText(kind.name).c_str(), WideText(className).c_str()) == 0) {
            InitCommonControlClasses(kind.classes);
            return;
        }
    }
}

}  // namespace

HWND CreateElementControl(TShape& shape, TWindow& field, DWORD exStyle, const char* className, const char* text,
                          DWORD style, int x, int y, int width, int height, int id)
{
    RegisterControlClass(className);
    field.Hwnd = CreateWindowExW(exStyle, WideText(className).c_str(), WideText(text).c_str(), style, x, y, width,
                                 height, shape.Hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppGlobals.Instance, nullptr);
    if (field.Hwnd)
        BindTransparentControl(field.Hwnd, &field);
    return field.Hwnd;
}
