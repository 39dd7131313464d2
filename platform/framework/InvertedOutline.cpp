#include "platform/framework/InvertedOutline.h"

#include <algorithm>

#include "platform/gfx/CDC.h"
#include "platform/gfx/GdiWrappers.h"

namespace kq::fw {

void InvertOutline(CDC& dc, const CRect& rect, CSize thickness, bool halftone) {
    if (rect.IsRectEmpty() || thickness.cx <= 0 || thickness.cy <= 0)
        return;
    CBrush* brush = halftone ? CDC::GetHalftoneBrush() : nullptr;
    CBrush* old = brush != nullptr ? dc.SelectObject(brush) : nullptr;
    const DWORD rop = brush != nullptr ? PATINVERT : DSTINVERT;
    // A frame thicker than half the rectangle is the whole rectangle, inverted once.
    const int cy = std::min<int>(thickness.cy, rect.Height() / 2);
    const int cx = std::min<int>(thickness.cx, rect.Width() / 2);
    if (cx <= 0 || cy <= 0) {
        dc.PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), rop);
    } else {
        dc.PatBlt(rect.left, rect.top, rect.Width(), cy, rop);
        dc.PatBlt(rect.left, rect.bottom - cy, rect.Width(), cy, rop);
        dc.PatBlt(rect.left, rect.top + cy, cx, rect.Height() - 2 * cy, rop);
        dc.PatBlt(rect.right - cx, rect.top + cy, cx, rect.Height() - 2 * cy, rop);
    }
    if (old != nullptr)
        dc.SelectObject(old);
}

}  // namespace kq::fw
