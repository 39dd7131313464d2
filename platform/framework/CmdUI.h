// CCmdUI: one user-interface item (menu item, control, status pane) whose enabled, checked and
// text state the update handlers of the command target decide, at idle time or before a menu
// opens. Subclasses handle other kinds of item (the status bar's panes).
#pragma once

#include "platform/base/WinTypes.h"

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
  public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate.
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    // From an update handler: let the next command target decide as well.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks the target's update handler; with bDisableIfNoHndler an item that has neither an
    // update handler nor a command handler is disabled. TRUE when an update handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;  // position of a menu item or pane
    CMenu* m_pMenu = nullptr;
    CMenu* m_pSubMenu = nullptr;
    CMenu* m_pParentMenu = nullptr;
    CWnd* m_pOther = nullptr;  // a control or other window, when the item is not a menu item
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
    UINT m_nIndexMax = 0;
};
