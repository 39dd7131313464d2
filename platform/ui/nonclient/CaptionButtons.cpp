#include "platform/ui/nonclient/CaptionButtons.h"

#include "platform/ui/Focus.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/WindowShow.h"
#include "platform/ui/detail/Window.h"
#include "platform/ui/nonclient/InputTracker.h"
#include "platform/ui/nonclient/NonClientPaint.h"

#include <memory>

namespace kq::ui::detail {
namespace {

bool Enabled(HWND hwnd, LRESULT hit) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w)
        return false;
    switch (hit) {
        case HTCLOSE:
            return (w->style & WS_SYSMENU) && !(w->cls && (w->cls->style & CS_NOCLOSE));
        case HTMAXBUTTON:
            return (w->style & WS_MAXIMIZEBOX) != 0;
        case HTMINBUTTON:
            return (w->style & (WS_MINIMIZEBOX | WS_MINIMIZE)) != 0;
        default:
            return false;
    }
}

WPARAM CommandFor(HWND hwnd, LRESULT hit) {
    switch (hit) {
        case HTCLOSE:
            return SC_CLOSE;
        case HTMAXBUTTON:
            return IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE;
        default:
            return IsIconic(hwnd) ? SC_RESTORE : SC_MINIMIZE;
    }
}

LRESULT HitAt(HWND hwnd, POINT pt) {
    return SendMessage(hwnd, WM_NCHITTEST, 0,
                       MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
}

}  // namespace

void TrackCaptionButton(HWND hwnd, LRESULT hit) {
    if (!Enabled(hwnd, hit))
        return;
    struct State {
        bool over = true;
        bool released = false;
    };
    auto state = std::make_shared<State>();
    InputTracker tracker;
    tracker.hwnd = hwnd;
    tracker.onInput = [hwnd, hit, state](const MSG& msg) {
        if (msg.message == WM_MOUSEMOVE) {
            const bool now = HitAt(hwnd, msg.pt) == hit;
            if (now != state->over) {
                state->over = now;
                SetPushedCaptionButton(hwnd, now ? hit : 0);
            }
            return true;
        }
        if (msg.message == WM_LBUTTONUP) {
            state->over = HitAt(hwnd, msg.pt) == hit;
            state->released = true;
            return false;
        }
        return true;
    };
    tracker.onEnd = [hwnd, hit, state] {
        if (!IsWindow(hwnd))
            return;
        SetPushedCaptionButton(hwnd, 0);
        if (state->released && state->over)
            SendMessage(hwnd, WM_SYSCOMMAND, CommandFor(hwnd, hit), 0);
    };
    SetPushedCaptionButton(hwnd, hit);
    StartInputTracker(std::move(tracker));
}

}  // namespace kq::ui::detail
