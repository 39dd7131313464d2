// CWnd's data exchange and the update of child controls through command-UI handlers.
#include "platform/base/Exceptions.h"
#include "platform/framework/DataExchange.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/Wnd.h"
#include "platform/framework/detail/ControlMessages.h"
#include "platform/framework/detail/WndThreadState.h"

namespace ctl = kq::fw::ctl;

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    // Controls that change while being filled must not run the window's notification handlers.
    auto& state = kq::fw::detail::ThreadState();
    const HWND lockoutBefore = state.lockoutNotifyWindow;
    state.lockoutNotifyWindow = m_hWnd;
    BOOL ok = FALSE;
    try {
        DoDataExchange(&dx);
        ok = TRUE;
    } catch (CUserException* e) {
        // The user has been told what is wrong.
        e->Delete();
    } catch (CException* e) {
        e->ReportError(0, AFX_IDP_INTERNAL_FAILURE);
        e->Delete();
    }
    state.lockoutNotifyWindow = lockoutBefore;
    return ok;
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
    CCmdUI state;
    CWnd control;  // borrows each child's handle in turn
    for (HWND child = ::GetTopWindow(m_hWnd); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        control.m_hWnd = child;
        state.m_nID = static_cast<UINT>(::GetDlgCtrlID(child));
        state.m_pOther = &control;
        // A control may update itself.
        if (CWnd* own = FromHandlePermanent(child)) {
            if (own->CWnd::OnCmdMsg(
                    0, static_cast<int>(MAKELONG(0xFFFF, WM_COMMAND + WM_REFLECT_BASE)), &state,
                    nullptr))
                continue;
        }
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        // Only push buttons and plain check boxes go grey for want of a handler.
        BOOL disable = bDisableIfNoHndler;
        if (disable) {
            if ((control.SendMessage(WM_GETDLGCODE) & ctl::kDlgcButton) == 0) {
                disable = FALSE;
            } else {
                const DWORD type = control.GetStyle() & ctl::kBsTypeMask;
                if (type == ctl::kBsAutoCheckBox || type == ctl::kBsAuto3State ||
                    type == ctl::kBsGroupBox || type == ctl::kBsAutoRadioButton)
                    disable = FALSE;
            }
        }
        state.DoUpdate(pTarget, disable);
    }
    control.m_hWnd = nullptr;
}
