// The measure configuration page's trigger group (start and stop conditions, directions, levels,
// hystereses, the start date and time, the stop count) and its diagram table (seven rows of
// source and switch, row 0 the x axis). A typed value that is no valid number is refused with a
// message and the field shows the stored value again; the flow reads the values through the
// page's IFlowMeasureConfig.
#include <cstdio>
#include <iterator>

#include "foundation/Language.h"
#include "pages/common/PageHost.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/MeasureAdjustChoices.h"
#include "res/measure_adjust.h"

namespace {

const char* const kChannelNames[6] = {"A", "B", "C", "D", "P1", "P2"};
constexpr int kDiagramChoices = MeasureConfigValues::kMaxSource + 1;
constexpr int kColumnName = 0;
constexpr int kColumnSource = 1;
constexpr int kColumnSwitch = 2;

CString Text(int id, BOOL& all) {
    CString text;
    if (!FindLanguageString(id, text))
        all = FALSE;
    return text;
}

void FillCombo(CWnd* page, UINT id, const std::vector<CString>& items) {
    page->SendDlgItemMessage(static_cast<int>(id), CB_RESETCONTENT);
    for (const CString& item : items)
        page->SendDlgItemMessage(static_cast<int>(id), CB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(item.GetString()));
}

int Selection(CWnd* page, UINT id) {
    return static_cast<int>(page->SendDlgItemMessage(static_cast<int>(id), CB_GETCURSEL));
}

CString NumberText(double value) {
    CString text;
    text.Format("%.10g", value);
    return text;
}

// Texts on the way to a number while they are typed: not yet worth a message.
bool IsUnfinishedNumber(const CString& text) {
    return text.IsEmpty() || text == "-" || text == "." || text == "," || text == "-." ||
           text == "-,";
}

}  // namespace

BOOL CDlgMeasureAdjust::FillTriggerChoices() {
    BOOL all = TRUE;
    const CString threshold = Text(IDS_ADJ_THRESHOLD, all);
    std::vector<CString> start = {Text(IDS_ADJ_AT_ONCE, all)};
    std::vector<CString> stop = {Text(IDS_ADJ_NONE, all)};
    for (const char* name : kChannelNames) {
        CString text;
        text.Format(threshold.GetString(), name);
        start.push_back(text);
        stop.push_back(text);
    }
    start.push_back(Text(IDS_ADJ_DATE_TIME, all));
    stop.push_back(Text(IDS_ADJ_COUNT, all));
    stop.push_back(Text(IDS_ADJ_COUNT_ROWS, all));
    const std::vector<CString> directions = {Text(IDS_ADJ_RISING, all), Text(IDS_ADJ_FALLING, all)};
    if (m_hWnd == nullptr)
        return all;
    FillCombo(this, IDC_ADJ_START_CODE, start);
    FillCombo(this, IDC_ADJ_STOP_CODE, stop);
    FillCombo(this, IDC_ADJ_START_DIRECTION, directions);
    FillCombo(this, IDC_ADJ_STOP_DIRECTION, directions);
    return all;
}

void CDlgMeasureAdjust::ShowTrigger() {
    if (m_hWnd == nullptr)
        return;
    const MeasureConfigValues& v = m_values;
    SendDlgItemMessage(IDC_ADJ_START_CODE, CB_SETCURSEL, static_cast<WPARAM>(v.startCode));
    SendDlgItemMessage(IDC_ADJ_STOP_CODE, CB_SETCURSEL, static_cast<WPARAM>(v.stopCode));
    SendDlgItemMessage(IDC_ADJ_START_DIRECTION, CB_SETCURSEL,
                       static_cast<WPARAM>(v.startDirection));
    SendDlgItemMessage(IDC_ADJ_STOP_DIRECTION, CB_SETCURSEL, static_cast<WPARAM>(v.stopDirection));
    const struct {
        CMyEdit* edit;
        CString text;
    } numbers[] = {{&m_editStartLevel, NumberText(v.startLevel)},
                   {&m_editStartHysteresis, NumberText(v.startHysteresis)},
                   {&m_editStopLevel, NumberText(v.stopLevel)},
                   {&m_editStopHysteresis, NumberText(v.stopHysteresis)},
                   {&m_editStopCount, NumberText(v.stopCount)}};
    for (const auto& number : numbers) {
        // The field being typed in keeps the user's text.
        if (number.edit->m_hWnd == nullptr || GetFocus() == number.edit)
            continue;
        number.edit->LockChangeDetection();
        number.edit->SetValueText(number.text);
        number.edit->UnlockChangeDetection();
    }
    if (v.startDateTime > 0) {
        const CTime when(v.startDateTime);
        m_dateStart.SetTime(&when);
        m_timeStart.SetTime(&when);
    }
    // Only the fields of the chosen conditions take input.
    const bool startThreshold = v.startCode >= 1 && v.startCode <= 6;
    const bool stopThreshold = v.stopCode >= 1 && v.stopCode <= 6;
    const std::pair<UINT, bool> enabled[] = {
        {IDC_ADJ_START_DIRECTION, startThreshold},  {IDC_ADJ_START_LEVEL, startThreshold},
        {IDC_ADJ_START_HYSTERESIS, startThreshold}, {IDC_ADJ_START_DATE, v.startCode == 7},
        {IDC_ADJ_START_TIME, v.startCode == 7},     {IDC_ADJ_STOP_DIRECTION, stopThreshold},
        {IDC_ADJ_STOP_LEVEL, stopThreshold},        {IDC_ADJ_STOP_HYSTERESIS, stopThreshold},
        {IDC_ADJ_STOP_COUNT, v.stopCode >= 7},
    };
    for (const auto& [id, on] : enabled) {
        if (CWnd* control = GetDlgItem(static_cast<int>(id)))
            control->EnableWindow(on ? TRUE : FALSE);
    }
}

void CDlgMeasureAdjust::OnStartCode() {
    const int code = Selection(this, IDC_ADJ_START_CODE);
    if (m_bRefreshing || code < 0 || code > MeasureConfigValues::kMaxStartCode)
        return;
    m_values.startCode = code;
    if (code == 7 && m_values.startDateTime <= 0) {
        NMHDR none{};
        LRESULT result = 0;
        OnStartDateTime(&none, &result);  // the pickers' time, as shown
    }
    ShowValues();
}

void CDlgMeasureAdjust::OnStopCode() {
    const int code = Selection(this, IDC_ADJ_STOP_CODE);
    if (m_bRefreshing || code < 0 || code > MeasureConfigValues::kMaxStopCode)
        return;
    m_values.stopCode = code;
    ShowValues();
}

void CDlgMeasureAdjust::OnStartDirection() {
    const int direction = Selection(this, IDC_ADJ_START_DIRECTION);
    if (!m_bRefreshing && (direction == 0 || direction == 1))
        m_values.startDirection = direction;
}

void CDlgMeasureAdjust::OnStopDirection() {
    const int direction = Selection(this, IDC_ADJ_STOP_DIRECTION);
    if (!m_bRefreshing && (direction == 0 || direction == 1))
        m_values.stopDirection = direction;
}

CMyEdit* CDlgMeasureAdjust::TriggerEdit(UINT id) {
    switch (id) {
        case IDC_ADJ_START_LEVEL:
            return &m_editStartLevel;
        case IDC_ADJ_START_HYSTERESIS:
            return &m_editStartHysteresis;
        case IDC_ADJ_STOP_LEVEL:
            return &m_editStopLevel;
        case IDC_ADJ_STOP_HYSTERESIS:
            return &m_editStopHysteresis;
        case IDC_ADJ_STOP_COUNT:
            return &m_editStopCount;
        default:
            return nullptr;
    }
}

void CDlgMeasureAdjust::OnTriggerNumber(UINT id) {
    CMyEdit* edit = TriggerEdit(id);
    if (edit == nullptr || !TypedChange(*edit) || m_bRefreshing)
        return;
    CString text;
    edit->GetWindowText(text);
    const bool hysteresis = id == IDC_ADJ_START_HYSTERESIS || id == IDC_ADJ_STOP_HYSTERESIS;
    double* target = nullptr;
    switch (id) {
        case IDC_ADJ_START_LEVEL:
            target = &m_values.startLevel;
            break;
        case IDC_ADJ_START_HYSTERESIS:
            target = &m_values.startHysteresis;
            break;
        case IDC_ADJ_STOP_LEVEL:
            target = &m_values.stopLevel;
            break;
        case IDC_ADJ_STOP_HYSTERESIS:
            target = &m_values.stopHysteresis;
            break;
        default:
            target = &m_values.stopCount;
            break;
    }
    double value = 0.0;
    long long count = 0;
    bool valid = false;
    int message = IDS_ADJ_BAD_NUMBER;
    if (id == IDC_ADJ_STOP_COUNT) {
        message = IDS_ADJ_BAD_COUNT;
        if (text.IsEmpty())
            return;
        valid = measure_adjust::ParseWholeNumber(
            text, 0, static_cast<long long>(MeasureConfigValues::kMaxStopCount), count);
        value = static_cast<double>(count);
    } else if (hysteresis) {
        // A hysteresis with a sign would arm the threshold on the wrong side.
        message = IDS_ADJ_BAD_HYSTERESIS;
        if (text.IsEmpty())
            return;
        valid = measure_adjust::ParseHysteresis(text, value);
    } else {
        if (IsUnfinishedNumber(text))
            return;
        valid = measure_adjust::ParseNumber(text, value) && value >= -1e30 && value <= 1e30;
    }
    if (!valid) {
        RefuseTyped(*edit, message, NumberText(*target));
        return;
    }
    *target = value;
}

void CDlgMeasureAdjust::OnStartDateTime(NMHDR* /*pNMHDR*/, LRESULT* pResult) {
    *pResult = 0;
    CTime date;
    CTime time;
    if (m_dateStart.GetTime(date) != GDT_VALID || m_timeStart.GetTime(time) != GDT_VALID)
        return;
    const CTime when(date.GetYear(), date.GetMonth(), date.GetDay(), time.GetHour(),
                     time.GetMinute(), time.GetSecond());
    m_values.startDateTime = when.GetTime();
}

void CDlgMeasureAdjust::SetUpDiagramTable() {
    if (m_listDiagram.m_hWnd == nullptr)
        return;
    m_listDiagram.SetExtendedStyle(m_listDiagram.GetExtendedStyle() | LVS_EX_GRIDLINES |
                                   LVS_EX_FULLROWSELECT);
    CRect client;
    m_listDiagram.GetClientRect(&client);
    const int width = client.Width();
    m_listDiagram.InsertColumn(kColumnName, "", LVCFMT_LEFT, width * 2 / 5);
    m_listDiagram.InsertColumn(kColumnSource, "", LVCFMT_LEFT, width * 2 / 5);
    m_listDiagram.InsertColumn(kColumnSwitch, "", LVCFMT_CENTER, width - 2 * (width * 2 / 5));
    for (int row = 0; row < MeasureConfigValues::kDiagramRows; ++row)
        m_listDiagram.InsertItem(row, "");
}

BOOL CDlgMeasureAdjust::FillDiagramTexts() {
    BOOL all = TRUE;
    const CString xAxis = Text(IDS_ADJ_X_AXIS, all);
    const CString curve = Text(IDS_ADJ_CURVE, all);
    const CString off = Text(IDS_ADJ_OFF, all);
    const CString time = Text(IDS_ADJ_TIME, all);
    const CString source = Text(IDS_ADJ_SOURCE, all);
    const CString on = Text(IDS_ADJ_SWITCH, all);
    for (CStringArray& choices : m_astrDiagramChoices) {
        choices.RemoveAll();
        choices.Add(off);
        choices.Add(time);
        for (const char* name : kChannelNames)
            choices.Add(name);
    }
    if (m_listDiagram.m_hWnd == nullptr)
        return all;
    const CString titles[3] = {CString(), source, on};
    for (int column = 0; column < 3; ++column) {
        LVCOLUMN lvc{};
        lvc.mask = LVCF_TEXT;
        lvc.pszText = const_cast<char*>(titles[column].GetString());
        m_listDiagram.SetColumn(column, &lvc);
    }
    for (int row = 0; row < MeasureConfigValues::kDiagramRows; ++row) {
        CString name;
        if (row == 0)
            name = xAxis;
        else
            name.Format(curve.GetString(), row);
        m_listDiagram.SetItemText(row, kColumnName, name);
    }
    return all;
}

void CDlgMeasureAdjust::ShowDiagramTable() {
    if (m_listDiagram.m_hWnd == nullptr)
        return;
    for (int row = 0; row < MeasureConfigValues::kDiagramRows; ++row) {
        m_listDiagram.SetComboBox(row, kColumnSource, TRUE, &m_astrDiagramChoices[row],
                                  kDiagramChoices, m_values.diagramSource[row]);
        m_listDiagram.SetCheckbox(row, kColumnSwitch, m_values.diagramOn[row] ? 1 : 0);
    }
}

LRESULT CDlgMeasureAdjust::OnDiagramCombo(WPARAM wParam, LPARAM lParam) {
    const int row = static_cast<int>(wParam);
    if (static_cast<int>(lParam) != kColumnSource || row < 0 ||
        row >= MeasureConfigValues::kDiagramRows)
        return 0;
    const CString text = m_listDiagram.GetItemText(row, kColumnSource);
    const CStringArray& choices = m_astrDiagramChoices[row];
    for (int i = 0; i < static_cast<int>(choices.GetSize()); ++i) {
        if (choices.GetAt(i) == text)
            m_values.diagramSource[row] = i;
    }
    return 0;
}

LRESULT CDlgMeasureAdjust::OnDiagramCheckbox(WPARAM wParam, LPARAM lParam) {
    const int row = static_cast<int>(wParam);
    if (static_cast<int>(lParam) != kColumnSwitch || row < 0 ||
        row >= MeasureConfigValues::kDiagramRows)
        return 0;
    m_values.diagramOn[row] = m_listDiagram.GetCheckbox(row, kColumnSwitch) == 1;
    return 0;
}
