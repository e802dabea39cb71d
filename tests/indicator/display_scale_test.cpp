// The indicator on displays at 144 and 192 DPI (the tests' prefixes of those
// scales): the tray shows the picture drawn for the system's small-icon size,
// the menu's items and icons and the on-screen display follow the scale, and
// the message box and the settings and version dialogs come out scaled with
// none of their texts cut.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/core/display_text.h"
#include "framework/core/menu_item.h"
#include "framework/core/owner_draw_menu.h"
#include "framework/util/text.h"
#include "tests/indicator/indicator_fixture.h"

namespace {

// What each scale gives: the system's icon sizes, a push button and the step
// from one button of a row to the next, the dialogs' margins and gaps, where
// the label of a check box or radio button starts and a group box's caption,
// and the menu items' icon box and separator height.
//
// The tray shows the icon as Wine's shell hands it over: Wine 8 sends the
// mask of a tray icon as width x height bits, without the padding of each
// row to 16 bits, so of a 24-pixel icon's mask (4 bytes a row) only the
// first 72 bytes, 18 rows, arrive intact. Those rows are compared.
struct TScale {
    int dpi;
    int smallIcon, largeIcon;
    SIZE button;
    int buttonStep, gap, labelStart, captionStart;
    int iconBox, separator;
    int trayRows;
};
const TScale Scales[] = {
    {144, 24, 48, {132, 32}, 141, 18, 27, 14, 29, 12, 18},
    {192, 32, 64, {176, 42}, 188, 24, 36, 18, 38, 14, 32},
};

// The size of a text as the dialogs' font shows it: every line, tabs
// expanded, '&' prefixes left out.
SIZE ShownExtent(const std::string& text)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT extent = {0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), -1, &extent, DT_CALCRECT | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return SIZE{extent.right, extent.bottom};
}

class DisplayScaleTest : public IndicatorTest {
protected:
    void SetUp() override
    {
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        for (const TScale& scale : Scales)
            if (scale.dpi == dpi)
                scale_ = &scale;
        ASSERT_TRUE(scale_) << "the display is at " << dpi << " DPI, a scale these tests do not know";
        // The menu opens at the pointer, which every prefix's desktop shares:
        // in the middle of the screen, wherever an earlier test left it.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
        IndicatorTest::SetUp();
    }
    std::string Screen(const char* what) const { return "scale" + std::to_string(scale_->dpi) + "_" + what + ".png"; }

    // Buttons of the scale, a step apart and the gap above the lowest row;
    // the dialog's margin below; every text inside its control.
    void ExpectScaled(HWND dialog) const;

    const TScale* scale_ = nullptr;
};

void DisplayScaleTest::ExpectScaled(HWND dialog) const
{
    const TScale& scale = *scale_;
    RECT client;
    GetClientRect(dialog, &client);
    std::vector<RECT> buttons, all;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = "";
        GetClassNameA(child, name, sizeof name);
        const std::string text = WindowText(child);
        SCOPED_TRACE(std::string(name) + " \"" + text + "\"");
        RECT r, inside;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        GetClientRect(child, &inside);
        all.push_back(r);
        if (std::string(name) == "TransparentPushButton") {
            EXPECT_EQ(scale.button.cx, r.right - r.left);
            EXPECT_EQ(scale.button.cy, r.bottom - r.top);
            buttons.push_back(r);
        }
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (text.empty() || !(style & WS_VISIBLE))
            continue;
        const int start = std::string(name) != "TransparentButton"    ? 0
                          : (style & BS_TYPEMASK) == BS_GROUPBOX ? scale.captionStart
                                                                 : scale.labelStart;
        const SIZE extent = ShownExtent(text);
        EXPECT_LE(start + extent.cx, inside.right) << "text cut at the right";
        EXPECT_LE(extent.cy, inside.bottom) << "text cut at the bottom";
    }
    ASSERT_FALSE(buttons.empty());
    std::sort(buttons.begin(), buttons.end(), [](const RECT& a, const RECT& b) { return a.left < b.left; });
    for (size_t i = 1; i < buttons.size(); ++i)
        EXPECT_EQ(scale.buttonStep, buttons[i].left - buttons[i - 1].left);
    LONG lowest = 0, above = 0;
    for (const RECT& r : all) {
        lowest = std::max(lowest, r.bottom);
        if (r.bottom <= buttons[0].top)
            above = std::max(above, r.bottom);
    }
    EXPECT_EQ(scale.gap, client.bottom - lowest) << "the margin below";
    EXPECT_EQ(scale.gap, buttons[0].top - above) << "the gap above the buttons";
}

}  // namespace

TEST_F(DisplayScaleTest, TrayAndMenuFollowTheScale)
{
    EXPECT_EQ(scale_->smallIcon, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(scale_->largeIcon, GetSystemMetrics(SM_CXICON));
    StartIndicator();
    ExpectTrayPicture(IconName('A', 0), scale_->smallIcon, scale_->trayRows);
    SaveScreenshot(CaptureScreen(TrayCorner()), Screen("tray").c_str());
    ExpectLockItemPictures(indicator_, 'A', scale_->smallIcon, Screen("menu").c_str());
    // The on-screen display shows its picture at the large-icon size.
    EXPECT_EQ(0, TypeInSteps({"d14 u14"}, [&](size_t) {
                  HWND display = FindWindowOf(indicator_.info.dwProcessId, "LockDisplay");
                  ASSERT_NE(nullptr, display);
                  RECT area;
                  GetWindowRect(display, &area);
                  EXPECT_EQ(IconName('A', 2), PictureIn(area, {IconName('A', 2)}, scale_->largeIcon));
                  Screenshot(display, Screen("osd").c_str());
              }));

    // The items' icon box and height, and a separator's, as this program's own menu measures them.
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 101, "&Num Lock");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    TOwnerDrawMenu menu(popup, {new TMenuItem(101)});
    menu.Attach();
    menu.EnsureMeasured();  // otherwise measured when it first opens
    const TMenuItem* item = dynamic_cast<TMenuItem*>(TMenuEntry::OwnerDrawnAt(popup, 0));
    const TMenuItem* separator = dynamic_cast<TMenuItem*>(TMenuEntry::OwnerDrawnAt(popup, 1));
    ASSERT_TRUE(item && separator);
    EXPECT_EQ(scale_->iconBox, item->IconBoxWidth);
    EXPECT_EQ(scale_->iconBox, item->IconBoxHeight);
    ASSERT_LT(item->LabelHeight, scale_->iconBox);  // the box decides the height
    EXPECT_EQ(scale_->iconBox, item->Height);
    EXPECT_EQ(scale_->separator, separator->Height);
}

TEST_F(DisplayScaleTest, DialogsComeOutScaledWithNoTextCut)
{
    // Started by hand, it shows its "Register" message first.
    ASSERT_TRUE(indicator_.Start(""));
    TText settings, version;
    DisplayText(settings.Slot(), "Pelorum 設定");
    DisplayText(version.Slot(), "Pelorum ﾊﾞｰｼﾞｮﾝ情報");
    const struct {
        UINT command;  // 0: the message already showing
        const char* title;
        const char* screenshot;
        const char* icon;  // a picture shown at the large-icon size
    } dialogs[] = {
        {0, nullptr, "message", nullptr},
        {191, settings.Get(), "settings", nullptr},
        {905, version.Get(), "version", "APPLICATION_ICON"},
    };
    for (const auto& shown : dialogs) {
        SCOPED_TRACE(shown.screenshot);
        if (shown.command)
            PostMessageA(indicator_.Monitor, WM_COMMAND, shown.command, 0);
        HWND dialog = WaitForShape(indicator_.info.dwProcessId, shown.title);
        ASSERT_NE(nullptr, dialog);
        ExpectScaled(dialog);
        if (shown.icon) {
            RECT area;
            GetWindowRect(dialog, &area);
            EXPECT_EQ(shown.icon, PictureIn(area, {shown.icon}, scale_->largeIcon));
        }
        Screenshot(dialog, Screen(shown.screenshot).c_str());
        PressButton(dialog, IDOK);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, Patience));
    }
}
