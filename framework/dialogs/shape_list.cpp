#include "framework/dialogs/shape_list.h"

#include <algorithm>
#include <vector>

#include "framework/dialogs/shape.h"
#include "framework/drawing/background.h"

namespace {

// Used by the user-interface thread only.
std::vector<TShape*> liveShapes;
std::vector<TShape*> modelessShapes;

void Remove(std::vector<TShape*>& list, TShape* shape)
{
    list.erase(std::remove(list.begin(), list.end(), shape), list.end());
}

}  // namespace

void RegisterLiveShape(TShape* shape)
{
    liveShapes.push_back(shape);
}

void RegisterModelessShape(TShape* shape)
{
    if (std::find(modelessShapes.begin(), modelessShapes.end(), shape) == modelessShapes.end())
        modelessShapes.push_back(shape);
}

void UnregisterShape(TShape* shape)
{
    Remove(liveShapes, shape);
    Remove(modelessShapes, shape);
}

bool TShape::TranslateShapeMessage(MSG& message)
{
    for (size_t i = 0; i < modelessShapes.size();) {
        TShape* shape = modelessShapes[i];
        if (!shape->Hwnd || !IsWindow(shape->Hwnd)) {
            // Off the list before the elements hear of it, so the walk stays valid.
            modelessShapes.erase(modelessShapes.begin() + static_cast<std::ptrdiff_t>(i));
            shape->Hwnd = nullptr;
            shape->CleanupShape();
            continue;
        }
        if (GetActiveWindow() == shape->Hwnd &&
            (PreTranslateShapeKey(shape->Accelerators.data(), static_cast<int>(shape->Accelerators.size()), *shape,
                                  message) ||
             IsDialogMessageA(shape->Hwnd, &message) || shape->PreTranslate(message)))
            return true;
        ++i;
    }
    return false;
}

void TShape::CloseAllShapes()
{
    while (!modelessShapes.empty()) {
        TShape* shape = modelessShapes.front();
        modelessShapes.erase(modelessShapes.begin());
        // A window still open would outlive the object that its creator is about to free.
        if (shape->Hwnd && IsWindow(shape->Hwnd))
            DestroyWindow(shape->Hwnd);
        shape->Hwnd = nullptr;
        shape->CleanupShape();
    }
    DeleteBackgrounds();
}

void ShowAllShapes(bool show)
{
    const std::vector<TShape*> shapes = liveShapes;
    for (TShape* shape : shapes) {
        if (shape->Hwnd && IsWindow(shape->Hwnd) && (!show || shape->ShowOnCreate))
            ShowWindow(shape->Hwnd, show ? SW_SHOW : SW_HIDE);
    }
}

void CloseDropDownLists()
{
    TWindow::PostToMatching(NoWindow, "FloatComboListClass", "DropDownList", WM_KILLFOCUS, 0, 0);
}
