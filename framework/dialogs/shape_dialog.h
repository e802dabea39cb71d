// RunShapeDialog: a temporary shape owned by `owner`, with the settings name
// under which its placement is remembered, run modally with the given
// elements and destroyed; the result is the shape's. Six forms: without a
// title, with a title, and with a title from the program's string table,
// each with the elements as a null-terminated array or as arguments:
//
//     const int answer = RunShapeDialog(owner, "Register", &buttons, &message, &check, nullptr);
#pragma once

#include <windows.h>

#include "framework/dialogs/element.h"

// The one routine behind the six forms; a null title gives none.
int RunShapeDialogWith(HWND owner, const char* title, const char* settingsName, const TElementList& elements);

inline int RunShapeDialog(HWND owner, const char* settingsName, TElement* const* elements)
{
    return RunShapeDialogWith(owner, nullptr, settingsName, ElementsOfArray(elements));
}

template <class... E, class = EnableIfElements<E...>>
int RunShapeDialog(HWND owner, const char* settingsName, E... elements)
{
    return RunShapeDialogWith(owner, nullptr, settingsName, MakeElementList(elements...));
}

inline int RunShapeDialog(HWND owner, const char* title, const char* settingsName, TElement* const* elements)
{
    return RunShapeDialogWith(owner, title ? title : "", settingsName, ElementsOfArray(elements));
}

template <class... E, class = EnableIfElements<E...>>
int RunShapeDialog(HWND owner, const char* title, const char* settingsName, E... elements)
{
    return RunShapeDialogWith(owner, title ? title : "", settingsName, MakeElementList(elements...));
}

// The title is the string resource `titleId`.
int RunShapeDialog(HWND owner, UINT titleId, const char* settingsName, TElement* const* elements);

int RunShapeDialogTitled(HWND owner, UINT titleId, const char* settingsName, const TElementList& elements);

template <class... E, class = EnableIfElements<E...>>
int RunShapeDialog(HWND owner, UINT titleId, const char* settingsName, E... elements)
{
    return RunShapeDialogTitled(owner, titleId, settingsName, MakeElementList(elements...));
}
