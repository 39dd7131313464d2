// The sheet's life: made hidden by its holder, it builds its pages on the first show, reloads
// them and shows the chart page on every show, swaps pages on a tab change, and hides on OK or
// Cancel, repainting the chart. It never touches the chart while it is destroyed.
#include "chart/dialogs/ChartPage.h"

#include "chart/XGraph.h"
#include "chart/dialogs/AxisDlg.h"
#include "chart/dialogs/ChartDialogIds.h"
#include "chart/dialogs/ChartDlg.h"
#include "chart/dialogs/CurveDlg.h"
#include "chart/dialogs/DialogResources.h"
#include "platform/framework/DataExchange.h"

BEGIN_MESSAGE_MAP(CChartPage, CDialog)
ON_WM_SHOWWINDOW()
ON_NOTIFY(TCN_SELCHANGE, IDC_XG_TAB, &CChartPage::OnSelChange)
END_MESSAGE_MAP()

CChartPage::CChartPage(CXGraph* graph) : CDialog(IDD_XG_PROPERTIES), m_pGraph(graph) {}

CChartPage::~CChartPage() {
    // The pages' windows go first, while their objects still live; the chart may be gone.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
    delete m_pChartDlg;
    delete m_pCurveDlg;
    delete m_pAxisDlg;
}

BOOL CChartPage::Create(UINT templateId, CWnd* parent) {
    kq::chart::EnsureDialogResources();
    return CDialog::Create(templateId, parent);
}

void CChartPage::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_XG_TAB, m_TabCtrl);
}

CChartTabPage* CChartPage::GetPage(int tab) const {
    switch (tab) {
        case kChartTab:
            return m_pChartDlg;
        case kAxisTab:
            return m_pAxisDlg;
        case kCurveTab:
            return m_pCurveDlg;
        default:
            return nullptr;
    }
}

CXGraphAxis* CChartPage::GetCurrentAxis() const {
    if (m_pGraph == nullptr || m_nAxis < 0)
        return nullptr;
    int count = m_bAxisIsX ? m_pGraph->GetXAxisCount() : m_pGraph->GetYAxisCount();
    if (m_nAxis >= count)
        return nullptr;
    return m_bAxisIsX ? &m_pGraph->GetXAxis(m_nAxis) : &m_pGraph->GetYAxis(m_nAxis);
}

CXGraphDataSerie* CChartPage::GetCurrentCurve() const {
    if (m_pGraph == nullptr || m_nCurve < 0 || m_nCurve >= m_pGraph->GetCurveCount())
        return nullptr;
    return &m_pGraph->GetCurve(m_nCurve);
}

void CChartPage::SelectXAxis(int index) {
    m_bAxisIsX = true;
    m_nAxis = index;
    if (m_pAxisDlg != nullptr)
        m_pAxisDlg->Load();
}

void CChartPage::SelectYAxis(int index) {
    m_bAxisIsX = false;
    m_nAxis = index;
    if (m_pAxisDlg != nullptr)
        m_pAxisDlg->Load();
}

void CChartPage::SelectCurve(int index) {
    m_nCurve = index;
    if (m_pCurveDlg != nullptr)
        m_pCurveDlg->Load();
}

void CChartPage::KeepCurrentItemsValid() {
    if (GetCurrentAxis() == nullptr) {
        m_bAxisIsX = false;
        m_nAxis = m_pGraph != nullptr && m_pGraph->GetYAxisCount() > 0 ? 0 : -1;
    }
    if (GetCurrentCurve() == nullptr)
        m_nCurve = m_pGraph != nullptr && m_pGraph->GetCurveCount() > 0 ? 0 : -1;
}

void CChartPage::CreatePages() {
    if (m_pChartDlg == nullptr) {
        m_pChartDlg = new CChartDlg(this);
        m_pChartDlg->Create(IDD_XG_CHARTPAGE, &m_TabCtrl);
    }
    if (m_pCurveDlg == nullptr) {
        m_pCurveDlg = new CCurveDlg(this);
        m_pCurveDlg->Create(IDD_XG_CURVEPAGE, &m_TabCtrl);
    }
    if (m_pAxisDlg == nullptr) {
        m_pAxisDlg = new CAxisDlg(this);
        m_pAxisDlg->Create(IDD_XG_AXISPAGE, &m_TabCtrl);
    }
}

void CChartPage::RebuildTabs() {
    m_TabCtrl.DeleteAllItems();
    for (int tab = kChartTab; tab <= kCurveTab; ++tab) {
        CChartTabPage* page = GetPage(tab);
        CString text;
        page->GetWindowText(text);
        TCITEM item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = text.GetBuffer();
        item.lParam = reinterpret_cast<LPARAM>(page);
        m_TabCtrl.InsertItem(tab, &item);
        text.ReleaseBuffer();
    }
}

void CChartPage::OnShowWindow(BOOL show, UINT status) {
    if (show && status == 0) {
        KeepCurrentItemsValid();
        CreatePages();
        RebuildTabs();
        for (int tab = kChartTab; tab <= kCurveTab; ++tab)
            GetPage(tab)->Load();
        ShowPage(kChartTab);
        m_TabCtrl.SetCurSel(kChartTab);
    }
    CDialog::OnShowWindow(show, status);
}

void CChartPage::ShowPage(int tab) {
    for (int i = kChartTab; i <= kCurveTab; ++i) {
        if (CChartTabPage* page = GetPage(i)) {
            page->ShowWindow(SW_HIDE);
            page->EnableWindow(FALSE);
        }
    }
    CChartTabPage* page = GetPage(tab);
    if (page == nullptr)
        return;
    page->SetWindowPos(&CWnd::wndTop, 8, 25, 0, 0, SWP_NOSIZE);
    page->ShowWindow(SW_SHOW);
    page->EnableWindow(page->HasItem());
    page->ModifyStyle(WS_CAPTION, 0);
}

void CChartPage::OnSelChange(NMHDR*, LRESULT* result) {
    ShowPage(m_TabCtrl.GetCurSel());
    *result = 0;
}

void CChartPage::HideAndRepaintChart() {
    ShowWindow(SW_HIDE);
    if (m_pGraph != nullptr && ::IsWindow(m_pGraph->GetSafeHwnd())) {
        m_pGraph->Invalidate(TRUE);
        m_pGraph->SendMessage(WM_PAINT);
    }
}

void CChartPage::OnOK() {
    for (int tab = kChartTab; tab <= kCurveTab; ++tab) {
        CChartTabPage* page = GetPage(tab);
        if (page == nullptr || !page->IsApplyPending())
            continue;
        if (!page->Apply()) {
            m_TabCtrl.SetCurSel(tab);
            ShowPage(tab);
            return;
        }
    }
    HideAndRepaintChart();
}

void CChartPage::OnCancel() {
    HideAndRepaintChart();
}
