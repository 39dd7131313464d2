#include "platform/ui/paint/WindowDcs.h"

#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/gfx/GdiObjects.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/SurfaceDc.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WindowData.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/paint/DcCache.h"
#include "platform/ui/paint/Invalidation.h"
#include "platform/ui/paint/PaintReset.h"
#include "platform/ui/paint/Painting.h"
#include "platform/ui/paint/ScreenSurface.h"
#include "platform/ui/paint/VisibleRegion.h"

using namespace kq::ui::detail;
using kq::gfx::Region;

namespace {

// DCs kept for reuse; more are made when needed and deleted when they come back.
constexpr size_t kCachedDcs = 8;

struct HandedOut {
    HWND hwnd = nullptr;
    Region area;  // surface coordinates the DC may touch
    HRGN ownedClip = nullptr;
    std::weak_ptr<kq::gfx::Surface> surface;
};

struct DcCache {
    std::mutex mutex;  // after TreeMutex() in the lock order
    // Idle DCs with the surface they were made for: a DC made for an earlier screen keeps
    // that screen's device caps, so it is not handed out again.
    std::vector<std::pair<HDC, std::weak_ptr<kq::gfx::Surface>>> idle;
    std::unordered_map<HDC, HandedOut> out;
    HWND locked = nullptr;  // LockWindowUpdate
};

DcCache& Cache() {
    static DcCache* cache = new DcCache;
    return *cache;
}

}  // namespace

namespace kq::ui::detail {

bool IsUpdateLockedLocked(const Window& w) {
    DcCache& c = Cache();
    HWND locked;
    {
        std::lock_guard lock(c.mutex);
        locked = c.locked;
    }
    if (!locked)
        return false;
    for (const Window* p = &w; p; p = p->parent) {
        if (p->hwnd == locked)
            return true;
    }
    return false;
}

}  // namespace kq::ui::detail

namespace {

Region RegionOf(HRGN rgn) {
    auto obj = kq::gfx::LookupObject<kq::gfx::RegionObject>(rgn);
    return obj ? obj->region : Region();
}

// The pixels (screen coordinates) a DC of the window may touch, and where its (0, 0) is.
bool DcArea(HWND hwnd, HRGN clip, DWORD flags, Region* area, POINT* origin) {
    std::lock_guard lock(TreeMutex());
    SyncScreenLocked();
    Window* w = hwnd ? Lookup(hwnd) : &Desktop();
    if (!w)
        return false;
    if (w == &Desktop()) {
        *area = Region(ScreenRectLocked());
        *origin = POINT{0, 0};
    } else {
        VisibleRegionRequest request;
        request.wholeWindow = (flags & DCX_WINDOW) != 0;
        request.clipChildren = (flags & DCX_CLIPCHILDREN) != 0;
        request.clipSiblings = (flags & DCX_CLIPSIBLINGS) != 0;
        *area = VisibleRegionLocked(*w, request);
        if (IsUpdateLockedLocked(*w) && !(flags & DCX_LOCKWINDOWUPDATE))
            *area = Region();
        const RECT r = request.wholeWindow ? WindowRectOnScreen(*w) : ClientRectOnScreen(*w);
        *origin = POINT{r.left, r.top};
        if (flags & (DCX_INTERSECTUPDATE | DCX_EXCLUDEUPDATE)) {
            Region update = w->paint.update;
            const POINT client = ClientOriginOnScreen(*w);
            update.Offset(client.x, client.y);
            *area = Region::Combine(
                *area, update, (flags & DCX_INTERSECTUPDATE) ? Region::Op::And : Region::Op::Diff);
            if ((flags & DCX_INTERSECTUPDATE) && (flags & DCX_VALIDATE)) {
                w->paint.update = Region();
                w->paint.erase = false;
                NotePaintStateLocked(*w);
            }
        }
    }
    if (flags & DCX_INTERSECTRGN)
        *area = Region::Combine(*area, RegionOf(clip), Region::Op::And);
    else if (flags & DCX_EXCLUDERGN)
        *area = Region::Combine(*area, RegionOf(clip), Region::Op::Diff);
    return true;
}

HDC TakeDc(const std::shared_ptr<kq::gfx::Surface>& surface) {
    DcCache& c = Cache();
    std::vector<HDC> stale;
    HDC hdc = nullptr;
    {
        std::lock_guard lock(c.mutex);
        while (!c.idle.empty() && !hdc) {
            auto [candidate, madeFor] = c.idle.back();
            c.idle.pop_back();
            if (madeFor.lock() == surface)
                hdc = candidate;
            else
                stale.push_back(candidate);
        }
    }
    for (HDC old : stale)
        DeleteDC(old);
    return hdc ? hdc : kq::gfx::CreateSurfaceDC(surface);
}

}  // namespace

HDC GetDC(HWND hwnd) {
    const LONG style = hwnd ? GetWindowLong(hwnd, GWL_STYLE) : 0;
    return GetDCEx(hwnd, nullptr,
                   DCX_CACHE | ((style & WS_CLIPCHILDREN) ? DCX_CLIPCHILDREN : 0) |
                       ((style & WS_CLIPSIBLINGS) ? DCX_CLIPSIBLINGS : 0));
}

HDC GetWindowDC(HWND hwnd) {
    const LONG style = hwnd ? GetWindowLong(hwnd, GWL_STYLE) : 0;
    return GetDCEx(hwnd, nullptr,
                   DCX_WINDOW | DCX_CACHE | ((style & WS_CLIPCHILDREN) ? DCX_CLIPCHILDREN : 0) |
                       ((style & WS_CLIPSIBLINGS) ? DCX_CLIPSIBLINGS : 0));
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
    Region area;
    POINT origin{};
    if (!DcArea(hwnd, clip, flags, &area, &origin))
        return nullptr;
    std::shared_ptr<kq::gfx::Surface> surface;
    RECT screen{};
    {
        std::lock_guard lock(TreeMutex());
        surface = SyncScreenLocked();
        screen = ScreenRectLocked();
    }
    area.Offset(-screen.left, -screen.top);
    area.IntersectRect(RECT{0, 0, surface->Width(), surface->Height()});
    HDC hdc = TakeDc(surface);
    if (!hdc)
        return nullptr;
    kq::gfx::ResetDCState(hdc);
    kq::gfx::SetDCDeviceArea(hdc, surface, POINT{origin.x - screen.left, origin.y - screen.top},
                             area);
    DcCache& c = Cache();
    std::lock_guard lock(c.mutex);
    HRGN owned = (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) ? clip : nullptr;
    c.out[hdc] = HandedOut{hwnd, std::move(area), owned, surface};
    return hdc;
}

int ReleaseDC(HWND, HDC hdc) {
    // Read before the DC goes back to the cache, where another thread may aim it anew.
    const bool drew = kq::gfx::DCDrewSinceAimed(hdc);
    DcCache& c = Cache();
    HandedOut entry;
    bool keep = false;
    {
        std::lock_guard lock(c.mutex);
        auto it = c.out.find(hdc);
        if (it == c.out.end())
            return 0;
        entry = std::move(it->second);
        c.out.erase(it);
        keep = c.idle.size() < kCachedDcs;
        if (keep)
            c.idle.emplace_back(hdc, entry.surface);
    }
    // Drawing through the DC is over: what it could touch goes to the presenter. A DC taken
    // only to read the screen's properties (the screen's DC for its resolution) changed
    // nothing: presenting its whole area would compare every pixel of the screen.
    if (drew)
        MarkScreenChanged(entry.area);
    if (entry.ownedClip)
        DeleteObject(entry.ownedClip);
    if (!keep)
        DeleteDC(hdc);
    return 1;
}

HWND WindowFromDC(HDC hdc) {
    DcCache& c = Cache();
    std::lock_guard lock(c.mutex);
    auto it = c.out.find(hdc);
    return it == c.out.end() ? nullptr : it->second.hwnd;
}

BOOL LockWindowUpdate(HWND hwnd) {
    if (hwnd && !IsWindow(hwnd))
        return FALSE;
    DcCache& c = Cache();
    HWND current;
    {
        std::lock_guard lock(c.mutex);
        current = c.locked;
    }
    const bool currentAlive = current && IsWindow(current);
    {
        std::lock_guard lock(c.mutex);
        if (c.locked != current || (hwnd && currentAlive))
            return FALSE;
        c.locked = hwnd;
    }
    // What was drawn meanwhile is not known: the window is painted again whole.
    if (!hwnd && currentAlive)
        RedrawWindow(current, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}

namespace kq::ui::detail {

void ResetWindowDcs() {
    DcCache& c = Cache();
    std::lock_guard lock(c.mutex);
    c.locked = nullptr;
}

}  // namespace kq::ui::detail
