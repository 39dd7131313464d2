// The chart tab: loads the chart's look and the item lists, keeps Apply and the legend list's
// enabling in step with the controls, hands axis and curve choices to the sheet, and writes the
// chart on Apply after one validation of the snap radius.
#include "chart/dialogs/ChartDlg.h"

#include "chart/XGraph.h"
#include "chart/dialogs/ChartDialogIds.h"
#include "chart/dialogs/ChartPage.h"
#include "chart/dialogs/ChartTexts.h"
#include "platform/framework/DataExchange.h"

namespace {}  // namespace

BEGIN_MESSAGE_MAP(CChartDlg, CChartTabPage)
ON_BN_CLICKED(IDC_XG_SHOWLEGEND, &CChartDlg::OnChange)
ON_BN_CLICKED(IDC_XG_DOUBLEBUFFER, &CChartDlg::OnChange)
ON_BN_CLICKED(IDC_XG_SNAP, &CChartDlg::OnChange)
ON_CBN_SELCHANGE(IDC_XG_LEGENDPOS, &CChartDlg::OnChange)
ON_EN_CHANGE(IDC_XG_SNAPRANGE, &CChartDlg::OnChange)
ON_CBN_SELCHANGE(IDC_XG_SELXAXIS, &CChartDlg::OnSelXAxis)
ON_CBN_SELCHANGE(IDC_XG_SELYAXIS, &CChartDlg::OnSelYAxis)
ON_CBN_SELCHANGE(IDC_XG_SELCURVE, &CChartDlg::OnSelCurve)
ON_BN_CLICKED(IDC_XG_APPLY, &CChartDlg::OnApplyClicked)
ON_MESSAGE(kq::chart::kColourChanged, &CChartDlg::OnColourChanged)
END_MESSAGE_MAP()

CChartDlg::CChartDlg(CChartPage* sheet) : CChartTabPage(IDD_XG_CHARTPAGE), m_pSheet(sheet) {}

CXGraph* CChartDlg::Graph() const {
    return m_pSheet != nullptr ? m_pSheet->GetGraph() : nullptr;
}

void CChartDlg::DoDataExchange(CDataExchange* pDX) {
    CChartTabPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_XG_SNAPSPIN, m_SnapSpin);
    DDX_Control(pDX, IDC_XG_SELCURVE, m_CurveCombo);
    DDX_Control(pDX, IDC_XG_SELYAXIS, m_YAxisCombo);
    DDX_Control(pDX, IDC_XG_SELXAXIS, m_XAxisCombo);
    DDX_Control(pDX, IDC_XG_LEGENDPOS, m_LegendPosCombo);
    DDX_Control(pDX, IDC_XG_INNERCOLOR, m_InnerColor);
    DDX_Control(pDX, IDC_XG_OUTERCOLOR, m_OuterColor);
    DDX_Control(pDX, IDC_XG_BACKCOLOR, m_BackColor);
    DDX_ColorButton(pDX, IDC_XG_BACKCOLOR, m_crBack);
    DDX_ColorButton(pDX, IDC_XG_OUTERCOLOR, m_crOuter);
    DDX_ColorButton(pDX, IDC_XG_INNERCOLOR, m_crInner);
    DDX_Check(pDX, IDC_XG_SHOWLEGEND, m_bShowLegend);
    DDX_Check(pDX, IDC_XG_DOUBLEBUFFER, m_bDoubleBuffer);
    DDX_CBIndex(pDX, IDC_XG_LEGENDPOS, m_nLegendPos);
    DDX_CBIndex(pDX, IDC_XG_SELXAXIS, m_nXAxis);
    DDX_CBIndex(pDX, IDC_XG_SELYAXIS, m_nYAxis);
    DDX_CBIndex(pDX, IDC_XG_SELCURVE, m_nCurve);
    DDX_Check(pDX, IDC_XG_SNAP, m_bSnap);
    DDX_Text(pDX, IDC_XG_SNAPRANGE, m_nSnapRange);
    DDV_MinMaxInt(pDX, m_nSnapRange, 0, 100);
}

BOOL CChartDlg::OnInitDialog() {
    CChartTabPage::OnInitDialog();
    Load();
    return TRUE;
}

void CChartDlg::Load() {
    CXGraph* graph = Graph();
    if (graph == nullptr || GetSafeHwnd() == nullptr)
        return;
    // The choices speak the language of the moment the page shows.
    kq::chart::FillList(this, IDC_XG_LEGENDPOS,
                        {kq::chart::ChartText::Left, kq::chart::ChartText::Right});
    m_bLoading = true;
    m_crBack = graph->GetBackColor();
    m_crOuter = graph->GetOuterColor();
    m_crInner = graph->GetInnerColor();
    m_bShowLegend = graph->GetShowLegend() ? 1 : 0;
    m_bDoubleBuffer = graph->m_bDoubleBuffer ? 1 : 0;
    m_nLegendPos = graph->m_LegendAlignment == 0 || graph->m_LegendAlignment == 1
                       ? graph->m_LegendAlignment
                       : -1;
    m_bSnap = graph->m_bSnapCursor ? 1 : 0;
    m_nSnapRange = kq::chart::Clamped(graph->m_nSnapRange, 0, 100);
    m_SnapSpin.SetRange(0, 100);

    CString line;
    m_CurveCombo.ResetContent();
    for (int i = 0; i < graph->GetCurveCount(); ++i) {
        line.Format("%d %s", i + 1, graph->GetCurve(i).GetLabel().GetString());
        m_CurveCombo.AddString(line);
    }
    m_nCurve = m_pSheet->GetCurrentCurve() != nullptr ? m_pSheet->GetCurrentCurveIndex() : -1;
    m_XAxisCombo.ResetContent();
    for (int i = 0; i < graph->GetXAxisCount(); ++i) {
        line.Format("%d %s", i + 1, graph->GetXAxis(i).GetLabel().GetString());
        m_XAxisCombo.AddString(line);
    }
    m_YAxisCombo.ResetContent();
    for (int i = 0; i < graph->GetYAxisCount(); ++i) {
        line.Format("%d %s", i + 1, graph->GetYAxis(i).GetLabel().GetString());
        m_YAxisCombo.AddString(line);
    }
    bool axis = m_pSheet->GetCurrentAxis() != nullptr;
    m_nXAxis = axis && m_pSheet->IsCurrentAxisX() ? m_pSheet->GetCurrentAxisIndex() : -1;
    m_nYAxis = axis && !m_pSheet->IsCurrentAxisX() ? m_pSheet->GetCurrentAxisIndex() : -1;
    UpdateData(FALSE);
    m_LegendPosCombo.EnableWindow(m_bShowLegend != 0);
    EnableApply(FALSE);
    m_bLoading = false;
}

void CChartDlg::OnChange() {
    // No validation here: a half-typed radius is checked once, by Apply.
    if (!IsEditing())
        return;
    EnableApply(TRUE);
    m_LegendPosCombo.EnableWindow(IsDlgButtonChecked(IDC_XG_SHOWLEGEND) != 0);
}

void CChartDlg::OnSelXAxis() {
    m_nXAxis = m_XAxisCombo.GetCurSel();
    if (m_nXAxis < 0)
        return;
    m_pSheet->SelectXAxis(m_nXAxis);
    m_nYAxis = -1;
    m_YAxisCombo.SetCurSel(-1);
    if (CXGraph* graph = Graph(); graph != nullptr && m_nXAxis < graph->GetXAxisCount())
        graph->SelectXAxis(m_nXAxis);
}

void CChartDlg::OnSelYAxis() {
    m_nYAxis = m_YAxisCombo.GetCurSel();
    if (m_nYAxis < 0)
        return;
    m_pSheet->SelectYAxis(m_nYAxis);
    m_nXAxis = -1;
    m_XAxisCombo.SetCurSel(-1);
    if (CXGraph* graph = Graph(); graph != nullptr && m_nYAxis < graph->GetYAxisCount())
        graph->SelectYAxis(m_nYAxis);
}

void CChartDlg::OnSelCurve() {
    m_nCurve = m_CurveCombo.GetCurSel();
    if (m_nCurve < 0)
        return;
    m_pSheet->SelectCurve(m_nCurve);
    if (CXGraph* graph = Graph(); graph != nullptr && m_nCurve < graph->GetCurveCount())
        graph->SelectCurve(m_nCurve);
}

bool CChartDlg::Apply() {
    CXGraph* graph = Graph();
    if (graph == nullptr)
        return true;
    int legendPos = m_nLegendPos;
    if (!UpdateData(TRUE))
        return false;
    graph->SetBackColor(m_crBack);
    graph->SetOuterColor(m_crOuter);
    graph->SetInnerColor(m_crInner);
    graph->SetShowLegend(m_bShowLegend != 0);
    graph->m_bDoubleBuffer = m_bDoubleBuffer != 0;
    m_nLegendPos = kq::chart::ChosenOr(m_nLegendPos, legendPos);
    if (m_nLegendPos >= 0)
        graph->m_LegendAlignment = m_nLegendPos;
    graph->m_bSnapCursor = m_bSnap != 0;
    graph->m_nSnapRange = m_nSnapRange;
    RedrawChart(graph);
    EnableApply(FALSE);
    return true;
}
