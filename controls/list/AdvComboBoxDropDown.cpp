// Opening and closing the drop-down window, a choice from it, and the mouse and focus on the
// combo itself: a click toggles the drop-down, the hot state follows the pointer, and the focus
// changes reach the owner and the cancel request.
#include <algorithm>

#include "controls/list/CAdvComboBox.h"
#include "controls/list/CDropListBox.h"
#include "controls/list/CDropWnd.h"

namespace {

constexpr UINT_PTR kHotTimer = 1;
constexpr UINT kHotTimerPeriod = 50;
// Style and id of the drop-down window, a child of the desktop.
constexpr DWORD kDropWndStyle = 0x40001001;
constexpr UINT kDropWndId = 6;

}  // namespace

void CAdvComboBox::RepaintButton() {
    if (m_hWnd != nullptr)
        InvalidateRect(&m_rcCombo);
}

LRESULT CAdvComboBox::OnToggleDropDown(WPARAM, LPARAM) {
    if (m_bDropListVisible)
        CloseDropDown();
    else
        OpenDropDown();
    return 1;
}

void CAdvComboBox::OpenDropDown() {
    if (m_pDropWnd == nullptr) {
        CRect combo;
        GetWindowRect(&combo);
        CRect work;
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
        const CRect rect(combo.left, combo.bottom, combo.right,
                         std::min(combo.bottom, work.bottom));
        auto* drop = new CDropWnd(this, m_list, m_dwACBStyle);
        m_pDropWnd = drop;
        if (!drop->CreateEx(0, nullptr, "", kDropWndStyle, rect, CWnd::GetDesktopWindow(),
                            kDropWndId)) {
            m_pDropWnd = nullptr;
            delete drop;
            return;
        }
    }
    if (m_nCurSel >= GetCount())
        m_nCurSel = GetCount() > 0 ? 0 : -1;
    m_pDropWnd->GetListBox()->SetCurSel(m_nCurSel);
    m_pDropWnd->SetFont(m_pFont, FALSE);
    m_pDropWnd->ShowWindow(SW_SHOWNA);
    m_bDropListVisible = 1;
    Notify(CBN_DROPDOWN);
}

void CAdvComboBox::CloseDropDown() {
    if (m_pDropWnd == nullptr) {
        OnComplete();
        return;
    }
    CDropWnd* drop = m_pDropWnd;
    drop->GetWindowRect(&m_rcDropWnd);
    m_bDropButtonClosing = true;
    // The keyboard comes back to the combo when the drop-down's list had it.
    HWND focus = ::GetFocus();
    if (focus != nullptr && (focus == drop->m_hWnd || ::IsChild(drop->m_hWnd, focus)))
        SetFocus();
    drop->ShowWindow(SW_HIDE);
    m_bDropListVisible = 0;
    m_pDropWnd = nullptr;
    drop->DestroyWindow();
    delete drop;
    RepaintButton();
    if (m_bSelItem)
        m_bSelItem = false;
    else
        Notify(CBN_SELENDCANCEL);
    Notify(CBN_CLOSEUP);
    m_bDropButtonClosing = false;
}

void CAdvComboBox::ChooseItem(int nIndex) {
    const AdvComboItem* item = ItemAt(nIndex);
    if (item == nullptr)
        return;
    m_strEdit = item->strText;
    // Looked up by text: of two equal texts the first is the selection.
    m_nCurSel = FindStringExact(-1, m_strEdit);
    SetWindowText(m_strEdit);
    m_bSelItem = true;
    Notify(CBN_SELENDOK);
    Invalidate();
    CloseDropDown();
    m_bSelItem = false;
    RepaintButton();
    Notify(CBN_SELCHANGE);
}

LRESULT CAdvComboBox::OnChooseItem(WPARAM wParam, LPARAM) {
    ChooseItem(static_cast<int>(wParam));
    return 1;
}

LRESULT CAdvComboBox::OnCloseDropDown(WPARAM, LPARAM) {
    CloseDropDown();
    return 1;
}

void CAdvComboBox::OnLButtonDown(UINT nFlags, CPoint point) {
    if (::GetFocus() != m_hWnd)
        SetFocus();
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) {
        SendMessage(kToggleDropDown);
        Invalidate();
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CAdvComboBox::OnMouseMove(UINT nFlags, CPoint point) {
    CRect client;
    GetClientRect(&client);
    const bool hot = client.PtInRect(point) != FALSE;
    if (hot != m_bHot) {
        m_bHot = hot;
        if (!m_bHotTimer) {
            SetTimer(kHotTimer, kHotTimerPeriod, nullptr);
            m_bHotTimer = true;
        }
        RepaintButton();
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CAdvComboBox::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kHotTimer) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(cursor))
        return;
    KillTimer(kHotTimer);
    m_bHot = false;
    m_bHotTimer = false;
    RepaintButton();
}

void CAdvComboBox::OnSetFocus(CWnd* pOldWnd) {
    CWnd::OnSetFocus(pOldWnd);
    m_bHasFocus = true;
    Invalidate();
    Notify(CBN_SETFOCUS);
}

void CAdvComboBox::OnKillFocus(CWnd* pNewWnd) {
    CWnd::OnKillFocus(pNewWnd);
    m_bHasFocus = false;
    Invalidate();
    OnEscape();
}

void CAdvComboBox::OnEnable(BOOL bEnable) {
    CWnd::OnEnable(bEnable);
    Invalidate();
}
