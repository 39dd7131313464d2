// The in-cell combo's two requests to its list, and its focus rule: the focus moving into its own
// drop-down is no loss; moving anywhere else commits a changed choice and cancels an unchanged one.
#include "controls/list/CXCombo.h"

#include "controls/list/CDropWnd.h"
#include "controls/list/CXListCtrl.h"

IMPLEMENT_DYNAMIC(CXCombo, CAdvComboBox)

BEGIN_MESSAGE_MAP(CXCombo, CAdvComboBox)
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CXCombo::CXCombo(CXListCtrl* pListCtrl) : m_pListCtrl(pListCtrl) {
    m_pOwner = pListCtrl;
}

void CXCombo::OnEscape() {
    if (m_pListCtrl != nullptr && ::IsWindow(m_pListCtrl->GetSafeHwnd()))
        m_pListCtrl->SendMessage(WM_XCOMBOLIST_VK_ESCAPE, 0, 0);
}

void CXCombo::OnComplete() {
    if (m_pListCtrl != nullptr && ::IsWindow(m_pListCtrl->GetSafeHwnd()))
        m_pListCtrl->SendMessage(WM_XCOMBOLIST_COMPLETE, 0, 0);
}

bool CXCombo::IsOwnDropDown(CWnd* pWnd) const {
    if (pWnd == nullptr || m_pDropWnd == nullptr || m_pDropWnd->GetSafeHwnd() == nullptr)
        return false;
    HWND hwnd = pWnd->GetSafeHwnd();
    return hwnd == m_pDropWnd->GetSafeHwnd() || ::IsChild(m_pDropWnd->GetSafeHwnd(), hwnd);
}

void CXCombo::OnKillFocus(CWnd* pNewWnd) {
    CWnd::OnKillFocus(pNewWnd);
    m_bHasFocus = false;
    Invalidate();
    if (IsOwnDropDown(pNewWnd))
        return;
    CString text;
    GetLBText(GetCurSel(), text);
    if (GetCurSel() != -1 && text != m_strSaved)
        OnComplete();
    else
        OnEscape();
}
