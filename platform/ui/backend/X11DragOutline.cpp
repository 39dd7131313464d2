#include "platform/ui/backend/X11DragOutline.h"

#include <algorithm>

#include "platform/ui/backend/PixelScale.h"

// Xlib last: its macros (None, Bool, Status...) must not reach the headers above.
#include <X11/Xlib.h>

namespace kq::ui::detail {

X11DragOutline::X11DragOutline(Display* display, int scale) : display_(display), scale_(scale) {}

X11DragOutline::~X11DragOutline() {
    if (!display_)
        return;
    for (unsigned long side : sides_)
        if (side)
            XDestroyWindow(display_, side);
    if (dither_)
        XFreePixmap(display_, dither_);
}

unsigned long X11DragOutline::Pattern(bool halftone) {
    if (!halftone || dither_)
        return dither_;
    // Every other pixel black, the others white: the halftone brush's pattern.
    const int screen = DefaultScreen(display_);
    const Window root = RootWindow(display_, screen);
    dither_ =
        XCreatePixmap(display_, root, 2, 2, static_cast<unsigned>(DefaultDepth(display_, screen)));
    GC gc = XCreateGC(display_, dither_, 0, nullptr);
    XSetForeground(display_, gc, WhitePixel(display_, screen));
    XFillRectangle(display_, dither_, gc, 0, 0, 2, 2);
    XSetForeground(display_, gc, BlackPixel(display_, screen));
    XDrawPoint(display_, dither_, gc, 0, 0);
    XDrawPoint(display_, dither_, gc, 1, 1);
    XFreeGC(display_, gc);
    return dither_;
}

void X11DragOutline::Show(const RECT& rect, SIZE thickness, bool halftone) {
    if (!display_)
        return;
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0 || thickness.cx <= 0 || thickness.cy <= 0) {
        if (shown_)
            for (unsigned long side : sides_)
                XUnmapWindow(display_, side);
        shown_ = false;
        return;
    }
    // A frame thicker than half the rectangle is the whole rectangle.
    const LONG cx = std::min<LONG>(thickness.cx, (width + 1) / 2);
    const LONG cy = std::min<LONG>(thickness.cy, (height + 1) / 2);
    const RECT parts[4] = {{rect.left, rect.top, rect.right, rect.top + cy},
                           {rect.left, rect.bottom - cy, rect.right, rect.bottom},
                           {rect.left, rect.top + cy, rect.left + cx, rect.bottom - cy},
                           {rect.right - cx, rect.top + cy, rect.right, rect.bottom - cy}};
    const int screen = DefaultScreen(display_);
    const unsigned long pattern = Pattern(halftone);
    for (int i = 0; i < 4; ++i) {
        if (!sides_[i]) {
            XSetWindowAttributes attributes{};
            attributes.override_redirect = True;
            attributes.save_under = True;
            sides_[i] = XCreateWindow(display_, RootWindow(display_, screen), 0, 0, 1, 1, 0,
                                      CopyFromParent, InputOutput, CopyFromParent,
                                      CWOverrideRedirect | CWSaveUnder, &attributes);
        }
        if (halftone)
            XSetWindowBackgroundPixmap(display_, sides_[i], pattern);
        else
            XSetWindowBackground(display_, sides_[i], BlackPixel(display_, screen));
        const RECT r = ScaledUp(parts[i], scale_);
        if (r.right <= r.left || r.bottom <= r.top) {
            XUnmapWindow(display_, sides_[i]);
            continue;
        }
        XMoveResizeWindow(display_, sides_[i], r.left, r.top,
                          static_cast<unsigned>(r.right - r.left),
                          static_cast<unsigned>(r.bottom - r.top));
        XClearWindow(display_, sides_[i]);
        XMapRaised(display_, sides_[i]);
    }
    shown_ = true;
    XFlush(display_);
}

}  // namespace kq::ui::detail
