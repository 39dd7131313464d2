#include "platform/ui/backend/X11Selections.h"

#include <poll.h>

#include <chrono>

#include "platform/base/Cp1252Fit.h"
#include "platform/base/Utf8.h"
#include "platform/ui/backend/X11Replies.h"
#include "platform/ui/detail/ThreadQueue.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace kq::ui::detail {
namespace {

// Another program that takes longer than this to answer has nothing to paste.
constexpr auto kAnswerWait = std::chrono::milliseconds(1500);
constexpr size_t kMostText = size_t{16} << 20;

std::string Latin1ToUtf8(const std::string& latin1) {
    std::string text;
    for (char c : latin1)
        AppendUtf8(text, static_cast<unsigned char>(c));
    return text;
}

std::string Utf8ToLatin1(const std::string& utf8) {
    std::string text;
    for (const CodePoint& cp : DecodeUtf8(utf8))
        text += cp.value <= 0xFF ? static_cast<char>(cp.value) : '?';
    return text;
}

}  // namespace

size_t X11Selections::MaxRequestBytes() const {
    long units = XExtendedMaxRequestSize(display_);
    if (units == 0)
        units = XMaxRequestSize(display_);
    return static_cast<size_t>(units) * 4;
}

X11Selections::X11Selections(Display* display, std::function<void()> afterRead)
    : display_(display), afterRead_(std::move(afterRead)), thread_(CurrentThreadId()) {
    XSetWindowAttributes attributes{};
    window_ = XCreateWindow(display_, DefaultRootWindow(display_), -10, -10, 1, 1, 0, 0, InputOnly,
                            CopyFromParent, 0, &attributes);
    XSelectInput(display_, window_, PropertyChangeMask);
    clipboard_ = XInternAtom(display_, "CLIPBOARD", False);
    targets_ = XInternAtom(display_, "TARGETS", False);
    utf8_ = XInternAtom(display_, "UTF8_STRING", False);
    text_ = XInternAtom(display_, "TEXT", False);
    incr_ = XInternAtom(display_, "INCR", False);
    property_ = XInternAtom(display_, "KQ7B_SELECTION", False);
    SetDesktopSelections(this);
}

X11Selections::~X11Selections() {
    SetDesktopSelections(nullptr);
    XDestroyWindow(display_, window_);
}

bool X11Selections::OnOwnThread() const {
    return !lost_ && CurrentThreadId() == thread_;
}

unsigned long X11Selections::SelectionAtom(Selection which) const {
    return which == Selection::Clipboard ? clipboard_ : XA_PRIMARY;
}

void X11Selections::Claim(Selection which) {
    if (!OnOwnThread())
        return;
    const int index = static_cast<int>(which);
    if (owns_[index])
        return;
    XSetSelectionOwner(display_, SelectionAtom(which), window_, time_);
    owns_[index] = XGetSelectionOwner(display_, SelectionAtom(which)) == window_;
}

bool X11Selections::ReadForeign(Selection which, std::optional<std::string>& text) {
    text.reset();
    if (!OnOwnThread() || owns_[static_cast<int>(which)])
        return false;
    if (XGetSelectionOwner(display_, SelectionAtom(which)) == None)
        return true;
    if (auto utf8 = Convert(SelectionAtom(which), utf8_))
        text = std::move(utf8);
    else if (auto latin1 = Convert(SelectionAtom(which), XA_STRING))
        text = Latin1ToUtf8(*latin1);
    if (afterRead_)
        afterRead_();
    // The program's texts are 8-bit: a character code page 1252 cannot hold is refused
    // audibly rather than pasted as '?'.
    if (text && !FitsCp1252(*text)) {
        XBell(display_, 0);
        text.reset();
    }
    return true;
}

std::optional<std::string> X11Selections::Convert(unsigned long selection, unsigned long target) {
    XDeleteProperty(display_, window_, property_);
    XConvertSelection(display_, selection, target, property_, window_, time_ ? time_ : CurrentTime);
    XFlush(display_);
    const auto deadline = std::chrono::steady_clock::now() + kAnswerWait;
    XEvent event;
    while (!XCheckTypedWindowEvent(display_, window_, SelectionNotify, &event)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || lost_)
            return std::nullopt;
        pollfd p{ConnectionNumber(display_), POLLIN, 0};
        poll(&p, 1, static_cast<int>(left.count()));
        XEventsQueued(display_, QueuedAfterReading);
    }
    if (event.xselection.property == None)
        return std::nullopt;
    // Texts up to 16 MB in one piece; the incremental transfer of larger ones is not taken.
    unsigned long type = None;
    std::optional<std::string> text = TakeBytes8(display_, window_, property_, kMostText, &type);
    if (type == incr_)
        text.reset();
    return text;
}

bool X11Selections::Handle(XEvent& event) {
    switch (event.type) {
        case SelectionRequest:
            Answer(event);
            return true;
        case SelectionClear:
            if (event.xselectionclear.window != window_)
                return false;
            if (event.xselectionclear.selection == clipboard_)
                owns_[static_cast<int>(Selection::Clipboard)] = false;
            else if (event.xselectionclear.selection == XA_PRIMARY)
                owns_[static_cast<int>(Selection::Primary)] = false;
            return true;
        default:
            return false;
    }
}

void X11Selections::Answer(XEvent& event) {
    const XSelectionRequestEvent& request = event.xselectionrequest;
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.display = request.display;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.time = request.time;
    reply.xselection.property = None;
    // Old clients name no property: the target is the property then.
    const unsigned long property = request.property != None ? request.property : request.target;
    const bool clipboard = request.selection == clipboard_;
    const Selection which = clipboard ? Selection::Clipboard : Selection::Primary;
    const std::optional<std::string> offered =
        request.owner == window_ && (clipboard || request.selection == XA_PRIMARY) &&
                owns_[static_cast<int>(which)]
            ? OfferedText(which)
            : std::nullopt;
    if (offered) {
        if (request.target == targets_) {
            const unsigned long targets[] = {targets_, utf8_, text_, XA_STRING};
            XChangeProperty(display_, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(targets), 4);
            reply.xselection.property = property;
        } else if (request.target == utf8_ || request.target == text_ ||
                   request.target == XA_STRING) {
            const bool latin1 = request.target == XA_STRING;
            const std::string text = latin1 ? Utf8ToLatin1(*offered) : *offered;
            // A text larger than one request would need the incremental transfer: refused.
            if (text.size() + 64 > MaxRequestBytes()) {
                XSendEvent(display_, request.requestor, False, NoEventMask, &reply);
                XFlush(display_);
                return;
            }
            XChangeProperty(display_, request.requestor, property, latin1 ? XA_STRING : utf8_, 8,
                            PropModeReplace, reinterpret_cast<const unsigned char*>(text.data()),
                            static_cast<int>(text.size()));
            reply.xselection.property = property;
        }
    }
    XSendEvent(display_, request.requestor, False, NoEventMask, &reply);
    XFlush(display_);
}

}  // namespace kq::ui::detail
