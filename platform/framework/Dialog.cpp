#include "platform/framework/Dialog.h"

#include "platform/base/Resource.h"
#include "platform/base/Trace.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/detail/WndClasses.h"
#include "platform/framework/detail/WndThreadState.h"
#include "platform/ui/ModalLoops.h"
#include "platform/ui/commctrl/InitCommonControls.h"

using kq::fw::detail::ThreadState;

namespace {

// The dialog procedure of the framework's dialogs: the object's message map has had every
// message already, so the dialog manager's default handling follows.
INT_PTR AfxDlgProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

bool IsInputMessage(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

}  // namespace

namespace kq::fw {

BOOL CreateDialogWindow(CWnd* pWnd, const kq::DialogTemplate* lpTemplate, HWND hWndParent,
                        DWORD styleRemove, DWORD styleAdd, DWORD exStyleAdd) {
    if (lpTemplate == nullptr || pWnd->m_hWnd != nullptr)
        return FALSE;
    // The template's class (the dialog class unless it names one) as the framework's class
    // derived from it, so that the object meets the window at its first message.
    kq::DialogTemplate changed = *lpTemplate;
    const std::string className =
        lpTemplate->className.empty() ? std::string(WC_DIALOG) : std::string(lpTemplate->className);
    const detail::CreationClass cls = detail::ClassForCreation(className.c_str());
    if (cls.name.empty())
        return FALSE;
    changed.className = detail::KeepClassName(cls.name);
    changed.style = (changed.style & ~styleRemove) | styleAdd;
    changed.exStyle |= exStyleAdd;

    // The template's controls may be common controls, which need no registration by the
    // program.
    ::InitCommonControls();
    auto& state = ThreadState();
    CWnd* const pendingBefore = state.wndInit;
    const WNDPROC superBefore = state.wndInitSuper;
    state.wndInit = pWnd;
    state.wndInitSuper = cls.super;
    HWND hWnd =
        ::CreateDialogIndirectParam(AfxGetResourceHandle(), &changed, hWndParent, &AfxDlgProc, 0);
    state.wndInit = pendingBefore;
    state.wndInitSuper = superBefore;
    return hWnd != nullptr && pWnd->m_hWnd == hWnd;
}

}  // namespace kq::fw

// --- CWnd's modal loop ---

int CWnd::RunModalLoop(DWORD dwFlags) {
    bool idle = true;
    LONG idleCount = 0;
    bool showIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND parent = ::GetParent(m_hWnd);
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    const HWND self = m_hWnd;
    const kq::ui::ModalLoopScope counted;
    // The thread's modal loops were ended: this one too, as cancelled.
    auto ended = [this] {
        if (!kq::ui::ModalLoopsEnding())
            return false;
        m_nModalResult = IDCANCEL;
        return true;
    };
    MSG msg{};
    for (;;) {
        // Idle while nothing is queued.
        while (idle && !::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (showIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                showIdle = false;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && parent != nullptr && idleCount == 0)
                ::SendMessage(parent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(self));
            if (!::IsWindow(self) || !ContinueModal() || ended())
                goto done;
            if ((dwFlags & MLF_NOKICKIDLE) ||
                !::SendMessage(self, WM_KICKIDLE, MSGF_DIALOGBOX, idleCount++))
                idle = false;
        }
        // Then handle what is there.
        do {
            if (!::GetMessage(&msg, nullptr, 0, 0)) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            CWinApp* app = AfxGetApp();
            if (app == nullptr || !app->PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
            if (showIdle && (msg.message == WM_SYSKEYDOWN || msg.message == WM_KEYDOWN)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                showIdle = false;
            }
            if (!::IsWindow(self) || !ContinueModal() || ended())
                goto done;
            // Anything but painting and timers counts as activity: idle again afterwards.
            if (msg.message != WM_PAINT && msg.message != WM_TIMER) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
done:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

BOOL CWnd::ContinueModal() {
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult) {
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        // Wakes the loop should it be waiting.
        ::PostMessage(m_hWnd, WM_NULL, 0, 0);
    }
}

// --- CDialog ---

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)),
      m_nIDHelp(nIDTemplate),
      m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
    if (m_hWnd != nullptr) {
        TRACE("Warning: a dialog object dies before its window; the window goes with it.\n");
        DestroyWindow();
    }
}

const kq::DialogTemplate* CDialog::FindTemplate() const {
    if (m_lpDialogTemplate != nullptr)
        return m_lpDialogTemplate;
    if (m_lpszTemplateName == nullptr)
        return nullptr;
    return kq::FindDialogTemplate(kq::ResourceName(m_lpszTemplateName));
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    const kq::DialogTemplate* t = kq::FindDialogTemplate(kq::ResourceName(lpszTemplateName));
    if (t == nullptr) {
        TRACE("Error: no dialog template for the dialog.\n");
        return FALSE;
    }
    return CreateIndirect(t, pParentWnd);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(const kq::DialogTemplate* lpDialogTemplate, CWnd* pParentWnd) {
    if (pParentWnd == nullptr)
        pParentWnd = m_pParentWnd;
    // A top-level dialog without a parent is owned by the main window.
    if (pParentWnd == nullptr && lpDialogTemplate != nullptr &&
        !(lpDialogTemplate->style & WS_CHILD))
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    return kq::fw::CreateDialogWindow(this, lpDialogTemplate,
                                      pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr);
}

HWND CDialog::PreModal() {
    CWnd* parent = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
    // A modal dialog is owned by a top-level window with a caption: a pop-up's owner stands for
    // it.
    return kq::ui::ModalOwnerOf(parent != nullptr ? parent->m_hWnd : nullptr);
}

void CDialog::PostModal() {}

INT_PTR CDialog::DoModal() {
    const kq::DialogTemplate* t = FindTemplate();
    if (t == nullptr) {
        TRACE("Error: no dialog template for the modal dialog.\n");
        return -1;
    }
    HWND owner = PreModal();
    bool enableOwner = false;
    if (owner != nullptr && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        enableOwner = true;
    }
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    CWnd* savedParent = m_pParentWnd;
    // Counted until the dialog has gone, so that what waits for the modal loops finds it gone.
    const kq::ui::ModalLoopScope counted;
    if (kq::fw::CreateDialogWindow(this, t, owner, WS_CHILD)) {
        if (m_nFlags & WF_CONTINUEMODAL) {
            DWORD flags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG)
                flags |= MLF_NOIDLEMSG;
            RunModalLoop(flags);
        }
        // The owner comes back before the dialog hides, so that it takes the activation.
        if (enableOwner)
            ::EnableWindow(owner, TRUE);
        enableOwner = false;
        if (m_hWnd != nullptr)
            SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    if (enableOwner)
        ::EnableWindow(owner, TRUE);
    const HWND active = ::GetActiveWindow();
    if (owner != nullptr && ::IsWindow(owner) && (active == nullptr || active == m_hWnd))
        ::SetActiveWindow(owner);
    if (m_hWnd != nullptr)
        DestroyWindow();
    m_pParentWnd = savedParent;
    PostModal();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    if (m_hWnd != nullptr)
        ::EndDialog(m_hWnd, nResult);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    CRect before;
    GetWindowRect(&before);
    PreInitDialog();
    const LRESULT result = OnInitDialog();
    // A top-level dialog its initialisation did not place opens centred on its owner.
    CRect after;
    GetWindowRect(&after);
    if (m_hWnd != nullptr && !(GetStyle() & (WS_CHILD | DS_CENTER | DS_ABSALIGN)) &&
        after == before)
        CenterWindow();
    return result;
}

void CDialog::PreInitDialog() {}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;  // the user was told what is wrong; the dialog stays
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    if (pWndCtrl != nullptr)
        ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (m_hWnd == nullptr || !IsInputMessage(pMsg->message))
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessage(m_hWnd, pMsg);
}
