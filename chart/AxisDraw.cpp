// Drawing of one axis: its layout values (length, head space, marker extent) first, then the
// bands and marker lines across the plot, the curves' legend markers, title, ticks with labels
// or grid lines, the axis line and its arrow. An invisible axis computes its layout without
// drawing; an axis without a range draws its line and title without ticks.
#include <algorithm>
#include <cmath>
#include <string_view>

#include "chart/DrawHelpers.h"
#include "chart/XGraph.h"

namespace {

// Ticks are at min + k * step; a step is used only when it gives at most one tick per 2 px.
constexpr double kMinPixelsPerTick = 2.0;

// What every tick draws with, selected once for all of an axis' ticks: the label font and the
// grid pen.
struct TickTools {
    TickTools(CFont* labels, COLORREF grid, int gridStyle, CDCEx* dc)
        : font(labels, dc), pen(grid, 1, dc, gridStyle) {}
    CFontSelector font;
    CPenSelector pen;
};

// Draws a tick label into r, its own extent, as DrawText draws it there: from the top left
// corner, clipped to r. The axes draw dozens of labels per paint, and a plain one-line label
// (no prefix character, no control character) needs neither DrawText's line layout nor its
// round trip through the DC's clip region. Other labels, and every label on a scaling printer
// DC, go through DrawText.
void DrawLabel(CDCEx* dc, const CString& label, CRect& r, UINT format) {
    const std::string_view text(label.GetString(), static_cast<size_t>(label.GetLength()));
    const bool plain =
        !dc->m_bPrintScaling && !text.empty() && std::none_of(text.begin(), text.end(), [](char c) {
            return c == '&' || static_cast<unsigned char>(c) < 0x20;
        });
    if (!plain) {
        dc->DrawText(label, &r, format);
        return;
    }
    const UINT align = dc->SetTextAlign(TA_LEFT | TA_TOP | TA_NOUPDATECP);
    dc->ExtTextOut(r.left, r.top, ETO_CLIPPED, &r, label.GetString(),
                   static_cast<UINT>(label.GetLength()), nullptr);
    dc->SetTextAlign(align);
}

}  // namespace

void CXGraphAxis::Draw(CDCEx* dc) {
    if (m_nLinear == 0) {
        DrawLog(dc);
        return;
    }
    DrawLinear(dc);
}

void CXGraphAxis::ComputeLayout(CDCEx* dc) {
    if (m_bAutoScale)
        AutoScale(dc);
    m_fRange = HasRange() ? m_fCurMax - m_fCurMin : 1.0;
    const CRect& plot = PlotRect();
    const bool titled = !m_cLabel.IsEmpty();
    if (m_AxisType == yAxis) {
        m_fHeadSpace = 2.0 * m_nArcSize;
        m_fMarkerSpace = DrawCurveMarkers(dc, false);
        if (titled)
            m_fHeadSpace += GetTitleSize(dc).cy;
        m_nLayoutTop = static_cast<int>(m_clAreaRect.top + m_fMarkerSpace);
        const int tickTop = static_cast<int>(plot.top + m_fHeadSpace + m_fMarkerSpace);
        m_nLength = plot.bottom - tickTop;
    } else {
        m_fHeadSpace = 4.0 * m_nArcSize;
        m_fMarkerSpace = DrawCurveMarkers(dc, false);
        if (titled)
            m_fHeadSpace += GetTitleSize(dc).cx;
        m_nLayoutRight = static_cast<int>(plot.right - m_fMarkerSpace);
        m_nLength = static_cast<int>((m_nLayoutRight - m_nLeft) - m_fHeadSpace);
    }
    if (m_nLength < 1)
        m_nLength = 1;
}

double CXGraphAxis::UsableStep(double length) const {
    const double span = m_fCurMax - m_fCurMin;
    const double maxTicks = length / kMinPixelsPerTick + 1.0;
    if (std::isfinite(m_fStep) && m_fStep > 0.0 && span / m_fStep <= maxTicks)
        return m_fStep;
    const int n = static_cast<int>(std::fmax(2.0, std::fmin(10.0, length / 20.0)));
    const double nice = GetNiceStep(n, m_fCurMin, m_fCurMax);
    return nice > 0.0 ? nice : span;
}

void CXGraphAxis::DrawLinear(CDCEx* dc) {
    ComputeLayout(dc);
    if (!m_bVisible) {
        SetHitRect(m_nLayoutTop, m_nLayoutRight);
        return;
    }
    DrawLayers(dc);
    const int top = m_nLayoutTop;
    const int right = m_nLayoutRight;
    const double steps = HasRange() ? m_fRange / UsableStep(m_nLength) : 1.0;
    const double pixelsPerStep = m_AxisType == yAxis ? ((m_nTop - top) - m_fHeadSpace) / steps
                                                     : ((right - m_nLeft) - m_fHeadSpace) / steps;
    DrawTitle(dc, top, right);
    // A step far wider than the range leaves no finite distance between ticks: no ticks then.
    if (HasRange() && std::isfinite(pixelsPerStep)) {
        if (m_AxisType == yAxis)
            DrawYTicks(dc, pixelsPerStep);
        else
            DrawXTicks(dc, pixelsPerStep);
    }
    DrawAxisLine(dc, top, right);
}

void CXGraphAxis::DrawLayers(CDCEx* dc) {
    DrawColorRanges(dc);
    DrawAxisMarkers(dc);
    m_fMarkerSpace = DrawCurveMarkers(dc, true);
    dc->SetBkColor(dc->m_bLowColor ? RGB(255, 255, 255) : m_pGraph->GetOuterColor());
    dc->SetBkMode(OPAQUE);
}

void CXGraphAxis::DrawTitle(CDCEx* dc, int top, int right) {
    if (m_cLabel.IsEmpty())
        return;
    const CSize size = GetTitleSize(dc);
    CFontSelector font(&m_TitleFont, dc);
    if (m_AxisType == yAxis) {
        // Counted twice on purpose: the step computation finds the value the draw left.
        m_fHeadSpace += size.cy;
        if (m_nPlacement == 0) {
            CRect r(m_nLeft - size.cx - m_nTickSize, top, m_nLeft - m_nTickSize, top + size.cy);
            dc->DrawText(m_cLabel, &r, DT_RIGHT);
        } else {
            CRect r(m_nLeft + m_nTickSize, top, m_nLeft + m_nTickSize + size.cx, top + size.cy);
            dc->DrawText(m_cLabel, &r, DT_LEFT);
        }
    } else {
        m_fHeadSpace += size.cx;
        CRect r(right - size.cx, m_nTop + m_nTickSize, right, m_nTop + m_nTickSize + size.cy);
        dc->DrawText(m_cLabel, &r, DT_LEFT);
    }
}

double CXGraphAxis::TickStep() const {
    // Logarithmic ticks are decades: their labels need no decimals of a step.
    return m_nLinear != 0 ? UsableStep(m_nLength) : 0.0;
}

void CXGraphAxis::DrawTick(CDCEx* dc, double value, int pos, bool labelled) {
    const CRect& plot = PlotRect();
    if (m_AxisType == yAxis) {
        if (m_nPlacement != 0 && m_nPlacement != 1)
            return;
        const bool left = m_nPlacement == 0;
        if (labelled) {
            const CString label = FormatTickLabel(value, TickStep());
            const CSize size = GetMultilineTextExtent(dc, label);
            const int y0 = pos - size.cy / 2;
            CRect r = left ? CRect(m_nLeft - size.cx - m_nTickSize, y0, m_nLeft - m_nTickSize,
                                   y0 + size.cy)
                           : CRect(m_nLeft + m_nTickSize, y0, m_nLeft + m_nTickSize + size.cx,
                                   y0 + size.cy);
            DrawLabel(dc, label, r, left ? DT_RIGHT : DT_LEFT);
        }
        const int mode = dc->SetBkMode(TRANSPARENT);
        dc->MoveTo(left ? m_nLeft - m_nTickSize : m_nLeft + m_nTickSize, pos);
        if (!m_bShowGrid || pos == m_nTop)
            dc->LineTo(m_nLeft, pos);
        else
            dc->LineTo(left ? plot.right : plot.left, pos);
        dc->SetBkMode(mode);
        return;
    }
    if (labelled) {
        const CString label = FormatTickLabel(value, TickStep());
        const CSize size = GetMultilineTextExtent(dc, label);
        CRect r(pos - size.cx / 2, m_nTop + m_nTickSize, pos + size.cx / 2 + size.cx % 2,
                m_nTop + m_nTickSize + size.cy);
        DrawLabel(dc, label, r, DT_CENTER);
    }
    const int mode = dc->SetBkMode(TRANSPARENT);
    dc->MoveTo(pos, m_nTop + m_nTickSize);
    if (!m_bShowGrid || pos == m_nLeft)
        dc->LineTo(pos, m_nTop);
    else
        dc->LineTo(pos, m_clAreaRect.top);
    dc->SetBkMode(mode);
}

void CXGraphAxis::DrawYTicks(CDCEx* dc, double pixelsPerStep) {
    const TickTools tools(&m_Font, m_crGridColor, m_nGridStyle, dc);
    const double step = UsableStep(m_nLength);
    for (long k = 0;; ++k) {
        const double v = m_fCurMin + static_cast<double>(k) * step;
        if (v > m_fCurMax + step * 1e-9)
            break;
        const double y = m_nTop - static_cast<double>(k) * pixelsPerStep;
        DrawTick(dc, v, PixelMapper::ToPixel(y), true);
    }
}

void CXGraphAxis::DrawXTicks(CDCEx* dc, double pixelsPerStep) {
    const TickTools tools(&m_Font, m_crGridColor, m_nGridStyle, dc);
    const double step = UsableStep(m_nLength);
    for (long k = 0;; ++k) {
        const double v = m_fCurMin + static_cast<double>(k) * step;
        if (v >= m_fCurMax - step * 1e-9)
            break;
        const double x = m_nLeft + static_cast<double>(k) * pixelsPerStep;
        DrawTick(dc, v, PixelMapper::ToPixel(x), true);
    }
}

void CXGraphAxis::DrawAxisLine(CDCEx* dc, int top, int right) {
    {
        CPenSelector pen(dc->m_bLowColor ? RGB(0, 0, 0) : m_crColor, 1, dc);
        if (m_AxisType == yAxis) {
            dc->MoveTo(m_nLeft, m_nTop);
            dc->LineTo(m_nLeft, top);
            DrawArrow(dc, m_nLeft, top, 1, m_nArcSize);
        } else {
            dc->MoveTo(m_nLeft, m_nTop);
            dc->LineTo(right, m_nTop);
            DrawArrow(dc, right, m_nTop, 2, m_nArcSize);
        }
    }
    SetHitRect(top, right);
    if (m_bSelected)
        dc->DrawFocusRect(m_clAreaRect);
}

// The area field holds the plot rectangle during the layout; every draw, visible or not, narrows
// it to the band around the axis line that the chart's hit test uses.
void CXGraphAxis::SetHitRect(int top, int right) {
    if (m_AxisType == yAxis)
        m_clAreaRect.SetRect(m_nLeft - 5, top, m_nLeft + 5, m_nTop);
    else
        m_clAreaRect.SetRect(m_nLeft, m_nTop - 5, right, m_nTop + 5);
}

void CXGraphAxis::DrawLog(CDCEx* dc) {
    ComputeLayout(dc);
    const CRect& plot = PlotRect();
    if (m_AxisType == xAxis)
        m_nLength = static_cast<int>(plot.right - m_fHeadSpace - m_fMarkerSpace) - plot.left;
    if (m_nLength < 1)
        m_nLength = 1;
    if (!m_bVisible) {
        SetHitRect(m_nLayoutTop, m_nLayoutRight);
        return;
    }
    DrawLayers(dc);
    const int top = m_nLayoutTop;
    const int right = m_nLayoutRight;
    DrawTitle(dc, top, right);
    if (HasRange() && m_fCurMin > 0.0) {
        const TickTools tools(&m_Font, m_crGridColor, m_nGridStyle, dc);
        const double first = std::floor(std::log10(m_fCurMin));
        const double last = std::ceil(std::log10(m_fCurMax));
        for (double e = first; e < last && e - first < 400; e += 1.0) {
            const double d = std::pow(10.0, e);
            for (int k = 1; k < 10; ++k) {
                const double v = d * k;
                if (v < m_fCurMin || v > m_fCurMax)
                    continue;
                const double xy[2] = {v, v};
                const CPoint p = GetPointForValue(xy);
                DrawTick(dc, v, m_AxisType == yAxis ? p.y : p.x, k == 1);
            }
        }
    }
    DrawAxisLine(dc, top, right);
}
