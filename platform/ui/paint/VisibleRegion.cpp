#include "platform/ui/paint/VisibleRegion.h"

#include "platform/ui/paint/Invalidation.h"

namespace kq::ui::detail {
namespace {

using kq::gfx::Region;

// Removes the visible siblings that lie above `w` in its parent's z-order.
void RemoveSiblingsAbove(Region& r, const Window& w) {
    for (const Window* s : w.parent->children) {
        if (s == &w)
            return;
        if (s->style & WS_VISIBLE)
            r = Region::Combine(r, Region(WindowRectOnScreen(*s)), Region::Op::Diff);
    }
}

}  // namespace

Region VisibleRegionLocked(const Window& w, const VisibleRegionRequest& request) {
    if (!IsDrawable(w))
        return Region();
    Region r(request.wholeWindow ? WindowRectOnScreen(w) : ClientRectOnScreen(w));
    const Window* desktop = &Desktop();
    for (const Window* p = w.parent; p && p != desktop; p = p->parent)
        r.IntersectRect(ClientRectOnScreen(*p));
    if (request.clipChildren) {
        // A child shows only inside its parent's client area: where it reaches into the
        // parent's frame, the frame is still the parent's to paint.
        const auto inside = ClientRectOnScreen(w);
        for (const Window* c : w.children) {
            if (!(c->style & WS_VISIBLE))
                continue;
            Region shown(WindowRectOnScreen(*c));
            shown.IntersectRect(inside);
            r = Region::Combine(r, shown, Region::Op::Diff);
        }
    }
    for (const Window* x = &w; x && x != desktop && x->parent; x = x->parent) {
        if (r.IsEmpty())
            break;
        const bool clip =
            x->IsTopLevel() || (x == &w ? request.clipSiblings : (x->style & WS_CLIPSIBLINGS) != 0);
        if (clip)
            RemoveSiblingsAbove(r, *x);
    }
    return r;
}

}  // namespace kq::ui::detail
