#include "Hands.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace x11test {
namespace {

// Events a real device sends come some milliseconds apart.
void Pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The program's windows come and go while the hands look at them: a window that went away between
// finding it and asking about it answers "none" (the call fails) instead of ending the test run,
// which is what Xlib's own handler does.
int IgnoreVanishedWindows(Display* display, XErrorEvent* error) {
    if (error->error_code != BadWindow && error->error_code != BadDrawable) {
        char text[256] = {};
        XGetErrorText(display, error->error_code, text, sizeof text);
        std::fprintf(stderr, "X error on request %d: %s\n", error->request_code, text);
    }
    return 0;
}

}  // namespace

Hands::~Hands() {
    Close();
}

void Hands::Close() {
    if (display_ != nullptr)
        XCloseDisplay(display_);
    display_ = nullptr;
}

bool Hands::Open(const std::string& name) {
    display_ = XOpenDisplay(name.c_str());
    if (display_ == nullptr)
        return false;
    XSetErrorHandler(IgnoreVanishedWindows);
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) {
        XCloseDisplay(display_);
        display_ = nullptr;
        return false;
    }
    return true;
}

Box Hands::Screen() const {
    const int screen = DefaultScreen(display_);
    return Box{0, 0, DisplayWidth(display_, screen), DisplayHeight(display_, screen)};
}

void Hands::Flush() {
    XSync(display_, False);
}

void Hands::Move(int x, int y) {
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    Flush();
    Pause(5);
}

void Hands::Button(unsigned button, bool down) {
    XTestFakeButtonEvent(display_, button, down ? True : False, CurrentTime);
    Flush();
    Pause(5);
}

void Hands::Click(int x, int y, unsigned button) {
    Move(x, y);
    Button(button, true);
    Button(button, false);
}

void Hands::Drag(int fromX, int fromY, int toX, int toY) {
    Move(fromX, fromY);
    Button(1, true);
    constexpr int kSteps = 8;
    for (int i = 1; i <= kSteps; ++i)
        Move(fromX + (toX - fromX) * i / kSteps, fromY + (toY - fromY) * i / kSteps);
    Button(1, false);
}

void Hands::Wheel(int x, int y, int notches) {
    Move(x, y);
    const unsigned button = notches > 0 ? 4 : 5;
    for (int i = 0; i < (notches > 0 ? notches : -notches); ++i) {
        Button(button, true);
        Button(button, false);
    }
}

void Hands::KeyCode(unsigned code, bool down) {
    XTestFakeKeyEvent(display_, code, down ? True : False, CurrentTime);
    Flush();
    Pause(5);
}

void Hands::Key(const char* name, std::initializer_list<const char*> held) {
    for (const char* h : held)
        KeyCode(XKeysymToKeycode(display_, XStringToKeysym(h)), true);
    const unsigned code = XKeysymToKeycode(display_, XStringToKeysym(name));
    KeyCode(code, true);
    KeyCode(code, false);
    for (const char* h : held)
        KeyCode(XKeysymToKeycode(display_, XStringToKeysym(h)), false);
}

void Hands::Type(const std::string& text) {
    const unsigned shift = XKeysymToKeycode(display_, XK_Shift_L);
    for (char c : text) {
        const KeySym sym = static_cast<unsigned char>(c);
        const ::KeyCode code = XKeysymToKeycode(display_, sym);
        if (code == 0)
            continue;
        // The symbol on the key's first level needs no shift.
        int per = 0;
        KeySym* syms = XGetKeyboardMapping(display_, code, 1, &per);
        const bool shifted = syms != nullptr && per > 0 && syms[0] != sym;
        if (syms != nullptr)
            XFree(syms);
        if (shifted)
            KeyCode(shift, true);
        KeyCode(code, true);
        KeyCode(code, false);
        if (shifted)
            KeyCode(shift, false);
    }
}

void Hands::SetMonitors(const std::vector<Box>& monitors) {
    const Window root = DefaultRootWindow(display_);
    XRRScreenResources* resources = XRRGetScreenResources(display_, root);
    for (size_t i = 0; i < monitors.size(); ++i) {
        // The last monitor takes the screen's one output, so that the whole-screen monitor the
        // server made of it gives way.
        const bool last = i + 1 == monitors.size();
        XRRMonitorInfo* info = XRRAllocateMonitor(display_, last && resources ? 1 : 0);
        const std::string name = "KQ" + std::to_string(i);
        info->name = XInternAtom(display_, name.c_str(), False);
        info->primary = i == 0 ? True : False;
        info->x = monitors[i].left;
        info->y = monitors[i].top;
        info->width = monitors[i].Width();
        info->height = monitors[i].Height();
        info->mwidth = monitors[i].Width() * 254 / 960;  // 96 dpi
        info->mheight = monitors[i].Height() * 254 / 960;
        if (last && resources && resources->noutput > 0)
            info->outputs[0] = resources->outputs[0];
        XRRSetMonitor(display_, root, info);
        XRRFreeMonitors(info);
    }
    if (resources)
        XRRFreeScreenResources(resources);
    Flush();
}

void Hands::SetResources(const std::string& text) {
    XChangeProperty(display_, DefaultRootWindow(display_), XA_RESOURCE_MANAGER, XA_STRING, 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(text.data()),
                    static_cast<int>(text.size()));
    Flush();
}

bool Hands::WindowManagerRuns() const {
    const Atom check = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const bool runs =
        XGetWindowProperty(display_, DefaultRootWindow(display_), check, 0, 1, False, XA_WINDOW,
                           &type, &format, &count, &after, &data) == Success &&
        count == 1;
    if (data != nullptr)
        XFree(data);
    return runs;
}

unsigned long Hands::ActiveWindow() const {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    unsigned long active = 0;
    if (XGetWindowProperty(display_, DefaultRootWindow(display_),
                           XInternAtom(display_, "_NET_ACTIVE_WINDOW", False), 0, 1, False,
                           XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
        count == 1 && format == 32)
        active = reinterpret_cast<unsigned long*>(data)[0];
    if (data != nullptr)
        XFree(data);
    return active;
}

Box Hands::WindowBox(unsigned long window) const {
    XWindowAttributes attributes{};
    int x = 0;
    int y = 0;
    Window child = 0;
    if (window == 0 || !XGetWindowAttributes(display_, window, &attributes) ||
        attributes.map_state != IsViewable ||
        !XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child))
        return Box{};
    return Box{x, y, x + attributes.width, y + attributes.height};
}

void Hands::CloseWindow(unsigned long window) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(display_, "_NET_CLOSE_WINDOW", False);
    e.xclient.format = 32;
    e.xclient.data.l[1] = 2;  // a pager's request, as a user's
    XSendEvent(display_, DefaultRootWindow(display_), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &e);
    Flush();
}

bool Hands::AnswersPing(unsigned long window, int ms) {
    const Window root = DefaultRootWindow(display_);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, root, &attributes);
    // The answer goes to the root window, where the window manager hears it.
    XSelectInput(display_, root, attributes.your_event_mask | SubstructureNotifyMask);
    const Atom ping = XInternAtom(display_, "_NET_WM_PING", False);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(ping);
    e.xclient.data.l[1] = 4242;
    e.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(display_, window, False, NoEventMask, &e);
    Flush();
    bool answered = false;
    for (int waited = 0; !answered && waited < ms; waited += 20) {
        XEvent r{};
        while (!answered && XCheckTypedEvent(display_, ClientMessage, &r)) {
            answered = r.xclient.window == root && r.xclient.data.l[0] == static_cast<long>(ping) &&
                       r.xclient.data.l[2] == static_cast<long>(window);
        }
        if (!answered)
            Pause(20);
    }
    XSelectInput(display_, root, attributes.your_event_mask);
    XSync(display_, True);
    return answered;
}

unsigned long Hands::WindowOfClass(const std::string& name) const {
    // The window itself, or a child of a window manager's frame.
    std::vector<Window> look{DefaultRootWindow(display_)};
    for (int depth = 0; depth < 3 && !look.empty(); ++depth) {
        std::vector<Window> next;
        for (Window w : look) {
            Window root = 0;
            Window parent = 0;
            Window* children = nullptr;
            unsigned count = 0;
            if (!XQueryTree(display_, w, &root, &parent, &children, &count))
                continue;
            for (unsigned i = 0; i < count; ++i) {
                XClassHint hint{};
                if (XGetClassHint(display_, children[i], &hint)) {
                    const bool found = hint.res_name != nullptr && name == hint.res_name;
                    XFree(hint.res_name);
                    XFree(hint.res_class);
                    if (found) {
                        const Window window = children[i];
                        XFree(children);
                        return window;
                    }
                }
                next.push_back(children[i]);
            }
            if (children != nullptr)
                XFree(children);
        }
        look = std::move(next);
    }
    return 0;
}

Picture Hands::Grab(const Box& wanted) const {
    Picture picture;
    const Box box = Intersection(wanted, Screen());
    if (box.Empty())
        return picture;
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), box.left, box.top,
                              static_cast<unsigned>(box.Width()),
                              static_cast<unsigned>(box.Height()), AllPlanes, ZPixmap);
    if (image == nullptr)
        return picture;
    picture.box = box;
    picture.pixels.resize(static_cast<size_t>(box.Width()) * static_cast<size_t>(box.Height()));
    const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
    for (int y = 0; y < box.Height(); ++y) {
        uint32_t* row = &picture.pixels[static_cast<size_t>(y * box.Width())];
        const auto* data =
            reinterpret_cast<const uint32_t*>(image->data + y * image->bytes_per_line);
        for (int x = 0; x < box.Width(); ++x)
            row[x] = (direct ? data[x] : static_cast<uint32_t>(XGetPixel(image, x, y))) & 0xFFFFFF;
    }
    XDestroyImage(image);
    return picture;
}

}  // namespace x11test
