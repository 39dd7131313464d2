#include "platform/ui/backend/X11BackEnd.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include <sys/eventfd.h>
#include <unistd.h>

#include "platform/base/Clock.h"
#include "platform/base/Cp1252Fit.h"
#include "platform/gfx/ImageBridge.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Input.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/MultimediaTimer.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Styles.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowPos.h"
#include "platform/ui/WindowShow.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/backend/PixelScale.h"
#include "platform/ui/backend/X11DragOutline.h"
#include "platform/ui/backend/X11Keyboard.h"
#include "platform/ui/backend/X11Keys.h"
#include "platform/ui/backend/X11Screens.h"
#include "platform/ui/backend/X11Selections.h"
#include "platform/ui/backend/X11SharedImage.h"
#include "platform/ui/backend/X11WindowProperties.h"
#include "platform/ui/detail/Window.h"
#include "platform/ui/detail/WindowOps.h"
#include "platform/ui/paint/CaretBlink.h"
#include "platform/ui/paint/DragOutline.h"
#include "platform/ui/paint/ScreenSurface.h"
#include "platform/ui/paint/Screenshot.h"
#include "platform/ui/paint/VirtualScreen.h"

// Xlib last: its macros (None, Bool, Status...) must not reach the headers above.
#include "platform/ui/backend/X11Pixels.h"

#include <X11/XKBlib.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xrandr.h>

namespace kq::ui {
namespace {

using detail::IsDirect;

constexpr UINT kCaretCheckMs = 50;
// After input the mouse's shape is followed this long (a program may set it a little later).
constexpr int64_t kFollowAfterInputNanos = 2'000'000'000;

int LogXError(Display* display, XErrorEvent* e) {
    char text[128] = {};
    XGetErrorText(display, e->error_code, text, sizeof text);
    std::fprintf(stderr, "X error: %s (request %d)\n", text, e->request_code);
    return 0;
}

unsigned FontCursorFor(int id) {
    switch (id) {
        case 32513:  // IDC_IBEAM
            return XC_xterm;
        case 32514:  // IDC_WAIT
        case 32650:  // IDC_APPSTARTING
            return XC_watch;
        case 32515:  // IDC_CROSS
            return XC_crosshair;
        case 32516:  // IDC_UPARROW
            return XC_sb_up_arrow;
        case 32640:  // IDC_SIZE
        case 32646:  // IDC_SIZEALL
            return XC_fleur;
        case 32642:  // IDC_SIZENWSE
            return XC_bottom_right_corner;
        case 32643:  // IDC_SIZENESW
            return XC_bottom_left_corner;
        case 32644:  // IDC_SIZEWE
            return XC_sb_h_double_arrow;
        case 32645:  // IDC_SIZENS
            return XC_sb_v_double_arrow;
        case 32648:  // IDC_NO
            return XC_X_cursor;
        case 32649:  // IDC_HAND
            return XC_hand2;
        case 32651:  // IDC_HELP
            return XC_question_arrow;
        default:
            return XC_left_ptr;
    }
}

// Channel value 0..255 placed under a visual's colour mask.
unsigned long Channel(uint32_t value, unsigned long mask) {
    if (!mask)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    const unsigned long max = mask >> shift;
    return ((value * max + 127) / 255) << shift;
}

// The window the user means when closing the X window: the root owner of the active window,
// else the first visible top-level window without an owner.
HWND MainWindow() {
    if (HWND active = GetActiveWindow())
        return GetAncestor(active, GA_ROOTOWNER);
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (IsWindowVisible(h) && !GetWindow(h, GW_OWNER))
            return h;
    }
    return nullptr;
}

RECT Shown(const RECT& caret) {
    return CaretShownNow() ? caret : RECT{0, 0, 0, 0};
}

}  // namespace

std::unique_ptr<X11BackEnd> X11BackEnd::Open(const std::string& display, std::string* error) {
    std::unique_ptr<X11BackEnd> backEnd(new X11BackEnd);
    std::string why;
    if (!backEnd->Start(display, &why)) {
        if (error)
            *error = why;
        return nullptr;
    }
    return backEnd;
}

bool X11BackEnd::Start(const std::string& name, std::string* error) {
    display_ = XOpenDisplay(name.empty() ? nullptr : name.c_str());
    if (!display_) {
        const char* env = std::getenv("DISPLAY");
        *error =
            "cannot open display \"" + (name.empty() ? std::string(env ? env : "") : name) + "\"";
        return false;
    }
    static std::once_flag handler;
    std::call_once(handler, [] {
        XSetErrorHandler(&LogXError);
        // Returning lets Xlib go on to the connection's exit handler below, which returns too:
        // a lost X server must not end the program.
        XSetIOErrorHandler([](Display*) { return 0; });
    });
    XSetIOErrorExitHandler(
        display_, [](Display*, void* self) { static_cast<X11BackEnd*>(self)->ConnectionLost(); },
        this);
    const int screen = DefaultScreen(display_);
    Visual* visual = DefaultVisual(display_, screen);
    if (visual->c_class != TrueColor) {
        *error = "the display has no true-colour visual";
        XCloseDisplay(display_);
        display_ = nullptr;
        return false;
    }
    XkbSetDetectableAutoRepeat(display_, True, nullptr);

    // The window covers the root window; the program's screen is its size divided by the
    // scale, with the display's monitors in it.
    scale_ = detail::ReadX11Scale(display_);
    monitors_ = detail::ReadX11Monitors(display_);
    const int width = DisplayWidth(display_, screen);
    const int height = DisplayHeight(display_, screen);
    SetMonitors(detail::MonitorsInWindow(monitors_, POINT{0, 0}, SIZE{width, height}, scale_));
    int eventBase = 0;
    int errorBase = 0;
    if (XRRQueryExtension(display_, &eventBase, &errorBase)) {
        randrEvents_ = eventBase;
        XRRSelectInput(display_, RootWindow(display_, screen), RRScreenChangeNotifyMask);
    }
    workAreaAtom_ = XInternAtom(display_, "_NET_WORKAREA", False);
    XSelectInput(display_, RootWindow(display_, screen), PropertyChangeMask);

    // Until the program has painted, the window shows the desktop's colour, never black.
    const COLORREF desktop = GetDesktopColor();
    const unsigned long background = Channel(GetRValue(desktop), visual->red_mask) |
                                     Channel(GetGValue(desktop), visual->green_mask) |
                                     Channel(GetBValue(desktop), visual->blue_mask);
    gc_ = XCreateGC(display_, RootWindow(display_, screen), 0, nullptr);
    keyboard_ = std::make_unique<detail::X11Keyboard>(display_);
    selections_ =
        std::make_unique<detail::X11Selections>(display_, [this] { WakeForQueuedEvents(); });
    if (detail::WantsManagedWindows(display_)) {
        tops_ = std::make_unique<detail::X11TopWindows>(display_, scale_, background,
                                                        [this](unsigned long window, bool added) {
                                                            if (added)
                                                                keyboard_->AddWindow(window);
                                                            else
                                                                keyboard_->RemoveWindow(window);
                                                        });
        // A drag outline follows the mouse past the program's windows.
        outline_ = std::make_unique<detail::X11DragOutline>(display_, scale_);
        SetDragOutlineShower([this](const RECT& rect, SIZE thickness, bool halftone) {
            outline_->Show(rect, thickness, halftone);
        });
    } else {
        window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), 0, 0,
                                      static_cast<unsigned>(width), static_cast<unsigned>(height),
                                      0, background, background);
        XSelectInput(display_, window_,
                     ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                         ButtonReleaseMask | PointerMotionMask | StructureNotifyMask |
                         FocusChangeMask);
        Atom del = XInternAtom(display_, "WM_DELETE_WINDOW", False);
        deleteAtom_ = del;
        XSetWMProtocols(display_, window_, &del, 1);
        detail::SetProgramProperties(display_, window_, "KQ7-B");
        // The program's screen lies where the root window's does.
        detail::SetPosition(display_, window_, 0, 0);
        keyboard_->AddWindow(window_);
        XMapWindow(display_, window_);
    }
    XFlush(display_);

    source_ =
        AddFdSource(ConnectionNumber(display_), POLLIN, [this](int, short) { HandleEvents(); });
    // Putting a large image can make Xlib read the server's events while it waits to write:
    // they are then in its queue, no longer on the connection, and nothing would wake the loop
    // for them (a button's release stays unseen until the next event).
    queued_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (queued_ >= 0) {
        queuedSource_ = AddFdSource(queued_, POLLIN, [this](int fd, short) {
            eventfd_t count = 0;
            eventfd_read(fd, &count);
            HandleEvents();
        });
    }
    SetScreenPresenter([this] { Present(); });
    FollowCaretAndCursor();
    return true;
}

X11BackEnd::~X11BackEnd() {
    if (caretTimer_)
        timeKillEvent(caretTimer_);
    if (display_)
        SetScreenPresenter({});
    if (outline_)
        SetDragOutlineShower({});
    if (source_)
        RemoveFdSource(source_);
    if (queuedSource_)
        RemoveFdSource(queuedSource_);
    if (queued_ >= 0)
        close(queued_);
    if (!display_)
        return;
    shared_.reset();
    outline_.reset();
    tops_.reset();
    keyboard_.reset();
    selections_.reset();
    // After a lost connection Xlib only frees its side of these.
    for (auto& [id, cursor] : cursors_)
        XFreeCursor(display_, cursor);
    XFreeGC(display_, static_cast<GC>(gc_));
    if (window_)
        XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
}

void X11BackEnd::ConnectionLost() {
    if (lost_)
        return;
    lost_ = true;
    if (shared_)
        shared_->Abandon();
    if (selections_)
        selections_->Abandon();
    if (tops_)
        tops_->Abandon();
    if (outline_)
        outline_->Abandon();
    // A program that hears of it closes; otherwise it runs on without a screen anyone sees.
    std::fprintf(stderr, whenLost_ ? "The X connection was lost: the program closes.\n"
                                   : "The X connection was lost: the screen stays in memory.\n");
    if (whenLost_)
        whenLost_();
}

void X11BackEnd::Sync() {
    if (lost_)
        return;
    XSync(display_, False);
    HandleEvents();
}

void X11BackEnd::HandleEvents() {
    do {
        while (!lost_ && XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (keyboard_->Filter(event))
                continue;
            Handle(event);
            if (event.type == KeyPress || event.type == KeyRelease || event.type == ButtonPress ||
                event.type == ButtonRelease || event.type == MotionNotify ||
                event.type == EnterNotify || event.type == FocusIn) {
                lastInputNanos_ = kq::CurrentClock().MonotonicNanos();
                FollowCaretAndCursor();
            }
        }
        if (!lost_ && focusLeft_) {
            // No window of the program took the focus the other one lost.
            focusLeft_ = false;
            if (appFocused_) {
                appFocused_ = false;
                if (tops_)
                    tops_->SetProgramFocused(false);
                InjectAppFocus(false);
            }
        }
        if (!lost_)
            XFlush(display_);
    } while (!lost_ && XEventsQueued(display_, QueuedAlready) > 0);
    if (lost_) {
        // Nothing more will come: stop listening, keep the screen in memory.
        if (source_)
            RemoveFdSource(source_);
        source_ = 0;
        if (caretTimer_)
            timeKillEvent(caretTimer_);
        caretTimer_ = 0;
        SetScreenPresenter({});
        return;
    }
}

void X11BackEnd::WakeForQueuedEvents() {
    if (!lost_ && queued_ >= 0 && XEventsQueued(display_, QueuedAlready) > 0)
        eventfd_write(queued_, 1);
}

void X11BackEnd::Handle(XEvent& event) {
    if (selections_->Handle(event))
        return;
    if (tops_ && tops_->Handle(event))
        return;
    const POINT origin = ScreenSurfaceOrigin();
    // Where a window's (x, y) lies on the program's screen.
    const auto onScreen = [&](int x, int y, int rootX, int rootY) {
        return tops_ ? POINT{rootX / scale_, rootY / scale_}
                     : POINT{origin.x + x / scale_, origin.y + y / scale_};
    };
    switch (event.type) {
        case Expose: {
            const XExposeEvent& e = event.xexpose;
            RECT r{e.x, e.y, e.x + e.width, e.y + e.height};
            if (tops_) {
                const detail::X11TopWindows::Top* top = tops_->Find(e.window);
                if (!top)
                    break;
                OffsetRect(&r, (top->screen.left - origin.x) * scale_,
                           (top->screen.top - origin.y) * scale_);
            }
            PutRect(detail::ScaledDown(r, scale_));
            break;
        }
        case ConfigureNotify:
            if (event.xconfigure.window == window_)
                Resized(event.xconfigure.width, event.xconfigure.height);
            break;
        case PropertyNotify:
            if (event.xproperty.atom == workAreaAtom_)
                ScreensChanged();
            break;
        case KeyPress:
        case KeyRelease:
            selections_->Saw(event.xkey.time);
            HandleKey(event, event.type == KeyPress);
            break;
        case ButtonPress:
        case ButtonRelease: {
            const XButtonEvent& b = event.xbutton;
            selections_->Saw(b.time);
            const POINT pt = onScreen(b.x, b.y, b.x_root, b.y_root);
            const bool down = event.type == ButtonPress;
            if (b.button == Button1)
                InjectMouseButton(pt, VK_LBUTTON, down);
            else if (b.button == Button2)
                InjectMouseButton(pt, VK_MBUTTON, down);
            else if (b.button == Button3)
                InjectMouseButton(pt, VK_RBUTTON, down);
            else if (down && (b.button == Button4 || b.button == Button5))
                InjectMouseWheel(pt, b.button == Button4 ? WHEEL_DELTA : -WHEEL_DELTA);
            break;
        }
        case MotionNotify:
            // Runs of moves are merged where the input is queued, in order with the buttons.
            InjectMouseMove(onScreen(event.xmotion.x, event.xmotion.y, event.xmotion.x_root,
                                     event.xmotion.y_root));
            break;
        case FocusIn:
        case FocusOut: {
            const XFocusChangeEvent& f = event.xfocus;
            if (f.mode == NotifyGrab || f.mode == NotifyUngrab || f.detail == NotifyInferior ||
                f.detail == NotifyPointer) {
                // The keys follow the pointer into this window: the focus has not left the
                // program (a window manager passes it so while it moves it between windows).
                if (event.type == FocusIn && f.detail == NotifyPointer && tops_)
                    focusLeft_ = false;
                break;
            }
            keyboard_->Focus(f.window, event.type == FocusIn);
            if (!tops_) {
                InjectAppFocus(event.type == FocusIn);
                break;
            }
            // Between the program's own windows the program stays active.
            focusLeft_ = event.type == FocusOut;
            if (event.type == FocusIn) {
                if (!appFocused_)
                    InjectAppFocus(true);
                appFocused_ = true;
                tops_->SetProgramFocused(true);
                tops_->Focused(f.window);
            }
            break;
        }
        case ClientMessage:
            if (deleteAtom_ && static_cast<unsigned long>(event.xclient.data.l[0]) == deleteAtom_) {
                if (HWND main = MainWindow())
                    PostMessage(main, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            break;
        case MappingNotify:
            XRefreshKeyboardMapping(&event.xmapping);
            break;
        default:
            if (randrEvents_ && event.type == randrEvents_ + RRScreenChangeNotify) {
                XRRUpdateConfiguration(&event);
                ScreensChanged();
            }
            break;
    }
}

void X11BackEnd::HandleKey(XEvent& event, bool down) {
    const detail::X11Keyboard::Typed typed = keyboard_->LookUp(event);
    const KeySym base =
        XkbKeycodeToKeysym(display_, static_cast<KeyCode>(event.xkey.keycode), 0, 0);
    const detail::X11Key key = detail::VirtualKeyFromX11(event.xkey.keycode ? base : NoSymbol,
                                                         typed.keysym, event.xkey.keycode);
    std::string text = down ? detail::TextFromX11(typed.keysym, typed.text.data(),
                                                  static_cast<int>(typed.text.size()))
                            : std::string();
    // The program's texts are 8-bit: a character they cannot hold is refused audibly rather
    // than stored as '?'.
    if (!kq::FitsCp1252(text)) {
        XBell(display_, 0);
        text.clear();
    }
    if (key.altGr && down)
        InjectKey(VK_LCONTROL, true, "");
    if (key.vk)
        InjectKey(key.vk, down, down ? text.c_str() : nullptr, key.scanCode, key.extended);
    else if (down && !text.empty())
        InjectText(text.c_str());
    if (key.altGr && !down)
        InjectKey(VK_LCONTROL, false);
}

void X11BackEnd::ScreensChanged() {
    monitors_ = detail::ReadX11Monitors(display_);
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_, tops_ ? DefaultRootWindow(display_) : window_, &attributes))
        Resized(attributes.width, attributes.height, true);
}

void X11BackEnd::Resized(int width, int height, bool screensChanged) {
    if (width <= 0 || height <= 0)
        return;
    // Where the window lies on the root window decides which parts of the monitors it shows.
    int rootX = 0;
    int rootY = 0;
    ::Window child = 0;
    if (!tops_)
        XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, &rootX, &rootY,
                              &child);
    const std::vector<MonitorConfig> shown =
        detail::MonitorsInWindow(monitors_, POINT{rootX, rootY}, SIZE{width, height}, scale_);
    const std::vector<MonitorConfig> before = GetMonitors();
    const bool same =
        shown.size() == before.size() &&
        std::equal(shown.begin(), shown.end(), before.begin(),
                   [](const MonitorConfig& a, const MonitorConfig& b) {
                       return EqualRect(&a.monitor, &b.monitor) && EqualRect(&a.work, &b.work);
                   });
    if (same && !screensChanged)
        return;
    SetMonitors(shown);
    const RECT screen = VirtualScreenRect();
    width = screen.right - screen.left;
    height = screen.bottom - screen.top;
    // Maximised windows fill the new work area; everyone hears of the new screen.
    std::vector<HWND> tops;
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT))
        tops.push_back(h);
    for (HWND h : tops) {
        // Managed windows are the window manager's to fit.
        if (!tops_ && IsZoomed(h)) {
            const MINMAXINFO mmi = detail::QueryMinMaxInfo(h);
            SetWindowPos(h, nullptr, mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxSize.x,
                         mmi.ptMaxSize.y, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        PostMessage(h, WM_DISPLAYCHANGE, 32, MAKELPARAM(width, height));
    }
    RedrawScreen();
}

void X11BackEnd::Present() {
    if (lost_)
        return;
    if (tops_)
        tops_->Follow();
    std::vector<RECT> rects = TakeScreenChanges();
    const POINT origin = ScreenSurfaceOrigin();
    const RECT caret = Shown(CaretScreenRect());
    if (!EqualRect(&caret, &caretShown_)) {
        for (RECT r : {caretShown_, caret}) {
            if (IsRectEmpty(&r))
                continue;
            OffsetRect(&r, -origin.x, -origin.y);
            rects.push_back(r);
        }
        caretShown_ = caret;
    }
    // Only the pixels that differ from what the window shows go to the X server.
    PutSurface(rects, true);
    if (!IsRectEmpty(&caret)) {
        RECT r = caret;
        OffsetRect(&r, -origin.x, -origin.y);
        PutCaret(r);
    }
    FollowCursorShape();
    FollowMainWindow();
    XFlush(display_);
    WakeForQueuedEvents();
    // A caret that came with what was painted blinks from now on.
    const RECT exists = CaretScreenRect();
    if (!IsRectEmpty(&exists))
        FollowCaretAndCursor();
}

void X11BackEnd::PutRect(const RECT& surfaceRect) {
    PutSurface({surfaceRect}, false);
    RECT caret = Shown(CaretScreenRect());
    const POINT origin = ScreenSurfaceOrigin();
    OffsetRect(&caret, -origin.x, -origin.y);
    RECT both{};
    if (IntersectRect(&both, &caret, &surfaceRect))
        PutCaret(caret);
}

void X11BackEnd::PutSurface(const std::vector<RECT>& surfaceRects, bool onlyChanged) {
    // Where the server shares memory with the program, what the window shows is kept in that
    // memory: finding the changed pixels leaves them there to be put. Otherwise they are copied
    // once, into the buffer an ordinary X image is made of.
    struct Part {
        RECT rect;
        uint32_t* pixels;  // malloc'd; null: in the shared image
    };
    std::vector<Part> parts;
    {
        std::lock_guard lock(detail::TreeMutex());
        const auto surface = detail::SyncScreenLocked();
        const SIZE size{surface->Width(), surface->Height()};
        if (size.cx != shownSize_.cx || size.cy != shownSize_.cy) {
            shared_.reset();
            shared_ = detail::X11SharedImage::Create(display_, size.cx * scale_, size.cy * scale_);
            // Unscaled, what the window shows is what the shared image holds.
            shown_.Resize(size.cx, size.cy, shared_ && scale_ == 1 ? shared_->Row(0) : nullptr);
            shownSize_ = size;
        }
        const RECT bounds{0, 0, size.cx, size.cy};
        const ptrdiff_t stride = surface->StrideBytes() / static_cast<ptrdiff_t>(sizeof(uint32_t));
        for (RECT r : surfaceRects) {
            if (!IntersectRect(&r, &r, &bounds))
                continue;
            const PixelBlock block{surface->Row(r.top) + r.left, stride, r.right - r.left,
                                   r.bottom - r.top};
            const POINT at{r.left, r.top};
            std::vector<RECT> changed;
            if (onlyChanged) {
                changed = shown_.Changes(block, at);
            } else {
                shown_.Remember(block, at);
                changed.push_back(RECT{0, 0, block.width, block.height});
            }
            for (RECT c : changed) {
                OffsetRect(&c, at.x, at.y);
                if (shared_) {
                    if (scale_ > 1)
                        detail::Upscale(surface->Row(c.top) + c.left, stride, c.right - c.left,
                                        c.bottom - c.top, scale_,
                                        shared_->Row(c.top * scale_) + c.left * scale_,
                                        size.cx * scale_);
                    parts.push_back(Part{detail::ScaledUp(c, scale_), nullptr});
                    continue;
                }
                if (uint32_t* pixels = CopyForDisplay(surface->Row(c.top) + c.left, stride,
                                                      c.right - c.left, c.bottom - c.top))
                    parts.push_back(Part{detail::ScaledUp(c, scale_), pixels});
            }
        }
    }
    const std::vector<Target> targets = Targets();
    for (const Part& part : parts) {
        if (part.pixels) {
            PutOwnedPixels(part.pixels, part.rect);
            continue;
        }
        for (const Target& target : targets) {
            RECT both{};
            if (IntersectRect(&both, &part.rect, &target.rect))
                shared_->Put(target.window, gc_, both, both.left - target.rect.left,
                             both.top - target.rect.top);
        }
    }
}

std::vector<X11BackEnd::Target> X11BackEnd::Targets() const {
    if (!tops_)
        return {Target{window_, RECT{0, 0, shownSize_.cx * scale_, shownSize_.cy * scale_}}};
    std::vector<Target> targets;
    const POINT origin = ScreenSurfaceOrigin();
    for (const detail::X11TopWindows::Top& top : tops_->Tops()) {
        if (!top.mapped || top.iconic)
            continue;
        RECT r = top.screen;
        OffsetRect(&r, -origin.x, -origin.y);
        targets.push_back(Target{top.window, detail::ScaledUp(r, scale_)});
    }
    return targets;
}

void X11BackEnd::PutImage(XImage* image, const RECT& displayRect) {
    for (const Target& target : Targets()) {
        RECT both{};
        if (!IntersectRect(&both, &displayRect, &target.rect))
            continue;
        XPutImage(display_, target.window, static_cast<GC>(gc_), image,
                  both.left - displayRect.left, both.top - displayRect.top,
                  both.left - target.rect.left, both.top - target.rect.top,
                  static_cast<unsigned>(both.right - both.left),
                  static_cast<unsigned>(both.bottom - both.top));
    }
}

void X11BackEnd::PutCaret(const RECT& surfaceRect) {
    const POINT origin = ScreenSurfaceOrigin();
    RECT screenRect = surfaceRect;
    OffsetRect(&screenRect, origin.x, origin.y);
    const RECT screen = VirtualScreenRect();
    RECT placed{};
    if (!IntersectRect(&placed, &screenRect, &screen))
        return;
    const kq::gfx::Image image = CaptureScreenRect(placed, ScreenshotOptions{true, false});
    if (image.Empty())
        return;
    OffsetRect(&placed, -origin.x, -origin.y);
    PutPixels(image.pixels.data(), placed);
    // The window no longer shows the screen's own pixels there.
    shown_.Forget(placed);
}

void X11BackEnd::PutOwnedPixels(uint32_t* pixels, const RECT& windowRect) {
    const auto width = static_cast<unsigned>(windowRect.right - windowRect.left);
    const auto height = static_cast<unsigned>(windowRect.bottom - windowRect.top);
    const int screenNo = DefaultScreen(display_);
    Visual* visual = DefaultVisual(display_, screenNo);
    XImage* ximage =
        width == 0 || height == 0
            ? nullptr
            : XCreateImage(display_, visual,
                           static_cast<unsigned>(DefaultDepth(display_, screenNo)), ZPixmap, 0,
                           reinterpret_cast<char*>(pixels), width, height, 32, 0);
    if (ximage && IsDirect(*ximage, *visual, width)) {
        PutImage(ximage, windowRect);
        XDestroyImage(ximage);  // frees the pixels
        return;
    }
    if (ximage) {
        ximage->data = nullptr;
        XDestroyImage(ximage);
    }
    PutWindowPixels(pixels, windowRect);
    std::free(pixels);
}

uint32_t* X11BackEnd::CopyForDisplay(const uint32_t* first, ptrdiff_t stride, int width,
                                     int height) const {
    if (width <= 0 || height <= 0)
        return nullptr;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height) *
                         static_cast<size_t>(scale_) * static_cast<size_t>(scale_);
    auto* pixels = static_cast<uint32_t*>(std::malloc(count * sizeof(uint32_t)));
    if (pixels)
        detail::Upscale(first, stride, width, height, scale_, pixels, width * scale_);
    return pixels;
}

void X11BackEnd::PutPixels(const uint32_t* pixels, const RECT& surfaceRect) {
    if (scale_ > 1) {
        const int width = surfaceRect.right - surfaceRect.left;
        if (uint32_t* scaled =
                CopyForDisplay(pixels, width, width, surfaceRect.bottom - surfaceRect.top))
            PutOwnedPixels(scaled, detail::ScaledUp(surfaceRect, scale_));
        return;
    }
    PutWindowPixels(pixels, surfaceRect);
}

void X11BackEnd::PutWindowPixels(const uint32_t* pixels, const RECT& windowRect) {
    const auto width = static_cast<unsigned>(windowRect.right - windowRect.left);
    const auto height = static_cast<unsigned>(windowRect.bottom - windowRect.top);
    if (width == 0 || height == 0)
        return;
    const int screenNo = DefaultScreen(display_);
    Visual* visual = DefaultVisual(display_, screenNo);
    char* data = static_cast<char*>(std::malloc(static_cast<size_t>(width) * height * 4));
    if (!data)
        return;
    XImage* ximage =
        XCreateImage(display_, visual, static_cast<unsigned>(DefaultDepth(display_, screenNo)),
                     ZPixmap, 0, data, width, height, 32, 0);
    if (!ximage) {
        std::free(data);
        return;
    }
    if (IsDirect(*ximage, *visual, width)) {
        std::memcpy(data, pixels, static_cast<size_t>(width) * height * 4);
    } else {
        for (unsigned y = 0; y < height; ++y) {
            for (unsigned x = 0; x < width; ++x) {
                const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
                XPutPixel(ximage, static_cast<int>(x), static_cast<int>(y),
                          Channel((p >> 16) & 0xFF, visual->red_mask) |
                              Channel((p >> 8) & 0xFF, visual->green_mask) |
                              Channel(p & 0xFF, visual->blue_mask));
            }
        }
    }
    PutImage(ximage, windowRect);
    XDestroyImage(ximage);  // frees data
}

void X11BackEnd::FollowCursorShape() {
    const HCURSOR shape = GetCursor();
    if (shape == cursor_)
        return;
    cursor_ = shape;
    const int id = StandardCursorId(shape);
    auto it = cursors_.find(id);
    if (it == cursors_.end())
        it = cursors_.emplace(id, XCreateFontCursor(display_, FontCursorFor(id))).first;
    if (tops_)
        tops_->SetCursor(it->second);
    else
        XDefineCursor(display_, window_, it->second);
}

void X11BackEnd::FollowMainWindow() {
    if (tops_)
        return;  // each managed window has its own
    HWND main = MainWindow();
    if (!main || !IsWindowVisible(main))
        return;
    if (!iconShown_)
        iconShown_ = detail::SetProgramIcons(display_, window_);
    // The desktop keeps the X window no smaller than the main window's minimum size.
    const MINMAXINFO mmi = detail::QueryMinMaxInfo(main);
    if (mmi.ptMinTrackSize.x == minSize_.cx && mmi.ptMinTrackSize.y == minSize_.cy)
        return;
    minSize_ = SIZE{mmi.ptMinTrackSize.x, mmi.ptMinTrackSize.y};
    detail::SetMinimumSize(display_, window_, minSize_.cx * scale_, minSize_.cy * scale_);
}

void X11BackEnd::FollowCaretAndCursor() {
    if (caretTimer_ != 0 || lost_)
        return;
    caretTimer_ = timeSetEvent(
        kCaretCheckMs, 0,
        [](UINT, UINT, DWORD_PTR self, DWORD_PTR, DWORD_PTR) {
            reinterpret_cast<X11BackEnd*>(self)->CaretTick();
        },
        reinterpret_cast<DWORD_PTR>(this), TIME_PERIODIC);
}

void X11BackEnd::CaretTick() {
    if (lost_)
        return;
    const bool mouseLately =
        kq::CurrentClock().MonotonicNanos() - lastInputNanos_ < kFollowAfterInputNanos;
    // A caret in its dark phase is still followed: it shows again.
    const RECT exists = CaretScreenRect();
    if (!mouseLately && IsRectEmpty(&caretShown_) && IsRectEmpty(&exists)) {
        // Nothing to follow until the next input or paint: an idle program is not woken.
        timeKillEvent(caretTimer_);
        caretTimer_ = 0;
        return;
    }
    const RECT caret = Shown(exists);
    if (!EqualRect(&caret, &caretShown_)) {
        Present();
        return;
    }
    if (GetCursor() != cursor_) {
        FollowCursorShape();
        XFlush(display_);
        WakeForQueuedEvents();
    }
}

}  // namespace kq::ui
