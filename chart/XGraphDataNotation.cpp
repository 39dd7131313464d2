// A data-point notation: a white box with a black frame 20 pixels above one point of one curve,
// a vertical line down to the point and a dot on it. The box keeps the size measured at its
// first drawing and follows the point when the axes change.
#include "chart/DrawHelpers.h"
#include "chart/XGraph.h"

IMPLEMENT_SERIAL(CXGraphDataNotation, CXGraphObject, 1)

CXGraphDataNotation::CXGraphDataNotation() {
    const LOGFONT lf = MakeChartLogFont("Arial", 12, FW_NORMAL);
    m_Font.CreateFontIndirect(&lf);
    m_bCanMove = false;
    m_bCanResize = false;
    m_bCanEdit = false;
}

void CXGraphDataNotation::Draw(CDCEx* dc) {
    if (!m_bVisible || m_pGraph == nullptr || m_nCurve < 0 || m_nCurve >= m_pGraph->GetCurveCount())
        return;
    const CXGraphDataSerie& serie = m_pGraph->GetCurve(m_nCurve);
    if (serie.m_nXAxis < 0 || serie.m_nXAxis >= m_pGraph->GetXAxisCount() || serie.m_nYAxis < 0 ||
        serie.m_nYAxis >= m_pGraph->GetYAxisCount())
        return;
    if (m_bTracking)
        m_Tracker.Draw(dc);
    const double xy[2] = {m_fXVal, m_fYVal};
    const int px = m_pGraph->GetXAxis(serie.m_nXAxis).GetPointForValue(xy).x;
    const int py = m_pGraph->GetYAxis(serie.m_nYAxis).GetPointForValue(xy).y;
    if (!m_bPositioned) {
        // Measured with the unscaled font: the size is in logical units also when printing.
        CFont* old = dc->SelectObject(&m_Font);
        m_clRect.SetRect(px, py - 20, px + 1, py);
        dc->DrawText(m_cText, &m_clRect, DT_CALCRECT | DT_CENTER);
        dc->SelectObject(old);
        m_bPositioned = true;
    }
    m_clRect.MoveToXY(px, py - 20);
    CFontSelector font(&m_Font, dc);
    CRect frame = m_clRect;
    frame.InflateRect(1, 1);
    dc->FillSolidRect(frame, RGB(0, 0, 0));
    dc->FillSolidRect(m_clRect, RGB(255, 255, 255));
    const COLORREF oldText = dc->SetTextColor(RGB(0, 0, 0));
    CRect text = m_clRect;
    dc->DrawText(m_cText, &text, DT_CENTER);
    dc->SetTextColor(oldText);
    dc->FillSolidRect(px - 1, py - 1, 3, 3, RGB(0, 0, 0));
    CPenSelector pen(RGB(0, 0, 0), 1, dc);
    dc->MoveTo(px, py);
    dc->LineTo(px, m_clRect.bottom);
}

void CXGraphDataNotation::Serialize(CArchive& ar) {
    CXGraphObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_fXVal << m_fYVal << m_nCurve << m_nIndex << m_cText;
        return;
    }
    ar >> m_fXVal >> m_fYVal >> m_nCurve >> m_nIndex >> m_cText;
    m_bPositioned = false;
}
