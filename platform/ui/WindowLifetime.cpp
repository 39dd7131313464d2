#include "platform/ui/WindowLifetime.h"

#include <algorithm>

#include "platform/ui/Messages.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowShow.h"
#include "platform/ui/detail/ClassTable.h"
#include "platform/ui/detail/Delivery.h"
#include "platform/ui/detail/Retrieve.h"
#include "platform/ui/detail/ThreadTeardown.h"
#include "platform/ui/detail/WindowOps.h"

using namespace kq::ui::detail;

namespace {

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendInternal(hwnd, message, wParam, lParam, nullptr);
}

bool IsOverlapped(DWORD style) {
    return !(style & (WS_CHILD | WS_POPUP));
}

// Where CW_USEDEFAULT puts an overlapped window: cascading from the work area's corner, three
// quarters of the work area in size.
void DefaultPlacement(DWORD style, int& x, int& y, int& cx, int& cy) {
    static int cascade = 0;
    const bool overlapped = IsOverlapped(style);
    RECT work = kq::ui::PrimaryWorkArea();
    if (x == CW_USEDEFAULT) {
        if (overlapped) {
            int step = (cascade++ % 8) * 26;
            x = work.left + step;
            y = work.top + step;
        } else {
            x = y = 0;
        }
    }
    if (cx == CW_USEDEFAULT) {
        if (overlapped) {
            cx = (work.right - work.left) * 3 / 4;
            cy = (work.bottom - work.top) * 3 / 4;
        } else {
            cx = cy = 0;
        }
    }
    if (y == CW_USEDEFAULT)
        y = 0;
    if (cy == CW_USEDEFAULT)
        cy = 0;
}

void PurgeQueueOf(const std::shared_ptr<ThreadQueue>& q, HWND hwnd) {
    if (!q)
        return;
    auto same = [hwnd](HWND h) { return h == hwnd; };
    KillTimersOf(*q, same);
    AnswerPendingSends(*q, same);
    {
        std::lock_guard lock(q->mutex);
        q->posted.erase(std::remove_if(q->posted.begin(), q->posted.end(),
                                       [&](const MSG& m) { return m.hwnd == hwnd; }),
                        q->posted.end());
    }
    if (q->IsOwnerThread() && q->pendingInputMessage && q->pendingInputMessage->hwnd == hwnd)
        ReturnPendingInput(*q);
}

// Frees a window record and, silently, anything still below it.
void FreeWindow(HWND hwnd) {
    std::vector<std::pair<HWND, std::shared_ptr<ThreadQueue>>> freed;
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w || w == &Desktop())
            return;
        std::vector<Window*> order;  // children before parents
        std::vector<Window*> pending{w};
        while (!pending.empty()) {
            Window* x = pending.back();
            pending.pop_back();
            order.push_back(x);
            pending.insert(pending.end(), x->children.begin(), x->children.end());
        }
        std::reverse(order.begin(), order.end());
        for (Window* x : order) {
            freed.emplace_back(x->hwnd, x->queue);
            RemoveFromTable(x);
        }
    }
    for (auto& [h, q] : freed)
        PurgeQueueOf(q, h);
}

std::vector<HWND> ChildrenOf(HWND hwnd) {
    std::vector<HWND> result;
    std::lock_guard lock(TreeMutex());
    if (Window* w = Lookup(hwnd)) {
        for (Window* c : w->children)
            result.push_back(c->hwnd);
    }
    return result;
}

void SendDestroyTree(HWND hwnd) {
    if (!IsWindow(hwnd))
        return;
    Send(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : ChildrenOf(hwnd))
        SendDestroyTree(child);
}

void SendNcDestroyTree(HWND hwnd) {
    for (HWND child : ChildrenOf(hwnd))
        SendNcDestroyTree(child);
    if (!IsWindow(hwnd))
        return;
    Send(hwnd, WM_NCDESTROY, 0, 0);
    FreeWindow(hwnd);
}

void ApplyInitialState(HWND hwnd, DWORD style) {
    const bool maximize = (style & WS_MAXIMIZE) != 0;
    const bool minimize = !maximize && (style & WS_MINIMIZE);
    if (!(style & WS_VISIBLE)) {
        if (maximize || minimize)
            PlaceHidden(hwnd, maximize);
        return;
    }
    ShowWindow(hwnd, maximize ? SW_SHOWMAXIMIZED : minimize ? SW_SHOWMINIMIZED : SW_SHOW);
}

}  // namespace

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int cx, int cy, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    auto queue = CurrentQueuePtr();
    DefaultPlacement(style, x, y, cx, cy);
    HWND hwnd = nullptr;
    bool sizeLimits = false;
    {
        std::lock_guard lock(TreeMutex());
        auto cls = FindClass(className);
        if (!cls)
            return nullptr;
        Window* parentWindow = &Desktop();
        Window* owner = nullptr;
        if (style & WS_CHILD) {
            parentWindow = Lookup(parent);
            if (!parentWindow)
                return nullptr;
        } else if (parent) {
            Window* o = Lookup(parent);
            if (!o)
                return nullptr;
            owner = o == &Desktop() ? nullptr : TopLevelOf(o);
        }
        auto w = std::make_unique<Window>();
        w->cls = cls;
        w->queue = queue;
        w->threadId = queue->ThreadId();
        // Visibility and the minimised/maximised state are applied after WM_CREATE.
        w->style = style & ~(WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
        w->exStyle = exStyle;
        if (IsOverlapped(style)) {
            w->style |= WS_CAPTION | WS_CLIPSIBLINGS;
            w->exStyle |= WS_EX_WINDOWEDGE;
        }
        w->id = reinterpret_cast<UINT_PTR>(menu);
        w->instance = instance;
        w->proc = cls->proc;
        w->extra.assign(static_cast<size_t>(cls->wndExtra), 0);
        w->rect = RECT{x, y, x + std::max(cx, 0), y + std::max(cy, 0)};
        w->normalRect = w->rect;
        w->client = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
        ++cls->liveWindows;
        Window* raw = w.get();
        hwnd = AddToTable(std::move(w));
        raw->owner = owner;
        if (style & WS_CHILD) {
            // New children go to the bottom: z-order is creation order, which dialogs use as
            // their tab order.
            LinkChild(parentWindow, raw, true);
        } else {
            LinkChild(parentWindow, raw, false);
            PlaceInZOrder(raw, HWND_TOP, false);
            sizeLimits = (style & WS_THICKFRAME) || IsOverlapped(style);
        }
    }

    if (sizeLimits) {
        MINMAXINFO mmi = QueryMinMaxInfo(hwnd);
        cx = std::clamp<int>(cx, mmi.ptMinTrackSize.x,
                             std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
        cy = std::clamp<int>(cy, mmi.ptMinTrackSize.y,
                             std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
        std::lock_guard lock(TreeMutex());
        if (Window* w = Lookup(hwnd)) {
            w->rect = RECT{x, y, x + cx, y + cy};
            w->normalRect = w->rect;
            w->client = RECT{0, 0, cx, cy};
        }
    }

    CREATESTRUCT cs{param,      instance,  menu,   parent, cy, cx, y, x, static_cast<LONG>(style),
                    windowName, className, exStyle};
    if (!Send(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (IsWindow(hwnd)) {
            Send(hwnd, WM_NCDESTROY, 0, 0);
            FreeWindow(hwnd);
        }
        return nullptr;
    }
    RECT r{};
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w)
            return nullptr;
        r = w->rect;
    }
    Send(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
    RECT client{};
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w)
            return nullptr;
        w->client = RECT{r.left - w->rect.left, r.top - w->rect.top, r.right - w->rect.left,
                         r.bottom - w->rect.top};
        client = w->client;
        r = RECT{w->rect.left + client.left, w->rect.top + client.top, 0, 0};
    }
    if (Send(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w)
            return nullptr;
        if (w->stage == WindowStage::Creating)
            w->stage = WindowStage::Alive;
        client = w->client;
        POINT origin{w->rect.left + client.left, w->rect.top + client.top};
        r = RECT{origin.x, origin.y, 0, 0};
    }
    Send(hwnd, WM_SIZE, SIZE_RESTORED,
         MAKELPARAM(client.right - client.left, client.bottom - client.top));
    Send(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(r.left), static_cast<WORD>(r.top)));
    if (style & WS_CHILD)
        SendParentNotify(hwnd, WM_CREATE);
    if (IsWindow(hwnd))
        ApplyInitialState(hwnd, style);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int cx, int cy,
                  HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    return CreateWindowEx(0, className, windowName, style, x, y, cx, cy, parent, menu, instance,
                          param);
}

BOOL DestroyWindow(HWND hwnd) {
    std::vector<HWND> owned;
    bool visible = false;
    bool notifyParent = false;
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w || w == &Desktop() || !w->queue || !w->queue->IsOwnerThread() ||
            w->stage == WindowStage::Destroying)
            return FALSE;
        std::vector<Window*> pending{w};
        while (!pending.empty()) {
            Window* x = pending.back();
            pending.pop_back();
            x->stage = WindowStage::Destroying;
            pending.insert(pending.end(), x->children.begin(), x->children.end());
        }
        for (Window* top : Desktop().children) {
            if (top->owner == w)
                owned.push_back(top->hwnd);
        }
        visible = (w->style & WS_VISIBLE) != 0;
        notifyParent = w->IsChild() && !(w->exStyle & WS_EX_NOPARENTNOTIFY);
    }
    for (HWND o : owned)
        DestroyWindow(o);
    if (visible) {
        SetWindowPosImpl(hwnd, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    MoveInputAwayFrom(hwnd, false);
    if (notifyParent)
        SendParentNotify(hwnd, WM_DESTROY);
    SendDestroyTree(hwnd);
    SendNcDestroyTree(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) {
    std::lock_guard lock(TreeMutex());
    return Lookup(hwnd) ? TRUE : FALSE;
}

namespace kq::ui::detail {

void SendParentNotify(HWND child, UINT event) {
    HWND target = nullptr;
    UINT_PTR id = 0;
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(child);
        if (!w || !w->IsChild() || (w->exStyle & WS_EX_NOPARENTNOTIFY))
            return;
        id = w->id;
        target = w->parent ? w->parent->hwnd : nullptr;
    }
    const WPARAM wParam = MAKEWPARAM(event, static_cast<DWORD>(id));
    // Each parent is told; a parent that is itself a child passes it on unless it opted out.
    while (target) {
        Send(target, WM_PARENTNOTIFY, wParam, reinterpret_cast<LPARAM>(child));
        std::lock_guard lock(TreeMutex());
        Window* p = Lookup(target);
        if (!p || !p->IsChild() || (p->exStyle & WS_EX_NOPARENTNOTIFY) || !p->parent)
            break;
        target = p->parent->hwnd;
    }
}

void TearDownThread(ThreadQueue& queue) {
    std::deque<std::shared_ptr<SentMessage>> waiting;
    {
        std::lock_guard lock(queue.mutex);
        queue.alive = false;
        waiting.swap(queue.incoming);
        queue.posted.clear();
        queue.timers.clear();
        queue.fdSources.clear();
        queue.highResTimers.clear();
        queue.input.clear();
    }
    for (auto& sm : waiting) {
        sm->done.store(true);
        sm->sender->Wake();
    }
    std::vector<HWND> windows;
    {
        std::lock_guard lock(TreeMutex());
        for (Window* w : WindowsOfThread(queue.ThreadId()))
            windows.push_back(w->hwnd);
    }
    for (HWND hwnd : windows)
        FreeWindow(hwnd);
}

}  // namespace kq::ui::detail
