// Buttons, scroll arrows, caption buttons and menu marks in the classic look.
#include <algorithm>

#include "platform/base/Geometry.h"
#include "platform/gfx/ClassicLook.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"

using namespace kq::gfx;

namespace {

COLORREF Sys(int i) {
    return ::GetSysColor(i);
}

// The face of a push-style button; returns the area inside its border.
RECT ButtonFace(HDC hdc, const RECT& rc, UINT state) {
    RECT r = rc;
    if (state & DFCS_FLAT) {
        ::DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_FLAT | BF_MIDDLE | BF_ADJUST);
        return r;
    }
    if (state & DFCS_PUSHED) {
        Frame3d(hdc, r, Sys(COLOR_3DDKSHADOW), Sys(COLOR_3DDKSHADOW));
        InflateRect(&r, -1, -1);
        Frame3d(hdc, r, Sys(COLOR_3DSHADOW), Sys(COLOR_3DSHADOW));
        InflateRect(&r, -1, -1);
        if (r.right > r.left && r.bottom > r.top)
            FillSolid(hdc, r, Sys(COLOR_3DFACE));
        return r;
    }
    ::DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST);
    if ((state & DFCS_CHECKED) && r.right > r.left && r.bottom > r.top) {
        // A latched button shows a dithered face.
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left + ((y - r.top) & 1); x < r.right; x += 2)
                ::SetPixelV(hdc, x, y, Sys(COLOR_3DHILIGHT));
    }
    return r;
}

// The classic 7 x 7 check mark.
void CheckMark(HDC hdc, int x, int y, COLORREF color) {
    static const char* const kRows[7] = {"......X", ".....XX", "X...XXX", "XX.XXX.",
                                         "XXXXX..", ".XXX...", "..X...."};
    for (int j = 0; j < 7; ++j)
        for (int i = 0; i < 7; ++i)
            if (kRows[j][i] == 'X')
                ::SetPixelV(hdc, x + i, y + j, color);
}

// The square of a check box or radio button: at the left, centred vertically.
RECT ButtonSquare(const RECT& rc) {
    const int size = std::min(rc.right - rc.left, rc.bottom - rc.top);
    const int top = rc.top + (rc.bottom - rc.top - size) / 2;
    return RECT{rc.left, top, rc.left + size, top + size};
}

BOOL CheckBox(HDC hdc, const RECT& rc, UINT state) {
    RECT box = ButtonSquare(rc);
    if (box.right - box.left < 4)
        return TRUE;
    const bool inactive = (state & DFCS_INACTIVE) != 0;
    if (state & (DFCS_FLAT | DFCS_MONO)) {
        Frame3d(hdc, box, Sys(COLOR_3DSHADOW), Sys(COLOR_3DSHADOW));
        InflateRect(&box, -1, -1);
    } else {
        ::DrawEdge(hdc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    const bool three = (state & 0x1F) == DFCS_BUTTON3STATE;
    const bool grey = inactive || (state & DFCS_PUSHED) || (three && (state & DFCS_CHECKED));
    FillSolid(hdc, box, Sys(grey ? COLOR_3DFACE : COLOR_WINDOW));
    if (state & DFCS_CHECKED) {
        const int x = box.left + (box.right - box.left - 7) / 2;
        const int y = box.top + (box.bottom - box.top - 7) / 2;
        CheckMark(hdc, x, y, Sys(inactive || three ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    }
    return TRUE;
}

BOOL RadioButton(HDC hdc, const RECT& rc, UINT state) {
    const RECT box = ButtonSquare(rc);
    const int em = box.right - box.left;
    if (em < 4)
        return TRUE;
    const bool inactive = (state & DFCS_INACTIVE) != 0;
    if (state & DFCS_BUTTONRADIOMASK) {
        FillSolid(hdc, box, RGB(255, 255, 255));
        DrawSymbol(hdc, box.left, box.top, em, 'n', RGB(0, 0, 0));
        return TRUE;
    }
    DrawSymbol(hdc, box.left, box.top, em, 'n',
               Sys(inactive || (state & DFCS_PUSHED) ? COLOR_3DFACE : COLOR_WINDOW));
    DrawSymbol(hdc, box.left, box.top, em, 'j', Sys(COLOR_3DSHADOW));
    DrawSymbol(hdc, box.left, box.top, em, 'k', Sys(COLOR_3DHILIGHT));
    DrawSymbol(hdc, box.left, box.top, em, 'l', Sys(COLOR_3DDKSHADOW));
    DrawSymbol(hdc, box.left, box.top, em, 'm', Sys(COLOR_3DLIGHT));
    if (state & DFCS_CHECKED)
        DrawSymbol(hdc, box.left, box.top, em, 'i',
                   Sys(inactive ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    return TRUE;
}

BOOL Button(HDC hdc, LPRECT rc, UINT state) {
    switch (state & 0x1F) {
        case DFCS_BUTTONPUSH: {
            const RECT inner = ButtonFace(hdc, *rc, state);
            if (state & DFCS_ADJUSTRECT)
                *rc = inner;
            return TRUE;
        }
        case DFCS_BUTTONRADIO:
        case DFCS_BUTTONRADIOIMAGE:
        case DFCS_BUTTONRADIOMASK:
            return RadioButton(hdc, *rc, state);
        default:
            return CheckBox(hdc, *rc, state);
    }
}

// Scroll arrows, the combo box button and the size grip.
BOOL Scroll(HDC hdc, LPRECT rc, UINT state) {
    const UINT kind = state & 0x1F;
    if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
        FillSolid(hdc, *rc, Sys(COLOR_3DFACE));
        const int em = std::min(rc->right - rc->left, rc->bottom - rc->top);
        DrawSymbol(hdc, rc->right - em, rc->bottom - em, em, 'o', Sys(COLOR_3DHILIGHT));
        DrawSymbol(hdc, rc->right - em, rc->bottom - em, em, 'p', Sys(COLOR_3DSHADOW));
        return TRUE;
    }
    char symbol = '6';
    switch (kind) {
        case DFCS_SCROLLUP:
            symbol = '5';
            break;
        case DFCS_SCROLLLEFT:
            symbol = '3';
            break;
        case DFCS_SCROLLRIGHT:
            symbol = '4';
            break;
        default:
            break;
    }
    RECT inner = ButtonFace(hdc, *rc, state & (DFCS_PUSHED | DFCS_FLAT));
    if (state & DFCS_PUSHED)
        OffsetRect(&inner, 1, 1);
    const int em = std::max(1, std::min(inner.right - inner.left, inner.bottom - inner.top));
    DrawCenteredSymbol(hdc, inner, em, symbol, Sys(COLOR_BTNTEXT), (state & DFCS_INACTIVE) != 0);
    return TRUE;
}

BOOL Caption(HDC hdc, LPRECT rc, UINT state) {
    char symbol = 'r';
    switch (state & 0x1F) {
        case DFCS_CAPTIONMIN:
            symbol = '0';
            break;
        case DFCS_CAPTIONMAX:
            symbol = '1';
            break;
        case DFCS_CAPTIONRESTORE:
            symbol = '2';
            break;
        case DFCS_CAPTIONHELP:
            symbol = 's';
            break;
        default:
            break;
    }
    RECT inner = ButtonFace(hdc, *rc, state & (DFCS_PUSHED | DFCS_FLAT));
    if (state & DFCS_PUSHED)
        OffsetRect(&inner, 1, 1);
    const int em = std::max(1, std::min(inner.right - inner.left, inner.bottom - inner.top));
    DrawCenteredSymbol(hdc, inner, em, symbol, Sys(COLOR_BTNTEXT), (state & DFCS_INACTIVE) != 0);
    return TRUE;
}

// Menu marks are black on white: callers use them as masks.
BOOL Menu(HDC hdc, LPRECT rc, UINT state) {
    char symbol = '8';
    switch (state & 0x1F) {
        case DFCS_MENUCHECK:
            symbol = 'a';
            break;
        case DFCS_MENUBULLET:
            symbol = 'h';
            break;
        case DFCS_MENUARROWRIGHT:
            symbol = '7';
            break;
        default:
            break;
    }
    FillSolid(hdc, *rc, RGB(255, 255, 255));
    const int em = std::min(rc->right - rc->left, rc->bottom - rc->top);
    DrawCenteredSymbol(hdc, *rc, em, symbol, RGB(0, 0, 0), false);
    return TRUE;
}

}  // namespace

BOOL DrawFrameControl(HDC hdc, LPRECT rc, UINT type, UINT state) {
    if (!hdc || !rc)
        return FALSE;
    switch (type) {
        case DFC_BUTTON:
            return Button(hdc, rc, state);
        case DFC_SCROLL:
            return Scroll(hdc, rc, state);
        case DFC_CAPTION:
            return Caption(hdc, rc, state);
        case DFC_MENU:
        case DFC_POPUPMENU:
            return Menu(hdc, rc, state);
        default:
            return FALSE;
    }
}
