#include "platform/ui/WindowPos.h"

#include <algorithm>

#include "platform/ui/Messages.h"
#include "platform/ui/Screen.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/detail/Delivery.h"
#include "platform/ui/detail/InputState.h"
#include "platform/ui/detail/NonClient.h"
#include "platform/ui/detail/Window.h"
#include "platform/ui/detail/WindowOps.h"
#include "platform/ui/paint/PositionChange.h"

using namespace kq::ui::detail;

namespace {

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendInternal(hwnd, message, wParam, lParam, nullptr);
}

RECT Offset(RECT r, int dx, int dy) {
    OffsetRect(&r, dx, dy);
    return r;
}

}  // namespace

namespace kq::ui::detail {

MINMAXINFO QueryMinMaxInfo(HWND hwnd) {
    MINMAXINFO mmi{};
    RECT area{};
    int border = 0;
    bool topLevel = false;
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w)
            return mmi;
        border = NonClientInsets(w->style, w->exStyle, false).left;
        topLevel = w->IsTopLevel();
        if (!topLevel) {
            area = RECT{0, 0, w->parent->client.right - w->parent->client.left,
                        w->parent->client.bottom - w->parent->client.top};
        }
    }
    if (topLevel) {
        MONITORINFO info{sizeof info, {}, {}, 0};
        if (GetMonitorInfo(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info))
            area = info.rcWork;
        else
            area = kq::ui::PrimaryWorkArea();
    }
    // Maximised, the frame lies just outside the work area.
    mmi.ptMaxSize = POINT{area.right - area.left + 2 * border, area.bottom - area.top + 2 * border};
    mmi.ptMaxPosition = POINT{area.left - border, area.top - border};
    mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mmi.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    Send(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    return mmi;
}

BOOL SetWindowPosImpl(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    WINDOWPOS wp{hwnd, insertAfter, x, y, cx, cy, flags};
    bool sizeLimits = false;
    bool topLevel = false;
    bool activatable = false;
    bool wasVisible = false;
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w || w == &Desktop() || !w->queue || !w->queue->IsOwnerThread())
            return FALSE;
        if (flags & SWP_NOMOVE) {
            wp.x = w->rect.left;
            wp.y = w->rect.top;
        }
        if (flags & SWP_NOSIZE) {
            wp.cx = w->rect.right - w->rect.left;
            wp.cy = w->rect.bottom - w->rect.top;
        }
        wasVisible = (w->style & WS_VISIBLE) != 0;
        if (wasVisible)
            wp.flags &= ~SWP_SHOWWINDOW;
        else
            wp.flags &= ~SWP_HIDEWINDOW;
        topLevel = w->IsTopLevel();
        // A child of the desktop (a drop-down) sits among the top-level windows but is never
        // activated.
        activatable = topLevel && !(w->style & WS_CHILD);
        sizeLimits = !(flags & SWP_NOSIZE) && topLevel && !(w->style & WS_MINIMIZE) &&
                     ((w->style & WS_THICKFRAME) || !(w->style & (WS_POPUP | WS_CHILD)));
    }
    if (sizeLimits) {
        MINMAXINFO mmi = QueryMinMaxInfo(hwnd);
        wp.cx = std::clamp<int>(wp.cx, mmi.ptMinTrackSize.x,
                                std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
        wp.cy = std::clamp<int>(wp.cy, mmi.ptMinTrackSize.y,
                                std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
    }
    if (!(wp.flags & SWP_NOSENDCHANGING))
        Send(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));

    RECT oldRect{};
    RECT oldClient{};  // in the parent's client coordinates
    RECT newRect{};
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w)
            return FALSE;
        oldRect = w->rect;
        oldClient = Offset(w->client, w->rect.left, w->rect.top);
        if (wp.flags & SWP_NOMOVE) {
            wp.x = oldRect.left;
            wp.y = oldRect.top;
        }
        if (wp.flags & SWP_NOSIZE) {
            wp.cx = oldRect.right - oldRect.left;
            wp.cy = oldRect.bottom - oldRect.top;
        }
        newRect = RECT{wp.x, wp.y, wp.x + std::max(wp.cx, 0), wp.y + std::max(wp.cy, 0)};
    }
    const bool sized = newRect.right - newRect.left != oldRect.right - oldRect.left ||
                       newRect.bottom - newRect.top != oldRect.bottom - oldRect.top;
    RECT newClient = Offset(oldClient, newRect.left - oldRect.left, newRect.top - oldRect.top);
    if (sized || (wp.flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS params{{newRect, oldRect, oldClient}, &wp};
        Send(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
        newClient = params.rgrc[0];
    }

    bool nowVisible = false;
    bool enabled = false;
    const PositionSnapshot before = SnapshotPosition(hwnd);
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w)
            return FALSE;
        w->rect = newRect;
        w->client = Offset(newClient, -newRect.left, -newRect.top);
        if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE)))
            w->normalRect = newRect;
        if (!(wp.flags & SWP_NOZORDER))
            PlaceInZOrder(w, wp.hwndInsertAfter, !(wp.flags & SWP_NOOWNERZORDER));
        if (wp.flags & SWP_SHOWWINDOW)
            w->style |= WS_VISIBLE;
        if (wp.flags & SWP_HIDEWINDOW)
            w->style &= ~WS_VISIBLE;
        if (newClient.right - newClient.left == oldClient.right - oldClient.left &&
            newClient.bottom - newClient.top == oldClient.bottom - oldClient.top)
            wp.flags |= SWP_NOCLIENTSIZE;
        if (newClient.left == oldClient.left && newClient.top == oldClient.top)
            wp.flags |= SWP_NOCLIENTMOVE;
        nowVisible = (w->style & WS_VISIBLE) != 0;
        enabled = !(w->style & WS_DISABLED);
    }
    RedrawAfterPositionChange(hwnd, before, wp.flags);
    if (activatable && nowVisible && enabled && !(wp.flags & SWP_NOACTIVATE))
        Activate(hwnd, WA_ACTIVE, false);
    Send(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    if (wasVisible && (wp.flags & SWP_HIDEWINDOW))
        MoveInputAwayFrom(hwnd, false);
    return TRUE;
}

}  // namespace kq::ui::detail

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return SetWindowPosImpl(hwnd, insertAfter, x, y, cx, cy, flags);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint) {
    return SetWindowPosImpl(hwnd, nullptr, x, y, cx, cy,
                            SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) {
    bool topLevel = false;
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w)
            return FALSE;
        topLevel = w->IsTopLevel();
    }
    return SetWindowPosImpl(hwnd, HWND_TOP, 0, 0, 0, 0,
                            SWP_NOMOVE | SWP_NOSIZE | (topLevel ? 0 : SWP_NOACTIVATE));
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w || !rect)
        return FALSE;
    *rect = WindowRectOnScreen(*w);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w || !rect)
        return FALSE;
    *rect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT pt) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w || !pt)
        return FALSE;
    POINT origin = ClientOriginOnScreen(*w);
    pt->x -= origin.x;
    pt->y -= origin.y;
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT pt) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w || !pt)
        return FALSE;
    POINT origin = ClientOriginOnScreen(*w);
    pt->x += origin.x;
    pt->y += origin.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    POINT a{};
    POINT b{};
    {
        std::lock_guard lock(TreeMutex());
        if (from) {
            Window* w = Lookup(from);
            if (!w)
                return 0;
            a = ClientOriginOnScreen(*w);
        }
        if (to) {
            Window* w = Lookup(to);
            if (!w)
                return 0;
            b = ClientOriginOnScreen(*w);
        }
    }
    const int dx = a.x - b.x;
    const int dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return static_cast<int>(MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy)));
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (!rect)
        return FALSE;
    if (!(style & (WS_CHILD | WS_POPUP)))
        style |= WS_CAPTION;
    FrameInsets in = NonClientInsets(style, exStyle, menu != FALSE);
    rect->left -= in.left;
    rect->top -= in.top;
    rect->right += in.right;
    rect->bottom += in.bottom;
    return TRUE;
}
