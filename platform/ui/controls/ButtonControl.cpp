// The "BUTTON" control.
#include <memory>

#include "platform/ui/Focus.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/WindowPos.h"
#include "platform/ui/WindowShow.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/controls/detail/ButtonState.h"
#include "platform/ui/controls/detail/ControlData.h"
#include "platform/ui/controls/detail/ControlPaint.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/controls/detail/SystemClasses.h"
#include "platform/ui/dialog/DialogCodes.h"
#include "platform/ui/dialog/detail/DialogFocus.h"

using namespace kq::ui;
using namespace kq::ui::detail;

namespace {

DWORD TypeOf(HWND hwnd) {
    return StyleOf(hwnd) & BS_TYPEMASK;
}

bool IsCheckType(DWORD type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE;
}

bool IsRadioType(DWORD type) {
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool IsPushType(DWORD type) {
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW ||
           type == BS_USERBUTTON || type == BS_PUSHBOX;
}

void SetCheck(HWND hwnd, ButtonState& b, WPARAM value) {
    const DWORD type = TypeOf(hwnd);
    if (!IsCheckType(type) && !IsRadioType(type))
        return;
    UINT check = static_cast<UINT>(value) & (BST_CHECKED | BST_INDETERMINATE);
    if (check == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE)
        check = BST_CHECKED;
    b.check = check;
    // The checked radio button of a group is the one Tab stops at.
    if (IsRadioType(type))
        SetStyleBits(hwnd, WS_TABSTOP, check ? WS_TABSTOP : 0);
}

void Click(HWND hwnd, ButtonState& b) {
    switch (TypeOf(hwnd)) {
        case BS_AUTOCHECKBOX:
            SetCheck(hwnd, b, b.check == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED);
            break;
        case BS_AUTO3STATE:
            SetCheck(hwnd, b, (b.check + 1) % 3);
            break;
        case BS_AUTORADIOBUTTON:
            SetCheck(hwnd, b, BST_CHECKED);
            for (HWND other : GroupOf(hwnd)) {
                if (other != hwnd && (SendMessage(other, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
                    SendMessage(other, BM_SETCHECK, BST_UNCHECKED, 0);
            }
            break;
        default:
            break;
    }
    if (IsWindow(hwnd))
        NotifyParent(hwnd, BN_CLICKED);
}

// Ends a press by mouse or space bar; clicks when it ended on the button.
void EndPress(HWND hwnd, ButtonState& b, bool click) {
    const bool wasPushed = b.pushed;
    b.pushed = false;
    b.mouseTracking = false;
    b.spaceDown = false;
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (click && wasPushed && IsWindow(hwnd))
        Click(hwnd, b);
}

bool NotifiesDoubleClick(HWND hwnd) {
    const DWORD type = TypeOf(hwnd);
    return (StyleOf(hwnd) & BS_NOTIFY) || IsRadioType(type) || type == BS_OWNERDRAW ||
           type == BS_USERBUTTON;
}

LRESULT DialogCode(HWND hwnd, const ButtonState& b) {
    const DWORD type = TypeOf(hwnd);
    if (type == BS_GROUPBOX)
        return DLGC_STATIC;
    if (IsRadioType(type))
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    if (type == BS_DEFPUSHBUTTON || (type == BS_OWNERDRAW && b.ownerDrawDefault))
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    if (IsPushType(type))
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    return DLGC_BUTTON;
}

void SetButtonStyle(HWND hwnd, ButtonState& b, WPARAM style) {
    const DWORD type = static_cast<DWORD>(style) & BS_TYPEMASK;
    // The dialog manager moves the default between push buttons with BM_SETSTYLE; an
    // owner-drawn button stays owner-drawn and only remembers whether it is the default.
    if (TypeOf(hwnd) == BS_OWNERDRAW && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
        b.ownerDrawDefault = type == BS_DEFPUSHBUTTON;
        return;
    }
    SetStyleBits(hwnd, BS_TYPEMASK, type);
}

LRESULT Handle(HWND hwnd, ButtonState& b, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            if (IsRadioType(TypeOf(hwnd)) || IsCheckType(TypeOf(hwnd)))
                b.check = BST_UNCHECKED;
            return 0;
        case WM_GETDLGCODE:
            return DialogCode(hwnd, b);
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintWith(hwnd, wParam, [&](HDC dc) { PaintButton(hwnd, b, dc); });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:
            // A group box lets the mouse through to what lies inside it.
            if (TypeOf(hwnd) == BS_GROUPBOX)
                return HTTRANSPARENT;
            return DefWindowProc(hwnd, message, wParam, lParam);
        case WM_SETFONT:
            b.font = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(b.font);
        case WM_LBUTTONDBLCLK:
            if (NotifiesDoubleClick(hwnd)) {
                NotifyParent(hwnd, BN_DBLCLK);
                return 0;
            }
            [[fallthrough]];
        case WM_LBUTTONDOWN:
            if (TypeOf(hwnd) == BS_GROUPBOX)
                return 0;
            SetFocus(hwnd);
            if (!IsWindow(hwnd))
                return 0;
            SetCapture(hwnd);
            b.mouseTracking = true;
            b.pushed = true;
            return 0;
        case WM_MOUSEMOVE:
            if (b.mouseTracking) {
                RECT client{};
                GetClientRect(hwnd, &client);
                b.pushed = PtInRect(&client, PointFromLParam(lParam)) != FALSE;
            }
            return 0;
        case WM_LBUTTONUP:
            if (b.mouseTracking) {
                RECT client{};
                GetClientRect(hwnd, &client);
                b.pushed = PtInRect(&client, PointFromLParam(lParam)) != FALSE;
                EndPress(hwnd, b, true);
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (b.mouseTracking && reinterpret_cast<HWND>(lParam) != hwnd) {
                b.mouseTracking = false;
                b.pushed = false;
            }
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE && !(lParam & (1 << 30)) && TypeOf(hwnd) != BS_GROUPBOX &&
                !b.mouseTracking) {
                b.spaceDown = true;
                b.pushed = true;
            }
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE && b.spaceDown)
                EndPress(hwnd, b, true);
            return 0;
        case WM_SETFOCUS:
            b.focused = true;
            ControlFocused(hwnd);
            if (IsWindow(hwnd) && (StyleOf(hwnd) & BS_NOTIFY))
                NotifyParent(hwnd, BN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            b.focused = false;
            if (b.spaceDown || b.mouseTracking)
                EndPress(hwnd, b, false);
            if (IsWindow(hwnd) && (StyleOf(hwnd) & BS_NOTIFY))
                NotifyParent(hwnd, BN_KILLFOCUS);
            return 0;
        case WM_ENABLE:
            if (!wParam && (b.spaceDown || b.mouseTracking))
                EndPress(hwnd, b, false);
            return 0;
        case BM_GETCHECK:
            return b.check;
        case BM_SETCHECK:
            SetCheck(hwnd, b, wParam);
            return 0;
        case BM_GETSTATE:
            return b.check | (b.pushed ? BST_PUSHED : 0) | (b.focused ? BST_FOCUS : 0);
        case BM_SETSTATE:
            b.pushed = wParam != 0;
            return 0;
        case BM_SETSTYLE:
            SetButtonStyle(hwnd, b, wParam);
            return 0;
        case BM_CLICK:
            if (!IsWindowEnabled(hwnd))
                return 0;
            SendMessage(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            if (IsWindow(hwnd))
                SendMessage(hwnd, WM_LBUTTONUP, 0, 0);
            return 0;
        case BM_SETIMAGE: {
            HANDLE old = b.image;
            b.image = reinterpret_cast<HANDLE>(lParam);
            b.imageType = static_cast<UINT>(wParam);
            return reinterpret_cast<LRESULT>(old);
        }
        case BM_GETIMAGE:
            return static_cast<UINT>(wParam) == b.imageType ? reinterpret_cast<LRESULT>(b.image)
                                                            : 0;
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

namespace kq::ui::detail {

LRESULT ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        AttachControl(hwnd, std::make_shared<ButtonState>());
    auto b = ControlOf<ButtonState>(hwnd);
    if (message == WM_NCDESTROY) {
        DetachControl<ButtonState>(hwnd);
        return 0;
    }
    if (!b)
        return DefWindowProc(hwnd, message, wParam, lParam);
    const LRESULT result = Handle(hwnd, *b, message, wParam, lParam);
    if (MayChangeLook(message) && IsWindow(hwnd))
        Redraw(hwnd);
    return result;
}

}  // namespace kq::ui::detail
