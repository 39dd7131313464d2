#include "platform/ui/WindowShow.h"

#include "platform/ui/Focus.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Styles.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowData.h"
#include "platform/ui/WindowPos.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/detail/Delivery.h"
#include "platform/ui/detail/InputState.h"
#include "platform/ui/detail/Window.h"
#include "platform/ui/detail/WindowOps.h"
#include "platform/ui/dialog/detail/DialogFocus.h"

using namespace kq::ui::detail;

namespace {

enum class Placement { Keep, Normal, Maximized, Minimized };

struct ShowPlan {
    bool show = true;
    bool activate = true;
    Placement placement = Placement::Keep;
};

ShowPlan PlanFor(int cmd, bool restoreToMaximized, bool minimized) {
    switch (cmd) {
        case SW_HIDE:
            return {false, false, Placement::Keep};
        case SW_SHOWMINIMIZED:
            return {true, true, Placement::Minimized};
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
        case SW_FORCEMINIMIZE:
            return {true, false, Placement::Minimized};
        case SW_SHOWMAXIMIZED:
            return {true, true, Placement::Maximized};
        case SW_SHOWNOACTIVATE:
            return {true, false, Placement::Normal};
        case SW_SHOW:
            return {true, true, Placement::Keep};
        case SW_SHOWNA:
            return {true, false, Placement::Keep};
        case SW_RESTORE:
            return {true, true,
                    minimized && restoreToMaximized ? Placement::Maximized : Placement::Normal};
        case SW_SHOWNORMAL:
        case SW_SHOWDEFAULT:
        default:
            return {true, true, Placement::Normal};
    }
}

struct WindowFacts {
    bool valid = false;
    bool visible = false;
    bool minimized = false;
    bool maximized = false;
    bool restoreToMaximized = false;
    bool topLevel = false;
    bool canActivate = false;
    RECT parentClient{};
};

WindowFacts FactsOf(HWND hwnd) {
    WindowFacts f;
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w || w == &Desktop() || !w->queue || !w->queue->IsOwnerThread())
        return f;
    f.valid = true;
    f.visible = (w->style & WS_VISIBLE) != 0;
    f.minimized = (w->style & WS_MINIMIZE) != 0;
    f.maximized = (w->style & WS_MAXIMIZE) != 0;
    f.restoreToMaximized = w->restoreToMaximized;
    f.topLevel = w->IsTopLevel();
    f.canActivate = f.topLevel && !(w->style & WS_CHILD) && !(w->exStyle & WS_EX_NOACTIVATE) &&
                    !(w->style & WS_DISABLED);
    f.parentClient = w->parent->client;
    return f;
}

// Where no task bar holds them, minimised top-level windows show as small captioned bars side by
// side along the bottom of the work area, from its left: the first place no other one takes.
RECT MinimizedSlot(const Window* self, const RECT& area, SIZE size) {
    for (LONG x = area.left;; x += size.cx) {
        const RECT slot{x, area.bottom - size.cy, x + size.cx, area.bottom};
        bool taken = false;
        for (const Window* other : Desktop().children) {
            taken |= other != self &&
                     (other->style & (WS_VISIBLE | WS_MINIMIZE)) == (WS_VISIBLE | WS_MINIMIZE) &&
                     other->rect.left == slot.left && other->rect.top == slot.top;
        }
        if (!taken || x + 2 * size.cx > area.right)
            return slot;
    }
}

// Sets the state styles and returns the rectangle (parent coordinates) of the new placement.
RECT EnterPlacement(HWND hwnd, Placement placement, const WindowFacts& f) {
    RECT target{};
    if (placement == Placement::Maximized) {
        MINMAXINFO mmi = QueryMinMaxInfo(hwnd);
        target = RECT{mmi.ptMaxPosition.x, mmi.ptMaxPosition.y,
                      mmi.ptMaxPosition.x + mmi.ptMaxSize.x, mmi.ptMaxPosition.y + mmi.ptMaxSize.y};
    }
    RECT area{};  // a top-level window minimises into the work area of its monitor
    if (placement == Placement::Minimized && f.topLevel) {
        RECT now{};
        GetWindowRect(hwnd, &now);
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfo(MonitorFromRect(&now, MONITOR_DEFAULTTONEAREST), &info);
        area = info.rcWork;
    }
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w)
        return target;
    switch (placement) {
        case Placement::Maximized:
            w->style = (w->style & ~WS_MINIMIZE) | WS_MAXIMIZE;
            break;
        case Placement::Minimized: {
            w->restoreToMaximized = f.maximized || (f.minimized && f.restoreToMaximized);
            w->style = (w->style & ~WS_MAXIMIZE) | WS_MINIMIZE;
            const int cx = GetSystemMetrics(SM_CXMINIMIZED);
            const int cy = GetSystemMetrics(SM_CYMINIMIZED);
            if (f.topLevel) {
                target = MinimizedSlot(w, area, SIZE{cx, cy});
            } else {
                const int height = f.parentClient.bottom - f.parentClient.top;
                target = RECT{0, height - cy, cx, height};
            }
            break;
        }
        case Placement::Normal:
        case Placement::Keep:
            w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
            target = w->normalRect;
            break;
    }
    return target;
}

}  // namespace

BOOL ShowWindow(HWND hwnd, int cmd) {
    const WindowFacts f = FactsOf(hwnd);
    if (!f.valid)
        return FALSE;
    const ShowPlan plan = PlanFor(cmd, f.restoreToMaximized, f.minimized);
    if (!plan.show) {
        if (!f.visible)
            return FALSE;
        SendInternal(hwnd, WM_SHOWWINDOW, FALSE, 0, nullptr);
        SetWindowPosImpl(hwnd, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }
    Placement placement = plan.placement;
    if ((placement == Placement::Maximized && f.maximized) ||
        (placement == Placement::Minimized && f.minimized) ||
        (placement == Placement::Normal && !f.maximized && !f.minimized))
        placement = Placement::Keep;
    if (!f.visible)
        SendInternal(hwnd, WM_SHOWWINDOW, TRUE, 0, nullptr);
    const bool activate = plan.activate && f.canActivate;
    UINT flags = SWP_SHOWWINDOW | (activate ? 0 : SWP_NOACTIVATE | SWP_NOZORDER);
    RECT target{};
    if (placement == Placement::Keep) {
        flags |= SWP_NOMOVE | SWP_NOSIZE;
    } else {
        target = EnterPlacement(hwnd, placement, f);
        flags |= SWP_FRAMECHANGED;
    }
    SetWindowPosImpl(hwnd, HWND_TOP, target.left, target.top, target.right - target.left,
                     target.bottom - target.top, flags);
    if (placement == Placement::Minimized && !plan.activate)
        MoveInputAwayFrom(hwnd, false);  // a minimised window passes activation on
    return f.visible ? TRUE : FALSE;
}

namespace kq::ui::detail {

void PlaceHidden(HWND hwnd, bool maximize) {
    const WindowFacts f = FactsOf(hwnd);
    if (!f.valid || f.visible)
        return;
    RECT target = EnterPlacement(hwnd, maximize ? Placement::Maximized : Placement::Minimized, f);
    SetWindowPosImpl(hwnd, nullptr, target.left, target.top, target.right - target.left,
                     target.bottom - target.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace kq::ui::detail

BOOL IsWindowVisible(HWND hwnd) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    return w && IsVisibleChain(*w) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    bool wasDisabled = false;
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w || w == &Desktop())
            return FALSE;
        wasDisabled = (w->style & WS_DISABLED) != 0;
        if (wasDisabled == !enable)
            return wasDisabled ? TRUE : FALSE;
    }
    HWND focus = enable ? nullptr : FocusWindow();
    if (!enable)
        SendInternal(hwnd, WM_CANCELMODE, 0, 0, nullptr);
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w)
            return wasDisabled ? TRUE : FALSE;
        if (enable)
            w->style &= ~WS_DISABLED;
        else
            w->style |= WS_DISABLED;
    }
    if (!enable) {
        MoveInputAwayFrom(hwnd, true);
        // A disabled window cannot keep the focus; in a dialog it passes to the next tab stop.
        if (focus && (focus == hwnd || IsChild(hwnd, focus)) && !FocusWindow())
            MoveFocusPastDisabled(hwnd);
    }
    SendInternal(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0, nullptr);
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

namespace kq::ui {

HWND OwnerInSight(HWND owner, HWND self) {
    const auto shows = [self](HWND h) {
        return h && h != self && IsWindowVisible(h) && !IsIconic(h);
    };
    for (HWND h = owner ? GetAncestor(owner, GA_ROOT) : nullptr; h; h = GetWindow(h, GW_OWNER)) {
        if (shows(h))
            return h;
    }
    if (!owner)
        return nullptr;
    HWND active = GetActiveWindow();
    active = active ? GetAncestor(active, GA_ROOT) : nullptr;
    return shows(active) ? active : nullptr;
}

HWND ModalOwnerOf(HWND parent) {
    HWND owner = parent ? GetAncestor(parent, GA_ROOT) : nullptr;
    for (HWND h = owner; h; h = GetWindow(h, GW_OWNER)) {
        if ((static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)) & WS_CAPTION) == WS_CAPTION)
            return h;
    }
    return owner;
}

}  // namespace kq::ui
