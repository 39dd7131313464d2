#include "platform/ui/commctrl/detail/PaintTools.h"

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/WinUser.h"

namespace kq::ui::commctrl {

void FillColor(HDC hdc, const RECT& rc, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &rc, brush);
    DeleteObject(brush);
}

void DrawLine(HDC hdc, POINT from, POINT to, COLORREF color) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(hdc, pen);
    MoveToEx(hdc, from.x, from.y, nullptr);
    LineTo(hdc, to.x, to.y);
    SetPixelV(hdc, to.x, to.y, color);
    SelectObject(hdc, old);
    DeleteObject(pen);
}

void FillPolygon(HDC hdc, const POINT* points, int count, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldBrush = SelectObject(hdc, brush);
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    Polygon(hdc, points, count);
    SelectObject(hdc, oldPen);
    SelectObject(hdc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

HBRUSH ParentBackground(HWND control, HDC hdc, UINT ctlColorMessage) {
    if (HWND parent = GetParent(control)) {
        LRESULT brush = SendMessage(parent, ctlColorMessage, reinterpret_cast<WPARAM>(hdc),
                                    reinterpret_cast<LPARAM>(control));
        if (brush)
            return reinterpret_cast<HBRUSH>(brush);
    }
    return GetSysColorBrush(COLOR_BTNFACE);
}

SelectGuard::SelectGuard(HDC hdc, void* object) : hdc_(hdc), old_(SelectObject(hdc, object)) {}

SelectGuard::~SelectGuard() {
    if (old_)
        SelectObject(hdc_, old_);
}

}  // namespace kq::ui::commctrl
