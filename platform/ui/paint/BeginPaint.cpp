#include <mutex>

#include "platform/gfx/GdiObjects.h"
#include "platform/gfx/HandleTable.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/Messages.h"
#include "platform/ui/detail/Delivery.h"
#include "platform/ui/paint/Invalidation.h"
#include "platform/ui/paint/Painting.h"
#include "platform/ui/paint/WindowDcs.h"

using namespace kq::ui::detail;
using kq::gfx::Region;

namespace {

struct Taken {
    bool valid = false;
    bool frame = false;
    bool erase = false;
    Region update;  // client coordinates
    POINT clientOrigin{};
    DWORD style = 0;
};

// Takes the update region and what is owed with it: the window is valid from here on.
Taken TakeUpdate(HWND hwnd) {
    Taken t;
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w)
        return t;
    t.valid = true;
    WindowPaint& p = w->paint;
    t.frame = p.frame;
    t.erase = p.erase;
    t.update = Region::Combine(p.update, Region(ClientArea(*w)), Region::Op::And);
    p.update = Region();
    p.erase = p.frame = p.internal = false;
    NotePaintStateLocked(*w);
    t.clientOrigin = ClientOriginOnScreen(*w);
    t.style = w->style;
    return t;
}

HRGN MakeRegion(const Region& r) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    if (auto obj = kq::gfx::LookupObject<kq::gfx::RegionObject>(rgn))
        obj->region = r;
    return rgn;
}

}  // namespace

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
    if (!ps)
        return nullptr;
    Taken t = TakeUpdate(hwnd);
    if (!t.valid)
        return nullptr;
    if (t.frame)
        SendInternal(hwnd, WM_NCPAINT, 1, 0, nullptr);
    Region screen = t.update;
    screen.Offset(t.clientOrigin.x, t.clientOrigin.y);
    HDC hdc = GetDCEx(hwnd, MakeRegion(screen),
                      DCX_CACHE | DCX_INTERSECTRGN |
                          ((t.style & WS_CLIPCHILDREN) ? DCX_CLIPCHILDREN : 0) |
                          ((t.style & WS_CLIPSIBLINGS) ? DCX_CLIPSIBLINGS : 0));
    *ps = PAINTSTRUCT{};
    ps->hdc = hdc;
    ps->rcPaint = t.update.IsEmpty() ? RECT{0, 0, 0, 0} : t.update.Bounds();
    if (t.erase && hdc) {
        // The background stays the application's job when the window did not erase it.
        ps->fErase = SendInternal(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0, nullptr)
                         ? FALSE
                         : TRUE;
    }
    return hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (!ps || !ps->hdc)
        return FALSE;
    ReleaseDC(hwnd, ps->hdc);
    return TRUE;
}
