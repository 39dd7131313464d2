// The x11 back end shows the virtual screen on an X display in one of two ways:
//
//   managed  (where a window manager runs) every top-level window is an X window of its own,
//            which the window manager decorates, moves, sizes and focuses (X11TopWindows);
//            the program's screen is the root window's, and each X window shows its part of it.
//   desktop  (without a window manager, or KQ7B_X11_MODE=desktop) one X window at the root
//            window's top left shows the whole screen, which takes the window's size and follows
//            it when the window is resized.
//
// Changed pixels are put into the windows once the GUI thread has nothing left to paint; the caret
// is laid over them as it blinks; the X server draws the mouse cursor in the shape the program set.
// Keys become virtual keys and UTF-8 text through the desktop's input method (X11Keyboard), the
// clipboard is the desktop's (X11Selections), buttons, motion and the wheel become mouse input,
// losing the keyboard focus deactivates the program (WM_ACTIVATEAPP FALSE), and closing the desktop
// mode's X window sends SC_CLOSE to the program's main window. The X connection is a descriptor
// source of the GUI loop.
//
// The X server losing the connection does not end the back end: the screen stays in memory,
// input stops, and the program hears of it (WhenDisplayLost).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/EventLoop.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiTypes.h"
#include "platform/ui/backend/BackEnd.h"
#include "platform/ui/backend/ShownPixels.h"
#include "platform/ui/backend/X11DragOutline.h"
#include "platform/ui/backend/X11Keyboard.h"
#include "platform/ui/backend/X11Selections.h"
#include "platform/ui/backend/X11SharedImage.h"
#include "platform/ui/backend/X11TopWindows.h"

struct _XDisplay;
struct _XImage;
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
    void WhenDisplayLost(std::function<void()> then) override { whenLost_ = std::move(then); }
    // The X window showing the screen in the desktop mode; 0 in the managed mode.
    unsigned long Window() const { return window_; }
    bool Managed() const { return tops_ != nullptr; }
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
    // The window's new size (in display pixels): the monitors it shows are the program's.
    void Resized(int width, int height, bool screensChanged = false);
    // The monitors or the work area changed.
    void ScreensChanged();
    void Present();
    void PutRect(const RECT& surfaceRect);
    // The screen's pixels of surface rectangles into the window: with onlyChanged those that
    // differ from what the window shows, else all of them.
    void PutSurface(const std::vector<RECT>& surfaceRects, bool onlyChanged);
    // The caret over the screen's pixels of its rectangle.
    void PutCaret(const RECT& surfaceRect);
    void PutPixels(const uint32_t* pixels, const RECT& surfaceRect);
    // An X image of a rectangle of the surface (display pixels) into every window showing a
    // part of it.
    void PutImage(_XImage* image, const RECT& displayRect);
    struct Target {
        unsigned long window;
        RECT rect;  // the part of the surface it shows, in display pixels
    };
    std::vector<Target> Targets() const;
    void PutWindowPixels(const uint32_t* pixels, const RECT& windowRect);
    // Pixels in a malloc'd buffer, which it takes over, into a rectangle of the window (sent
    // without a copy where the display takes the surface's format).
    void PutOwnedPixels(uint32_t* pixels, const RECT& windowRect);
    // A malloc'd copy of a block of the screen as the window shows it (scaled); null when
    // there is no memory or nothing to copy.
    uint32_t* CopyForDisplay(const uint32_t* first, ptrdiff_t stride, int width, int height) const;
    void FollowCursorShape();
    // The main window's minimum size (and icon) as the desktop's hints.
    void FollowMainWindow();
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
    std::function<void()> whenLost_;
    RECT caretShown_{};  // screen rectangle of the caret as last put on the display
    HCURSOR cursor_ = nullptr;
    std::map<int, unsigned long> cursors_;  // X font cursors by IDC_ id
    ShownPixels shown_;                     // what the X window shows, in surface coordinates
    SIZE shownSize_{};
    SIZE minSize_{};
    bool iconShown_ = false;
    int scale_ = 1;                        // display pixels per pixel of the program's screen
    std::vector<MonitorConfig> monitors_;  // the display's, in root coordinates
    int randrEvents_ = 0;
    unsigned long workAreaAtom_ = 0;
    // Pixels on their way to the window when the server shares memory with the program.
    std::unique_ptr<detail::X11SharedImage> shared_;
    std::unique_ptr<detail::X11Keyboard> keyboard_;
    std::unique_ptr<detail::X11Selections> selections_;
    std::unique_ptr<detail::X11TopWindows> tops_;      // the managed mode's windows
    std::unique_ptr<detail::X11DragOutline> outline_;  // the managed mode's drag outline
    bool appFocused_ = false;
    bool focusLeft_ = false;  // one of the managed windows lost the focus: to another program?
};

}  // namespace kq::ui
