#include "platform/ui/backend/X11WindowProperties.h"

#include <unistd.h>

#include <algorithm>

#include "platform/gfx/ImageBridge.h"
#include "platform/ui/ProgramIcon.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace kq::ui::detail {

void SetProgramProperties(Display* display, unsigned long window, const std::string& title) {
    char name[] = "kq7b";
    char programClass[] = "KQ7-B";
    XClassHint hint{name, programClass};
    XSetClassHint(display, window, &hint);
    SetTitle(display, window, title);
    const long pid = getpid();
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0) {
        char* hosts[] = {host};
        XTextProperty machine{};
        if (XStringListToTextProperty(hosts, 1, &machine)) {
            XSetWMClientMachine(display, window, &machine);
            XFree(machine.value);
        }
    }
}

void SetTitle(Display* display, unsigned long window, const std::string& title) {
    XStoreName(display, window, title.c_str());
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(title.data()),
                    static_cast<int>(title.size()));
}

void SetRole(Display* display, unsigned long window, WindowKind kind, unsigned long owner,
             bool modal) {
    const char* type = kind == WindowKind::Dialog    ? "_NET_WM_WINDOW_TYPE_DIALOG"
                       : kind == WindowKind::Utility ? "_NET_WM_WINDOW_TYPE_UTILITY"
                                                     : "_NET_WM_WINDOW_TYPE_NORMAL";
    const Atom typeAtom = XInternAtom(display, type, False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM,
                    32, PropModeReplace, reinterpret_cast<const unsigned char*>(&typeAtom), 1);
    if (owner)
        XSetTransientForHint(display, window, owner);
    else
        XDeleteProperty(display, window, XA_WM_TRANSIENT_FOR);
    const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    if (modal) {
        const Atom modalAtom = XInternAtom(display, "_NET_WM_STATE_MODAL", False);
        XChangeProperty(display, window, state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&modalAtom), 1);
    } else {
        XDeleteProperty(display, window, state);
    }
}

void SetAbilities(Display* display, unsigned long window, const WindowAbilities& can) {
    // The desktops' common hint: flags, functions, decorations, input mode, status.
    constexpr long kFunctionsGiven = 1;
    constexpr long kDecorationsGiven = 2;
    constexpr long kResize = 2;
    constexpr long kMove = 4;
    constexpr long kMinimize = 8;
    constexpr long kMaximize = 16;
    constexpr long kClose = 32;
    constexpr long kBorder = 2;
    constexpr long kResizeHandles = 4;
    constexpr long kTitle = 8;
    constexpr long kMenu = 16;
    constexpr long kMinimizeButton = 32;
    constexpr long kMaximizeButton = 64;
    const long functions = kMove | kClose | (can.sizable ? kResize : 0) |
                           (can.minimizable ? kMinimize : 0) | (can.maximizable ? kMaximize : 0);
    const long decorations = can.decorated
                                 ? kBorder | kTitle | kMenu | (can.sizable ? kResizeHandles : 0) |
                                       (can.minimizable ? kMinimizeButton : 0) |
                                       (can.maximizable ? kMaximizeButton : 0)
                                 : 0;
    const long hints[5] = {kFunctionsGiven | kDecorationsGiven, functions, decorations, 0, 0};
    const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, window, motif, motif, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(hints), 5);
}

void SetWindowHints(Display* display, unsigned long window, unsigned long leader, bool urgent) {
    XWMHints* hints = XAllocWMHints();
    if (!hints)
        return;
    hints->flags = InputHint | StateHint | WindowGroupHint | (urgent ? XUrgencyHint : 0L);
    hints->input = True;
    hints->initial_state = NormalState;
    hints->window_group = leader;
    XSetWMHints(display, window, hints);
    XFree(hints);
    XChangeProperty(display, window, XInternAtom(display, "WM_CLIENT_LEADER", False), XA_WINDOW, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&leader), 1);
}

bool SetProgramIcons(Display* display, unsigned long window) {
    // Each size as its width, its height and its pixels 0xAARRGGBB row by row; format 32 is a C
    // long per item, whatever its size.
    std::vector<long> data;
    for (HICON icon : ProgramIcons()) {
        const kq::gfx::Image image = kq::gfx::ImageFromIcon(icon);
        if (image.width <= 0 || image.height <= 0 ||
            image.pixels.size() != static_cast<size_t>(image.width) * image.height)
            continue;
        data.push_back(image.width);
        data.push_back(image.height);
        for (uint32_t p : image.pixels)
            data.push_back(static_cast<long>(p));
    }
    if (data.empty())
        return false;
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(data.data()),
                    static_cast<int>(data.size()));
    return true;
}

namespace {

void ChangeNormalHints(Display* display, unsigned long window, long flags, int x, int y,
                       int minWidth, int minHeight) {
    // The size the window may not leave (PMaxSize) is its minimum size.
    XSizeHints* hints = XAllocSizeHints();
    if (!hints)
        return;
    long supplied = 0;
    XGetWMNormalHints(display, window, hints, &supplied);
    hints->flags |= flags;
    if (flags & PMinSize) {
        hints->min_width = minWidth;
        hints->min_height = minHeight;
    }
    if (flags & PMaxSize) {
        hints->max_width = minWidth;
        hints->max_height = minHeight;
    }
    if (flags & USPosition) {
        hints->x = x;
        hints->y = y;
    }
    if (flags & PWinGravity)
        hints->win_gravity = StaticGravity;
    XSetWMNormalHints(display, window, hints);
    XFree(hints);
}

}  // namespace

void SetMinimumSize(Display* display, unsigned long window, int width, int height) {
    ChangeNormalHints(display, window, PMinSize, 0, 0, width, height);
}

void SetPosition(Display* display, unsigned long window, int x, int y) {
    ChangeNormalHints(display, window, USPosition, x, y, 0, 0);
}

void SetPlacement(Display* display, unsigned long window, POINT at, SIZE minimum, bool fixed) {
    ChangeNormalHints(display, window,
                      USPosition | PWinGravity | PMinSize | (fixed ? PMaxSize : 0L), at.x, at.y,
                      std::max<int>(minimum.cx, 1), std::max<int>(minimum.cy, 1));
}

}  // namespace kq::ui::detail
