// TIconElement: an icon the shape draws itself, with the system sound that
// goes with it when the shape is shown. The element keeps the state of the
// one shape it is in (where it stands, whether it started a sound), so an
// element shared by the whole process, such as a standard icon element, is
// never put in a shape: a shape's own element takes its look (ShowLike).
#pragma once

#include "framework/dialogs/element.h"

class TIconSource;

class TIconElement : public TElement {
public:
    TShape* Shape = nullptr;    // the shape it was created in, until that shape closes
    TIconSource* Icon = nullptr;
    bool SoundPlayed = false;
    int X = 0;
    int Y = 0;
    bool Enabled = true;
    int SizeKind = 1;           // IconSizeSmall (16 at 96 DPI) or IconSizeLarge (32)

    TIconElement(int dock, int align, TIconSource* icon, int sizeKind);
    explicit TIconElement(TIconSource* icon) : TIconElement(DockLeft, AlignTop, icon, 1) {}

    SIZE Measure(TShape& shape, HDC dc) override;
    void CreateControls(TShape& shape, int x, int y) override;
    void Paint(TShape& shape, HDC dc) override;
    void Enable(bool enable) override;
    void OnShapeClosed(TShape& shape) override;
    void OnShow(TShape& shape, bool shown) override;

    // Shows what `look` shows: its icon, size, place and sound.
    void ShowLike(const TIconElement& look);
    // The message-box style whose sound plays when the icon is shown; 0 for none.
    virtual unsigned int SoundStyle() const;
    // Side of the square the icon takes.
    int Side() const;

private:
    int lookSound_ = -1;  // the sound of the look taken; -1: the icon's own
};

// The sound of an icon source: the information icon (32516) and the
// program's "CURE_ICON" go with the asterisk, the exclamation (32515), hand
// (32513) and question (32514) icons with their own; any other icon is silent.
unsigned int IconSourceSound(TIconSource* icon);
// The user's switch: the "Beep" value of "Control Panel\\Sound" read as text
// is off when it is "いいえ" exactly or "No" in any letter case.
bool IsBeepSwitchedOff(const char* beep);
bool UserWantsBeeps();
