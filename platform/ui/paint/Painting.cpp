#include "platform/ui/paint/Painting.h"

#include <optional>

#include "platform/gfx/GdiObjects.h"
#include "platform/gfx/HandleTable.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/paint/Invalidation.h"
#include "platform/ui/paint/ScreenSurface.h"
#include "platform/ui/paint/UpdateNow.h"

using namespace kq::ui::detail;
using kq::gfx::Region;

namespace {

std::optional<Region> RegionOf(const RECT* rect, HRGN rgn) {
    if (rgn) {
        auto obj = kq::gfx::LookupObject<kq::gfx::RegionObject>(rgn);
        return obj ? obj->region : Region();
    }
    if (rect)
        return Region::FromRect(rect->left, rect->top, rect->right, rect->bottom);
    return std::nullopt;
}

// RedrawWindow's invalidating part; false when hwnd is not a window.
bool Apply(HWND hwnd, const std::optional<Region>& region, UINT flags) {
    std::lock_guard lock(TreeMutex());
    if (!hwnd) {
        // The desktop: every window and the desktop's own pixels.
        for (Window* top : Desktop().children) {
            if (!region) {
                RedrawLocked(*top, nullptr, flags | RDW_ALLCHILDREN | RDW_FRAME);
                continue;
            }
            Region part = *region;  // screen coordinates, the desktop's client coordinates
            const POINT origin = ClientOriginOnScreen(*top);
            part.Offset(-origin.x, -origin.y);
            RedrawLocked(*top, &part, flags | RDW_ALLCHILDREN | RDW_FRAME);
        }
        if (flags & RDW_INVALIDATE)
            PaintDesktopLocked(region ? *region : Region(ScreenRectLocked()));
        return true;
    }
    Window* w = Lookup(hwnd);
    if (!w)
        return false;
    if (w == &Desktop())
        return Apply(nullptr, region, flags);
    RedrawLocked(*w, region ? &*region : nullptr, flags);
    return true;
}

}  // namespace

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN rgn, UINT flags) {
    if (!Apply(hwnd, RegionOf(rect, rgn), flags))
        return FALSE;
    if (hwnd && (flags & (RDW_UPDATENOW | RDW_ERASENOW)))
        UpdateNow(hwnd, flags);
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL UpdateWindow(HWND hwnd) {
    if (!IsWindow(hwnd))
        return FALSE;
    UpdateNow(hwnd, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return TRUE;
}

namespace {

// The update region after an erase owed was sent, if asked for; nullopt for no window.
std::optional<Region> UpdateRegion(HWND hwnd, BOOL erase) {
    if (erase)
        EraseNow(hwnd);
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w)
        return std::nullopt;
    return w->paint.update;
}

}  // namespace

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
    std::optional<Region> update = UpdateRegion(hwnd, erase);
    if (!update)
        return FALSE;
    if (rect)
        *rect = update->IsEmpty() ? RECT{0, 0, 0, 0} : update->Bounds();
    return update->IsEmpty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
    auto obj = kq::gfx::LookupObject<kq::gfx::RegionObject>(rgn);
    if (!obj)
        return ERROR;
    std::optional<Region> update = UpdateRegion(hwnd, erase);
    if (!update)
        return ERROR;
    obj->region = *update;
    return obj->region.Complexity();
}
