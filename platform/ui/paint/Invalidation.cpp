#include "platform/ui/paint/Invalidation.h"

#include <strings.h>

#include <atomic>

#include "platform/ui/Styles.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/detail/ThreadQueue.h"
#include "platform/ui/paint/Painting.h"
#include "platform/ui/paint/ScreenSurface.h"

namespace kq::ui::detail {
namespace {

using kq::gfx::Region;

struct Pending {
    std::unordered_set<HWND> windows;  // guarded by TreeMutex()
    std::atomic<size_t> count{0};
};

Pending& ThePending() {
    static Pending* pending = new Pending;
    return *pending;
}

// A group box paints only its frame and caption, and a window marked transparent is painted
// after what lies below it: the area such a window covers is still owed to its siblings below.
bool CoversWhatLiesBelow(const Window& w) {
    if (w.exStyle & WS_EX_TRANSPARENT)
        return false;
    const bool button = w.cls != nullptr && strcasecmp(w.cls->name.c_str(), "button") == 0;
    return !button || (w.style & BS_TYPEMASK) != BS_GROUPBOX;
}

bool OwesPainting(const Window& w) {
    return w.paint.frame || w.paint.internal || !w.paint.update.IsEmpty();
}

bool HasFrameIn(const Window& w, const Region* region) {
    Region frame =
        Region::Combine(Region(WindowAreaInClient(w)), Region(ClientArea(w)), Region::Op::Diff);
    if (frame.IsEmpty())
        return false;
    return !region || !Region::Combine(frame, *region, Region::Op::And).IsEmpty();
}

// Where a child's client area starts in its parent's client coordinates.
POINT ChildClientOffset(const Window& child) {
    return POINT{child.rect.left + child.client.left, child.rect.top + child.client.top};
}

bool IncludesChildren(const Window& w, UINT flags) {
    if (flags & RDW_ALLCHILDREN)
        return true;
    return !(flags & RDW_NOCHILDREN) && !(w.style & WS_CLIPCHILDREN);
}

void ApplyToWindow(Window& w, const Region* region, UINT flags) {
    WindowPaint& p = w.paint;
    Region target(ClientArea(w));
    if (region)
        target = Region::Combine(target, *region, Region::Op::And);
    if (flags & RDW_INVALIDATE) {
        if (!target.IsEmpty()) {
            p.update = Region::Combine(p.update, target, Region::Op::Or);
            if (flags & RDW_ERASE)
                p.erase = true;
        }
        if ((flags & RDW_FRAME) && HasFrameIn(w, region))
            p.frame = true;
    } else if (flags & RDW_VALIDATE) {
        p.update = Region::Combine(p.update, target, Region::Op::Diff);
        if (p.update.IsEmpty())
            p.erase = false;
    }
    if (flags & RDW_NOERASE)
        p.erase = false;
    if (flags & RDW_NOFRAME)
        p.frame = false;
    if (flags & RDW_INTERNALPAINT)
        p.internal = true;
    if (flags & RDW_NOINTERNALPAINT)
        p.internal = false;
    NotePaintStateLocked(w);
}

}  // namespace

bool IsDrawable(const Window& w) {
    for (const Window* p = &w; p; p = p->parent) {
        if (!(p->style & WS_VISIBLE) || p->paint.redrawOff)
            return false;
    }
    return true;
}

RECT ClientArea(const Window& w) {
    return RECT{0, 0, w.client.right - w.client.left, w.client.bottom - w.client.top};
}

RECT WindowAreaInClient(const Window& w) {
    return RECT{-w.client.left, -w.client.top, w.rect.right - w.rect.left - w.client.left,
                w.rect.bottom - w.rect.top - w.client.top};
}

void RedrawLocked(Window& w, const Region* region, UINT flags) {
    if (!IsDrawable(w))
        return;
    ApplyToWindow(w, region, flags);
    if (!IncludesChildren(w, flags))
        return;
    // A child's frame lies inside the parent's client area: what covers it covers the frame.
    const UINT childFlags = (flags & RDW_INVALIDATE) ? flags | RDW_FRAME : flags;
    for (Window* c : w.children) {
        if (!(c->style & WS_VISIBLE))
            continue;
        if (!region) {
            RedrawLocked(*c, nullptr, childFlags);
            continue;
        }
        const POINT at = ChildClientOffset(*c);
        Region part = *region;
        part.Offset(-at.x, -at.y);
        part.IntersectRect(WindowAreaInClient(*c));
        if (!part.IsEmpty())
            RedrawLocked(*c, &part, childFlags);
    }
}

void InvalidateAreaLocked(Window& scope, Region area,
                          const std::unordered_set<const Window*>& unchanged) {
    const bool desktop = &scope == &Desktop();
    for (Window* c : scope.children) {
        if (area.IsEmpty())
            return;
        if (!(c->style & WS_VISIBLE))
            continue;
        const RECT rect = WindowRectOnScreen(*c);
        if (!unchanged.count(c)) {
            Region part = area;
            part.IntersectRect(rect);
            if (!part.IsEmpty()) {
                const POINT origin = ClientOriginOnScreen(*c);
                part.Offset(-origin.x, -origin.y);
                RedrawLocked(*c, &part, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
            }
        }
        if (CoversWhatLiesBelow(*c))
            area = Region::Combine(area, Region(rect), Region::Op::Diff);
    }
    if (area.IsEmpty())
        return;
    if (desktop) {
        PaintDesktopLocked(area);
        return;
    }
    const POINT origin = ClientOriginOnScreen(scope);
    area.Offset(-origin.x, -origin.y);
    RedrawLocked(scope, &area, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN);
}

void InvalidateEverythingLocked() {
    for (Window* top : Desktop().children)
        RedrawLocked(*top, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    PaintDesktopLocked(Region(ScreenRectLocked()));
}

void NotePaintStateLocked(Window& w) {
    Pending& p = ThePending();
    if (OwesPainting(w)) {
        if (p.windows.insert(w.hwnd).second) {
            p.count.store(p.windows.size());
            if (w.queue && !w.queue->IsOwnerThread())
                w.queue->Wake();
        }
    } else if (p.windows.erase(w.hwnd)) {
        p.count.store(p.windows.size());
    }
}

void PrunePaintCandidatesLocked() {
    Pending& p = ThePending();
    for (auto it = p.windows.begin(); it != p.windows.end();) {
        Window* w = Lookup(*it);
        it = !w || !OwesPainting(*w) ? p.windows.erase(it) : std::next(it);
    }
    p.count.store(p.windows.size());
}

bool AnyPaintPending() {
    return ThePending().count.load() != 0;
}

void ForgetPaintCandidatesLocked() {
    Pending& p = ThePending();
    p.windows.clear();
    p.count.store(0);
}

}  // namespace kq::ui::detail
