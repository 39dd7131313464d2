#include "platform/framework/commctrl/SliderCtrl.h"

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(TRACKBAR_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CSliderCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                           UINT nID) {
    return CWnd::CreateEx(dwExStyle, TRACKBAR_CLASS, nullptr, dwStyle | WS_CHILD, rect, pParentWnd,
                          nID);
}

int CSliderCtrl::SetPageSize(int nSize) {
    return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, nSize));
}

int CSliderCtrl::GetRangeMax() const {
    return static_cast<int>(SendMessage(TBM_GETRANGEMAX));
}

int CSliderCtrl::GetRangeMin() const {
    return static_cast<int>(SendMessage(TBM_GETRANGEMIN));
}

void CSliderCtrl::GetRange(int& nMin, int& nMax) const {
    nMin = GetRangeMin();
    nMax = GetRangeMax();
}

void CSliderCtrl::SetRangeMin(int nMin, BOOL bRedraw) {
    SendMessage(TBM_SETRANGEMIN, bRedraw, nMin);
}

void CSliderCtrl::SetRangeMax(int nMax, BOOL bRedraw) {
    SendMessage(TBM_SETRANGEMAX, bRedraw, nMax);
}

void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw) {
    SetRangeMin(nMin, FALSE);
    SetRangeMax(nMax, bRedraw);
}

void CSliderCtrl::GetSelection(int& nMin, int& nMax) const {
    nMin = static_cast<int>(SendMessage(TBM_GETSELSTART));
    nMax = static_cast<int>(SendMessage(TBM_GETSELEND));
}

void CSliderCtrl::SetSelection(int nMin, int nMax) {
    SendMessage(TBM_SETSELSTART, FALSE, nMin);
    SendMessage(TBM_SETSELEND, TRUE, nMax);
}

void CSliderCtrl::GetChannelRect(LPRECT lprc) const {
    SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(lprc));
}

void CSliderCtrl::GetThumbRect(LPRECT lprc) const {
    SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(lprc));
}

int CSliderCtrl::GetPos() const {
    return static_cast<int>(SendMessage(TBM_GETPOS));
}

void CSliderCtrl::SetPos(int nPos) {
    SendMessage(TBM_SETPOS, TRUE, nPos);
}
