// The "SCROLLBAR" control.
#include <memory>

#include "platform/ui/Focus.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowPos.h"
#include "platform/ui/WindowShow.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/controls/ScrollBar.h"
#include "platform/ui/controls/detail/ControlData.h"
#include "platform/ui/controls/detail/ControlPaint.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/controls/detail/ScrollPaint.h"
#include "platform/ui/controls/detail/ScrollStore.h"
#include "platform/ui/controls/detail/ScrollTracking.h"
#include "platform/ui/controls/detail/SystemClasses.h"
#include "platform/ui/dialog/DialogCodes.h"

using namespace kq::ui;
using namespace kq::ui::detail;

namespace {

struct ScrollBarControl {
    std::unique_ptr<ScrollTracking> tracking;
    bool keyScrolling = false;
};

bool IsVertical(HWND hwnd) {
    return (StyleOf(hwnd) & SBS_VERT) != 0;
}

// SBS_*ALIGN: the bar takes its standard thickness at one side of the rectangle it was
// created with.
void AlignToEdge(HWND hwnd, const CREATESTRUCT& cs) {
    const DWORD style = static_cast<DWORD>(cs.style);
    if (style & (SBS_SIZEBOX | SBS_SIZEGRIP))
        return;
    int x = cs.x, y = cs.y, cx = cs.cx, cy = cs.cy;
    if (style & SBS_VERT) {
        const int w = GetSystemMetrics(SM_CXVSCROLL);
        if (style & SBS_LEFTALIGN)
            cx = w;
        else if (style & SBS_RIGHTALIGN)
            x += cx - w, cx = w;
        else
            return;
    } else {
        const int h = GetSystemMetrics(SM_CYHSCROLL);
        if (style & SBS_TOPALIGN)
            cy = h;
        else if (style & SBS_BOTTOMALIGN)
            y += cy - h, cy = h;
        else
            return;
    }
    SetWindowPos(hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::unique_ptr<ScrollTracking> MakeTracking(HWND hwnd) {
    ScrollTracking::Config c;
    c.timerWindow = hwnd;
    c.stateWindow = hwnd;
    c.bar = SB_CTL;
    c.notifyWindow = GetParent(hwnd);
    c.vertical = IsVertical(hwnd);
    c.message = c.vertical ? WM_VSCROLL : WM_HSCROLL;
    c.lParam = reinterpret_cast<LPARAM>(hwnd);
    c.barRect = [hwnd] {
        RECT r{};
        GetClientRect(hwnd, &r);
        return r;
    };
    c.enabled = [hwnd] { return IsWindowEnabled(hwnd) != FALSE; };
    return std::make_unique<ScrollTracking>(std::move(c));
}

void SendKeyCode(HWND hwnd, WORD code) {
    SendToParent(hwnd, IsVertical(hwnd) ? WM_VSCROLL : WM_HSCROLL, code,
                 reinterpret_cast<LPARAM>(hwnd));
}

bool KeyCode(WPARAM vk, WORD* code) {
    switch (vk) {
        case VK_UP:
        case VK_LEFT:
            *code = SB_LINEUP;
            return true;
        case VK_DOWN:
        case VK_RIGHT:
            *code = SB_LINEDOWN;
            return true;
        case VK_PRIOR:
            *code = SB_PAGEUP;
            return true;
        case VK_NEXT:
            *code = SB_PAGEDOWN;
            return true;
        case VK_HOME:
            *code = SB_TOP;
            return true;
        case VK_END:
            *code = SB_BOTTOM;
            return true;
        default:
            return false;
    }
}

LRESULT SetInfo(HWND hwnd, const SCROLLINFO* info) {
    if (!info)
        return 0;
    return UpdateScrollState(hwnd, SB_CTL, [info](ScrollState& s) { s.Apply(*info); }).pos;
}

}  // namespace

namespace kq::ui::detail {

LRESULT HandleScrollBar(HWND hwnd, ScrollBarControl* sb, UINT message, WPARAM wParam,
                        LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            sb->tracking = MakeTracking(hwnd);
            AlignToEdge(hwnd, *reinterpret_cast<const CREATESTRUCT*>(lParam));
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintWith(hwnd, wParam, [&](HDC dc) {
                RECT client{};
                GetClientRect(hwnd, &client);
                HBRUSH track = ControlBackground(hwnd, WM_CTLCOLORSCROLLBAR, dc);
                PaintScrollBar(dc, client, IsVertical(hwnd), GetScrollState(hwnd, SB_CTL),
                               IsWindowEnabled(hwnd) != FALSE, sb->tracking->Pressed(), track);
            });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (StyleOf(hwnd) & WS_TABSTOP)
                SetFocus(hwnd);
            if (!IsWindow(hwnd))
                return 0;
            SetCapture(hwnd);
            if (!sb->tracking->Press(PointFromLParam(lParam)) && GetCapture() == hwnd)
                ReleaseCapture();
            return 0;
        case WM_MOUSEMOVE:
            if (sb->tracking->Active())
                sb->tracking->Move(PointFromLParam(lParam));
            return 0;
        case WM_LBUTTONUP:
            if (sb->tracking->Active()) {
                sb->tracking->Release(PointFromLParam(lParam));
                if (GetCapture() == hwnd)
                    ReleaseCapture();
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd)
                sb->tracking->Cancel();
            return 0;
        case WM_TIMER:
            if (wParam == kScrollTimerId)
                sb->tracking->Timer();
            return 0;
        case WM_KEYDOWN: {
            WORD code;
            if (!KeyCode(wParam, &code))
                return 0;
            sb->keyScrolling = true;
            SendKeyCode(hwnd, code);
            return 0;
        }
        case WM_KEYUP: {
            WORD code;
            if (KeyCode(wParam, &code) && sb->keyScrolling) {
                sb->keyScrolling = false;
                SendKeyCode(hwnd, SB_ENDSCROLL);
            }
            return 0;
        }
        case SBM_SETPOS: {
            const int old = GetScrollState(hwnd, SB_CTL).pos;
            SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, static_cast<int>(wParam), 0};
            SetInfo(hwnd, &info);
            return old;
        }
        case SBM_GETPOS:
            return GetScrollState(hwnd, SB_CTL).pos;
        case SBM_SETRANGE:
        case SBM_SETRANGEREDRAW: {
            const int old = GetScrollState(hwnd, SB_CTL).pos;
            SCROLLINFO info{sizeof(SCROLLINFO),
                            SIF_RANGE,
                            static_cast<int>(wParam),
                            static_cast<int>(lParam),
                            0,
                            0,
                            0};
            SetInfo(hwnd, &info);
            return old;
        }
        case SBM_GETRANGE: {
            ScrollState s = GetScrollState(hwnd, SB_CTL);
            if (wParam)
                *reinterpret_cast<int*>(wParam) = s.min;
            if (lParam)
                *reinterpret_cast<int*>(lParam) = s.max;
            return 0;
        }
        case SBM_ENABLE_ARROWS: {
            const UINT arrows = static_cast<UINT>(wParam) & ESB_DISABLE_BOTH;
            const UINT before = GetScrollState(hwnd, SB_CTL).disabledArrows;
            UpdateScrollState(hwnd, SB_CTL,
                              [arrows](ScrollState& s) { s.disabledArrows = arrows; });
            return before != arrows;
        }
        case SBM_SETSCROLLINFO:
            return SetInfo(hwnd, reinterpret_cast<const SCROLLINFO*>(lParam));
        case SBM_GETSCROLLINFO: {
            auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
            if (!info)
                return FALSE;
            GetScrollState(hwnd, SB_CTL).Fill(*info);
            return TRUE;
        }
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

LRESULT ScrollBarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            AttachControl(hwnd, std::make_shared<ScrollBarControl>());
            return DefWindowProc(hwnd, message, wParam, lParam);
        case WM_NCDESTROY:
            ForgetScrollStates(hwnd);
            DetachControl<ScrollBarControl>(hwnd);
            return 0;
        default:
            break;
    }
    auto sb = ControlOf<ScrollBarControl>(hwnd);
    if (!sb)
        return DefWindowProc(hwnd, message, wParam, lParam);
    const LRESULT result = HandleScrollBar(hwnd, sb.get(), message, wParam, lParam);
    if (MayChangeLook(message) && IsWindow(hwnd))
        Redraw(hwnd);
    return result;
}

}  // namespace kq::ui::detail
