#include "app/bars/ViewBars.h"

#include "app/views/CAFormChannel.h"
#include "app/views/CAFormDiagram.h"

IMPLEMENT_DYNAMIC(CViewBar, CViewBarBase)
IMPLEMENT_DYNAMIC(CViewBarDiagram, CViewBarBase)
IMPLEMENT_DYNAMIC(CViewBarNavi, CViewBarBase)

BEGIN_MESSAGE_MAP(CViewBar, CViewBarBase)
ON_WM_SIZE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CViewBarDiagram, CViewBarBase)
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CViewBarNavi, CViewBarBase)
ON_WM_SIZE()
END_MESSAGE_MAP()

void CViewBarNavi::OnSize(UINT nType, int cx, int cy) {
    CViewBarBase::OnSize(nType, cx, cy);
    CWnd* tree = GetDlgItem(10000);
    if (tree != nullptr)
        tree->MoveWindow(0, 0, cx, cy, TRUE);
}

namespace {

// The view the bar's frame hosts, when it is of the class asked for.
template <typename View>
View* HostedView(CWnd* hostedFrame) {
    if (hostedFrame == nullptr || hostedFrame->GetSafeHwnd() == nullptr)
        return nullptr;
    for (CWnd* child = hostedFrame->GetWindow(GW_CHILD); child != nullptr;
         child = child->GetWindow(GW_HWNDNEXT)) {
        if (auto* view = DYNAMIC_DOWNCAST(View, CWnd::FromHandlePermanent(child->m_hWnd)))
            return view;
    }
    return nullptr;
}

}  // namespace

void CViewBar::OnSize(UINT nType, int cx, int cy) {
    CViewBarBase::OnSize(nType, cx, cy);
    if (auto* view = HostedView<CAFormChannelX>(GetHostedFrame()))
        m_placer.Place(view, cx, cy);
}

void CViewBarDiagram::OnSize(UINT nType, int cx, int cy) {
    CViewBarBase::OnSize(nType, cx, cy);
    if (auto* view = HostedView<CAFormDiagram>(GetHostedFrame()))
        view->ResizeToBar(this, 0, 0, cx, cy);
}

void CViewBarDiagram::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_bForwardClicks)
        CViewBarBase::OnLButtonDown(nFlags, point);
}

void CViewBarDiagram::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (m_bForwardClicks)
        CViewBarBase::OnLButtonDblClk(nFlags, point);
}

void CViewBarDiagram::SetSizeByIndex(int index, CSize size, const CPoint* position) {
    if (index != 9) {
        CViewBarBase::SetSizeByIndex(index, size);
        return;
    }
    m_szFloat = size;
    if (position != nullptr && IsFloatingId()) {
        if (CFrameWnd* floating = GetParentFrame())
            floating->SetWindowPos(nullptr, position->x, position->y, 0, 0,
                                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RecalcParentLayout();
}

void CViewBarDiagram::SetFloatingRect(int left, int top, int right, int bottom) {
    const CPoint position(left, top);
    SetSizeByIndex(9, CSize(right - left, bottom - top), &position);
}
