#include "platform/ui/Focus.h"

#include "platform/ui/Messages.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/detail/Delivery.h"
#include "platform/ui/detail/InputState.h"
#include "platform/ui/detail/ThreadQueue.h"
#include "platform/ui/detail/Window.h"
#include "platform/ui/detail/WindowOps.h"

using namespace kq::ui::detail;

namespace {

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendInternal(hwnd, message, wParam, lParam, nullptr);
}

bool IsMinimized(HWND hwnd) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    return w && (w->style & WS_MINIMIZE);
}

// hwnd is `root` or lies below it.
bool IsWithin(HWND root, HWND hwnd) {
    if (!root || !hwnd)
        return false;
    std::lock_guard lock(TreeMutex());
    Window* r = Lookup(root);
    Window* w = Lookup(hwnd);
    return r && w && (r == w || IsDescendant(r, w));
}

HWND TopLevelHandle(HWND hwnd) {
    std::lock_guard lock(TreeMutex());
    Window* top = TopLevelOf(Lookup(hwnd));
    return top ? top->hwnd : nullptr;
}

void BroadcastActivateApp(bool active) {
    std::vector<HWND> tops;
    {
        std::lock_guard lock(TreeMutex());
        for (Window* w : Desktop().children)
            tops.push_back(w->hwnd);
    }
    const LPARAM thread = active ? static_cast<LPARAM>(CurrentThreadId()) : 0;
    for (HWND top : tops)
        Send(top, WM_ACTIVATEAPP, active ? TRUE : FALSE, thread);
}

// The window that takes over when `leaving` stops being active: its owner if that can be
// active, else the topmost visible enabled top-level window that is not `leaving` or owned by
// it.
HWND Successor(HWND leaving) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(leaving);
    auto usable = [&](Window* c) {
        return c && c != w && c->stage != WindowStage::Destroying && (c->style & WS_VISIBLE) &&
               !(c->style & (WS_DISABLED | WS_MINIMIZE)) && !(c->exStyle & WS_EX_NOACTIVATE);
    };
    if (w && usable(w->owner))
        return w->owner->hwnd;
    for (Window* c : Desktop().children) {
        bool ownedByLeaving = false;
        for (Window* o = c->owner; o; o = o->owner)
            ownedByLeaving |= o == w;
        if (usable(c) && !ownedByLeaving)
            return c->hwnd;
    }
    return nullptr;
}

// The focus goes from `old` to `next`: where it leaves old's top-level window, that window
// remembers old, to give the focus back to it when it is activated again.
void RememberFocusLeaving(HWND old, HWND next) {
    std::lock_guard lock(TreeMutex());
    Window* top = TopLevelOf(Lookup(old));
    if (!top || top == &Desktop())
        return;
    Window* to = Lookup(next);
    if (to && (to == top || IsDescendant(top, to)))
        return;
    top->focusLeftAt = old;
}

}  // namespace

namespace kq::ui::detail {

HWND FocusToGiveBack(HWND top) {
    std::lock_guard lock(TreeMutex());
    Window* t = Lookup(top);
    Window* w = t ? Lookup(t->focusLeftAt) : nullptr;
    if (!w || w->stage == WindowStage::Destroying || !IsDescendant(t, w) || !IsVisibleChain(*w))
        return nullptr;
    // The window itself may be disabled for a while (a modal box runs for it).
    for (Window* c = w; c != t; c = c->parent) {
        if (c->style & WS_DISABLED)
            return nullptr;
    }
    return w->hwnd;
}

HWND Activate(HWND hwnd, WORD how, bool raise) {
    InputState& in = Input();
    HWND old;
    {
        std::lock_guard lock(in.mutex);
        old = in.active;
    }
    if (old == hwnd)
        return old;
    if (old && IsWindow(old)) {
        Send(old, WM_NCACTIVATE, FALSE, 0);
        Send(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsMinimized(old)),
             reinterpret_cast<LPARAM>(hwnd));
    }
    bool appChanged;
    {
        std::lock_guard lock(in.mutex);
        in.active = hwnd;
        if (hwnd)
            in.lastActive = hwnd;
        appChanged = in.appActive != (hwnd != nullptr);
        in.appActive = hwnd != nullptr;
    }
    if (appChanged)
        BroadcastActivateApp(hwnd != nullptr);
    if (!hwnd) {
        SetFocusImpl(nullptr);
        return old;
    }
    if (raise) {
        SetWindowPosImpl(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (ActiveWindowHandle() != hwnd)
        return old;  // a handler activated another window meanwhile
    Send(hwnd, WM_NCACTIVATE, TRUE, 0);
    Send(hwnd, WM_ACTIVATE, MAKEWPARAM(how, IsMinimized(hwnd)), reinterpret_cast<LPARAM>(old));
    // The focus belongs inside the active window; a handler that took no focus leaves none.
    HWND focus = FocusWindow();
    if (focus && ActiveWindowHandle() == hwnd && !IsWithin(hwnd, focus))
        SetFocusImpl(nullptr);
    return old;
}

HWND SetFocusImpl(HWND hwnd) {
    InputState& in = Input();
    const HWND before = FocusWindow();
    if (hwnd) {
        {
            std::lock_guard lock(TreeMutex());
            Window* w = Lookup(hwnd);
            if (!w || w == &Desktop() || !IsEnabledChain(*w))
                return nullptr;
        }
        HWND top = TopLevelHandle(hwnd);
        if (top && ActiveWindowHandle() != top)
            Activate(top, WA_ACTIVE, true);
        if (!IsWindow(hwnd))
            return nullptr;
    }
    HWND old;
    {
        std::lock_guard lock(in.mutex);
        old = in.focus;
        if (old == hwnd)
            return before;
        in.focus = hwnd;
    }
    RememberFocusLeaving(old, hwnd);
    if (old && IsWindow(old))
        Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (hwnd && FocusWindow() == hwnd && IsWindow(hwnd))
        Send(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return before;
}

HWND SetCaptureImpl(HWND hwnd) {
    InputState& in = Input();
    HWND old;
    {
        std::lock_guard lock(in.mutex);
        old = in.capture;
        in.capture = hwnd;
    }
    if (old && old != hwnd && IsWindow(old))
        Send(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

void MoveInputAwayFrom(HWND hwnd, bool disabling) {
    if (IsWithin(hwnd, CaptureWindow()))
        SetCaptureImpl(nullptr);
    if (!disabling && ActiveWindowHandle() == hwnd)
        Activate(Successor(hwnd), WA_ACTIVE, true);
    HWND focus = FocusWindow();
    if (IsWithin(hwnd, focus)) {
        HWND parent = nullptr;
        {
            std::lock_guard lock(TreeMutex());
            Window* w = Lookup(hwnd);
            if (!disabling && w && w->IsChild() && w->parent &&
                w->parent->stage != WindowStage::Destroying && IsVisibleChain(*w->parent))
                parent = w->parent->hwnd;
        }
        SetFocusImpl(parent);
    }
    DestroyCaretOf(hwnd);
}

}  // namespace kq::ui::detail

HWND SetFocus(HWND hwnd) {
    return SetFocusImpl(hwnd);
}

HWND GetFocus() {
    return FocusWindow();
}

HWND SetActiveWindow(HWND hwnd) {
    HWND top = TopLevelHandle(hwnd);
    if (!top)
        return nullptr;
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(top);
        if (!w || (w->style & WS_DISABLED))
            return nullptr;
    }
    return Activate(top, WA_ACTIVE, true);
}

HWND GetActiveWindow() {
    return ActiveWindowHandle();
}

BOOL SetForegroundWindow(HWND hwnd) {
    if (!TopLevelHandle(hwnd))
        return FALSE;
    SetActiveWindow(hwnd);
    return GetActiveWindow() == TopLevelHandle(hwnd) ? TRUE : FALSE;
}

HWND GetForegroundWindow() {
    return ActiveWindowHandle();
}

HWND SetCapture(HWND hwnd) {
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w || !w->queue || !w->queue->IsOwnerThread())
            return nullptr;
    }
    return SetCaptureImpl(hwnd);
}

BOOL ReleaseCapture() {
    SetCaptureImpl(nullptr);
    return TRUE;
}

HWND GetCapture() {
    return CaptureWindow();
}
