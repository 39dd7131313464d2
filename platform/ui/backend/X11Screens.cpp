#include "platform/ui/backend/X11Screens.h"

#include "platform/ui/backend/X11Replies.h"

#include <cstdio>
#include <cstdlib>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

namespace kq::ui::detail {
namespace {

constexpr SIZE kSmallestScreen{1024, 768};

std::vector<MonitorConfig> FromRandR(Display* display) {
    std::vector<MonitorConfig> monitors;
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) ||
        !XRRQueryVersion(display, &major, &minor) || (major == 1 && minor < 5))
        return monitors;
    int count = 0;
    XRRMonitorInfo* info = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
    if (!info)
        return monitors;
    for (int i = 0; i < count; ++i) {
        const RECT r{info[i].x, info[i].y, info[i].x + info[i].width, info[i].y + info[i].height};
        if (info[i].primary)
            monitors.insert(monitors.begin(), MonitorConfig{r, r});
        else
            monitors.push_back(MonitorConfig{r, r});
    }
    XRRFreeMonitors(info);
    return monitors;
}

std::vector<MonitorConfig> FromXinerama(Display* display) {
    std::vector<MonitorConfig> monitors;
    int eventBase = 0;
    int errorBase = 0;
    if (!XineramaQueryExtension(display, &eventBase, &errorBase) || !XineramaIsActive(display))
        return monitors;
    int count = 0;
    XineramaScreenInfo* screens = XineramaQueryScreens(display, &count);
    if (!screens)
        return monitors;
    for (int i = 0; i < count; ++i) {
        const RECT r{screens[i].x_org, screens[i].y_org, screens[i].x_org + screens[i].width,
                     screens[i].y_org + screens[i].height};
        monitors.push_back(MonitorConfig{r, r});
    }
    XFree(screens);
    return monitors;
}

// The current desktop's work area, or false when the window manager publishes none.
bool ReadWorkArea(Display* display, RECT& area) {
    const ::Window root = DefaultRootWindow(display);
    const std::optional<unsigned long> desktop = CurrentDesktop(ReadItems32(
        display, root, XInternAtom(display, "_NET_CURRENT_DESKTOP", False), XA_CARDINAL, 1));
    if (!desktop)
        return false;
    const std::optional<RECT> work =
        WorkAreaOf(ReadItems32(display, root, XInternAtom(display, "_NET_WORKAREA", False),
                               XA_CARDINAL, 4 * (*desktop + 1)),
                   *desktop);
    if (work)
        area = *work;
    return work.has_value();
}

}  // namespace

std::vector<MonitorConfig> ReadX11Monitors(Display* display) {
    std::vector<MonitorConfig> monitors = FromRandR(display);
    if (monitors.empty())
        monitors = FromXinerama(display);
    if (monitors.empty()) {
        const int screen = DefaultScreen(display);
        const RECT r{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
        monitors.push_back(MonitorConfig{r, r});
    }
    RECT area{};
    if (ReadWorkArea(display, area)) {
        // One work area spans the monitors: each keeps its own part of it.
        for (MonitorConfig& m : monitors) {
            RECT work{};
            if (IntersectRect(&work, &m.monitor, &area))
                m.work = work;
        }
    }
    return monitors;
}

std::vector<MonitorConfig> MonitorsInWindow(const std::vector<MonitorConfig>& monitors,
                                            POINT origin, SIZE size, int scale) {
    const RECT window{0, 0, size.cx, size.cy};
    auto program = [scale](RECT r) {
        return RECT{r.left / scale, r.top / scale, r.right / scale, r.bottom / scale};
    };
    std::vector<MonitorConfig> shown;
    for (MonitorConfig m : monitors) {
        OffsetRect(&m.monitor, -origin.x, -origin.y);
        OffsetRect(&m.work, -origin.x, -origin.y);
        if (!IntersectRect(&m.monitor, &m.monitor, &window))
            continue;
        if (!IntersectRect(&m.work, &m.work, &m.monitor))
            m.work = m.monitor;
        shown.push_back(MonitorConfig{program(m.monitor), program(m.work)});
    }
    if (shown.empty())
        shown.push_back(MonitorConfig{program(window), program(window)});
    return shown;
}

int ReadX11Scale(Display* display) {
    if (const char* set = std::getenv("KQ7B_SCALE"); set && *set) {
        const int scale = std::atoi(set);
        if (scale >= 1 && scale <= 8)
            return scale;
        std::fprintf(stderr, "KQ7B_SCALE=%s is no scale from 1 to 8: the display's is used.\n",
                     set);
    }
    int scale = ScaleFromResources(XResourceManagerString(display));
    // No larger than leaves the program the screen it was made for.
    const int screen = DefaultScreen(display);
    while (scale > 1 && (DisplayWidth(display, screen) / scale < kSmallestScreen.cx ||
                         DisplayHeight(display, screen) / scale < kSmallestScreen.cy))
        --scale;
    return scale;
}

}  // namespace kq::ui::detail
