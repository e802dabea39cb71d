// The transparent control classes as real child windows under Wine, read
// back from the screen: halo text over the parent's background, the group box
// frame, push button icons, background and default frame, and repaints that
// leave no stale pixels.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "framework/dialogs/button_painter.h"
#include "framework/dialogs/transparent_button.h"
#include "framework/dialogs/transparent_control.h"
#include "framework/dialogs/transparent_editbox.h"
#include "framework/dialogs/transparent_static.h"
#include "framework/drawing/background.h"
#include "framework/drawing/system_font.h"
#include "framework/settings/app_globals.h"
#include "framework/util/resource_names.h"
#include "framework/util/wide_text.h"
#include "framework/util/window_class.h"
#include "tests/bitmap_files.h"
#include "tests/canvas.h"
#include "tests/message_pump.h"

namespace {

const COLORREF kMagenta = RGB(255, 0, 255), kBlack = RGB(0, 0, 0);
// The parent paints magenta, or, as a dialog does, its face colour under the dialog background.
bool paintDialogBackground = false;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return 1;  // all painting in WM_PAINT
    if (message == WM_DRAWITEM && DrawTransparentItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
        return TRUE;
    if (message != WM_PAINT)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client;
    GetClientRect(hwnd, &client);
    SetDCBrushColor(dc, paintDialogBackground ? GetSysColor(COLOR_BTNFACE) : kMagenta);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    if (paintDialogBackground)
        DialogBackground()->Paint(dc, 0, 0, client.right, client.bottom);
    EndPaint(hwnd, &paint);
    return 0;
}

struct TKind {
    const char* className;
    DWORD style;
    const char* text;
    int width, height;
};

const TKind kStatic = {"TransparentStatic", SS_LEFT, "Label &Text", 120, 20};
const TKind kCheck = {"TransparentButton", BS_AUTOCHECKBOX | WS_TABSTOP, "&Check box", 120, 18};
const TKind kRadio = {"TransparentButton", BS_AUTORADIOBUTTON, "&Radio", 120, 18};
const TKind kGroup = {"TransparentButton", BS_GROUPBOX, "Group", 140, 60};
const TKind kEdit = {"TransparentEdit", ES_MULTILINE | ES_READONLY, "Line one\r\nLine\ttwo", 120, 36};
const TKind kPush = {"TransparentPushButton", BS_OWNERDRAW | WS_TABSTOP, "&Push", 88, 21};

class TransparentControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppGlobals.Instance = GetModuleHandleA(nullptr);
        for (auto fill : {TTransparentEditbox::FillWindowClass, TTransparentStatic::FillWindowClass,
                          TTransparentButton::FillWindowClass, TTransparentButton::FillPushWindowClass}) {
            WNDCLASSW windowClass;
            fill(windowClass);
            RegisterWindowClass(windowClass);
        }
        WNDCLASSA parentClass = {};
        parentClass.lpfnWndProc = ParentProc;
        parentClass.hInstance = AppGlobals.Instance;
        parentClass.lpszClassName = "TransparentTestParent";
        RegisterWindowClass(parentClass);
        LOGFONTA description;
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
        description.lfHeight = -12;
        description.lfQuality = NONANTIALIASED_QUALITY;
        font = CreateFontIndirectA(&description);
        paintDialogBackground = false;
        DeleteBackgrounds();
        parent = CreateWindowExA(WS_EX_TOPMOST, "TransparentTestParent", "", WS_POPUP | WS_VISIBLE, 40, 40, 420, 320,
                                 nullptr, nullptr, AppGlobals.Instance, nullptr);
        ASSERT_TRUE(parent);
        SetForegroundWindow(parent);
        Settle();  // the parent is painted before any control is made, as a dialog shows its controls
    }

    void TearDown() override
    {
        DestroyWindow(parent);
        DeleteObject(font);
        DeleteBackgrounds();
    }

    // Creates a control and stores its owner's field in it, as the elements do.
    HWND Make(const TKind& kind, int x, int y, DWORD extraStyle = 0, bool isDefault = false, bool bind = true)
    {
        fields.push_back(TPushButtonField{TWindow(), static_cast<BYTE>(isDefault)});
        HWND control = CreateWindowExA(0, kind.className, kind.text, WS_CHILD | WS_VISIBLE | kind.style | extraStyle,
                                       x, y, kind.width, kind.height, parent, nullptr, AppGlobals.Instance, nullptr);
        fields.back().Control.Hwnd = control;
        if (bind)
            BindTransparentControl(control, &fields.back().Control);
        // As a dialog sets it before it shows: no paint before the parent has painted under the control.
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        InvalidateRect(control, nullptr, TRUE);
        return control;
    }

    // Every pending paint done, the parent's before its children's.
    void Settle(bool all = false)
    {
        RedrawWindow(parent, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | (all ? RDW_INVALIDATE | RDW_ERASE : 0));
        PumpPending();
    }

    // What the screen shows of a control, grown by `margin`, or of the parent's client area.
    TPixels Capture(HWND window, int margin = 0)
    {
        Settle();
        RECT rect;
        if (window == parent) {
            GetClientRect(parent, &rect);
            MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        } else {
            GetWindowRect(window, &rect);
        }
        InflateRect(&rect, margin, margin);
        return CaptureScreen(rect);
    }

    SIZE Extent(const char* text)
    {
        TCanvas canvas(1, 1);
        SelectObject(canvas.Dc(), font);
        SIZE size;
        GetTextExtentPoint32A(canvas.Dc(), text, lstrlenA(text), &size);
        return size;
    }

    HWND parent = nullptr;
    HFONT font = nullptr;
    std::deque<TPushButtonField> fields;  // stable addresses for the stored pointers
};

}  // namespace

TEST_F(TransparentControlTest, ClassesAreTheSystemOnesWithRoomForTheOwnersField)
{
    const struct {
        const char* name;
        const char* base;
        WNDPROC procedure;
    } cases[] = {
        {"TransparentEdit", "EDIT", TTransparentEditbox::PreWndProc},
        {"TransparentStatic", "STATIC", TTransparentStatic::PreWndProc},
        {"TransparentButton", "BUTTON", TTransparentButton::PreWndProc},
        {"TransparentPushButton", "BUTTON", TTransparentButton::PreWndProc},
    };
    for (const auto& c : cases) {
        WNDCLASSW system, derived;
        ASSERT_TRUE(GetClassInfoW(nullptr, WideText(c.base).c_str(), &system));
        ASSERT_TRUE(GetClassInfoW(AppGlobals.Instance, WideText(c.name).c_str(), &derived));
        EXPECT_EQ(system.cbWndExtra + static_cast<int>(sizeof(LONG_PTR)), derived.cbWndExtra) << c.name;
        EXPECT_EQ(system.style, derived.style) << c.name;
        EXPECT_EQ(c.procedure, derived.lpfnWndProc) << c.name;
    }
    // Until the field is stored the control is the system's: an opaque static.
    HWND unbound = Make(kStatic, 10, 10, 0, false, false);
    HWND bound = Make(kStatic, 10, 40);
    EXPECT_EQ(nullptr, TransparentControlField(unbound));
    EXPECT_EQ(&fields.back().Control, TransparentControlField(bound));
    const TPixels opaque = Capture(unbound), transparent = Capture(bound);
    EXPECT_EQ(0, std::count(opaque.data.begin(), opaque.data.end(), kMagenta));
    EXPECT_GT(std::count(transparent.data.begin(), transparent.data.end(), kMagenta), 120 * 20 / 2);
    // A system button's own extra bytes are never written.
    HWND system = CreateWindowExA(0, "BUTTON", "x", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
    const int last = static_cast<int>(GetClassLongA(system, GCL_CBWNDEXTRA) - sizeof(LONG_PTR));
    const LONG_PTR before = GetWindowLongPtrA(system, last);
    BindTransparentControl(system, &fields.back().Control);
    EXPECT_EQ(before, GetWindowLongPtrA(system, last));
}

TEST_F(TransparentControlTest, CheckBoxTextHasAHaloAndNoBackgroundOfItsOwn)
{
    const TPixels pixels = Capture(Make(kCheck, 30, 30));
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT), face = GetSysColor(COLOR_BTNFACE);
    auto inHalo = [&](int x, int y) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (((dx != 2 && dx != -2) || (dy != 2 && dy != -2)) && pixels.Inside(x + dx, y + dy) &&
                    pixels.At(x + dx, y + dy) == ink)
                    return true;
        return false;
    };
    // Right of the box (the text starts at 18, its halo at 16): text, halo, or the parent.
    int inked = 0, shown = 0, wrong = 0;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 15; x < pixels.width; ++x) {
            const COLORREF c = pixels.At(x, y);
            inked += c == ink;
            shown += c == kMagenta;
            if (c != ink)
                wrong += c == kMagenta ? inHalo(x, y) : c != face || !inHalo(x, y);
        }
    EXPECT_GT(inked, 20);
    EXPECT_GT(shown, 100);  // between and around the letters
    EXPECT_EQ(0, wrong);
    EXPECT_EQ(18, Bounds(pixels, {15, 0, pixels.width, pixels.height}, [&](COLORREF c) { return c == ink; }).left);
}

TEST_F(TransparentControlTest, GroupBoxFrameIsInterruptedByExactlyTheCaptionWidthFromNine)
{
    // A caption of spaces draws neither ink nor halo: only the gap in the frame shows.
    TKind blank = kGroup;
    blank.text = "    ";
    const int width = Extent(blank.text).cx;
    ASSERT_GT(width, 4);
    const TPixels pixels = Capture(Make(blank, 20, 20));
    const COLORREF lines[2] = {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)};
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(lines[row], pixels.At(8, 6 + row));
        for (int x = 9; x < 9 + width; ++x)
            EXPECT_EQ(GetSysColor(COLOR_BTNFACE), pixels.At(x, 6 + row)) << x;
        EXPECT_EQ(lines[row], pixels.At(9 + width, 6 + row));
    }
    EXPECT_EQ(kMagenta, pixels.At(70, 30));  // no background of its own inside
}

TEST_F(TransparentControlTest, PushButtonIconSitsTenPixelsLeftOfTheTextWhichMovesEight)
{
    HICON icon = SolidIcon(16, RGB(255, 0, 0));
    ASSERT_TRUE(icon);
    HWND button = Make(kPush, 20, 20);
    SendMessageA(button, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    InvalidateRect(button, nullptr, TRUE);
    const TPixels pixels = Capture(button);

    // The ink of the text drawn alone at (0, 0).
    TCanvas alone(100, 30);
    alone.Fill(RGB(255, 255, 255));
    SelectObject(alone.Dc(), font);
    DrawStateA(alone.Dc(), nullptr, nullptr, reinterpret_cast<LPARAM>(kPush.text), 0, 0, 0, 0, 0, DST_PREFIXTEXT);
    const RECT text = Bounds(alone.Pixels(), {0, 0, 100, 30}, [](COLORREF c) { return c == kBlack; });

    const SIZE extent = Extent("Push");
    const int x = (88 - extent.cx) / 2, y = (21 - extent.cy) / 2;
    const RECT icons = Bounds(pixels, {0, 0, 88, 21}, [](COLORREF c) { return c == RGB(255, 0, 0); });
    EXPECT_EQ(x - 10, icons.left);
    EXPECT_EQ(y + (extent.cy - 16) / 2, icons.top);
    EXPECT_EQ(16, icons.right - icons.left);
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    const RECT shown = Bounds(pixels, {3, 3, 85, 18}, [ink](COLORREF c) { return c == ink; });  // inside the edges
    EXPECT_EQ(x + 8 + text.left, shown.left);
    EXPECT_EQ(y + text.top, shown.top);
    EXPECT_EQ(text.right - text.left, shown.right - shown.left);
    DestroyIcon(icon);
}

TEST_F(TransparentControlTest, PushButtonShowsTheDialogBackgroundUnderItUnlessFocused)
{
    const std::string poster = TempPath("transparent_poster.bmp");
    ASSERT_TRUE(WriteBytes(poster, CoordinatePicture(300, 278)));
    DialogBackground()->PosterFileName.Set(poster.c_str());
    DialogBackground()->LoadPictures();
    paintDialogBackground = true;
    InitCommonControls();
    for (bool statusBar : {false, true}) {
        // The area is the client area above the status bar; the poster's corner meets its corner.
        HWND status = statusBar ? CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", parent, 99) : nullptr;
        RECT bar = {0, 0, 0, 0};
        if (status)
            GetWindowRect(status, &bar);
        const POINT origin = {420 - 300, 320 - (bar.bottom - bar.top) - 278};
        HWND button = Make(kPush, 150, 100);
        SetFocus(Make(kCheck, 10, 10));
        Settle(true);
        TPixels pixels = Capture(button);
        for (POINT p : {POINT{4, 4}, POINT{83, 4}, POINT{4, 16}, POINT{83, 16}}) {
            POINT at;
            ASSERT_TRUE(Decode(pixels.At(p.x, p.y), at)) << statusBar;
            EXPECT_EQ(150 + p.x - origin.x, at.x) << statusBar;
            EXPECT_EQ(100 + p.y - origin.y, at.y) << statusBar;
        }
        SetFocus(button);
        EXPECT_EQ(GetSysColor(COLOR_BTNFACE), Capture(button).At(4, 4));
        if (status)
            DestroyWindow(status);
    }
    DeleteFileA(poster.c_str());
}

TEST_F(TransparentControlTest, DefaultFrameMovesWithTheFocus)
{
    HWND check = Make(kCheck, 200, 200);
    HWND defaultButton = Make(kPush, 20, 200, 0, true);
    HWND other = Make(kPush, 20, 240);
    auto framed = [this](HWND button) { return Capture(button).At(0, 0) == kBlack; };
    const struct {
        HWND focus;
        bool defaultFramed, otherFramed;
    } steps[] = {
        {check, true, false},
        {other, false, true},  // a focused push button takes the black frame
        {check, true, false},  // and the default one gets it back
        {defaultButton, true, false},
        {other, false, true},
    };
    for (size_t i = 0; i < sizeof steps / sizeof steps[0]; ++i) {
        SetFocus(steps[i].focus);
        EXPECT_TRUE(PumpUntil(
            [&] { return framed(defaultButton) == steps[i].defaultFramed && framed(other) == steps[i].otherFramed; },
            5000))
            << "step " << i;
    }
}

TEST_F(TransparentControlTest, PushLikeAndDefaultButtons)
{
    auto system = [this](DWORD style) {
        return CreateWindowExA(0, "BUTTON", "x", WS_CHILD | style, 200, 10, 50, 20, parent, nullptr, nullptr, nullptr);
    };
    HWND transparentDefault = Make(kPush, 10, 10, 0, true);
    HWND systemDefault = system(BS_DEFPUSHBUTTON);
    const struct {
        HWND window;
        bool pushLike, isDefault;
    } cases[] = {
        {transparentDefault, true, true},
        {Make(kPush, 10, 40), true, false},
        {Make(kPush, 10, 70, 0, true, false), true, false},  // no field stored yet
        {systemDefault, true, true},
        {system(BS_PUSHBUTTON), true, false},
        {system(BS_AUTOCHECKBOX), true, false},  // any system button counts as push-like
        {Make(kCheck, 10, 100), false, false},
        {Make(kStatic, 10, 130), false, false},
        {nullptr, false, false},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        EXPECT_EQ(cases[i].pushLike, IsPushLike(cases[i].window, false)) << i;
        EXPECT_EQ(cases[i].isDefault, IsPushLike(cases[i].window, true)) << i;
    }
    const HWND found = FindDefaultPushButton(parent);
    EXPECT_TRUE(found == transparentDefault || found == systemDefault);
    fields.front().IsDefault = 0;
    DestroyWindow(systemDefault);
    EXPECT_EQ(nullptr, FindDefaultPushButton(parent));
}

TEST_F(TransparentControlTest, DisablingNewTextOrLostFocusLeaveNoStalePixels)
{
    // Over the poster, so that an opaque leftover shows.
    paintDialogBackground = true;
    HWND elsewhere = Make(kCheck, 10, 10);
    SetFocus(elsewhere);
    Settle(true);
    enum TChange { Disable, NewText, FocusLost };
    for (const TKind* kind : {&kStatic, &kCheck, &kRadio, &kGroup, &kEdit, &kPush}) {
        for (TChange change : {Disable, NewText, FocusLost}) {
            if (change == FocusLost && kind != &kCheck && kind != &kRadio && kind != &kEdit)
                continue;
            SCOPED_TRACE(testing::Message() << kind->className << " " << kind->style << " change " << change);
            // A control made in the new state, halo margin included.
            TKind changed = *kind;
            changed.text = change == NewText ? "Wx" : kind->text;
            HWND fresh = Make(changed, 200, 150, change == Disable ? WS_DISABLED : 0);
            const TPixels expected = Capture(fresh, 2);
            DestroyWindow(fresh);
            Settle();

            HWND control = Make(*kind, 200, 150);
            if (change == Disable) {
                EXPECT_NE(expected.data, Capture(control, 2).data);
                EnableWindow(control, FALSE);
            } else if (change == NewText) {
                EXPECT_NE(expected.data, Capture(control, 2).data);
                SetWindowTextA(control, changed.text);
            } else {
                // While focused the system draws the control, the check toggled on its own background.
                SetFocus(control);
                SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
                SendMessageA(control, BM_SETCHECK, BST_UNCHECKED, 0);
                Settle();
                SetFocus(elsewhere);
            }
            EXPECT_EQ(expected.data, Capture(control, 2).data);
            DestroyWindow(control);
            Settle();
        }
    }
}

TEST_F(TransparentControlTest, SampleWindowScreenshots)
{
    paintDialogBackground = true;
    DeleteObject(font);
    font = CreateSystemFont(MessageFont);
    Make({"TransparentButton", BS_GROUPBOX, "ｸﾞﾙｰﾌﾟ枠(&G)", 220, 150}, 12, 12);
    HWND checked = Make({"TransparentButton", BS_AUTOCHECKBOX | WS_TABSTOP, "ﾁｪｯｸ済み(&C)", 170, 18}, 30, 34);
    SendMessageA(checked, BM_SETCHECK, BST_CHECKED, 0);
    Make({"TransparentButton", BS_AUTOCHECKBOX, "使えないﾁｪｯｸ(&D)", 170, 18}, 30, 56, WS_DISABLED);
    SendMessageA(Make({"TransparentButton", BS_AUTORADIOBUTTON, "ﾗｼﾞｵ 1(&1)", 170, 18}, 30, 80), BM_SETCHECK,
                 BST_CHECKED, 0);
    Make({"TransparentButton", BS_AUTORADIOBUTTON, "ﾗｼﾞｵ 2(&2)", 170, 18}, 30, 102);
    Make({"TransparentStatic", SS_LEFT, "透過ﾗﾍﾞﾙ: 背景が見える(&L)", 220, 18}, 250, 20);
    Make({"TransparentEdit", ES_MULTILINE | ES_READONLY, "読み取り専用の文章\r\n2行目\tﾀﾌﾞの後", 160, 40}, 250, 48);
    Make({"TransparentStatic", SS_LEFT, "使えないﾗﾍﾞﾙ", 150, 18}, 250, 100, WS_DISABLED);
    const struct {
        const char* text;
        const char* icon;
        DWORD style;
    } buttons[] = {{"OK", OK_ICON_NAME, 0}, {"ｷｬﾝｾﾙ", CANCEL_ICON_NAME, 0}, {"使えない", nullptr, WS_DISABLED}};
    HWND pushes[3];
    for (int i = 0; i < 3; ++i) {
        pushes[i] = Make({"TransparentPushButton", BS_OWNERDRAW | WS_TABSTOP, buttons[i].text, 88, 21}, 128 + 94 * i,
                         276, buttons[i].style, i == 0);
        if (buttons[i].icon)
            SendMessageA(pushes[i], WM_SETICON, ICON_SMALL,
                         reinterpret_cast<LPARAM>(LoadImageA(AppGlobals.Instance, buttons[i].icon, IMAGE_ICON, 16, 16, 0)));
    }
    SetFocus(checked);
    Settle(true);
    const TPixels plain = Capture(parent);
    EXPECT_TRUE(SaveScreenshot(plain, "transparent_controls.png"));
    SetFocus(pushes[1]);  // the default frame moves from OK to the focused button
    EXPECT_NE(plain.data, Capture(parent).data);
    EXPECT_TRUE(SaveScreenshot(Capture(parent), "transparent_controls_focus.png"));

    // Over a busy wallpaper of striped bricks the halos show.
    const std::string wall = TempPath("transparent_wall.bmp");
    ASSERT_TRUE(WriteBytes(wall, BitmapFile({48, 24, 8, BI_RGB, {{200, 170, 150, 0}, {150, 190, 230, 0}, {90, 110, 160, 0}},
                                             PackRows(48, 24, 8, [](int x, int y) -> uint32_t {
                                                 return x == 0 || y == 0 ? 2 : ((x + y) / 4) % 2;
                                             }),
                                             {}, 40})));
    TBackground* background = DialogBackground();
    background->WithWallPaper = 1;
    background->WallStyle = WallBlock;
    background->WallPaperFileName.Set(wall.c_str());
    background->LoadPictures();
    Settle(true);
    EXPECT_TRUE(SaveScreenshot(Capture(parent), "transparent_controls_wallpaper.png"));
    DeleteFileA(wall.c_str());
}
