// The browse control's mouse, keyboard, focus and timers, and the edit's change handler that
// hands typed paths to the owning page.
#include "controls/BrowseCtrl.h"
#include "controls/BrowsePageInterfaces.h"
#include "platform/framework/WinApp.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/controls/Edit.h"

namespace {

// The pages' notification ids and the page handler each one keys.
constexpr UINT kMeasuredValueFolder = 180;
constexpr UINT kDiagramFolder = 181;
constexpr UINT kResultFolder = 220;
constexpr UINT kStartProgram = 311;
constexpr UINT kStopProgram = 312;

void SelectAll(CEdit& edit, bool all) {
    edit.SendMessage(EM_SETSEL, all ? 0 : static_cast<WPARAM>(-1), -1);
    edit.SendMessage(EM_SCROLLCARET);
}

}  // namespace

void CBrowseCtrl::OnChangeEdit() {
    if (!m_bDlgPopped && (m_dwStyle & BC_CTL_ALLOWEDIT)) {
        m_wndEdit.GetWindowText(m_sPathName);
        m_bEditChanged = true;
    }
    DispatchToPage();
}

void CBrowseCtrl::DispatchToPage() {
    // Fetched at every change: the first changes come while the pages are still being made.
    auto* owner = dynamic_cast<IBrowsePageOwner*>(AfxGetMainWnd());
    if (!owner)
        return;
    CWnd* edit = &m_wndEdit;
    switch (m_nNotifyMsg) {
        case kMeasuredValueFolder:
        case kDiagramFolder:
        case kResultFolder:
            if (IBrowseDocumentationPage* page = owner->BrowseDocumentationPage()) {
                if (m_nNotifyMsg == kMeasuredValueFolder)
                    page->OnBrowseMWTargetDirectory(edit);
                else if (m_nNotifyMsg == kDiagramFolder)
                    page->OnBrowseDMTargetDirectory(edit);
                else
                    page->OnBrowseIONIOTargetDirectory(edit);
            }
            break;
        case kStartProgram:
        case kStopProgram:
            if (IBrowseMeasureAdjustPage* page = owner->BrowseMeasureAdjustPage()) {
                if (m_nNotifyMsg == kStartProgram)
                    page->OnBrowseStartProgram(edit);
                else
                    page->OnBrowseStopProgram(edit);
            }
            break;
        default:
            break;
    }
}

BOOL CBrowseCtrl::PreTranslateMessage(MSG* pMsg) {
    if (m_wndTooltip.m_hWnd)
        m_wndTooltip.RelayEvent(pMsg);
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN &&
        (pMsg->hwnd == m_hWnd || (m_wndEdit.m_hWnd && pMsg->hwnd == m_wndEdit.m_hWnd))) {
        Activate();
        return TRUE;
    }
    return CButton::PreTranslateMessage(pMsg);
}

void CBrowseCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
    CButton::OnLButtonDown(nFlags, point);
    if (m_rcButton.PtInRect(point)) {
        if (m_wndEdit.m_hWnd)
            SelectAll(m_wndEdit, false);
        SetCapture();
        m_bBtnPushed = true;
    }
    RedrawButton();
}

void CBrowseCtrl::OnLButtonUp(UINT nFlags, CPoint point) {
    // The button's own handling releases the capture: read it first.
    const bool captured = GetCapture() == this;
    CButton::OnLButtonUp(nFlags, point);
    if (!captured)
        return;
    if (GetCapture() == this)
        ::ReleaseCapture();
    m_bBtnPushed = false;
    RedrawButton();
    if (m_rcButton.PtInRect(point))
        Activate();
}

void CBrowseCtrl::OnMouseMove(UINT nFlags, CPoint point) {
    CButton::OnMouseMove(nFlags, point);
    if (!m_bMouseIn && m_rcButton.PtInRect(point)) {
        m_bMouseIn = true;
        m_bBtnPushed = GetCapture() == this;
        SetTimer(kHoverTimer, 1);
        RedrawButton();
    }
}

void CBrowseCtrl::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kHoverTimer) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        if (!m_rcButton.PtInRect(cursor)) {
            KillTimer(kHoverTimer);
            m_bMouseIn = false;
            m_bBtnPushed = false;
            RedrawButton();
        }
    } else if (nIDEvent == kFocusTimer) {
        KillTimer(kFocusTimer);
        const bool inEdit = m_wndEdit.m_hWnd && GetFocus() == &m_wndEdit;
        if (!inEdit && m_bEditFocused) {
            m_bEditFocused = false;
            SelectAll(m_wndEdit, false);
        } else if (inEdit && !m_bEditFocused) {
            m_bEditFocused = true;
            SelectAll(m_wndEdit, true);
        }
    }
    CButton::OnTimer(nIDEvent);
}

void CBrowseCtrl::OnDestroy() {
    KillTimer(kHoverTimer);
    KillTimer(kFocusTimer);
    if (m_wndEdit.m_hWnd)
        m_wndEdit.DestroyWindow();
    if (m_wndTooltip.m_hWnd)
        m_wndTooltip.DestroyWindow();
    CButton::OnDestroy();
}

void CBrowseCtrl::OnEditFocusChange() {
    SetTimer(kFocusTimer, 1);
}

void CBrowseCtrl::OnSetFocus(CWnd* pOldWnd) {
    if (!m_bEditFocused && m_wndEdit.m_hWnd && pOldWnd != &m_wndEdit &&
        (!pOldWnd || pOldWnd->m_hWnd != m_wndEdit.m_hWnd)) {
        CButton::OnSetFocus(pOldWnd);
        m_wndEdit.SetFocus();
        SelectAll(m_wndEdit, true);
        m_bEditFocused = true;
    }
}

void CBrowseCtrl::OnMove(int x, int y) {
    CButton::OnMove(x, y);
    RecalcLayout(true);
}

void CBrowseCtrl::OnSize(UINT nType, int cx, int cy) {
    CButton::OnSize(nType, cx, cy);
    RecalcLayout(true);
}

void CBrowseCtrl::OnEnable(BOOL bEnable) {
    CButton::OnEnable(bEnable);
    if (m_wndEdit.m_hWnd)
        m_wndEdit.EnableWindow(bEnable);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

void CBrowseCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    CButton::OnKeyDown(nChar, nRepCnt, nFlags);
    if (nChar == VK_SPACE) {
        m_bBtnPushed = true;
        RedrawButton();
    }
}

void CBrowseCtrl::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
    CButton::OnKeyUp(nChar, nRepCnt, nFlags);
    if (nChar == VK_SPACE) {
        m_bBtnPushed = false;
        RedrawButton();
        Activate();
    }
}
