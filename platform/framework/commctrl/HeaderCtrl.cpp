#include "platform/framework/commctrl/HeaderCtrl.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

namespace {

template <class T = LRESULT>
T Send(const CWnd* wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return static_cast<T>(::SendMessage(wnd->m_hWnd, message, wParam, lParam));
}

}  // namespace

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(WC_HEADER, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CHeaderCtrl::GetItemCount() const {
    return Send<int>(this, HDM_GETITEMCOUNT);
}

BOOL CHeaderCtrl::GetItem(int nPos, HDITEM* pHeaderItem) const {
    return Send<BOOL>(this, HDM_GETITEM, static_cast<WPARAM>(nPos),
                      reinterpret_cast<LPARAM>(pHeaderItem));
}

BOOL CHeaderCtrl::SetItem(int nPos, HDITEM* pHeaderItem) {
    return Send<BOOL>(this, HDM_SETITEM, static_cast<WPARAM>(nPos),
                      reinterpret_cast<LPARAM>(pHeaderItem));
}

BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const {
    return Send<BOOL>(this, HDM_GETITEMRECT, static_cast<WPARAM>(nIndex),
                      reinterpret_cast<LPARAM>(lpRect));
}

HIMAGELIST CHeaderCtrl::SetImageList(CImageList* pImageList) {
    return reinterpret_cast<HIMAGELIST>(
        Send(this, HDM_SETIMAGELIST, 0,
             reinterpret_cast<LPARAM>(pImageList ? pImageList->GetSafeHandle() : nullptr)));
}

HIMAGELIST CHeaderCtrl::GetImageList() const {
    return reinterpret_cast<HIMAGELIST>(Send(this, HDM_GETIMAGELIST));
}

int CHeaderCtrl::OrderToIndex(int nOrder) const {
    return Send<int>(this, HDM_ORDERTOINDEX, static_cast<WPARAM>(nOrder));
}

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}
