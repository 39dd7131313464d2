#include "platform/framework/FormView.h"

#include "platform/base/Resource.h"
#include "platform/base/Trace.h"
#include "platform/framework/FrameWnd.h"

IMPLEMENT_DYNAMIC(CFormView, CView)

BEGIN_MESSAGE_MAP(CFormView, CView)
ON_WM_CREATE()
ON_WM_SETFOCUS()
ON_MESSAGE(WM_INITDIALOG, &CFormView::HandleInitDialog)
END_MESSAGE_MAP()

CFormView::CFormView(UINT nIDTemplate) : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)) {}

CFormView::~CFormView() = default;

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       UINT nID, CCreateContext* pContext) {
    const kq::DialogTemplate* t = kq::FindDialogTemplate(kq::ResourceName(m_lpszTemplateName));
    if (t == nullptr || pParentWnd == nullptr) {
        TRACE("Error: no dialog template (or no parent) for the form view.\n");
        PostNcDestroy();
        return FALSE;
    }
    CREATESTRUCT cs{};
    cs.style = static_cast<LONG>(dwStyle | WS_CHILD);
    cs.hwndParent = pParentWnd->m_hWnd;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    // The template's own frame, caption and visibility give way to the view's.
    constexpr DWORD kFrameStyles = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                   WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_BORDER | WS_VISIBLE |
                                   WS_DLGFRAME | DS_MODALFRAME;
    const DWORD kept = static_cast<DWORD>(cs.style) &
                       (WS_BORDER | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    m_pCreateContext = pContext;
    const BOOL created = kq::fw::CreateDialogWindow(this, t, pParentWnd->m_hWnd, kFrameStyles,
                                                    WS_CHILD | kept, cs.dwExStyle);
    m_pCreateContext = nullptr;
    if (!created) {
        if (m_hWnd == nullptr)
            PostNcDestroy();  // the object never met a window
        else
            DestroyWindow();
        return FALSE;
    }
    SetDlgCtrlID(static_cast<int>(nID));
    SetWindowPos(nullptr, cs.x, cs.y, cs.cx, cs.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    if (dwStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

int CFormView::OnCreate(LPCREATESTRUCT lpcs) {
    // The creation context travels here, as the dialog manager knows none.
    CREATESTRUCT withContext = *lpcs;
    withContext.lpCreateParams = m_pCreateContext;
    return CView::OnCreate(&withContext);
}

LRESULT CFormView::HandleInitDialog(WPARAM, LPARAM) {
    // The controls are filled at the first update, when the document is known.
    return FALSE;
}

void CFormView::OnInitialUpdate() {
    if (!UpdateData(FALSE))
        TRACE("Warning: the form view's controls could not be filled.\n");
    CView::OnInitialUpdate();
}

void CFormView::OnDraw(CDC*) {}

BOOL CFormView::PreTranslateMessage(MSG* pMsg) {
    if (CView::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    // The frames' shortcut keys first: the dialog manager would take their keys.
    for (CFrameWnd* frame = GetParentFrame(); frame != nullptr; frame = frame->GetParentFrame()) {
        if (frame->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return ::IsDialogMessage(m_hWnd, pMsg);
}

void CFormView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
    if (!bActivate) {
        HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(m_hWnd, focus))
            m_hWndFocus = focus;
    }
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CFormView::OnSetFocus(CWnd*) {
    // The focus goes on to the control that had it, else to the first tab stop.
    HWND target = m_hWndFocus;
    if (target == nullptr || !::IsWindow(target) || !::IsChild(m_hWnd, target))
        target = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE);
    if (target != nullptr)
        ::SetFocus(target);
}
