#include "indicator/lock_display.h"

#include "framework/drawing/display_scale.h"
#include "framework/drawing/icon_source.h"
#include "framework/drawing/system_font.h"
#include "framework/settings/app_globals.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"
#include "indicator/interface_texts.h"

namespace {

const wchar_t ClassName[] = L"" LOCK_DISPLAY_CLASS;
const DWORD ExtendedStyle = WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TRANSPARENT;

// Lengths at 96 DPI, scaled for the display.
const int PaddingX = 16;
const int PaddingY = 12;
const int PictureGap = 12;
const int TextHeight = 20;
const int CornerRadius = 12;
const int AboveWorkAreaBottom = 48;

const COLORREF Background = RGB(32, 32, 32);
const COLORREF Foreground = RGB(255, 255, 255);
const BYTE Opaque = 255;

// Up for this long, then fading out in steps.
const UINT HoldTimer = 1;
const UINT HoldMs = 1500;
const UINT FadeTimer = 2;
const UINT FadeStepMs = 25;
const int FadeSteps = 12;

int PictureSide()
{
    return IconSizeOfKind(IconSizeLarge);
}

}  // namespace

TLockDisplay::~TLockDisplay()
{
    if (window_)
        DestroyWindow(window_);
}

bool TLockDisplay::Create()
{
    if (window_)
        return true;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WndProc;
    windowClass.hInstance = AppGlobals.Instance;
    windowClass.lpszClassName = ClassName;
    if (!RegisterClassW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    window_ = CreateWindowExW(ExtendedStyle, ClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              AppGlobals.Instance, this);
    if (!window_)
        return false;
    LOGFONTW font = {};
    if (SystemFontDescription(MessageFont, font)) {
        font.lfHeight = -ScaledLength(TextHeight);
        font.lfWidth = 0;
        font_.Reset(CreateFontIndirectW(&font));
    }
    return true;
}

bool TLockDisplay::Show(const char* text, HICON picture)
{
    if (!Create())
        return false;
    text_ = WideText(text);
    picture_ = picture;
    // The text goes to the window first, so that the window a screen reader
    // is told of already says what it shows.
    SetWindowTextW(window_, text_.c_str());
    Arrange();
    alpha_ = Opaque;
    SetLayeredWindowAttributes(window_, 0, static_cast<BYTE>(alpha_), LWA_ALPHA);
    KillTimer(window_, FadeTimer);
    SetTimer(window_, HoldTimer, HoldMs, nullptr);
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
    return true;
}

void TLockDisplay::Arrange()
{
    RECT measured = {0, 0, 0, 0};
    {
        TWindowDc dc(window_);
        TSelection font(dc.Get(), font_.Get());
        DrawTextW(dc.Get(), text_.c_str(), -1, &measured, DT_CALCRECT | DT_NOPREFIX);
    }
    textSize_ = {measured.right - measured.left, measured.bottom - measured.top};
    const int side = PictureSide();
    const int width = ScaledLength(PaddingX) * 2 + side + ScaledLength(PictureGap) + textSize_.cx;
    const int height = ScaledLength(PaddingY) * 2 + (textSize_.cy > side ? textSize_.cy : side);

    // Where the user is: the monitor of the window in front.
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(GetForegroundWindow(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int x = work.left + (work.right - work.left - width) / 2;
    const int y = work.bottom - ScaledLength(AboveWorkAreaBottom) - height;

    const int radius = ScaledLength(CornerRadius);
    HRGN shape = CreateRoundRectRgn(0, 0, width + 1, height + 1, radius, radius);
    if (shape && !SetWindowRgn(window_, shape, FALSE))
        DeleteObject(shape);
    SetWindowPos(window_, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TLockDisplay::Paint(HDC dc)
{
    RECT client;
    GetClientRect(window_, &client);
    TGdiObject<HBRUSH> background(CreateSolidBrush(Background));
    FillRect(dc, &client, background.Get());

    const int side = PictureSide();
    const int left = ScaledLength(PaddingX);
    const int middle = (client.bottom - client.top) / 2;
    if (picture_)
        DrawIconEx(dc, left, middle - side / 2, picture_, side, side, 0, nullptr, DI_NORMAL);

    TTextColours colours(dc);
    SetTextColor(dc, Foreground);
    SetBkMode(dc, TRANSPARENT);
    TSelection font(dc, font_.Get());
    RECT text = {left + side + ScaledLength(PictureGap), middle - textSize_.cy / 2, client.right, client.bottom};
    DrawTextW(dc, text_.c_str(), -1, &text, DT_NOPREFIX);
}

void TLockDisplay::OnTimer(UINT_PTR timer)
{
    if (timer == HoldTimer) {
        KillTimer(window_, HoldTimer);
        SetTimer(window_, FadeTimer, FadeStepMs, nullptr);
        return;
    }
    if (timer != FadeTimer)
        return;
    alpha_ -= Opaque / FadeSteps;
    if (alpha_ > 0) {
        SetLayeredWindowAttributes(window_, 0, static_cast<BYTE>(alpha_), LWA_ALPHA);
        return;
    }
    // Faded out: hidden, and with no timer left until the next change.
    KillTimer(window_, FadeTimer);
    ShowWindow(window_, SW_HIDE);
}

LRESULT CALLBACK TLockDisplay::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    TLockDisplay* display = reinterpret_cast<TLockDisplay*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_ERASEBKGND:
        return 1;  // painted whole in WM_PAINT
    case WM_PAINT:
        if (display) {
            TPaintDc paint(window);
            display->Paint(paint.Get());
            return 0;
        }
        break;
    case WM_TIMER:
        if (display) {
            display->OnTimer(wParam);
            return 0;
        }
        break;
    case WM_NCDESTROY:
        if (display)
            display->window_ = nullptr;
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
