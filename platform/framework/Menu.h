// CMenu: the framework's object for a menu handle. A CMenu that created, loaded or attached a
// menu destroys it when it is destroyed (Detach first to hand the menu on). FromHandle gives
// the permanent object of a handle or a temporary one that the idle processing deletes.
//
// Owner-drawn items: the owner window's WM_MEASUREITEM and WM_DRAWITEM reach MeasureItem and
// DrawItem of the permanent CMenu of the menu holding the item (see CWnd::OnMeasureItem).
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Object.h"
#include "platform/ui/menu/MenuApi.h"

class CWnd;

class CMenu : public CObject {
    DECLARE_DYNCREATE(CMenu)
  public:
    CMenu();
    ~CMenu() override;

    HMENU m_hMenu = nullptr;
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }
    bool operator==(const CMenu& other) const { return m_hMenu == other.m_hMenu; }
    bool operator!=(const CMenu& other) const { return m_hMenu != other.m_hMenu; }

    static CMenu* FromHandle(HMENU hMenu);
    static CMenu* FromHandlePermanent(HMENU hMenu);
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    // Each fails when the object already holds a menu.
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    virtual BOOL LoadMenu(UINT nIDResource);
    virtual BOOL LoadMenu(LPCTSTR lpszResourceName);
    // A standard binary menu template, as ::LoadMenuIndirect takes it.
    BOOL LoadMenuIndirect(const void* lpMenuTemplate);
    virtual BOOL DestroyMenu();

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
                    LPCTSTR lpszNewItem = nullptr);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
                    LPCTSTR lpszNewItem = nullptr);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    BOOL SetMenuItemBitmaps(UINT nPosition, UINT nFlags, HBITMAP hBitmapUnchecked,
                            HBITMAP hBitmapChecked);

    UINT GetMenuItemCount() const;
    UINT GetMenuItemID(int nPos) const;
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    CMenu* GetSubMenu(int nPos) const;
    BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);

    // Shows the menu at the screen point and tracks it; the choice goes to pWnd as WM_COMMAND,
    // or with TPM_RETURNCMD is returned (0 when cancelled).
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
    BOOL TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm);

    // Owner-drawn items of this menu; the defaults do nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

    // The permanent menu object that holds the item nID (a command, or a sub-menu's handle),
    // searched depth-first from hMenu; null when there is none.
    static CMenu* FindPopupMenuFromID(HMENU hMenu, UINT nID);
};
