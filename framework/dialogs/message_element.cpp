#include "framework/dialogs/message_element.h"

#include "framework/drawing/icon_source.h"

TMessageElement::TMessageElement(TIconElement* icon, const char* text)
    : TGroupElement(DockTop, AlignLeft, 12, 12, nullptr, TElementList()),
      MessageIcon(DockLeft, AlignTop, nullptr, IconSizeLarge),
      MessageText(DockLeft, AlignCentre, text, false)
{
    if (icon)
        MessageIcon.ShowLike(*icon);
    SetChildren(&MessageIcon, &MessageText);
}
