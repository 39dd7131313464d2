// The measure configuration page as the user sees it: the evaluation group (mode, two judged
// measurands with their limits and units) and the notice. Every change goes at once into the
// page's lasting values, which the frame's settings writer stores.
#include "pages/measurement/CDlgMeasureAdjust.h"

#include <iterator>

#include "app/MainFrame.h"
#include "foundation/Language.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "platform/ui/controls/ComboBox.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CDlgMeasureAdjust, CSettingsPage)

namespace {

constexpr int kEvaluationTitle = 5431;
const char* const kMeasurandNames[6] = {"A", "B", "C", "D", "P1", "P2"};
const UINT kMeasurandIds[2] = {IDC_ADJ_MEASURAND_1, IDC_ADJ_MEASURAND_2};
const UINT kLimitIds[4] = {IDC_ADJ_LOWER_1, IDC_ADJ_UPPER_1, IDC_ADJ_LOWER_2, IDC_ADJ_UPPER_2};
const UINT kUnitIds[2] = {IDC_ADJ_UNIT_LABEL_1, IDC_ADJ_UNIT_LABEL_2};

const PageLabel kLabels[] = {
    {IDC_ADJ_EVAL_GROUP, kEvaluationTitle},       {IDC_ADJ_EVAL_MODE0, IDS_ADJ_EVAL_OFF},
    {IDC_ADJ_EVAL_MODE1, IDS_ADJ_EVAL_ONE},       {IDC_ADJ_EVAL_MODE2, IDS_ADJ_EVAL_TWO},
    {IDC_ADJ_MEASURAND_LABEL, IDS_DOC_MEASURAND}, {IDC_ADJ_LOWER_LABEL, IDS_DOC_LOWER_LIMIT},
    {IDC_ADJ_UPPER_LABEL, IDS_DOC_UPPER_LIMIT},
};

}  // namespace

BEGIN_MESSAGE_MAP(CDlgMeasureAdjust, CSettingsPage)
ON_CONTROL_RANGE(BN_CLICKED, IDC_ADJ_EVAL_MODE0, IDC_ADJ_EVAL_MODE2,
                 &CDlgMeasureAdjust::OnEvaluationMode)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_ADJ_MEASURAND_1, IDC_ADJ_MEASURAND_2,
                 &CDlgMeasureAdjust::OnMeasurand)
ON_CONTROL_RANGE(EN_CHANGE, IDC_ADJ_LOWER_1, IDC_ADJ_UPPER_2, &CDlgMeasureAdjust::OnLimitChanged)
END_MESSAGE_MAP()

void CDlgMeasureAdjust::LoadSettings(CWinApp* app) {
    m_values.Load(app);
}

BOOL CDlgMeasureAdjust::SaveSettings(CWinApp* app) const {
    return m_values.Save(app);
}

BOOL CDlgMeasureAdjust::OnInitDialog() {
    CSettingsPage::OnInitDialog();
    LoadSettings(AfxGetApp());
    for (UINT id : kMeasurandIds) {
        for (int m = 0; m < 6; ++m) {
            const auto item =
                static_cast<int>(SendDlgItemMessage(static_cast<int>(id), CB_ADDSTRING, 0,
                                                    reinterpret_cast<LPARAM>(kMeasurandNames[m])));
            SendDlgItemMessage(static_cast<int>(id), CB_SETITEMDATA, static_cast<WPARAM>(item), m);
        }
    }
    SetLanguageTexts();
    return TRUE;
}

BOOL CDlgMeasureAdjust::SetLanguageTexts() {
    const BOOL all = SetLabelTexts(kLabels, std::size(kLabels));
    ShowValues();
    return all;
}

void CDlgMeasureAdjust::ShowValues() {
    if (m_hWnd == nullptr)
        return;
    m_bRefreshing = TRUE;
    CheckRadioButton(IDC_ADJ_EVAL_MODE0, IDC_ADJ_EVAL_MODE2,
                     IDC_ADJ_EVAL_MODE0 + m_values.ioNioMode);
    for (int c = 0; c < 2; ++c) {
        // The list holds the six measurands in index order.
        SendDlgItemMessage(static_cast<int>(kMeasurandIds[c]), CB_SETCURSEL,
                           static_cast<WPARAM>(m_values.measurand[c]));
        SetDlgItemText(static_cast<int>(kUnitIds[c]), m_strUnitLabels[c]);
    }
    for (int i = 0; i < 4; ++i) {
        CString shown;
        GetDlgItemText(static_cast<int>(kLimitIds[i]), shown);
        if (shown != m_values.limits[i])
            SetDlgItemText(static_cast<int>(kLimitIds[i]), m_values.limits[i]);
    }
    SetDlgItemText(IDC_ADJ_NOTICE, m_strNotice);
    if (CWnd* notice = GetDlgItem(IDC_ADJ_NOTICE))
        notice->ShowWindow(m_bNoticeVisible ? SW_SHOW : SW_HIDE);
    m_bRefreshing = FALSE;
}

void CDlgMeasureAdjust::OnEvaluationMode(UINT id) {
    m_values.ioNioMode = static_cast<int>(id - IDC_ADJ_EVAL_MODE0);
}

void CDlgMeasureAdjust::OnMeasurand(UINT id) {
    const int criterion = static_cast<int>(id - IDC_ADJ_MEASURAND_1);
    const auto item = SendDlgItemMessage(static_cast<int>(id), CB_GETCURSEL);
    const auto data =
        item < 0 ? -1 : SendDlgItemMessage(static_cast<int>(id), CB_GETITEMDATA, item);
    m_values.measurand[criterion] = data >= 0 && data < 6 ? static_cast<int>(data) : -1;
}

void CDlgMeasureAdjust::OnLimitChanged(UINT id) {
    if (m_bRefreshing)
        return;
    CString text;
    GetDlgItemText(static_cast<int>(id), text);
    m_values.limits[id - IDC_ADJ_LOWER_1] = text.Left(MeasureConfigValues::kMaxLimitLength);
}

void CDlgMeasureAdjust::SetNoticeText(const CString& text) {
    m_strNotice = text;
    ShowValues();
}

void CDlgMeasureAdjust::ShowNotice(BOOL show) {
    m_bNoticeVisible = show;
    ShowValues();
}

void CDlgMeasureAdjust::SetJudgedUnitLabel(int criterion, const CString& unit) {
    if (criterion < 0 || criterion > 1)
        return;
    m_strUnitLabels[criterion] = unit;
    ShowValues();
}

CString CDlgMeasureAdjust::GetJudgedUnitLabel(int criterion) const {
    return criterion >= 0 && criterion < 2 ? m_strUnitLabels[criterion] : CString();
}

int CDlgMeasureAdjust::GetChannelCount() const {
    const CMainFrame* frame = GetMainFrame();
    return frame != nullptr && frame->m_iNumberOfSensors > 1 ? 6 : 2;
}

int CDlgMeasureAdjust::GetJudgedMeasurand(int criterion) const {
    if (criterion < 0 || criterion >= m_values.ioNioMode)
        return -1;
    return m_values.measurand[criterion];
}

double CDlgMeasureAdjust::GetJudgedMaximum(int criterion) const {
    const int channel = GetJudgedMeasurand(criterion);
    const CMainFrame* frame = GetMainFrame();
    if (channel < 0 || frame == nullptr)
        return -1.0;
    return frame->m_adMaximum[channel];
}

// A program path is one program, never a shell line: its text is taken as it stands.
void CDlgMeasureAdjust::OnBrowseStartProgram(CWnd* edit) {
    if (m_bStartProgramLock || edit == nullptr)
        return;
    edit->GetWindowText(m_values.startProgram);
}

void CDlgMeasureAdjust::OnBrowseStopProgram(CWnd* edit) {
    if (m_bStopProgramLock || edit == nullptr)
        return;
    edit->GetWindowText(m_values.stopProgram);
}
