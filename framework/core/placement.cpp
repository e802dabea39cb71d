#include "framework/core/placement.h"

#include <cstring>

#include "framework/core/system_menu_extras.h"
#include "framework/core/translucency.h"
#include "framework/core/window_position.h"
#include "framework/core/work_area.h"
#include "framework/drawing/display_scale.h"
#include "framework/settings/app_globals.h"
#include "framework/settings/registry_values.h"
#include "framework/settings/settings_key.h"
#include "framework/util/key_state.h"
#include "framework/util/text.h"

namespace {

const int EdgeMargin = 10;  // at 96 DPI, scaled for the display

// A rectangle in 64 bits: a saved rectangle may hold any coordinates, and
// their differences and sums do not fit in 32.
struct TSpan {
    long long Left, Top, Right, Bottom;

    explicit TSpan(const RECT& rect) : Left(rect.left), Top(rect.top), Right(rect.right), Bottom(rect.bottom) {}
    long long Width() const { return Right - Left; }
    long long Height() const { return Bottom - Top; }
    void MoveTo(long long left, long long top)
    {
        Right = left + Width();
        Bottom = top + Height();
        Left = left;
        Top = top;
    }
    void MoveBy(long long dx, long long dy) { MoveTo(Left + dx, Top + dy); }
};

// Inside the work area: the moves bring back a rectangle that crossed an
// edge to 10 pixels inside it. What still sticks out after them (a rectangle
// larger than the work area) is cut off only where the user can size the
// window again; a fixed-size window keeps its size, or its lowest row (OK and
// Cancel, mostly) would be lost for good.
void KeepInside(TSpan& span, const RECT& work, bool resizable)
{
    const int margin = ScaledLength(EdgeMargin);
    if (span.Bottom > work.bottom)
        span.MoveBy(0, work.bottom - margin - span.Bottom);
    if (span.Right > work.right)
        span.MoveBy(work.right - margin - span.Right, 0);
    if (span.Top < work.top)
        span.MoveBy(0, work.top + margin - span.Top);
    if (span.Left < work.left)
        span.MoveBy(work.left + margin - span.Left, 0);
    if (!resizable)
        return;
    if (span.Right > work.right)
        span.Right = work.right;
    if (span.Bottom > work.bottom)
        span.Bottom = work.bottom;
}

// The span once its corner lies inside the work area: every coordinate fits,
// as a size that was not cut is the window's own.
RECT ToRect(const TSpan& span)
{
    return RECT{static_cast<LONG>(span.Left), static_cast<LONG>(span.Top), static_cast<LONG>(span.Right),
                static_cast<LONG>(span.Bottom)};
}

// Steps aside, right and down, while the rectangle covers a twin exactly;
// each twin is stepped over once, so the walk ends.
void StepAsideFromTwins(RECT& rect, const TPlacementFacts& facts)
{
    TList<RECT> twins(facts.Twins);
    const RECT& work = facts.Work;
    for (;;) {
        int found = -1;
        int index = 0;
        for (TList<RECT>::Node* node = twins.First(); node; node = node->next, ++index) {
            if (EqualRect(&node->value, &rect)) {
                found = index;
                break;
            }
        }
        if (found < 0)
            return;
        twins.Delete(found);
        OffsetRect(&rect, facts.TwinStep, facts.TwinStep);
        if (rect.right > work.right)
            OffsetRect(&rect, work.left - rect.left, 0);
        if (rect.bottom > work.bottom)
            OffsetRect(&rect, 0, work.top - rect.top);
    }
}

void ListTwins(TWindow window, TList<RECT>& twins)
{
    TText className;
    className.Slot() = window.GetClassName();
    TWindowList windows;
    TWindow::FindWindows(DesktopWindow, className.Get(), nullptr, windows);
    for (TWindowList::Node* node = windows.First(); node; node = node->next) {
        RECT rect;
        if (node->value != window.Hwnd && GetWindowRect(node->value, &rect))
            twins.Add(rect);
    }
}

// The screen position of the window's placement origin (see WorkspaceOrigin).
POINT WorkspaceOriginOf(HWND window, const WINDOWPLACEMENT& placement)
{
    TWorkspaceFacts facts;
    facts.Counted = !(GetWindowLongW(window, GWL_STYLE) & WS_CHILD) &&
                    !(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    facts.Normal = !IsIconic(window) && !IsZoomed(window);
    RECT rect;
    if (GetWindowRect(window, &rect))
        facts.Window = POINT{rect.left, rect.top};
    facts.Placed = POINT{placement.rcNormalPosition.left, placement.rcNormalPosition.top};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &rect, 0))
        facts.Work = POINT{rect.left, rect.top};
    return WorkspaceOrigin(facts);
}

}  // namespace

bool ReadPlacementRecord(const void* data, int size, TPlacementRecord& record)
{
    if (!data || size < static_cast<int>(sizeof record))
        return false;
    std::memcpy(&record, data, sizeof record);
    const WINDOWPLACEMENT& placement = record.Placement;
    const RECT& normal = placement.rcNormalPosition;
    const LONG positions[] = {normal.left, normal.top, normal.right, normal.bottom, placement.ptMinPosition.x,
                              placement.ptMinPosition.y, placement.ptMaxPosition.x, placement.ptMaxPosition.y};
    for (LONG position : positions) {
        if (position < kLowestPosition || position > kHighestPosition)
            return false;
    }
    return placement.length == sizeof(WINDOWPLACEMENT) && placement.showCmd <= SW_MAX && normal.right > normal.left &&
           normal.bottom > normal.top;
}

POINT WorkspaceOrigin(const TWorkspaceFacts& facts)
{
    if (!facts.Counted)
        return POINT{0, 0};
    if (facts.Normal)
        return POINT{facts.Window.x - facts.Placed.x, facts.Window.y - facts.Placed.y};
    return facts.Work;
}

RECT RestoredRect(const RECT& saved, UINT rule, const TPlacementFacts& facts)
{
    TSpan span(saved);
    if (!facts.Resizable && !EqualRect(&facts.Current, &saved)) {
        const TSpan current(facts.Current);
        const long long left = span.Left + (span.Width() - current.Width()) / 2;
        const long long top = span.Top + (span.Height() - current.Height()) / 2;
        span = current;
        span.MoveTo(left, top);
    }
    // The system would grow a smaller window, past the edge it was kept from.
    if (span.Width() < facts.MinSize.cx)
        span.Right = span.Left + facts.MinSize.cx;
    if (span.Height() < facts.MinSize.cy)
        span.Bottom = span.Top + facts.MinSize.cy;
    if (rule == SysCmdCentre) {
        span.MoveTo(CentredStart(span.Width(), facts.Screen.left, facts.Screen.right),
                    CentredStart(span.Height(), facts.Screen.top, facts.Screen.bottom));
    } else if (rule == SysCmdMouse) {
        span.MoveTo(StartAroundPoint(span.Width(), facts.Cursor.x, facts.Screen.left, facts.Screen.right),
                    StartAroundPoint(span.Height(), facts.Cursor.y, facts.Screen.top, facts.Screen.bottom));
    }
    KeepInside(span, facts.Work, facts.Resizable);
    RECT rect = ToRect(span);
    StepAsideFromTwins(rect, facts);
    return rect;
}

bool SavePlacementValue(TWindow window, const TRegistryKeyChain& chain, const char* name)
{
    if (!name || !name[0])
        return false;
    TPlacementRecord record = {};
    record.Placement.length = sizeof(WINDOWPLACEMENT);
    if (!GetWindowPlacement(window.Hwnd, &record.Placement))
        return false;
    // Stored in screen coordinates, as the restoring steps use them.
    const POINT origin = WorkspaceOriginOf(window.Hwnd, record.Placement);
    OffsetRect(&record.Placement.rcNormalPosition, origin.x, origin.y);
    record.Style = static_cast<DWORD>(GetWindowLongW(window.Hwnd, GWL_STYLE));
    record.ExStyle = static_cast<DWORD>(GetWindowLongW(window.Hwnd, GWL_EXSTYLE));
    record.Rule = CheckedPositionRule(window);
    return TRegBinaryValue(&chain, name).Write(&record, sizeof record) == ERROR_SUCCESS;
}

bool RestorePlacementValue(TWindow window, const TRegistryKeyChain& chain, const char* name)
{
    if (!name || !name[0])
        return false;
    EnablePositionCommands(window, true);
    CheckPositionRule(window, SysCmdKeepPlace);
    if (IsKeyDown(VK_SHIFT))
        return false;
    const TStateBlob value = TRegBinaryValue(&chain, name).Get();
    TPlacementRecord record;
    if (!ReadPlacementRecord(value.Data, value.Size, record))
        return false;

    HWND hwnd = window.Hwnd;
    const LONG presentStyle = GetWindowLongW(hwnd, GWL_STYLE);
    TPlacementFacts facts;
    facts.Resizable = (presentStyle & WS_THICKFRAME) != 0;
    GetWindowRect(hwnd, &facts.Current);
    // Windows with a sizing border, and overlapped ones, are held to the
    // minimum tracking size whenever they are sized.
    if ((presentStyle & WS_THICKFRAME) || !(presentStyle & (WS_POPUP | WS_CHILD)))
        facts.MinSize = SIZE{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    GetWindowRect(GetDesktopWindow(), &facts.Screen);
    GetWorkArea(facts.Work);
    GetCursorPos(&facts.Cursor);
    facts.TwinStep = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME);
    ListTwins(window, facts.Twins);
    record.Placement.rcNormalPosition = RestoredRect(record.Placement.rcNormalPosition, record.Rule, facts);
    if (record.Rule == SysCmdCentre || record.Rule == SysCmdMouse)
        CheckPositionRule(window, record.Rule);

    // The saved style, brought in line with what the window is now. A stored
    // style never turns a top-level window into a child or back.
    DWORD style = record.Style;
    style = IsWindowEnabled(hwnd) ? style & ~WS_DISABLED : style | WS_DISABLED;
    if (IsWindowVisible(hwnd)) {
        style |= WS_VISIBLE;
        if (record.Placement.showCmd == 0)
            record.Placement.showCmd = SW_SHOW;
    } else {
        style &= ~WS_VISIBLE;
        record.Placement.showCmd = SW_HIDE;
    }
    style = (style & ~WS_CHILD) | (static_cast<DWORD>(presentStyle) & WS_CHILD);

    WINDOWPLACEMENT present = {};
    present.length = sizeof present;
    if (GetWindowPlacement(hwnd, &present)) {
        const POINT origin = WorkspaceOriginOf(hwnd, present);
        OffsetRect(&record.Placement.rcNormalPosition, -origin.x, -origin.y);
    }
    SetWindowPlacement(hwnd, &record.Placement);
    SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(style));
    SetWindowLongW(hwnd, GWL_EXSTYLE, static_cast<LONG>(record.ExStyle));
    HWND parent = GetParent(hwnd);
    if (!parent || !(GetWindowLongW(parent, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
        SetWindowPos(hwnd, (record.ExStyle & WS_EX_TOPMOST) ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE);
    }
    if (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED)
        ApplyTranslucency(window, true);
    return true;
}

bool SavePlacementDefault(TWindow window, const char* name)
{
    TSettingsKey serialize(AppGlobals.AppKey, "Serialize");
    return SavePlacementValue(window, serialize.Chain(), name);
}

bool RestorePlacementDefault(TWindow window, const char* name)
{
    TSettingsKey serialize(AppGlobals.AppKey, "Serialize");
    return RestorePlacementValue(window, serialize.Chain(), name);
}
