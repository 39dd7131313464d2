#include "platform/ui/WindowTree.h"

#include <unistd.h>

#include <algorithm>

#include "platform/ui/Messages.h"
#include "platform/ui/detail/Delivery.h"
#include "platform/ui/detail/Window.h"
#include "platform/ui/detail/WindowOps.h"

using namespace kq::ui::detail;

namespace {

// Each child, then its own descendants, then its next sibling.
void AddDescendants(const Window* root, std::vector<HWND>& result) {
    for (const Window* c : root->children) {
        result.push_back(c->hwnd);
        AddDescendants(c, result);
    }
}

void AddDescendantsEnteringHidden(const Window* root, const std::function<bool(HWND)>& enterHidden,
                                  std::vector<HWND>& result) {
    for (const Window* c : root->children) {
        result.push_back(c->hwnd);
        if (!c->children.empty() && ((c->style & WS_VISIBLE) || enterHidden(c->hwnd)))
            AddDescendantsEnteringHidden(c, enterHidden, result);
    }
}

std::vector<HWND> Descendants(const Window* root) {
    std::vector<HWND> result;
    AddDescendants(root, result);
    return result;
}

// `removed`: RemovedWindows() when the list was taken. A window the callback destroyed (or any
// other) is looked for before its handle is passed on; while none was, every handle is live.
BOOL Enumerate(const std::vector<HWND>& list, uint64_t removed, WNDENUMPROC proc, LPARAM data) {
    for (HWND h : list) {
        bool alive = RemovedWindows() == removed;
        if (!alive) {
            std::lock_guard lock(TreeMutex());
            alive = Lookup(h) != nullptr;
        }
        if (alive && !proc(h, data))
            break;
    }
    return TRUE;
}

// Candidates at a screen point in the order the mouse asks them: within a level the children
// from the top of the z-order down, each after its own descendants (which count only inside its
// client area). The first that does not answer HTTRANSPARENT wins, so a transparent window
// passes the point on to whatever lies beneath it, its lower siblings first and then its parent:
// the controls framed by a group box stay clickable. A disabled child takes the point for its
// parent; nothing beneath it is asked.
void CollectCandidatesAt(const Window& level, POINT pt, std::vector<HWND>& out) {
    for (Window* c : level.children) {
        if (!(c->style & WS_VISIBLE))
            continue;
        RECT r = WindowRectOnScreen(*c);
        if (!PtInRect(&r, pt))
            continue;
        if (c->IsChild() && (c->style & WS_DISABLED))
            return;
        RECT client = ClientRectOnScreen(*c);
        if (PtInRect(&client, pt))
            CollectCandidatesAt(*c, pt, out);
        out.push_back(c->hwnd);
    }
}

std::vector<HWND> CandidatesAt(POINT pt) {
    std::vector<HWND> candidates;
    std::lock_guard lock(TreeMutex());
    CollectCandidatesAt(Desktop(), pt, candidates);
    return candidates;
}

}  // namespace

HWND GetParent(HWND hwnd) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w)
        return nullptr;
    if (w->IsChild())
        return w->parent && w->parent != &Desktop() ? w->parent->hwnd : nullptr;
    if ((w->style & WS_POPUP) && w->owner)
        return w->owner->hwnd;
    return nullptr;
}

HWND SetParent(HWND hwnd, HWND newParent) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    Window* p = newParent ? Lookup(newParent) : &Desktop();
    if (!w || !p || w == &Desktop() || p == w || IsDescendant(w, p))
        return nullptr;
    Window* old = w->parent;
    HWND oldHandle = old ? old->hwnd : nullptr;
    Unlink(w);
    LinkChild(p, w, false);
    if (p == &Desktop()) {
        w->owner = nullptr;
        PlaceInZOrder(w, HWND_TOP, false);
    }
    return oldHandle;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w || w == &Desktop())
        return nullptr;
    switch (flags) {
        case GA_PARENT:
            return w->parent ? w->parent->hwnd : nullptr;
        case GA_ROOT: {
            Window* top = TopLevelOf(w);
            return top ? top->hwnd : nullptr;
        }
        case GA_ROOTOWNER: {
            Window* top = TopLevelOf(w);
            while (top && top->owner)
                top = top->owner;
            return top ? top->hwnd : nullptr;
        }
        default:
            return nullptr;
    }
}

BOOL IsChild(HWND parent, HWND hwnd) {
    std::lock_guard lock(TreeMutex());
    Window* p = Lookup(parent);
    Window* w = Lookup(hwnd);
    if (!p || !w)
        return FALSE;
    // Only the chain of child windows counts, not ownership.
    for (Window* x = w; x && x->IsChild(); x = x->parent) {
        if (x->parent == p)
            return TRUE;
    }
    return FALSE;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w)
        return nullptr;
    if (cmd == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front()->hwnd;
    if (cmd == GW_OWNER)
        return w->owner ? w->owner->hwnd : nullptr;
    if (cmd == GW_ENABLEDPOPUP) {
        for (Window* top : Desktop().children) {
            if (top->owner == w && (top->style & WS_VISIBLE) && !(top->style & WS_DISABLED))
                return top->hwnd;
        }
        return nullptr;
    }
    if (!w->parent)
        return nullptr;
    const auto& list = w->parent->children;
    auto it = std::find(list.begin(), list.end(), w);
    switch (cmd) {
        case GW_HWNDFIRST:
            return list.front()->hwnd;
        case GW_HWNDLAST:
            return list.back()->hwnd;
        case GW_HWNDNEXT:
            return it + 1 != list.end() ? (*(it + 1))->hwnd : nullptr;
        case GW_HWNDPREV:
            return it != list.begin() ? (*(it - 1))->hwnd : nullptr;
        default:
            return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd) {
    return GetWindow(hwnd ? hwnd : GetDesktopWindow(), GW_CHILD);
}

HWND GetDesktopWindow() {
    std::lock_guard lock(TreeMutex());
    return Desktop().hwnd;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM data) {
    if (!proc)
        return FALSE;
    std::vector<HWND> list;
    uint64_t removed = 0;
    {
        std::lock_guard lock(TreeMutex());
        Window* p = parent ? Lookup(parent) : &Desktop();
        if (!p)
            return FALSE;
        list = Descendants(p);
        removed = RemovedWindows();
    }
    return Enumerate(list, removed, proc, data);
}

std::vector<HWND> kq::ui::DescendantsEnteringHidden(HWND parent,
                                                    const std::function<bool(HWND)>& enterHidden) {
    std::vector<HWND> result;
    std::lock_guard lock(TreeMutex());
    if (const Window* p = parent ? Lookup(parent) : &Desktop())
        AddDescendantsEnteringHidden(p, enterHidden, result);
    return result;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM data) {
    if (!proc)
        return FALSE;
    std::vector<HWND> list;
    uint64_t removed = 0;
    {
        std::lock_guard lock(TreeMutex());
        for (Window* w : Desktop().children)
            list.push_back(w->hwnd);
        removed = RemovedWindows();
    }
    return Enumerate(list, removed, proc, data);
}

HWND GetDlgItem(HWND dialog, int id) {
    std::lock_guard lock(TreeMutex());
    Window* d = Lookup(dialog);
    if (!d)
        return nullptr;
    for (Window* c : d->children) {
        if (static_cast<int>(c->id) == id)
            return c->hwnd;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    return w && w->IsChild() ? static_cast<int>(w->id) : 0;
}

DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w)
        return 0;
    if (processId)
        *processId = static_cast<DWORD>(getpid());
    return w->threadId;
}

HWND WindowFromPoint(POINT pt) {
    LRESULT hit;
    return kq::ui::detail::WindowAndHitAt(pt, &hit);
}

namespace kq::ui::detail {

HWND WindowAndHitAt(POINT pt, LRESULT* hit) {
    *hit = HTNOWHERE;
    for (HWND candidate : CandidatesAt(pt)) {
        *hit = SendInternal(candidate, WM_NCHITTEST, 0,
                            MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)), nullptr);
        if (*hit != HTTRANSPARENT)
            return candidate;
    }
    *hit = HTNOWHERE;
    return nullptr;
}

}  // namespace kq::ui::detail

HWND ChildWindowFromPoint(HWND parent, POINT pt) {
    return ChildWindowFromPointEx(parent, pt, CWP_ALL);
}

HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags) {
    std::lock_guard lock(TreeMutex());
    Window* p = Lookup(parent);
    if (!p)
        return nullptr;
    const int width = p->client.right - p->client.left;
    const int height = p->client.bottom - p->client.top;
    if (pt.x < 0 || pt.y < 0 || pt.x >= width || pt.y >= height)
        return nullptr;
    for (Window* c : p->children) {
        if ((flags & CWP_SKIPINVISIBLE) && !(c->style & WS_VISIBLE))
            continue;
        if ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED))
            continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (c->exStyle & WS_EX_TRANSPARENT))
            continue;
        if (PtInRect(&c->rect, pt))
            return c->hwnd;
    }
    return p->hwnd;
}
