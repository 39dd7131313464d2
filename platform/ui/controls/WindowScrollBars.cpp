// The scroll-bar functions and the tracking of a window's own scroll bars.
#include <memory>

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
#include "platform/ui/controls/detail/ScrollStore.h"
#include "platform/ui/controls/detail/ScrollTracking.h"
#include "platform/ui/controls/detail/SystemClasses.h"
#include "platform/ui/controls/detail/WindowScrollTracker.h"

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

struct TrackerArgs {
    HWND target;
    int bar;
};

struct Tracker {
    std::unique_ptr<ScrollTracking> tracking;
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
            t->tracking = std::make_unique<ScrollTracking>(std::move(c));
            return TRUE;
        }
        case WM_NCDESTROY:
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
    ScrollState state = UpdateScrollState(hwnd, bar, [info](ScrollState& s) { s.Apply(*info); });
    if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
        // A bar appears when there is something to scroll and goes when there is not, unless
        // it is asked to stay (disabled) instead.
        if (!state.RangeEmpty())
            ShowOwnBars(hwnd, BarStyle(bar), true);
        else if (!(info->fMask & SIF_DISABLENOSCROLL))
            ShowOwnBars(hwnd, BarStyle(bar), false);
    }
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
    }
    return changed;
}
