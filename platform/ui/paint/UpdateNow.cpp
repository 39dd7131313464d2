#include "platform/ui/paint/UpdateNow.h"

#include <vector>

#include "platform/ui/Messages.h"
#include "platform/ui/WindowData.h"
#include "platform/ui/detail/Delivery.h"
#include "platform/ui/paint/Invalidation.h"
#include "platform/ui/paint/Painting.h"
#include "platform/ui/paint/WindowDcs.h"

namespace kq::ui::detail {
namespace {

struct Owed {
    bool valid = false;
    bool frame = false;
    bool erase = false;
    bool paint = false;
    std::vector<HWND> children;  // bottom of the z-order first: the topmost paints last
};

Owed TakeOwed(HWND hwnd, UINT flags) {
    Owed o;
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w || !IsDrawable(*w))
        return o;
    o.valid = true;
    WindowPaint& p = w->paint;
    o.frame = p.frame;
    p.frame = false;
    o.erase = p.erase && (flags & RDW_ERASENOW);
    if (flags & RDW_UPDATENOW) {
        o.paint = !p.update.IsEmpty() || p.internal;
        p.internal = false;
    }
    NotePaintStateLocked(*w);
    const bool children =
        (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
    if (children) {
        for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
            o.children.push_back((*it)->hwnd);
    }
    return o;
}

}  // namespace

void EraseNow(HWND hwnd) {
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w || !w->paint.erase)
            return;
    }
    const LONG style = GetWindowLong(hwnd, GWL_STYLE);
    HDC hdc = GetDCEx(hwnd, nullptr,
                      DCX_CACHE | DCX_INTERSECTUPDATE |
                          ((style & WS_CLIPCHILDREN) ? DCX_CLIPCHILDREN : 0) |
                          ((style & WS_CLIPSIBLINGS) ? DCX_CLIPSIBLINGS : 0));
    const LRESULT erased =
        SendInternal(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0, nullptr);
    ReleaseDC(hwnd, hdc);
    if (!erased)
        return;
    std::lock_guard lock(TreeMutex());
    if (Window* w = Lookup(hwnd))
        w->paint.erase = false;
}

void UpdateNow(HWND hwnd, UINT flags) {
    const Owed o = TakeOwed(hwnd, flags);
    if (!o.valid)
        return;
    if (o.frame)
        SendInternal(hwnd, WM_NCPAINT, 1, 0, nullptr);
    if (o.erase)
        EraseNow(hwnd);
    if (o.paint)
        SendInternal(hwnd, WM_PAINT, 0, 0, nullptr);
    for (HWND child : o.children)
        UpdateNow(child, flags);
}

}  // namespace kq::ui::detail
