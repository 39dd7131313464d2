#include "platform/ui/paint/ScrollWindow.h"

#include <cstring>
#include <vector>

#include "platform/gfx/GdiObjects.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WindowPos.h"
#include "platform/ui/paint/DcCache.h"
#include "platform/ui/paint/Invalidation.h"
#include "platform/ui/paint/Painting.h"
#include "platform/ui/paint/ScreenSurface.h"
#include "platform/ui/paint/VisibleRegion.h"

using namespace kq::ui::detail;
using kq::gfx::Region;

namespace {

RECT Clipped(const RECT* r, const RECT& client) {
    RECT out = client;
    if (r && !IntersectRect(&out, r, &client))
        out = RECT{0, 0, 0, 0};
    return out;
}

Region Shifted(Region r, int dx, int dy) {
    r.Offset(dx, dy);
    return r;
}

// Copies the pixels of `dest` (surface coordinates) from (dest - d), through a buffer so that
// overlapping source and destination do not disturb each other.
void CopyPixels(kq::gfx::Surface& surface, const Region& dest, int dx, int dy) {
    if (dest.IsEmpty())
        return;
    const RECT src = [&] {
        RECT b = dest.Bounds();
        OffsetRect(&b, -dx, -dy);
        return b;
    }();
    const int width = src.right - src.left;
    std::vector<uint32_t> buffer(static_cast<size_t>(width) * (src.bottom - src.top));
    for (int y = src.top; y < src.bottom; ++y)
        std::memcpy(&buffer[static_cast<size_t>(y - src.top) * width], surface.Row(y) + src.left,
                    static_cast<size_t>(width) * 4);
    for (const RECT& r : dest.Rects()) {
        for (int y = r.top; y < r.bottom; ++y) {
            const uint32_t* from =
                &buffer[static_cast<size_t>(y - dy - src.top) * width + (r.left - dx - src.left)];
            std::memcpy(surface.Row(y) + r.left, from, static_cast<size_t>(r.right - r.left) * 4);
        }
    }
}

struct ScrollResult {
    bool valid = false;
    Region uncovered;                               // client coordinates
    std::vector<std::pair<HWND, RECT>> childMoves;  // SW_SCROLLCHILDREN: child, parent coordinates
    std::vector<HWND> repaint;                      // children whose pixels moved under them
};

ScrollResult ScrollLocked(HWND hwnd, int dx, int dy, const RECT* scrollRect, const RECT* clipRect,
                          UINT flags) {
    ScrollResult result;
    Window* w = Lookup(hwnd);
    if (!w || w == &Desktop())
        return result;
    result.valid = true;
    auto surface = SyncScreenLocked();
    const RECT screen = ScreenRectLocked();
    const RECT client = ClientArea(*w);
    const RECT scroll = Clipped(scrollRect, client);
    const RECT clip = Clipped(clipRect, client);
    const POINT origin = ClientOriginOnScreen(*w);

    VisibleRegionRequest request;
    request.clipChildren = (w->style & WS_CLIPCHILDREN) != 0;
    request.clipSiblings = (w->style & WS_CLIPSIBLINGS) != 0;
    Region visible = VisibleRegionLocked(*w, request);
    if (IsUpdateLockedLocked(*w))
        visible = Region();
    visible.Offset(-origin.x, -origin.y);

    Region source = visible;
    source.IntersectRect(scroll);
    Region copied = Region::Combine(Shifted(source, dx, dy), visible, Region::Op::And);
    copied.IntersectRect(clip);
    Region onSurface = copied;
    onSurface.Offset(origin.x - screen.left, origin.y - screen.top);
    onSurface.IntersectRect(RECT{0, 0, surface->Width(), surface->Height()});
    CopyPixels(*surface, onSurface, dx, dy);
    MarkScreenChanged(onSurface);

    Region touched =
        Region::Combine(Region(scroll), Shifted(Region(scroll), dx, dy), Region::Op::Or);
    touched.IntersectRect(clip);
    result.uncovered = Region::Combine(touched, copied, Region::Op::Diff);

    // What was waiting to be painted in the scrolled part moves with it.
    WindowPaint& p = w->paint;
    Region moving = p.update;
    moving.IntersectRect(scroll);
    moving = Shifted(std::move(moving), dx, dy);
    moving.IntersectRect(clip);
    RECT scrollInClip{};
    IntersectRect(&scrollInClip, &scroll, &clip);
    p.update = Region::Combine(Region::Combine(p.update, Region(scrollInClip), Region::Op::Diff),
                               moving, Region::Op::Or);
    NotePaintStateLocked(*w);

    for (Window* c : w->children) {
        if (!(c->style & WS_VISIBLE))
            continue;
        RECT r = c->rect;
        RECT overlap{};
        const bool inScroll = IntersectRect(&overlap, &r, &scroll) != FALSE;
        if ((flags & SW_SCROLLCHILDREN) && inScroll)
            result.childMoves.emplace_back(c->hwnd, r);
        if (inScroll || touched.Intersects(r))
            result.repaint.push_back(c->hwnd);
    }
    return result;
}

}  // namespace

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update,
                   LPRECT updateRect, UINT flags) {
    ScrollResult r;
    {
        std::lock_guard lock(TreeMutex());
        r = ScrollLocked(hwnd, dx, dy, scroll, clip, flags);
        if (r.valid && (flags & SW_INVALIDATE)) {
            if (Window* w = Lookup(hwnd))
                RedrawLocked(
                    *w, &r.uncovered,
                    RDW_INVALIDATE | RDW_NOCHILDREN | ((flags & SW_ERASE) ? RDW_ERASE : 0));
        }
    }
    if (!r.valid)
        return ERROR;
    for (const auto& [child, rect] : r.childMoves) {
        SetWindowPos(child, nullptr, rect.left + dx, rect.top + dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    for (HWND child : r.repaint)
        RedrawWindow(child, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    if (auto obj = kq::gfx::LookupObject<kq::gfx::RegionObject>(update))
        obj->region = r.uncovered;
    if (updateRect)
        *updateRect = r.uncovered.IsEmpty() ? RECT{0, 0, 0, 0} : r.uncovered.Bounds();
    return r.uncovered.Complexity();
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip) {
    const UINT flags = SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN);
    return ScrollWindowEx(hwnd, dx, dy, scroll, clip, nullptr, nullptr, flags) != ERROR ? TRUE
                                                                                        : FALSE;
}
