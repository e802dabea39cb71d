// Holders for the GDI resources an operation acquires and must give back on
// every path: objects it creates, memory and window device contexts, paint
// sessions and objects selected into a DC. None can be copied.
#pragma once

#include <windows.h>

// Owns a GDI object (bitmap, brush, pen, font, palette) and deletes it.
template <typename Handle> class TGdiObject {
public:
    explicit TGdiObject(Handle handle = nullptr) : handle_(handle) {}
    ~TGdiObject()
    {
        if (handle_)
            DeleteObject(handle_);
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr)
    {
        if (handle_)
            DeleteObject(handle_);
        handle_ = handle;
    }
    Handle Release()
    {
        Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }

private:
    Handle handle_;
};

// A memory DC compatible with `dc` (the screen when null), deleted at scope exit.
class TMemoryDc {
public:
    explicit TMemoryDc(HDC dc) : dc_(CreateCompatibleDC(dc)) {}
    ~TMemoryDc()
    {
        if (dc_)
            DeleteDC(dc_);
    }
    TMemoryDc(const TMemoryDc&) = delete;
    TMemoryDc& operator=(const TMemoryDc&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

// A window's DC from GetDC, released at scope exit.
class TWindowDc {
public:
    explicit TWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~TWindowDc()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    TWindowDc(const TWindowDc&) = delete;
    TWindowDc& operator=(const TWindowDc&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint around a WM_PAINT handler.
class TPaintDc {
public:
    explicit TPaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~TPaintDc() { EndPaint(window_, &paint_); }
    TPaintDc(const TPaintDc&) = delete;
    TPaintDc& operator=(const TPaintDc&) = delete;

    HDC Get() const { return dc_; }
    const PAINTSTRUCT& Paint() const { return paint_; }

private:
    HWND window_;
    HDC dc_;
    PAINTSTRUCT paint_;
};

// Selects an object into a DC and selects the previous one back at scope exit.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~TSelection()
    {
        if (previous_ && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Text colour, background colour and background mode of a DC, restored at scope exit.
class TTextColours {
public:
    explicit TTextColours(HDC dc)
        : dc_(dc), text_(GetTextColor(dc)), back_(GetBkColor(dc)), mode_(GetBkMode(dc))
    {
    }
    ~TTextColours()
    {
        SetTextColor(dc_, text_);
        SetBkColor(dc_, back_);
        SetBkMode(dc_, mode_);
    }
    TTextColours(const TTextColours&) = delete;
    TTextColours& operator=(const TTextColours&) = delete;

private:
    HDC dc_;
    COLORREF text_;
    COLORREF back_;
    int mode_;
};
