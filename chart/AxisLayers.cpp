// What an axis draws across the plot and beside its end: coloured bands with their texts,
// marker lines with value and label, the legend markers of its curves, and the arrow head.
#include <memory>

#include "chart/DrawHelpers.h"
#include "chart/XGraph.h"

namespace {

int ClampInt(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

}  // namespace

void CXGraphAxis::DrawColorRanges(CDCEx* dc) {
    if (m_ColorRanges.empty())
        return;
    const CRect& plot = PlotRect();
    CQuickFont quick("Arial", 12, FW_BOLD);
    CFontSelector font(&quick, dc);
    const int mode = dc->SetBkMode(TRANSPARENT);
    for (const ColorRange& range : m_ColorRanges) {
        const double from[2] = {range.dMin, range.dMin};
        const double to[2] = {range.dMax, range.dMax};
        CPoint a = GetPointForValue(from);
        CPoint b = GetPointForValue(to);
        CRect band;
        if (m_AxisType == yAxis) {
            band.SetRect(plot.left, ClampInt(b.y, plot.top, plot.bottom), plot.right,
                         ClampInt(a.y, plot.top, plot.bottom));
        } else {
            band.SetRect(ClampInt(a.x, plot.left, plot.right), plot.top,
                         ClampInt(b.x, plot.left, plot.right), plot.bottom);
        }
        if (range.nStyle == 6) {
            // Two different colours would ask for a gradient, which the band does not have.
            if (range.crMinColor == range.crMaxColor) {
                CBrush brush(dc->m_bLowColor ? RGB(255, 255, 255) : range.crMinColor);
                dc->FillRect(band, &brush);
            }
        } else {
            CPenSelector pen(range.crMinColor, 1, dc);
            CBrushSelector brush(range.crMinColor, kq::chart::Clamped(range.nStyle, 0, 5), dc);
            dc->Rectangle(band);
        }
        if (range.szLabel[0] != '\0') {
            CRect text = band;
            text.DeflateRect(2, 2);
            dc->DrawText(range.szLabel, -1, text, 0);
        }
    }
    dc->SetBkMode(mode);
}

void CXGraphAxis::DrawAxisMarkers(CDCEx* dc) {
    if (m_AxisMarkers.empty())
        return;
    const CRect& plot = PlotRect();
    const int mode = dc->SetBkMode(TRANSPARENT);
    for (const AxisMarker& marker : m_AxisMarkers) {
        const double xy[2] = {marker.fValue, marker.fValue};
        const CPoint pt = GetPointForValue(xy);
        const int p = m_AxisType == yAxis ? pt.y : pt.x;
        if (m_AxisType == yAxis && (p < plot.top || p > plot.bottom))
            continue;
        if (m_AxisType == xAxis && (p < plot.left || p > plot.right))
            continue;
        CPenSelector pen(marker.crColor, marker.nSize, dc, marker.nStyle);
        if (m_AxisType == yAxis) {
            dc->MoveTo(plot.left, p);
            dc->LineTo(plot.right, p);
        } else {
            dc->MoveTo(p, plot.bottom);
            dc->LineTo(p, plot.top);
        }
        CQuickFont markerFont(marker.lfFont);
        CFontSelector font(&markerFont, dc);
        if (marker.bShowValue != 0) {
            int x = m_AxisType == yAxis ? plot.left : p;
            int y = m_AxisType == yAxis ? p : plot.bottom;
            if (dc->m_bPrintScaling)
                dc->ScaleXY(x, y);
            dc->TextOut(x, y, FormatLabel(marker.fValue));
        }
        if (!marker.szLabel.IsEmpty()) {
            const CSize s = dc->GetTextExtent("W", 1);
            if (m_AxisType == yAxis) {
                CRect r(plot.left, p - s.cy, plot.right, p);
                r.NormalizeRect();
                dc->DrawText(marker.szLabel, &r, DT_SINGLELINE | DT_RIGHT);
            } else {
                CRect r(p, plot.top + s.cy, p + s.cx, plot.bottom);
                r.NormalizeRect();
                int x = r.left - s.cy;
                int y = r.top + s.cx;
                if (dc->m_bPrintScaling)
                    dc->ScaleXY(x, y);
                dc->TextOut(x, y, marker.szLabel);
            }
        }
    }
    dc->SetBkMode(mode);
}

int CXGraphAxis::DrawCurveMarkers(CDCEx* dc, bool draw) {
    if (!m_bShowMarkers || m_pGraph == nullptr)
        return 0;
    const int me = m_pGraph->GetAxisIndex(this);
    const int size = m_nMarkerSize;
    const CRect& plot = PlotRect();
    int count = 0;
    if (m_AxisType == xAxis) {
        int column = size;
        int row = 0;
        for (int c = 0; c < m_pGraph->GetCurveCount(); ++c) {
            CXGraphDataSerie& serie = m_pGraph->GetCurve(c);
            if (!serie.m_bVisible || serie.m_nXAxis != me)
                continue;
            if (draw)
                DrawMarker(dc, plot.right - column, m_nTop - size / 2 + row,
                           serie.m_nMarkerType != 0 ? serie.m_nMarker : c, size, serie.m_crColor,
                           serie.m_nMarkerType == 1);
            ++count;
            if (count % 2 == 0) {
                column += size;
                row = 0;
            } else {
                row += size;
            }
        }
        if (count % 2 == 1)
            column += size;
        return column;
    }
    int row = 0;
    int offset = 0;
    for (int c = 0; c < m_pGraph->GetCurveCount(); ++c) {
        CXGraphDataSerie& serie = m_pGraph->GetCurve(c);
        if (!serie.m_bVisible || serie.m_nYAxis != me)
            continue;
        const int x = m_nPlacement == 1 ? m_nLeft - size / 2 + offset : m_nLeft - size / 2 - offset;
        if (draw)
            DrawMarker(dc, x, m_clAreaRect.top + row,
                       serie.m_nMarkerType != 0 ? serie.m_nMarker : c, size, serie.m_crColor,
                       serie.m_nMarkerType == 1);
        ++count;
        if (count % 3 == 0) {
            row += size;
            offset = 0;
        } else {
            offset += size;
        }
    }
    if (count % 3 != 0)
        row += size;
    return row;
}

void CXGraphAxis::DrawMarker(CDCEx* dc, int x, int y, int symbol, int size, COLORREF color,
                             bool useSymbol) {
    if (useSymbol) {
        const MarkerPainter paint =
            m_pGraph != nullptr ? m_pGraph->GetMarkerPainter(symbol) : MarkerPainterFor(symbol);
        paint(x, y, size, color, 0, dc);
        return;
    }
    CRect box(x, y, x + size, y + size);
    dc->FillSolidRect(box, dc->m_bLowColor ? RGB(0, 0, 0) : color);
    std::unique_ptr<CQuickFont> own;
    CFont* numbers = m_pGraph != nullptr ? m_pGraph->GetNumberFont(size) : nullptr;
    if (numbers == nullptr) {
        own = std::make_unique<CQuickFont>("Arial", size, 100);
        numbers = own.get();
    }
    CFontSelector font(numbers, dc);
    COLORREF text = RGB(255, 255, 255);
    if (!dc->m_bLowColor) {
        int m = GetRValue(color);
        if (GetGValue(color) > m)
            m = GetGValue(color);
        if (GetBValue(color) / 2 > m)
            m = GetBValue(color) / 2;
        text = m > 128 ? RGB(0, 0, 0) : RGB(255, 255, 255);
    }
    const COLORREF old = dc->SetTextColor(text);
    CString number;
    number.Format("%d", symbol + 1);
    dc->DrawText(number, &box, DT_CENTER);
    dc->SetTextColor(old);
}

void CXGraphAxis::DrawArrow(CDCEx* dc, int x, int y, int direction, int size) {
    switch (direction) {
        case 0:
            for (int i = x, k = 0; i < x + size; ++i, ++k) {
                dc->MoveTo(i, y - k);
                dc->LineTo(i, y + k);
            }
            break;
        case 1:
            for (int j = y, k = 0; j < y + size; ++j, ++k) {
                dc->MoveTo(x - k, j);
                dc->LineTo(x + k, j);
            }
            break;
        case 2:
            for (int i = x - size, k = size; i < x; ++i, --k) {
                dc->MoveTo(i, y - k);
                dc->LineTo(i, y + k);
            }
            break;
        case 3:
            for (int j = y, k = size; j < y + size; ++j, --k) {
                dc->MoveTo(x - k, j);
                dc->LineTo(x + k, j);
            }
            break;
        default:
            break;
    }
}
