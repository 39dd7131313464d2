// What the chart draws over its curves: the legend, the zoom rubber band, measurements, the
// cross-hair cursor with its read-out label, and the value of a point being edited. Every
// stored curve index is checked before it is used; values are formatted one at a time and
// joined, so that no format is glued into another.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/DrawHelpers.h"
#include "chart/XGraph.h"
#include "platform/gfx/SysColors.h"

namespace {

CString OneLine(CString text) {
    text.Replace('\r', ' ');
    text.Replace('\n', ' ');
    return text;
}

}  // namespace

void CXGraph::DrawLegend(CDCEx* dc, CRect& inner) {
    m_LegendEntries.clear();
    if (m_LegendAlignment != 0 && m_LegendAlignment != 1)
        return;
    CQuickFont quick("Arial", 13, FW_NORMAL);
    std::vector<std::pair<int, CString>> lines;
    int width = 0;
    int height = 0;
    int lineHeight = 0;
    {
        CFont* old = dc->SelectObject(&quick);
        for (int k = 0; k < GetCurveCount(); ++k) {
            if (!m_Data[static_cast<size_t>(k)].m_bVisible)
                continue;
            CString text;
            text.Format("%02d %s", k + 1, m_Data[static_cast<size_t>(k)].m_cLabel.GetString());
            const CSize size = dc->GetTextExtent(text);
            width = std::max(width, static_cast<int>(size.cx));
            height += size.cy;
            lineHeight = size.cy;
            lines.emplace_back(k, text);
        }
        dc->SelectObject(old);
    }
    width += 16;
    CRect box;
    if (m_LegendAlignment == 0) {
        box.SetRect(inner.left + 10, inner.top + 10, inner.left + 10 + width,
                    inner.top + 12 + height);
        inner.left += width + 20;
    } else {
        box.SetRect(inner.right - 10 - width, inner.top + 10, inner.right - 10,
                    inner.top + 12 + height);
        inner.right -= width + 20;
    }
    const COLORREF window = dc->m_bLowColor ? RGB(255, 255, 255) : ::GetSysColor(COLOR_WINDOW);
    {
        CPenSelector pen(RGB(0, 0, 0), 1, dc);
        CBrushSelector brush(window, dc);
        dc->Rectangle(box);
    }
    box.DeflateRect(1, 1);
    CFontSelector font(&quick, dc);
    for (size_t n = 0; n < lines.size(); ++n) {
        const int k = lines[n].first;
        const CXGraphDataSerie& serie = m_Data[static_cast<size_t>(k)];
        const int top = box.top + static_cast<int>(n) * lineHeight;
        CRect line(box.left + 12, top, box.right, top + lineHeight);
        m_LegendEntries.push_back({CRect(line.left - 12, line.top, line.right, line.bottom), k});
        dc->SetBkColor(window);
        CRect text = line;
        dc->DrawText(lines[n].second, &text, DT_LEFT);
        if (serie.m_bSelected)
            dc->DrawFocusRect(line);
        const CRect sample(box.left + 2, top + 1, box.left + 10, top + lineHeight - 2);
        const COLORREF color = dc->m_bLowColor ? RGB(0, 0, 0) : serie.m_crColor;
        if (serie.m_nMarkerType == 0)
            dc->FillSolidRect(sample, color);
        else if (!m_YAxis.empty())
            m_YAxis[0].DrawMarker(dc, sample.left, sample.top, serie.m_nMarker, 8, color,
                                  serie.m_nMarkerType == 1);
        else
            GetMarkerPainter(serie.m_nMarker)(sample.left, sample.top, 8, color, 0, dc);
    }
}

void CXGraph::DrawZoomRect(CDCEx* dc) {
    CRect band(m_MouseDownPoint, m_CurrentPoint);
    band.NormalizeRect();
    band.IntersectRect(band, m_clInnerRect);
    if (!m_bDoubleBuffer && !m_clCurrentZoom.IsRectEmpty())
        dc->DrawFocusRect(m_clCurrentZoom);
    m_clCurrentZoom = band;
    if (m_bDoubleBuffer) {
        CBrush brush(RGB(150, 150, 255));
        const int mix = dc->SetROP2(R2_NOTXORPEN);
        const COLORREF back = dc->SetBkColor(m_crInnerColor);
        dc->FillRect(band, &brush);
        dc->SetBkColor(back);
        dc->SetROP2(mix);
    }
    dc->DrawFocusRect(band);
}

void CXGraph::DrawMeasures(CDCEx* dc) {
    for (const CXGraphMeasure& m : m_Measures) {
        if (!CurveDrawable(m.nCurve1) || !CurveDrawable(m.nCurve2) || m.nIndex1 < 0 ||
            m.nIndex2 < 0 || m.nIndex1 >= GetCurve(m.nCurve1).m_nCount ||
            m.nIndex2 >= GetCurve(m.nCurve2).m_nCount)
            continue;
        const CPoint a = PointOnCurve(m.nCurve1, m.nIndex1);
        const CPoint b = PointOnCurve(m.nCurve2, m.nIndex2);
        DrawMeasure(dc, CRect(a.x, a.y, b.x, b.y), m.nCurve1, m.nCurve2);
    }
}

void CXGraph::DrawLiveMeasure(CDCEx* dc) {
    const CRect& plot = m_clInnerRect;
    const CRect points(
        std::max(m_MouseDownPoint.x, plot.left), std::max(m_MouseDownPoint.y, plot.top),
        std::min(m_CurrentPoint.x, plot.right), std::min(m_CurrentPoint.y, plot.bottom));
    DrawMeasure(dc, points, m_MeasureDef.nCurve1, m_MeasureDef.nCurve2);
}

void CXGraph::DrawMeasure(CDCEx* dc, CRect points, int curve1, int curve2) {
    const int x1 = points.left, y1 = points.top, x2 = points.right, y2 = points.bottom;
    const CRect& plot = m_clInnerRect;
    const COLORREF oldBack = dc->SetBkColor(m_crInnerColor);
    {
        CPenSelector grey(RGB(200, 200, 200), 1, dc, PS_DOT);
        dc->MoveTo(plot.left, y1);
        dc->LineTo(plot.right, y1);
        dc->MoveTo(x2, plot.top);
        dc->LineTo(x2, plot.bottom);
    }
    {
        CPenSelector red(RGB(255, 0, 0), 1, dc, PS_DOT);
        dc->MoveTo(x1, y1);
        dc->LineTo(x2, y1);
        dc->LineTo(x2, y2);
    }
    constexpr COLORREF kRed = RGB(255, 0, 0);
    if (std::abs(x2 - x1) > 6)
        GetMarkerPainter(4)(x1, y1 - 3, 6, kRed, 0, dc);
    else
        GetMarkerPainter(5)(x2 - 3, y1 + 3, 6, kRed, 0, dc);
    if (std::abs(y2 - y1) > 6)
        GetMarkerPainter(7)(x2 - 3, y2 - 6, 6, kRed, 0, dc);
    else
        GetMarkerPainter(6)(x2 - 6, y2 - 6, 6, kRed, 0, dc);

    if (!CurveDrawable(curve1) || !CurveDrawable(curve2)) {
        dc->SetBkColor(oldBack);
        return;
    }
    CQuickFont quick("Arial", -11, FW_BOLD);
    CFontSelector font(&quick, dc);
    const int mode = dc->SetBkMode(TRANSPARENT);
    const CXGraphDataSerie& first = GetCurve(curve1);
    const CXGraphDataSerie& second = GetCurve(curve2);
    CXGraphAxis& xAxis = GetXAxis(first.m_nXAxis);
    CXGraphAxis& yAxis = GetYAxis(first.m_nYAxis);
    const double xv1 = xAxis.GetValueForPos(x1);
    const double xv2 = GetXAxis(second.m_nXAxis).GetValueForPos(x2);
    const CString dxText = xAxis.FormatLabel(xAxis.GetValueForPos(x2) - xv1);
    const CSize dxSize = dc->GetTextExtent(dxText);
    if (dxSize.cx < std::abs(x2 - x1)) {
        CRect r(std::min(x1, x2), y1 - dxSize.cy - 1, std::max(x1, x2), y1 - 1);
        dc->DrawText(dxText, &r, DT_CENTER | DT_SINGLELINE | DT_NOCLIP);
    }
    const int i1 = CXGraphAxis::IndexByXValue(first, xv1);
    const int i2 = CXGraphAxis::IndexByXValue(second, xv2);
    if (i1 >= 0 && i1 < first.m_nCount && i2 >= 0 && i2 < second.m_nCount) {
        const double dy = std::abs(second.m_pData[i2].fYVal - first.m_pData[i1].fYVal);
        const CString dyText = yAxis.FormatLabel(dy) + " " + yAxis.GetLabel();
        const CSize dySize = dc->GetTextExtent(dyText);
        if (dySize.cy < std::abs(y2 - y1)) {
            CRect r(plot.left, std::min(y1, y2), x2 - 4, std::max(y1, y2));
            dc->DrawText(dyText, &r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
        }
    }
    dc->SetBkMode(mode);
    dc->SetBkColor(oldBack);
}

bool CXGraph::SnapCursorTo(int curve, bool force) {
    if (!CurveDrawable(curve) || !m_Data[static_cast<size_t>(curve)].m_bVisible)
        return false;
    const CXGraphDataSerie& s = m_Data[static_cast<size_t>(curve)];
    const double x = GetXAxis(s.m_nXAxis).GetValueForPos(m_CurrentPoint.x);
    const int index = CXGraphAxis::IndexByXValue(s, x);
    if (index < 0 || index >= s.m_nCount || !std::isfinite(s.m_pData[index].fYVal))
        return false;
    const int y = PointOnCurve(curve, index).y;
    if (!force && std::abs(y - m_CurrentPoint.y) >= m_nSnapRange)
        return false;
    m_nSnappedCurve = curve;
    m_fSnappedXVal = x;
    m_fSnappedYVal = s.m_pData[index].fYVal;
    m_CurrentPoint.y = y;
    return true;
}

void CXGraph::DrawCursor(CDCEx* dc) {
    CPenSelector pen(RGB(0, 0, 0), 1, dc);
    CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
    const int mix = dc->SetROP2(R2_NOTXORPEN);
    m_nSnappedCurve = -1;
    if (m_nForcedSnapCurve != -1) {
        SnapCursorTo(m_nForcedSnapCurve, true);
    } else if (m_bSnapCursor) {
        for (int c = 0; c < GetCurveCount(); ++c)
            if (SnapCursorTo(c, false))
                break;
    }
    const CRect& plot = m_clInnerRect;
    const int r = m_nSnapRange;
    const auto cross = [&](CPoint p) {
        if ((m_nCursorFlags & 2) != 0) {
            dc->MoveTo(p.x, plot.top);
            dc->LineTo(p.x, plot.bottom);
        }
        if ((m_nCursorFlags & 1) != 0) {
            dc->MoveTo(plot.left, p.y);
            dc->LineTo(plot.right, p.y);
        }
        dc->Rectangle(p.x - r / 2, p.y - r / 2, p.x + 1 + r / 2, p.y + 1 + r / 2);
    };
    if (m_oldCursorPoint.x != -1 || m_oldCursorPoint.y != -1)
        cross(m_oldCursorPoint);
    cross(m_CurrentPoint);
    m_oldCursorPoint = m_CurrentPoint;
    dc->SetROP2(mix);
    dc->SelectObject(oldBrush);
    if ((m_nCursorFlags & 4) != 0)
        DrawCursorLabel(dc);
}

void CXGraph::DrawCursorLabel(CDCEx* dc) {
    m_CursorLabel.SetVisible(true);
    CString text;
    for (int i = 0; i < GetXAxisCount(); ++i) {
        CXGraphAxis& axis = m_XAxis[static_cast<size_t>(i)];
        CString head;
        head.Format(" X[%02d] : ", i + 1);
        text += head + OneLine(axis.FormatLabel(axis.GetValueForPos(m_CurrentPoint.x))) + " " +
                axis.GetLabel() + "\r\n";
    }
    for (int i = 0; i < GetYAxisCount(); ++i) {
        CXGraphAxis& axis = m_YAxis[static_cast<size_t>(i)];
        CString head;
        head.Format(" Y[%02d] : ", i + 1);
        text += head + axis.FormatLabel(axis.GetValueForPos(m_CurrentPoint.y)) + " " +
                axis.GetLabel() + "\r\n";
    }
    if (CurveDrawable(m_nSnappedCurve)) {
        const CXGraphDataSerie& s = m_Data[static_cast<size_t>(m_nSnappedCurve)];
        CString head;
        head.Format(" %s[%02d] : ", s.m_cLabel.GetString(), m_nSnappedCurve + 1);
        text += head + OneLine(GetXAxis(s.m_nXAxis).FormatLabel(m_fSnappedXVal)) + ", " +
                GetYAxis(s.m_nYAxis).FormatLabel(m_fSnappedYVal) + "\r\n";
    }
    m_CursorLabel.m_cText = text;
    m_CursorLabel.Draw(dc);
}

void CXGraph::DrawEditedValue(CDCEx* dc) {
    CQuickFont quick("Arial", 13, FW_NORMAL);
    CFontSelector font(&quick, dc);
    const int mode = dc->SetBkMode(TRANSPARENT);
    CString text;
    text.Format("%.2f", m_fCurrentEditValue);
    int x = m_CurrentPoint.x + 10;
    int y = m_CurrentPoint.y;
    if (dc->m_bPrintScaling)
        dc->ScaleXY(x, y);
    dc->TextOut(x, y, text);
    dc->SetBkMode(mode);
}
