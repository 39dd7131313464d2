// The keyboard of an X display as the operator's layout types on it: an X input method composes
// dead keys and compose sequences (the desktop's own method where $XMODIFIERS names one, else
// Xlib's built-in one with the locale's compose table), an input context per X window, and
// key presses looked up as UTF-8 text.
#pragma once

#include <map>
#include <string>

struct _XDisplay;
struct _XIM;
struct _XIC;
union _XEvent;

namespace kq::ui::detail {

class X11Keyboard {
  public:
    explicit X11Keyboard(_XDisplay* display);
    ~X11Keyboard();
    X11Keyboard(const X11Keyboard&) = delete;
    X11Keyboard& operator=(const X11Keyboard&) = delete;

    // Keys typed into the window go through the input method from now on / no longer.
    void AddWindow(unsigned long window);
    void RemoveWindow(unsigned long window);
    // The window gained or lost the keyboard focus.
    void Focus(unsigned long window, bool in);
    // True when the input method took the event (a step of a compose sequence): nothing else
    // may handle it. Every event goes through here first.
    bool Filter(_XEvent& event);

    struct Typed {
        unsigned long keysym = 0;  // 0: the input method's text without a key
        std::string text;          // UTF-8
    };
    // A key event's symbol (with its modifiers) and, for a press, the text it types.
    Typed LookUp(_XEvent& event);

  private:
    _XIM* im_ = nullptr;
    std::map<unsigned long, _XIC*> contexts_;
};

}  // namespace kq::ui::detail
