// The framework's object for a tab control.
#pragma once

#include "platform/framework/Wnd.h"
#include "platform/ui/commctrl/TabControlApi.h"

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
  public:
    CTabCtrl() = default;
    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const;
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const;
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem);
    // Each returns the index of the new tab, -1 on failure.
    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem);
    LONG InsertItem(int nItem, LPCTSTR lpszItem);
    LONG InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam);
    BOOL DeleteAllItems();
    BOOL GetItemRect(int nItem, LPRECT lpRect) const;
    int GetCurSel() const;
    int SetCurSel(int nItem);  // returns the previous selection, -1 on failure
    // bLarger: from a display area to the window rectangle, else the other way.
    CSize SetItemSize(CSize size);
};
