#include "app/bars/ViewBarFloatFrame.h"

IMPLEMENT_DYNCREATE(CViewBarFloatFrame, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CViewBarFloatFrame, CMiniDockFrameWnd)
ON_WM_CLOSE()
END_MESSAGE_MAP()

void CViewBarFloatFrame::OnClose() {
    for (int pos = 0; pos < m_wndDockBar.m_arrBars.GetSize(); ++pos) {
        CControlBar* bar = m_wndDockBar.GetDockedControlBar(pos);
        if (bar != nullptr && bar->IsWindowVisible())
            bar->SetWindowPos(nullptr, 0, 0, 0, 0,
                              SWP_HIDEWINDOW | SWP_NOREDRAW | SWP_NOMOVE | SWP_NOSIZE |
                                  SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CMiniDockFrameWnd::OnClose();
}
