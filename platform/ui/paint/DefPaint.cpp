#include "platform/ui/paint/DefPaint.h"

#include "platform/gfx/UserDraw.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/WindowPos.h"
#include "platform/ui/detail/Window.h"
#include "platform/ui/paint/Invalidation.h"
#include "platform/ui/paint/Painting.h"
#include "platform/ui/paint/PrintWindow.h"

namespace kq::ui::detail {
namespace {

LRESULT EraseBackground(HWND hwnd, HDC hdc) {
    HBRUSH brush = nullptr;
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        if (!w || !w->cls)
            return 0;
        brush = w->cls->background;
    }
    if (!brush || !hdc)
        return 0;
    RECT rc{};
    GetClientRect(hwnd, &rc);
    FillRect(hdc, &rc, brush);
    return 1;
}

LRESULT SetRedraw(HWND hwnd, bool on) {
    std::lock_guard lock(TreeMutex());
    if (Window* w = Lookup(hwnd))
        w->paint.redrawOff = !on;
    return 0;
}

}  // namespace

std::optional<LRESULT> DefPaintMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            if (!wParam) {
                PAINTSTRUCT ps;
                BeginPaint(hwnd, &ps);
                EndPaint(hwnd, &ps);
            }
            return 0;
        case WM_ERASEBKGND:
            return EraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
        case WM_SETREDRAW:
            return SetRedraw(hwnd, wParam != 0);
        case WM_PRINT:
            DefPrint(hwnd, reinterpret_cast<HDC>(wParam), lParam);
            return 0;
        case WM_PRINTCLIENT:
            SendMessage(hwnd, WM_PAINT, wParam, 0);
            return 0;
        default:
            return std::nullopt;
    }
}

}  // namespace kq::ui::detail
