// Clicks on cells and the life of the in-cell combo. A click toggles a check box, or opens a
// combo over a combo cell. The combo asks to cancel or commit; the list acts 50 ms later on its
// timers, once per open combo. Finishing first takes the combo out of the list and destroys it,
// and only then writes the cell and tells the owner, so an owner that answers with a modal box
// cannot finish the same combo twice.
#include "controls/list/CXCombo.h"
#include "controls/list/CXListCtrl.h"

namespace {

constexpr UINT_PTR kUnlockTimer = 1;
constexpr UINT_PTR kCancelTimer = 2;
constexpr UINT_PTR kCommitTimer = 3;
constexpr UINT kComboTimerPeriod = 50;
constexpr int kMinComboWidth = 5;

}  // namespace

void CXListCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
    LVHITTESTINFO hit{};
    hit.pt = point;
    SubItemHitTest(&hit);
    int column = -1;
    if (hit.iItem >= 0 && (hit.flags & LVHT_ONITEMLABEL)) {
        if (RowData(hit.iItem) == nullptr || !GetEnabled(hit.iItem))
            return;  // rows without records and disabled rows take no clicks at all
        for (int c = 0; c < GetColumns(); ++c) {
            CRect rect;
            if (GetSubItemRect(hit.iItem, c, LVIR_BOUNDS, rect) && rect.PtInRect(point)) {
                column = c;
                break;
            }
        }
    }
    if (column < 0) {
        if (m_pCombo != nullptr)
            RequestComboEnd(kCancelTimer);
        CListCtrl::OnLButtonDown(nFlags, point);
        return;
    }
    const int item = hit.iItem;
    XListCellData* cell = Cell(item, column);
    if (cell != nullptr && cell->nCheckedState != -1) {
        cell->nCheckedState = cell->nCheckedState == 0 ? 1 : 0;
        cell->bModified = 1;
        m_bListModified = 1;
        UpdateSubItem(item, column);
        NotifyOwner(WM_XLISTCTRL_CHECKBOX_CLICKED, item, column);
        SyncHeaderCheckbox(column);
        CListCtrl::OnLButtonDown(nFlags, point);
    } else if (cell != nullptr && cell->bCombo) {
        // One combo at a time: the open one ends now, as a focus loss would end it.
        FinishComboByChange();
        CListCtrl::OnLButtonDown(nFlags, point);
        OpenCombo(item, column);
    } else {
        CListCtrl::OnLButtonDown(nFlags, point);
    }
}

void CXListCtrl::OpenCombo(int nItem, int nSubItem) {
    XListCellData* cell = Cell(nItem, nSubItem);
    if (cell == nullptr || !GetEnabled(nItem) || m_pCombo != nullptr)
        return;
    CRect rect;
    if (!GetSubItemRect(nItem, nSubItem, LVIR_BOUNDS, rect) || rect.Width() < kMinComboWidth)
        return;
    rect.top -= 1;
    ClientToScreen(&rect);
    rect.left += 1;
    m_rectComboList = rect;

    auto* combo = new CXCombo(this);
    if (!combo->CreateEx(WS_EX_CONTROLPARENT, CAdvComboBox::kClassName, "",
                         WS_POPUP | WS_VISIBLE | CBS_DROPDOWNLIST, rect, this, 0)) {
        delete combo;
        UpdateSubItem(nItem, nSubItem);
        return;
    }
    m_pCombo = combo;
    m_nComboItem = nItem;
    m_nComboSubItem = nSubItem;
    m_nPendingComboTimer = 0;
    if (!m_bUpdateLocked)
        m_bUpdateLocked = LockWindowUpdate() != FALSE;

    if (cell->psa != nullptr)
        for (INT_PTR i = 0; i < cell->psa->GetSize(); ++i)
            if (!cell->psa->GetAt(i).IsEmpty())
                combo->AddString(cell->psa->GetAt(i));
    combo->SetDropDownLines(cell->nComboListHeight);

    int sel = -1;
    if (cell->psa != nullptr && cell->nInitialComboSel >= 0 &&
        cell->nInitialComboSel < combo->GetCount()) {
        CString initial;
        combo->GetLBText(cell->nInitialComboSel, initial);
        sel = cell->nInitialComboSel;
        cell->nInitialComboSel = -1;  // only the first opening applies it
        SetItemText(nItem, nSubItem, initial);
    }
    if (sel < 0) {
        const CString text = GetItemText(nItem, nSubItem);
        if (text.IsEmpty()) {
            CString first;
            combo->GetLBText(0, first);
            if (!first.IsEmpty())
                SetItemText(nItem, nSubItem, first);
            sel = 0;
        } else {
            sel = combo->FindStringExact(-1, text);
            if (sel < 0)
                sel = 0;
        }
    }
    combo->SetCurSel(sel);
    combo->GetLBText(sel, m_strInitialString);
    combo->SetSavedText(m_strInitialString);
    SetTimer(kUnlockTimer, kComboTimerPeriod, nullptr);
    combo->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    combo->BringWindowToTop();
    combo->SetFocus();
}

void CXListCtrl::RequestComboEnd(UINT_PTR timer) {
    if (m_pCombo == nullptr || m_nPendingComboTimer != 0)
        return;
    m_nPendingComboTimer = timer;
    SetTimer(timer, kComboTimerPeriod, nullptr);
}

LRESULT CXListCtrl::OnComboEscape(WPARAM, LPARAM) {
    RequestComboEnd(kCancelTimer);
    return 0;
}

LRESULT CXListCtrl::OnComboComplete(WPARAM, LPARAM) {
    RequestComboEnd(kCommitTimer);
    return 0;
}

void CXListCtrl::OnTimer(UINT_PTR nIDEvent) {
    switch (nIDEvent) {
        case kUnlockTimer:
            ReleaseUpdateLock();
            break;
        case kCancelTimer:
            KillTimer(kCancelTimer);
            FinishCombo(false);
            break;
        case kCommitTimer:
            KillTimer(kCommitTimer);
            FinishCombo(true);
            break;
        default:
            CListCtrl::OnTimer(nIDEvent);
            break;
    }
}

void CXListCtrl::ReleaseUpdateLock() {
    if (m_hWnd != nullptr)
        KillTimer(kUnlockTimer);
    if (m_bUpdateLocked) {
        m_bUpdateLocked = false;
        UnlockWindowUpdate();
    }
}

void CXListCtrl::FinishComboByChange() {
    if (m_pCombo == nullptr)
        return;
    CString text;
    m_pCombo->GetLBText(m_pCombo->GetCurSel(), text);
    FinishCombo(m_pCombo->GetCurSel() != -1 && text != m_strInitialString);
}

void CXListCtrl::FinishCombo(bool bCommit) {
    if (m_pCombo == nullptr)
        return;
    CXCombo* combo = m_pCombo;
    m_pCombo = nullptr;
    m_nPendingComboTimer = 0;
    if (m_hWnd != nullptr) {
        KillTimer(kCancelTimer);
        KillTimer(kCommitTimer);
    }
    combo->SetListCtrl(nullptr);
    const int item = m_nComboItem;
    const int column = m_nComboSubItem;
    const int sel = combo->GetCurSel();
    CString text;
    combo->GetLBText(sel, text);
    // The keyboard stays in the list rather than going nowhere with the combo.
    if (::GetFocus() == combo->GetSafeHwnd() && ::IsWindow(m_hWnd))
        SetFocus();
    if (::IsWindow(combo->GetSafeHwnd()))
        combo->DestroyWindow();
    delete combo;

    if (!bCommit || sel == -1) {
        UpdateSubItem(item, column);
        return;
    }
    XListCellData* cell = Cell(item, column);
    if (cell == nullptr)
        return;
    SetItemText(item, column, text);
    if (text != m_strInitialString) {
        cell->bModified = 1;
        m_bListModified = 1;
    }
    NotifyOwner(WM_XLISTCTRL_COMBO_SELECTION, item, column);
}
