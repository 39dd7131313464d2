// The shown x window and the two sliders: the range slider selects the window, the interval
// slider places its right end as a fraction of the newest x. Every division is guarded, and
// with no point at all the window and the sliders keep their range.
#include "app/views/GraphicDisplayWnd.h"

#include <cfloat>
#include <cmath>

double CGraphicDisplayWnd::NewestX() {
    m_store.m_bLastIndexMode = TRUE;
    const double newest = m_store.getAbsoluteXMax("CGraphicDisplayWnd::NewestX");
    m_store.m_bLastIndexMode = FALSE;
    return newest;
}

double CGraphicDisplayWnd::OldestX() {
    m_store.m_bLastIndexMode = TRUE;
    const double oldest = m_store.getAbsoluteXMin("CGraphicDisplayWnd::OldestX");
    m_store.m_bLastIndexMode = FALSE;
    return oldest;
}

bool CGraphicDisplayWnd::HasXAxis() const {
    return m_pChart != nullptr && m_pChart->GetXAxisCount() > 0;
}

int CGraphicDisplayWnd::SliderPosition(double maximum, double newest) {
    const double position = maximum / std::max(newest, DBL_EPSILON) * kSliderSteps;
    if (!std::isfinite(position))
        return kSliderSteps;
    return static_cast<int>(std::clamp(position, 0.0, static_cast<double>(kSliderSteps)));
}

void CGraphicDisplayWnd::UpdateXWindow(int mode) {
    m_iXWindowMode = mode;
    const double newest = NewestX();
    // No point at all: nothing to follow.
    if (newest == -DBL_MAX)
        return;
    double minimum = m_dXMin;
    double maximum = m_dXMax;
    if (mode == 1) {
        if (m_dWindowWidth <= DBL_EPSILON)
            return;
        minimum = newest - m_dWindowWidth;
        maximum = newest;
    } else {
        minimum = OldestX();
        maximum = newest;
    }
    SetXRange(minimum, maximum);
}

void CGraphicDisplayWnd::SetWindowWidth(double width) {
    m_dWindowWidth = width;
}

void CGraphicDisplayWnd::SetXRange(double a, double b) {
    if (m_bCurveBusy || !std::isfinite(a) || !std::isfinite(b))
        return;
    m_bCurveBusy = TRUE;
    {
        CSingleLock lock(&m_lock, TRUE);
        if (HasXAxis()) {
            m_dXMin = std::min(a, b);
            m_dXMax = std::max(a, b);
            m_pChart->GetXAxis(0).SetCurrentRange(m_dXMin, m_dXMax);
            SyncSliders();
            Redraw();
        }
    }
    m_bCurveBusy = FALSE;
}

void CGraphicDisplayWnd::GetXRange(double& minimum, double& maximum, double& step) {
    minimum = maximum = step = 0.0;
    if (HasXAxis())
        m_pChart->GetXAxis(0).GetRange(minimum, maximum, step);
}

void CGraphicDisplayWnd::SyncSliders() {
    m_bSuppressRedrawTimer = TRUE;
    // The range slider reports its own clamping while it is set: not a user's move.
    const BOOL wasBusy = m_bSliderBusy;
    m_bSliderBusy = TRUE;
    if (m_rangeSlider.GetSafeHwnd() != nullptr) {
        m_rangeSlider.SetMinMax(m_dXMin, m_dXMax);
        m_rangeSlider.SetRange(m_dXMin, m_dXMax);
        m_rangeSlider.SetVisualMinMax(m_dXMin, m_dXMax);
    }
    const double newest = NewestX();
    if (m_intervalSlider.GetSafeHwnd() != nullptr && newest != -DBL_MAX)
        m_intervalSlider.SetPos(SliderPosition(m_dXMax, newest));
    m_bSliderBusy = wasBusy;
    m_bSuppressRedrawTimer = FALSE;
}

LRESULT CGraphicDisplayWnd::OnIntervalChange(WPARAM, LPARAM) {
    if (m_bSliderBusy)
        return 0;
    double left = 0.0;
    double right = 0.0;
    m_rangeSlider.GetRange(left, right);
    m_dXMin = left;
    m_dXMax = right;
    m_dWindowWidth = right - left;
    m_iIntervalPosition = SliderPosition(right, NewestX());
    m_bSliderBusy = TRUE;
    m_intervalSlider.SetPos(m_iIntervalPosition);
    m_bSliderBusy = FALSE;
    if (!m_bSuppressRedrawTimer)
        SetTimer(TIMER_REDRAW, 50, nullptr);
    return 0;
}

void CGraphicDisplayWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    const double newest = NewestX();
    if (!m_bSliderBusy && newest != -DBL_MAX) {
        m_iIntervalPosition = m_intervalSlider.GetPos();
        const double maximum = m_iIntervalPosition * newest / kSliderSteps;
        const double minimum =
            m_dWindowWidth <= DBL_EPSILON ? OldestX() : std::max(0.0, maximum - m_dWindowWidth);
        m_bSliderBusy = TRUE;
        if (minimum <= maximum) {
            m_dXMin = minimum;
            m_dXMax = maximum;
            m_rangeSlider.SetRange(minimum, maximum);
            m_rangeSlider.SetVisualMinMax(minimum, maximum);
        }
        m_bSliderBusy = FALSE;
        if (!m_bSuppressRedrawTimer)
            SetTimer(TIMER_REDRAW, 50, nullptr);
    }
    CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
}

LRESULT CGraphicDisplayWnd::OnUndoZoom(WPARAM, LPARAM) {
    if (!HasXAxis())
        return 0;
    double step = 0.0;
    m_pChart->GetXAxis(0).GetRange(m_dXMin, m_dXMax, step);
    const BOOL wasBusy = m_bSliderBusy;
    m_bSliderBusy = TRUE;
    m_rangeSlider.SetRange(m_dXMin, m_dXMax);
    m_rangeSlider.SetVisualMinMax(m_dXMin, m_dXMax);
    m_rangeSlider.Invalidate(FALSE);
    m_intervalSlider.SetPos(SliderPosition(m_dXMax, NewestX()));
    m_bSliderBusy = wasBusy;
    return 0;
}
