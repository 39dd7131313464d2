#include "platform/ui/nonclient/InputTracker.h"

#include "platform/ui/Focus.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/detail/Retrieve.h"

namespace kq::ui::detail {
namespace {

struct Tracking {
    bool active = false;
    InputTracker tracker;
};

thread_local Tracking t_tracking;

void End() {
    if (!t_tracking.active)
        return;
    t_tracking.active = false;
    InputTracker ended = std::move(t_tracking.tracker);
    t_tracking.tracker = InputTracker{};
    if (GetCapture() == ended.hwnd)
        ReleaseCapture();
    if (ended.onEnd)
        ended.onEnd();
}

bool StillHeld() {
    return IsWindow(t_tracking.tracker.hwnd) && GetCapture() == t_tracking.tracker.hwnd;
}

}  // namespace

void StartInputTracker(InputTracker tracker) {
    End();
    t_tracking.tracker = std::move(tracker);
    t_tracking.active = true;
    SetCapture(t_tracking.tracker.hwnd);
    if (!StillHeld())
        End();
}

void FeedInputTracker(ThreadQueue& q) {
    if (!t_tracking.active)
        return;
    const MessageFilter all(nullptr, 0, 0);
    MSG msg;
    while (t_tracking.active) {
        if (!StillHeld()) {
            End();
            return;
        }
        if (!TakeInputMessage(q, all, true, &msg))
            return;
        auto onInput = t_tracking.tracker.onInput;
        if (!onInput || !onInput(msg))
            End();
    }
}

}  // namespace kq::ui::detail
