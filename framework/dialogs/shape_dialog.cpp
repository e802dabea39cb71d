#include "framework/dialogs/shape_dialog.h"

#include "framework/core/resource_text.h"
#include "framework/dialogs/shape.h"

int RunShapeDialogWith(HWND owner, const char* title, const char* settingsName, const TElementList& elements)
{
    TShape shape(owner, title);
    shape.SettingsName.Set(settingsName ? settingsName : "");
    shape.Root.Children = elements;
    return shape.RunModal();
}

int RunShapeDialogTitled(HWND owner, UINT titleId, const char* settingsName, const TElementList& elements)
{
    TText title;
    LoadRawResourceText(title.Slot(), titleId);
    return RunShapeDialogWith(owner, title.Get(), settingsName, elements);
}

int RunShapeDialog(HWND owner, UINT titleId, const char* settingsName, TElement* const* elements)
{
    return RunShapeDialogTitled(owner, titleId, settingsName, ElementsOfArray(elements));
}
