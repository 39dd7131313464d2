#include "platform/ui/commctrl/detail/ControlWindow.h"

#include "platform/gfx/WinGdi.h"

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
    return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void ControlWindow::Invalidate() const {
    // The window system paints controls through WM_PAINT once it tracks invalid areas; until
    // then a control is drawn whenever it is asked to draw (WM_PRINTCLIENT), always from its
    // current state, so nothing needs recording here.
}

LRESULT ControlWindow::Notify(UINT code, NMHDR* header) const {
    header->hwndFrom = hwnd_;
    header->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_));
    header->code = code;
    HWND parent = GetParent(hwnd_);
    if (!parent)
        return 0;
    return SendMessage(parent, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
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
    wc.cbWndExtra = static_cast<int>(sizeof(LONG_PTR));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    return RegisterClass(&wc);
}

ControlWindow* ControlOf(HWND hwnd) {
    return reinterpret_cast<ControlWindow*>(GetWindowLongPtr(hwnd, 0));
}

void AttachControl(HWND hwnd, ControlWindow* control) {
    SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(control));
}

}  // namespace kq::ui::commctrl
