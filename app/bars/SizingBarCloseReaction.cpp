// A user's close of a view bar, by its caption button or by the close box of the floating frame
// it floats in, is reported to the main frame once, so that the menu and the view settings
// follow. Hides made by the program (page switches, exports) are not reported.
#include "app/MainFrame.h"
#include "app/bars/SizingControlBarCF.h"

void CSizingControlBarCF::OnNcLButtonUp(UINT nHitTest, CPoint point) {
    CSizingControlBarG::OnNcLButtonUp(nHitTest, point);
    if (nHitTest == HTCLOSE && FrameReady())
        m_pMainFrame->OnViewBarClosedByUser(this);
}

void CSizingControlBarCF::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    CSizingControlBarG::OnWindowPosChanged(lpwndpos);
    // Only the floating frame's close hides a bar without redrawing.
    constexpr UINT kUserClose = SWP_HIDEWINDOW | SWP_NOREDRAW;
    if ((lpwndpos->flags & kUserClose) == kUserClose && FrameReady())
        m_pMainFrame->OnViewBarClosedByUser(this);
}
