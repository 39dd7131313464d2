// The jump slider's mouse: the position is the share of the channel under the mouse, kept to
// the channel's ends, so a captured mouse beyond them changes nothing more.
#include "chart/sliders/NiceSliderCtrl.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CNiceSliderCtrl, CSliderCtrl)
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

bool CNiceSliderCtrl::SetThumb(CPoint point) {
    const int min = GetRangeMin();
    const int max = GetRangeMax() + 1;
    CRect channel;
    GetChannelRect(&channel);
    const bool vertical = (GetStyle() & TBS_VERT) != 0;
    const int length = vertical ? channel.Height() : channel.Width();
    if (length <= 0)
        return false;
    const int offset = vertical ? point.y - channel.top : point.x - channel.left;
    const double f = std::clamp(static_cast<double>(offset) / length, 0.0, 1.0);
    const int pos = static_cast<int>(min + (max - min) * f + ((1.0 - f) * 0.5 - 0.5 * f));
    if (pos == GetPos())
        return false;
    SendMessage(TBM_SETPOS, TRUE, pos);
    return true;
}

void CNiceSliderCtrl::PostMessageToParent(UINT code) {
    CWnd* target = m_pWndNotify != nullptr ? m_pWndNotify : GetParent();
    if (target == nullptr)
        return;
    target->PostMessage(WM_HSCROLL, MAKEWPARAM(code, GetPos()), reinterpret_cast<LPARAM>(m_hWnd));
}

void CNiceSliderCtrl::OnLButtonDown(UINT, CPoint point) {
    m_bDragging = true;
    m_bDragChanged = false;
    SetCapture();
    SetFocus();
    if (SetThumb(point)) {
        m_bDragChanged = true;
        PostMessageToParent(SB_THUMBTRACK);
    }
}

void CNiceSliderCtrl::OnMouseMove(UINT flags, CPoint point) {
    if (!m_bDragging) {
        CSliderCtrl::OnMouseMove(flags, point);
        return;
    }
    if (SetThumb(point)) {
        m_bDragChanged = true;
        PostMessageToParent(SB_THUMBTRACK);
    }
}

void CNiceSliderCtrl::OnLButtonUp(UINT flags, CPoint point) {
    if (!m_bDragging) {
        CSliderCtrl::OnLButtonUp(flags, point);
        return;
    }
    m_bDragging = false;
    ReleaseCapture();
    if (SetThumb(point)) {
        PostMessageToParent(SB_THUMBTRACK);
        m_bDragChanged = true;
    }
    FinishDrag();
}

void CNiceSliderCtrl::FinishDrag() {
    if (m_bDragChanged) {
        PostMessageToParent(SB_THUMBPOSITION);
        m_bDragChanged = false;
    }
}

void CNiceSliderCtrl::OnCaptureChanged(CWnd* wnd) {
    // The capture went elsewhere mid-drag: the drag ends where it stands.
    if (m_bDragging && wnd != this) {
        m_bDragging = false;
        FinishDrag();
    }
    CSliderCtrl::OnCaptureChanged(wnd);
}
