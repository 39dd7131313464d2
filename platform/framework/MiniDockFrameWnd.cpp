#include "platform/framework/MiniDockFrameWnd.h"

#include "platform/framework/DockContext.h"
#include "platform/gfx/UserDrawConstants.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
ON_WM_CLOSE()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() = default;

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName,
                             DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    m_strTitle = lpWindowName;
    const bool defaultPlace = rect.left == CW_USEDEFAULT;
    return CWnd::CreateEx(dwExStyle | WS_EX_TOOLWINDOW, lpClassName, lpWindowName,
                          dwStyle | WS_POPUP, defaultPlace ? 0 : rect.left,
                          defaultPlace ? 0 : rect.top, defaultPlace ? 0 : rect.right - rect.left,
                          defaultPlace ? 0 : rect.bottom - rect.top,
                          pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr) {
        static LPCSTR name = AfxRegisterWndClass(
            CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
            reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1)));
        cs.lpszClass = name;
    }
    return TRUE;
}

void CMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
    CFrameWnd::OnGetMinMaxInfo(lpMMI);
    // A floating bar may be far smaller than a window: the frame shrinks to its borders.
    CRect rect(0, 0, 0, 0);
    CalcBorders(&rect, GetStyle(), GetExStyle());
    lpMMI->ptMinTrackSize = POINT{rect.Width(), rect.Height()};
}

void CMiniFrameWnd::CalcBorders(LPRECT lpClientRect, DWORD dwStyle, DWORD dwExStyle) {
    ::AdjustWindowRectEx(lpClientRect, dwStyle | WS_POPUP, FALSE, dwExStyle | WS_EX_TOOLWINDOW);
}

// --- CMiniDockFrameWnd ---

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {
    m_wndDockBar.m_bAutoDelete = FALSE;
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
    // No layout until a bar is docked in it.
    m_bInRecalcLayout = TRUE;
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | FWS_SNAPTOBARS;
    if (dwBarStyle & CBRS_SIZE_DYNAMIC)
        style |= WS_THICKFRAME;
    if (!CreateEx(0, nullptr, "", style, rectDefault, pParent)) {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    DWORD barStyle =
        (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    barStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
    // Made as a child of the frame the bars belong to, so that frame lists it, then moved in.
    if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | barStyle, AFX_IDW_DOCKBAR_FLOAT)) {
        m_bInRecalcLayout = FALSE;
        DestroyWindow();
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    m_bInRecalcLayout = FALSE;
    return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify) {
    if (m_bInRecalcLayout)
        return;
    CMiniFrameWnd::RecalcLayout(bNotify);
    // The caption follows the dock bar's text (its bar's title).
    CString title;
    m_wndDockBar.GetWindowText(title);
    AfxSetWindowText(m_hWnd, title);
}

CControlBar* CMiniDockFrameWnd::FirstBar() {
    for (int nPos = 1; nPos < m_wndDockBar.m_arrBars.GetSize(); ++nPos) {
        if (CControlBar* bar = m_wndDockBar.GetDockedControlBar(nPos))
            return bar;
    }
    return nullptr;
}

void CMiniDockFrameWnd::OnClose() {
    // Closing hides the bars; they come back through the frame's commands.
    m_wndDockBar.ShowAll(FALSE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    CControlBar* bar = FirstBar();
    if (bar != nullptr && bar->m_pDockContext != nullptr) {
        if (nHitTest == HTCAPTION && !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) {
            ActivateTopParent();
            bar->m_pDockContext->StartDrag(point);
            return;
        }
        if (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT &&
            (bar->m_dwStyle & CBRS_SIZE_DYNAMIC)) {
            ActivateTopParent();
            bar->m_pDockContext->StartResize(static_cast<int>(nHitTest), point);
            return;
        }
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
    CControlBar* bar = FirstBar();
    if (nHitTest == HTCAPTION && bar != nullptr && bar->m_pDockContext != nullptr &&
        !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) {
        ActivateTopParent();
        bar->m_pDockContext->ToggleDocking();
        return;
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}
