// A report list whose every cell carries its own colours, an optional check box, an optional
// progress bar with caption, and an optional choice list that makes it a combo cell. The texts
// stay in the list view; the rest lives in a record per cell on the row's item data. The owner
// hears of user changes through the registered messages of XListMessages.h.
#pragma once

#include "controls/list/CXHeaderCtrl.h"
#include "controls/list/XListCellData.h"
#include "controls/list/XListMessages.h"
#include "platform/framework/Framework.h"
#include "platform/framework/commctrl/ListCtrl.h"

class CXCombo;

class CXListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CXListCtrl)
  public:
    CXListCtrl();
    ~CXListCtrl() override;

    // Rows. Colours of -1 stand for the list's default text and background colours.
    int InsertItem(int nItem, LPCTSTR lpszItem, COLORREF crText = static_cast<COLORREF>(-1),
                   COLORREF crBackground = static_cast<COLORREF>(-1));
    BOOL DeleteAllItems();
    int GetColumns();
    // The window-update lock: while the list holds it, changed cells are not repainted one by
    // one (nothing of them could show); the unlock repaints the whole list.
    BOOL LockWindowUpdate();
    void UnlockWindowUpdate();

    // Cells. An invalid cell, a row without records or a column the row has no record for makes
    // each of these do nothing and answer its default.
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    BOOL SetItemTextColored(int nItem, int nSubItem, LPCTSTR lpszText, COLORREF crText,
                            COLORREF crBackground);
    BOOL GetItemColors(int nItem, int nSubItem, COLORREF& crText, COLORREF& crBackground);
    void SetItemColors(int nItem, int nSubItem, COLORREF crText, COLORREF crBackground);
    BOOL GetModified(int nItem, int nSubItem);
    void SetModified(int nItem, int nSubItem, BOOL bModified);
    int GetCheckbox(int nItem, int nSubItem);
    int SetCheckbox(int nItem, int nSubItem, int nCheckedState);
    BOOL SetProgress(int nItem, int nSubItem, BOOL bShowProgressText = TRUE,
                     LPCTSTR lpszProgressText = nullptr);
    void UpdateProgress(int nItem, int nSubItem, int nPercent);
    void DeleteProgress(int nItem, int nSubItem);
    // The choices stay the caller's and must live as long as the row.
    BOOL SetComboBox(int nItem, int nSubItem, BOOL bEnableCombo, CStringArray* psa,
                     int nComboListHeight, int nInitialComboSel, BOOL bSort = FALSE);
    BOOL GetEnabled(int nItem);

    // Columns and the header's check boxes (0 none, 1 unchecked, 2 checked).
    virtual BOOL SetColumnWidth(int nCol, int cx);
    int GetHeaderCheckedState(int nSubItem);
    BOOL SetHeaderCheckedState(int nSubItem, int nCheckedState);
    int CountCheckedItems(int nSubItem);

    int GetCurSel();
    BOOL SetCurSel(int nItem, BOOL bEnsureVisible = FALSE);
    // As the list view's, except that column 0 ends where the next visible column begins.
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& rect);
    // Repaints one cell at once.
    void UpdateSubItem(int nItem, int nSubItem);

    // Tool tips: hit code row * 1000 + column + 1 over a cell, -1 elsewhere.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    virtual BOOL OnToolTipText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);

    // The open in-cell combo, null when none.
    CXCombo* GetOpenCombo() const { return m_pCombo; }

    CXHeaderCtrl m_HeaderCtrl;
    CImageList m_cImageList;  // the owner's header check-box pictures
    int m_bHeaderIsSubclassed = 0;
    int m_bUseEllipsis = 1;
    // Raised whenever the user changes a cell; the owner reads and clears it.
    int m_bListModified = 0;
    int m_nPadding = 5;

  protected:
    void PreSubclassWindow() override;
    // Tool-tip requests go to OnToolTipText whatever their tool id (the message map's ids are
    // 16 bits, the cells' hit codes are not).
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void SubclassHeaderControl();

    // Cell access: the row's records when the cell is valid and the row has one for the column.
    XListRowData* RowData(int nItem) const;
    XListCellData* Cell(int nItem, int nSubItem) const;
    void FreeRowData();
    void SyncHeaderCheckbox(int nSubItem);
    void ReadSysColors();
    CWnd* NotifyTarget();
    void NotifyOwner(UINT message, int nItem, int nSubItem);

    // Painting (XListCtrlDraw.cpp).
    void DrawCell(CDC& dc, int nItem, int nSubItem, UINT itemState, COLORREF crText,
                  COLORREF crBackground);
    void SelectionColors(int nItem, int nSubItem, COLORREF& crText, COLORREF& crBackground);
    int DrawImage(CDC& dc, int nItem, int nSubItem, const CRect& rect, COLORREF crBackground);
    void DrawText(CDC& dc, int nItem, int nSubItem, CRect rect, COLORREF crText,
                  COLORREF crBackground);
    void DrawCheckbox(CDC& dc, int nItem, int nSubItem, const CRect& rect, COLORREF crText,
                      COLORREF crBackground);
    void DrawProgress(CDC& dc, int nItem, int nSubItem, const CRect& rect, COLORREF crText);
    void DrawEmptyListText();

    // The in-cell combo's life (XListCtrlCombo.cpp).
    void OpenCombo(int nItem, int nSubItem);
    // Takes the open combo out of the list and destroys it; with bCommit writes its choice into
    // the cell and tells the owner.
    void FinishCombo(bool bCommit);
    // Finishes an open combo as a focus loss does: commit when its text changed, else cancel.
    void FinishComboByChange();
    void ReleaseUpdateLock();
    void RequestComboEnd(UINT_PTR timer);

    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnTimer(UINT_PTR nIDEvent);
    void OnSysColorChange();
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    LRESULT OnComboEscape(WPARAM wParam, LPARAM lParam);
    LRESULT OnComboComplete(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

  protected:
    CString m_strInitialString;  // the open combo's text when it opened
    CWnd* m_pEdit = nullptr;     // no cell opens an editor
    int m_nEditItem = -1;
    int m_nEditSubItem = -1;
    int m_nComboItem = -1;
    int m_nComboSubItem = -1;
    CRect m_rectComboList;
    CXCombo* m_pCombo = nullptr;
    CFont m_ListFont;
    UINT_PTR m_nPendingComboTimer = 0;  // 2 cancel or 3 commit, once per open combo
    bool m_bUpdateLocked = false;       // by the open combo
    bool m_bHoldsUpdateLock = false;

    COLORREF m_cr3DFace = 0;
    COLORREF m_cr3DHighLight = 0;
    COLORREF m_cr3DShadow = 0;
    COLORREF m_crActiveCaption = 0;
    COLORREF m_crBtnFace = 0;
    COLORREF m_crBtnShadow = 0;
    COLORREF m_crBtnText = 0;
    COLORREF m_crGrayText = 0;
    COLORREF m_crHighLight = 0;
    COLORREF m_crHighLightText = 0;
    COLORREF m_crInactiveCaption = 0;
    COLORREF m_crInactiveCaptionText = 0;
    COLORREF m_crWindow = 0;
    COLORREF m_crWindowText = 0;
};
