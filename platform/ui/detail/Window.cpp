#include "platform/ui/detail/Window.h"

#include <algorithm>
#include <atomic>
#include <unordered_map>

#include "platform/ui/Screen.h"

namespace kq::ui::detail {
namespace {

struct Table {
    std::mutex mutex;
    std::unordered_map<uintptr_t, std::unique_ptr<Window>> windows;
    // Handles are never reused, so a stale handle can never reach a newer window.
    uintptr_t nextHandle = 0x10010;
    Window* desktop = nullptr;
};

std::atomic<uint64_t> g_removed{0};

Table& GetTable() {
    static Table* table = new Table;  // outlives every thread's teardown
    return *table;
}

}  // namespace

bool Window::IsTopLevel() const {
    return parent != nullptr && parent == &Desktop();
}

std::mutex& TreeMutex() {
    return GetTable().mutex;
}

Window& Desktop() {
    Table& t = GetTable();
    if (!t.desktop) {
        auto desk = std::make_unique<Window>();
        auto cls = std::make_shared<WindowClass>();
        cls->name = "#32769";
        desk->cls = cls;
        desk->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        desk->stage = WindowStage::Alive;
        Window* raw = desk.get();
        raw->hwnd = reinterpret_cast<HWND>(t.nextHandle);
        t.nextHandle += 2;
        t.windows.emplace(reinterpret_cast<uintptr_t>(raw->hwnd), std::move(desk));
        t.desktop = raw;
    }
    RECT screen = VirtualScreenRect();
    t.desktop->rect = screen;
    t.desktop->client = {0, 0, screen.right - screen.left, screen.bottom - screen.top};
    return *t.desktop;
}

Window* Lookup(HWND hwnd) {
    if (!hwnd)
        return nullptr;
    Table& t = GetTable();
    auto it = t.windows.find(reinterpret_cast<uintptr_t>(hwnd));
    return it == t.windows.end() ? nullptr : it->second.get();
}

HWND AddToTable(std::unique_ptr<Window> window) {
    Table& t = GetTable();
    HWND hwnd = reinterpret_cast<HWND>(t.nextHandle);
    t.nextHandle += 2;
    window->hwnd = hwnd;
    t.windows.emplace(reinterpret_cast<uintptr_t>(hwnd), std::move(window));
    return hwnd;
}

void RemoveFromTable(Window* w) {
    Unlink(w);
    for (auto& [key, other] : GetTable().windows) {
        if (other->owner == w)
            other->owner = nullptr;
    }
    if (w->cls)
        --w->cls->liveWindows;
    GetTable().windows.erase(reinterpret_cast<uintptr_t>(w->hwnd));
    g_removed.fetch_add(1, std::memory_order_release);
}

uint64_t RemovedWindows() {
    return g_removed.load(std::memory_order_acquire);
}

std::vector<Window*> WindowsOfThread(DWORD threadId) {
    std::vector<Window*> result;
    for (auto& [key, w] : GetTable().windows) {
        if (w->queue && w->threadId == threadId)
            result.push_back(w.get());
    }
    return result;
}

Window* TopLevelOf(Window* w) {
    Window* desk = &Desktop();
    while (w && w->parent && w->parent != desk)
        w = w->parent;
    return w == desk ? nullptr : w;
}

bool IsDescendant(const Window* ancestor, const Window* w) {
    for (const Window* p = w ? w->parent : nullptr; p; p = p->parent) {
        if (p == ancestor)
            return true;
    }
    return false;
}

bool IsVisibleChain(const Window& w) {
    for (const Window* p = &w; p; p = p->parent) {
        if (!(p->style & WS_VISIBLE))
            return false;
    }
    return true;
}

bool IsEnabledChain(const Window& w) {
    Window* desk = &Desktop();
    for (const Window* p = &w; p && p != desk; p = p->parent) {
        if (p->style & WS_DISABLED)
            return false;
    }
    return true;
}

POINT ClientOriginOnScreen(const Window& w) {
    if (!w.parent)
        return POINT{0, 0};  // the desktop: top-level windows are placed in screen coordinates
    POINT origin = ClientOriginOnScreen(*w.parent);
    return POINT{origin.x + w.rect.left + w.client.left, origin.y + w.rect.top + w.client.top};
}

RECT WindowRectOnScreen(const Window& w) {
    if (!w.parent)
        return w.rect;
    POINT origin = ClientOriginOnScreen(*w.parent);
    RECT r = w.rect;
    OffsetRect(&r, origin.x, origin.y);
    return r;
}

RECT ClientRectOnScreen(const Window& w) {
    POINT origin = ClientOriginOnScreen(w);
    return RECT{origin.x, origin.y, origin.x + (w.client.right - w.client.left),
                origin.y + (w.client.bottom - w.client.top)};
}

void Unlink(Window* w) {
    if (!w->parent)
        return;
    auto& list = w->parent->children;
    list.erase(std::remove(list.begin(), list.end(), w), list.end());
    w->parent = nullptr;
}

void LinkChild(Window* parent, Window* w, bool atBottom) {
    w->parent = parent;
    if (atBottom)
        parent->children.push_back(w);
    else
        parent->children.insert(parent->children.begin(), w);
}

namespace {

bool IsTopmost(const Window* w) {
    return (w->exStyle & WS_EX_TOPMOST) != 0;
}

// Index of the first window in the list that is not topmost.
size_t EndOfTopmostBand(const std::vector<Window*>& list) {
    size_t i = 0;
    while (i < list.size() && IsTopmost(list[i]))
        ++i;
    return i;
}

bool IsOwnedBy(const Window* w, const Window* owner) {
    for (const Window* o = w->owner; o; o = o->owner) {
        if (o == owner)
            return true;
    }
    return false;
}

}  // namespace

void PlaceInZOrder(Window* w, HWND insertAfter, bool moveOwned) {
    Window* parent = w->parent;
    const bool topLevel = parent == &Desktop();
    auto& list = parent->children;
    list.erase(std::remove(list.begin(), list.end(), w), list.end());
    if (!topLevel && (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST))
        insertAfter = HWND_TOP;  // the topmost band exists only among top-level windows
    size_t index = 0;
    if (insertAfter == HWND_TOPMOST) {
        w->exStyle |= WS_EX_TOPMOST;
        index = 0;
    } else if (insertAfter == HWND_NOTOPMOST) {
        w->exStyle &= ~WS_EX_TOPMOST;
        index = EndOfTopmostBand(list);
    } else if (insertAfter == HWND_TOP) {
        index = !topLevel || IsTopmost(w) ? 0 : EndOfTopmostBand(list);
    } else if (insertAfter == HWND_BOTTOM) {
        if (topLevel)
            w->exStyle &= ~WS_EX_TOPMOST;
        index = list.size();
    } else {
        auto it = std::find_if(list.begin(), list.end(),
                               [&](Window* s) { return s->hwnd == insertAfter; });
        index = it == list.end() ? 0 : static_cast<size_t>(it - list.begin()) + 1;
        if (topLevel) {
            // A window never leaves its band by being placed behind a sibling.
            size_t band = EndOfTopmostBand(list);
            if (IsTopmost(w))
                index = std::min(index, band);
            else
                index = std::max(index, band);
        }
    }
    if (topLevel && w->owner) {
        // An owned window stays above its owner.
        auto ownerIt = std::find(list.begin(), list.end(), w->owner);
        if (ownerIt != list.end())
            index = std::min(index, static_cast<size_t>(ownerIt - list.begin()));
    }
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(index), w);
    if (!moveOwned || !topLevel)
        return;
    // Windows owned by w follow it to sit directly above it, in their present order.
    std::vector<Window*> owned;
    for (Window* s : list) {
        if (s != w && IsOwnedBy(s, w))
            owned.push_back(s);
    }
    if (owned.empty())
        return;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](Window* s) {
                                  return std::find(owned.begin(), owned.end(), s) != owned.end();
                              }),
               list.end());
    auto at = std::find(list.begin(), list.end(), w);
    list.insert(at, owned.begin(), owned.end());
}

}  // namespace kq::ui::detail
