// TWithoutStereotypeElement: the check box that suppresses a message.
//
// Labelled "次回からこのメッセージを表示しない(&WITHOUTSTEREOTYPEMESSAGE&)"
// (do not show this message from next time on). When the user ticks it and
// answers, the answer is kept under the application's key, in the subkey
// "WithoutStereotype", as a REG_DWORD named after the message (the element's
// Name, else the shape's SettingsName). From then on the message answers
// itself with that button without ever being shown, unless Shift is held
// while it comes up. The value lives only there: SaveTo and LoadFrom keep
// nothing.
//
// The element comes after the button row among the shape's elements, so that
// the remembered button exists when the element looks for it.
#pragma once

#include "framework/dialogs/check_element.h"

extern const char WithoutStereotypeLabel[];    // the label above
extern const char WithoutStereotypeLabelEnglish[];  // "Do not show this message again"
extern const char WithoutStereotypeKeyName[];  // "WithoutStereotype"
// The help topic of the check box.
enum : int { WithoutStereotypeHelpId = 1001 };

class TWithoutStereotypeElement : public TCheckElement {
public:
    bool ShiftHeld = false;  // Shift was down when the message was measured
    DWORD StoredAnswer = 0;  // the remembered button; 0: none

    TWithoutStereotypeElement(int dock, const char* label, bool checked, TElement* attached);
    // The box of a framework message: docked at the bottom, on the right,
    // unticked, with the label above, named after the message.
    explicit TWithoutStereotypeElement(const char* name);

    void SaveTo(const TRegistryKeyChain& key) override;
    void LoadFrom(const TRegistryKeyChain& key) override;
    SIZE Measure(TShape& shape, HDC dc) override;
    void CreateControls(TShape& shape, int x, int y) override;
    void OnShapeClosed(TShape& shape) override;

private:
    bool AnswersItself() const { return StoredAnswer != 0 && !ShiftHeld; }
};
