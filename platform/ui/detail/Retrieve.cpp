#include "platform/ui/detail/Retrieve.h"

#include <chrono>
#include <climits>
#include <utility>

#include "platform/base/Clock.h"
#include "platform/ui/Messages.h"
#include "platform/ui/detail/Delivery.h"
#include "platform/ui/detail/Window.h"
#include "platform/ui/nonclient/InputTracker.h"
#include "platform/ui/paint/PaintQueue.h"

namespace kq::ui::detail {
namespace {

bool TakePosted(ThreadQueue& q, const MessageFilter& f, bool remove, MSG* out) {
    std::lock_guard lock(q.mutex);
    for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
        if (!f.Admits(it->hwnd, it->message))
            continue;
        *out = *it;
        if (remove)
            q.posted.erase(it);
        return true;
    }
    return false;
}

bool TakeQuit(ThreadQueue& q, const MessageFilter& f, bool remove, MSG* out) {
    std::lock_guard lock(q.mutex);
    if (!q.quitPosted || !f.AdmitsMessage(WM_QUIT))
        return false;
    *out = MSG{nullptr,
               WM_QUIT,
               static_cast<WPARAM>(q.quitCode),
               0,
               static_cast<DWORD>(MonotonicMillis()),
               CursorPosition()};
    if (remove)
        q.quitPosted = false;
    return true;
}

int TimeoutUntil(int64_t dueNanos) {
    if (dueNanos == INT64_MAX)
        return -1;
    int64_t wait = dueNanos - CurrentClock().MonotonicNanos();
    if (wait <= 0)
        return 0;
    int64_t ms = (wait + 999999) / 1000000;
    return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

}  // namespace

MessageFilter::MessageFilter(HWND hwnd, UINT min, UINT max) : min_(min), max_(max) {
    if (hwnd == reinterpret_cast<HWND>(static_cast<intptr_t>(-1))) {
        any_ = false;
        threadOnly_ = true;
        return;
    }
    if (!hwnd)
        return;
    any_ = false;
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w || !w->queue || !w->queue->IsOwnerThread()) {
        valid_ = false;
        return;
    }
    std::vector<Window*> pending{w};
    while (!pending.empty()) {
        Window* x = pending.back();
        pending.pop_back();
        windows_.insert(x->hwnd);
        pending.insert(pending.end(), x->children.begin(), x->children.end());
    }
}

bool MessageFilter::AdmitsMessage(UINT message) const {
    if (min_ == 0 && max_ == 0)
        return true;
    return message >= min_ && message <= max_;
}

bool MessageFilter::AdmitsWindow(HWND hwnd) const {
    if (any_)
        return true;
    if (threadOnly_)
        return hwnd == nullptr;
    return windows_.count(hwnd) != 0;
}

bool MessageFilter::Admits(HWND hwnd, UINT message) const {
    return AdmitsMessage(message) && AdmitsWindow(hwnd);
}

bool RetrieveMessage(MSG* out, const MessageFilter& filter, UINT removeFlags, int timeoutMs) {
    ThreadQueue& q = CurrentQueue();
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        q.ArmWake();
        ServeIncomingSends(q);
        RunDueHighResTimers(q);
        const bool polled = !std::exchange(q.fdsJustPolled, false);
        if (polled)
            RunFdSources(q, 0);
        FeedInputTracker(q);
        if (TakePosted(q, filter, remove, out) || TakeQuit(q, filter, remove, out) ||
            TakeInputMessage(q, filter, remove, out) || TakePaintMessage(q, filter, remove, out) ||
            TakeTimerMessage(q, filter, remove, out)) {
            if (remove)
                q.lastMessage = *out;
            return true;
        }
        if (timeoutMs == 0) {
            // A look that found nothing right after polling: the wait that usually follows
            // need not poll again first. One that did not poll leaves the next one to.
            q.fdsJustPolled = polled;
            return false;
        }
        int wait = TimeoutUntil(std::min(NextTimerDue(q), NextHighResDue(q)));
        if (timeoutMs > 0) {
            auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::steady_clock::now() - start)
                             .count();
            if (spent >= timeoutMs)
                return false;
            int left = static_cast<int>(timeoutMs - spent);
            wait = wait < 0 ? left : std::min(wait, left);
        }
        RunFdSources(q, wait);
        q.fdsJustPolled = true;
    }
}

}  // namespace kq::ui::detail
