// The transparent control classes as real child windows under Wine, read
// back from the screen: halo text over the parent's background, the group
// box frame, push button icons and the default frame, repaints on disabling.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/app_globals.h"
#include "framework/dialogs/background.h"
#include "framework/dialogs/button_painter.h"
#include "framework/dialogs/transparent_button.h"
#include "framework/dialogs/transparent_control.h"
#include "framework/dialogs/transparent_editbox.h"
#include "framework/dialogs/transparent_static.h"
#include "framework/util/resource_names.h"
#include "framework/util/system_font.h"
#include "framework/util/window_class.h"
#include "tests/bitmap_files.h"
#include "tests/canvas.h"
#include "tests/message_pump.h"
#include "tests/png_writer.h"

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);
const char kParentClass[] = "TransparentTestParent";
// The parent paints magenta, or, like a dialog, its face colour under the dialog background.
bool paintDialogBackground = false;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // all painting in WM_PAINT
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        RECT client;
        GetClientRect(hwnd, &client);
        if (paintDialogBackground) {
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
            DialogBackground()->Paint(dc, 0, 0, client.right, client.bottom);
        } else {
            HBRUSH brush = CreateSolidBrush(kMagenta);
            FillRect(dc, &client, brush);
            DeleteObject(brush);
        }
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_DRAWITEM:
        if (DrawTransparentItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterClasses()
{
    void (*fills[])(WNDCLASSA&) = {TTransparentEditbox::FillWindowClass, TTransparentStatic::FillWindowClass,
                                   TTransparentButton::FillWindowClass, TTransparentButton::FillPushWindowClass};
    for (auto fill : fills) {
        WNDCLASSA windowClass;
        fill(windowClass);
        RegisterWindowClass(windowClass);
    }
    WNDCLASSA parent = {};
    parent.lpfnWndProc = ParentProc;
    parent.hInstance = AppGlobals.Instance;
    parent.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    parent.lpszClassName = kParentClass;
    RegisterWindowClass(parent);
}

struct TKind {
    const char* name;
    const char* className;
    DWORD style;
    const char* text;
    int width, height;
};

const TKind kStatic = {"static", "TransparentStatic", SS_LEFT, "Label &Text", 120, 20};
const TKind kCheck = {"check box", "TransparentButton", BS_AUTOCHECKBOX | WS_TABSTOP, "&Check box", 120, 18};
const TKind kRadio = {"radio button", "TransparentButton", BS_AUTORADIOBUTTON, "&Radio", 120, 18};
const TKind kGroup = {"group box", "TransparentButton", BS_GROUPBOX, "Group", 140, 60};
const TKind kEdit = {"edit", "TransparentEdit", ES_MULTILINE | ES_READONLY, "Line one\r\nLine\ttwo", 120, 36};
const TKind kPush = {"push button", "TransparentPushButton", BS_OWNERDRAW | WS_TABSTOP, "&Push", 88, 21};

class TransparentControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppGlobals.Instance = GetModuleHandleA(nullptr);
        RegisterClasses();
        LOGFONTA description;
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
        description.lfHeight = -12;
        description.lfQuality = NONANTIALIASED_QUALITY;
        font = CreateFontIndirectA(&description);
        paintDialogBackground = false;
        parent = CreateWindowExA(WS_EX_TOPMOST, kParentClass, "transparent controls", WS_POPUP | WS_VISIBLE, 40, 40,
                                 420, 320, nullptr, nullptr, AppGlobals.Instance, nullptr);
        ASSERT_TRUE(parent);
        SetForegroundWindow(parent);
        Settle();
    }

    void TearDown() override
    {
        DestroyWindow(parent);
        DeleteObject(font);
        paintDialogBackground = false;
    }

    // Creates a control and stores its owner's field, as the elements do.
    HWND Make(const TKind& kind, int x, int y, bool bind = true, DWORD extra = 0, bool isDefault = false)
    {
        fields.push_back(TPushButtonField{TWindow(), static_cast<BYTE>(isDefault)});
        HWND control = CreateWindowExA(0, kind.className, kind.text, WS_CHILD | WS_VISIBLE | kind.style | extra, x, y,
                                       kind.width, kind.height, parent, reinterpret_cast<HMENU>(5001 + fields.size()),
                                       AppGlobals.Instance, nullptr);
        fields.back().Control.Hwnd = control;
        if (bind)
            BindTransparentControl(control, &fields.back().Control);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        InvalidateRect(control, nullptr, TRUE);
        return control;
    }

    // Every pending paint done, the parent's before its children's.
    void Settle()
    {
        RedrawWindow(parent, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpPending();
        GdiFlush();
    }

    // The control's window rectangle on screen, grown by `margin`.
    TPixels Capture(HWND control, int margin = 0)
    {
        Settle();
        RECT rect;
        GetWindowRect(control, &rect);
        InflateRect(&rect, margin, margin);
        return CaptureScreen(rect);
    }

    SIZE Extent(const char* text)
    {
        HDC dc = GetDC(parent);
        HGDIOBJ old = SelectObject(dc, font);
        SIZE size;
        GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
        SelectObject(dc, old);
        ReleaseDC(parent, dc);
        return size;
    }

    HWND parent = nullptr;
    HFONT font = nullptr;
    std::deque<TPushButtonField> fields;  // stable addresses for the stored pointers
};

bool InHaloOf(const TPixels& pixels, int x, int y, COLORREF ink)
{
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (((dx != 2 && dx != -2) || (dy != 2 && dy != -2)) && pixels.Inside(x + dx, y + dy) &&
                pixels.At(x + dx, y + dy) == ink)
                return true;
    return false;
}

}  // namespace

TEST_F(TransparentControlTest, ClassesComeFromTheSystemClassesWithOnePointerMore)
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
        SCOPED_TRACE(c.name);
        WNDCLASSA system, derived;
        ASSERT_TRUE(GetClassInfoA(nullptr, c.base, &system));
        ASSERT_TRUE(GetClassInfoA(AppGlobals.Instance, c.name, &derived));
        EXPECT_EQ(system.cbWndExtra + static_cast<int>(sizeof(LONG_PTR)), derived.cbWndExtra);
        EXPECT_EQ(system.style, derived.style);
        EXPECT_EQ(c.procedure, derived.lpfnWndProc);
    }
    // The field is 0 until the owner stores it; a system button is never written.
    HWND check = Make(kCheck, 10, 10, false);
    EXPECT_EQ(nullptr, TransparentControlField(check));
    BindTransparentControl(check, &fields.back().Control);
    EXPECT_EQ(&fields.back().Control, TransparentControlField(check));
    HWND system = CreateWindowExA(0, "BUTTON", "x", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
    const int last = static_cast<int>(GetClassLongA(system, GCL_CBWNDEXTRA)) - static_cast<int>(sizeof(LONG_PTR));
    const LONG_PTR before = GetWindowLongPtrA(system, last);
    BindTransparentControl(system, &fields.back().Control);
    EXPECT_EQ(before, GetWindowLongPtrA(system, last));
    EXPECT_EQ(nullptr, TransparentControlField(system));
}

TEST_F(TransparentControlTest, UnboundControlPaintsLikeTheSystemClassAndBoundOneShowsTheParent)
{
    auto magentaCount = [](const TPixels& pixels) {
        int count = 0;
        for (COLORREF c : pixels.data)
            count += c == kMagenta;
        return count;
    };
    HWND unbound = Make(kStatic, 10, 10, false);
    HWND bound = Make(kStatic, 10, 40);
    EXPECT_EQ(0, magentaCount(Capture(unbound)));
    EXPECT_GT(magentaCount(Capture(bound)), 120 * 20 / 2);
}

TEST_F(TransparentControlTest, CheckBoxTextHasAHaloAndNoBackgroundOfItsOwn)
{
    HWND check = Make(kCheck, 30, 30);
    const TPixels pixels = Capture(check);
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT), face = GetSysColor(COLOR_BTNFACE);
    // The text starts at x 18; its halo 2 pixels before. Left of that is the box.
    int inked = 0, shown = 0, wrong = 0, firstInk = pixels.width;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 15; x < pixels.width; ++x) {
            const COLORREF c = pixels.At(x, y);
            if (c == ink) {
                ++inked;
                firstInk = std::min(firstInk, x);
            } else if (c == kMagenta) {
                ++shown;
                wrong += InHaloOf(pixels, x, y, ink);
            } else {
                wrong += c != face || !InHaloOf(pixels, x, y, ink);
            }
        }
    EXPECT_GT(inked, 20);
    EXPECT_GT(shown, 100);  // the parent shows between and around the letters
    EXPECT_EQ(0, wrong);
    EXPECT_GE(firstInk, 18);
    EXPECT_LE(firstInk, 20);
}

TEST_F(TransparentControlTest, GroupBoxFrameIsInterruptedByExactlyTheCaptionWidthFromNine)
{
    // A caption of spaces draws no ink and no halo: only the gap in the frame shows.
    TKind blank = kGroup;
    blank.text = "    ";
    HWND group = Make(blank, 20, 20);
    const int width = Extent(blank.text).cx;
    ASSERT_GT(width, 4);
    const TPixels pixels = Capture(group);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF lines[2] = {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)};
    for (int row = 0; row < 2; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(lines[row], pixels.At(8, 6 + row));
        for (int x = 9; x < 9 + width; ++x)
            EXPECT_EQ(face, pixels.At(x, 6 + row)) << x;
        EXPECT_EQ(lines[row], pixels.At(9 + width, 6 + row));
    }
    EXPECT_EQ(kMagenta, pixels.At(70, 30));  // no background of its own inside
}

TEST_F(TransparentControlTest, PushButtonIconSitsTenPixelsLeftOfTheTextWhichMovesEight)
{
    // A solid red icon, so its pixels are found exactly.
    const int side = 16;
    TCanvas colour(side, side), mask(side, side);
    colour.Fill(RGB(255, 0, 0));
    mask.Fill(RGB(0, 0, 0));
    HBITMAP colourBitmap = static_cast<HBITMAP>(GetCurrentObject(colour.Dc(), OBJ_BITMAP));
    HBITMAP maskBitmap = CreateBitmap(side, side, 1, 1, nullptr);
    HDC maskDc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldMask = SelectObject(maskDc, maskBitmap);
    PatBlt(maskDc, 0, 0, side, side, BLACKNESS);
    SelectObject(maskDc, oldMask);
    DeleteDC(maskDc);
    ICONINFO info = {TRUE, 0, 0, maskBitmap, colourBitmap};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(maskBitmap);
    ASSERT_TRUE(icon);

    HWND button = Make(kPush, 20, 20);
    SendMessageA(button, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    InvalidateRect(button, nullptr, TRUE);
    const TPixels pixels = Capture(button);

    // Where the text's ink lies when drawn alone at (0, 0).
    TCanvas alone(100, 30);
    alone.Fill(RGB(255, 255, 255));
    HGDIOBJ oldFont = SelectObject(alone.Dc(), font);
    SetBkMode(alone.Dc(), TRANSPARENT);
    DrawStateA(alone.Dc(), nullptr, nullptr, reinterpret_cast<LPARAM>(kPush.text), 0, 0, 0, 0, 0, DST_PREFIXTEXT);
    SelectObject(alone.Dc(), oldFont);
    const TPixels reference = alone.Pixels();
    auto bounds = [](const TPixels& p, int x0, int y0, int x1, int y1, const std::function<bool(COLORREF)>& is) {
        RECT box = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (is(p.At(x, y))) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    };
    const RECT text = bounds(reference, 0, 0, 100, 30, [](COLORREF c) { return c == RGB(0, 0, 0); });

    const SIZE extent = Extent("Push");
    const int x = (88 - extent.cx) / 2, y = (21 - extent.cy) / 2;
    const RECT red = bounds(pixels, 0, 0, 88, 21, [](COLORREF c) { return c == RGB(255, 0, 0); });
    EXPECT_EQ(x - 10, red.left);
    EXPECT_EQ(y + (extent.cy - 16) / 2, red.top);
    EXPECT_EQ(16, red.right - red.left);
    // Inside the edges, the black pixels are the text's, moved 8 to the right.
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    const RECT shown = bounds(pixels, 3, 3, 85, 18, [ink](COLORREF c) { return c == ink; });
    EXPECT_EQ(x + 8 + text.left, shown.left);
    EXPECT_EQ(y + text.top, shown.top);
    EXPECT_EQ(text.right - text.left, shown.right - shown.left);
    DestroyIcon(icon);
}

TEST_F(TransparentControlTest, DefaultFrameMovesWithTheFocus)
{
    HWND check = Make(kCheck, 200, 200);
    HWND defaultButton = Make(kPush, 20, 200, true, 0, true);
    HWND other = Make(kPush, 20, 240);
    EXPECT_EQ(defaultButton, FindDefaultPushButton(parent));
    auto framed = [this](HWND button) {
        RECT rect;
        GetWindowRect(button, &rect);
        const RECT corner = {rect.left, rect.top, rect.left + 1, rect.top + 1};
        return CaptureScreen(corner).At(0, 0) == RGB(0, 0, 0);
    };
    const struct {
        HWND focus;
        bool defaultFramed, otherFramed;
    } steps[] = {
        {check, true, false},
        {other, false, true},  // a focused push button takes the frame
        {check, true, false},  // and gives it back to the default one
        {defaultButton, true, false},
        {other, false, true},
    };
    for (const auto& step : steps) {
        SetFocus(step.focus);
        EXPECT_TRUE(PumpUntil(
            [&] {
                Settle();
                return framed(defaultButton) == step.defaultFramed && framed(other) == step.otherFramed;
            },
            5000))
            << "focus on " << (step.focus == check ? "check box" : step.focus == other ? "other" : "default");
    }
}

TEST_F(TransparentControlTest, PushLikeAndDefaultButtons)
{
    HWND transparentDefault = Make(kPush, 10, 10, true, 0, true);
    HWND transparent = Make(kPush, 10, 40);
    HWND unbound = Make(kPush, 10, 70, false);
    HWND check = Make(kCheck, 10, 100);
    HWND label = Make(kStatic, 10, 130);
    auto system = [this](DWORD style) {
        return CreateWindowExA(0, "BUTTON", "x", WS_CHILD | style, 200, 10, 50, 20, parent, nullptr, nullptr, nullptr);
    };
    const struct {
        HWND window;
        bool pushLike, isDefault;
    } cases[] = {
        {transparentDefault, true, true},
        {transparent, true, false},
        {unbound, true, false},
        {system(BS_DEFPUSHBUTTON), true, true},
        {system(BS_PUSHBUTTON), true, false},
        {system(BS_AUTOCHECKBOX), true, false},
        {check, false, false},
        {label, false, false},
        {nullptr, false, false},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        EXPECT_EQ(cases[i].pushLike, IsPushLike(cases[i].window, false)) << i;
        EXPECT_EQ(cases[i].isDefault, IsPushLike(cases[i].window, true)) << i;
    }
    fields.front().IsDefault = 0;
    DestroyWindow(cases[3].window);
    EXPECT_EQ(nullptr, FindDefaultPushButton(parent));
    EXPECT_EQ(nullptr, FindDefaultPushButton(nullptr));
}

TEST_F(TransparentControlTest, DisablingOrNewTextLeavesNoStalePixels)
{
    for (const TKind* kind : {&kStatic, &kCheck, &kRadio, &kGroup, &kEdit, &kPush}) {
        for (bool disable : {true, false}) {
            SCOPED_TRACE(testing::Message() << kind->name << (disable ? " disabled" : " new text"));
            // What a control that was made in the new state looks like, halo margin included.
            TKind changed = *kind;
            changed.text = disable ? kind->text : "Wx";
            HWND fresh = Make(changed, 30, 30, true, disable ? WS_DISABLED : 0);
            const TPixels expected = Capture(fresh, 2);
            DestroyWindow(fresh);

            HWND control = Make(*kind, 30, 30);
            EXPECT_NE(expected.data, Capture(control, 2).data);
            if (disable)
                EnableWindow(control, FALSE);
            else
                SetWindowTextA(control, changed.text);
            EXPECT_EQ(expected.data, Capture(control, 2).data);
            DestroyWindow(control);
        }
    }
}

TEST_F(TransparentControlTest, SampleWindowScreenshots)
{
    paintDialogBackground = true;
    DeleteBackgrounds();
    DeleteObject(font);
    font = CreateSystemFont(MessageFont);
    ASSERT_TRUE(font);
    SetWindowPos(parent, nullptr, 0, 0, 420, 320, SWP_NOMOVE | SWP_NOZORDER);

    const TKind group = {"group", "TransparentButton", BS_GROUPBOX, "ｸﾞﾙｰﾌﾟ枠(&G)", 220, 150};
    Make(group, 12, 12);
    Make({"", "TransparentButton", BS_AUTOCHECKBOX | WS_TABSTOP, "ﾁｪｯｸ済み(&C)", 170, 18}, 30, 34);
    HWND checked = fields.back().Control.Hwnd;
    SendMessageA(checked, BM_SETCHECK, BST_CHECKED, 0);
    Make({"", "TransparentButton", BS_AUTOCHECKBOX | WS_TABSTOP, "使えないﾁｪｯｸ(&D)", 170, 18}, 30, 56, true,
         WS_DISABLED);
    Make({"", "TransparentButton", BS_AUTORADIOBUTTON | WS_TABSTOP, "ﾗｼﾞｵ 1(&1)", 170, 18}, 30, 80);
    SendMessageA(fields.back().Control.Hwnd, BM_SETCHECK, BST_CHECKED, 0);
    Make({"", "TransparentButton", BS_AUTORADIOBUTTON, "ﾗｼﾞｵ 2(&2)", 170, 18}, 30, 102);
    Make({"", "TransparentStatic", SS_LEFT, "透過ﾗﾍﾞﾙ: 背景が見える(&L)", 220, 18}, 250, 20);
    Make({"", "TransparentEdit", ES_MULTILINE | ES_READONLY, "読み取り専用の文章\r\n2行目\tﾀﾌﾞの後", 160, 40}, 250, 48);
    Make({"", "TransparentStatic", SS_LEFT, "使えないﾗﾍﾞﾙ", 150, 18}, 250, 100, true, WS_DISABLED);
    HWND ok = Make({"", "TransparentPushButton", BS_OWNERDRAW | WS_TABSTOP, "OK", 88, 21}, 128, 276, true, 0, true);
    HWND cancel = Make({"", "TransparentPushButton", BS_OWNERDRAW | WS_TABSTOP, "ｷｬﾝｾﾙ", 88, 21}, 222, 276);
    Make({"", "TransparentPushButton", BS_OWNERDRAW | WS_TABSTOP, "使えない", 88, 21}, 316, 276, true, WS_DISABLED);
    const char* icons[] = {OK_ICON_NAME, CANCEL_ICON_NAME};
    HWND buttons[] = {ok, cancel};
    for (int i = 0; i < 2; ++i) {
        HICON icon = static_cast<HICON>(LoadImageA(AppGlobals.Instance, icons[i], IMAGE_ICON, 16, 16, 0));
        SendMessageA(buttons[i], WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);

    const std::string folder = ScreensFolder();
    SetFocus(checked);
    Settle();
    const TPixels plain = CaptureClient(parent);
    EXPECT_TRUE(SavePng(plain, folder + "transparent_controls.png"));
    SetFocus(cancel);
    Settle();
    const TPixels focused = CaptureClient(parent);
    EXPECT_TRUE(SavePng(focused, folder + "transparent_controls_focus.png"));
    EXPECT_NE(plain.data, focused.data);

    // Over a busy wallpaper (bricks of stripes) the halos show.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string wall = std::string(temp) + "transparent_wall.bmp";
    TBitmapSpec spec;
    spec.width = 48;
    spec.height = 24;
    spec.bitCount = 8;
    spec.colors = {{200, 170, 150, 0}, {150, 190, 230, 0}, {90, 110, 160, 0}};
    spec.bits = PackRows(48, 24, 8, [](int x, int y) -> uint32_t {
        return x == 0 || y == 0 ? 2 : ((x + y) / 4) % 2;
    });
    ASSERT_TRUE(WriteBytes(wall, BitmapFile(spec)));
    TBackground* background = DialogBackground();
    background->WithWallPaper = 1;
    background->WallStyle = WallBlock;
    background->WallPaperFileName.Set(wall.c_str());
    background->LoadPictures();
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    Settle();
    EXPECT_TRUE(SavePng(CaptureClient(parent), folder + "transparent_controls_wallpaper.png"));
    DeleteBackgrounds();
    DeleteFileA(wall.c_str());
}

TEST_F(TransparentControlTest, PushButtonShowsTheDialogBackgroundUnderItUnlessFocused)
{
    // The dialog background's poster is a picture whose pixels name their
    // own coordinates; the parent paints it like a dialog does.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "transparent_poster.bmp";
    TBitmapSpec spec;
    spec.width = 300;
    spec.height = 278;
    spec.bitCount = 24;
    spec.bits = PackRows(300, 278, 24, [](int x, int y) -> uint32_t {
        return static_cast<uint32_t>((x & 0xFF) << 16 | (y & 0xFF) << 8 | 0x80 | (x >> 8) << 2 | (y >> 8));
    });
    ASSERT_TRUE(WriteBytes(path, BitmapFile(spec)));
    DeleteBackgrounds();
    DialogBackground()->PosterFileName.Set(path.c_str());
    DialogBackground()->LoadPictures();
    paintDialogBackground = true;
    InitCommonControls();

    for (bool statusBar : {false, true}) {
        SCOPED_TRACE(statusBar ? "with a status bar" : "without a status bar");
        HWND status = statusBar ? CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", parent, 99) : nullptr;
        int barHeight = 0;
        if (status) {
            RECT bar;
            GetWindowRect(status, &bar);
            barHeight = bar.bottom - bar.top;
            ASSERT_GT(barHeight, 0);
        }
        HWND button = Make(kPush, 150, 100);
        HWND check = Make(kCheck, 10, 10);
        SetFocus(check);
        RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        TPixels pixels = Capture(button);
        // The poster's corner meets the corner of the client area above the status bar.
        const int originX = 420 - 300, originY = 320 - barHeight - 278;
        int wrong = 0;
        for (int y = 4; y < 17; y += 12)
            for (int x = 4; x < 84; x += 79) {
                const COLORREF c = pixels.At(x, y);
                const int px = GetRValue(c) | ((GetBValue(c) >> 2) & 1) << 8, py = GetGValue(c) | (GetBValue(c) & 1) << 8;
                wrong += (GetBValue(c) & 0xFA) != 0x80 || px != 150 + x - originX || py != 100 + y - originY;
            }
        EXPECT_EQ(0, wrong);
        // With the focus the button is filled with the face colour instead.
        SetFocus(button);
        pixels = Capture(button);
        EXPECT_EQ(GetSysColor(COLOR_BTNFACE), pixels.At(4, 4));
        DestroyWindow(button);
        DestroyWindow(check);
        if (status)
            DestroyWindow(status);
    }
    DeleteBackgrounds();
    DeleteFileA(path.c_str());
}

TEST_F(TransparentControlTest, FocusLeavingACheckBoxLeavesNoStalePixels)
{
    paintDialogBackground = true;
    DeleteBackgrounds();
    for (const TKind* kind : {&kCheck, &kEdit}) {
        SCOPED_TRACE(kind->name);
        HWND never = Make(*kind, 150, 200);
        HWND other = Make(kCheck, 10, 10);
        SetFocus(other);
        RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        const TPixels expected = Capture(never, 2);
        DestroyWindow(never);
        HWND control = Make(*kind, 150, 200);
        SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
        SetFocus(control);
        Settle();
        SendMessageA(control, BM_SETCHECK, BST_UNCHECKED, 0);
        Settle();
        SetFocus(other);
        EXPECT_EQ(expected.data, Capture(control, 2).data);
        DestroyWindow(control);
        DestroyWindow(other);
    }
    DeleteBackgrounds();
}
