// TWindow: the framework's handle to a window.
//
// A plain value whose only field is the window handle: copying it copies the
// handle, destroying it leaves the window alone. Every framework window class
// holds a TWindow as its first member, registers a class from FillWindowClass
// and binds its object to the window on WM_CREATE through a static PreWndProc
// and the window's extra bytes.
#pragma once

#include <windows.h>

#include "framework/util/list.h"

struct TTextArray;

class TWindow {
public:
    HWND Hwnd;

    TWindow() : Hwnd(nullptr) {}
    explicit TWindow(HWND hwnd) : Hwnd(hwnd) {}

    // Class registration and creation. The object pointer travels as the
    // creation parameter and is bound to the window on WM_CREATE; the class
    // and title are the program's texts, created through the wide function.
    // The template of the framework's classes, registered with
    // RegisterWindowClass. The wide one makes a Unicode class, the program's
    // own; the ANSI one serves callers whose procedures still read ANSI
    // messages (PreWndProc answers both kinds).
    static void FillWindowClass(WNDCLASSW& windowClass);
    static void FillWindowClass(WNDCLASSA& windowClass);
    static HWND Create(TWindow* object, const char* className, const char* title, DWORD style, int x,
                       int y, int width, int height, HWND parent, HMENU menu);
    static HWND CreateEx(TWindow* object, DWORD exStyle, const char* className, const char* title,
                         DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu);
    static LRESULT CALLBACK PreWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT DefaultProc(TWindow* object, UINT message, WPARAM wParam, LPARAM lParam);
    // The object bound to a window of a class made from the template (null before WM_CREATE).
    static TWindow* BoundObject(HWND hwnd);

    // Queries.
    char* GetClassName() const;  // a new owned text
    // Writes a new owned text into `text` (the slot is not freed first) and
    // returns the length copied; a window that does not answer within 100 ms
    // gives "不明" and -1.
    int GetText(char*& text) const;
    char* GetTextCopy() const;  // GetText as a new owned text
    // Sets the window's text, handed to the system in UTF-16; false on failure.
    bool SetText(const char* text) const;
    HWND TopLevelAncestor() const;
    HICON GetIcon(bool small) const;
    void GetScrollPositions(int& horizontal, int& vertical) const;
    void ClientToScreenRect(RECT& rect) const;
    void ScreenToClientRect(RECT& rect) const;
    bool IsClickRelease() const;

    // Operations.
    void SetClientSize(int width, int height) const;
    void FocusFirstTabStop() const;

    // Dropped files, from a WM_DROPFILES handler. Each brings the top-level
    // window to the front and gives a shortcut as its target (a shortcut that
    // cannot be read as itself). GetDroppedFile and GetDroppedFiles with an
    // array end the drop (DragFinish); GetDroppedFiles without one only counts.
    char* GetDroppedFile(HDROP drop) const;  // a new owned text
    int GetDroppedFiles(HDROP drop, TTextArray* files) const;
    static bool HasExtension(const char* fileName, const TTextArray& extensions);

    // Window searches and broadcasts. `parent` NoWindow means the top-level windows.
    static void FindWindows(TWindow parent, const char* className, const char* title, TWindowList& list);
    static void PostToMatching(TWindow parent, const char* className, const char* title, UINT message,
                               WPARAM wParam, LPARAM lParam);
    static void SendToMatching(TWindow parent, const char* className, const char* title, UINT message,
                               WPARAM wParam, LPARAM lParam);
    static void PostToAll(const TWindowList& list, UINT message, WPARAM wParam, LPARAM lParam);
    static void SendToAll(const TWindowList& list, UINT message, WPARAM wParam, LPARAM lParam);
    static bool ShowNextOfClass(TWindow window, const char* className);
    static bool ShowPreviousOfClass(TWindow window, const char* className);
};

// The system's default handling in the form the window takes its messages:
// DefWindowProcW for a Unicode window, DefWindowProcA for an ANSI one.
LRESULT DefaultWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

extern const TWindow NoWindow;
extern const TWindow DesktopWindow;
