#include "platform/framework/bars/MiniDockFrameWnd.h"

#include "platform/framework/bars/DockContext.h"
#include "platform/framework/bars/Docking.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CFrameWnd)
ON_WM_CLOSE()
ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() = default;

BOOL CMiniDockFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    // No client edge: the bar draws its own borders.
    return CFrameWnd::PreCreateWindow(cs) && ((cs.dwExStyle &= ~WS_EX_CLIENTEDGE), TRUE);
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | FWS_SNAPTOBARS;
    if (!CreateEx(WS_EX_TOOLWINDOW, nullptr, "", style, CRect(0, 0, 0, 0), pParent, 0))
        return FALSE;
    if (!m_wndDockBar.Create(this, WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_ALIGN_ANY),
                             AFX_IDW_DOCKBAR_FLOAT))
        return FALSE;
    RecalcLayout();
    return TRUE;
}

void CMiniDockFrameWnd::OnClose() {
    // The bars are hidden, not destroyed; the application shows them again through its menu.
    for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i) {
        CControlBar* bar = m_wndDockBar.GetDockedControlBar(i);
        if (bar != nullptr && bar->IsVisible())
            kq::fw::ShowControlBar(bar->GetDockingFrame(), bar, FALSE, FALSE);
    }
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
    if (nHitTest == HTCAPTION) {
        for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i) {
            CControlBar* bar = m_wndDockBar.GetDockedControlBar(i);
            if (bar != nullptr && bar->m_pDockContext != nullptr) {
                bar->m_pDockContext->ToggleDocking();
                return;  // this frame is gone now
            }
        }
    }
    CFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}
