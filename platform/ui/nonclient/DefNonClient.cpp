#include "platform/ui/nonclient/DefNonClient.h"

#include "platform/ui/Messages.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/WindowData.h"
#include "platform/ui/WindowShow.h"
#include "platform/ui/detail/Window.h"
#include "platform/ui/nonclient/CaptionButtons.h"
#include "platform/ui/nonclient/MoveSize.h"
#include "platform/ui/nonclient/NonClientHooks.h"
#include "platform/ui/nonclient/NonClientPaint.h"

namespace kq::ui::detail {
namespace {

// The WM_SYSCOMMAND a press on a part of the frame stands for; 0 for none.
WPARAM CommandForPress(LRESULT hit) {
    if (hit == HTCAPTION)
        return SC_MOVE | HTCAPTION;
    if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT)
        return SC_SIZE | static_cast<WPARAM>(hit - HTLEFT + WMSZ_LEFT);
    if (hit == HTVSCROLL)
        return SC_VSCROLL | HTVSCROLL;
    if (hit == HTHSCROLL)
        return SC_HSCROLL | HTHSCROLL;
    if (hit == HTMENU)
        return SC_MOUSEMENU | HTMENU;
    return 0;
}

LRESULT PressDown(HWND hwnd, WPARAM hit, LPARAM lParam) {
    const auto h = static_cast<LRESULT>(hit);
    if (h == HTCLOSE || h == HTMAXBUTTON || h == HTMINBUTTON) {
        TrackCaptionButton(hwnd, h);
        return 0;
    }
    if (WPARAM command = CommandForPress(h))
        SendMessage(hwnd, WM_SYSCOMMAND, command, lParam);
    return 0;
}

LRESULT DoubleClick(HWND hwnd, WPARAM hit, LPARAM lParam) {
    const LONG style = GetWindowLong(hwnd, GWL_STYLE);
    switch (static_cast<LRESULT>(hit)) {
        case HTCAPTION:
            if (style & WS_MINIMIZE)
                SendMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, lParam);
            else if (style & WS_MAXIMIZEBOX)
                SendMessage(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
            return 0;
        case HTSYSMENU:
            if (style & WS_SYSMENU)
                SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
            return 0;
        default:
            // Elsewhere the second press of a double-click acts as a press.
            return PressDown(hwnd, hit, lParam);
    }
}

LRESULT Activate(HWND hwnd, WPARAM active, LPARAM lParam) {
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w)
            return TRUE;
        w->paint.frameActive = active != 0;
    }
    if (lParam != -1)
        RedrawFrameNow(hwnd);
    return TRUE;
}

}  // namespace

std::optional<LRESULT> DefNonClientMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCPAINT:
            DefNcPaint(hwnd, wParam);
            return 0;
        case WM_NCACTIVATE:
            return Activate(hwnd, wParam, lParam);
        case WM_NCLBUTTONDOWN:
            return PressDown(hwnd, wParam, lParam);
        case WM_NCLBUTTONDBLCLK:
            return DoubleClick(hwnd, wParam, lParam);
        default:
            return std::nullopt;
    }
}

bool DefNonClientSysCommand(HWND hwnd, WPARAM command, LPARAM lParam) {
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (command & 0xFFF0) {
        case SC_MOVE:
        case SC_SIZE:
            StartMoveSize(hwnd, command, pt);
            return true;
        case SC_MOUSEMENU:
            if (auto track = GetNonClientHooks().trackMenuBar)
                track(hwnd, pt);
            return true;
        case SC_HSCROLL:
        case SC_VSCROLL:
            if (auto track = GetNonClientHooks().trackScrollBar)
                track(hwnd, (command & 0xFFF0) == SC_VSCROLL ? 1 : 0, pt);
            return true;
        default:
            return false;
    }
}

void CaptionTextChanged(HWND hwnd) {
    if ((GetWindowLong(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
        RedrawFrameNow(hwnd);
}

}  // namespace kq::ui::detail
