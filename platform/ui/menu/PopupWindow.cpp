#include "platform/ui/menu/PopupWindow.h"

#include "platform/gfx/UserDrawConstants.h"
#include "platform/ui/WinUser.h"

namespace kq::ui::menu {
namespace {

PopupView* ViewOf(HWND hwnd) {
    return reinterpret_cast<PopupView*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK PopupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
            SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
            break;
        }
        case WM_MOUSEACTIVATE:
            // Menus never take the activation from the window they belong to.
            return MA_NOACTIVATE;
        case WM_PRINTCLIENT:
            if (PopupView* view = ViewOf(hwnd))
                PaintPopup(*view, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            HDC hdc = BeginPaint(hwnd, &ps);
            if (PopupView* view = ViewOf(hwnd); view && hdc)
                PaintPopup(*view, hdc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        default:
            break;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

bool EnsureClass() {
    WNDCLASS existing{};
    if (GetClassInfo(nullptr, kMenuWindowClass, &existing))
        return true;
    WNDCLASS wc{};
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = PopupProc;
    wc.lpszClassName = kMenuWindowClass;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_MENU + 1));
    return RegisterClass(&wc) != 0;
}

}  // namespace

void RepaintSelection(HWND popup, const PopupView& view, int oldIndex, int newIndex) {
    if (!IsWindowVisible(popup))
        return;
    HDC hdc = GetDC(popup);
    if (!hdc)
        return;
    for (int index : {oldIndex, newIndex})
        if (index >= 0)
            PaintPopupItem(view, hdc, index, ODA_SELECT);
    ReleaseDC(popup, hdc);
}

HWND CreatePopupWindow(PopupView& view, HWND owner, RECT screen) {
    if (!EnsureClass())
        return nullptr;
    return CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kMenuWindowClass, "", WS_POPUP,
                          screen.left, screen.top, screen.right - screen.left,
                          screen.bottom - screen.top, owner, nullptr, nullptr, &view);
}

}  // namespace kq::ui::menu
