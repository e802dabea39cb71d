// The window wrapper against real windows under Wine: binding on WM_CREATE,
// the queries and operations, searches and broadcasts.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "framework/core/window.h"
#include "framework/settings/app_globals.h"
#include "framework/util/text.h"
#include "framework/util/window_class.h"
#include "tests/message_pump.h"

namespace {

const char kPlainClass[] = "WindowTestPlain";
const char kCountingClass[] = "WindowTestCounting";
const UINT kCountMessage = WM_APP + 7;
std::atomic<int> countedMessages{0};

LRESULT CALLBACK CountingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kCountMessage) {
        countedMessages += static_cast<int>(wParam);
        return 1;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterPlainClass(const char* name, WNDPROC proc)
{
    WNDCLASSA windowClass;
    TWindow::FillWindowClass(windowClass);
    windowClass.lpszClassName = name;
    windowClass.lpfnWndProc = proc;
    windowClass.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32516));
    RegisterClassA(&windowClass);
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppGlobals.Instance = GetModuleHandleA(nullptr);
        WNDCLASSA windowClass;
        TWindow::FillWindowClass(windowClass);
        RegisterWindowClass(windowClass);
        RegisterPlainClass(kPlainClass, DefWindowProcA);
        RegisterPlainClass(kCountingClass, CountingProc);
    }

    void TearDown() override
    {
        for (HWND window : windows)
            DestroyWindow(window);
    }

    HWND Make(const char* className, DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = nullptr,
              const char* title = "test")
    {
        HWND window = CreateWindowExA(0, className, title, style, 10, 10, 200, 150, parent, nullptr,
                                      AppGlobals.Instance, nullptr);
        windows.push_back(window);
        return window;
    }

    std::vector<HWND> windows;
};

}  // namespace

// ---------------------------------------------------------------------------
// Class template and binding

TEST_F(WindowTest, TemplateClassValues)
{
    WNDCLASSA windowClass;
    memset(&windowClass, 0xcc, sizeof windowClass);
    TWindow::FillWindowClass(windowClass);
    EXPECT_EQ(static_cast<UINT>(CS_VREDRAW | CS_HREDRAW), windowClass.style);
    EXPECT_EQ(&TWindow::PreWndProc, windowClass.lpfnWndProc);
    EXPECT_EQ(0, windowClass.cbClsExtra);
    EXPECT_GE(windowClass.cbWndExtra, static_cast<int>(sizeof(void*)));
    EXPECT_EQ(AppGlobals.Instance, windowClass.hInstance);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), windowClass.hbrBackground);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), windowClass.hCursor);
    EXPECT_EQ(nullptr, windowClass.lpszMenuName);
    EXPECT_STREQ("ZanthWindowClass", windowClass.lpszClassName);

    // Registered already by the fixture: a second registration is harmless.
    RegisterWindowClass(windowClass);
    WNDCLASSA found;
    EXPECT_TRUE(GetClassInfoA(AppGlobals.Instance, "ZanthWindowClass", &found));
    EXPECT_EQ(&TWindow::PreWndProc, found.lpfnWndProc);
    EXPECT_EQ(static_cast<int>(sizeof(LONG_PTR)), found.cbWndExtra);
}

namespace {

struct TBindingRecord {
    bool sawNcCreate = false;
    TWindow* boundAtNcCreate = reinterpret_cast<TWindow*>(1);
    HWND hwndAtNcCreate = reinterpret_cast<HWND>(1);
    TWindow* boundAfterCreate = nullptr;
    HWND hwndAfterCreate = nullptr;
};
TBindingRecord* bindingRecord = nullptr;
TWindow* bindingObject = nullptr;

// Calls the template procedure, then looks at what it bound.
LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = TWindow::PreWndProc(hwnd, message, wParam, lParam);
    if (bindingRecord && message == WM_NCCREATE) {
        bindingRecord->sawNcCreate = true;
        bindingRecord->boundAtNcCreate = TWindow::BoundObject(hwnd);
        bindingRecord->hwndAtNcCreate = bindingObject->Hwnd;
    } else if (bindingRecord && message == WM_CREATE) {
        bindingRecord->boundAfterCreate = TWindow::BoundObject(hwnd);
        bindingRecord->hwndAfterCreate = bindingObject->Hwnd;
    }
    return result;
}

}  // namespace

TEST_F(WindowTest, BindsObjectOnCreateNotBefore)
{
    RegisterPlainClass("WindowTestRecording", RecordingProc);
    TBindingRecord record;
    TWindow object;
    bindingRecord = &record;
    bindingObject = &object;
    HWND hwnd = TWindow::Create(&object, "WindowTestRecording", "bound", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr);
    bindingRecord = nullptr;
    ASSERT_NE(nullptr, hwnd);
    windows.push_back(hwnd);

    EXPECT_TRUE(record.sawNcCreate);
    EXPECT_EQ(nullptr, record.boundAtNcCreate);
    EXPECT_EQ(nullptr, record.hwndAtNcCreate);
    EXPECT_EQ(&object, record.boundAfterCreate);
    EXPECT_EQ(hwnd, record.hwndAfterCreate);
    EXPECT_EQ(hwnd, object.Hwnd);
    EXPECT_EQ(&object, TWindow::BoundObject(hwnd));
}

TEST_F(WindowTest, CreateExAndCreateUseTemplateClass)
{
    TWindow object;
    HWND hwnd = TWindow::CreateEx(&object, WS_EX_TOOLWINDOW, "ZanthWindowClass", "ex", WS_POPUP, 0, 0, 50, 40,
                                  nullptr, nullptr);
    ASSERT_NE(nullptr, hwnd);
    windows.push_back(hwnd);
    EXPECT_EQ(hwnd, object.Hwnd);
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(AppGlobals.Instance, reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE)));

    TWindow plain;
    HWND second = TWindow::Create(&plain, "ZanthWindowClass", "plain", WS_POPUP, 0, 0, 50, 40, nullptr, nullptr);
    ASSERT_NE(nullptr, second);
    windows.push_back(second);
    EXPECT_EQ(0, GetWindowLongA(second, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    // The bare wrapper answers with the default procedure.
    EXPECT_TRUE(SetWindowTextA(second, "changed"));
    char* text = plain.GetTextCopy();
    EXPECT_STREQ("changed", text);
    FreeText(text);
}

TEST_F(WindowTest, CreateWithoutObjectStaysUnbound)
{
    HWND hwnd = TWindow::Create(nullptr, "ZanthWindowClass", "none", WS_POPUP, 0, 0, 50, 40, nullptr, nullptr);
    ASSERT_NE(nullptr, hwnd);
    windows.push_back(hwnd);
    EXPECT_EQ(nullptr, TWindow::BoundObject(hwnd));
}

// ---------------------------------------------------------------------------
// Queries

TEST_F(WindowTest, ClassNameAndText)
{
    TWindow window(Make(kPlainClass, WS_OVERLAPPEDWINDOW, nullptr, "タイトル"));
    char* name = window.GetClassName();
    EXPECT_STREQ(kPlainClass, name);
    FreeText(name);

    char* text = nullptr;
    EXPECT_EQ(8, window.GetText(text));
    EXPECT_STREQ("タイトル", text);
    FreeText(text);

    SetWindowTextA(window.Hwnd, "");
    EXPECT_EQ(0, window.GetText(text));
    EXPECT_STREQ("", text);
    FreeText(text);
}

TEST_F(WindowTest, TextOfMissingWindowIsUnknown)
{
    HWND gone = Make(kPlainClass);
    DestroyWindow(gone);
    windows.clear();
    char* text = nullptr;
    EXPECT_EQ(-1, TWindow(gone).GetText(text));
    EXPECT_STREQ("不明", text);
    FreeText(text);
    char* name = TWindow(gone).GetClassName();
    EXPECT_STREQ("", name);
    FreeText(name);
}

namespace {

// The length a window of the lying class reports for its text.
LRESULT reportedLength = 0;

LRESULT CALLBACK LyingLengthProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETTEXTLENGTH)
        return reportedLength;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

// Another program's window may answer anything: a length no buffer can hold
// (negative, or beyond any memory) is no answer, not a size to allocate.
TEST_F(WindowTest, TextOfWindowReportingImpossibleLengthIsUnknown)
{
    RegisterPlainClass("WindowTestLyingLength", LyingLengthProc);
    TWindow window(Make("WindowTestLyingLength", WS_OVERLAPPEDWINDOW, nullptr, "text"));
    const LRESULT lengths[] = {-16, -1, static_cast<LRESULT>(~static_cast<ULONG_PTR>(0) >> 1),
                               static_cast<LRESULT>(0x7FFFFFF8)};
    for (const LRESULT length : lengths) {
        reportedLength = length;
        char* text = nullptr;
        EXPECT_EQ(-1, window.GetText(text)) << length;
        EXPECT_STREQ("不明", text) << length;
        FreeText(text);
    }
    // A length that is merely too small still gives what fits in the room beyond it.
    reportedLength = 0;
    char* text = nullptr;
    EXPECT_EQ(4, window.GetText(text));
    EXPECT_STREQ("text", text);
    FreeText(text);
}

namespace {

struct THungWindow {
    HWND hwnd = nullptr;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE wake = CreateEventA(nullptr, TRUE, FALSE, nullptr);
};

// Creates a window, reports it, then stops answering until woken.
DWORD WINAPI HungThread(void* param)
{
    THungWindow* hung = static_cast<THungWindow*>(param);
    hung->hwnd = CreateWindowExA(0, kPlainClass, "hung", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                 AppGlobals.Instance, nullptr);
    SetEvent(hung->ready);
    WaitForSingleObject(hung->wake, 5000);
    DestroyWindow(hung->hwnd);
    return 0;
}

}  // namespace

TEST_F(WindowTest, TextOfHungWindowIsUnknownWithinTimeout)
{
    THungWindow hung;
    HANDLE thread = CreateThread(nullptr, 0, HungThread, &hung, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hung.ready, 5000));
    ASSERT_NE(nullptr, hung.hwnd);

    TWindow window(hung.hwnd);
    char* text = nullptr;
    const DWORD start = GetTickCount();
    const int length = window.GetText(text);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(-1, length);
    EXPECT_STREQ("不明", text);
    FreeText(text);
    EXPECT_LT(elapsed, 1000u);

    // The icon query takes the class icon instead of waiting.
    const DWORD iconStart = GetTickCount();
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(32516)), window.GetIcon(false));
    EXPECT_LT(GetTickCount() - iconStart, 1000u);

    SetEvent(hung.wake);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    CloseHandle(hung.ready);
    CloseHandle(hung.wake);
}

TEST_F(WindowTest, TopLevelAncestor)
{
    HWND top = Make(kPlainClass);
    HWND child = Make(kPlainClass, WS_CHILD | WS_VISIBLE, top);
    HWND grandchild = Make(kPlainClass, WS_CHILD | WS_VISIBLE, child);
    HWND owned = Make(kPlainClass, WS_POPUP, top);
    EXPECT_EQ(top, TWindow(top).TopLevelAncestor());
    EXPECT_EQ(top, TWindow(child).TopLevelAncestor());
    EXPECT_EQ(top, TWindow(grandchild).TopLevelAncestor());
    EXPECT_EQ(owned, TWindow(owned).TopLevelAncestor());
    EXPECT_EQ(nullptr, TWindow().TopLevelAncestor());
    EXPECT_EQ(nullptr, NoWindow.Hwnd);
    EXPECT_EQ(GetDesktopWindow(), DesktopWindow.Hwnd);
}

TEST_F(WindowTest, IconFromWindowThenClass)
{
    TWindow window(Make(kPlainClass));
    // No icon set: the class's icons (the small one is made by the system or absent).
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(32516)), window.GetIcon(false));
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(window.Hwnd, GCLP_HICONSM)), window.GetIcon(true));

    HICON small = LoadIconA(nullptr, MAKEINTRESOURCEA(32514));
    HICON big = LoadIconA(nullptr, MAKEINTRESOURCEA(32515));
    SendMessageA(window.Hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    SendMessageA(window.Hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    EXPECT_EQ(small, window.GetIcon(true));
    EXPECT_EQ(big, window.GetIcon(false));
}

TEST_F(WindowTest, ScrollPositions)
{
    TWindow window(Make(kPlainClass, WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL));
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_POS, 0, 100, 0, 37, 0};
    SetScrollInfo(window.Hwnd, SB_HORZ, &info, FALSE);
    info.nPos = 64;
    SetScrollInfo(window.Hwnd, SB_VERT, &info, FALSE);
    int horizontal = -5, vertical = -5;
    window.GetScrollPositions(horizontal, vertical);
    EXPECT_EQ(37, horizontal);
    EXPECT_EQ(64, vertical);
}

TEST_F(WindowTest, RectangleConversionsAreInverse)
{
    HWND top = Make(kPlainClass, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    TWindow child(Make(kPlainClass, WS_CHILD | WS_VISIBLE, top));
    MoveWindow(child.Hwnd, 20, 30, 50, 40, FALSE);
    POINT origin = {0, 0};
    ClientToScreen(child.Hwnd, &origin);

    RECT rect = {1, 2, 11, 22};
    child.ClientToScreenRect(rect);
    EXPECT_EQ(origin.x + 1, rect.left);
    EXPECT_EQ(origin.y + 2, rect.top);
    EXPECT_EQ(origin.x + 11, rect.right);
    EXPECT_EQ(origin.y + 22, rect.bottom);
    child.ScreenToClientRect(rect);
    EXPECT_EQ(1, rect.left);
    EXPECT_EQ(2, rect.top);
    EXPECT_EQ(11, rect.right);
    EXPECT_EQ(22, rect.bottom);
}

TEST_F(WindowTest, ClickReleaseNeedsCaptureAndCursorInside)
{
    // The windows are moved around the cursor rather than the cursor around
    // the windows: a virtual desktop applies cursor moves late.
    HWND top = Make(kPlainClass, WS_POPUP | WS_VISIBLE);
    TWindow child(Make(kPlainClass, WS_CHILD | WS_VISIBLE, top));
    MoveWindow(child.Hwnd, 50, 50, 40, 40, FALSE);
    if (GetKeyState(VK_LBUTTON) & 0x8000)
        GTEST_SKIP() << "the left button is held";

    // Places the parent so that the child's top-left corner is (dx, dy) from the cursor.
    auto arrange = [&](int dx, int dy) {
        POINT cursor;
        GetCursorPos(&cursor);
        MoveWindow(top, cursor.x + dx - 50, cursor.y + dy - 50, 200, 200, FALSE);
    };

    ReleaseCapture();
    arrange(-5, -5);
    EXPECT_FALSE(child.IsClickRelease());
    SetCapture(child.Hwnd);
    // A child window inside a parent that does not start at the screen origin.
    EXPECT_TRUE(child.IsClickRelease());
    arrange(-40, -40); // the cursor on the bottom-right edges: still inside
    EXPECT_TRUE(child.IsClickRelease());
    arrange(-43, -5); // three pixels to the right of the child
    EXPECT_FALSE(child.IsClickRelease());
    ReleaseCapture();
}

// ---------------------------------------------------------------------------
// Operations

TEST_F(WindowTest, SetClientSizeReachesBothDimensions)
{
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 1, "ファイル(&F)");
    HWND hwnd = CreateWindowExA(0, kPlainClass, "size", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, menu,
                                AppGlobals.Instance, nullptr);
    windows.push_back(hwnd);
    TWindow window(hwnd);
    RECT client;

    window.SetClientSize(320, 180);
    GetClientRect(hwnd, &client);
    EXPECT_EQ(320, client.right);
    EXPECT_EQ(180, client.bottom);

    // Only the height differs: the width already matches, the height still has to move.
    window.SetClientSize(320, 260);
    GetClientRect(hwnd, &client);
    EXPECT_EQ(320, client.right);
    EXPECT_EQ(260, client.bottom);

    // Only the width differs.
    window.SetClientSize(150, 260);
    GetClientRect(hwnd, &client);
    EXPECT_EQ(150, client.right);
    EXPECT_EQ(260, client.bottom);

    // A child window keeps its place in its parent.
    HWND childHwnd = Make(kPlainClass, WS_CHILD | WS_BORDER | WS_VISIBLE, hwnd);
    MoveWindow(childHwnd, 7, 9, 40, 40, FALSE);
    TWindow(childHwnd).SetClientSize(60, 30);
    GetClientRect(childHwnd, &client);
    EXPECT_EQ(60, client.right);
    EXPECT_EQ(30, client.bottom);
    RECT placed;
    GetWindowRect(childHwnd, &placed);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(7, placed.left);
    EXPECT_EQ(9, placed.top);
}

TEST_F(WindowTest, FocusFirstTabStopSkipsDisabledAndUnmarked)
{
    HWND top = Make(kPlainClass, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SetForegroundWindow(top);
    HWND plain = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, top, nullptr,
                                 AppGlobals.Instance, nullptr);
    HWND disabled = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_DISABLED, 0, 30, 50,
                                    20, top, nullptr, AppGlobals.Instance, nullptr);
    HWND target = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 60, 50, 20, top,
                                  nullptr, AppGlobals.Instance, nullptr);
    ASSERT_TRUE(plain && disabled && target);
    SetFocus(plain);
    TWindow(top).FocusFirstTabStop();
    EXPECT_EQ(target, GetFocus());

    // No child with a tab stop: the focus stays where it was.
    HWND bare = Make(kPlainClass, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SetFocus(target);
    TWindow(bare).FocusFirstTabStop();
    EXPECT_EQ(target, GetFocus());
}

// ---------------------------------------------------------------------------
// Searches and broadcasts

TEST_F(WindowTest, FindWindowsListsInSearchOrder)
{
    HWND a = Make(kCountingClass, WS_OVERLAPPEDWINDOW, nullptr, "match");
    HWND b = Make(kCountingClass, WS_OVERLAPPEDWINDOW, nullptr, "other");
    HWND c = Make(kCountingClass, WS_OVERLAPPEDWINDOW, nullptr, "match");

    TWindowList list;
    list.Add(reinterpret_cast<HWND>(0x1234));  // emptied first
    TWindow::FindWindows(NoWindow, kCountingClass, nullptr, list);
    ASSERT_EQ(3, list.Count());
    HWND expected = nullptr;
    for (int i = 0; i < 3; ++i) {
        expected = FindWindowExA(nullptr, expected, kCountingClass, nullptr);
        EXPECT_EQ(expected, list.At(i)) << i;
    }
    EXPECT_NE(-1, list.IndexOf(a));
    EXPECT_NE(-1, list.IndexOf(b));
    EXPECT_NE(-1, list.IndexOf(c));

    TWindow::FindWindows(NoWindow, kCountingClass, "match", list);
    ASSERT_EQ(2, list.Count());
    EXPECT_EQ(-1, list.IndexOf(b));

    // Children are found under their parent only.
    HWND child = Make(kCountingClass, WS_CHILD, a, "match");
    TWindow::FindWindows(TWindow(a), kCountingClass, nullptr, list);
    ASSERT_EQ(1, list.Count());
    EXPECT_EQ(child, list.At(0));

    TWindow::FindWindows(NoWindow, "WindowTestNoSuchClass", nullptr, list);
    EXPECT_EQ(0, list.Count());
}

TEST_F(WindowTest, PostAndSendReachEveryMatch)
{
    Make(kCountingClass, WS_OVERLAPPEDWINDOW, nullptr, "match");
    Make(kCountingClass, WS_OVERLAPPEDWINDOW, nullptr, "skip");
    Make(kCountingClass, WS_OVERLAPPEDWINDOW, nullptr, "match");

    countedMessages = 0;
    TWindow::SendToMatching(NoWindow, kCountingClass, "match", kCountMessage, 1, 0);
    EXPECT_EQ(2, countedMessages.load());

    countedMessages = 0;
    TWindow::PostToMatching(NoWindow, kCountingClass, nullptr, kCountMessage, 10, 0);
    EXPECT_EQ(0, countedMessages.load());
    EXPECT_TRUE(PumpUntil([] { return countedMessages >= 30; }, 10000));
    EXPECT_EQ(30, countedMessages.load());

    TWindowList list;
    TWindow::FindWindows(NoWindow, kCountingClass, "skip", list);
    countedMessages = 0;
    TWindow::SendToAll(list, kCountMessage, 100, 0);
    EXPECT_EQ(100, countedMessages.load());
    TWindow::PostToAll(list, kCountMessage, 1000, 0);
    EXPECT_TRUE(PumpUntil([] { return countedMessages >= 1100; }, 10000));
    EXPECT_EQ(1100, countedMessages.load());
}

TEST_F(WindowTest, ShowNextAndPreviousOfClassWrapAround)
{
    const char* cls = kCountingClass;
    std::vector<HWND> made;
    for (int i = 0; i < 3; ++i)
        made.push_back(Make(cls, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    std::vector<HWND> sorted = made;
    std::sort(sorted.begin(), sorted.end(),
              [](HWND x, HWND y) { return reinterpret_cast<UINT_PTR>(x) < reinterpret_cast<UINT_PTR>(y); });
    auto topOfClass = [cls]() { return FindWindowExA(nullptr, nullptr, cls, nullptr); };

    EXPECT_TRUE(TWindow::ShowNextOfClass(TWindow(sorted[0]), cls));
    EXPECT_EQ(sorted[1], topOfClass());
    EXPECT_TRUE(TWindow::ShowNextOfClass(TWindow(sorted[2]), cls));
    EXPECT_EQ(sorted[0], topOfClass());  // past the largest: the smallest
    EXPECT_TRUE(TWindow::ShowPreviousOfClass(TWindow(sorted[2]), cls));
    EXPECT_EQ(sorted[1], topOfClass());
    EXPECT_TRUE(TWindow::ShowPreviousOfClass(TWindow(sorted[0]), cls));
    EXPECT_EQ(sorted[2], topOfClass());  // before the smallest: the largest

    // A hidden window first in the walk ends it before any visible one is seen.
    Make(cls, WS_OVERLAPPEDWINDOW);
    SetWindowPos(windows.back(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_EQ(windows.back(), topOfClass());
    EXPECT_FALSE(TWindow::ShowNextOfClass(TWindow(sorted[0]), cls));
    EXPECT_FALSE(TWindow::ShowNextOfClass(TWindow(sorted[0]), "WindowTestNoSuchClass"));
}
