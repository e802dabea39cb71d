// The settings dialog: the icon-set choice is stored and applied only on OK.
#include <windows.h>

#include "framework/core/display_text.h"
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
    return WaitForShape(indicator.info.dwProcessId, title.Get());
}

bool Checked(HWND dialog, char set)
{
    HWND option = FindWindowExA(dialog, nullptr, nullptr, (std::string("Type &") + set).c_str());
    return SendMessageA(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace

TEST_F(IndicatorTest, SettingsChooseTheIconSetOnOkOnly)
{
    StartIndicator();
    const struct {
        char shown, pick;  // the option checked on opening, the one clicked (0: none)
        int end;           // the button that ends the dialog
        DWORD stored;      // "IconSet" afterwards
        const char* screenshot;
    } rows[] = {
        {'A', 0, IDCANCEL, Missing, "settings_set_a.png"},  // first start: set A; cancel writes nothing
        {'A', 'B', IDCANCEL, Missing, nullptr},             // B and cancel: dropped
        {'A', 'B', IDOK, 1, "settings_set_b.png"},          // B and OK: stored and shown at once
        {'B', 0, IDOK, 1, nullptr},                          // OK unchanged writes it again
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(1, row.pick ? row.pick : '-') + (row.end == IDOK ? " OK" : " cancel"));
        HWND dialog = OpenSettings(indicator_);
        ASSERT_NE(nullptr, dialog);
        EXPECT_TRUE(Checked(dialog, row.shown));
        EXPECT_FALSE(Checked(dialog, row.shown ^ 'A' ^ 'B'));
        if (row.pick) {
            SendMessageA(FindWindowExA(dialog, nullptr, nullptr, "Type &B"), BM_CLICK, 0, 0);
            EXPECT_TRUE(Checked(dialog, row.pick));
        }
        if (row.screenshot)
            Screenshot(dialog, row.screenshot);
        PressButton(dialog, row.end);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, Patience));
        // The choice is stored once the dialog has gone, before the monitor answers again.
        DWORD_PTR ignored;
        SendMessageTimeoutA(indicator_.Monitor, WM_NULL, 0, 0, SMTO_NORMAL, Patience, &ignored);
        EXPECT_EQ(row.stored, ReadSetting(nullptr, "IconSet", Missing));
        ExpectTrayPicture(IconName(row.stored == 1 ? 'B' : 'A', 0));
    }
    ExpectLockItemPictures(indicator_, 'B');

    // Asked for again while open (and minimised), the dialog comes forward.
    HWND dialog = OpenSettings(indicator_);
    ShowWindow(dialog, SW_MINIMIZE);
    EXPECT_EQ(dialog, OpenSettings(indicator_));
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(dialog); }, Patience));
    PressButton(dialog, IDCANCEL);
}

// A value written by hand other than 0 and 1 selects set B as well.
TEST_F(IndicatorTest, StoredIconSetTwoUsesSetB)
{
    const DWORD two = 2;
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Velquist\\Indicator\\1.x", "IconSet", REG_DWORD, &two, sizeof two);
    StartIndicator();
    EXPECT_EQ(0, TypeInSteps({"d90 u90 d91 u91"}, [&](size_t) {
                  ExpectTrayPicture("INDICATORB5_ICON");
                  SaveScreenshot(CaptureScreen(TrayCorner()), "indicator_tray_b.png");
                  ExpectLockItemPictures(indicator_, 'B');  // Num and Scroll Lock checked in the picture
              }));
}

// Any stored value: the dialog marks the set the tray shows, and the value stays until confirmed.
TEST_F(IndicatorTest, SettingsMarkTheSetTheTrayShows)
{
    const struct { DWORD stored; char shown; } rows[] = {{0, 'A'}, {2, 'B'}, {3, 'B'}, {0x7FFFFFFF, 'B'}, {0x80000000, 'B'}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Velquist\\Indicator\\1.x", "IconSet", REG_DWORD, &row.stored,
                        sizeof row.stored);
        TIndicator indicator;
        ASSERT_TRUE(indicator.Start("/restore"));
        ExpectTrayPicture(IconName(row.shown, 0));
        HWND dialog = OpenSettings(indicator);
        ASSERT_NE(nullptr, dialog);
        EXPECT_TRUE(Checked(dialog, row.shown));
        EXPECT_FALSE(Checked(dialog, row.shown ^ 'A' ^ 'B'));
        PressButton(dialog, IDCANCEL);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, Patience));
        EXPECT_EQ(0, indicator.Close());
        EXPECT_EQ(row.stored, ReadSetting(nullptr, "IconSet", Missing));
    }
}
