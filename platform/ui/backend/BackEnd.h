// The back end shows the virtual screen and feeds the user's input into the window system.
//
//   headless  the screen stays in memory; input comes from kq::ui::Inject... (tests).
//   x11       the screen shows on an X display: each top-level window an X window of its own
//             under a window manager, else one X window for the whole screen (X11BackEnd);
//             keyboard, mouse, expose, resize and focus come from the X server through the GUI
//             loop.
//
// StartBackEnd chooses on the calling thread, which must be the GUI thread:
//   option "headless" or "x11" (or "x11:<display>") forces one; an empty option takes the
//   KQ7B_BACKEND environment variable (headless|x11) if set, else x11 when $DISPLAY is set and
//   the display opens, else headless with a message on stderr saying why. A forced x11 that
//   cannot open its display gives null, after saying why on stderr.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace kq::ui {

class BackEnd {
  public:
    virtual ~BackEnd() = default;
    // "headless" or "x11".
    virtual const char* Name() const = 0;
    // What to do once the display has gone (the X server ended or dropped the connection):
    // the operator can no longer reach the program, which is to close. Runs once, on the GUI
    // thread; a back end without a display never runs it.
    virtual void WhenDisplayLost(std::function<void()> then) { (void)then; }
};

std::unique_ptr<BackEnd> StartBackEnd(const std::string& option = {});

}  // namespace kq::ui
