// The window procedure of dialogs.
#include <algorithm>

#include "platform/gfx/UserDraw.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/TextMetrics.h"
#include "platform/ui/controls/detail/ControlPaint.h"
#include "platform/ui/controls/detail/SystemClasses.h"
#include "platform/ui/detail/WindowOps.h"
#include "platform/ui/dialog/Dialog.h"
#include "platform/ui/dialog/detail/DialogState.h"
#include "platform/ui/menu/MenuApi.h"

using namespace kq::ui::detail;

namespace {

bool ReturnsDirectly(UINT message) {
    switch (message) {
        case WM_INITDIALOG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
            return true;
        default:
            return false;
    }
}

bool IsWithin(HWND dialog, HWND hwnd) {
    return hwnd && (hwnd == dialog || IsChild(dialog, hwnd));
}

// Where the focus already left the dialog (a modal box disabled it first), the control it left.
void SaveFocus(HWND dialog, DialogState& state) {
    HWND focus = GetFocus();
    if (!focus || !IsChild(dialog, focus))
        focus = kq::ui::detail::FocusToGiveBack(dialog);
    if (focus && IsChild(dialog, focus))
        state.savedFocus = focus;
}

// The dialog became active or got the focus: the focus goes back to the control that had
// it, else to the first tab stop.
void RestoreFocus(HWND dialog, DialogState& state) {
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus))
        return;
    HWND target = state.savedFocus;
    if (!target || !IsWindow(target) || !IsChild(dialog, target) || !IsWindowEnabled(target) ||
        !IsWindowVisible(target))
        target = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (target)
        kq::ui::SetDialogFocus(dialog, target);
}

void SetDefId(HWND dialog, DialogState& state, int id) {
    state.defId = id;
    UpdateDefaultButton(dialog, GetFocus() && IsChild(dialog, GetFocus()) ? GetFocus() : nullptr);
}

void NextControl(HWND dialog, WPARAM wParam, LPARAM lParam) {
    HWND focus = GetFocus();
    HWND target;
    if (LOWORD(lParam)) {
        target = reinterpret_cast<HWND>(wParam);
    } else {
        HWND from = IsWithin(dialog, focus) && focus != dialog ? focus : nullptr;
        target = GetNextDlgTabItem(dialog, from, wParam != 0);
    }
    if (target && IsChild(dialog, target))
        kq::ui::SetDialogFocus(dialog, target);
}

// Keeps a top-level dialog inside the work area of its monitor.
void Reposition(HWND dialog) {
    RECT r{};
    GetWindowRect(dialog, &r);
    MONITORINFO mi{sizeof(MONITORINFO), {}, {}, 0};
    if (!GetMonitorInfo(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &mi))
        return;
    const RECT& w = mi.rcWork;
    LONG x = std::min(r.left, w.right - (r.right - r.left));
    LONG y = std::min(r.top, w.bottom - (r.bottom - r.top));
    x = std::max(x, w.left);
    y = std::max(y, w.top);
    if (x != r.left || y != r.top)
        SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The background is the brush the dialog answers WM_CTLCOLORDLG with, the button face by
// default.
void EraseBackground(HWND dialog, HDC dc) {
    HBRUSH fallback = DefaultControlColor(WM_CTLCOLORDLG, dc);
    auto chosen = reinterpret_cast<HBRUSH>(SendMessage(
        dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dialog)));
    RECT client{};
    GetClientRect(dialog, &client);
    FillRect(dc, &client, chosen ? chosen : fallback);
}

LRESULT DefaultHandling(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto state = DialogStateOf(dialog, true);
    if (!state)
        return DefWindowProc(dialog, message, wParam, lParam);
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE)
                SaveFocus(dialog, *state);
            else
                RestoreFocus(dialog, *state);
            return 0;
        case WM_SETFOCUS:
            RestoreFocus(dialog, *state);
            return 0;
        case WM_SHOWWINDOW:
            if (!wParam)
                SaveFocus(dialog, *state);
            return DefWindowProc(dialog, message, wParam, lParam);
        case WM_CLOSE: {
            // Closing is cancelling, unless the Cancel button is disabled.
            HWND cancel = GetDlgItem(dialog, IDCANCEL);
            if (!cancel || IsWindowEnabled(cancel))
                SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                            reinterpret_cast<LPARAM>(cancel));
            return 0;
        }
        case WM_ERASEBKGND:
            if (HDC dc = reinterpret_cast<HDC>(wParam))
                EraseBackground(dialog, dc);
            return TRUE;
        case WM_NEXTDLGCTL:
            NextControl(dialog, wParam, lParam);
            return 0;
        case DM_GETDEFID:
            return state->defId ? MAKELRESULT(state->defId, DC_HASDEFID) : 0;
        case DM_SETDEFID:
            SetDefId(dialog, *state, static_cast<int>(wParam));
            return TRUE;
        case DM_REPOSITION:
            if (!(GetWindowLong(dialog, GWL_STYLE) & WS_CHILD))
                Reposition(dialog);
            return 0;
        case WM_SETFONT:
            state->font = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state->font);
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            if (HDC dc = reinterpret_cast<HDC>(wParam))
                return reinterpret_cast<LRESULT>(DefaultControlColor(message, dc));
            return 0;
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
            return -1;
        case WM_NCDESTROY:
            if (state->ownsFont && state->font)
                kq::ui::GetTextMetricsSource()->DeleteDialogFont(state->font);
            if (state->ownMenu)
                DestroyMenu(state->ownMenu);
            ForgetDialogState(dialog);
            return DefWindowProc(dialog, message, wParam, lParam);
        default:
            return DefWindowProc(dialog, message, wParam, lParam);
    }
}

}  // namespace

LRESULT DefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        DialogStateOf(dialog, true);
    auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtr(dialog, DWLP_DLGPROC));
    if (proc) {
        SetWindowLongPtr(dialog, DWLP_MSGRESULT, 0);
        const INT_PTR handled = proc(dialog, message, wParam, lParam);
        // Whatever the dialog procedure says, the dialog's own state goes with the window.
        if (handled && message != WM_NCDESTROY) {
            if (ReturnsDirectly(message))
                return handled;
            return IsWindow(dialog) ? GetWindowLongPtr(dialog, DWLP_MSGRESULT) : 0;
        }
        if (!IsWindow(dialog))
            return 0;
    }
    return DefaultHandling(dialog, message, wParam, lParam);
}

namespace kq::ui::detail {

LRESULT DialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefDlgProc(hwnd, message, wParam, lParam);
}

}  // namespace kq::ui::detail
