// The x11 back end: one X window shows the virtual screen (the screen takes the window's size
// and follows it when the window is resized). Changed pixels are put into the window once the
// GUI thread has nothing left to paint; the caret is laid over them as it blinks; the X
// server draws the mouse cursor in the shape the program set. Keys become virtual keys and
// UTF-8 text, buttons, motion and the wheel become mouse input, losing the keyboard focus
// deactivates the program (WM_ACTIVATEAPP FALSE), and closing the X window sends SC_CLOSE to
// the program's main window. The X connection is a descriptor source of the GUI loop.
//
// The X server losing the connection does not end the program: the screen stays in memory
// and input stops.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/EventLoop.h"
#include "platform/ui/UiTypes.h"
#include "platform/ui/backend/BackEnd.h"
#include "platform/ui/backend/ShownPixels.h"
#include "platform/ui/backend/X11SharedImage.h"

struct _XDisplay;
union _XEvent;

namespace kq::ui {

class X11BackEnd : public BackEnd {
  public:
    // Opens the display (empty: $DISPLAY) and shows the screen in a new window there; null
    // with the reason in *error when that fails.
    static std::unique_ptr<X11BackEnd> Open(const std::string& display, std::string* error);
    ~X11BackEnd() override;
    X11BackEnd(const X11BackEnd&) = delete;
    X11BackEnd& operator=(const X11BackEnd&) = delete;

    const char* Name() const override { return "x11"; }
    // The X window showing the screen.
    unsigned long Window() const { return window_; }
    // Waits until the X server has handled everything sent to it and handles the events it
    // sent back.
    void Sync();

  private:
    X11BackEnd() = default;
    bool Start(const std::string& display, std::string* error);
    void HandleEvents();
    // Wakes the loop for events Xlib has read while sending.
    void WakeForQueuedEvents();
    void Handle(_XEvent& event);
    void HandleKey(_XEvent& event, bool down);
    void Resized(int width, int height);
    void Present();
    void PutRect(const RECT& surfaceRect);
    // The screen's pixels of surface rectangles into the window: with onlyChanged those that
    // differ from what the window shows, else all of them.
    void PutSurface(const std::vector<RECT>& surfaceRects, bool onlyChanged);
    // The caret over the screen's pixels of its rectangle.
    void PutCaret(const RECT& surfaceRect);
    void PutPixels(const uint32_t* pixels, const RECT& surfaceRect);
    // The same for pixels in a malloc'd buffer, which it takes over (and sends without a copy
    // where the display takes the surface's format).
    void PutOwnedPixels(uint32_t* pixels, const RECT& surfaceRect);
    void FollowCursorShape();
    // The caret's blinking and moves and the mouse's shape are followed by a check every
    // kCaretCheckMs while there is something to follow: a caret, or a mouse that moved lately.
    // Input and presenting start the check; with nothing to follow it stops itself.
    void FollowCaretAndCursor();
    void CaretTick();
    void ConnectionLost();

    _XDisplay* display_ = nullptr;
    unsigned long window_ = 0;
    void* gc_ = nullptr;
    unsigned long deleteAtom_ = 0;
    FdSourceId source_ = 0;
    int queued_ = -1;  // eventfd: Xlib holds events that are no longer on the connection
    FdSourceId queuedSource_ = 0;
    UINT caretTimer_ = 0;
    int64_t lastInputNanos_ = 0;  // the last input event from the X server
    bool lost_ = false;
    RECT caretShown_{};  // screen rectangle of the caret as last put on the display
    HCURSOR cursor_ = nullptr;
    std::map<int, unsigned long> cursors_;  // X font cursors by IDC_ id
    ShownPixels shown_;                     // what the X window shows, in surface coordinates
    SIZE shownSize_{};
    // Pixels on their way to the window when the server shares memory with the program.
    std::unique_ptr<detail::X11SharedImage> shared_;
};

}  // namespace kq::ui
