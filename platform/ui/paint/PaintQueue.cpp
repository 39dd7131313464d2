#include "platform/ui/paint/PaintQueue.h"

#include "platform/base/Clock.h"
#include "platform/ui/Messages.h"
#include "platform/ui/detail/Delivery.h"
#include "platform/ui/paint/Invalidation.h"
#include "platform/ui/paint/ScreenSurface.h"

namespace kq::ui::detail {
namespace {

struct Pick {
    HWND hwnd = nullptr;
    bool frame = false;
};

bool Owes(const Window& w) {
    return w.paint.frame || w.paint.internal || !w.paint.update.IsEmpty();
}

// Depth first from the desktop: a parent before its children, the bottom of a z-order before
// the top (so that unclipped siblings end up stacked right). Hidden subtrees are skipped whole.
bool FindToPaint(const Window& w, const ThreadQueue& q, const MessageFilter& f, Pick* pick) {
    if (!(w.style & WS_VISIBLE) || w.paint.redrawOff)
        return false;
    if (w.queue.get() == &q && Owes(w) && f.AdmitsWindow(w.hwnd)) {
        *pick = Pick{w.hwnd, w.paint.frame};
        return true;
    }
    for (auto it = w.children.rbegin(); it != w.children.rend(); ++it) {
        if (FindToPaint(**it, q, f, pick))
            return true;
    }
    return false;
}

Pick NextToPaintLocked(const ThreadQueue& q, const MessageFilter& f) {
    Pick pick;
    for (auto it = Desktop().children.rbegin(); it != Desktop().children.rend(); ++it) {
        if (FindToPaint(**it, q, f, &pick))
            break;
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
            if (!w) {
                PrunePaintCandidatesLocked();
                break;
            }
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
