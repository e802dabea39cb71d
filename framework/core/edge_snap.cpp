#include "framework/core/edge_snap.h"

#include "framework/core/work_area.h"
#include "framework/drawing/display_scale.h"
#include "framework/util/key_state.h"

namespace {

// Distances at 96 DPI, scaled for the display.
const int SearchDistance = 17;
const int SnapDistance = 7;
const int InsetDistance = 8;

enum : int {
    EdgeLeft = 1,
    EdgeRight,
    EdgeTop,
    EdgeTopLeft,
    EdgeTopRight,
    EdgeBottom,
    EdgeBottomLeft,
    EdgeBottomRight,
};

int Distance(int a, int b)
{
    return a > b ? a - b : b - a;
}

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

// One snapped edge of a moved window.
struct TSnapped {
    int Value;
    bool Counts;  // snapped, and the snap is one that decides the position
    int Moved;    // how second the snap moved the edge
};

TSnapped SnapEdge(const TSnapState& state, bool horizontal, int c, int low, int high, int ownEdge)
{
    bool snapped = false;
    const int value = SnapCoordinate(state.Candidates, horizontal, c, low, high, snapped);
    // When sizing snaps too, reaching the work area's own edge squeezes the
    // window instead of stopping it there.
    const bool counts = snapped && !(state.SnapWhileSizing && value == ownEdge);
    return TSnapped{value, counts, Distance(value, c)};
}

// One axis of a move: the edge that snapped with the smaller move wins (the
// second edge on a tie, unless `firstWinsTie`) and the other follows at the
// anchor's size; without a snap each edge keeps its own snapped value.
void PlaceAxis(const TSnapped& first, const TSnapped& second, int size, bool firstWinsTie, LONG& low, LONG& high)
{
    bool firstWins;
    if (first.Counts && second.Counts)
        firstWins = first.Moved < second.Moved || (firstWinsTie && first.Moved == second.Moved);
    else if (first.Counts || second.Counts)
        firstWins = first.Counts;
    else {
        low = first.Value;
        high = second.Value;
        return;
    }
    if (firstWins) {
        low = first.Value;
        high = first.Value + size;
    } else {
        high = second.Value;
        low = second.Value - size;
    }
}

void SnapMove(TSnapState& state, RECT& proposed, SIZE minTrack)
{
    state.Offset.x += proposed.left - state.LastProposed.left;
    state.Offset.y += proposed.top - state.LastProposed.top;
    RECT wanted = state.Anchor;
    OffsetRect(&wanted, state.Offset.x, state.Offset.y);
    const RECT& work = state.Work;
    const RECT& inset = state.Inset;
    const TSnapped left = SnapEdge(state, true, wanted.left, work.left, inset.right, work.left);
    const TSnapped right = SnapEdge(state, true, wanted.right, inset.left, work.right, work.right);
    const TSnapped top = SnapEdge(state, false, wanted.top, work.top, inset.bottom, work.top);
    const TSnapped bottom = SnapEdge(state, false, wanted.bottom, inset.top, work.bottom, work.bottom);
    PlaceAxis(left, right, state.Anchor.right - state.Anchor.left, false, proposed.left, proposed.right);
    PlaceAxis(top, bottom, state.Anchor.bottom - state.Anchor.top, true, proposed.top, proposed.bottom);
    if (state.SnapWhileSizing) {
        proposed.left = Clamp(proposed.left, work.left, work.right - minTrack.cx);
        proposed.top = Clamp(proposed.top, work.top, work.bottom - minTrack.cy);
        proposed.right = Clamp(proposed.right, work.left + minTrack.cx, work.right);
        proposed.bottom = Clamp(proposed.bottom, work.top + minTrack.cy, work.bottom);
    }
    state.Changed = true;
}

void SnapSize(TSnapState& state, int edge, RECT& proposed)
{
    const RECT& work = state.Work;
    bool snapped = false;
    if (edge == EdgeLeft || edge == EdgeTopLeft || edge == EdgeBottomLeft)
        proposed.left = SnapCoordinate(state.Candidates, true, proposed.left, work.left, work.right, snapped);
    if (edge == EdgeRight || edge == EdgeTopRight || edge == EdgeBottomRight)
        proposed.right = SnapCoordinate(state.Candidates, true, proposed.right, work.left, work.right, snapped);
    if (edge == EdgeTop || edge == EdgeTopLeft || edge == EdgeTopRight)
        proposed.top = SnapCoordinate(state.Candidates, false, proposed.top, work.top, work.bottom, snapped);
    if (edge == EdgeBottom || edge == EdgeBottomLeft || edge == EdgeBottomRight)
        proposed.bottom = SnapCoordinate(state.Candidates, false, proposed.bottom, work.top, work.bottom, snapped);
    // The anchor follows the sized edges, so that a later move starts from them.
    const bool horizontalOnly = edge == EdgeLeft || edge == EdgeRight;
    const bool verticalOnly = edge == EdgeTop || edge == EdgeBottom;
    if (!verticalOnly) {
        state.Anchor.left = proposed.left;
        state.Anchor.right = proposed.right;
        state.Offset.x = 0;
    }
    if (!horizontalOnly) {
        state.Anchor.top = proposed.top;
        state.Anchor.bottom = proposed.bottom;
        state.Offset.y = 0;
    }
}

}  // namespace

int SnapCoordinate(const TList<RECT>& candidates, bool horizontal, int c, int low, int high, bool& snapped)
{
    int best = ScaledLength(SearchDistance);
    int nearest = c;
    for (TList<RECT>::Node* node = candidates.First(); node; node = node->next) {
        const int edges[2] = {horizontal ? node->value.left : node->value.top,
                              horizontal ? node->value.right : node->value.bottom};
        for (int edge : edges) {
            if (edge < low || edge > high)
                continue;
            const int distance = Distance(edge, c);
            if (distance < best) {
                best = distance;
                nearest = edge;
            }
        }
    }
    snapped = best <= ScaledLength(SnapDistance);
    return snapped ? nearest : c;
}

void InitSnap(TSnapState& state, const RECT& rect)
{
    state.Start = rect;
    state.Anchor = rect;
    state.LastProposed = rect;
    state.Offset = POINT{0, 0};
    state.SavedOffset = POINT{0, 0};
    state.Changed = false;
}

void BeginSnap(TSnapState& state, TWindow window)
{
    GetWorkArea(state.Work);
    state.Inset = state.Work;
    InflateRect(&state.Inset, -ScaledLength(InsetDistance), -ScaledLength(InsetDistance));
    state.Candidates.Clear();
    state.Candidates.Add(state.Work);
    // The window itself is among them: its start position attracts it too.
    HWND first = GetWindow(window.Hwnd, GW_HWNDFIRST);
    for (HWND other = first; other;) {
        RECT rect;
        if (IsWindowVisible(other) && GetWindowRect(other, &rect) && rect.right > rect.left &&
            rect.bottom > rect.top)
            state.Candidates.Add(rect);
        other = GetWindow(other, GW_HWNDNEXT);
        if (other == first)
            break;
    }
    state.Changed = false;
    RECT now = {};
    GetWindowRect(window.Hwnd, &now);
    // Moved by other means since the last time: start counting afresh.
    if (!EqualRect(&now, &state.Start) && !EqualRect(&now, &state.LastProposed)) {
        state.Anchor = now;
        state.LastProposed = now;
        state.Offset = POINT{0, 0};
    }
    state.Start = now;
    state.SavedOffset = state.Offset;
}

void SnapProposedRect(TSnapState& state, int edge, RECT& proposed, bool suspended, SIZE minTrack)
{
    if (suspended) {
        state.Offset.x += proposed.left - state.LastProposed.left;
        state.Offset.y += proposed.top - state.LastProposed.top;
        state.Changed = true;
    } else if (edge >= EdgeLeft && edge <= EdgeBottomRight) {
        if (state.SnapWhileSizing)
            SnapSize(state, edge, proposed);
    } else if (edge == 0 && state.SnapWhileMoving) {
        SnapMove(state, proposed, minTrack);
    }
    if (state.Changed)
        state.LastProposed = proposed;
}

void SnapRect(TSnapState& state, int edge, RECT& proposed)
{
    const bool suspended = IsKeyDown(VK_SHIFT) || IsKeyDown(VK_RBUTTON);
    const SIZE minTrack = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    SnapProposedRect(state, edge, proposed, suspended, minTrack);
}

bool EndSnap(TSnapState& state, TWindow window)
{
    if (IsKeyDown(VK_ESCAPE)) {
        const RECT& start = state.Start;
        MoveWindow(window.Hwnd, start.left, start.top, start.right - start.left, start.bottom - start.top, TRUE);
        state.LastProposed = start;
        state.Offset = state.SavedOffset;
        return false;
    }
    RECT now = {};
    GetWindowRect(window.Hwnd, &now);
    return !EqualRect(&now, &state.Start);
}
