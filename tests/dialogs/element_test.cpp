// Elements with their values: registry persistence, check boxes and radio
// groups following clicks with their attached elements, the icon's sound,
// and a gallery of every kind in one shape, pictured for review.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/dialogs/buttons_element.h"
#include "framework/dialogs/check_element.h"
#include "framework/dialogs/icon_element.h"
#include "framework/dialogs/radio_element.h"
#include "framework/dialogs/spin_edit_element.h"
#include "framework/dialogs/text_element.h"
#include "framework/dialogs/text_list_element.h"
#include "framework/dialogs/trackbar_element.h"
#include "framework/drawing/icon_caches.h"
#include "framework/settings/registry_values.h"
#include "framework/settings/settings_key.h"
#include "framework/util/resource_names.h"
#include "tests/canvas.h"
#include "tests/core/extras_fixture.h"
#include "tests/dialogs/beep_setting.h"
#include "tests/dialogs/shape_fixture.h"

namespace {

std::vector<std::string> Texts(const TStringList& list)
{
    std::vector<std::string> texts;
    for (TStringList::Node* node = list.First(); node; node = node->next)
        texts.push_back(node->value);
    return texts;
}

}  // namespace

TEST(ElementValues, SavedAndLoadedThroughTheKeyChain)
{
    TTestSettings settings("ElementValues");
    TCheckElement inner(DockTop, "Inner", true, nullptr);
    inner.Name.Set("Inner");
    TRadioOption a(0, "A"), b(1, "B", &inner);
    TRadioGroupElement choice(3, &a, &b, nullptr);
    choice.Name.Set("Choice");
    TCheckElement flag(DockTop, "Flag", false, nullptr);
    flag.Name.Set("Flag");
    TSpinEditElement count(DockTop, 5, 0, 10);
    count.Name.Set("Count");
    TListBoxElement names(DockTop, 80, 60);
    names.Name.Set("Names");
    TGroupElement panel(&flag, &count, nullptr);
    panel.Name.Set("Panel");
    TShape shape(nullptr, "Values", &choice, &panel, &names, nullptr);
    shape.Name.Set("Dialog");
    TSettingsKey app(AppGlobals.AppKey, nullptr);

    // Nothing stored: every element keeps its default.
    shape.LoadFrom(app.Chain());
    EXPECT_EQ(3, choice.Value);
    EXPECT_FALSE(flag.Checked);
    EXPECT_TRUE(inner.Checked);
    EXPECT_EQ(5, count.Value);

    choice.Value = 1;
    flag.Checked = true;
    inner.Checked = false;
    count.Value = 7;
    for (const char* name : {"x", "y", "z"})
        names.Items.Add(name);
    names.SelectText.Set("y");
    shape.SaveTo(app.Chain());
    DWORD stored = 0;
    // A named shape and a named group each add their subkey; an attached element uses its option's key.
    EXPECT_EQ(4u, settings.Read("App\\Dialog\\Panel", "Flag", &stored, sizeof stored));
    EXPECT_EQ(1u, stored);
    EXPECT_EQ(4u, settings.Read("App\\Dialog", "Inner", &stored, sizeof stored));
    EXPECT_EQ(0u, stored);
    char text[16] = "";
    EXPECT_EQ(2u, settings.Read("App\\Dialog\\Names", "000001", text, sizeof text));
    EXPECT_STREQ("y", text);

    // A shorter list leaves no stale items behind.
    names.Items.Clear();
    names.Items.Add("only");
    shape.SaveTo(app.Chain());
    EXPECT_EQ(0u, settings.Read("App\\Dialog\\Names", "000001", text, sizeof text));

    choice.Value = 0;
    flag.Checked = false;
    inner.Checked = true;
    count.Value = 0;
    names.Items.Clear();
    names.SelectText.Set("");
    shape.LoadFrom(app.Chain());
    EXPECT_EQ(1, choice.Value);
    EXPECT_TRUE(flag.Checked);
    EXPECT_FALSE(inner.Checked);
    EXPECT_EQ(7, count.Value);
    EXPECT_EQ(std::vector<std::string>{"only"}, Texts(names.Items));
    EXPECT_STREQ("y", names.SelectText.Get());

    // Values written by hand: any non-zero number ticks, a number out of range is brought inside.
    const DWORD two = 2, big = 99;
    settings.Write("App\\Dialog\\Panel", "Flag", REG_DWORD, &two, sizeof two);
    settings.Write("App\\Dialog\\Panel", "Count", REG_DWORD, &big, sizeof big);
    flag.Checked = false;
    shape.LoadFrom(app.Chain());
    EXPECT_TRUE(flag.Checked);
    EXPECT_EQ(10, count.Value);
}

TEST(ElementValues, AnElementWithoutANameLoadsNothing)
{
    TTestSettings settings("ElementValues");
    // Values an empty name could be taken to mean: the key's default value and a named one.
    const DWORD one = 1, three = 3;
    settings.Write("App", "", REG_DWORD, &three, sizeof three);
    settings.Write("App", "Inner", REG_DWORD, &one, sizeof one);
    TCheckElement inner(DockTop, "Inner", false, nullptr);
    inner.Name.Set("Inner");
    TCheckElement check(DockTop, "Check", false, &inner);
    TRadioOption a(0, "A"), b(1, "B");
    TRadioGroupElement choice(0, &a, &b, nullptr);
    TSpinEditElement spin(DockTop, 5, 0, 10);
    TTrackbarElement slider(DockTop, 40, 0, 100);
    TGroupElement all(&check, &choice, &spin, &slider, nullptr);
    // What the user chose, none of it a default.
    check.Checked = true;
    choice.Value = 1;
    spin.Value = 7;
    slider.Value = 60;
    all.LoadFrom(TSettingsKey(AppGlobals.AppKey, nullptr).Chain());
    EXPECT_TRUE(check.Checked);
    EXPECT_EQ(1, choice.Value);
    EXPECT_EQ(7, spin.Value);
    EXPECT_EQ(60, slider.Value);
    EXPECT_TRUE(inner.Checked) << "a named element attached to an unnamed one still loads";
}

namespace {

class TChangeCounter : public TShape {
public:
    using TShape::TShape;
    std::vector<TElement*> Changed;
    void OnElementChanged(TElement* element) override { Changed.push_back(element); }
};

}  // namespace

TEST(ElementControls, CheckBoxesAndRadioGroupsFollowClicks)
{
    UseTestModule();
    TTextElement note(DockTop, AlignCentre, "beside", true);
    TCheckElement check(DockTop, "Check", false, &note);
    TSpinEditElement spin(DockLeft, 2, 0, 10);
    TRadioOption first(10, "First"), second(20, "Second", &spin);
    TRadioChoiceElement choice(10, &first, &second, nullptr);
    TButtonRecord ok(IDOK, "OK");
    TButtonsElement buttons(DockBottom, &ok, nullptr);
    TChangeCounter shape(nullptr, "Clicks", &buttons, &check, &choice, nullptr);
    auto clickOption = [&](int index, int code) {
        HWND option = choice.Options[static_cast<size_t>(index)].Control.Hwnd;
        SendMessageA(shape.Hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(option), code), reinterpret_cast<LPARAM>(option));
    };
    const int result = RunScripted(
        shape, {WhenActive(shape),
                [&] {
                    EXPECT_FALSE(IsWindowEnabled(note.Control.Hwnd));
                    EXPECT_FALSE(IsWindowEnabled(spin.Edit.Hwnd));
                    SendMessageA(check.Control.Hwnd, BM_CLICK, 0, 0);
                    EXPECT_TRUE(check.Checked);
                    EXPECT_TRUE(IsWindowEnabled(note.Control.Hwnd));
                    SendMessageA(choice.Options[1].Control.Hwnd, BM_CLICK, 0, 0);
                    EXPECT_EQ(20, choice.Value);
                    EXPECT_TRUE(IsWindowEnabled(spin.Edit.Hwnd));
                    EXPECT_EQ((std::vector<TElement*>{&check, &choice}), shape.Changed);
                    // Another notification than a click, or a click on the current option, changes nothing.
                    clickOption(0, BN_SETFOCUS);
                    clickOption(1, BN_CLICKED);
                    EXPECT_EQ(2u, shape.Changed.size());
                    // Values set by the program reach the controls.
                    check.Checked = false;
                    check.ToControls();
                    EXPECT_EQ(BST_UNCHECKED, SendMessageA(check.Control.Hwnd, BM_GETCHECK, 0, 0));
                    EXPECT_FALSE(IsWindowEnabled(note.Control.Hwnd));
                    SetWindowTextA(spin.Edit.Hwnd, "8");
                    EXPECT_EQ(8, spin.Value);
                    // A double click on an option accepts the dialog.
                    clickOption(1, BN_DOUBLECLICKED);
                    return true;
                }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(20, choice.Value);
    EXPECT_FALSE(check.Checked);
    EXPECT_EQ(8, spin.Value);
}

TEST(IconElement, SoundByIconAndTheUsersBeepSetting)
{
    UseTestModule();
    const struct {
        const char* beep;
        bool off;
    } switches[] = {{"いいえ", true}, {"No", true}, {"nO", true}, {"Yes", false}, {"はい", false}, {"", false},
                    {"Nope", false}, {"いいえ ", false}};
    for (const auto& row : switches)
        EXPECT_EQ(row.off, IsBeepSwitchedOff(row.beep)) << row.beep;
    const struct {
        TIconSource* icon;
        unsigned int style;
    } sounds[] = {{SystemIcon(32516), MB_ICONASTERISK}, {SystemIcon(32515), MB_ICONEXCLAMATION},
                  {SystemIcon(32513), MB_ICONHAND},     {SystemIcon(32514), MB_ICONQUESTION},
                  {ResourceIcon(CURE_ICON_NAME), MB_ICONASTERISK},
                  {SystemIcon(32512), 0}, {ResourceIcon(OK_ICON_NAME), 0}, {nullptr, 0}};
    for (const auto& row : sounds)
        EXPECT_EQ(row.style, IconSourceSound(row.icon));

    // Shown: the first sounding icon plays, the second stays quiet; hidden: both clear.
    TBeepSetting beep;
    for (const char* setting : {"No", "Yes"}) {
        beep.Set(setting);
        TIconElement information(SystemIcon(32516)), exclamation(SystemIcon(32515));
        TShape shape(nullptr, "Sound", &information, &exclamation, nullptr);
        shape.ShowModeless(0);
        const bool plays = setting[0] == 'Y';
        EXPECT_EQ(plays, shape.SoundPlaying) << setting;
        EXPECT_EQ(plays, information.SoundPlayed) << setting;
        EXPECT_FALSE(exclamation.SoundPlayed);
        ShowWindow(shape.Hwnd, SW_HIDE);
        EXPECT_FALSE(shape.SoundPlaying);
        EXPECT_FALSE(information.SoundPlayed);
    }
}

namespace {

// Group boxes hold other controls, and an up-down control overlaps its
// buddy's border on purpose: neither counts as overlapping.
bool MayOverlap(HWND window)
{
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    return (lstrcmpiA(name, "TransparentButton") == 0 &&
            (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX) ||
           lstrcmpiA(name, UPDOWN_CLASSA) == 0;
}

}  // namespace

TEST(ShapeGallery, EveryElementKindLaidOutWithoutOverlaps)
{
    UseTestModule();
    TIconElement information(SystemIcon(32516));
    TTextElement message(DockLeft, AlignCentre, "部品の見本です。\r\nすべての種類を一つの窓に並べました。", false);
    TGroupElement header(DockTop, AlignLeft, 12, 12, &information, &message, nullptr);

    TButtonRecord ok(IDOK, "OK", ResourceIcon(OK_ICON_NAME)), cancel(IDCANCEL, "ｷｬﾝｾﾙ", ResourceIcon(CANCEL_ICON_NAME)),
        retry(-1, "再開(&RETRY&)"), repeat(-1, "繰返(&REPEAT&)", nullptr, false);
    TButtonsElement buttons(DockBottom, &ok, &cancel, &retry, &repeat, nullptr);
    TPushButtonElement close(TButtonRecord(3, "閉じる(&CLOSE&)", ResourceIcon(CLOSE_ICON_NAME)));

    TTextElement besideNote(DockTop, AlignCentre, "横の説明", true);
    TCheckElement beside(DockTop, "横に添える(&BESIDE&)", true, &besideNote);
    TSpinEditElement spin(DockLeft, 3, 0, 9);
    TCheckElement under(DockTop, "下に添える(&UNDER&)", false, &spin);
    beside.Align = under.Align = AlignLeft;
    TTrackbarElement slider(DockTop, 40, 0, 100);
    TComboBoxElement combo(DockTop, 140, false);
    TListBoxElement list(DockTop, 140, 52);
    for (const char* item : {"一番目", "二番目", "三番目"}) {
        combo.Items.Add(item);
        list.Items.Add(item);
    }
    combo.SelectText.Set("二番目");
    list.SelectText.Set("三番目");
    TGroupElement settings(DockLeft, AlignTop, 6, 6, "設定(&SETTINGS&)", &beside, &under, &slider, &combo, &list,
                           nullptr);

    std::vector<TIconElement*> icons;
    TGroupElement rowA(DockLeft, AlignTop, 4, 4, nullptr), rowB(DockLeft, AlignTop, 4, 4, nullptr);
    for (int i = 0; i < 8; ++i) {
        icons.push_back(new TIconElement(DockLeft, AlignTop, ResourceIcon(IndicatorIconNamesA[i]), 0));
        rowA.Children.push_back(icons.back());
        icons.push_back(new TIconElement(DockLeft, AlignTop, ResourceIcon(IndicatorIconNamesB[i]), 0));
        rowB.Children.push_back(icons.back());
    }
    TTextElement kindNote(DockLeft, AlignCentre, "どちらでもない", true);
    TRadioOption a(0, "Type &A&", &rowA), b(1, "Type &B&", &rowB), c(2, "Type &C&", &kindNote), d(3, "Type &D&");
    TRadioGroupElement kind(1, &a, &c, &b, &d, nullptr);
    kind.Columns = 2;
    kind.SetCaption("種類(&KIND&)");

    TShape shape(nullptr, "見本", &buttons, &close, &header, &settings, &kind, nullptr);
    shape.StatusBarId = -1;
    const int result = RunScripted(
        shape, {WhenActive(shape), [&] {
                    EXPECT_EQ("再開(&R)", TextOf(buttons.Buttons[2].Control.Hwnd));
                    EXPECT_EQ("繰返(&E)", TextOf(buttons.Buttons[3].Control.Hwnd));
                    EXPECT_EQ("設定(&S)", TextOf(settings.FrameWindow.Hwnd));
                    EXPECT_FALSE(IsWindowEnabled(buttons.Buttons[3].Control.Hwnd));
                    EXPECT_FALSE(IsWindowEnabled(spin.Edit.Hwnd));
                    // The common controls' windows, made once their library is loaded.
                    for (HWND control : {spin.UpDown.Hwnd, slider.Control.Hwnd, shape.StatusBar})
                        EXPECT_TRUE(IsWindow(control));
                    RECT client;
                    GetClientRect(shape.Hwnd, &client);
                    std::vector<HWND> children;
                    for (HWND child = GetWindow(shape.Hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                        if (IsWindowVisible(child) && !MayOverlap(child))
                            children.push_back(child);
                    for (size_t i = 0; i < children.size(); ++i) {
                        RECT own, other, both;
                        GetWindowRect(children[i], &own);
                        MapWindowPoints(nullptr, shape.Hwnd, reinterpret_cast<POINT*>(&own), 2);
                        EXPECT_TRUE(own.left >= 0 && own.top >= 0 && own.right <= client.right &&
                                    own.bottom <= client.bottom)
                            << TextOf(children[i]) << " lies outside the client area";
                        for (size_t j = i + 1; j < children.size(); ++j) {
                            GetWindowRect(children[j], &other);
                            MapWindowPoints(nullptr, shape.Hwnd, reinterpret_cast<POINT*>(&other), 2);
                            EXPECT_FALSE(IntersectRect(&both, &own, &other))
                                << "\"" << TextOf(children[i]) << "\" overlaps \"" << TextOf(children[j]) << "\"";
                        }
                    }
                    // The status line of a menu item with a help text.
                    SendMessageA(shape.Hwnd, WM_MENUSELECT, MAKEWPARAM(4102, MF_STRING),
                                 reinterpret_cast<LPARAM>(GetSystemMenu(shape.Hwnd, FALSE)));
                    EXPECT_STREQ("状態行の説明", shape.StatusLine.StatusText.Get());
                    RedrawWindow(shape.Hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                    PumpPending();
                    RECT window;
                    GetWindowRect(shape.Hwnd, &window);
                    EXPECT_TRUE(SaveScreenshot(CaptureScreen(window), "shape_gallery.png"));
                    shape.EndShape(IDOK);
                    return true;
                }});
    EXPECT_EQ(IDOK, result);
    for (TIconElement* icon : icons)
        delete icon;
}
