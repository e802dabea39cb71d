#include "framework/core/window.h"

#include <climits>
#include <cstring>
#include <new>

#include "framework/settings/app_globals.h"
#include "framework/settings/interface_language.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"

const TWindow NoWindow;
const TWindow DesktopWindow(GetDesktopWindow());

namespace {

// A window whose thread does not answer within this time counts as unknown.
const UINT kAnswerTimeout = 100;
const UINT kAnswerFlags = SMTO_BLOCK | SMTO_ABORTIFHUNG;
const char kUnknownText[] = "不明";
const char kUnknownTextEnglish[] = "Unknown";
// Another program's window may report any length: one that a buffer with the
// extra room could not hold, or whose length no int can return, is no answer.
const LRESULT kLongestText = INT_MAX - 16;

}  // namespace

namespace {

template <typename TClass>
void FillClassValues(TClass& windowClass)
{
    windowClass.style = CS_VREDRAW | CS_HREDRAW;
    windowClass.lpfnWndProc = TWindow::PreWndProc;
    windowClass.cbClsExtra = 0;
    // Room for the owning object's pointer (4 bytes on 32-bit Windows).
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = AppGlobals.Instance;
    windowClass.hIcon = LoadIconW(AppGlobals.Instance, MAKEINTRESOURCEW(32512));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszMenuName = nullptr;
}

}  // namespace

void TWindow::FillWindowClass(WNDCLASSW& windowClass)
{
    FillClassValues(windowClass);
    windowClass.lpszClassName = L"ZanthWindowClass";
}

void TWindow::FillWindowClass(WNDCLASSA& windowClass)
{
    FillClassValues(windowClass);
    windowClass.lpszClassName = "ZanthWindowClass";
}

HWND TWindow::Create(TWindow* object, const char* className, const char* title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu)
{
    return CreateEx(object, WS_EX_LEFT, className, title, style, x, y, width, height, parent, menu);
}

HWND TWindow::CreateEx(TWindow* object, DWORD exStyle, const char* className, const char* title, DWORD style,
                       int x, int y, int width, int height, HWND parent, HMENU menu)
{
    const TWideArgument wideClass(className), wideTitle(title);
    return CreateWindowExW(exStyle, wideClass.Get(), wideTitle.Get(), style, x, y, width, height, parent, menu,
                           AppGlobals.Instance, object);
}

TWindow* TWindow::BoundObject(HWND hwnd)
{
    return reinterpret_cast<TWindow*>(GetWindowLongPtrW(hwnd, 0));
}

LRESULT CALLBACK TWindow::PreWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    TWindow* object = BoundObject(hwnd);
    if (!object) {
        // Nothing is bound before WM_CREATE (WM_NCCREATE and the like come first).
        if (message != WM_CREATE)
            return DefaultWindowProc(hwnd, message, wParam, lParam);
        // lpCreateParams sits at the same place in both forms of the structure.
        const CREATESTRUCTW* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        object = static_cast<TWindow*>(create ? create->lpCreateParams : nullptr);
        if (!object)
            return DefaultWindowProc(hwnd, message, wParam, lParam);
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(object));
        object->Hwnd = hwnd;
    }
    return DefaultProc(object, message, wParam, lParam);
}

LRESULT TWindow::DefaultProc(TWindow* object, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultWindowProc(object->Hwnd, message, wParam, lParam);
}

LRESULT DefaultWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A class registered from the ANSI template gets its messages in ANSI
    // form, and its default handling must read them so.
    return IsWindowUnicode(hwnd) ? DefWindowProcW(hwnd, message, wParam, lParam)
                                 : DefWindowProcA(hwnd, message, wParam, lParam);
}

char* TWindow::GetClassName() const
{
    wchar_t buffer[256];
    const int length = ::GetClassNameW(Hwnd, buffer, 256);
    buffer[length > 0 ? length : 0] = L'\0';
    char* name;
    AnsiText(name, buffer);
    return name;
}

int TWindow::GetText(char*& text) const
{
    DWORD_PTR length = 0;
    if (SendMessageTimeoutW(Hwnd, WM_GETTEXTLENGTH, 0, 0, kAnswerFlags, kAnswerTimeout, &length) &&
        static_cast<LRESULT>(length) >= 0 && static_cast<LRESULT>(length) <= kLongestText) {
        // Some room beyond the reported length: the text may grow between the calls.
        const size_t size = static_cast<size_t>(length) + 16;
        wchar_t* buffer = new (std::nothrow) wchar_t[size];
        if (!buffer) {
            text = NewText(LocalText(kUnknownText, kUnknownTextEnglish));
            return -1;
        }
        buffer[0] = L'\0';
        DWORD_PTR copied = 0;
        if (SendMessageTimeoutW(Hwnd, WM_GETTEXT, size, reinterpret_cast<LPARAM>(buffer), kAnswerFlags,
                                kAnswerTimeout, &copied)) {
            if (copied >= size)
                copied = size - 1;
            buffer[copied] = L'\0';
            AnsiText(text, buffer);
            delete[] buffer;
            return static_cast<int>(std::strlen(text));
        }
        delete[] buffer;
    }
    text = NewText(LocalText(kUnknownText, kUnknownTextEnglish));
    return -1;
}

bool TWindow::SetText(const char* text) const
{
    return SetWindowTextW(Hwnd, TWideText(text).Get()) != FALSE;
}

char* TWindow::GetTextCopy() const
{
    char* text;
    GetText(text);
    return text;
}

HWND TWindow::TopLevelAncestor() const
{
    HWND window = Hwnd;
    while (window && IsWindow(window) && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD))
        window = GetParent(window);
    return window;
}

HICON TWindow::GetIcon(bool small) const
{
    DWORD_PTR icon = 0;
    if (SendMessageTimeoutW(Hwnd, WM_GETICON, small ? ICON_SMALL : ICON_BIG, 0, kAnswerFlags, kAnswerTimeout,
                            &icon) &&
        icon)
        return reinterpret_cast<HICON>(icon);
    return reinterpret_cast<HICON>(GetClassLongPtrW(Hwnd, small ? GCLP_HICONSM : GCLP_HICON));
}

void TWindow::GetScrollPositions(int& horizontal, int& vertical) const
{
    SCROLLINFO info;
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = 0;
    GetScrollInfo(Hwnd, SB_HORZ, &info);
    horizontal = info.nPos;
    info.nPos = 0;
    GetScrollInfo(Hwnd, SB_VERT, &info);
    vertical = info.nPos;
}

void TWindow::ClientToScreenRect(RECT& rect) const
{
    POINT origin = {0, 0};
    ClientToScreen(Hwnd, &origin);
    OffsetRect(&rect, origin.x, origin.y);
}

void TWindow::ScreenToClientRect(RECT& rect) const
{
    POINT origin = {0, 0};
    ClientToScreen(Hwnd, &origin);
    OffsetRect(&rect, -origin.x, -origin.y);
}

bool TWindow::IsClickRelease() const
{
    if (GetKeyState(VK_LBUTTON) & 0x8000)
        return false;
    // The window rectangle is already in screen coordinates, for child
    // windows too, so the cursor is tested against it as it is.
    RECT rect;
    POINT cursor;
    if (!GetWindowRect(Hwnd, &rect) || !GetCursorPos(&cursor))
        return false;
    const bool inside = cursor.x >= rect.left && cursor.x <= rect.right && cursor.y >= rect.top &&
                        cursor.y <= rect.bottom;
    return inside && GetCapture() == Hwnd;
}

void TWindow::SetClientSize(int width, int height) const
{
    // A menu bar may wrap as the window changes width, so the sizes are read
    // again after each move; the loop ends when both dimensions are reached.
    for (int attempt = 0; attempt < 4; ++attempt) {
        RECT window, client;
        if (!GetWindowRect(Hwnd, &window) || !GetClientRect(Hwnd, &client))
            return;
        const int dx = width - (client.right - client.left);
        const int dy = height - (client.bottom - client.top);
        if (dx == 0 && dy == 0)
            return;
        POINT topLeft = {window.left, window.top};
        HWND parent = (GetWindowLongW(Hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(Hwnd) : nullptr;
        if (parent)
            ScreenToClient(parent, &topLeft);
        MoveWindow(Hwnd, topLeft.x, topLeft.y, window.right - window.left + dx, window.bottom - window.top + dy,
                   FALSE);
    }
}

void TWindow::FocusFirstTabStop() const
{
    HWND first = GetWindow(Hwnd, GW_CHILD);
    HWND child = first;
    while (child) {
        if ((GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) && IsWindowEnabled(child)) {
            SetFocus(child);
            return;
        }
        child = GetWindow(child, GW_HWNDNEXT);
        if (child == first)
            return;
    }
}

void TWindow::FindWindows(TWindow parent, const char* className, const char* title, TWindowList& list)
{
    list.Clear();
    const TWideArgument wideClass(className), wideTitle(title);
    HWND window = nullptr;
    while ((window = FindWindowExW(parent.Hwnd, window, wideClass.Get(), wideTitle.Get())) != nullptr)
        list.Add(window);
}

void TWindow::PostToMatching(TWindow parent, const char* className, const char* title, UINT message,
                             WPARAM wParam, LPARAM lParam)
{
    const TWideArgument wideClass(className), wideTitle(title);
    HWND window = nullptr;
    while ((window = FindWindowExW(parent.Hwnd, window, wideClass.Get(), wideTitle.Get())) != nullptr)
        PostMessageW(window, message, wParam, lParam);
}

void TWindow::SendToMatching(TWindow parent, const char* className, const char* title, UINT message,
                             WPARAM wParam, LPARAM lParam)
{
    const TWideArgument wideClass(className), wideTitle(title);
    HWND window = nullptr;
    while ((window = FindWindowExW(parent.Hwnd, window, wideClass.Get(), wideTitle.Get())) != nullptr)
        SendMessageW(window, message, wParam, lParam);
}

void TWindow::PostToAll(const TWindowList& list, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (TWindowList::Node* node = list.First(); node; node = node->next)
        PostMessageW(node->value, message, wParam, lParam);
}

void TWindow::SendToAll(const TWindowList& list, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (TWindowList::Node* node = list.First(); node; node = node->next)
        SendMessageW(node->value, message, wParam, lParam);
}

namespace {

// Brings to the top the visible window of the class whose handle value comes
// next after (or before) the given one, wrapping round to the smallest (or
// largest). The walk stops at the first window of the class that is hidden.
bool ShowNeighbourOfClass(HWND current, const char* className, bool next)
{
    const UINT_PTR key = reinterpret_cast<UINT_PTR>(current);
    HWND neighbour = nullptr, wrap = nullptr;
    const TWideArgument wideClass(className);
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, wideClass.Get(), nullptr)) != nullptr) {
        if (!IsWindowVisible(window))
            break;
        const UINT_PTR value = reinterpret_cast<UINT_PTR>(window);
        if (next) {
            if (value > key && (!neighbour || value < reinterpret_cast<UINT_PTR>(neighbour)))
                neighbour = window;
            if (!wrap || value < reinterpret_cast<UINT_PTR>(wrap))
                wrap = window;
        } else {
            if (value < key && (!neighbour || value > reinterpret_cast<UINT_PTR>(neighbour)))
                neighbour = window;
            if (!wrap || value > reinterpret_cast<UINT_PTR>(wrap))
                wrap = window;
        }
    }
    HWND target = neighbour ? neighbour : wrap;
    if (!target)
        return false;
    return SetWindowPos(target, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE) != FALSE;
}

}  // namespace

bool TWindow::ShowNextOfClass(TWindow window, const char* className)
{
    return ShowNeighbourOfClass(window.Hwnd, className, true);
}

bool TWindow::ShowPreviousOfClass(TWindow window, const char* className)
{
    return ShowNeighbourOfClass(window.Hwnd, className, false);
}
