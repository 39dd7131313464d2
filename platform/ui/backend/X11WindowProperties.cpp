#include "platform/ui/backend/X11WindowProperties.h"

#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace kq::ui::detail {

void SetProgramProperties(Display* display, unsigned long window, const std::string& title) {
    char name[] = "kq7b";
    char programClass[] = "KQ7-B";
    XClassHint hint{name, programClass};
    XSetClassHint(display, window, &hint);
    XStoreName(display, window, title.c_str());
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(title.data()),
                    static_cast<int>(title.size()));
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

void SetIcon(Display* display, unsigned long window, const std::vector<uint32_t>& pixels, int width,
             int height) {
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * height)
        return;
    // Format 32 is a C long per item, whatever its size.
    std::vector<long> data;
    data.reserve(pixels.size() + 2);
    data.push_back(width);
    data.push_back(height);
    for (uint32_t p : pixels)
        data.push_back(static_cast<long>(p));
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(data.data()),
                    static_cast<int>(data.size()));
}

namespace {

void ChangeNormalHints(Display* display, unsigned long window, long flags, int a, int b) {
    XSizeHints* hints = XAllocSizeHints();
    if (!hints)
        return;
    long supplied = 0;
    XGetWMNormalHints(display, window, hints, &supplied);
    hints->flags |= flags;
    if (flags == PMinSize) {
        hints->min_width = a;
        hints->min_height = b;
    } else {
        hints->x = a;
        hints->y = b;
    }
    XSetWMNormalHints(display, window, hints);
    XFree(hints);
}

}  // namespace

void SetMinimumSize(Display* display, unsigned long window, int width, int height) {
    ChangeNormalHints(display, window, PMinSize, width, height);
}

void SetPosition(Display* display, unsigned long window, int x, int y) {
    ChangeNormalHints(display, window, USPosition, x, y);
}

}  // namespace kq::ui::detail
