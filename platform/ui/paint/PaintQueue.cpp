#include "platform/ui/paint/PaintQueue.h"

#include <algorithm>

#include "platform/base/Clock.h"
#include "platform/ui/Messages.h"
#include "platform/ui/detail/Delivery.h"
#include "platform/ui/paint/Invalidation.h"
#include "platform/ui/paint/ScreenSurface.h"

namespace kq::ui::detail {
namespace {

// Position in the window tree: per level, the place counted from the bottom of the z-order. A
// parent's key is a prefix of its children's, so it sorts first.
std::vector<size_t> PaintOrderKey(const Window& w) {
    std::vector<size_t> key;
    for (const Window* x = &w; x->parent; x = x->parent) {
        const auto& list = x->parent->children;
        auto it = std::find(list.begin(), list.end(), x);
        key.push_back(static_cast<size_t>(list.end() - it));
    }
    std::reverse(key.begin(), key.end());
    return key;
}

struct Pick {
    HWND hwnd = nullptr;
    bool frame = false;
};

Pick NextToPaintLocked(const ThreadQueue& q, const MessageFilter& f) {
    Pick pick;
    std::vector<size_t> best;
    for (HWND h : PaintCandidatesLocked()) {
        Window* w = Lookup(h);
        if (!w || w->queue.get() != &q || !f.AdmitsWindow(h) || !IsDrawable(*w))
            continue;
        std::vector<size_t> key = PaintOrderKey(*w);
        if (!pick.hwnd || key < best) {
            pick = Pick{h, w->paint.frame};
            best = std::move(key);
        }
    }
    return pick;
}

}  // namespace

bool TakePaintMessage(ThreadQueue& q, const MessageFilter& f, bool remove, MSG* out) {
    if (ScreenOutOfDate()) {
        std::lock_guard lock(TreeMutex());
        SyncScreenLocked();
    }
    while (f.AdmitsMessage(WM_PAINT) && AnyPaintPending()) {
        Pick pick;
        {
            std::lock_guard lock(TreeMutex());
            pick = NextToPaintLocked(q, f);
            Window* w = Lookup(pick.hwnd);
            if (!w)
                break;
            if (pick.frame)
                w->paint.frame = false;
            else if (remove)
                w->paint.internal = false;
            NotePaintStateLocked(*w);
        }
        if (pick.frame) {
            SendInternal(pick.hwnd, WM_NCPAINT, 1, 0, nullptr);
            continue;
        }
        *out = MSG{pick.hwnd,       WM_PAINT, 0, 0, static_cast<DWORD>(kq::MonotonicMillis()),
                   CursorPosition()};
        return true;
    }
    PresentScreenChanges();
    return false;
}

}  // namespace kq::ui::detail
