// One paint of the chart: background, legend, the axes laid out from their label sizes, the
// plot, the curves clipped to it, the overlays of the interaction state and the free objects.
// The screen paint composes the image off screen and copies it once; a printer paint draws the
// same layout, in screen pixels, through a print-scaling DC.
#include <algorithm>

#include "chart/DrawHelpers.h"
#include "chart/XGraph.h"
#include "controls/list/CMemDC_Tarvik.h"
#include "platform/gfx/WindowDC.h"

namespace {

// Fills `outer` less the part of `hole` in it, which a later fill covers: each pixel is filled
// once. Both are taken as the fill takes them, corners in any order. The DC's background colour
// is `color` afterwards, as after a fill of the whole.
void FillAround(CDCEx* dc, CRect outer, CRect hole, COLORREF color) {
    // A scaled fill settles the print scale, and with it the low-colour flag, even when it
    // fills nothing: so does this one.
    if (dc->m_bPrintScaling)
        dc->EnsureScale();
    outer.NormalizeRect();
    hole.NormalizeRect();
    if (!hole.IntersectRect(hole, outer)) {
        dc->FillSolidRect(outer, color);
        return;
    }
    const CRect parts[] = {
        {outer.left, outer.top, outer.right, hole.top},
        {outer.left, hole.bottom, outer.right, outer.bottom},
        {outer.left, hole.top, hole.left, hole.bottom},
        {hole.right, hole.top, outer.right, hole.bottom},
    };
    for (const CRect& part : parts)
        if (!part.IsRectEmpty())
            dc->FillSolidRect(part, color);
    dc->SetBkColor(color);
}

}  // namespace

void CXGraph::OnPaint() {
    CPaintDC paint(this);
    m_oldCursorPoint.SetPoint(-1, -1);
    CRect client;
    GetClientRect(&client);
    PaintScreen(&paint, client);
}

void CXGraph::PaintScreen(CDC* target, const CRect& client) {
    const auto draw = [this, &client](CDC& on) {
        CDCEx dc;
        dc.Attach(on.m_hDC);
        dc.m_hAttribDC = on.m_hAttribDC;
        const int saved = dc.SaveDC();
        dc.m_bScaleComputed = false;
        dc.m_bLowColor = false;
        dc.m_bPrintScaling = false;
        dc.m_bClipUnscaled = false;
        PaintChart(&dc, client);
        dc.RestoreDC(saved);
        dc.Detach();
    };
    if (m_bDoubleBuffer) {
        // The kept image is the off-screen bitmap itself: made once per size, never cleared
        // (the paint covers every pixel), and it holds this paint's picture afterwards.
        CMemDC_Tarvik memory(target, client, m_pDrawBitmap);
        draw(memory);
        if (!memory.IsOffScreen())
            m_pDrawBitmap.reset();
    } else {
        draw(*target);
        KeepImage(target, client);
    }
}

void CXGraph::KeepImage(CDC* dc, const CRect& rect) {
    BITMAP bm{};
    if (m_pDrawBitmap == nullptr || m_pDrawBitmap->GetBitmap(&bm) == 0 ||
        bm.bmWidth != rect.Width() || bm.bmHeight != rect.Height()) {
        m_pDrawBitmap = std::make_unique<CBitmap>();
        if (!m_pDrawBitmap->CreateCompatibleBitmap(dc, rect.Width(), rect.Height())) {
            m_pDrawBitmap.reset();
            return;
        }
    }
    CDC keep;
    keep.CreateCompatibleDC(dc);
    CBitmap* old = keep.SelectObject(m_pDrawBitmap.get());
    keep.BitBlt(0, 0, rect.Width(), rect.Height(), dc, rect.left, rect.top, SRCCOPY);
    keep.SelectObject(old);
}

CFont* CXGraph::GetNumberFont(int size) {
    std::unique_ptr<CQuickFont>& font = m_NumberFonts[size];
    if (font == nullptr)
        font = std::make_unique<CQuickFont>("Arial", size, 100);
    return font.get();
}

void CXGraph::PaintChart(CDCEx* dc, const CRect& rect) {
    m_NumberFonts.clear();
    // Every paint, of a clip region or at another size, starts from the ranges the axes were
    // given, so that the same ranges and size paint the same picture.
    for (CXGraphAxis& axis : m_XAxis)
        axis.RestoreUnscaledRange();
    for (CXGraphAxis& axis : m_YAxis)
        axis.RestoreUnscaledRange();
    const int saved = dc->SaveDC();
    // Three nested backgrounds: the chart's, the graph's inside the margins and the legend, and
    // the plot's inside the axes. Each outer one is filled only around the next, which the
    // layout (it draws nothing) finds first; around the legend, which takes its room as it
    // draws, the chart's background is filled whole.
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF back = dc->m_bLowColor ? white : m_crBackColor;
    CRect inner(rect.left + m_nLeftMargin, rect.top + m_nTopMargin, rect.right - m_nRightMargin,
                rect.bottom - m_nBottomMargin);
    if (m_bShowLegend) {
        dc->FillSolidRect(rect, back);
        DrawLegend(dc, inner);
    } else {
        FillAround(dc, rect, inner, back);
    }
    LayoutAxes(dc, inner);
    FillAround(dc, inner, m_clInnerRect, dc->m_bLowColor ? white : m_crGraphColor);
    dc->FillSolidRect(m_clInnerRect, dc->m_bLowColor ? white : m_crInnerColor);
    for (CXGraphAxis& axis : m_XAxis)
        axis.Draw(dc);
    for (CXGraphAxis& axis : m_YAxis)
        axis.Draw(dc);

    CRect clip = m_clInnerRect;
    if (dc->m_bPrintScaling && !dc->m_bClipUnscaled)
        dc->ScaleRect(clip);
    dc->IntersectClipRect(clip);
    DrawCurves(dc);
    DrawMeasures(dc);
    if (m_opOperation == MZoom && m_bLButtonDown)
        DrawZoomRect(dc);
    if (m_opOperation == MMeasure && m_bLButtonDown)
        DrawLiveMeasure(dc);
    if (m_opOperation == MCursor)
        DrawCursor(dc);
    for (POSITION pos = m_Objects.GetHeadPosition(); pos != nullptr;)
        static_cast<CXGraphObject*>(m_Objects.GetNext(pos))->Draw(dc);
    if (m_bDataPointMoving)
        DrawEditedValue(dc);
    dc->RestoreDC(saved);
    m_NumberFonts.clear();
}

void CXGraph::LayoutAxes(CDCEx* dc, const CRect& inner) {
    bool left = true;
    for (CXGraphAxis& axis : m_YAxis) {
        if (axis.m_nPlacement != 2)
            continue;
        axis.m_nPlacement = left ? 0 : 1;
        left = !left;
    }
    // The plot rectangle as far as it is known, so that auto-scaling axes measure against it.
    m_clInnerRect = inner;
    int l = inner.left;
    int r = inner.right;
    int b = inner.bottom;
    // A Y axis is measured at the plot's whole height, the longest it can get: a taller plot
    // (a print, an export) has finer ticks whose labels may need more digits.
    const auto room = [this, dc, &inner](CXGraphAxis& axis) {
        return std::max(axis.GetMaxLabelWidth(dc, inner.Height()),
                        axis.GetTitleSize(dc).cx + axis.m_nArcSize) +
               m_nAxisSpace;
    };
    for (CXGraphAxis& axis : m_YAxis) {
        if (axis.m_nPlacement != 0)
            continue;
        if (axis.m_bVisible)
            l += room(axis);
        axis.m_nLeft = l;
        axis.m_clAreaRect = inner;
    }
    for (CXGraphAxis& axis : m_YAxis) {
        if (axis.m_nPlacement != 1)
            continue;
        if (axis.m_bVisible)
            r -= room(axis);
        axis.m_nLeft = r;
        axis.m_clAreaRect = inner;
    }
    for (CXGraphAxis& axis : m_XAxis) {
        if (axis.m_bVisible)
            b -= axis.GetMaxLabelHeight(dc) + m_nAxisSpace;
        axis.m_nLeft = l;
        axis.m_clAreaRect = inner;
    }
    m_clInnerRect.SetRect(l + 1, inner.top, r, b);
    // Every X axis sits on the plot's bottom; the room each took is kept below it for labels.
    for (CXGraphAxis& axis : m_XAxis)
        axis.m_nTop = b;
    for (CXGraphAxis& axis : m_YAxis) {
        axis.m_nTop = b;
        if (axis.m_nPlacement != 0 && axis.m_nPlacement != 1)
            axis.m_nLeft = l;
    }
}

void CXGraph::DrawCurves(CDCEx* dc) {
    for (CXGraphDataSerie& serie : m_Data)
        if (serie.m_bVisible)
            serie.Draw(dc);
        else
            serie.m_CurveRegions.clear();
    for (CXGraphDataSerie& serie : m_Data)
        if (serie.m_bVisible && serie.m_bShowMarker)
            serie.DrawMarkers(dc);
}
