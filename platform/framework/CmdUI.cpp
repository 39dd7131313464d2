#include "platform/framework/CmdUI.h"

#include "platform/framework/Menu.h"
#include "platform/framework/Wnd.h"
#include "platform/framework/detail/ControlMessages.h"
#include "platform/gfx/WinGdi.h"

namespace ctl = kq::fw::ctl;

namespace {

// The checked bitmap that marks a menu item as a radio choice (drawn as a dot).
HBITMAP RadioDotBitmap() {
    static const HBITMAP dot = [] {
        static const WORD rows[8] = {0xFF, 0xE7, 0xC3, 0x81, 0x81, 0xC3, 0xE7, 0xFF};
        return ::CreateBitmap(8, 8, 1, 1, rows);
    }();
    return dot;
}

}  // namespace

void CCmdUI::Enable(BOOL bOn) {
    if (m_pMenu != nullptr) {
        // A pop-up item is never changed on behalf of its first item.
        if (m_pSubMenu == nullptr && m_nIndex < m_nIndexMax)
            m_pMenu->EnableMenuItem(m_nIndex,
                                    MF_BYPOSITION | (bOn ? MF_ENABLED : MF_DISABLED | MF_GRAYED));
    } else if (m_pOther != nullptr) {
        // Disabling the window gives up the focus it may have.
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr && m_nIndex < m_nIndexMax)
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
        return;
    }
    // Only buttons and controls that act as buttons show a check.
    if (m_pOther != nullptr && (m_pOther->SendMessage(WM_GETDLGCODE) & ctl::kDlgcButton))
        m_pOther->SendMessage(ctl::kBmSetCheck, static_cast<WPARAM>(nCheck));
}

void CCmdUI::SetRadio(BOOL bOn) {
    SetCheck(bOn ? 1 : 0);
    if (m_pMenu != nullptr && m_pSubMenu == nullptr && m_nIndex < m_nIndexMax)
        m_pMenu->SetMenuItemBitmaps(m_nIndex, MF_BYPOSITION, nullptr, RadioDotBitmap());
}

void CCmdUI::SetText(LPCTSTR lpszText) {
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr && m_nIndex < m_nIndexMax) {
            // The item keeps its state; only the text changes.
            UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
            state &= ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_POPUP | 0xFF00);
            m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, lpszText);
        }
        return;
    }
    if (m_pOther != nullptr)
        AfxSetWindowText(m_pOther->m_hWnd, lpszText);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;  // separators and invalid ids are left alone
    m_bEnableChanged = FALSE;
    const BOOL result = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info{};
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return result;
}
