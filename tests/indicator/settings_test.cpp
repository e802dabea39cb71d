// The settings dialog: the icon-set choice is stored and applied only on OK.
#include <windows.h>

#include "framework/util/display_text.h"
#include "framework/util/text.h"
#include "tests/indicator/indicator_fixture.h"

namespace {

const DWORD Missing = 0xFFFFFFFF;

// Opens the settings dialog (or brings it forward) and waits for it.
HWND OpenSettings(const TIndicator& indicator)
{
    TText title;
    DisplayText(title.Slot(), "Pelorum 設定");
    PostMessageA(indicator.Monitor, WM_COMMAND, 191, 0);
    return WaitForShape(indicator.Id(), title.Get());
}

HWND Option(HWND dialog, char set)
{
    return FindChildByText(dialog, (std::string("Type &") + set).c_str());
}

bool Checked(HWND button)
{
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Screenshot(HWND window, const char* name)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT area;
    GetWindowRect(window, &area);
    SaveScreenshot(CaptureScreen(area), name);
}

// The pictures the menu shows beside the three lock items.
void ExpectLockItemPictures(const TIndicator& indicator, char set)
{
    PostMessageA(indicator.Monitor, TrayNotifyMessage, TrayIconIdentifier, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (menu = FindProcessWindow(indicator.Id(), "#32768")); }, StartTimeoutMs));
    RECT area;
    GetWindowRect(menu, &area);
    for (int index : {4, 2, 1}) {
        const std::string picture = IndicatorIconName(set, index);
        EXPECT_TRUE(PumpUntil([&] { return PictureIn(area, {picture}) == picture; }, StartTimeoutMs)) << picture;
    }
    PostMessageA(indicator.Monitor, WM_CANCELMODE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(menu); }, StartTimeoutMs));
}

}  // namespace

TEST_F(IndicatorTest, SettingsChooseTheIconSetOnOkOnly)
{
    StartIndicator();
    // Each row opens the dialog, finds the choice shown, picks one and ends it.
    const struct {
        char shown;     // the option checked on opening
        char pick;      // the option clicked, or 0
        int end;        // the button that ends the dialog
        DWORD stored;   // "IconSet" afterwards
        char set;       // the set the tray shows
        const char* screenshot;
    } rows[] = {
        {'A', 0, IDCANCEL, Missing, 'A', "settings_set_a.png"},  // first start: set A, cancel writes nothing
        {'A', 'B', IDCANCEL, Missing, 'A', nullptr},             // B, then cancel: dropped
        {'A', 'B', IDOK, 1, 'B', "settings_set_b.png"},          // B and OK: stored and applied at once
        {'B', 0, IDOK, 1, 'B', nullptr},                          // OK unchanged writes the same again
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(1, row.pick ? row.pick : '-') + (row.end == IDOK ? " OK" : " cancel"));
        HWND dialog = OpenSettings(indicator_);
        ASSERT_NE(nullptr, dialog);
        EXPECT_TRUE(Checked(Option(dialog, row.shown)));
        EXPECT_FALSE(Checked(Option(dialog, row.shown == 'A' ? 'B' : 'A')));
        if (row.pick) {
            SendMessageA(Option(dialog, row.pick), BM_CLICK, 0, 0);
            EXPECT_TRUE(Checked(Option(dialog, row.pick)));
        }
        if (row.screenshot)
            Screenshot(dialog, row.screenshot);
        PressButton(dialog, row.end);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, StartTimeoutMs));
        EXPECT_EQ(row.stored, ReadSetting(nullptr, "IconSet", Missing));
        ExpectTrayPicture(IndicatorIconName(row.set, 0));
    }
    ExpectLockItemPictures(indicator_, 'B');

    // Asked for again while open (and minimised), the dialog comes forward.
    HWND dialog = OpenSettings(indicator_);
    ShowWindow(dialog, SW_MINIMIZE);
    EXPECT_EQ(dialog, OpenSettings(indicator_));
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(dialog); }, StartTimeoutMs));
    PressButton(dialog, IDCANCEL);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, StartTimeoutMs));
}

// A value written by hand other than 0 and 1 selects set B as well.
TEST_F(IndicatorTest, StoredIconSetTwoUsesSetB)
{
    WriteSetting("IconSet", 2);
    StartIndicator();
    EXPECT_EQ(0, TypeInSteps({"d90 u90 d91 u91"}, [&](size_t) {
                  ExpectTrayPicture("INDICATORB5_ICON");
                  SaveScreenshot(CaptureScreen(TrayCorner()), "indicator_tray_b.png");
              }));
    ExpectLockItemPictures(indicator_, 'B');
}
