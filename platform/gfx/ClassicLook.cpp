#include "platform/gfx/ClassicLook.h"

#include <algorithm>

#include "platform/gfx/SysColors.h"
#include "platform/gfx/WinGdi.h"

namespace kq::gfx {

void FillSolid(HDC hdc, const RECT& rc, COLORREF color) {
    const COLORREF old = ::SetBkColor(hdc, color);
    ::ExtTextOut(hdc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(hdc, old);
}

void Frame3d(HDC hdc, const RECT& rc, COLORREF topLeft, COLORREF bottomRight) {
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0)
        return;
    FillSolid(hdc, RECT{rc.left, rc.top, rc.right - 1, rc.top + 1}, topLeft);
    FillSolid(hdc, RECT{rc.left, rc.top, rc.left + 1, rc.bottom - 1}, topLeft);
    FillSolid(hdc, RECT{rc.right - 1, rc.top, rc.right, rc.bottom}, bottomRight);
    FillSolid(hdc, RECT{rc.left, rc.bottom - 1, rc.right, rc.bottom}, bottomRight);
}

void DrawSymbol(HDC hdc, int x, int y, int em, char symbol, COLORREF color) {
    if (em <= 0)
        return;
    HFONT font = ::CreateFont(-em, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0,
                              NONANTIALIASED_QUALITY, 0, "Marlett");
    HGDIOBJ oldFont = ::SelectObject(hdc, font);
    const int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(hdc, color);
    const UINT oldAlign = ::SetTextAlign(hdc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    ::TextOut(hdc, x, y, &symbol, 1);
    ::SetTextAlign(hdc, oldAlign);
    ::SetTextColor(hdc, oldColor);
    ::SetBkMode(hdc, oldMode);
    ::SelectObject(hdc, oldFont);
    ::DeleteObject(font);
}

void DrawCenteredSymbol(HDC hdc, const RECT& rc, int em, char symbol, COLORREF color,
                        bool inactive) {
    const int x = rc.left + (rc.right - rc.left - em) / 2;
    const int y = rc.top + (rc.bottom - rc.top - em) / 2;
    if (inactive) {
        DrawSymbol(hdc, x + 1, y + 1, em, symbol, ::GetSysColor(COLOR_3DHILIGHT));
        DrawSymbol(hdc, x, y, em, symbol, ::GetSysColor(COLOR_3DSHADOW));
        return;
    }
    DrawSymbol(hdc, x, y, em, symbol, color);
}

}  // namespace kq::gfx
