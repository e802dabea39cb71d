#include "framework/core/window_arrangement.h"

#include <new>

#include "framework/core/window.h"
#include "framework/core/work_area.h"

namespace {

// The class's windows that take part: visible, not minimised, on the screen.
void ListArrangeable(const char* className, TWindowList& windows)
{
    TWindowList found;
    TWindow::FindWindows(NoWindow, className, nullptr, found);
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    for (TWindowList::Node* node = found.First(); node; node = node->next) {
        RECT rect;
        RECT overlap;
        if (IsWindowVisible(node->value) && !IsIconic(node->value) && GetWindowRect(node->value, &rect) &&
            IntersectRect(&overlap, &rect, &screen))
            windows.Add(node->value);
    }
}

void PlaceWindow(HWND window, const RECT& rect)
{
    MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
}

// Splits [low, high) into `parts` even pieces and gives piece `index`.
void Piece(LONG low, LONG high, int parts, int index, LONG& from, LONG& to)
{
    const long long length = static_cast<long long>(high) - low;
    from = static_cast<LONG>(low + length * index / parts);
    to = static_cast<LONG>(low + length * (index + 1) / parts);
}

// Lays the class's windows out by `layout` (count, work area, rectangles out),
// in the order found or in its reverse.
template <typename Layout> void ArrangeWindows(const char* className, bool reverse, Layout layout)
{
    TWindowList windows;
    ListArrangeable(className, windows);
    const int count = windows.Count();
    RECT* rects = count > 0 ? new (std::nothrow) RECT[count] : nullptr;
    if (!rects)
        return;
    RECT work;
    GetWorkArea(work);
    layout(count, work, rects);
    int i = 0;
    for (TWindowList::Node* node = reverse ? windows.Last() : windows.First(); node;
         node = reverse ? node->prev : node->next)
        PlaceWindow(node->value, rects[i++]);
    delete[] rects;
}

}  // namespace

void CascadeRects(int count, const RECT& work, int step, RECT* rects)
{
    const LONG width = (work.right - work.left) * 3 / 4;
    const LONG height = (work.bottom - work.top) * 3 / 4;
    LONG x = work.left;
    LONG y = work.top;
    for (int i = 0; i < count; ++i) {
        if (x + width > work.right || y + height > work.bottom) {
            x = work.left;
            y = work.top;
        }
        rects[i] = RECT{x, y, x + width, y + height};
        x += step;
        y += step;
    }
}

int TileColumns(int count, bool moreColumns)
{
    if (count <= 0)
        return 0;
    const int start = count == 3 ? 2 : count == 8 ? 3 : count == 15 ? 4 : count == 18 ? 5 : 0;
    int n = start + 1;
    while (n < count / n)
        ++n;
    const int columns = moreColumns ? n : count / n;
    return columns < 1 ? 1 : columns;
}

void TileRects(int count, const RECT& work, bool moreColumns, RECT* rects)
{
    const int columns = TileColumns(count, moreColumns);
    if (columns <= 0)
        return;
    const int perColumn = count / columns;
    const int longer = count % columns;  // the last columns take one more
    int placed = 0;
    for (int column = 0; column < columns; ++column) {
        const int rows = perColumn + (column >= columns - longer ? 1 : 0);
        RECT rect;
        Piece(work.left, work.right, columns, column, rect.left, rect.right);
        for (int row = 0; row < rows; ++row) {
            Piece(work.top, work.bottom, rows, row, rect.top, rect.bottom);
            rects[placed++] = rect;
        }
    }
}

void CascadeWindowsOfClass(const char* className)
{
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME);
    ArrangeWindows(className, true,
                   [step](int count, const RECT& work, RECT* rects) { CascadeRects(count, work, step, rects); });
}

void TileWindowsOfClass(const char* className, bool moreColumns)
{
    ArrangeWindows(className, false, [moreColumns](int count, const RECT& work, RECT* rects) {
        TileRects(count, work, moreColumns, rects);
    });
}
