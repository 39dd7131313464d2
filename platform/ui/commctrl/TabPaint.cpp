// The classic look of the tab control: a raised frame around the display area and tabs with
// lit left and top edges and shaded right edges; the selected tab stands out and opens into
// the frame.
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/commctrl/TabControl.h"
#include "platform/ui/commctrl/detail/PaintTools.h"

namespace kq::ui::commctrl {

void TabControl::Paint(HDC hdc, const RECT&) {
    Layout();
    const RECT client = ClientRect();
    FillColor(hdc, client, GetSysColor(COLOR_BTNFACE));
    RECT frame{client.left, rowBottom_, client.right, client.bottom};
    DrawEdge(hdc, &frame, EDGE_RAISED, BF_RECT | BF_SOFT);

    SelectGuard font(hdc, Font());
    SetBkMode(hdc, TRANSPARENT);
    for (size_t i = 0; i < rects_.size(); ++i) {
        if (static_cast<int>(i) != selected_)
            PaintTab(hdc, static_cast<int>(i), rects_[i], false);
    }
    if (selected_ >= 0 && selected_ < static_cast<int>(rects_.size())) {
        RECT rc = rects_[selected_];
        rc.left -= 2;
        rc.right += 2;
        rc.top -= 2;
        PaintTab(hdc, selected_, rc, true);
    }
}

void TabControl::PaintTab(HDC hdc, int index, const RECT& rc, bool selected) const {
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    // The selected tab covers the frame's top edge below it, so the two look like one piece.
    const int bottom = selected ? rc.bottom + 1 : rc.bottom;
    FillColor(hdc, RECT{rc.left, rc.top, rc.right, bottom}, GetSysColor(COLOR_BTNFACE));
    DrawLine(hdc, POINT{rc.left, bottom - 1}, POINT{rc.left, rc.top + 2}, light);
    DrawLine(hdc, POINT{rc.left + 1, rc.top + 1}, POINT{rc.left + 1, rc.top + 1}, light);
    DrawLine(hdc, POINT{rc.left + 2, rc.top}, POINT{rc.right - 3, rc.top}, light);
    DrawLine(hdc, POINT{rc.right - 2, rc.top + 1}, POINT{rc.right - 2, rc.top + 1}, dark);
    DrawLine(hdc, POINT{rc.right - 1, rc.top + 2}, POINT{rc.right - 1, bottom - 1}, dark);
    DrawLine(hdc, POINT{rc.right - 2, rc.top + 2}, POINT{rc.right - 2, bottom - 1}, shadow);

    RECT text = rc;
    if (!selected)
        text.top += 1;
    SetTextColor(hdc, GetSysColor(IsEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    const std::string& label = items_[index].text;
    DrawText(hdc, label.c_str(), static_cast<int>(label.size()), &text,
             DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    if (selected && HasFocus()) {
        RECT focus = rc;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(hdc, &focus);
    }
}

}  // namespace kq::ui::commctrl
