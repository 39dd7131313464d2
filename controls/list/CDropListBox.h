// The list of the combo's drop-down window: one entry per item, each with its own copy of the
// item record. Hovering moves the highlight (never onto a disabled item); releasing the button
// chooses the highlighted item and closes the drop-down.
#pragma once

#include <memory>
#include <vector>

#include "controls/list/CAdvComboBox.h"

class CDropScrollBar;

class CDropListBox : public CListBox {
    DECLARE_DYNAMIC(CDropListBox)
  public:
    // Private messages among the drop-down's windows: take and give up the mouse capture.
    static constexpr UINT kTakeCapture = WM_USER + 3;
    static constexpr UINT kReleaseCapture = WM_USER + 4;

    CDropListBox(CAdvComboBox* pComboParent, CDropScrollBar* pScroll);

    // Adds a copy of the item; answers its index.
    int AddListItem(const AdvComboItem& item);
    // Moves to index, passing over disabled items in the direction of the move; a disabled
    // result is answered without being selected. -1 clears the selection.
    int SetCurSel(int nSelect);
    // Sets the top index and, when asked, the scroll bar's position.
    void SetTopIdx(int nPos, BOOL bUpdateScrollbar = FALSE);
    int GetBottomIndex();
    int GetVisibleLines();
    // The text's extent in the combo's font, 14 pixels wider with flag 4.
    CSize GetTextSize(LPCTSTR lpszText);
    void SetDropFlags(DWORD dwFlags) { m_dwACBStyle = dwFlags; }
    // The item record of an entry, null outside the entries.
    AdvComboItem* ItemAt(int nIndex) const;
    bool IsItemDisabled(int nIndex) const;

    BOOL DestroyWindow() override;

  protected:
    // Pixels per entry, at least 1.
    int ItemHeight();
    // The capture goes back to the drop-down window when the pointer leaves the list.
    bool LeaveIfOutside(CPoint point);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    LRESULT OnTakeCapture(WPARAM wParam, LPARAM lParam);
    LRESULT OnReleaseCapture(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

  protected:
    CAdvComboBox* m_pComboParent;
    CFont m_font;
    CDropScrollBar* m_pScroll;
    int m_nLastTopIdx = 0;
    DWORD m_dwACBStyle = 0;
    int m_bSelectDisabled = 0;
    std::vector<std::unique_ptr<AdvComboItem>> m_items;
};
