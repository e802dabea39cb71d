// TMessageElement: the content of a message, an icon beside a read-only text.
//
// A group docked at the top (aligned left, gaps 12 and 12, no caption) of
// two children: the icon element given, or the element's own icon element
// when none is given, and its own text element. Its own two members live and
// die with it; a given icon element stays its owner's.
//
//     TMessageElement message(StandardIconElement(32516), "設定を行いました。");
#pragma once

#include "framework/dialogs/group_element.h"
#include "framework/dialogs/icon_element.h"
#include "framework/dialogs/text_element.h"

class TMessageElement : public TGroupElement {
public:
    TIconElement MessageIcon;  // shown when no icon element is given; no icon until one is set
    TTextElement MessageText;  // after DisplayText, at least 32 high

    TMessageElement(TIconElement* icon, const char* text);
};
