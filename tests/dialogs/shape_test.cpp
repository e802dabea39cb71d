// Shapes as real windows under Wine: their size from the elements, the keys
// of the modal loop, dragging, always on top, modeless shapes, owners, the
// quit message, RunShapeDialog, hosting in a Windows dialog, and the texts of
// shapes and elements set from themselves.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/system_menu_extras.h"
#include "framework/dialogs/buttons_element.h"
#include "framework/dialogs/shape.h"
#include "framework/dialogs/shape_dialog.h"
#include "framework/dialogs/radio_element.h"
#include "framework/dialogs/spin_edit_element.h"
#include "framework/dialogs/text_element.h"
#include "tests/canvas.h"
#include "tests/core/extras_fixture.h"
#include "tests/dialogs/shape_fixture.h"
#include "tests/own_threads.h"

namespace {

SIZE ClientSize(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

// A multi-line edit that takes Enter itself.
class TNotesElement : public TElement {
public:
    TWindow Edit;
    SIZE Measure(TShape&, HDC) override { return SIZE{120, 40}; }
    void CreateControls(TShape& shape, int x, int y) override
    {
        CreateElementControl(shape, Edit, WS_EX_CLIENTEDGE, "EDIT", "",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN, x, y, 120, 40,
                             shape.NextId());
    }
};

// Takes the help command itself instead of opening the help file.
class THelpCatcher : public TShape {
public:
    using TShape::TShape;
    int OnCommand(int id, HWND control, int code) override
    {
        if (id == IDHELP) {
            EndShape(909);
            return 0;
        }
        return TShape::OnCommand(id, control, code);
    }
};

int killFocusCount = 0;

LRESULT CALLBACK FloatingListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KILLFOCUS)
        ++killFocusCount;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

TEST(ShapeLayout, ClientAreaFitsTheElements)
{
    UseTestModule();
    TBox box(100, 40), framedBox(30, 20);
    TGroupElement framed("枠", &framedBox, nullptr);
    struct {
        std::vector<TElement*> elements;
        bool statusBar;
        SIZE client;
        TBox* placed;
        POINT at;
    } const rows[] = {
        {{}, false, {12, 12}, nullptr, {}},
        {{&box}, false, {124, 64}, &box, {12, 12}},
        {{&box}, true, {124, 64}, &box, {12, 12}},
        {{&framed}, false, {30 + 36 + 24, 20 + 26 + 24}, &framedBox, {30, 30}},
    };
    for (const auto& row : rows) {
        TShape shape(nullptr, "Layout");
        shape.Root.Children = row.elements;
        shape.StatusBarId = row.statusBar ? -1 : 0;
        shape.ShowModeless(0);
        ASSERT_TRUE(IsWindow(shape.Hwnd));
        int barHeight = 0;
        if (row.statusBar) {
            ASSERT_TRUE(shape.StatusBar);
            EXPECT_EQ(5000, GetDlgCtrlID(shape.StatusBar));
            RECT bar;
            GetWindowRect(shape.StatusBar, &bar);
            MapWindowPoints(nullptr, shape.Hwnd, reinterpret_cast<POINT*>(&bar), 2);
            barHeight = bar.bottom - bar.top;
            EXPECT_GT(barHeight, 0);
            EXPECT_EQ(ClientSize(shape.Hwnd).cy, bar.bottom);
        }
        EXPECT_EQ(row.client.cx, ClientSize(shape.Hwnd).cx) << row.elements.size();
        EXPECT_EQ(row.client.cy + barHeight, ClientSize(shape.Hwnd).cy) << row.elements.size();
        if (row.placed) {
            EXPECT_EQ(row.at.x, row.placed->At.x);
            EXPECT_EQ(row.at.y, row.placed->At.y);
        }
        EXPECT_EQ(&shape, TShape::FromWindow(shape.Hwnd));
    }
}

TEST(ShapeKeys, EnterF1AndEscapeInTheModalLoop)
{
    UseTestModule();
    TSpinEditElement single(DockTop, 5, 0, 10);
    TNotesElement notes;
    notes.Dock = DockTop;
    // The default button is not the one IsDialogMessageA would press (IDOK).
    TButtonRecord yes(IDYES, "はい"), ok(IDOK, "OK"), cancel(IDCANCEL, "ｷｬﾝｾﾙ"), help(IDHELP, "ﾍﾙﾌﾟ");
    TButtonsElement buttons(DockBottom, &yes, &ok, &cancel, &help, nullptr);
    THelpCatcher shape(nullptr, "Keys", &buttons, &single, &notes, nullptr);
    HWND list = MakePlainWindow("FloatComboListClass", "DropDownList", WS_POPUP, FloatingListProc);

    enum { OkButton, SingleLine, MultiLine };
    struct {
        int focus;
        WPARAM key;
        bool listShown;
        int result;  // -1: the shape stays open and the script ends it with 77
    } const rows[] = {
        {SingleLine, VK_RETURN, false, IDYES},
        {MultiLine, VK_RETURN, false, -1},
        {SingleLine, VK_F1, false, 909},
        {OkButton, VK_ESCAPE, true, -1},
        {OkButton, VK_ESCAPE, false, IDCANCEL},
    };
    for (const auto& row : rows) {
        ShowWindow(list, row.listShown ? SW_SHOWNOACTIVATE : SW_HIDE);
        std::vector<TStep> steps = {WhenActive(shape), [&] {
                                        HWND targets[] = {buttons.Buttons[0].Control.Hwnd, single.Edit.Hwnd,
                                                          notes.Edit.Hwnd};
                                        SetFocus(targets[row.focus]);
                                        killFocusCount = 0;
                                        PostKey(WM_KEYDOWN, row.key);
                                        return true;
                                    }};
        if (row.result == -1) {
            steps.push_back([&] {
                if (row.listShown ? killFocusCount == 0 : TextOf(notes.Edit.Hwnd).find("\r\n") == std::string::npos)
                    return false;
                EXPECT_TRUE(IsWindowVisible(shape.Hwnd)) << "the key closed the shape";
                shape.EndShape(77);
                return true;
            });
        }
        EXPECT_EQ(row.result == -1 ? 77 : row.result, RunScripted(shape, steps)) << row.key << " in " << row.focus;
    }
    DestroyWindow(list);
}

namespace {

// Counts the close commands that reach the shape.
class TCloseCounter : public TShape {
public:
    using TShape::TShape;
    int Closes = 0;
    LRESULT OnSysCommand(UINT command, int x, int y) override
    {
        Closes += (command & 0xFFF0) == SC_CLOSE;
        return TShape::OnSysCommand(command, x, y);
    }
};

}  // namespace

TEST(ShapeKeys, EscapeWithoutACancelButtonClosesOnlyAClosableShape)
{
    UseTestModule();
    for (bool closable : {true, false}) {
        TSpinEditElement field(DockTop, 1, 0, 9);
        TCloseCounter shape(nullptr, "Escape", &field, nullptr);
        shape.Closable = closable;
        shape.Result = 4;  // what the shape ends with when nothing else sets it
        std::vector<TStep> steps = {WhenActive(shape), [&] {
                                        MENUITEMINFOA close = {};
                                        close.cbSize = sizeof close;
                                        close.fMask = MIIM_STATE;
                                        GetMenuItemInfoA(GetSystemMenu(shape.Hwnd, FALSE), SC_CLOSE, FALSE, &close);
                                        EXPECT_EQ(!closable, (close.fState & MFS_GRAYED) != 0);
                                        SetFocus(field.Edit.Hwnd);
                                        PostKey(WM_KEYDOWN, VK_ESCAPE);
                                        return true;
                                    }};
        if (!closable) {
            steps.push_back([&] {
                if (!shape.Closes)
                    return false;
                EXPECT_TRUE(IsWindowVisible(shape.Hwnd)) << "a shape that may not be closed closed";
                shape.EndShape(6);
                return true;
            });
        }
        EXPECT_EQ(closable ? 4 : 6, RunScripted(shape, steps));
        EXPECT_EQ(1, shape.Closes);
    }
}

TEST(ShapeWindow, DragByTheClientAreaUnlessTheRightButtonIsDown)
{
    UseTestModule();
    TBox box(100, 40);
    TShape shape(nullptr, "Drag", &box, nullptr);
    shape.ShowModeless(0);
    RECT window;
    GetWindowRect(shape.Hwnd, &window);
    POINT client = {2, 2};
    ClientToScreen(shape.Hwnd, &client);
    const struct {
        POINT at;
        bool rightButton;
        LRESULT hit;
    } rows[] = {
        {client, false, HTCAPTION},
        {client, true, HTCLIENT},
        {{(window.left + window.right) / 2, window.top + GetSystemMetrics(SM_CYFRAME) + 4}, false, HTCAPTION},
        {{window.right + 50, window.bottom + 50}, false, HTNOWHERE},
    };
    for (const auto& row : rows) {
        THeldKeys held({row.rightButton ? VK_RBUTTON : 0});
        EXPECT_EQ(row.hit, SendMessageA(shape.Hwnd, WM_NCHITTEST, 0, MAKELPARAM(row.at.x, row.at.y)))
            << row.at.x << "," << row.at.y << " right " << row.rightButton;
    }
}

namespace {

std::vector<DWORD> flashes;

class TFlashCounter : public TShape {
public:
    using TShape::TShape;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCACTIVATE)
            flashes.push_back(GetTickCount());
        return TShape::WndProc(message, wParam, lParam);
    }
};

}  // namespace

TEST(ShapeWindow, AltF5TwiceFlashesAndSavesThePlacementEachTime)
{
    UseTestModule();
    TTestSettings settings("ShapeFlash");
    TBox box(100, 40);
    TFlashCounter shape(nullptr, "Flash", &box, nullptr);
    shape.SettingsName.Set("FlashShape");
    std::unique_ptr<THeldKeys> alt;
    std::vector<DWORD> threadsBefore;
    size_t flashesBefore = 0;
    auto press = [&] {
        flashesBefore = flashes.size();
        threadsBefore = OwnThreads();
        alt.reset(new THeldKeys({VK_MENU}));
        PostMessageA(shape.Hwnd, WM_SYSKEYDOWN, VK_F5, 0x20000001);
        return true;
    };
    // Once the flash thread has ended: its flashes, the style and the saved style.
    auto settled = [&](size_t count, DWORD gap, bool topmost) {
        return [&, count, gap, topmost] {
            bool started = false;
            for (DWORD id : OwnThreads()) {
                if (std::count(threadsBefore.begin(), threadsBefore.end(), id))
                    continue;
                started = true;
                HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id);
                const bool running = thread && WaitForSingleObject(thread, 0) != WAIT_OBJECT_0;
                CloseHandle(thread);
                if (running)
                    return false;
            }
            if (!started && flashes.size() == flashesBefore)
                return false;
            alt.reset();
            EXPECT_EQ(count, flashes.size() - flashesBefore);
            EXPECT_GE(flashes.back() - flashes[flashesBefore], gap);
            EXPECT_EQ(topmost, (GetWindowLongA(shape.Hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
            BYTE record[56] = {};
            EXPECT_EQ(56u, settings.Read("App\\Serialize", "FlashShape", record, sizeof record));
            EXPECT_EQ(topmost, (record[48] & WS_EX_TOPMOST) != 0) << "the saved extended style";
            return true;
        };
    };
    EXPECT_EQ(3, RunScripted(shape, {WhenActive(shape), press, settled(4, 3 * 90, true), press, settled(2, 280, false),
                                     [&] {
                                         shape.EndShape(3);
                                         return true;
                                     }}));
}

namespace {

struct {
    WPARAM wParam = 0;
    LPARAM lParam = 0;
} ownerGot;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        ownerGot = {wParam, lParam};
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Refuses to close until told otherwise, and counts the refusals.
class TStubborn : public TShape {
public:
    using TShape::TShape;
    bool Allow = false;
    int Asked = 0;
    bool CanClose() override
    {
        ++Asked;
        return Allow;
    }
};

}  // namespace

TEST(ShapeWindow, ModelessShapesNotifyTheirOwnerAndShowTogether)
{
    UseTestModule();
    HWND owner = MakePlainWindow("ShapeTestOwner", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, OwnerProc);
    TBox box(60, 30), hiddenBox(60, 30);
    TShape shape(owner, "Modeless", &box, nullptr), hidden(owner, "Hidden", &hiddenBox, nullptr);
    hidden.ShowOnCreate = false;
    shape.ShowModeless(700);
    hidden.ShowModeless(0);
    // Shown again while open: the same window, no second one.
    HWND window = shape.Hwnd;
    shape.ShowModeless(700);
    EXPECT_EQ(window, shape.Hwnd);
    TWindowList open;
    TWindow::FindWindows(NoWindow, ShapeClassName, "Modeless", open);
    EXPECT_EQ(1, open.Count());
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_TRUE(IsWindowVisible(shape.Hwnd));
    EXPECT_FALSE(IsWindowVisible(hidden.Hwnd));
    ShowAllShapes(false);
    EXPECT_FALSE(IsWindowVisible(shape.Hwnd));
    ShowAllShapes(true);
    EXPECT_TRUE(IsWindowVisible(shape.Hwnd));
    EXPECT_FALSE(IsWindowVisible(hidden.Hwnd)) << "a shape meant to stay hidden was shown";

    ownerGot = {};
    shape.EndShape(1);
    EXPECT_TRUE(PumpUntil([&] { return ownerGot.wParam != 0; }, 5000));
    EXPECT_EQ(MAKEWPARAM(700, 1), ownerGot.wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(window), ownerGot.lParam);
    EXPECT_FALSE(IsWindow(window));
    // The next message through any loop lets the list forget the closed shape.
    EXPECT_EQ(0, box.Closed);
    MSG nothing = {};
    EXPECT_FALSE(TShape::TranslateShapeMessage(nothing));
    EXPECT_EQ(1, box.Closed);
    EXPECT_EQ(nullptr, shape.Hwnd);
    TShape::CloseAllShapes();
    EXPECT_EQ(1, hiddenBox.Closed);
    EXPECT_FALSE(IsWindow(hidden.Hwnd));
    DestroyWindow(owner);
}

TEST(ShapeWindow, ModalRunDisablesItsOwnerRefusesCloseAndEndsOnQuit)
{
    UseTestModule();
    HWND owner = MakePlainWindow("ShapeTestOwner", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, OwnerProc);
    TBox box(60, 30);
    TStubborn shape(owner, "Modal", &box, nullptr);
    HWND window = nullptr;
    const int result = RunScripted(shape, {WhenActive(shape),
                                           [&] {
                                               window = shape.Hwnd;
                                               EXPECT_FALSE(IsWindowEnabled(owner));
                                               shape.EndShape(5);
                                               return true;
                                           },
                                           [&] {
                                               if (!shape.Asked)
                                                   return false;
                                               EXPECT_TRUE(IsWindowVisible(shape.Hwnd)) << "closed though refused";
                                               PostQuitMessage(3);
                                               return true;
                                           }});
    EXPECT_EQ(5, result);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(1, box.Closed);
    EXPECT_TRUE(IsWindowEnabled(owner));
    MSG quit = {};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit message was swallowed";
    EXPECT_EQ(3u, quit.wParam);

    // Accepted: the owner is enabled again before the shape goes, and activated.
    shape.Allow = true;
    EXPECT_EQ(8, RunScripted(shape, {WhenActive(shape), [&] {
                                         shape.EndShape(8);
                                         return true;
                                     }}));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(owner, GetActiveWindow());
    DestroyWindow(owner);
}

TEST(ShapeDialog, SixForms)
{
    UseTestModule();
    TBox box(40, 20);
    TElement* elements[] = {&box, nullptr};
    // An owner that is no longer a window owns nothing: the shapes open all the same.
    HWND gone = MakePlainWindow("ShapeTestOwner", "Gone", WS_OVERLAPPEDWINDOW);
    DestroyWindow(gone);
    const struct {
        std::function<int()> run;
        const char* title;
        const char* settingsName;
    } rows[] = {
        {[&] { return RunShapeDialog(gone, "Form1", elements); }, "", "Form1"},
        {[&] { return RunShapeDialog(gone, "Form2", &box, nullptr); }, "", "Form2"},
        {[&] { return RunShapeDialog(gone, "題名", "Form3", elements); }, "題名", "Form3"},
        {[&] { return RunShapeDialog(gone, "題名", "Form4", &box, nullptr); }, "題名", "Form4"},
        {[&] { return RunShapeDialog(gone, 4101u, "Form5", elements); }, "表から来た題", "Form5"},
        {[&] { return RunShapeDialog(gone, 4101u, "Form6", &box, nullptr); }, "表から来た題", "Form6"},
    };
    int answer = 10;
    for (const auto& row : rows) {
        box.At = {-1, -1};
        ++answer;
        TScriptRun script({[&] {
            TShape* shape = TShape::FromWindow(GetActiveWindow());
            if (!shape)
                return false;
            EXPECT_EQ(row.title, TextOf(shape->Hwnd));
            EXPECT_STREQ(row.settingsName, shape->SettingsName.Get());
            EXPECT_EQ(12, box.At.x);
            shape->EndShape(answer);
            return true;
        }});
        EXPECT_EQ(answer, row.run()) << row.settingsName;
    }
}

TEST(ShapeTexts, SetFromTheirOwnText)
{
    const char kText[] = "設定(&SETTINGS&) と ｶﾀｶﾅ";
    TShape shape(nullptr, kText);
    TGroupElement group(kText, nullptr);
    TRadioOption only(0, "A");
    TRadioGroupElement radio(0, &only, nullptr);
    radio.SetCaption(kText);
    TTextElement text(DockTop, AlignCentre, kText, true);
    const struct {
        const char* setter;
        std::function<void()> set;
        const TText& result;
    } rows[] = {
        {"SetTitle", [&] { shape.SetTitle(shape.Title.Get()); }, shape.Title},
        {"group SetCaption", [&] { group.SetCaption(group.Caption.Get()); }, group.Caption},
        {"radio SetCaption", [&] { radio.SetCaption(radio.Caption.Get()); }, radio.Caption},
        {"SetText", [&] { text.SetText(text.Text.Get()); }, text.Text},
    };
    for (const auto& row : rows) {
        const std::string before = row.result.Get();
        EXPECT_NE("", before);
        row.set();
        EXPECT_EQ(before, row.result.Get()) << row.setter;
    }
}

namespace {

// A shape hosted in a Windows dialog that notes the icons the hosting posted
// to it and, when asked to, ends the dialog from its own initialisation.
class TIconNoter : public TShape {
public:
    using TShape::TShape;
    bool EndWhileStarting = false;
    std::vector<MSG> Posted;
    void OnInitShape() override
    {
        MSG message;
        while (PeekMessageA(&message, Hwnd, WM_SETICON, WM_SETICON, PM_REMOVE))
            Posted.push_back(message);
        for (const MSG& posted : Posted)
            PostMessageA(Hwnd, WM_SETICON, posted.wParam, posted.lParam);
        if (EndWhileStarting)
            EndShape(IDCANCEL);
    }
    // Whether the two icons were posted and are gone.
    bool PostedIconsGone() const
    {
        ICONINFO info = {};
        bool gone = Posted.size() == 2;
        for (const MSG& posted : Posted)
            if (GetIconInfo(reinterpret_cast<HICON>(posted.lParam), &info)) {
                DeleteObject(info.hbmColor);
                DeleteObject(info.hbmMask);
                gone = false;
            }
        return gone;
    }
};

// Runs the shape in a Windows dialog whose template has no controls: the shape makes its own.
INT_PTR RunHosted(TShape& shape)
{
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass, title, pad;
    } dialog = {{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 0, 100, 60}, 0, 0, 0, 0};
    return DialogBoxIndirectParamA(AppGlobals.Instance, &dialog.header, nullptr, TShape::PreDlgProc,
                                   reinterpret_cast<LPARAM>(&shape));
}

}  // namespace

TEST(ShapeHosting, InAWindowsDialog)
{
    UseTestModule();
    TBox box(100, 40);
    TButtonRecord ok(IDOK, "OK");
    TButtonsElement buttons(DockBottom, &ok, nullptr);
    TIconNoter shape(nullptr, "Hosted", &buttons, &box, nullptr);
    TScriptRun script({[&] { return TShape::FromWindow(GetActiveWindow()) == &shape; },
                       [&] {
                           EXPECT_EQ("Hosted", TextOf(shape.Hwnd));
                           EXPECT_EQ(0x84C80000u, GetWindowLongA(shape.Hwnd, GWL_STYLE) & ~WS_VISIBLE);
                           EXPECT_EQ(124, ClientSize(shape.Hwnd).cx);
                           EXPECT_TRUE(SendMessageA(shape.Hwnd, WM_GETICON, ICON_SMALL, 0)) << "the icons were posted";
                           SendMessageA(buttons.Buttons[0].Control.Hwnd, BM_CLICK, 0, 0);
                           return true;
                       }});
    EXPECT_EQ(IDOK, RunHosted(shape));
    EXPECT_EQ(1, box.Closed) << "the elements heard that the dialog was gone";
    EXPECT_EQ(nullptr, shape.Hwnd);
    EXPECT_TRUE(shape.PostedIconsGone());
}

TEST(ShapeHosting, EndedWhileStartingItLeavesNoIcon)
{
    UseTestModule();
    TIconNoter shape(nullptr, "Hosted");
    shape.EndWhileStarting = true;
    EXPECT_EQ(IDCANCEL, RunHosted(shape));
    EXPECT_TRUE(shape.PostedIconsGone()) << "the dialog ended before the posted icons arrived";
}

namespace {

// Records the popups that open, pictures the open one over the shape after a
// few ticks of the menu's own loop, and closes it.
class TMenuWatcher : public TShape {
public:
    using TShape::TShape;
    HMENU Opened = nullptr;
    HWND MenuWindow = nullptr;
    RECT MenuRect = {};  // where the popup opened
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITMENUPOPUP)
            Opened = reinterpret_cast<HMENU>(wParam);
        if (message == WM_ENTERIDLE && wParam == MSGF_MENU && !MenuWindow) {
            MenuWindow = reinterpret_cast<HWND>(lParam);
            GetWindowRect(MenuWindow, &MenuRect);
            ticks_ = 0;
            SetTimer(Hwnd, kPictureTimer, 30, nullptr);
        }
        if (message == WM_TIMER && wParam == kPictureTimer) {
            if (++ticks_ < 8)
                return 0;
            KillTimer(Hwnd, kPictureTimer);
            RECT menu, area;
            if (MenuWindow && GetWindowRect(MenuWindow, &menu) && GetWindowRect(Hwnd, &area)) {
                UnionRect(&area, &area, &menu);
                InflateRect(&area, 8, 8);
                // The popup is copied from its own DC: under Wine's virtual
                // desktop a popup that opens over a freshly activated window
                // may stand under it on the screen.
                TCanvas canvas(area.right - area.left, area.bottom - area.top);
                HDC screen = GetDC(nullptr), popup = GetWindowDC(MenuWindow);
                BitBlt(canvas.Dc(), 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left, area.top,
                       SRCCOPY);
                BitBlt(canvas.Dc(), menu.left - area.left, menu.top - area.top, menu.right - menu.left,
                       menu.bottom - menu.top, popup, 0, 0, SRCCOPY);
                ReleaseDC(MenuWindow, popup);
                ReleaseDC(nullptr, screen);
                EXPECT_TRUE(SaveScreenshot(canvas.Pixels(), "shape_help_popup.png"));
            }
            EndMenu();
            return 0;
        }
        return TShape::WndProc(message, wParam, lParam);
    }

private:
    static const UINT_PTR kPictureTimer = 77;
    int ticks_ = 0;
};

bool IsOwnerDrawnEntry(HMENU menu, UINT item, BOOL byPosition)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    return GetMenuItemInfoA(menu, item, byPosition, &info) && (info.fType & MFT_OWNERDRAW) && info.dwItemData;
}

}  // namespace

TEST(ShapeMenus, OwnerDrawnSystemMenuAndContextHelp)
{
    UseTestModule();
    TButtonRecord ok(IDOK, "OK"), explain(7, "説明", nullptr, true, 1234);
    TButtonsElement buttons(DockBottom, &ok, &explain, nullptr);
    TMenuWatcher shape(nullptr, "Menus", &buttons, nullptr);
    // The mouse gives the point it was clicked at; Shift+F10 and the menu key give (-1, -1).
    auto contextMenu = [&](HWND control, bool keyboard) {
        const RECT at = WindowRectOf(control);
        shape.MenuWindow = nullptr;
        PostMessageA(shape.Hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control),
                     keyboard ? MAKELPARAM(-1, -1) : MAKELPARAM(at.left, at.top));
    };
    auto help = [&] { return buttons.Buttons[1].Control.Hwnd; };
    auto popupAt = [&](LONG x, LONG y) { return shape.MenuRect.left == x && shape.MenuRect.top == y; };
    auto popupClosed = [&] { return shape.MenuWindow && !IsWindowVisible(shape.MenuWindow); };
    EXPECT_EQ(IDOK, RunScripted(shape, {WhenActive(shape),
                                        [&] {
                                            EXPECT_TRUE(shape.ContextHelp);
                                            EXPECT_TRUE(GetWindowLongA(shape.Hwnd, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
                                            EXPECT_TRUE(IsOwnerDrawnEntry(GetSystemMenu(shape.Hwnd, FALSE), SC_CLOSE, FALSE));
                                            EXPECT_TRUE(IsOwnerDrawnEntry(shape.HelpPopup, 0, TRUE));
                                            EXPECT_EQ(1234u, GetWindowContextHelpId(buttons.Buttons[1].Control.Hwnd));
                                            // A control without a help topic opens nothing; the next one does.
                                            contextMenu(buttons.Buttons[0].Control.Hwnd, false);
                                            contextMenu(help(), false);
                                            return true;
                                        },
                                        popupClosed,
                                        [&] {
                                            EXPECT_EQ(shape.HelpPopup, shape.Opened);
                                            EXPECT_EQ(help(), shape.HelpTarget);
                                            EXPECT_TRUE(popupAt(WindowRectOf(help()).left, WindowRectOf(help()).top));
                                            contextMenu(help(), true);
                                            return true;
                                        },
                                        popupClosed,
                                        [&] {
                                            const RECT at = WindowRectOf(help());
                                            EXPECT_TRUE(popupAt((at.left + at.right) / 2, (at.top + at.bottom) / 2))
                                                << "from the keyboard the popup opens in the middle of the control";
                                            // A new menu font: the menus are measured again and stay owner-drawn.
                                            SendMessageA(shape.Hwnd, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
                                            EXPECT_TRUE(IsOwnerDrawnEntry(GetSystemMenu(shape.Hwnd, FALSE), SC_CLOSE, FALSE));
                                            shape.EndShape(IDOK);
                                            return true;
                                        }}));
    EXPECT_EQ(nullptr, shape.HelpPopup) << "the help popup outlived the window";
}
