#include "Hands.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <thread>

namespace x11test {
namespace {

// Events a real device sends come some milliseconds apart.
void Pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
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
