// Message dispatch of CWnd: the framework's window procedure, the message-map search, commands,
// notifications and their reflection to the controls that sent them.
#include "platform/base/Trace.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "platform/framework/detail/ControlMessages.h"
#include "platform/framework/detail/WndClasses.h"
#include "platform/framework/detail/WndThreadState.h"

using kq::fw::detail::ThreadState;

namespace {

const NMHDR* HeaderOf(LPARAM lParam) {
    return reinterpret_cast<const NMHDR*>(lParam);
}

// Answers update requests without changing anything, to see whether a command is disabled.
class CTestCmdUI : public CCmdUI {
  public:
    void Enable(BOOL bOn) override {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}

    BOOL m_bEnabled = TRUE;
};

LRESULT ReportWndProcException(CException* e, const MSG* msg) {
    if (CWinApp* app = AfxGetApp())
        return app->ProcessWndProcException(e, msg);
    e->ReportError();
    return msg->message == WM_CREATE ? -1 : 0;
}

}  // namespace

// --- the window procedure ---

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& state = ThreadState();
    const MSG saved = state.lastSentMsg;
    state.lastSentMsg.hwnd = hWnd;
    state.lastSentMsg.message = message;
    state.lastSentMsg.wParam = wParam;
    state.lastSentMsg.lParam = lParam;
    ++state.dispatchDepth;
    LRESULT result = 0;
    try {
        result = pWnd->WindowProc(message, wParam, lParam);
    } catch (CException* e) {
        result = ReportWndProcException(e, &state.lastSentMsg);
        e->Delete();
    }
    --state.dispatchDepth;
    state.lastSentMsg = saved;
    return result;
}

LRESULT AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& state = ThreadState();
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr && state.wndInit != nullptr && state.wndInit->m_hWnd == nullptr) {
        // The first message of a window that CWnd::CreateEx is creating.
        pWnd = state.wndInit;
        state.wndInit = nullptr;
        pWnd->Attach(hWnd);
        pWnd->m_pfnSuper = state.wndInitSuper;
        pWnd->PreSubclassWindow();
    }
    if (pWnd == nullptr) {
        // A window of a framework class made without a CWnd: its class's own procedure.
        return ::CallWindowProc(kq::fw::detail::ClassProcedureOf(hWnd), hWnd, message, wParam,
                                lParam);
    }
    if (message == WM_QUERYAFXWNDPROC)
        return 1;
    return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC super = *GetSuperWndProcAddr();
    if (super != nullptr && super != &AfxWndProc)
        return ::CallWindowProc(super, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

WNDPROC* CWnd::GetSuperWndProcAddr() {
    return &m_pfnSuper;
}

const MSG* CWnd::CurrentMessage() {
    return &ThreadState().lastSentMsg;
}

const MSG* CWnd::GetCurrentMessage() {
    auto& state = ThreadState();
    state.currentMsg = state.lastSentMsg;
    state.currentMsg.time = static_cast<DWORD>(::GetMessageTime());
    const DWORD pos = ::GetMessagePos();
    state.currentMsg.pt = POINT{static_cast<SHORT>(LOWORD(pos)), static_cast<SHORT>(HIWORD(pos))};
    return &state.currentMsg;
}

LRESULT CWnd::Default() {
    const MSG& msg = ThreadState().lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

// --- the message map ---

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT result = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        result = 1;
    } else if (message == WM_NOTIFY) {
        const NMHDR* header = HeaderOf(lParam);
        if (header == nullptr || header->hwndFrom == nullptr || !OnNotify(wParam, lParam, &result))
            return FALSE;
    } else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        // Every kind of WM_CTLCOLORxxx goes to the one WM_CTLCOLOR handler.
        const AFX_MSGMAP_ENTRY* entry = kq::fw::FindMessageEntry(GetMessageMap(), WM_CTLCOLOR);
        if (entry == nullptr)
            return FALSE;
        AFX_CTLCOLOR ctl;
        ctl.hWnd = reinterpret_cast<HWND>(lParam);
        ctl.hDC = reinterpret_cast<HDC>(wParam);
        ctl.nCtlType = message - WM_CTLCOLORMSGBOX;
        kq::fw::HandlerCall call;
        call.message = WM_CTLCOLOR;
        call.lParam = reinterpret_cast<LPARAM>(&ctl);
        entry->pfn(this, call);
        result = call.result;
    } else {
        const AFX_MSGMAP_ENTRY* entry = kq::fw::FindMessageEntry(GetMessageMap(), message);
        if (entry == nullptr)
            return FALSE;
        kq::fw::HandlerCall call;
        call.message = message;
        call.wParam = wParam;
        call.lParam = lParam;
        entry->pfn(this, call);
        result = call.result;
    }
    if (pResult != nullptr)
        *pResult = result;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    const HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr) {
        // A menu item or an accelerator: a command its update handler disabled is not run.
        if (nID == 0)
            return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled) {
            TRACE("Warning: not executing disabled command %u\n", nID);
            return TRUE;
        }
        nCode = CN_COMMAND;
    } else {
        // Notifications are held back while UpdateData fills the controls.
        if (ThreadState().lockoutNotifyWindow == m_hWnd)
            return TRUE;
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    const NMHDR* header = HeaderOf(lParam);
    if (ThreadState().lockoutNotifyWindow == m_hWnd)
        return TRUE;
    if (ReflectLastMsg(header->hwndFrom, pResult))
        return TRUE;
    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    const UINT nID = static_cast<UINT>(header->idFrom);
    return OnCmdMsg(nID, static_cast<int>(MAKELONG(header->code, WM_NOTIFY)), &notify, nullptr);
}

// --- reflection ---

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (pWnd == nullptr)
        return FALSE;
    return pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
    const MSG msg = ThreadState().lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_PARENTNOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_DELETEITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_COMPAREITEM:
            return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
        case WM_COMMAND: {
            const int nCode = HIWORD(wParam);
            if (CWnd::OnCmdMsg(0, static_cast<int>(MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND)),
                               nullptr, nullptr)) {
                if (pResult != nullptr)
                    *pResult = 1;
                return TRUE;
            }
            return FALSE;
        }
        case WM_NOTIFY: {
            const NMHDR* header = HeaderOf(lParam);
            AFX_NOTIFY notify;
            notify.pResult = pResult;
            notify.pNMHDR = reinterpret_cast<NMHDR*>(lParam);
            return CWnd::OnCmdMsg(
                0, static_cast<int>(MAKELONG(header->code, WM_REFLECT_BASE + WM_NOTIFY)), &notify,
                nullptr);
        }
        default:
            break;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        if (lParam == 0)
            return FALSE;
        AFX_CTLCOLOR ctl;
        ctl.hWnd = reinterpret_cast<HWND>(lParam);
        ctl.hDC = reinterpret_cast<HDC>(wParam);
        ctl.nCtlType = message - WM_CTLCOLORMSGBOX;
        LRESULT brush = 0;
        BOOL handled = CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0,
                                      reinterpret_cast<LPARAM>(&ctl), &brush);
        // A reflected handler that returns no brush leaves the colouring to the parent.
        if (brush == 0)
            return FALSE;
        if (pResult != nullptr)
            *pResult = brush;
        return handled;
    }
    return FALSE;
}

// --- pre-translation ---

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = FromHandlePermanent(hWnd)) {
            if (pWnd->PreTranslateMessage(pMsg))
                return TRUE;
        }
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

// --- sending ---

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm) {
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    BOOL bDeep, BOOL bOnlyPerm) {
    if (bDeep) {
        // The whole tree in one walk (each window, then its own descendants, then its next
        // sibling): the idle pass sends to every window of the program several times a second.
        struct Send {
            UINT message;
            WPARAM wParam;
            LPARAM lParam;
            BOOL bOnlyPerm;
        } send{message, wParam, lParam, bOnlyPerm};
        ::EnumChildWindows(
            hWnd,
            [](HWND child, LPARAM data) -> BOOL {
                const Send& s = *reinterpret_cast<const Send*>(data);
                if (!s.bOnlyPerm)
                    ::SendMessage(child, s.message, s.wParam, s.lParam);
                else if (CWnd* pWnd = FromHandlePermanent(child))
                    AfxCallWndProc(pWnd, child, s.message, s.wParam, s.lParam);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&send));
        return;
    }
    for (HWND child = ::GetTopWindow(hWnd); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            if (CWnd* pWnd = FromHandlePermanent(child))
                AfxCallWndProc(pWnd, child, message, wParam, lParam);
        } else {
            ::SendMessage(child, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(child) != nullptr)
            SendMessageToDescendants(child, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}
