#include "platform/ui/commctrl/detail/ControlWindow.h"

#include "platform/gfx/WinGdi.h"
#include "platform/ui/paint/Painting.h"

namespace kq::ui::commctrl {

DWORD ControlWindow::Style() const {
    return static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE));
}

RECT ControlWindow::ClientRect() const {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    return rc;
}

bool ControlWindow::HasFocus() const {
    return GetFocus() == hwnd_;
}

bool ControlWindow::IsEnabled() const {
    return IsWindowEnabled(hwnd_) != FALSE;
}

HFONT ControlWindow::Font() const {
    return font_ ? font_ : DefaultControlFont();
}

void ControlWindow::Invalidate() const {
    // Every pixel is drawn by Paint, so no background erase is needed first.
    InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT ControlWindow::Notify(UINT code, NMHDR* header) const {
    return SendNotify(hwnd_, code, header);
}

void ControlWindow::SendScroll(UINT message, WORD code, WORD pos) const {
    if (HWND parent = GetParent(hwnd_))
        SendMessage(parent, message, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(hwnd_));
}

bool ControlWindow::HandleCommon(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam))
                Invalidate();
            return true;
        case WM_GETFONT:
            result = reinterpret_cast<LRESULT>(font_);
            return true;
        case WM_PAINT:
            // A DC in wParam asks the control to draw into it, as WM_PRINTCLIENT does.
            if (!wParam) {
                PAINTSTRUCT ps{};
                if (HDC hdc = BeginPaint(hwnd_, &ps)) {
                    Paint(hdc, ps.rcPaint);
                    EndPaint(hwnd_, &ps);
                }
                return true;
            }
            [[fallthrough]];
        case WM_PRINTCLIENT:
            if (HDC hdc = reinterpret_cast<HDC>(wParam)) {
                RECT rc = ClientRect();
                Paint(hdc, rc);
            }
            return true;
        case WM_ERASEBKGND:
            // Paint fills every pixel itself.
            result = 1;
            return true;
        default:
            return false;
    }
}

ATOM RegisterControlClass(const char* name, WNDPROC proc, UINT classStyle) {
    WNDCLASS wc{};
    wc.style = classStyle | CS_GLOBALCLASS;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = kExtraBytes;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    return RegisterClass(&wc);
}

}  // namespace kq::ui::commctrl
