// The scroll-bar functions and the tracking of a window's own scroll bars.
#include <memory>
#include <mutex>

#include "platform/gfx/UserDraw.h"

#include "platform/ui/Focus.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowData.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/WindowPos.h"
#include "platform/ui/WindowShow.h"
#include "platform/ui/controls/ScrollBar.h"
#include "platform/ui/controls/detail/ControlData.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/controls/detail/ScrollPaint.h"
#include "platform/ui/controls/detail/ScrollStore.h"
#include "platform/ui/controls/detail/ScrollTracking.h"
#include "platform/ui/controls/detail/SystemClasses.h"
#include "platform/ui/controls/detail/WindowScrollTracker.h"
#include "platform/ui/nonclient/NonClientHooks.h"
#include "platform/ui/paint/Painting.h"

using namespace kq::ui;
using namespace kq::ui::detail;

namespace {

DWORD BarStyle(int bar) {
    return bar == SB_HORZ ? WS_HSCROLL : bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL | WS_VSCROLL;
}

// Adds or removes a window's own bars; the client area follows through WM_NCCALCSIZE.
void ShowOwnBars(HWND hwnd, DWORD bars, bool show) {
    const DWORD style = StyleOf(hwnd);
    const DWORD next = show ? (style | bars) : (style & ~bars);
    if (next == style)
        return;
    SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(next));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// Paints a window's own scroll bar again: the part of the frame where it lies.
void RedrawOwnBar(HWND hwnd, int bar) {
    RECT r = WindowScrollBarRect(hwnd, bar);
    if (IsRectEmpty(&r))
        return;
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    ScreenToClient(hwnd, &corners[0]);
    ScreenToClient(hwnd, &corners[1]);
    RECT inClient{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    RedrawWindow(hwnd, &inClient, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
}

// The tracking under way on a window's own bar, so that its painting shows the pressed part.
struct ActiveTracking {
    std::mutex mutex;
    HWND hwnd = nullptr;
    int bar = 0;
    ScrollTracking* tracking = nullptr;
};

ActiveTracking& Active() {
    static auto* active = new ActiveTracking;
    return *active;
}

ScrollPart PressedPart(HWND hwnd, int bar) {
    ActiveTracking& a = Active();
    std::lock_guard lock(a.mutex);
    if (a.hwnd != hwnd || a.bar != bar || !a.tracking)
        return ScrollPart::None;
    return a.tracking->Pressed();
}

void SetActive(HWND hwnd, int bar, ScrollTracking* tracking) {
    ActiveTracking& a = Active();
    std::lock_guard lock(a.mutex);
    if (!tracking && a.hwnd != hwnd)
        return;
    a.hwnd = tracking ? hwnd : nullptr;
    a.bar = bar;
    a.tracking = tracking;
}

void DrawOwnBar(HWND hwnd, HDC dc, int bar, const RECT& rect) {
    PaintScrollBar(dc, rect, bar == SB_VERT, GetScrollState(hwnd, bar),
                   IsWindowEnabled(hwnd) != FALSE, PressedPart(hwnd, bar),
                   GetSysColorBrush(COLOR_SCROLLBAR));
}

void TrackOwnBar(HWND hwnd, int bar, POINT pt) {
    TrackWindowScrollBar(hwnd, bar, pt);
}

// The window system draws and tracks the frame's scroll bars through these hooks; they join
// whatever other hooks are installed.
bool InstallOwnBarHooks() {
    NonClientHooks hooks = GetNonClientHooks();
    if (hooks.drawScrollBar && hooks.trackScrollBar)
        return true;
    if (!hooks.drawScrollBar)
        hooks.drawScrollBar = &DrawOwnBar;
    if (!hooks.trackScrollBar)
        hooks.trackScrollBar = &TrackOwnBar;
    SetNonClientHooks(hooks);
    return true;
}

const bool kOwnBarHooks = InstallOwnBarHooks();

struct TrackerArgs {
    HWND target;
    int bar;
};

struct Tracker {
    std::unique_ptr<ScrollTracking> tracking;
    HWND target = nullptr;
    int bar = 0;
    bool finished = false;
};

void EndTracker(HWND tracker, Tracker& t) {
    if (t.finished)
        return;
    t.finished = true;
    if (GetCapture() == tracker)
        ReleaseCapture();
    DestroyWindow(tracker);
}

}  // namespace

namespace kq::ui::detail {

LRESULT ScrollTrackerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
            const auto* args = static_cast<const TrackerArgs*>(cs->lpCreateParams);
            auto t = AttachControl(hwnd, std::make_shared<Tracker>());
            ScrollTracking::Config c;
            c.timerWindow = hwnd;
            c.stateWindow = args->target;
            c.bar = args->bar;
            c.notifyWindow = args->target;
            c.message = args->bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
            c.vertical = args->bar == SB_VERT;
            HWND target = args->target;
            int bar = args->bar;
            c.barRect = [target, bar] { return WindowScrollBarRect(target, bar); };
            c.enabled = [target] { return IsWindowEnabled(target) != FALSE; };
            c.changed = [target, bar] { RedrawOwnBar(target, bar); };
            t->tracking = std::make_unique<ScrollTracking>(std::move(c));
            t->target = target;
            t->bar = bar;
            SetActive(target, bar, t->tracking.get());
            return TRUE;
        }
        case WM_NCDESTROY:
            if (auto t = ControlOf<Tracker>(hwnd))
                SetActive(t->target, t->bar, nullptr);
            DetachControl<Tracker>(hwnd);
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        default:
            break;
    }
    auto t = ControlOf<Tracker>(hwnd);
    if (!t)
        return DefWindowProc(hwnd, message, wParam, lParam);
    // The tracker lies at the screen origin without a frame: client points are screen points.
    switch (message) {
        case WM_MOUSEMOVE:
            t->tracking->Move(PointFromLParam(lParam));
            return 0;
        case WM_LBUTTONUP:
            t->tracking->Release(PointFromLParam(lParam));
            EndTracker(hwnd, *t);
            return 0;
        case WM_TIMER:
            if (wParam == kScrollTimerId)
                t->tracking->Timer();
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd && !t->finished) {
                t->tracking->Cancel();
                EndTracker(hwnd, *t);
            }
            return 0;
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

bool TrackWindowScrollBar(HWND hwnd, int bar, POINT pt) {
    (void)kOwnBarHooks;
    TrackerArgs args{hwnd, bar};
    HWND tracker = CreateWindowEx(WS_EX_TOOLWINDOW, kScrollTrackerClass, "", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, nullptr, &args);
    auto t = ControlOf<Tracker>(tracker);
    if (!t)
        return false;
    SetCapture(tracker);
    if (!t->tracking->Press(pt)) {
        EndTracker(tracker, *t);
        return false;
    }
    return true;
}

}  // namespace kq::ui::detail

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
    if (!info || !IsWindow(hwnd))
        return 0;
    if (bar == SB_CTL)
        return static_cast<int>(SendMessage(hwnd, SBM_SETSCROLLINFO, static_cast<WPARAM>(redraw),
                                            reinterpret_cast<LPARAM>(info)));
    if (bar != SB_HORZ && bar != SB_VERT)
        return 0;
    InstallOwnBarHooks();
    ScrollState state = UpdateScrollState(hwnd, bar, [info](ScrollState& s) { s.Apply(*info); });
    if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
        // A bar appears when there is something to scroll and goes when there is not, unless
        // it is asked to stay (disabled) instead.
        if (!state.RangeEmpty())
            ShowOwnBars(hwnd, BarStyle(bar), true);
        else if (!(info->fMask & SIF_DISABLENOSCROLL))
            ShowOwnBars(hwnd, BarStyle(bar), false);
    }
    if (redraw)
        RedrawOwnBar(hwnd, bar);
    return state.pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
    if (!info || !IsWindow(hwnd))
        return FALSE;
    if (bar == SB_CTL)
        return static_cast<BOOL>(
            SendMessage(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)));
    if (bar != SB_HORZ && bar != SB_VERT)
        return FALSE;
    GetScrollState(hwnd, bar).Fill(*info);
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
    const int old = GetScrollPos(hwnd, bar);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(hwnd, bar, &info, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    return GetScrollInfo(hwnd, bar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
    if (!IsWindow(hwnd))
        return FALSE;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, minPos, maxPos, 0, 0, 0};
    SetScrollInfo(hwnd, bar, &info, redraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(hwnd, bar, &info))
        return FALSE;
    if (minPos)
        *minPos = info.nMin;
    if (maxPos)
        *maxPos = info.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    if (!IsWindow(hwnd))
        return FALSE;
    if (bar == SB_CTL) {
        ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    if (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH)
        return FALSE;
    ShowOwnBars(hwnd, BarStyle(bar), show != FALSE);
    return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
    if (!IsWindow(hwnd))
        return FALSE;
    if (bar == SB_CTL)
        return static_cast<BOOL>(SendMessage(hwnd, SBM_ENABLE_ARROWS, arrows, 0));
    BOOL changed = FALSE;
    for (int b : {SB_HORZ, SB_VERT}) {
        if (bar != SB_BOTH && static_cast<int>(bar) != b)
            continue;
        const UINT before = GetScrollState(hwnd, b).disabledArrows;
        UpdateScrollState(
            hwnd, b, [arrows](ScrollState& s) { s.disabledArrows = arrows & ESB_DISABLE_BOTH; });
        changed |= before != (arrows & ESB_DISABLE_BOTH);
        RedrawOwnBar(hwnd, b);
    }
    return changed;
}
