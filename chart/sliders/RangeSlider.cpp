// The range slider's model: limits, selection and visible range, each clamped into the limits,
// with the inversion that stores every pair negated and exchanged.
#include "chart/sliders/RangeSlider.h"

#include <cmath>
#include <utility>

#include "platform/framework/WinApp.h"
#include "platform/ui/WindowClass.h"

const UINT RANGE_CHANGED =
    ::RegisterWindowMessage("RANGE_CHANGED{2E7439A4-12DB-42a2-BB95-3462B3EC39CE}CRangeSlider");

namespace {

bool Finite(double a, double b) {
    return std::isfinite(a) && std::isfinite(b);
}

// (a, b) as stored: inverted pairs are negated and exchanged.
std::pair<double, double> Stored(double a, double b, bool inverted) {
    return inverted ? std::pair(-b, -a) : std::pair(a, b);
}

}  // namespace

CRangeSlider::CRangeSlider() {
    WNDCLASS existing{};
    if (::GetClassInfo(AfxGetInstanceHandle(), kClassName, &existing))
        return;
    WNDCLASS wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    if (!AfxRegisterClass(&wc))
        AfxThrowResourceException();
}

BOOL CRangeSlider::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id,
                          CCreateContext* context) {
    return CWnd::Create(nullptr, "", style | WS_CHILD, rect, parent, id, context);
}

void CRangeSlider::Notify(int what) {
    CWnd* target = m_pWndNotify != nullptr ? m_pWndNotify : GetParent();
    if (target != nullptr && target->GetSafeHwnd() != nullptr)
        target->SendMessage(RANGE_CHANGED, static_cast<WPARAM>(what), 0);
}

void CRangeSlider::Refresh() {
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CRangeSlider::ClampSelection() {
    if (m_Min > m_Left) {
        m_Left = m_Min;
        Notify(kLeftHandle);
        if (m_Left > m_Right) {
            m_Right = m_Left;
            Notify(kRightHandle);
        }
    }
    if (m_Max < m_Right) {
        m_Right = m_Max;
        Notify(kRightHandle);
        if (m_Right < m_Left) {
            m_Left = m_Right;
            Notify(kLeftHandle);
        }
    }
}

void CRangeSlider::ClampVisible() {
    if (m_VisualMin > m_VisualMax)
        std::swap(m_VisualMin, m_VisualMax);
    if (m_Min > m_VisualMin) {
        m_VisualMin = m_Min;
        if (m_VisualMin > m_VisualMax)
            m_VisualMax = m_VisualMin;
    }
    if (m_Max < m_VisualMax) {
        m_VisualMax = m_Max;
        if (m_VisualMax < m_VisualMin)
            m_VisualMin = m_VisualMax;
    }
}

void CRangeSlider::SetMinMax(double min, double max) {
    if (!Finite(min, max))
        return;
    if (max < min)
        std::swap(min, max);
    std::tie(m_Min, m_Max) = Stored(min, max, m_bInvertedMode);
    ClampSelection();
    Refresh();
}

void CRangeSlider::SetRange(double left, double right) {
    if (!Finite(left, right))
        return;
    std::tie(m_Left, m_Right) = Stored(left, right, m_bInvertedMode);
    ClampSelection();
    Refresh();
}

void CRangeSlider::SetVisualMinMax(double min, double max) {
    if (!Finite(min, max))
        return;
    std::tie(m_VisualMin, m_VisualMax) = Stored(min, max, m_bInvertedMode);
    ClampVisible();
    Refresh();
}

void CRangeSlider::GetMinMax(double& min, double& max) const {
    std::tie(min, max) = Stored(m_Min, m_Max, m_bInvertedMode);
}

void CRangeSlider::GetRange(double& left, double& right) const {
    std::tie(left, right) = Stored(m_Left, m_Right, m_bInvertedMode);
}

void CRangeSlider::GetVisualMinMax(double& min, double& max) const {
    std::tie(min, max) = Stored(m_VisualMin, m_VisualMax, m_bInvertedMode);
}

void CRangeSlider::SetVisualMode(bool show) {
    if (m_bVisualMinMax != show)
        Refresh();
    m_bVisualMinMax = show;
}

void CRangeSlider::SetVerticalMode(bool vertical) {
    if (m_bHorizontal == !vertical)
        return;
    m_bHorizontal = !vertical;
    Refresh();
}

void CRangeSlider::SetInvertedMode(bool inverted) {
    if (m_bInvertedMode == inverted)
        return;
    m_bInvertedMode = inverted;
    std::tie(m_Left, m_Right) = std::pair(-m_Right, -m_Left);
    std::tie(m_Min, m_Max) = std::pair(-m_Max, -m_Min);
    std::tie(m_VisualMin, m_VisualMax) = std::pair(-m_VisualMax, -m_VisualMin);
    Refresh();
}
