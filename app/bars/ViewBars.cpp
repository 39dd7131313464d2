#include "app/bars/ViewBars.h"

IMPLEMENT_DYNAMIC(CViewBar, CViewBarBase)
IMPLEMENT_DYNAMIC(CViewBarDiagram, CViewBarBase)
IMPLEMENT_DYNAMIC(CViewBarNavi, CViewBarBase)

BEGIN_MESSAGE_MAP(CViewBarNavi, CViewBarBase)
ON_WM_SIZE()
END_MESSAGE_MAP()

void CViewBarNavi::OnSize(UINT nType, int cx, int cy) {
    CViewBarBase::OnSize(nType, cx, cy);
    CWnd* tree = GetDlgItem(10000);
    if (tree != nullptr)
        tree->MoveWindow(0, 0, cx, cy, TRUE);
}
