// CHeaderCtrl: the framework's object for a header control ("SysHeader32").
#pragma once

#include "platform/framework/Wnd.h"
#include "platform/gfx/ImageList.h"
#include "platform/ui/commctrl/CommCtrl.h"

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
  public:
    CHeaderCtrl() = default;
    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const;
    BOOL GetItem(int nPos, HDITEM* pHeaderItem) const;
    BOOL SetItem(int nPos, HDITEM* pHeaderItem);
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
    // Returns the handle of the list given before (the caller keeps owning its lists).
    HIMAGELIST SetImageList(CImageList* pImageList);
    HIMAGELIST GetImageList() const;
    int OrderToIndex(int nOrder) const;

    // Draws an owner-drawn item (HDF_OWNERDRAW); the header's parent hands WM_DRAWITEM back
    // here. The base draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
