// The measure configuration page as the user sees it: its creation and texts, the evaluation
// group (mode, two judged measurands with their limits and units), the log boxes, the programs,
// the notice with "Akzeptieren", and the scaling dialog it opens. Every change goes at once into
// the page's lasting values, which the frame's settings writer stores.
#include "pages/measurement/CDlgMeasureAdjust.h"

#include <iterator>

#include "foundation/Language.h"
#include "pages/common/PageHost.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/measurement/CDlgSoftwareConfig.h"
#include "pages/measurement/CValidation_IO_NIO.h"
#include "platform/ui/controls/ComboBox.h"
#include "res/measure_adjust.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CDlgMeasureAdjust, CSettingsPage)

namespace {

// Browse style: icon button, flat, explorer glyph, editable, files.
constexpr DWORD kProgramBrowseStyle = 102;
const char* const kMeasurandNames[6] = {"A", "B", "C", "D", "P1", "P2"};
const UINT kMeasurandIds[2] = {IDC_ADJ_MEASURAND_1, IDC_ADJ_MEASURAND_2};
const UINT kLimitIds[4] = {IDC_ADJ_LOWER_1, IDC_ADJ_UPPER_1, IDC_ADJ_LOWER_2, IDC_ADJ_UPPER_2};
const UINT kUnitIds[2] = {IDC_ADJ_UNIT_LABEL_1, IDC_ADJ_UNIT_LABEL_2};
const UINT kProgramIds[2] = {IDC_ADJ_START_PROGRAM, IDC_ADJ_STOP_PROGRAM};
constexpr const char* kNumericCharacters = ".,0123456789-";

const PageLabel kLabels[] = {
    {IDC_ADJ_EVAL_GROUP, IDS_OK_NOK_VALIDATION},
    {IDC_ADJ_EVAL_MODE0, IDS_ADJ_EVAL_OFF},
    {IDC_ADJ_EVAL_MODE1, IDS_ADJ_EVAL_ONE},
    {IDC_ADJ_EVAL_MODE2, IDS_ADJ_EVAL_TWO},
    {IDC_ADJ_MEASURAND_LABEL, IDS_DOC_MEASURAND},
    {IDC_ADJ_LOWER_LABEL, IDS_DOC_LOWER_LIMIT},
    {IDC_ADJ_UPPER_LABEL, IDS_DOC_UPPER_LIMIT},
    {IDC_ADJ_RATE_LABEL, IDS_ADJ_RATE},
    {IDC_ADJ_SETTING_LABEL, IDS_ADJ_SETTING},
    {IDC_ADJ_CHANNEL_GROUP, IDS_ADJ_CHANNELS},
    {IDC_ADJ_UNIT_TITLE, IDS_ADJ_UNIT},
    {IDC_ADJ_DECIMALS_TITLE, IDS_ADJ_DECIMALS},
    {IDC_ADJ_AVERAGING_TITLE, IDS_ADJ_AVERAGING},
    {IDC_ADJ_SIGN_TITLE, IDS_ADJ_SIGN},
    {IDC_ADJ_SCALING, IDS_ADJ_SCALING},
    {IDC_ADJ_LOWPASS_LABEL, IDS_ADJ_LOWPASS},
    {IDC_ADJ_TRIGGER_GROUP, IDS_ADJ_TRIGGER},
    {IDC_ADJ_START_LABEL, IDS_ADJ_START},
    {IDC_ADJ_STOP_LABEL, IDS_ADJ_STOP},
    {IDC_ADJ_LEVEL_TITLE, IDS_ADJ_LEVEL},
    {IDC_ADJ_HYSTERESIS_TITLE, IDS_ADJ_HYSTERESIS},
    {IDC_ADJ_COUNT_TITLE, IDS_ADJ_COUNT},
    {IDC_ADJ_DIAGRAM_LABEL, IDS_ADJ_DIAGRAM},
    {IDC_ADJ_LOG_GROUP, IDS_ADJ_LOG},
    {IDC_ADJ_LOG_A, IDS_CHANNEL_A},
    {IDC_ADJ_LOG_B, IDS_CHANNEL_B},
    {IDC_ADJ_START_PROGRAM_LABEL, IDS_ADJ_START_PROGRAM},
    {IDC_ADJ_STOP_PROGRAM_LABEL, IDS_ADJ_STOP_PROGRAM},
    {IDC_ADJ_ACCEPT, IDS_ADJ_ACCEPT},
};

}  // namespace

BEGIN_MESSAGE_MAP(CDlgMeasureAdjust, CSettingsPage)
ON_WM_TIMER()
ON_WM_SHOWWINDOW()
ON_WM_DESTROY()
ON_WM_CTLCOLOR()
ON_CONTROL_RANGE(BN_CLICKED, IDC_ADJ_EVAL_MODE0, IDC_ADJ_EVAL_MODE2,
                 &CDlgMeasureAdjust::OnEvaluationMode)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_ADJ_MEASURAND_1, IDC_ADJ_MEASURAND_2,
                 &CDlgMeasureAdjust::OnMeasurand)
ON_CONTROL_RANGE(EN_CHANGE, IDC_ADJ_LOWER_1, IDC_ADJ_UPPER_2, &CDlgMeasureAdjust::OnLimitChanged)
ON_CONTROL_RANGE(BN_CLICKED, IDC_ADJ_LOG_A, IDC_ADJ_LOG_B, &CDlgMeasureAdjust::OnLogBox)
ON_BN_CLICKED(IDC_ADJ_SCALING, &CDlgMeasureAdjust::OnScalingButton)
ON_BN_CLICKED(IDC_ADJ_ACCEPT, &CDlgMeasureAdjust::OnAcceptButton)
ON_CBN_SELCHANGE(IDC_ADJ_RATE, &CDlgMeasureAdjust::OnRateChanged)
ON_EN_CHANGE(IDC_ADJ_SETTING, &CDlgMeasureAdjust::OnSettingChanged)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_ADJ_ROW_UNIT, IDC_ADJ_ROW_UNIT + kChannelRows - 1,
                 &CDlgMeasureAdjust::OnChannelUnit)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_ADJ_ROW_DECIMALS, IDC_ADJ_ROW_DECIMALS + kChannelRows - 1,
                 &CDlgMeasureAdjust::OnChannelDecimals)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_ADJ_ROW_AVERAGING, IDC_ADJ_ROW_AVERAGING + kChannelRows - 1,
                 &CDlgMeasureAdjust::OnChannelAveraging)
ON_CONTROL_RANGE(BN_CLICKED, IDC_ADJ_ROW_SIGN, IDC_ADJ_ROW_SIGN + kChannelRows - 1,
                 &CDlgMeasureAdjust::OnChannelSign)
ON_CBN_SELCHANGE(IDC_ADJ_LOWPASS, &CDlgMeasureAdjust::OnLowPassChanged)
ON_CBN_SELCHANGE(IDC_ADJ_START_CODE, &CDlgMeasureAdjust::OnStartCode)
ON_CBN_SELCHANGE(IDC_ADJ_STOP_CODE, &CDlgMeasureAdjust::OnStopCode)
ON_CBN_SELCHANGE(IDC_ADJ_START_DIRECTION, &CDlgMeasureAdjust::OnStartDirection)
ON_CBN_SELCHANGE(IDC_ADJ_STOP_DIRECTION, &CDlgMeasureAdjust::OnStopDirection)
ON_CONTROL_RANGE(EN_CHANGE, IDC_ADJ_START_LEVEL, IDC_ADJ_START_HYSTERESIS,
                 &CDlgMeasureAdjust::OnTriggerNumber)
ON_CONTROL_RANGE(EN_CHANGE, IDC_ADJ_STOP_LEVEL, IDC_ADJ_STOP_COUNT,
                 &CDlgMeasureAdjust::OnTriggerNumber)
ON_NOTIFY(DTN_DATETIMECHANGE, IDC_ADJ_START_DATE, &CDlgMeasureAdjust::OnStartDateTime)
ON_NOTIFY(DTN_DATETIMECHANGE, IDC_ADJ_START_TIME, &CDlgMeasureAdjust::OnStartDateTime)
ON_REGISTERED_MESSAGE(WM_XLISTCTRL_COMBO_SELECTION, &CDlgMeasureAdjust::OnDiagramCombo)
ON_REGISTERED_MESSAGE(WM_XLISTCTRL_CHECKBOX_CLICKED, &CDlgMeasureAdjust::OnDiagramCheckbox)
END_MESSAGE_MAP()

CDlgMeasureAdjust::~CDlgMeasureAdjust() {
    CancelScalingDialog();
    // The window goes while its controls' objects still exist: the diagram table's header must
    // not go before the table.
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CDlgMeasureAdjust::LoadSettings(CWinApp* app) {
    m_values.Load(app);
}

BOOL CDlgMeasureAdjust::SaveSettings(CWinApp* app) const {
    return m_values.Save(app);
}

bool CDlgMeasureAdjust::TypedChange(CMyEdit& edit) {
    const bool locked = edit.m_bChangeLock;
    edit.HasValueChanged();  // runs the typing filter, which locks its own rewrites
    return !locked && edit.m_hWnd != nullptr;
}

PageHost* CDlgMeasureAdjust::Host() const {
    return GetPageHost();
}

int* CDlgMeasureAdjust::LanguagePointer() {
    if (PageHost* frame = Host())
        return frame->LanguageOffsetVariable();
    m_iOwnLanguage = GetLanguageOffset();
    return &m_iOwnLanguage;
}

void CDlgMeasureAdjust::DoDataExchange(CDataExchange* pDX) {
    CSettingsPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ADJ_SETTING, m_editSetting);
    for (int i = 0; i < 4; ++i)
        DDX_Control(pDX, static_cast<int>(kLimitIds[i]), m_editLimits[i]);
    DDX_Control(pDX, IDC_ADJ_START_LEVEL, m_editStartLevel);
    DDX_Control(pDX, IDC_ADJ_START_HYSTERESIS, m_editStartHysteresis);
    DDX_Control(pDX, IDC_ADJ_STOP_LEVEL, m_editStopLevel);
    DDX_Control(pDX, IDC_ADJ_STOP_HYSTERESIS, m_editStopHysteresis);
    DDX_Control(pDX, IDC_ADJ_STOP_COUNT, m_editStopCount);
    for (int c = 0; c < 2; ++c)
        DDX_Control(pDX, static_cast<int>(kMeasurandIds[c]), m_comboMeasurand[c]);
    DDX_Control(pDX, IDC_ADJ_START_DATE, m_dateStart);
    DDX_Control(pDX, IDC_ADJ_START_TIME, m_timeStart);
    DDX_Control(pDX, IDC_ADJ_DIAGRAM, m_listDiagram);
}

BOOL CDlgMeasureAdjust::OnInitDialog() {
    CSettingsPage::OnInitDialog();
    LoadSettings(AfxGetApp());
    SetUpEdits();
    SetUpBrowseControls();
    SetUpDiagramTable();
    for (int c = 0; c < 2; ++c) {
        for (int m = 0; m < 6; ++m)
            m_comboMeasurand[c].AddItem(kMeasurandNames[m], static_cast<DWORD>(m));
    }
    SetLanguageTexts();
    return TRUE;
}

void CDlgMeasureAdjust::SetUpEdits() {
    int* language = LanguagePointer();
    CMyEdit* numeric[] = {&m_editLimits[0],       &m_editLimits[1],     &m_editLimits[2],
                          &m_editLimits[3],       &m_editStartLevel,    &m_editStopLevel,
                          &m_editStartHysteresis, &m_editStopHysteresis};
    for (CMyEdit* edit : numeric) {
        edit->SetInputParameters(kNumericCharacters, 0, 1000, 4000, 3000, language, true, nullptr,
                                 false);
        edit->SetMaxTextLength(MeasureConfigValues::kMaxLimitLength);
    }
    // Whole numbers: no separator, no sign.
    m_editSetting.SetInputParameters("0123456789", 0, 1000, 4000, 3000, language, true, nullptr,
                                     false);
    m_editSetting.SetMaxTextLength(4);
    m_editStopCount.SetInputParameters("0123456789", 0, 1000, 4000, 3000, language, true, nullptr,
                                       false);
    m_editStopCount.SetMaxTextLength(10);
}

void CDlgMeasureAdjust::SetUpBrowseControls() {
    // Each browse control takes the place its template reserves; its id is its notification id.
    for (int i = 0; i < 2; ++i)
        PlaceBrowseControl(m_browseProgram[i], kProgramIds[i], kProgramBrowseStyle, kProgramIds[i]);
}

BOOL CDlgMeasureAdjust::SetLanguageTexts() {
    BOOL all = SetLabelTexts(kLabels, std::size(kLabels));
    all &= FillRateAndChannelChoices();
    all &= FillTriggerChoices();
    all &= FillDiagramTexts();
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
        // A stored index outside the list selects nothing.
        m_comboMeasurand[c].SetCurSel(
            m_comboMeasurand[c].FindItemByData(static_cast<DWORD>(m_values.measurand[c])));
        SetDlgItemText(static_cast<int>(kUnitIds[c]), m_strUnitLabels[c]);
        CheckDlgButton(IDC_ADJ_LOG_A + c, m_abChannelChecked[c] ? BST_CHECKED : BST_UNCHECKED);
    }
    // The field being typed in is never rewritten (its text is the value already).
    for (int i = 0; i < 4; ++i) {
        if (m_editLimits[i].m_hWnd != nullptr && GetFocus() != &m_editLimits[i]) {
            CString shown;
            m_editLimits[i].GetWindowText(shown);
            if (shown != m_values.limits[i]) {
                m_editLimits[i].LockChangeDetection();
                m_editLimits[i].SetValueText(m_values.limits[i]);
                m_editLimits[i].UnlockChangeDetection();
            }
        }
    }
    const CString* programs[2] = {&m_values.startProgram, &m_values.stopProgram};
    BOOL* locks[2] = {&m_bStartProgramLock, &m_bStopProgramLock};
    for (int i = 0; i < 2; ++i) {
        if (m_browseProgram[i].m_hWnd != nullptr &&
            m_browseProgram[i].GetPathName() != *programs[i]) {
            *locks[i] = TRUE;
            m_browseProgram[i].SetPathName(*programs[i]);
            *locks[i] = FALSE;
        }
    }
    SetDlgItemText(IDC_ADJ_NOTICE, m_strNotice);
    if (CWnd* notice = GetDlgItem(IDC_ADJ_NOTICE))
        notice->ShowWindow(m_bNoticeVisible ? SW_SHOW : SW_HIDE);
    ShowRateAndChannels();
    ShowTrigger();
    ShowDiagramTable();
    m_bRefreshing = FALSE;
}

void CDlgMeasureAdjust::OnShowWindow(BOOL bShow, UINT nStatus) {
    CSettingsPage::OnShowWindow(bShow, nStatus);
    if (bShow)
        ReloadChannelControls();
}

void CDlgMeasureAdjust::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == TIMER_SENSOR_CHANGED) {
        KillTimer(TIMER_SENSOR_CHANGED);
        ReloadChannelControls();
        return;
    }
    CSettingsPage::OnTimer(nIDEvent);
}

void CDlgMeasureAdjust::OnDestroy() {
    CancelScalingDialog();
    CSettingsPage::OnDestroy();
}

void CDlgMeasureAdjust::OnEvaluationMode(UINT id) {
    m_values.ioNioMode = static_cast<int>(id - IDC_ADJ_EVAL_MODE0);
}

void CDlgMeasureAdjust::OnMeasurand(UINT id) {
    const int criterion = static_cast<int>(id - IDC_ADJ_MEASURAND_1);
    CKombiBox& list = m_comboMeasurand[criterion];
    const int item = list.GetCurSel();
    const auto data = item < 0 ? -1 : static_cast<int>(list.GetItemData(item));
    m_values.measurand[criterion] = data >= 0 && data < 6 ? data : -1;
}

void CDlgMeasureAdjust::OnLimitChanged(UINT id) {
    CMyEdit& edit = m_editLimits[id - IDC_ADJ_LOWER_1];
    // The text counts, not its value: "1,5 Nm" is no limit although it reads as 1.5.
    if (!TypedChange(edit) || m_bRefreshing)
        return;
    CString text;
    edit.GetWindowText(text);
    m_values.limits[id - IDC_ADJ_LOWER_1] = text.Left(MeasureConfigValues::kMaxLimitLength);
    edit.Invalidate();
}

bool CDlgMeasureAdjust::IsLimitMarked(int limit) const {
    double value = 0.0;
    return limit >= 0 && limit < 4 &&
           !CValidation_IO_NIO::ParseLimit(m_values.limits[limit], 0.0, value);
}

HBRUSH CDlgMeasureAdjust::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    HBRUSH brush = CSettingsPage::OnCtlColor(pDC, pWnd, nCtlColor);
    const int id = pWnd != nullptr ? pWnd->GetDlgCtrlID() : 0;
    if (id >= IDC_ADJ_LOWER_1 && id <= IDC_ADJ_UPPER_2 && IsLimitMarked(id - IDC_ADJ_LOWER_1))
        pDC->SetTextColor(RGB(200, 0, 0));
    return brush;
}

void CDlgMeasureAdjust::OnLogBox(UINT id) {
    const int channel = static_cast<int>(id - IDC_ADJ_LOG_A);
    m_abChannelChecked[channel] = IsDlgButtonChecked(static_cast<int>(id)) ? TRUE : FALSE;
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
    const PageHost* frame = Host();
    return frame != nullptr && frame->Dialogue().m_iNumberOfSensors > 1 ? 6 : 2;
}

int CDlgMeasureAdjust::GetJudgedMeasurand(int criterion) const {
    if (criterion < 0 || criterion >= m_values.ioNioMode)
        return -1;
    return m_values.measurand[criterion];
}

double CDlgMeasureAdjust::GetJudgedMaximum(int criterion) const {
    const int channel = GetJudgedMeasurand(criterion);
    const PageHost* frame = Host();
    if (channel < 0 || frame == nullptr)
        return -1.0;
    return frame->Dialogue().m_adMaximum[channel];
}

// A program path is one program, never a shell line: its text is taken as it stands.
void CDlgMeasureAdjust::OnBrowseStartProgram(CWnd* edit) {
    if (m_bStartProgramLock || edit == nullptr)
        return;
    edit->GetWindowText(m_values.startProgram);
    m_values.startProgram = m_values.startProgram.Left(MeasureConfigValues::kMaxProgramLength);
}

void CDlgMeasureAdjust::OnBrowseStopProgram(CWnd* edit) {
    if (m_bStopProgramLock || edit == nullptr)
        return;
    edit->GetWindowText(m_values.stopProgram);
    m_values.stopProgram = m_values.stopProgram.Left(MeasureConfigValues::kMaxProgramLength);
}

void CDlgMeasureAdjust::OnScalingButton() {
    OpenScalingDialog();
}

void CDlgMeasureAdjust::OpenScalingDialog() {
    if (m_pScalingDialog != nullptr) {
        m_pScalingDialog->SetForegroundWindow();
        return;
    }
    auto* dialog = new CDlgSoftwareConfig(this, CurrentSensor());
    if (!dialog->Create(IDD_SOFTWARE_CONFIG, this)) {
        delete dialog;
        return;
    }
    m_pScalingDialog = dialog;
    dialog->ShowWindow(SW_SHOW);
}

void CDlgMeasureAdjust::CancelScalingDialog() {
    if (m_pScalingDialog != nullptr)
        m_pScalingDialog->OnBnClickedCancel();
}

void CDlgMeasureAdjust::OnScalingDialogGone(CDlgSoftwareConfig* dialog) {
    if (m_pScalingDialog == dialog)
        m_pScalingDialog = nullptr;
}

void CDlgMeasureAdjust::OnAcceptButton() {
    AcceptSettings();
}
