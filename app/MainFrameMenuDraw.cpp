// The owner-drawn menu's messages: item sizes, keyboard mnemonics and the update of a pop-up
// before it opens.
#include "app/MainFrame.h"

void CMainFrame::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    // The owner-drawn items carry their menu's records; the record decides the size.
    if (lpMeasureItemStruct->CtlType == ODT_MENU && lpMeasureItemStruct->itemData != 0) {
        m_menu.MeasureItem(lpMeasureItemStruct);
        return;
    }
    CFrameWnd::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

LRESULT CMainFrame::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu) {
    if (BCMenu::IsRegisteredMenu(pMenu))
        return BCMenu::FindKeyboardShortcut(nChar, nFlags, pMenu);
    return CFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CMainFrame::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
    CFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu && BCMenu::IsRegisteredMenu(pPopupMenu))
        BCMenu::UpdateMenu(pPopupMenu);
}
