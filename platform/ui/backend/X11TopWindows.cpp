#include "platform/ui/backend/X11TopWindows.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/base/CodePage1252.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Styles.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowData.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/WindowPos.h"
#include "platform/ui/WindowShow.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/backend/X11Replies.h"
#include "platform/ui/backend/X11WindowProperties.h"
#include "platform/ui/detail/NonClient.h"
#include "platform/ui/detail/WindowOps.h"
#include "platform/ui/menu/MenuApi.h"

// Xlib last: its macros (None, Bool, Status...) must not reach the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace kq::ui::detail {
namespace {

constexpr long kNormalState = 1;
constexpr long kIconicState = 3;
// _NET_WM_STATE's actions and the source of a request: an application.
constexpr long kRemove = 0;
constexpr long kAdd = 1;
constexpr long kFromApplication = 1;

bool HasCaption(HWND hwnd) {
    return (static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & WS_CAPTION) == WS_CAPTION;
}

// A tool window with a caption (a floating bar) keeps its own small caption and frame: dragging
// them is how it is docked again, with the program's outline showing where it will go, and
// sizing them sizes it as its layout allows. The window manager only stacks and focuses it.
bool DrawsOwnFrame(HWND hwnd) {
    return HasCaption(hwnd) &&
           (static_cast<DWORD>(GetWindowLong(hwnd, GWL_EXSTYLE)) & WS_EX_TOOLWINDOW);
}

// What the window manager's decoration takes the place of: the frame and the caption.
FrameInsets Decoration(HWND hwnd) {
    if (DrawsOwnFrame(hwnd))
        return FrameInsets{0, 0, 0, 0};
    const auto style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLong(hwnd, GWL_EXSTYLE));
    const int frame = FrameThickness(style, exStyle);
    const int caption =
        GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    return FrameInsets{frame, frame + caption, frame, frame};
}

bool IsMenu(HWND hwnd) {
    char name[16] = {};
    GetClassName(hwnd, name, sizeof name);
    return std::string_view(name) == kMenuWindowClass;
}

std::string TitleOf(HWND hwnd) {
    char text[256] = {};
    GetWindowText(hwnd, text, sizeof text);
    return kq::Cp1252ToUtf8(text);
}

// The nearest owner of a pop-up that has a caption is disabled: a modal dialog runs for it.
bool WaitsForDialog(HWND popup) {
    HWND owner = GetWindow(popup, GW_OWNER);
    while (owner && !HasCaption(owner))
        owner = GetWindow(owner, GW_OWNER);
    return owner && !IsWindowEnabled(owner);
}

// A visible, enabled window owned by the disabled one: the dialog that runs for it.
HWND EnabledPopupOf(HWND owner) {
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h != owner && IsWindowVisible(h) && IsWindowEnabled(h) && HasCaption(h) &&
            GetAncestor(h, GA_ROOTOWNER) == GetAncestor(owner, GA_ROOTOWNER))
            return h;
    }
    return nullptr;
}

unsigned long CheckWindowOf(Display* display, unsigned long window, ::Atom check) {
    const std::vector<unsigned long> named = ReadItems32(display, window, check, XA_WINDOW, 1);
    return named.empty() ? 0 : named.front();
}

}  // namespace

bool WantsManagedWindows(Display* display) {
    const char* mode = std::getenv("KQ7B_X11_MODE");
    if (mode && std::string_view(mode) == "desktop")
        return false;
    if (mode && std::string_view(mode) == "managed")
        return true;
    if (mode && *mode)
        std::fprintf(stderr, "KQ7B_X11_MODE=%s: expected managed or desktop.\n", mode);
    const ::Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    // A window manager that has gone leaves its property on the root window behind: its
    // check window names itself only while it lives.
    const XErrorHandler before = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const unsigned long named = CheckWindowOf(display, DefaultRootWindow(display), check);
    const bool runs = named && CheckWindowOf(display, named, check) == named;
    XSync(display, False);
    XSetErrorHandler(before);
    return runs;
}

X11TopWindows::X11TopWindows(Display* display, int scale, unsigned long background,
                             std::function<void(unsigned long, bool)> added)
    : display_(display), scale_(scale), background_(background), added_(std::move(added)) {
    // The group's leader: a window never shown that speaks for the program as a whole.
    leader_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), -10, -10, 1, 1, 0, 0, 0);
    SetProgramProperties(display_, leader_, "KQ7-B");
    SetWindowHints(display_, leader_, leader_, false);
}

X11TopWindows::~X11TopWindows() {
    while (!tops_.empty())
        Remove(tops_.size() - 1);
    if (display_)
        XDestroyWindow(display_, leader_);
}

unsigned long X11TopWindows::Intern(const char* name) {
    return XInternAtom(display_, name, False);
}

X11TopWindows::Top* X11TopWindows::FindWindow(HWND hwnd) {
    for (Top& top : tops_)
        if (top.hwnd == hwnd)
            return &top;
    return nullptr;
}

const X11TopWindows::Top* X11TopWindows::Find(unsigned long window) const {
    for (const Top& top : tops_)
        if (top.window == window)
            return &top;
    return nullptr;
}

X11TopWindows::Top& X11TopWindows::Add(HWND hwnd) {
    Top top;
    top.hwnd = hwnd;
    top.popup = !HasCaption(hwnd);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = background_;
    attributes.override_redirect = top.popup ? True : False;
    attributes.save_under = top.popup ? True : False;
    attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                            ButtonReleaseMask | PointerMotionMask | StructureNotifyMask |
                            FocusChangeMask | PropertyChangeMask;
    attributes.cursor = cursor_;
    const unsigned long mask =
        CWBackPixel | CWOverrideRedirect | CWSaveUnder | CWEventMask | (cursor_ ? CWCursor : 0UL);
    const int screen = DefaultScreen(display_);
    top.window = XCreateWindow(display_, RootWindow(display_, screen), 0, 0, 1, 1, 0,
                               CopyFromParent, InputOutput, CopyFromParent, mask, &attributes);
    if (!top.popup) {
        ::Atom protocols[] = {Intern("WM_DELETE_WINDOW"), Intern("_NET_WM_PING")};
        XSetWMProtocols(display_, top.window, protocols, 2);
        SetProgramProperties(display_, top.window, "");
        SetWindowHints(display_, top.window, leader_, false);
        SetProgramIcons(display_, top.window);
    }
    tops_.push_back(top);
    if (added_)
        added_(top.window, true);
    return tops_.back();
}

void X11TopWindows::Remove(size_t index) {
    const unsigned long window = tops_[index].window;
    if (activeShown_ == tops_[index].hwnd)
        activeShown_ = nullptr;
    if (grabbed_ == window)
        grabbed_ = 0;
    tops_.erase(tops_.begin() + static_cast<ptrdiff_t>(index));
    if (added_)
        added_(window, false);
    if (display_)
        XDestroyWindow(display_, window);
}

void X11TopWindows::SetCursor(unsigned long cursor) {
    cursor_ = cursor;
    for (const Top& top : tops_)
        XDefineCursor(display_, top.window, cursor);
}

void X11TopWindows::Follow() {
    if (!display_)
        return;
    std::vector<HWND> order;
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT))
        order.push_back(h);
    // A window that is no longer top-level (destroyed, or given a parent), or whose handle now
    // names a window of the other kind, gives up its X window.
    for (size_t i = tops_.size(); i-- > 0;) {
        if (std::find(order.begin(), order.end(), tops_[i].hwnd) == order.end() ||
            tops_[i].popup == HasCaption(tops_[i].hwnd))
            Remove(i);
    }
    // Bottom first, so that pop-ups mapped together stack as the tree has them.
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        FollowWindow(*it);
    FollowActivation();
    FollowMenuGrab();
}

RECT X11TopWindows::ShownRect(HWND hwnd) const {
    RECT r{};
    GetWindowRect(hwnd, &r);
    if (!HasCaption(hwnd))
        return r;
    const FrameInsets d = Decoration(hwnd);
    return RECT{r.left + d.left, r.top + d.top, std::max(r.left + d.left + 1, r.right - d.right),
                std::max(r.top + d.top + 1, r.bottom - d.bottom)};
}

void X11TopWindows::FollowWindow(HWND hwnd) {
    const bool visible = IsWindowVisible(hwnd) != FALSE;
    Top* top = FindWindow(hwnd);
    if (!top) {
        if (!visible)
            return;
        top = &Add(hwnd);
    }
    if (!visible) {
        if (top->mapped)
            Withdraw(*top);
        return;
    }
    // A pop-up stands back while a modal dialog runs for the window it belongs to, so that
    // nothing of it shows over the dialog.
    if (top->popup && WaitsForDialog(hwnd)) {
        if (top->mapped)
            Withdraw(*top);
        return;
    }
    // Owned windows stay icons while their owner is one; pop-ups go.
    const Top* owner = FindWindow(GetAncestor(hwnd, GA_ROOTOWNER));
    const bool ownerIconic = owner && owner != top && owner->iconic;
    if (IsIconic(hwnd) || (top->popup && ownerIconic)) {
        if (top->popup) {
            if (top->mapped)
                Withdraw(*top);
        } else if (top->mapped && !top->iconic) {
            XIconifyWindow(display_, top->window, DefaultScreen(display_));
            top->iconic = true;
            FollowOwnerIcon(*top);
        }
        return;
    }
    if (ownerIconic && top->iconic)
        return;
    if (!top->popup) {
        const std::string title = TitleOf(hwnd);
        if (title != top->title) {
            top->title = title;
            SetTitle(display_, top->window, title);
        }
        const bool zoomed = IsZoomed(hwnd) != FALSE;
        if (top->mapped && zoomed != top->zoomed && zoomed != top->maximized)
            AskMaximized(*top, zoomed);
        top->zoomed = zoomed;
    }
    if (!top->mapped) {
        Map(*top, ShownRect(hwnd));
        return;
    }
    if (top->iconic) {
        // The program restored it.
        XMapWindow(display_, top->window);
        top->iconic = false;
        FollowOwnerIcon(*top);
    }
    const RECT shown = ShownRect(hwnd);
    if (!EqualRect(&shown, &top->screen) && !top->maximized)
        MoveResize(*top, shown);
    if (!top->popup)
        FollowMinimumSize(*top, false);
}

void X11TopWindows::Map(Top& top, RECT shown) {
    if (!top.popup) {
        // The decorated window opens inside the work area of its monitor, no larger than it.
        RECT window{};
        GetWindowRect(top.hwnd, &window);
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfo(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &info);
        const RECT& work = info.rcWork;
        const LONG width = std::min(window.right - window.left, work.right - work.left);
        const LONG height = std::min(window.bottom - window.top, work.bottom - work.top);
        const LONG left = std::clamp(window.left, work.left, work.right - width);
        const LONG top_ = std::clamp(window.top, work.top, work.bottom - height);
        if (left != window.left || top_ != window.top || width != window.right - window.left ||
            height != window.bottom - window.top) {
            SetWindowPos(top.hwnd, nullptr, left, top_, width, height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            shown = ShownRect(top.hwnd);
        }
        // An owned window stays above the window the operator sees in its owner's place (a
        // hidden owner has no X window to stay above); a pop-up stands for its root owner.
        HWND owner = GetWindow(top.hwnd, GW_OWNER);
        // A window activated as it opens is no longer the active one's: the window the window
        // manager last had active stands in.
        HWND seen = OwnerInSight(owner, top.hwnd);
        if (!seen && owner && activeShown_ != top.hwnd)
            seen = activeShown_;
        const Top* ownerTop = seen ? FindWindow(seen) : nullptr;
        if (ownerTop && ownerTop->popup)
            ownerTop = FindWindow(GetAncestor(seen, GA_ROOTOWNER));
        if (ownerTop && (ownerTop->popup || !ownerTop->mapped || ownerTop == &top))
            ownerTop = nullptr;
        const auto exStyle = static_cast<DWORD>(GetWindowLong(top.hwnd, GWL_EXSTYLE));
        const WindowKind kind = !owner                         ? WindowKind::Normal
                                : (exStyle & WS_EX_TOOLWINDOW) ? WindowKind::Utility
                                                               : WindowKind::Dialog;
        const bool modal = kind == WindowKind::Dialog && !IsWindowEnabled(owner);
        SetRole(display_, top.window, kind, ownerTop ? ownerTop->window : 0, modal);
        const auto style = static_cast<DWORD>(GetWindowLong(top.hwnd, GWL_STYLE));
        WindowAbilities can;
        can.sizable = (style & WS_THICKFRAME) != 0;
        can.minimizable = !owner && (style & WS_MINIMIZEBOX);
        can.maximizable = can.sizable && (style & WS_MAXIMIZEBOX);
        can.decorated = !DrawsOwnFrame(top.hwnd);
        SetAbilities(display_, top.window, can);
        // A window that opens while another program has the keyboard asks for the operator.
        top.urgent = !programFocused_;
        SetWindowHints(display_, top.window, leader_, top.urgent);
        if (top.zoomed) {
            const ::Atom both[] = {Intern("_NET_WM_STATE_MAXIMIZED_VERT"),
                                   Intern("_NET_WM_STATE_MAXIMIZED_HORZ")};
            XChangeProperty(display_, top.window, Intern("_NET_WM_STATE"), XA_ATOM, 32,
                            PropModeAppend, reinterpret_cast<const unsigned char*>(both), 2);
        }
    }
    MoveResize(top, shown);
    if (top.popup) {
        XMapRaised(display_, top.window);
    } else {
        FollowMinimumSize(top, true);
        XMapWindow(display_, top.window);
        top.awaitingMap = true;
    }
    top.mapped = true;
    top.iconic = false;
}

void X11TopWindows::FollowMinimumSize(Top& top, bool placed) {
    // A window without a sizing frame keeps its size; others no smaller than they may be.
    const bool sizable = (static_cast<DWORD>(GetWindowLong(top.hwnd, GWL_STYLE)) & WS_THICKFRAME);
    SIZE size{top.screen.right - top.screen.left, top.screen.bottom - top.screen.top};
    if (sizable) {
        const MINMAXINFO mmi = QueryMinMaxInfo(top.hwnd);
        const FrameInsets d = Decoration(top.hwnd);
        size = SIZE{std::max<LONG>(1, mmi.ptMinTrackSize.x - d.left - d.right),
                    std::max<LONG>(1, mmi.ptMinTrackSize.y - d.top - d.bottom)};
    }
    if (!placed && size.cx == top.minSize.cx && size.cy == top.minSize.cy)
        return;
    top.minSize = size;
    SetPlacement(display_, top.window, POINT{top.screen.left * scale_, top.screen.top * scale_},
                 SIZE{size.cx * scale_, size.cy * scale_}, !sizable);
}

void X11TopWindows::Withdraw(Top& top) {
    if (top.popup)
        XUnmapWindow(display_, top.window);
    else
        XWithdrawWindow(display_, top.window, DefaultScreen(display_));
    top.mapped = false;
    top.iconic = false;
    top.maximized = false;
    top.awaitingMap = false;
    if (grabbed_ == top.window)
        grabbed_ = 0;
}

void X11TopWindows::MoveResize(Top& top, const RECT& shown) {
    top.screen = shown;
    XMoveResizeWindow(display_, top.window, shown.left * scale_, shown.top * scale_,
                      static_cast<unsigned>((shown.right - shown.left) * scale_),
                      static_cast<unsigned>((shown.bottom - shown.top) * scale_));
}

void X11TopWindows::Follow(Top& top, const RECT& screen) {
    if (EqualRect(&screen, &top.screen))
        return;
    top.screen = screen;
    const FrameInsets d = Decoration(top.hwnd);
    SetWindowPos(top.hwnd, nullptr, screen.left - d.left, screen.top - d.top,
                 screen.right - screen.left + d.left + d.right,
                 screen.bottom - screen.top + d.top + d.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

void X11TopWindows::FollowOwnerIcon(const Top& owner) {
    for (Top& t : tops_) {
        if (t.popup || &t == &owner || !t.mapped || t.iconic == owner.iconic ||
            GetAncestor(t.hwnd, GA_ROOTOWNER) != owner.hwnd)
            continue;
        if (owner.iconic)
            XIconifyWindow(display_, t.window, DefaultScreen(display_));
        else
            XMapWindow(display_, t.window);
        t.iconic = owner.iconic;
    }
}

void X11TopWindows::FollowServerPlace(Top& top) {
    ::Window root = 0;
    ::Window child = 0;
    int x = 0;
    int y = 0;
    unsigned width = 0;
    unsigned height = 0;
    unsigned border = 0;
    unsigned depth = 0;
    if (!XGetGeometry(display_, top.window, &root, &x, &y, &width, &height, &border, &depth) ||
        !XTranslateCoordinates(display_, top.window, root, 0, 0, &x, &y, &child))
        return;
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    Follow(top, RECT{x / scale_, y / scale_, (x + w) / scale_, (y + h) / scale_});
}

bool X11TopWindows::Handle(XEvent& event) {
    if (!display_)
        return false;
    Top* top = nullptr;
    for (Top& t : tops_)
        if (t.window == event.xany.window)
            top = &t;
    if (!top)
        return false;
    switch (event.type) {
        case ConfigureNotify: {
            if (top->popup || !top->mapped || top->iconic || top->awaitingMap)
                return true;
            const XConfigureEvent& c = event.xconfigure;
            int x = c.x;
            int y = c.y;
            if (!c.send_event) {
                // Inside the window manager's frame: where that lies on the root window.
                ::Window child = 0;
                XTranslateCoordinates(display_, c.window, DefaultRootWindow(display_), 0, 0, &x, &y,
                                      &child);
            }
            const RECT screen{x / scale_, y / scale_, (x + c.width) / scale_,
                              (y + c.height) / scale_};
            Follow(*top, screen);
            return true;
        }
        case PropertyNotify:
            if (event.xproperty.atom == Intern("WM_STATE"))
                ReadState(*top);
            else if (event.xproperty.atom == Intern("_NET_WM_STATE"))
                ReadMaximized(*top);
            return true;
        case ClientMessage:
            if (static_cast<unsigned long>(event.xclient.data.l[0]) == Intern("_NET_WM_PING")) {
                // The program answers: it is not hung.
                XEvent pong = event;
                pong.xclient.window = DefaultRootWindow(display_);
                XSendEvent(display_, pong.xclient.window, False,
                           SubstructureRedirectMask | SubstructureNotifyMask, &pong);
            } else if (static_cast<unsigned long>(event.xclient.data.l[0]) ==
                       Intern("WM_DELETE_WINDOW")) {
                if (IsWindowEnabled(top->hwnd)) {
                    PostMessage(top->hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
                } else if (HWND dialog = EnabledPopupOf(top->hwnd)) {
                    // The dialog that runs for it answers first.
                    if (Top* d = FindWindow(dialog))
                        AskActive(*d);
                }
            }
            return true;
        case MapNotify:
            // Shown (again): where the window manager has put it is its place.
            if (!top->popup && top->mapped && !top->iconic) {
                top->awaitingMap = false;
                FollowServerPlace(*top);
            }
            return true;
        case UnmapNotify:
        case ReparentNotify:
        case DestroyNotify:
        case GravityNotify:
            return true;
        default:
            return false;
    }
}

void X11TopWindows::ReadState(Top& top) {
    const ::Atom wmState = Intern("WM_STATE");
    const std::vector<unsigned long> items = ReadItems32(display_, top.window, wmState, wmState, 2);
    const long state = items.empty() ? 0 : static_cast<long>(items.front());
    if (!top.mapped || (state != kIconicState && state != kNormalState))
        return;
    const bool iconic = state == kIconicState;
    if (iconic == top.iconic)
        return;
    top.iconic = iconic;
    // Owned windows go and come back with their owner: only the owner hears of it.
    if (GetWindow(top.hwnd, GW_OWNER))
        return;
    FollowOwnerIcon(top);
    // At once, not posted: a minimise still waiting in the queue when the window manager
    // restores the window again would take the restored window back to an icon.
    if (iconic != (IsIconic(top.hwnd) != FALSE))
        SendMessage(top.hwnd, WM_SYSCOMMAND, iconic ? SC_MINIMIZE : SC_RESTORE, 0);
}

void X11TopWindows::ReadMaximized(Top& top) {
    const ::Atom vert = Intern("_NET_WM_STATE_MAXIMIZED_VERT");
    const ::Atom horz = Intern("_NET_WM_STATE_MAXIMIZED_HORZ");
    int found = 0;
    for (unsigned long a : ReadItems32(display_, top.window, Intern("_NET_WM_STATE"), XA_ATOM, 32))
        found += a == vert || a == horz;
    const bool maximized = found == 2;
    if (maximized == top.maximized)
        return;
    top.maximized = maximized;
    if (GetWindow(top.hwnd, GW_OWNER) || maximized == top.zoomed)
        return;
    // The window's state follows; its place stays the X window's.
    top.zoomed = maximized;
    const RECT screen = top.screen;
    SendMessage(top.hwnd, WM_SYSCOMMAND, maximized ? SC_MAXIMIZE : SC_RESTORE, 0);
    top.screen = RECT{};
    Follow(top, screen);
}

void X11TopWindows::AskMaximized(const Top& top, bool maximized) {
    AskWindowManager(top.window, "_NET_WM_STATE", maximized ? kAdd : kRemove,
                     static_cast<long>(Intern("_NET_WM_STATE_MAXIMIZED_VERT")),
                     static_cast<long>(Intern("_NET_WM_STATE_MAXIMIZED_HORZ")), kFromApplication);
}

void X11TopWindows::AskActive(const Top& top) {
    AskWindowManager(top.window, "_NET_ACTIVE_WINDOW", kFromApplication, CurrentTime, 0, 0);
}

void X11TopWindows::AskWindowManager(unsigned long window, const char* request, long a, long b,
                                     long c, long d) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = Intern(request);
    e.xclient.format = 32;
    e.xclient.data.l[0] = a;
    e.xclient.data.l[1] = b;
    e.xclient.data.l[2] = c;
    e.xclient.data.l[3] = d;
    XSendEvent(display_, DefaultRootWindow(display_), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

void X11TopWindows::SetProgramFocused(bool focused) {
    programFocused_ = focused;
    if (!focused || !display_)
        return;
    for (Top& t : tops_) {
        if (t.urgent) {
            t.urgent = false;
            SetWindowHints(display_, t.window, leader_, false);
        }
    }
}

void X11TopWindows::Focused(unsigned long window) {
    const Top* top = Find(window);
    if (!top || top->popup)
        return;
    HWND hwnd = top->hwnd;
    if (!IsWindowEnabled(hwnd)) {
        hwnd = EnabledPopupOf(hwnd);
        Top* dialog = hwnd ? FindWindow(hwnd) : nullptr;
        if (!dialog)
            return;
        AskActive(*dialog);
    }
    if (GetActiveWindow() != hwnd)
        SetActiveWindow(hwnd);
    activeShown_ = hwnd;
}

void X11TopWindows::FollowActivation() {
    HWND active = GetActiveWindow();
    if (!active || active == activeShown_)
        return;
    const Top* top = FindWindow(active);
    if (!top || top->popup || !top->mapped || top->iconic)
        return;
    activeShown_ = active;
    AskActive(*top);
}

void X11TopWindows::FollowMenuGrab() {
    const Top* menu = nullptr;
    for (const Top& top : tops_)
        if (top.popup && top.mapped && IsMenu(top.hwnd))
            menu = &top;
    if (menu && menu->window != grabbed_) {
        // A grab ends with the window it was for: each menu window takes it anew.
        grabbed_ =
            XGrabPointer(display_, menu->window, True,
                         ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                         GrabModeAsync, None, None, CurrentTime) == GrabSuccess
                ? menu->window
                : 0;
        if (grabbed_)
            XGrabKeyboard(display_, menu->window, True, GrabModeAsync, GrabModeAsync, CurrentTime);
    } else if (!menu && grabbed_) {
        XUngrabPointer(display_, CurrentTime);
        XUngrabKeyboard(display_, CurrentTime);
        grabbed_ = 0;
    }
}

}  // namespace kq::ui::detail
