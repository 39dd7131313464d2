// The cell model: rows get one record per column when they are inserted, and every cell operation
// checks the cell first: an invalid cell, a row without records or a column added after the row
// does nothing and answers the default.
#include <algorithm>

#include "controls/list/CXListCtrl.h"

namespace {

constexpr COLORREF kDefaultColor = static_cast<COLORREF>(-1);

}  // namespace

XListRowData* CXListCtrl::RowData(int nItem) const {
    if (nItem < 0 || nItem >= GetItemCount())
        return nullptr;
    return reinterpret_cast<XListRowData*>(GetItemData(nItem));
}

XListCellData* CXListCtrl::Cell(int nItem, int nSubItem) const {
    if (nSubItem < 0 || nSubItem >= const_cast<CXListCtrl*>(this)->GetColumns())
        return nullptr;
    XListRowData* row = RowData(nItem);
    if (row == nullptr || nSubItem >= static_cast<int>(row->cells.size()))
        return nullptr;
    return &row->cells[static_cast<size_t>(nSubItem)];
}

int CXListCtrl::GetColumns() {
    CHeaderCtrl* header = GetHeaderCtrl();
    return header != nullptr ? header->GetItemCount() : 0;
}

int CXListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, COLORREF crText, COLORREF crBackground) {
    if (nItem < 0)
        return -1;
    const int index = CListCtrl::InsertItem(nItem, lpszItem);
    if (index < 0)
        return index;
    auto* row = new XListRowData;
    XListCellData blank;
    blank.crText = m_crWindowText;
    blank.crBackground = m_crWindow;
    row->cells.assign(static_cast<size_t>(std::max(GetColumns(), 0)), blank);
    if (!row->cells.empty()) {
        XListCellData& first = row->cells.front();
        first.crText = crText == kDefaultColor ? m_crWindowText : crText;
        first.crBackground = crBackground == kDefaultColor ? m_crWindow : crBackground;
        first.nImage = -1;
    }
    CListCtrl::SetItemData(index, reinterpret_cast<DWORD_PTR>(row));
    return index;
}

void CXListCtrl::FreeRowData() {
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        delete reinterpret_cast<XListRowData*>(GetItemData(i));
        CListCtrl::SetItemData(i, 0);
    }
}

BOOL CXListCtrl::DeleteAllItems() {
    // An open combo belongs to a row that is about to go.
    FinishCombo(false);
    ReleaseUpdateLock();
    FreeRowData();
    return CListCtrl::DeleteAllItems();
}

BOOL CXListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText) {
    if (Cell(nItem, nSubItem) == nullptr)
        return FALSE;
    const BOOL result = CListCtrl::SetItemText(nItem, nSubItem, lpszText);
    UpdateSubItem(nItem, nSubItem);
    return result;
}

BOOL CXListCtrl::SetItemTextColored(int nItem, int nSubItem, LPCTSTR lpszText, COLORREF crText,
                                    COLORREF crBackground) {
    XListCellData* cell = Cell(nItem, nSubItem);
    if (cell == nullptr)
        return FALSE;
    BOOL result = TRUE;
    if (lpszText != nullptr)
        result = CListCtrl::SetItemText(nItem, nSubItem, lpszText);
    cell->crText = crText == kDefaultColor ? m_crWindowText : crText;
    cell->crBackground = crBackground == kDefaultColor ? m_crWindow : crBackground;
    UpdateSubItem(nItem, nSubItem);
    return result;
}

BOOL CXListCtrl::GetItemColors(int nItem, int nSubItem, COLORREF& crText, COLORREF& crBackground) {
    crText = 0;
    crBackground = 0;
    const XListCellData* cell = Cell(nItem, nSubItem);
    if (cell == nullptr)
        return FALSE;
    crText = cell->crText;
    crBackground = cell->crBackground;
    return TRUE;
}

void CXListCtrl::SetItemColors(int nItem, int nSubItem, COLORREF crText, COLORREF crBackground) {
    if (XListCellData* cell = Cell(nItem, nSubItem)) {
        cell->crText = crText;
        cell->crBackground = crBackground;
    }
}

BOOL CXListCtrl::GetModified(int nItem, int nSubItem) {
    const XListCellData* cell = Cell(nItem, nSubItem);
    return cell != nullptr ? cell->bModified : FALSE;
}

void CXListCtrl::SetModified(int nItem, int nSubItem, BOOL bModified) {
    if (XListCellData* cell = Cell(nItem, nSubItem))
        cell->bModified = bModified;
}

int CXListCtrl::GetCheckbox(int nItem, int nSubItem) {
    const XListCellData* cell = Cell(nItem, nSubItem);
    return cell != nullptr ? cell->nCheckedState : -1;
}

int CXListCtrl::SetCheckbox(int nItem, int nSubItem, int nCheckedState) {
    XListCellData* cell = Cell(nItem, nSubItem);
    if (cell == nullptr)
        return 0;
    cell->nCheckedState = nCheckedState;
    UpdateSubItem(nItem, nSubItem);
    SyncHeaderCheckbox(nSubItem);
    return 1;
}

void CXListCtrl::SyncHeaderCheckbox(int nSubItem) {
    if (GetHeaderCheckedState(nSubItem) <= 0)
        return;
    SetHeaderCheckedState(nSubItem, CountCheckedItems(nSubItem) == GetItemCount() ? 2 : 1);
}

BOOL CXListCtrl::SetProgress(int nItem, int nSubItem, BOOL bShowProgressText,
                             LPCTSTR lpszProgressText) {
    XListCellData* cell = Cell(nItem, nSubItem);
    if (cell == nullptr)
        return FALSE;
    cell->bShowProgress = 1;
    cell->nProgressPercent = 0;
    cell->bShowProgressMessage = bShowProgressText;
    cell->strProgressText = lpszProgressText != nullptr ? lpszProgressText : "";
    UpdateSubItem(nItem, nSubItem);
    return TRUE;
}

void CXListCtrl::UpdateProgress(int nItem, int nSubItem, int nPercent) {
    if (XListCellData* cell = Cell(nItem, nSubItem)) {
        cell->nProgressPercent = nPercent;
        UpdateSubItem(nItem, nSubItem);
    }
}

void CXListCtrl::DeleteProgress(int nItem, int nSubItem) {
    if (XListCellData* cell = Cell(nItem, nSubItem)) {
        cell->bShowProgress = 0;
        cell->nProgressPercent = 0;
        UpdateSubItem(nItem, nSubItem);
    }
}

BOOL CXListCtrl::SetComboBox(int nItem, int nSubItem, BOOL bEnableCombo, CStringArray* psa,
                             int nComboListHeight, int nInitialComboSel, BOOL bSort) {
    XListCellData* cell = Cell(nItem, nSubItem);
    if (cell == nullptr || psa == nullptr)
        return FALSE;
    const int count = static_cast<int>(psa->GetSize());
    if (nInitialComboSel < 0 || nInitialComboSel >= count)
        nInitialComboSel = 0;
    cell->bCombo = bEnableCombo;
    if (bEnableCombo) {
        if (bSort && count > 0) {
            // The initial choice is meant by its text: find it again after sorting.
            const CString meant = psa->GetAt(nInitialComboSel);
            std::stable_sort(
                psa->GetData(), psa->GetData() + count,
                [](const CString& a, const CString& b) { return a.CompareNoCase(b) < 0; });
            for (int i = 0; i < count; ++i)
                if (psa->GetAt(i) == meant) {
                    nInitialComboSel = i;
                    break;
                }
        }
        cell->psa = psa;
        cell->nComboListHeight = nComboListHeight;
        cell->nInitialComboSel = nInitialComboSel;
        cell->bSort = bSort;
        SetItemText(nItem, nSubItem, nInitialComboSel < count ? psa->GetAt(nInitialComboSel) : "");
    }
    UpdateSubItem(nItem, nSubItem);
    return TRUE;
}

BOOL CXListCtrl::GetEnabled(int nItem) {
    const XListRowData* row = RowData(nItem);
    return row != nullptr && !row->cells.empty() ? row->cells.front().bEnabled : FALSE;
}

BOOL CXListCtrl::SetColumnWidth(int nCol, int cx) {
    CListCtrl::SetColumnWidth(nCol, cx);
    const int width = GetColumnWidth(nCol);
    return CListCtrl::SetColumnWidth(nCol, width + 2 * m_HeaderCtrl.GetSpacing());
}

int CXListCtrl::GetHeaderCheckedState(int nSubItem) {
    CHeaderCtrl* header = GetHeaderCtrl();
    if (header == nullptr || nSubItem < 0 || nSubItem >= header->GetItemCount())
        return -1;
    HDITEM hdi{};
    hdi.mask = HDI_IMAGE;
    header->GetItem(nSubItem, &hdi);
    return hdi.iImage;
}

BOOL CXListCtrl::SetHeaderCheckedState(int nSubItem, int nCheckedState) {
    CHeaderCtrl* header = GetHeaderCtrl();
    if (header == nullptr || nSubItem < 0 || nSubItem >= header->GetItemCount())
        return FALSE;
    HDITEM hdi{};
    hdi.mask = HDI_IMAGE;
    hdi.iImage = nCheckedState;
    header->SetItem(nSubItem, &hdi);
    return TRUE;
}

int CXListCtrl::CountCheckedItems(int nSubItem) {
    if (nSubItem < 0 || nSubItem >= GetColumns())
        return 0;
    int count = 0;
    for (int i = 0; i < GetItemCount(); ++i) {
        const XListCellData* cell = Cell(i, nSubItem);
        if (cell != nullptr && cell->nCheckedState == 1)
            ++count;
    }
    return count;
}

int CXListCtrl::GetCurSel() {
    return GetNextItem(-1, LVNI_SELECTED);
}

BOOL CXListCtrl::SetCurSel(int nItem, BOOL bEnsureVisible) {
    const BOOL result =
        SetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (bEnsureVisible)
        EnsureVisible(nItem, FALSE);
    return result;
}

BOOL CXListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& rect) {
    if (iItem < 0 || iItem >= GetItemCount() || iSubItem < 0 || iSubItem >= GetColumns())
        return FALSE;
    const BOOL ok = CListCtrl::GetSubItemRect(iItem, iSubItem, nArea, rect);
    if (ok && iSubItem == 0) {
        // The list view answers the whole row for column 0.
        for (int c = 1; c < GetColumns(); ++c) {
            CRect next;
            if (CListCtrl::GetSubItemRect(iItem, c, LVIR_BOUNDS, next) && next.Width() > 0) {
                rect.right = next.left;
                break;
            }
        }
    }
    return ok;
}

BOOL CXListCtrl::LockWindowUpdate() {
    const BOOL locked = CListCtrl::LockWindowUpdate();
    m_bHoldsUpdateLock = m_bHoldsUpdateLock || locked != FALSE;
    return locked;
}

void CXListCtrl::UnlockWindowUpdate() {
    m_bHoldsUpdateLock = false;
    CListCtrl::UnlockWindowUpdate();
}

void CXListCtrl::UpdateSubItem(int nItem, int nSubItem) {
    if (m_bHoldsUpdateLock)
        return;
    CRect rect;
    if (!GetSubItemRect(nItem, nSubItem, LVIR_BOUNDS, rect))
        return;
    rect.InflateRect(2, 2);
    // A cell scrolled out of sight has nothing to repaint (a refill sets thousands of them).
    CRect client;
    GetClientRect(&client);
    if (!CRect().IntersectRect(&rect, &client))
        return;
    InvalidateRect(&rect, TRUE);
    UpdateWindow();
}

BOOL CXListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult) {
    const int column = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    *pResult = 0;
    const int state = GetHeaderCheckedState(column);
    if (state <= 0)
        return FALSE;
    SetHeaderCheckedState(column, state == 1 ? 2 : 1);
    m_HeaderCtrl.UpdateWindow();
    for (int i = 0; i < GetItemCount(); ++i) {
        XListCellData* cell = Cell(i, column);
        if (cell == nullptr || cell->nCheckedState == -1)
            continue;
        cell->nCheckedState = state == 1 ? 1 : 0;
        cell->bModified = 1;
        m_bListModified = 1;
        UpdateSubItem(i, column);
    }
    return FALSE;  // the parent hears of the click too
}

BOOL CXListCtrl::OnClick(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    return FALSE;
}
