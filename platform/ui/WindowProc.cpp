#include "platform/ui/WindowProc.h"

#include "platform/ui/menu/MenuBar.h"

#include <cstring>

#include "platform/ui/Cursor.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/WindowShow.h"
#include "platform/ui/controls/detail/ControlPaint.h"
#include "platform/ui/detail/ClassTable.h"
#include "platform/ui/detail/InputState.h"
#include "platform/ui/detail/NonClient.h"
#include "platform/ui/detail/Window.h"
#include "platform/ui/detail/WindowOps.h"
#include "platform/ui/dialog/DialogCodes.h"
#include "platform/ui/nonclient/DefNonClient.h"
#include "platform/ui/paint/DefPaint.h"

using namespace kq::ui::detail;

namespace {

struct Snapshot {
    bool valid = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    bool menuBar = false;
    bool child = false;
    HWND parent = nullptr;
    HWND topLevel = nullptr;
    RECT windowOnScreen{};
    RECT client{};  // in the parent's client coordinates
    HCURSOR classCursor = nullptr;
};

Snapshot Take(HWND hwnd) {
    Snapshot s;
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w)
        return s;
    s.valid = true;
    s.style = w->style;
    s.exStyle = w->exStyle;
    s.child = w->IsChild();
    s.menuBar = !s.child && w->id != 0;
    s.parent = w->parent ? w->parent->hwnd : nullptr;
    Window* top = TopLevelOf(w);
    s.topLevel = top ? top->hwnd : nullptr;
    s.windowOnScreen = WindowRectOnScreen(*w);
    s.client = w->client;
    OffsetRect(&s.client, w->rect.left, w->rect.top);
    s.classCursor = w->cls ? w->cls->cursor : nullptr;
    return s;
}

LRESULT SetText(HWND hwnd, LPCSTR text) {
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w)
        return FALSE;
    w->text = text ? text : "";
    return TRUE;
}

LRESULT CalcSize(HWND hwnd, WPARAM calcValidRects, LPARAM lParam) {
    Snapshot s = Take(hwnd);
    if (!s.valid || !lParam)
        return 0;
    RECT* r = calcValidRects ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                             : reinterpret_cast<RECT*>(lParam);
    *r = DefaultClientRect(s.style, s.exStyle, s.menuBar, (s.style & WS_MINIMIZE) != 0, *r);
    return 0;
}

LRESULT PositionChanged(HWND hwnd, LPARAM lParam) {
    const auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
    Snapshot s = Take(hwnd);
    if (!s.valid || !wp)
        return 0;
    if (!(wp->flags & SWP_NOCLIENTMOVE)) {
        SendMessage(hwnd, WM_MOVE, 0,
                    MAKELPARAM(static_cast<WORD>(s.client.left), static_cast<WORD>(s.client.top)));
    }
    if (!(wp->flags & SWP_NOCLIENTSIZE)) {
        WPARAM kind = (s.style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                      : (s.style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                : SIZE_RESTORED;
        SendMessage(hwnd, WM_SIZE, kind,
                    MAKELPARAM(s.client.right - s.client.left, s.client.bottom - s.client.top));
    }
    return 0;
}

LPCSTR CursorForHit(LRESULT hit) {
    switch (hit) {
        case HTLEFT:
        case HTRIGHT:
            return IDC_SIZEWE;
        case HTTOP:
        case HTBOTTOM:
            return IDC_SIZENS;
        case HTTOPLEFT:
        case HTBOTTOMRIGHT:
            return IDC_SIZENWSE;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT:
            return IDC_SIZENESW;
        default:
            return IDC_ARROW;
    }
}

LRESULT SetCursorDefault(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    Snapshot s = Take(hwnd);
    if (!s.valid)
        return FALSE;
    if (s.child && s.parent && SendMessage(s.parent, WM_SETCURSOR, wParam, lParam))
        return TRUE;
    const auto hit = static_cast<SHORT>(LOWORD(lParam));
    if (hit == HTERROR)
        return FALSE;
    if (hit == HTCLIENT) {
        if (!s.classCursor)
            return FALSE;
        SetCursor(s.classCursor);
        return TRUE;
    }
    SetCursor(LoadCursor(nullptr, CursorForHit(hit)));
    return TRUE;
}

LRESULT SysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            SendMessage(hwnd, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            ShowWindow(hwnd, SW_MINIMIZE);
            break;
        case SC_MAXIMIZE:
            ShowWindow(hwnd, SW_MAXIMIZE);
            break;
        case SC_RESTORE:
            ShowWindow(hwnd, SW_RESTORE);
            break;
        default:
            DefNonClientSysCommand(hwnd, wParam, lParam);
            break;
    }
    return 0;
}

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR ||
        message == WM_SYSCOMMAND) {
        // The keyboard's way into the menu bar (Alt, F10, Alt+letter, SC_KEYMENU).
        LRESULT result = 0;
        if (kq::ui::MenuBarDefaultHandling(hwnd, message, wParam, lParam, &result))
            return result;
    }
    switch (message) {
        case WM_NCCREATE: {
            const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
            if (cs && cs->lpszName)
                SetText(hwnd, cs->lpszName);
            return TRUE;
        }
        case WM_NCCALCSIZE:
            return CalcSize(hwnd, wParam, lParam);
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            // The system colours of the control, set in its DC, and the brush to erase with.
            return reinterpret_cast<LRESULT>(
                kq::ui::detail::DefaultControlColor(message, reinterpret_cast<HDC>(wParam)));
        case WM_NCHITTEST: {
            Snapshot s = Take(hwnd);
            if (!s.valid)
                return HTNOWHERE;
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            return DefaultHitTest(s.style, s.exStyle, s.menuBar, (s.style & WS_MINIMIZE) != 0,
                                  s.windowOnScreen, pt);
        }
        case WM_SETTEXT: {
            const LRESULT set = SetText(hwnd, reinterpret_cast<LPCSTR>(lParam));
            CaptionTextChanged(hwnd);
            return set;
        }
        case WM_GETTEXT: {
            std::lock_guard lock(TreeMutex());
            Window* w = Lookup(hwnd);
            if (!w)
                return 0;
            return CopyText(w->text, reinterpret_cast<LPSTR>(lParam), static_cast<int>(wParam));
        }
        case WM_GETTEXTLENGTH: {
            std::lock_guard lock(TreeMutex());
            Window* w = Lookup(hwnd);
            return w ? static_cast<LRESULT>(w->text.size()) : 0;
        }
        case WM_WINDOWPOSCHANGED:
            return PositionChanged(hwnd, lParam);
        case WM_ACTIVATE:
            // The focus goes back to the window inside that had it when the window was left,
            // unless that is a button, which had it from the click that pressed it.
            if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
                HWND back = FocusToGiveBack(hwnd);
                if (back && (SendMessage(back, WM_GETDLGCODE, 0, 0) &
                             (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
                    back = nullptr;
                SetFocus(back ? back : hwnd);
            }
            return 0;
        case WM_MOUSEACTIVATE: {
            Snapshot s = Take(hwnd);
            if (s.valid && s.child && s.parent) {
                if (LRESULT r = SendMessage(s.parent, WM_MOUSEACTIVATE, wParam, lParam))
                    return r;
            }
            return MA_ACTIVATE;
        }
        case WM_SETCURSOR:
            return SetCursorDefault(hwnd, wParam, lParam);
        case WM_MOUSEWHEEL: {
            Snapshot s = Take(hwnd);
            if (s.valid && s.child && s.parent)
                return SendMessage(s.parent, WM_MOUSEWHEEL, wParam, lParam);
            return 0;
        }
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_SYSCOMMAND:
            return SysCommand(hwnd, wParam, lParam);
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4 && (lParam & (1 << 29))) {
                Snapshot s = Take(hwnd);
                if (s.valid && s.topLevel)
                    SendMessage(s.topLevel, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return 0;
        case WM_CANCELMODE:
            if (GetCapture() == hwnd)
                ReleaseCapture();
            return 0;
        case WM_QUERYENDSESSION:
        case WM_QUERYOPEN:
            return TRUE;
        default:
            if (auto painted = DefPaintMessage(hwnd, message, wParam, lParam))
                return *painted;
            if (auto handled = DefNonClientMessage(hwnd, message, wParam, lParam))
                return *handled;
            return 0;
    }
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}
