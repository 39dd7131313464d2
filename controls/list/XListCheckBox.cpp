// Shared by the cell painter and the header so that the two boxes look alike pixel for pixel.
#include "controls/list/XListCheckBox.h"

#include "platform/gfx/GdiWrappers.h"

namespace kq::xlist {

void DrawCheckBoxFrame(CDC& dc, const CRect& box) {
    dc.FillSolidRect(&box, ::GetSysColor(COLOR_WINDOW));
    CBrush frame(kCheckFrameColor);
    dc.FrameRect(&box, &frame);
}

void DrawCheckMark(CDC& dc, const CRect& box, COLORREF color) {
    CPen pen(PS_SOLID, 1, color);
    CPen* old = dc.SelectObject(&pen);
    int x = box.left + 9;
    int y = box.top + 3;
    for (int stroke = 0; stroke < 7; ++stroke) {
        dc.MoveTo(x, y);
        dc.LineTo(x, y + 3);
        --x;
        y += stroke < 4 ? 1 : -1;
    }
    dc.SelectObject(old);
}

}  // namespace kq::xlist
