// A drag outline over the whole desktop: four override-redirect X windows, one per side, at the
// outline's place above every other window, dithered black and white (or black) so that it
// shows on any background.
#pragma once

#include "platform/ui/UiTypes.h"

struct _XDisplay;

namespace kq::ui::detail {

class X11DragOutline {
  public:
    X11DragOutline(_XDisplay* display, int scale);
    ~X11DragOutline();
    X11DragOutline(const X11DragOutline&) = delete;
    X11DragOutline& operator=(const X11DragOutline&) = delete;

    // As kq::ui::ShowDragOutline: rect in the program's screen coordinates (the root window's
    // divided by the scale); empty hides it.
    void Show(const RECT& rect, SIZE thickness, bool halftone);
    // The connection is gone: nothing more is sent.
    void Abandon() { display_ = nullptr; }

  private:
    unsigned long Pattern(bool halftone);

    _XDisplay* display_;
    int scale_;
    unsigned long sides_[4] = {};
    unsigned long dither_ = 0;  // pixmap of the dithered outline
    bool shown_ = false;
};

}  // namespace kq::ui::detail
