// The curve tab's load and Apply: the curve's look into the controls (the fill-to list holds the
// other curves with their chart indices), the enabling of the fill and marker controls, and the
// owner-drawn line-style and marker lists.
#include "chart/dialogs/CurveDlg.h"

#include "chart/XGraph.h"
#include "chart/dialogs/ChartDialogIds.h"
#include "chart/dialogs/ChartPage.h"
#include "chart/dialogs/ChartTexts.h"
#include "platform/framework/DataExchange.h"
#include "platform/gfx/SysColors.h"

namespace {

const char* const kLineStyles[] = {"_____________________", "_ _ _ _ _ _ _ _ _ _ _ _ _ _ ",
                                   "..........................................",
                                   "_._._._._._._._._._._._._._.",
                                   "_.._.._.._.._.._.._.._.._.._.._"};
constexpr int kFillControls[] = {IDC_XG_FILLSTYLE0, IDC_XG_FILLTRANSPARENT, IDC_XG_FILLSTYLE1,
                                 IDC_XG_FILLSTYLE2, IDC_XG_FILLSTYLE3,      IDC_XG_FILLSTYLE4,
                                 IDC_XG_FILLSTYLE5, IDC_XG_FILLSTYLE6,      IDC_XG_FILLCURVE};
constexpr int kDisabledMarkerColour = 11;

}  // namespace

BEGIN_MESSAGE_MAP(CCurveDlg, CChartTabPage)
ON_CBN_SELCHANGE(IDC_XG_DRAWMODE, &CCurveDlg::OnChange)
ON_CBN_SELCHANGE(IDC_XG_LINESTYLE, &CCurveDlg::OnChange)
ON_CBN_SELCHANGE(IDC_XG_MARKERSYMBOL, &CCurveDlg::OnChange)
ON_CBN_SELCHANGE(IDC_XG_FILLCURVE, &CCurveDlg::OnChange)
ON_CBN_CLOSEUP(IDC_XG_MARKERSYMBOL, &CCurveDlg::OnChange)
ON_EN_CHANGE(IDC_XG_LINEWIDTH, &CCurveDlg::OnChange)
ON_EN_CHANGE(IDC_XG_TITLE, &CCurveDlg::OnChange)
ON_EN_CHANGE(IDC_XG_MARKERSIZE, &CCurveDlg::OnChange)
ON_BN_CLICKED(IDC_XG_COLOR, &CCurveDlg::OnChange)
ON_BN_CLICKED(IDC_XG_VISIBLE, &CCurveDlg::OnChange)
ON_BN_CLICKED(IDC_XG_SHOWMARKER, &CCurveDlg::OnChange)
ON_BN_CLICKED(IDC_XG_FILL, &CCurveDlg::OnChange)
ON_BN_CLICKED(IDC_XG_FILLTRANSPARENT, &CCurveDlg::OnChange)
ON_BN_CLICKED(IDC_XG_MARKERTYPE, &CCurveDlg::OnChange)
ON_BN_CLICKED(IDC_XG_RDSYM, &CCurveDlg::OnChange)
ON_BN_CLICKED(IDC_XG_FILLSTYLE0, &CCurveDlg::OnChange)
ON_BN_CLICKED(IDC_XG_FILLSTYLE1, &CCurveDlg::OnChange)
ON_BN_CLICKED(IDC_XG_FILLSTYLE2, &CCurveDlg::OnChange)
ON_BN_CLICKED(IDC_XG_FILLSTYLE3, &CCurveDlg::OnChange)
ON_BN_CLICKED(IDC_XG_FILLSTYLE4, &CCurveDlg::OnChange)
ON_BN_CLICKED(IDC_XG_FILLSTYLE5, &CCurveDlg::OnChange)
ON_BN_CLICKED(IDC_XG_FILLSTYLE6, &CCurveDlg::OnChange)
ON_BN_CLICKED(IDC_XG_APPLY, &CCurveDlg::OnApplyClicked)
ON_MESSAGE(kq::chart::kColourChanged, &CCurveDlg::OnColourChanged)
ON_WM_MEASUREITEM()
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CCurveDlg::CCurveDlg(CChartPage* sheet) : CChartTabPage(IDD_XG_CURVEPAGE), m_pSheet(sheet) {}

CXGraphDataSerie* CCurveDlg::Curve() const {
    return m_pSheet != nullptr ? m_pSheet->GetCurrentCurve() : nullptr;
}

bool CCurveDlg::HasItem() const {
    return Curve() != nullptr;
}

void CCurveDlg::DoDataExchange(CDataExchange* pDX) {
    CChartTabPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_XG_FILLCURVE, m_FillCurveCombo);
    DDX_Control(pDX, IDC_XG_LINEWIDTHSPIN, m_LineWidthSpin);
    DDX_Control(pDX, IDC_XG_MARKERSPIN, m_MarkerSizeSpin);
    DDX_Control(pDX, IDC_XG_MARKERSYMBOL, m_MarkerCombo);
    DDX_Control(pDX, IDC_XG_COLOR, m_Color);
    DDX_ColorButton(pDX, IDC_XG_COLOR, m_crColor);
    DDX_CBIndex(pDX, IDC_XG_DRAWMODE, m_nDrawMode);
    DDX_Text(pDX, IDC_XG_LINEWIDTH, m_nLineWidth);
    DDV_MinMaxInt(pDX, m_nLineWidth, 1, 5);
    DDX_CBIndex(pDX, IDC_XG_LINESTYLE, m_nLineStyle);
    DDX_Check(pDX, IDC_XG_SHOWMARKER, m_bShowMarkers);
    DDX_Check(pDX, IDC_XG_VISIBLE, m_bVisible);
    DDX_Check(pDX, IDC_XG_FILL, m_bFill);
    DDX_Radio(pDX, IDC_XG_FILLSTYLE0, m_nFillStyle);
    DDX_Check(pDX, IDC_XG_FILLTRANSPARENT, m_bFillTransparent);
    DDX_Text(pDX, IDC_XG_TITLE, m_cName);
    DDX_Radio(pDX, IDC_XG_MARKERTYPE, m_nMarkerType);
    DDX_CBIndex(pDX, IDC_XG_MARKERSYMBOL, m_nMarkerSymbol);
    DDX_Text(pDX, IDC_XG_MARKERSIZE, m_nMarkerSize);
    DDV_MinMaxInt(pDX, m_nMarkerSize, 1, 20);
    if (pDX->m_bSaveAndValidate)
        m_nFillCurve = SelectedFillCurve();
    else
        SelectFillCurve(m_nFillCurve);
}

BOOL CCurveDlg::OnInitDialog() {
    CChartTabPage::OnInitDialog();
    kq::chart::FillList(this, IDC_XG_LINESTYLE, kLineStyles, 5);
    Load();
    return TRUE;
}

void CCurveDlg::SelectFillCurve(int curve) {
    m_FillCurveCombo.SetCurSel(-1);
    for (int i = 0; i < m_FillCurveCombo.GetCount(); ++i)
        if (static_cast<int>(m_FillCurveCombo.GetItemData(i)) == curve)
            m_FillCurveCombo.SetCurSel(i);
}

int CCurveDlg::SelectedFillCurve() const {
    int selection = m_FillCurveCombo.GetCurSel();
    return selection < 0 ? -1 : static_cast<int>(m_FillCurveCombo.GetItemData(selection));
}

void CCurveDlg::ApplyEnablingRule(bool fill, bool markers, bool symbolFromList) {
    for (int id : kFillControls)
        GetDlgItem(id)->EnableWindow(fill);
    GetDlgItem(IDC_XG_MARKERTYPE)->EnableWindow(markers);
    GetDlgItem(IDC_XG_RDSYM)->EnableWindow(markers);
    m_MarkerCombo.EnableWindow(markers && symbolFromList);
}

void CCurveDlg::Load() {
    if (GetSafeHwnd() == nullptr)
        return;
    // The choices speak the language of the moment the page shows.
    kq::chart::FillList(this, IDC_XG_DRAWMODE,
                        {kq::chart::ChartText::Line, kq::chart::ChartText::Scatter});
    m_bLoading = true;
    m_FillCurveCombo.ResetContent();
    m_MarkerCombo.ResetContent();
    for (int i = 0; i < 8; ++i)
        m_MarkerCombo.AddString("");
    CXGraphDataSerie* curve = Curve();
    if (curve == nullptr) {
        m_cName.Empty();
        m_nLineWidth = 1;
        m_nMarkerSize = 1;
        m_nFillCurve = -1;
        UpdateData(FALSE);
        EnableWindow(FALSE);
        EnableApply(FALSE);
        m_bLoading = false;
        return;
    }
    CXGraph* graph = m_pSheet->GetGraph();
    int edited = m_pSheet->GetCurrentCurveIndex();
    CString line;
    for (int i = 0; i < graph->GetCurveCount(); ++i) {
        if (i == edited)
            continue;
        line.Format("%d %s", i + 1, graph->GetCurve(i).GetLabel().GetString());
        int item = m_FillCurveCombo.AddString(line);
        m_FillCurveCombo.SetItemData(item, static_cast<DWORD_PTR>(i));
    }
    m_MarkerSizeSpin.SetRange(1, 20);
    m_LineWidthSpin.SetRange(1, 5);
    m_nDrawMode =
        curve->m_nDisplayType == 0 || curve->m_nDisplayType == 1 ? curve->m_nDisplayType : -1;
    m_nLineWidth = kq::chart::Clamped(curve->GetLineWidth(), 1, 5);
    m_crColor = curve->GetColor();
    m_nLineStyle =
        curve->GetLineStyle() >= 0 && curve->GetLineStyle() <= 4 ? curve->GetLineStyle() : -1;
    m_bVisible = curve->GetVisible() ? 1 : 0;
    m_bShowMarkers = curve->GetShowMarker() ? 1 : 0;
    m_bFill = curve->m_bFillBeneath ? 1 : 0;
    m_nFillStyle = curve->m_nFillStyle >= 0 && curve->m_nFillStyle <= 6 ? curve->m_nFillStyle : -1;
    m_bFillTransparent = curve->m_bFillTransparent ? 1 : 0;
    m_cName = curve->GetLabel();
    m_nMarkerType = curve->GetMarkerType() == 1 ? 1 : 0;
    m_nMarkerSize = kq::chart::Clamped(curve->GetMarkerSize(), 1, 20);
    m_nMarkerSymbol = kq::chart::Clamped(curve->GetMarker(), 0, 7);
    m_nFillCurve = curve->m_nFillCurve;
    UpdateData(FALSE);
    ApplyEnablingRule(m_bFill != 0, m_bShowMarkers != 0, m_nMarkerType == 1);
    if (IsWindowVisible())
        EnableWindow(TRUE);
    EnableApply(FALSE);
    m_bLoading = false;
}

void CCurveDlg::OnChange() {
    if (!IsEditing())
        return;
    EnableApply(TRUE);
    ApplyEnablingRule(IsDlgButtonChecked(IDC_XG_FILL) != 0,
                      IsDlgButtonChecked(IDC_XG_SHOWMARKER) != 0,
                      IsDlgButtonChecked(IDC_XG_RDSYM) != 0);
}

bool CCurveDlg::Apply() {
    CXGraphDataSerie* curve = Curve();
    if (curve == nullptr)
        return true;
    int drawMode = m_nDrawMode;
    int lineStyle = m_nLineStyle;
    int fillStyle = m_nFillStyle;
    int markerSymbol = m_nMarkerSymbol;
    if (!UpdateData(TRUE))
        return false;
    m_nDrawMode = kq::chart::ChosenOr(m_nDrawMode, drawMode);
    m_nLineStyle = kq::chart::ChosenOr(m_nLineStyle, lineStyle);
    m_nFillStyle = kq::chart::ChosenOr(m_nFillStyle, fillStyle);
    m_nMarkerSymbol = kq::chart::ChosenOr(m_nMarkerSymbol, markerSymbol);
    if (m_nDrawMode >= 0)
        curve->m_nDisplayType = m_nDrawMode;
    curve->SetLineWidth(m_nLineWidth);
    curve->SetColor(m_crColor);
    if (m_nLineStyle >= 0)
        curve->SetLineStyle(m_nLineStyle);
    curve->SetVisible(m_bVisible != 0);
    curve->SetShowMarker(m_bShowMarkers != 0);
    curve->m_bFillBeneath = m_bFill != 0;
    curve->m_nFillCurve = -1;
    if (m_nFillStyle >= 0)
        curve->m_nFillStyle = m_nFillStyle;
    curve->m_bFillTransparent = m_bFillTransparent != 0;
    curve->SetLabel(m_cName);
    curve->SetMarkerType(m_nMarkerType < 0 ? curve->GetMarkerType() : m_nMarkerType);
    curve->SetMarkerSize(m_nMarkerSize);
    if (m_nMarkerSymbol >= 0)
        curve->SetMarker(m_nMarkerSymbol);
    curve->m_nFillCurve = static_cast<short>(m_nFillCurve);
    RedrawChart(m_pSheet->GetGraph());
    EnableApply(FALSE);
    return true;
}

void CCurveDlg::OnMeasureItem(int id, LPMEASUREITEMSTRUCT item) {
    if (id == IDC_XG_LINESTYLE) {
        item->itemWidth = 100;
        item->itemHeight = 16;
    } else if (id == IDC_XG_MARKERSYMBOL) {
        item->itemWidth = 16;
        item->itemHeight = 16;
    } else {
        CChartTabPage::OnMeasureItem(id, item);
    }
}

void CCurveDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
    if (id == IDC_XG_LINESTYLE) {
        kq::chart::DrawPenStyleItem(*item);
        return;
    }
    if (id != IDC_XG_MARKERSYMBOL) {
        CChartTabPage::OnDrawItem(id, item);
        return;
    }
    if (item->itemID >= 8)
        return;
    CDCEx dc;
    dc.Attach(item->hDC);
    int saved = dc.SaveDC();
    CRect rect = item->rcItem;
    dc.FillSolidRect(
        &rect, ::GetSysColor((item->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    COLORREF color =
        (item->itemState & ODS_DISABLED) ? ::GetSysColor(kDisabledMarkerColour) : RGB(0, 0, 0);
    MarkerPainter paint =
        m_pSheet->GetGraph() != nullptr
            ? m_pSheet->GetGraph()->GetMarkerPainter(static_cast<int>(item->itemID))
            : MarkerPainterFor(static_cast<int>(item->itemID));
    paint(rect.left + 2, rect.top + 2, 10, color, 0, &dc);
    dc.RestoreDC(saved);
    dc.Detach();
}
