// The classic look of the trackbar: a sunken channel, tick marks beside the thumb and a raised
// thumb that points towards the marks (a plain block when they are on both sides).
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/commctrl/Trackbar.h"
#include "platform/ui/commctrl/TrackbarApi.h"
#include "platform/ui/commctrl/detail/PaintTools.h"

namespace kq::ui::commctrl {

void Trackbar::Paint(HDC hdc, const RECT& /*update*/) {
    const RECT client = ClientRect();
    FillRect(hdc, &client, ParentBackground(hwnd_, hdc, WM_CTLCOLORSTATIC));
    const TrackbarGeometry g = Geometry();
    PaintTics(hdc, g);
    PaintChannel(hdc, g);
    if (!(Style() & TBS_NOTHUMB))
        PaintThumb(hdc, g);
    if (HasFocus())
        DrawFocusRect(hdc, &client);
}

void Trackbar::PaintTics(HDC hdc, const TrackbarGeometry& g) const {
    if (!g.TicsBefore() && !g.TicsAfter())
        return;
    const COLORREF color = GetSysColor(IsEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    auto mark = [&](LONG pos) {
        const int axis = g.PixelOf(model_, pos);
        if (g.TicsBefore())
            FillColor(hdc, g.TicRect(axis, true), color);
        if (g.TicsAfter())
            FillColor(hdc, g.TicRect(axis, false), color);
    };
    mark(model_.Min());
    for (LONG t : model_.Tics())
        mark(t);
    mark(model_.Max());
}

void Trackbar::PaintChannel(HDC hdc, const TrackbarGeometry& g) const {
    RECT channel = g.Channel();
    if (Style() & TBS_ENABLESELRANGE) {
        RECT inside = channel;
        InflateRect(&inside, -2, -2);
        FillColor(hdc, inside, GetSysColor(COLOR_WINDOW));
        if (model_.HasSel()) {
            const int a0 = g.PixelOf(model_, model_.SelStart());
            const int a1 = g.PixelOf(model_, model_.SelEnd());
            const RECT band = g.Vertical() ? RECT{inside.left, a0, inside.right, a1 + 1}
                                           : RECT{a0, inside.top, a1 + 1, inside.bottom};
            RECT shown{};
            IntersectRect(&shown, &band, &inside);
            FillColor(hdc, shown, GetSysColor(COLOR_HIGHLIGHT));
        }
    }
    DrawEdge(hdc, &channel, EDGE_SUNKEN, BF_RECT);
}

void Trackbar::PaintThumb(HDC hdc, const TrackbarGeometry& g) const {
    RECT thumb = g.Thumb(model_);
    if (g.Shape() == ThumbShape::Rectangle) {
        DrawEdge(hdc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        return;
    }
    // Corners along the axis (a) and across it (c); the point is half the thumb's breadth long.
    const int a0 = g.Vertical() ? thumb.top : thumb.left;
    const int a1 = (g.Vertical() ? thumb.bottom : thumb.right) - 1;
    const int c0 = g.Vertical() ? thumb.left : thumb.top;
    const int c1 = (g.Vertical() ? thumb.right : thumb.bottom) - 1;
    const int half = (a1 - a0) / 2;
    const int am = a0 + half;
    const bool after = g.Shape() == ThumbShape::PointAfter;
    const int flat = after ? c0 : c1;  // the flat end
    const int shoulder = after ? c1 - half : c0 + half;
    const int tip = after ? c1 : c0;
    auto P = [&](int a, int c) { return g.Vertical() ? POINT{c, a} : POINT{a, c}; };

    const POINT outline[] = {P(a0, flat), P(a1, flat), P(a1, shoulder), P(am, tip),
                             P(a0, shoulder)};
    FillPolygon(hdc, outline, 5, GetSysColor(COLOR_BTNFACE));
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    // The lit sides face the top and the left; the sides facing away are shaded.
    DrawLine(hdc, P(a0, shoulder), P(a0, flat), light);
    DrawLine(hdc, P(a0, shoulder), P(am, tip), light);
    DrawLine(hdc, P(a1, flat), P(a1, shoulder), dark);
    DrawLine(hdc, P(a1, shoulder), P(am, tip), dark);
    DrawLine(hdc, P(a1 - 1, shoulder), P(a1 - 1, after ? flat + 1 : flat - 1), shadow);
    DrawLine(hdc, P(a1 - 1, shoulder), P(am, after ? tip - 1 : tip + 1), shadow);
    if (after) {
        DrawLine(hdc, P(a0, flat), P(a1, flat), light);
    } else {
        DrawLine(hdc, P(a0, flat), P(a1, flat), dark);
        DrawLine(hdc, P(a0 + 1, flat - 1), P(a1 - 1, flat - 1), shadow);
    }
}

}  // namespace kq::ui::commctrl
