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
