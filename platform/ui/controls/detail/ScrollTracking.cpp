#include "platform/ui/controls/detail/ScrollTracking.h"
#include "platform/ui/WinUser.h"

#include "platform/ui/Messaging.h"
#include "platform/ui/Timers.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/controls/detail/ScrollStore.h"

namespace kq::ui::detail {

ScrollGeometry ScrollTracking::Layout() const {
    ScrollState state = GetScrollState(config_.stateWindow, config_.bar);
    const int at = state.tracking ? state.trackPos : state.pos;
    const bool enabled = !config_.enabled || config_.enabled();
    return LayoutScrollBar(config_.barRect(), config_.vertical, state, at, enabled);
}

int ScrollTracking::Along(POINT pt) const {
    RECT bar = config_.barRect();
    return config_.vertical ? pt.y - bar.top : pt.x - bar.left;
}

void ScrollTracking::Send(WORD code, int pos) {
    if (!IsWindow(config_.notifyWindow))
        return;
    SendMessage(config_.notifyWindow, config_.message,
                MAKEWPARAM(code, static_cast<WORD>(static_cast<SHORT>(pos))), config_.lParam);
}

void ScrollTracking::SendFor(ScrollPart part) {
    switch (part) {
        case ScrollPart::LineUp:
            Send(SB_LINEUP);
            break;
        case ScrollPart::LineDown:
            Send(SB_LINEDOWN);
            break;
        case ScrollPart::PageUp:
            Send(SB_PAGEUP);
            break;
        case ScrollPart::PageDown:
            Send(SB_PAGEDOWN);
            break;
        default:
            break;
    }
}

void ScrollTracking::Changed() const {
    if (config_.changed)
        config_.changed();
}

bool ScrollTracking::Press(POINT pt) {
    if (Active())
        return false;
    ScrollGeometry g = Layout();
    ScrollPart part = HitScrollBar(g, pt);
    const ScrollState state = GetScrollState(config_.stateWindow, config_.bar);
    const bool enabled = !config_.enabled || config_.enabled();
    if (!enabled || part == ScrollPart::None)
        return false;
    if ((part == ScrollPart::LineUp && (state.disabledArrows & ESB_DISABLE_LTUP)) ||
        (part == ScrollPart::LineDown && (state.disabledArrows & ESB_DISABLE_RTDN)))
        return false;
    part_ = part;
    last_ = pt;
    if (part == ScrollPart::Thumb) {
        grab_ = Along(pt) - g.thumbStart;
        UpdateScrollState(config_.stateWindow, config_.bar, [](ScrollState& s) {
            s.tracking = true;
            s.trackPos = s.pos;
        });
        Changed();
        return true;
    }
    firstDelay_ = true;
    SetTimer(config_.timerWindow, kScrollTimerId, kScrollFirstDelayMs, nullptr);
    Changed();
    SendFor(part);
    return true;
}

void ScrollTracking::Move(POINT pt) {
    const ScrollPart before = Pressed();
    last_ = pt;
    if (part_ != ScrollPart::Thumb) {
        if (Pressed() != before)
            Changed();
        return;
    }
    ScrollGeometry g = Layout();
    ScrollState state = GetScrollState(config_.stateWindow, config_.bar);
    const int pos = PositionForThumb(g, state, Along(pt) - grab_);
    if (pos == state.trackPos)
        return;
    UpdateScrollState(config_.stateWindow, config_.bar,
                      [pos](ScrollState& s) { s.trackPos = pos; });
    Changed();
    Send(SB_THUMBTRACK, pos);
}

void ScrollTracking::Timer() {
    if (!Active() || part_ == ScrollPart::Thumb)
        return;
    if (firstDelay_) {
        firstDelay_ = false;
        SetTimer(config_.timerWindow, kScrollTimerId, kScrollRepeatMs, nullptr);
    }
    // Repeats only while the mouse stays on the part pressed; a page area under the mouse
    // disappears once the thumb has reached it.
    if (HitScrollBar(Layout(), last_) == part_)
        SendFor(part_);
}

void ScrollTracking::Finish(bool thumbPosition) {
    const ScrollPart part = part_;
    part_ = ScrollPart::None;
    KillTimer(config_.timerWindow, kScrollTimerId);
    if (part == ScrollPart::Thumb) {
        ScrollState state = UpdateScrollState(config_.stateWindow, config_.bar,
                                              [](ScrollState& s) { s.tracking = false; });
        if (thumbPosition)
            Send(SB_THUMBPOSITION, state.trackPos);
        UpdateScrollState(config_.stateWindow, config_.bar,
                          [](ScrollState& s) { s.trackPos = s.pos; });
    }
    Changed();
    Send(SB_ENDSCROLL);
}

void ScrollTracking::Release(POINT pt) {
    if (!Active())
        return;
    Move(pt);
    Finish(true);
}

ScrollPart ScrollTracking::Pressed() const {
    if (part_ == ScrollPart::None || part_ == ScrollPart::Thumb)
        return part_;
    return HitScrollBar(Layout(), last_) == part_ ? part_ : ScrollPart::None;
}

void ScrollTracking::Cancel() {
    if (Active())
        Finish(false);
}

}  // namespace kq::ui::detail
