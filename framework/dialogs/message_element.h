// TMessageElement: the content of a message, an icon beside a read-only text.
//
// A group docked at the top (aligned left, gaps 12 and 12, no caption) of
// its own two members: an icon element, which shows what the icon element
// given shows (a standard icon element, shared by the whole process and so
// never in a shape itself), and a text element. The members live and die
// with it, and keep the state of the one window it is in; a given icon
// element stays its owner's.
//
//     TMessageElement message(StandardIconElement(32516), "設定を行いました。");
#pragma once

#include "framework/dialogs/group_element.h"
#include "framework/dialogs/icon_element.h"
#include "framework/dialogs/text_element.h"

class TMessageElement : public TGroupElement {
public:
    TIconElement MessageIcon;  // like the icon element given; no icon when none is given
    TTextElement MessageText;  // after DisplayText, at least 32 high

    TMessageElement(TIconElement* icon, const char* text);
};
