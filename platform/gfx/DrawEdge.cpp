// Three-dimensional edges in the classic look.
#include "platform/gfx/ClassicLook.h"
#include "platform/gfx/UserDraw.h"

using kq::gfx::FillSolid;

namespace {

struct EdgeColors {
    COLORREF topLeft;
    COLORREF bottomRight;
};

// Paints the requested sides of one ring and moves those sides of rc inwards.
void Ring(HDC hdc, RECT& rc, UINT flags, EdgeColors c) {
    const RECT r = rc;
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    if (flags & BF_TOP)
        FillSolid(hdc, RECT{r.left, r.top, r.right - 1, r.top + 1}, c.topLeft);
    if (flags & BF_LEFT)
        FillSolid(hdc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, c.topLeft);
    if (flags & BF_RIGHT)
        FillSolid(hdc, RECT{r.right - 1, r.top, r.right, r.bottom}, c.bottomRight);
    if (flags & BF_BOTTOM)
        FillSolid(hdc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, c.bottomRight);
    if (flags & BF_TOP)
        ++rc.top;
    if (flags & BF_LEFT)
        ++rc.left;
    if (flags & BF_RIGHT)
        --rc.right;
    if (flags & BF_BOTTOM)
        --rc.bottom;
}

}  // namespace

BOOL DrawEdge(HDC hdc, LPRECT rc, UINT edge, UINT flags) {
    if (!hdc || !rc)
        return FALSE;
    RECT r = *rc;
    const UINT outer = edge & BDR_OUTER;
    const UINT inner = edge & BDR_INNER;
    const bool soft = (flags & BF_SOFT) != 0;
    auto sys = [](int i) { return ::GetSysColor(i); };
    EdgeColors outerColors{};
    EdgeColors innerColors{};
    if (flags & BF_MONO) {
        outerColors = {sys(COLOR_WINDOWFRAME), sys(COLOR_WINDOWFRAME)};
        innerColors = {sys(COLOR_WINDOW), sys(COLOR_WINDOW)};
    } else if (flags & BF_FLAT) {
        outerColors = {sys(COLOR_3DSHADOW), sys(COLOR_3DSHADOW)};
        innerColors = {sys(COLOR_3DFACE), sys(COLOR_3DFACE)};
    } else {
        if (outer == BDR_RAISEDOUTER)
            outerColors = {sys(soft ? COLOR_3DHILIGHT : COLOR_3DLIGHT), sys(COLOR_3DDKSHADOW)};
        else if (outer == BDR_SUNKENOUTER)
            outerColors = {sys(soft ? COLOR_3DDKSHADOW : COLOR_3DSHADOW), sys(COLOR_3DHILIGHT)};
        if (inner == BDR_RAISEDINNER)
            innerColors = {sys(soft ? COLOR_3DLIGHT : COLOR_3DHILIGHT), sys(COLOR_3DSHADOW)};
        else if (inner == BDR_SUNKENINNER)
            innerColors = {sys(soft ? COLOR_3DSHADOW : COLOR_3DDKSHADOW), sys(COLOR_3DLIGHT)};
    }
    if (outer)
        Ring(hdc, r, flags, outerColors);
    if (inner)
        Ring(hdc, r, flags, innerColors);
    if ((flags & BF_MIDDLE) && r.right > r.left && r.bottom > r.top)
        FillSolid(hdc, r, sys((flags & BF_MONO) ? COLOR_WINDOW : COLOR_3DFACE));
    if (flags & BF_ADJUST)
        *rc = r;
    return TRUE;
}
