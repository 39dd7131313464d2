#include "platform/framework/CmdUI.h"

#include "platform/framework/Wnd.h"
#include "platform/framework/detail/ControlMessages.h"

namespace ctl = kq::fw::ctl;

void CCmdUI::Enable(BOOL bOn) {
    if (m_pOther != nullptr) {
        // Disabling the window gives up the focus it may have.
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
    // Only buttons and controls that act as buttons show a check.
    if (m_pOther != nullptr && (m_pOther->SendMessage(WM_GETDLGCODE) & ctl::kDlgcButton))
        m_pOther->SendMessage(ctl::kBmSetCheck, static_cast<WPARAM>(nCheck));
}

void CCmdUI::SetRadio(BOOL bOn) {
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText) {
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
