// A memory DC with a compatible bitmap of the area, its window origin at the area's corner,
// filled with the target's background colour before the drawing.
#include "chart/OffScreen.h"

namespace kq::chart {

void PaintOffScreen(CDC& target, const CRect& area, const std::function<void(CDC&)>& draw) {
    CDC memory;
    CBitmap bitmap;
    if (area.IsRectEmpty() || !memory.CreateCompatibleDC(&target) ||
        !bitmap.CreateCompatibleBitmap(&target, area.Width(), area.Height())) {
        draw(target);
        return;
    }
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.SetWindowOrg(area.left, area.top);
    memory.FillSolidRect(area, target.GetBkColor());
    draw(memory);
    target.BitBlt(area.left, area.top, area.Width(), area.Height(), &memory, area.left, area.top,
                  SRCCOPY);
    memory.SelectObject(old);
}

}  // namespace kq::chart
