// What a mouse press on a scroll bar sets going: the first SB_ code at once, repeats from a
// timer while the button stays down on the same part, thumb dragging, and SB_ENDSCROLL at the
// end. Used by the scroll-bar control (tracking in its own client coordinates) and by the
// tracker window of the window scroll bars (in screen coordinates).
#pragma once

#include <functional>

#include "platform/ui/controls/ScrollModel.h"

namespace kq::ui::detail {

constexpr UINT_PTR kScrollTimerId = 0xFFFA;
constexpr UINT kScrollFirstDelayMs = 300;
constexpr UINT kScrollRepeatMs = 50;

class ScrollTracking {
  public:
    struct Config {
        HWND timerWindow = nullptr;  // owns the repeat timer (WM_TIMER kScrollTimerId)
        HWND stateWindow = nullptr;  // whose scroll state, with `bar`
        int bar = SB_CTL;
        HWND notifyWindow = nullptr;  // gets `message` (WM_HSCROLL or WM_VSCROLL)
        UINT message = 0;
        LPARAM lParam = 0;  // the control, or 0 for a window's own bar
        bool vertical = true;
        std::function<RECT()> barRect;  // in the coordinates of the points given
        std::function<bool()> enabled;
        // Called whenever what the bar shows may have changed (a part pressed or released, the
        // thumb dragged).
        std::function<void()> changed;
    };

    explicit ScrollTracking(Config config) : config_(std::move(config)) {}

    // Starts tracking when the point hits an active part; false otherwise.
    bool Press(POINT pt);
    void Move(POINT pt);
    void Release(POINT pt);
    void Timer();
    // The capture was taken away: the action ends where it is.
    void Cancel();
    bool Active() const { return part_ != ScrollPart::None; }
    // The part shown pressed: the thumb while dragged, another part while the mouse is on it.
    ScrollPart Pressed() const;

  private:
    ScrollGeometry Layout() const;
    void Send(WORD code, int pos = 0);
    void SendFor(ScrollPart part);
    void Finish(bool thumbPosition);
    int Along(POINT pt) const;
    void Changed() const;

    Config config_;
    ScrollPart part_ = ScrollPart::None;
    POINT last_{};
    int grab_ = 0;  // where the thumb was taken, from its start
    bool firstDelay_ = true;
};

}  // namespace kq::ui::detail
