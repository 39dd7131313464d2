// The axis tab's load and Apply: the axis's fields into the controls (time steps split into a
// unit, values clamped into the fields' ranges), and back into the axis after one validation,
// with the number format chosen for the range the axis then holds.
#include "chart/dialogs/AxisDlg.h"

#include <cfloat>
#include <cmath>

#include "chart/XGraph.h"
#include "chart/dialogs/AxisPageRules.h"
#include "chart/dialogs/ChartDialogIds.h"
#include "chart/dialogs/ChartPage.h"
#include "chart/dialogs/ChartTexts.h"
#include "platform/framework/DataExchange.h"
#include "platform/framework/commctrl/DateTimeCtrl.h"
#include "platform/framework/commdlg/FontDialog.h"

namespace {

const char* const kGridStyles[] = {" ", " ", " ", " ", " "};
const char* const kTimeUnits[] = {"Seconds", "Minutes", "Hours", "Days"};
constexpr int kNumberFields[] = {IDC_XG_AXMIN, IDC_XG_AXMAX, IDC_XG_STEP};
constexpr int kTimeFields[] = {IDC_XG_MINDATE, IDC_XG_MINTIME,  IDC_XG_MAXDATE,
                               IDC_XG_MAXTIME, IDC_XG_TIMESTEP, IDC_XG_TIMEUNIT};
// The years the date pickers show: 1601-01-01 .. 9999-12-31.
constexpr double kFirstPickerDay = -109205.0;
constexpr double kLastPickerDay = 2958465.0;

COleDateTime PickerValue(double days) {
    if (std::isfinite(days) && days >= kFirstPickerDay && days < kLastPickerDay + 1.0)
        return COleDateTime(days);
    return COleDateTime::GetCurrentTime();
}

COleDateTime DateWithTime(const COleDateTime& date, const COleDateTime& time) {
    return COleDateTime(date.GetYear(), date.GetMonth(), date.GetDay(), time.GetHour(),
                        time.GetMinute(), time.GetSecond());
}

}  // namespace

BEGIN_MESSAGE_MAP(CAxisDlg, CChartTabPage)
ON_BN_CLICKED(IDC_XG_VISIBLE, &CAxisDlg::OnChange)
ON_BN_CLICKED(IDC_XG_GRID, &CAxisDlg::OnChange)
ON_BN_CLICKED(IDC_XG_AXSHOWMARKERS, &CAxisDlg::OnChange)
ON_BN_CLICKED(IDC_XG_AUTOSCALE, &CAxisDlg::OnChange)
ON_BN_CLICKED(IDC_XG_TIMEAXIS, &CAxisDlg::OnChange)
ON_EN_CHANGE(IDC_XG_TITLE, &CAxisDlg::OnChange)
ON_EN_CHANGE(IDC_XG_AXMAX, &CAxisDlg::OnChange)
ON_EN_CHANGE(IDC_XG_DECIMALS, &CAxisDlg::OnChange)
ON_EN_CHANGE(IDC_XG_ARROWSIZE, &CAxisDlg::OnChange)
ON_EN_CHANGE(IDC_XG_TICKSIZE, &CAxisDlg::OnChange)
ON_EN_CHANGE(IDC_XG_MARKERSIZE, &CAxisDlg::OnChange)
ON_EN_CHANGE(IDC_XG_STEP, &CAxisDlg::OnChange)
ON_EN_CHANGE(IDC_XG_AXMIN, &CAxisDlg::OnChange)
ON_EN_CHANGE(IDC_XG_TIMEFORMAT, &CAxisDlg::OnChange)
ON_EN_CHANGE(IDC_XG_TIMESTEP, &CAxisDlg::OnChange)
ON_CBN_SELCHANGE(IDC_XG_GRIDSTYLE, &CAxisDlg::OnChange)
ON_CBN_SELCHANGE(IDC_XG_PLACEMENT, &CAxisDlg::OnChange)
ON_CBN_SELCHANGE(IDC_XG_TIMEUNIT, &CAxisDlg::OnChange)
ON_NOTIFY(DTN_DATETIMECHANGE, IDC_XG_MINDATE, &CAxisDlg::OnPickerChange)
ON_NOTIFY(DTN_DATETIMECHANGE, IDC_XG_MINTIME, &CAxisDlg::OnPickerChange)
ON_NOTIFY(DTN_DATETIMECHANGE, IDC_XG_MAXDATE, &CAxisDlg::OnPickerChange)
ON_NOTIFY(DTN_DATETIMECHANGE, IDC_XG_MAXTIME, &CAxisDlg::OnPickerChange)
ON_BN_CLICKED(IDC_XG_AXFONT, &CAxisDlg::OnTitleFont)
ON_BN_CLICKED(IDC_XG_AXSCFONT, &CAxisDlg::OnLabelFont)
ON_BN_CLICKED(IDC_XG_APPLY, &CAxisDlg::OnApplyClicked)
ON_MESSAGE(kq::chart::kColourChanged, &CAxisDlg::OnColourChanged)
ON_WM_MEASUREITEM()
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CAxisDlg::CAxisDlg(CChartPage* sheet) : CChartTabPage(IDD_XG_AXISPAGE), m_pSheet(sheet) {}

CXGraphAxis* CAxisDlg::Axis() const {
    return m_pSheet != nullptr ? m_pSheet->GetCurrentAxis() : nullptr;
}

bool CAxisDlg::HasItem() const {
    return Axis() != nullptr;
}

void CAxisDlg::DoDataExchange(CDataExchange* pDX) {
    CChartTabPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_XG_MARKERSPIN, m_MarkerSizeSpin);
    DDX_Control(pDX, IDC_XG_ARROWSPIN, m_ArrowSizeSpin);
    DDX_Control(pDX, IDC_XG_TICKSPIN, m_TickSizeSpin);
    DDX_Control(pDX, IDC_XG_GRIDCOLOR, m_GridColor);
    DDX_Control(pDX, IDC_XG_COLOR, m_AxisColor);
    DDX_Control(pDX, IDC_XG_DECIMALSSPIN, m_DecimalsSpin);
    DDX_ColorButton(pDX, IDC_XG_COLOR, m_crAxis);
    DDX_ColorButton(pDX, IDC_XG_GRIDCOLOR, m_crGrid);
    DDX_Text(pDX, IDC_XG_TITLE, m_cTitle);
    DDX_Check(pDX, IDC_XG_AUTOSCALE, m_bAutoScale);
    DDX_Text(pDX, IDC_XG_AXMIN, m_fMin);
    DDV_MinMaxDouble(pDX, m_fMin, -DBL_MAX, DBL_MAX);
    DDX_Text(pDX, IDC_XG_AXMAX, m_fMax);
    DDV_MinMaxDouble(pDX, m_fMax, -DBL_MAX, DBL_MAX);
    DDX_Check(pDX, IDC_XG_GRID, m_bShowGrid);
    DDX_Check(pDX, IDC_XG_TIMEAXIS, m_bTimeAxis);
    DDX_Check(pDX, IDC_XG_VISIBLE, m_bVisible);
    DDX_Text(pDX, IDC_XG_DECIMALS, m_nDecimals);
    DDV_MinMaxInt(pDX, m_nDecimals, 0, 6);
    DDX_Text(pDX, IDC_XG_ARROWSIZE, m_nArrowSize);
    DDV_MinMaxInt(pDX, m_nArrowSize, 1, 10);
    DDX_Text(pDX, IDC_XG_TICKSIZE, m_nTickSize);
    DDV_MinMaxInt(pDX, m_nTickSize, 1, 10);
    DDX_Text(pDX, IDC_XG_MARKERSIZE, m_nMarkerSize);
    DDV_MinMaxInt(pDX, m_nMarkerSize, 1, 20);
    DDX_Text(pDX, IDC_XG_STEP, m_fStep);
    DDX_DateTimeCtrl(pDX, IDC_XG_MAXDATE, m_MaxDate);
    DDX_DateTimeCtrl(pDX, IDC_XG_MAXTIME, m_MaxTime);
    DDX_DateTimeCtrl(pDX, IDC_XG_MINDATE, m_MinDate);
    DDX_DateTimeCtrl(pDX, IDC_XG_MINTIME, m_MinTime);
    DDX_Text(pDX, IDC_XG_TIMEFORMAT, m_cTimeFormat);
    DDX_Check(pDX, IDC_XG_AXSHOWMARKERS, m_bShowMarkers);
    DDX_CBIndex(pDX, IDC_XG_PLACEMENT, m_nPlacement);
    DDX_CBIndex(pDX, IDC_XG_GRIDSTYLE, m_nGridStyle);
    DDX_CBIndex(pDX, IDC_XG_TIMEUNIT, m_nTimeUnit);
    DDX_Text(pDX, IDC_XG_TIMESTEP, m_nTimeStep);
    DDV_MinMaxInt(pDX, m_nTimeStep, 1, 22118400);
}

BOOL CAxisDlg::OnInitDialog() {
    CChartTabPage::OnInitDialog();
    kq::chart::FillList(this, IDC_XG_GRIDSTYLE, kGridStyles, 5);
    kq::chart::FillList(this, IDC_XG_TIMEUNIT, kTimeUnits, 4);
    Load();
    return TRUE;
}

void CAxisDlg::ApplyEnablingRule(bool autoScale, bool timeAxis) {
    for (int id : kNumberFields)
        GetDlgItem(id)->EnableWindow(!autoScale && !timeAxis);
    for (int id : kTimeFields)
        GetDlgItem(id)->EnableWindow(timeAxis && !autoScale);
    for (int id : {IDC_XG_DECIMALS, IDC_XG_DECIMALSSPIN, IDC_XG_PLACEMENT})
        GetDlgItem(id)->EnableWindow(!timeAxis);
    GetDlgItem(IDC_XG_TIMEFORMAT)->EnableWindow(timeAxis);
}

void CAxisDlg::Load() {
    if (GetSafeHwnd() == nullptr)
        return;
    // The choices speak the language of the moment the page shows.
    kq::chart::FillList(this, IDC_XG_PLACEMENT,
                        {kq::chart::ChartText::Left, kq::chart::ChartText::Right});
    CXGraphAxis* axis = Axis();
    m_bLoading = true;
    if (axis == nullptr) {
        // Nothing to edit: an empty, disabled page.
        m_cTitle.Empty();
        m_cTimeFormat.Empty();
        m_fMin = m_fMax = m_fStep = 0.0;
        m_nTimeStep = 1;
        m_MinDate = m_MinTime = m_MaxDate = m_MaxTime = COleDateTime::GetCurrentTime();
        UpdateData(FALSE);
        EnableWindow(FALSE);
        EnableApply(FALSE);
        m_bLoading = false;
        return;
    }
    m_cTitle = axis->GetLabel();
    axis->GetRange(m_fMin, m_fMax, m_fStep);
    if (!std::isfinite(m_fMin) || !axis->HasRange())
        m_fMin = 0.0;
    if (!std::isfinite(m_fMax) || !axis->HasRange())
        m_fMax = 0.0;
    m_bAutoScale = axis->GetAutoScale() ? 1 : 0;
    m_bTimeAxis = axis->GetTimeAxis() ? 1 : 0;
    m_bShowGrid = axis->GetShowGrid() ? 1 : 0;
    m_bVisible = axis->GetVisible() ? 1 : 0;
    m_bShowMarkers = axis->GetShowMarker() ? 1 : 0;
    m_nPlacement =
        axis->GetPlacement() == 0 || axis->GetPlacement() == 1 ? axis->GetPlacement() : -1;
    m_nGridStyle = axis->m_nGridStyle >= 0 && axis->m_nGridStyle <= 4 ? axis->m_nGridStyle : -1;
    m_crAxis = axis->GetColor();
    m_crGrid = axis->m_crGridColor;

    m_DecimalsSpin.SetRange(0, 6);
    m_ArrowSizeSpin.SetRange(1, 10);
    m_TickSizeSpin.SetRange(1, 10);
    m_MarkerSizeSpin.SetRange(1, 20);
    m_nArrowSize = kq::chart::Clamped(axis->m_nArcSize, 1, 10);
    m_nTickSize = kq::chart::Clamped(axis->m_nTickSize, 1, 10);
    m_nMarkerSize = kq::chart::Clamped(axis->m_nMarkerSize, 1, 20);
    ApplyEnablingRule(m_bAutoScale != 0, m_bTimeAxis != 0);

    m_nTimeStep = 1;
    m_nTimeUnit = 0;
    if (m_bTimeAxis) {
        m_cTimeFormat = kq::chart::EscapeLineFeeds(axis->GetDisplayFmt());
        m_nDecimals = 1;
        kq::chart::TimeStep step = kq::chart::SplitTimeStep(m_fStep);
        m_nTimeStep = step.count;
        m_nTimeUnit = step.unit;
        m_MinDate = m_MinTime = PickerValue(m_fMin);
        m_MaxDate = m_MaxTime = PickerValue(m_fMax);
    } else {
        m_MinDate = m_MinTime = m_MaxDate = m_MaxTime = COleDateTime::GetCurrentTime();
        m_nDecimals = kq::chart::DecimalsOfFormat(axis->GetDisplayFmt(), m_nDecimals);
        m_nDecimals = kq::chart::Clamped(m_nDecimals, 0, 6);
    }
    m_ArrowSizeSpin.SetPos(m_nArrowSize);
    m_TickSizeSpin.SetPos(m_nTickSize);
    m_MarkerSizeSpin.SetPos(m_nMarkerSize);
    UpdateData(FALSE);
    if (IsWindowVisible())
        EnableWindow(TRUE);
    EnableApply(FALSE);
    m_bLoading = false;
}

void CAxisDlg::OnChange() {
    // No validation here: half-typed numbers ("-", "1e") are checked once, by Apply.
    if (!IsEditing())
        return;
    ApplyEnablingRule(IsDlgButtonChecked(IDC_XG_AUTOSCALE) != 0,
                      IsDlgButtonChecked(IDC_XG_TIMEAXIS) != 0);
    EnableApply(TRUE);
}

void CAxisDlg::OnPickerChange(NMHDR*, LRESULT* result) {
    OnChange();
    *result = 0;
}

void CAxisDlg::OnTitleFont() {
    ChooseFont(true);
}

void CAxisDlg::OnLabelFont() {
    ChooseFont(false);
}

void CAxisDlg::ChooseFont(bool title) {
    CFontDialog dialog(nullptr, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
    if (dialog.DoModal() != IDOK)
        return;
    CXGraphAxis* axis = Axis();
    if (axis == nullptr)
        return;
    LOGFONT font{};
    dialog.GetCurrentFont(&font);
    if (title)
        axis->SetTitleFont(&font);
    else
        axis->SetFont(&font);
    RedrawChart(m_pSheet->GetGraph());
    OnChange();
}

void CAxisDlg::ApplyRange(CXGraphAxis& axis) {
    if (m_bAutoScale)
        return;
    if (!m_bTimeAxis) {
        double step = std::isfinite(m_fStep) && m_fStep > 0.0 ? m_fStep : 0.0;
        axis.SetCurrentRange(m_fMin, m_fMax, step);
        return;
    }
    int unit = kq::chart::Clamped(m_nTimeUnit, 0, 3);
    m_MinDate = m_MinTime = DateWithTime(m_MinDate, m_MinTime);
    m_MaxDate = m_MaxTime = DateWithTime(m_MaxDate, m_MaxTime);
    axis.SetCurrentRange(static_cast<DATE>(m_MinDate), static_cast<DATE>(m_MaxDate),
                         kq::chart::TimeStepDays(m_nTimeStep, unit));
}

bool CAxisDlg::Apply() {
    CXGraphAxis* axis = Axis();
    if (axis == nullptr)
        return true;
    int placement = m_nPlacement;
    int gridStyle = m_nGridStyle;
    int timeUnit = m_nTimeUnit;
    if (!UpdateData(TRUE))
        return false;
    m_nPlacement = kq::chart::ChosenOr(m_nPlacement, placement);
    m_nGridStyle = kq::chart::ChosenOr(m_nGridStyle, gridStyle);
    m_nTimeUnit = kq::chart::ChosenOr(m_nTimeUnit, timeUnit);
    if (m_nGridStyle >= 0)
        axis->m_nGridStyle = m_nGridStyle;
    axis->SetLabel(m_cTitle);
    axis->SetAutoScale(m_bAutoScale != 0);
    axis->SetVisible(m_bVisible != 0);
    ApplyRange(*axis);
    axis->SetShowGrid(m_bShowGrid != 0);
    if (m_nPlacement >= 0)
        axis->SetPlacement(m_nPlacement);
    if (m_bTimeAxis) {
        axis->SetDisplayFmt(kq::chart::UnescapeLineFeeds(m_cTimeFormat));
    } else {
        double min = 0.0;
        double max = 0.0;
        double step = 0.0;
        axis->GetRange(min, max, step);
        axis->SetDisplayFmt(kq::chart::NumberFormatFor(min, max, m_nDecimals));
    }
    axis->SetColor(m_crAxis);
    axis->m_crGridColor = m_crGrid;
    axis->m_nArcSize = m_nArrowSize;
    axis->m_nTickSize = m_nTickSize;
    axis->m_nMarkerSize = m_nMarkerSize;
    axis->SetTimeAxis(m_bTimeAxis != 0);
    axis->SetShowMarker(m_bShowMarkers != 0);
    RedrawChart(m_pSheet->GetGraph());
    EnableApply(FALSE);
    return true;
}

void CAxisDlg::OnMeasureItem(int id, LPMEASUREITEMSTRUCT item) {
    if (id == IDC_XG_GRIDSTYLE) {
        item->itemWidth = 16;
        item->itemHeight = 16;
        return;
    }
    CChartTabPage::OnMeasureItem(id, item);
}

void CAxisDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
    if (id == IDC_XG_GRIDSTYLE) {
        kq::chart::DrawPenStyleItem(*item);
        return;
    }
    CChartTabPage::OnDrawItem(id, item);
}
