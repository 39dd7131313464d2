// Lines, boxes and fills of the page printer, and the mapping of the page's flag bits to GDI
// brushes, pens and text formats. Coordinates stay in the page's logical units.
#include <algorithm>
#include <cstdint>

#include "controls/print/Printer.h"
#include "controls/print/PrinterGeometry.h"

namespace kq::print {

int StockBrushFor(int fillFlags) {
    if (fillFlags & kFillGray)
        return GRAY_BRUSH;
    if (fillFlags & kFillLightGray)
        return LTGRAY_BRUSH;
    if (fillFlags & kFillDarkGray)
        return DKGRAY_BRUSH;
    if (fillFlags & kFillBlack)
        return BLACK_BRUSH;
    return NULL_BRUSH;
}

int LinePenStyle(int lineStyle) {
    if (lineStyle & kLineDash)
        return PS_DASH;
    if (lineStyle & kLineDot)
        return PS_DOT;
    if (lineStyle & kLineDashDot)
        return PS_DASHDOT;
    if (lineStyle & kLineDashDotDot)
        return PS_DASHDOTDOT;
    return PS_SOLID;
}

int BorderPenStyle(int lineStyle) {
    if (lineStyle & kLineDash)
        return PS_DASH;
    if (lineStyle & kLineDot)
        return PS_DOT;
    return PS_SOLID;
}

UINT DrawTextFormat(int textFlags) {
    UINT format = DT_NOPREFIX;
    if (textFlags & kTextCentred)
        format |= DT_CENTER;
    else if (textFlags & kTextRight)
        format |= DT_RIGHT;
    if (textFlags & kTextExpandTabs)
        format |= DT_EXPANDTABS;
    format |= (textFlags & kTextSingleLine) ? DT_SINGLELINE : DT_WORDBREAK;
    if (textFlags & kTextNoClip)
        format |= DT_NOCLIP;
    if (textFlags & kTextVCentred)
        format |= DT_VCENTER;
    return format;
}

int ShiftX(int x, int offset) {
    return ClampToInt(static_cast<int64_t>(x) + offset);
}

int ClampToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

int TruncateToInt(double value) {
    if (value != value)
        return 0;
    return static_cast<int>(std::clamp(value, double(INT32_MIN), double(INT32_MAX)));
}

}  // namespace kq::print

using kq::print::ShiftX;

void CPrinter::OutputLine(PageState& s, int penWidth) {
    if (s.dc == nullptr)
        return;
    CPen pen(kq::print::LinePenStyle(s.lineStyle), penWidth, s.dc->GetTextColor());
    CPen* oldPen = s.dc->SelectObject(&pen);
    const POINT points[2] = {{ShiftX(s.left, s.hOffset), s.top},
                             {ShiftX(s.right, s.hOffset), s.bottom}};
    s.dc->Polyline(points, 2);
    s.dc->SelectObject(oldPen);
}

void CPrinter::OutputBox(PageState& s, int penWidth) {
    if (s.dc == nullptr)
        return;
    CGdiObject* oldBrush = s.dc->SelectStockObject(kq::print::StockBrushFor(s.fillFlags));
    CPen pen(kq::print::BorderPenStyle(s.lineStyle), penWidth, s.dc->GetTextColor());
    CPen* oldPen = s.dc->SelectObject(&pen);
    const int left = ShiftX(s.left, s.hOffset);
    const int right = ShiftX(s.right, s.hOffset);
    const POINT corners[4] = {{left, s.top}, {right, s.top}, {right, s.bottom}, {left, s.bottom}};
    s.dc->Polygon(corners, 4);
    s.dc->SelectObject(oldPen);
    if (oldBrush != nullptr)
        s.dc->SelectObject(oldBrush);
}

void CPrinter::OutputFill(PageState& s) {
    // A hollow brush paints nothing, so without a fill bit there is nothing to do.
    const int brush = kq::print::StockBrushFor(s.fillFlags);
    if (s.dc == nullptr || brush == NULL_BRUSH)
        return;
    const RECT box{ShiftX(s.left, s.hOffset), s.top, ShiftX(s.right, s.hOffset), s.bottom};
    ::FillRect(s.dc->m_hDC, &box, static_cast<HBRUSH>(::GetStockObject(brush)));
}
