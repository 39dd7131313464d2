#include "platform/ui/backend/X11Keyboard.h"

#include <clocale>
#include <string>

#include "platform/base/Utf8.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace kq::ui::detail {
namespace {

// The input method reads its compose table for the character type of the locale it opens in:
// the operator's where that is a UTF-8 one X knows, else C.UTF-8. The program's own locale is
// restored after; the method keeps the one it opened with.
XIM OpenInputMethod(Display* display) {
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    const std::string before = current ? current : "C";
    const char* chosen = std::setlocale(LC_CTYPE, "");
    const std::string name = chosen ? chosen : "";
    const bool utf8 =
        name.find("UTF-8") != std::string::npos || name.find("utf8") != std::string::npos;
    if (!chosen || !utf8 || !XSupportsLocale())
        std::setlocale(LC_CTYPE, "C.UTF-8");
    XIM im = nullptr;
    if (XSupportsLocale()) {
        if (XSetLocaleModifiers(""))
            im = XOpenIM(display, nullptr, nullptr, nullptr);
        // A desktop method named in $XMODIFIERS that is not running: the built-in one.
        if (!im && XSetLocaleModifiers("@im=none"))
            im = XOpenIM(display, nullptr, nullptr, nullptr);
    }
    std::setlocale(LC_CTYPE, before.c_str());
    return im;
}

}  // namespace

X11Keyboard::X11Keyboard(Display* display) : im_(OpenInputMethod(display)) {}

X11Keyboard::~X11Keyboard() {
    for (auto& [window, ic] : contexts_)
        XDestroyIC(ic);
    if (im_)
        XCloseIM(im_);
}

void X11Keyboard::AddWindow(unsigned long window) {
    if (!im_ || contexts_.count(window))
        return;
    XIC ic = XCreateIC(im_, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow,
                       window, XNFocusWindow, window, nullptr);
    if (!ic)
        return;
    contexts_[window] = ic;
    // A desktop input method may need events of its own through the window.
    Display* display = XDisplayOfIM(im_);
    long wanted = 0;
    XWindowAttributes attributes{};
    if (XGetICValues(ic, XNFilterEvents, &wanted, nullptr) == nullptr && wanted != 0 &&
        XGetWindowAttributes(display, window, &attributes))
        XSelectInput(display, window, attributes.your_event_mask | wanted);
}

void X11Keyboard::RemoveWindow(unsigned long window) {
    auto it = contexts_.find(window);
    if (it == contexts_.end())
        return;
    XDestroyIC(it->second);
    contexts_.erase(it);
}

void X11Keyboard::Focus(unsigned long window, bool in) {
    auto it = contexts_.find(window);
    if (it == contexts_.end())
        return;
    if (in)
        XSetICFocus(it->second);
    else
        XUnsetICFocus(it->second);
}

bool X11Keyboard::Filter(XEvent& event) {
    return XFilterEvent(&event, 0) == True;
}

X11Keyboard::Typed X11Keyboard::LookUp(XEvent& event) {
    Typed typed;
    KeySym keysym = NoSymbol;
    char buffer[64] = {};
    auto it = contexts_.find(event.xkey.window);
    if (event.type != KeyPress || it == contexts_.end()) {
        // Without a method the press types Latin-1.
        const int length = XLookupString(&event.xkey, buffer, sizeof buffer, &keysym, nullptr);
        typed.keysym = keysym;
        if (event.type == KeyPress) {
            for (int i = 0; i < length; ++i)
                kq::AppendUtf8(typed.text, static_cast<unsigned char>(buffer[i]));
        }
        return typed;
    }
    Status status = 0;
    std::string text(sizeof buffer, '\0');
    int length = Xutf8LookupString(it->second, &event.xkey, text.data(),
                                   static_cast<int>(text.size()), &keysym, &status);
    if (status == XBufferOverflow) {
        text.assign(static_cast<size_t>(length), '\0');
        length = Xutf8LookupString(it->second, &event.xkey, text.data(), length, &keysym, &status);
    }
    if (status == XLookupChars || status == XLookupBoth)
        typed.text = text.substr(0, static_cast<size_t>(length > 0 ? length : 0));
    if (status == XLookupKeySym || status == XLookupBoth)
        typed.keysym = keysym;
    return typed;
}

}  // namespace kq::ui::detail
