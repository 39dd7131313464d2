#include "platform/ui/controls/detail/ScrollPaint.h"

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"

namespace kq::ui::detail {

void PaintScrollBar(HDC dc, RECT bar, bool vertical, const ScrollState& state, bool enabled,
                    ScrollPart pressed, HBRUSH track) {
    const ScrollGeometry g =
        LayoutScrollBar(bar, vertical, state, state.tracking ? state.trackPos : state.pos, enabled);
    const bool noScroll = !enabled || state.RangeEmpty();
    auto arrow = [&](RECT r, UINT kind, ScrollPart part, UINT disabledFlag) {
        if (IsRectEmpty(&r))
            return;
        UINT flags = kind;
        if (pressed == part)
            flags |= DFCS_PUSHED | DFCS_FLAT;
        if (noScroll || (state.disabledArrows & disabledFlag))
            flags |= DFCS_INACTIVE;
        DrawFrameControl(dc, &r, DFC_SCROLL, flags);
    };
    arrow(g.lineUp, vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT, ScrollPart::LineUp,
          ESB_DISABLE_LTUP);
    arrow(g.lineDown, vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT, ScrollPart::LineDown,
          ESB_DISABLE_RTDN);
    RECT trackRect = bar;
    if (vertical) {
        trackRect.top = g.lineUp.bottom;
        trackRect.bottom = g.lineDown.top;
    } else {
        trackRect.left = g.lineUp.right;
        trackRect.right = g.lineDown.left;
    }
    if (!IsRectEmpty(&trackRect) && track)
        FillRect(dc, &trackRect, track);
    HBRUSH dark = GetSysColorBrush(COLOR_3DDKSHADOW);
    if (pressed == ScrollPart::PageUp && !IsRectEmpty(&g.pageUp))
        FillRect(dc, &g.pageUp, dark);
    if (pressed == ScrollPart::PageDown && !IsRectEmpty(&g.pageDown))
        FillRect(dc, &g.pageDown, dark);
    if (!IsRectEmpty(&g.thumb)) {
        RECT thumb = g.thumb;
        DrawFrameControl(dc, &thumb, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
}

}  // namespace kq::ui::detail
