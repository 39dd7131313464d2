// The pages' shared behaviour: keys kept in the page, OK and Cancel handed to the sheet, the
// Apply button's state, and the pen-style item painter of the grid- and line-style lists.
#include "chart/dialogs/ChartTabPage.h"

#include "chart/XGraph.h"
#include "chart/dialogs/ChartDialogIds.h"
#include "chart/dialogs/ChartPage.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/controls/ComboBox.h"

bool CChartTabPage::IsApplyPending() const {
    CWnd* apply = GetDlgItem(IDC_XG_APPLY);
    return apply != nullptr && apply->IsWindowEnabled();
}

bool CChartTabPage::IsEditing() const {
    return !m_bLoading && GetSafeHwnd() != nullptr && IsWindowVisible();
}

void CChartTabPage::EnableApply(BOOL enable) {
    if (CWnd* apply = GetDlgItem(IDC_XG_APPLY))
        apply->EnableWindow(enable);
}

BOOL CChartTabPage::PreTranslateMessage(MSG* pMsg) {
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) &&
        (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_RETURN))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

CChartPage* CChartTabPage::GetSheet() const {
    CWnd* wnd = GetParent();
    while (wnd != nullptr && (wnd->GetStyle() & WS_CHILD))
        wnd = wnd->GetParent();
    return dynamic_cast<CChartPage*>(wnd);
}

void CChartTabPage::OnOK() {
    // The sheet applies every page with pending edits, this one included.
    if (CChartPage* sheet = GetSheet())
        sheet->OnOK();
}

void CChartTabPage::OnCancel() {
    if (CChartPage* sheet = GetSheet())
        sheet->OnCancel();
}

void CChartTabPage::OnApplyClicked() {
    Apply();
}

LRESULT CChartTabPage::OnColourChanged(WPARAM, LPARAM) {
    EnableApply(TRUE);
    return 0;
}

void CChartTabPage::RedrawChart(CXGraph* graph) {
    if (graph != nullptr && ::IsWindow(graph->GetSafeHwnd()))
        graph->Invalidate(TRUE);
}

namespace kq::chart {

void FillList(CWnd* dialog, int listId, const char* const* texts, int count) {
    HWND list = ::GetDlgItem(dialog->GetSafeHwnd(), listId);
    ::SendMessage(list, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i)
        ::SendMessage(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[i]));
}

void DrawPenStyleItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID >= 5)
        return;
    CDC* dc = CDC::FromHandle(item.hDC);
    int saved = dc->SaveDC();
    CRect rect = item.rcItem;
    dc->FillSolidRect(
        &rect, ::GetSysColor((item.itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    CPen pen(static_cast<int>(item.itemID), 1, RGB(0, 0, 0));
    dc->SelectObject(&pen);
    dc->MoveTo(rect.left, rect.top + 6);
    dc->LineTo(rect.right, rect.top + 6);
    dc->RestoreDC(saved);
}

}  // namespace kq::chart
