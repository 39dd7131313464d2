#include "platform/ui/paint/PositionChange.h"

#include <algorithm>
#include <iterator>

#include "platform/ui/detail/ThreadQueue.h"
#include "platform/ui/paint/Invalidation.h"
#include "platform/ui/paint/Painting.h"
#include "platform/ui/paint/UpdateNow.h"

namespace kq::ui::detail {
namespace {

using kq::gfx::Region;

PositionSnapshot SnapshotLocked(const Window& w) {
    PositionSnapshot s;
    s.valid = true;
    s.shown = IsVisibleChain(w);
    s.window = WindowRectOnScreen(w);
    s.client = ClientRectOnScreen(w);
    for (const Window* sibling : w.parent->children) {
        if (sibling == &w)
            break;
        s.above.push_back(sibling->hwnd);
    }
    std::sort(s.above.begin(), s.above.end());
    return s;
}

// A hidden window owes no painting: showing it again invalidates it whole.
void ForgetPaintingLocked(Window& w) {
    w.paint.update = Region();
    w.paint.erase = w.paint.frame = w.paint.internal = false;
    NotePaintStateLocked(w);
    for (Window* c : w.children)
        ForgetPaintingLocked(*c);
}

// The screen area whose pixels are no longer right.
Region ChangedArea(const Window& w, const PositionSnapshot& before, const PositionSnapshot& after,
                   bool restacked, UINT flags) {
    Region area;
    if (before.shown)
        area = Region(before.window);
    if (after.shown)
        area = Region::Combine(area, Region(after.window), Region::Op::Or);
    if (!before.shown || !after.shown || restacked || (flags & SWP_FRAMECHANGED))
        return area;
    const bool movedClient =
        before.client.left != after.client.left || before.client.top != after.client.top;
    const UINT classStyle = w.cls ? w.cls->style : 0;
    const bool widthChanged =
        before.client.right - before.client.left != after.client.right - after.client.left;
    const bool heightChanged =
        before.client.bottom - before.client.top != after.client.bottom - after.client.top;
    if (movedClient || (widthChanged && (classStyle & CS_HREDRAW)) ||
        (heightChanged && (classStyle & CS_VREDRAW)))
        return area;
    // The client area stayed where it was: only its new part and the frame need drawing.
    RECT kept{};
    IntersectRect(&kept, &before.client, &after.client);
    return Region::Combine(area, Region(kept), Region::Op::Diff);
}

// Only the order changed: what changes hands is where the window overlaps the siblings that
// went from above it to below it or the other way round.
Region RestackedArea(const PositionSnapshot& before, const PositionSnapshot& after) {
    std::vector<HWND> swapped;
    std::set_symmetric_difference(before.above.begin(), before.above.end(), after.above.begin(),
                                  after.above.end(), std::back_inserter(swapped));
    Region area;
    for (HWND h : swapped) {
        const Window* s = Lookup(h);
        if (!s || !(s->style & WS_VISIBLE))
            continue;
        RECT overlap{};
        const RECT rect = WindowRectOnScreen(*s);
        if (IntersectRect(&overlap, &rect, &after.window))
            area = Region::Combine(area, Region(overlap), Region::Op::Or);
    }
    return area;
}

// The visible top-level windows of this thread that the hidden window lay over.
std::vector<HWND> UncoveredTopLevelsLocked(const Window& hidden, const RECT& was) {
    std::vector<HWND> tops;
    for (const Window* top : hidden.parent->children) {
        if (top == &hidden || !IsVisibleChain(*top) || !top->queue || !top->queue->IsOwnerThread())
            continue;
        RECT overlap{};
        const RECT rect = WindowRectOnScreen(*top);
        if (IntersectRect(&overlap, &rect, &was))
            tops.push_back(top->hwnd);
    }
    return tops;
}

}  // namespace

PositionSnapshot SnapshotPosition(HWND hwnd) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w || !w->parent)
        return PositionSnapshot{};
    return SnapshotLocked(*w);
}

void RedrawAfterPositionChange(HWND hwnd, const PositionSnapshot& before, UINT flags) {
    if (!before.valid)
        return;
    std::vector<HWND> uncovered;
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w || !w->parent)
            return;
        const PositionSnapshot after = SnapshotLocked(*w);
        if (before.shown && !after.shown)
            ForgetPaintingLocked(*w);
        if ((flags & SWP_NOREDRAW) || (!before.shown && !after.shown))
            return;
        const bool restacked = before.above != after.above;
        const bool moved =
            !EqualRect(&before.window, &after.window) || !EqualRect(&before.client, &after.client);
        if (before.shown == after.shown && !restacked && !moved && !(flags & SWP_FRAMECHANGED))
            return;
        Region area = moved || (flags & SWP_FRAMECHANGED) || before.shown != after.shown
                          ? ChangedArea(*w, before, after, restacked, flags)
                          : RestackedArea(before, after);
        // Siblings above the window before and after kept their pixels.
        std::unordered_set<const Window*> unchanged;
        for (HWND h : after.above) {
            if (std::binary_search(before.above.begin(), before.above.end(), h))
                unchanged.insert(Lookup(h));
        }
        InvalidateAreaLocked(*w->parent, std::move(area), unchanged);
        if (before.shown && !after.shown && w->IsTopLevel())
            uncovered = UncoveredTopLevelsLocked(*w, before.window);
    }
    // What a closing menu or dialog uncovered is erased before its owner goes on: a child that
    // repaints at once (UpdateWindow) must not have its pixels erased afterwards by a parent
    // that does not clip its children.
    for (HWND h : uncovered)
        UpdateNow(h, RDW_ERASENOW | RDW_ALLCHILDREN);
}

}  // namespace kq::ui::detail
