// The measure configuration page's sensor settings: measuring rate and the frame-wide setting,
// the channel rows (unit, decimals, averaging, sign), the low-pass filter, "Akzeptieren" and the
// reload after a sensor change. The settings live in the frame's channel records; each change
// reaches the sensor's software configuration only through the frame's delayed write.
#include <algorithm>

#include "foundation/Language.h"
#include "foundation/LanguageMessageBox.h"
#include "pages/common/ChannelViewControl.h"
#include "pages/common/PageHost.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/MeasureAdjustChoices.h"
#include "protocol/Protocol.h"
#include "res/measure_adjust.h"

namespace {

UINT RowId(UINT first, int row) {
    return first + static_cast<UINT>(row);
}

void AddItem(CWnd* page, UINT id, const CString& text) {
    page->SendDlgItemMessage(static_cast<int>(id), CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(text.GetString()));
}

int Selection(CWnd* page, UINT id) {
    return static_cast<int>(page->SendDlgItemMessage(static_cast<int>(id), CB_GETCURSEL));
}

void Select(CWnd* page, UINT id, int item) {
    page->SendDlgItemMessage(static_cast<int>(id), CB_SETCURSEL, static_cast<WPARAM>(item));
}

}  // namespace

int CDlgMeasureAdjust::CurrentSensor() const {
    const PageHost* frame = Host();
    return frame != nullptr
               ? std::clamp(frame->Dialogue().m_iCurrentSensorIndex, 0, COM_MAX_SENSORS - 1)
               : 0;
}

int CDlgMeasureAdjust::RowCount() const {
    const PageHost* frame = Host();
    if (frame != nullptr && frame->Dialogue().m_iNumberOfSensors > 1)
        return std::min(frame->Dialogue().m_iNumberOfSensors, kChannelRows);
    return 2;
}

bool CDlgMeasureAdjust::RowChannel(int row, int& record, int& sensor) const {
    const PageHost* frame = Host();
    // Before the start-up completes the records belong to the frame alone.
    if (frame == nullptr || frame->IsStartUpPending() || row < 0 || row >= RowCount())
        return false;
    record = row;
    // With several sensors each row is channel A of its own sensor.
    sensor = frame->Dialogue().m_iNumberOfSensors > 1 ? row : CurrentSensor();
    return true;
}

BOOL CDlgMeasureAdjust::FillRateAndChannelChoices() {
    CString off;
    BOOL all = FindLanguageString(IDS_ADJ_OFF, off) ? TRUE : FALSE;
    CString unused;
    for (int id : {IDS_ADJ_SENSOR, IDS_CHANNEL_A, IDS_CHANNEL_B})
        all &= FindLanguageString(id, unused) ? TRUE : FALSE;
    if (m_hWnd == nullptr)
        return all;
    SendDlgItemMessage(IDC_ADJ_RATE, CB_RESETCONTENT);
    for (int rate = 0; rate <= tarvik::kMaxRateIndex; ++rate)
        AddItem(this, IDC_ADJ_RATE, measure_adjust::RatePeriodText(rate, GetLanguageOffset()));
    SendDlgItemMessage(IDC_ADJ_LOWPASS, CB_RESETCONTENT);
    for (size_t code = 0; code < tarvik::kLowPassHz.size(); ++code)
        AddItem(this, IDC_ADJ_LOWPASS, measure_adjust::LowPassText(static_cast<int>(code), off));
    for (int row = 0; row < kChannelRows; ++row) {
        const UINT decimals = RowId(IDC_ADJ_ROW_DECIMALS, row);
        const UINT averaging = RowId(IDC_ADJ_ROW_AVERAGING, row);
        SendDlgItemMessage(static_cast<int>(decimals), CB_RESETCONTENT);
        SendDlgItemMessage(static_cast<int>(averaging), CB_RESETCONTENT);
        for (int d = 0; d <= measure_adjust::kMaxDecimals; ++d) {
            CString text;
            text.Format("%d", d);
            AddItem(this, decimals, text);
        }
        for (int code = 1; code <= measure_adjust::kMaxAveragingCode; ++code)
            AddItem(this, averaging, measure_adjust::AveragingText(code, off));
    }
    return all;
}

void CDlgMeasureAdjust::ShowRateAndChannels() {
    PageHost* frame = Host();
    if (m_hWnd == nullptr)
        return;
    if (frame != nullptr && frame->IsStartUpPending())
        frame = nullptr;
    const bool multi = frame != nullptr && frame->Dialogue().m_iNumberOfSensors > 1;
    if (frame != nullptr) {
        Select(this, IDC_ADJ_RATE, frame->Dialogue().m_iMeasureRateIndex);
        if (GetFocus() != &m_editSetting) {
            CString setting;
            setting.Format("%d", frame->GetFrameSetting());
            m_editSetting.LockChangeDetection();
            m_editSetting.SetValueText(setting);
            m_editSetting.UnlockChangeDetection();
        }
        Select(this, IDC_ADJ_LOWPASS,
               frame->Dialogue().m_aSensorRecord[CurrentSensor()].ucLowPassCode);
    }
    for (int row = 0; row < kChannelRows; ++row) {
        int record = 0;
        int sensor = 0;
        const bool present = RowChannel(row, record, sensor);
        const UINT ids[5] = {RowId(IDC_ADJ_ROW_NAME, row), RowId(IDC_ADJ_ROW_UNIT, row),
                             RowId(IDC_ADJ_ROW_DECIMALS, row), RowId(IDC_ADJ_ROW_AVERAGING, row),
                             RowId(IDC_ADJ_ROW_SIGN, row)};
        for (UINT id : ids) {
            if (CWnd* control = GetDlgItem(static_cast<int>(id))) {
                control->ShowWindow(row < RowCount() ? SW_SHOW : SW_HIDE);
                control->EnableWindow(present ? TRUE : FALSE);
            }
        }
        CString name;
        if (multi)
            name.Format(GetLanguageString(IDS_ADJ_SENSOR).GetString(), row + 1);
        else if (row < 2)
            name = GetLanguageString(row == 0 ? IDS_CHANNEL_A : IDS_CHANNEL_B);
        SetDlgItemText(static_cast<int>(ids[0]), name);
        SendDlgItemMessage(static_cast<int>(ids[1]), CB_RESETCONTENT);
        if (!present)
            continue;
        const ChannelRecord& r = frame->ChannelRecordAt(record);
        // The record's units, then its scaling when the sensor has one.
        const int units = r.iUnitCount + (r.HasScaling() ? 1 : 0);
        for (int slot = 0; slot < units && slot < ChannelRecord::kSlots; ++slot)
            AddItem(this, ids[1], r.astrUnit[slot]);
        Select(this, ids[1], r.iUnitIndex < units ? r.iUnitIndex : -1);
        Select(this, ids[2], r.iDecimals);
        Select(this, ids[3], measure_adjust::AveragingEntryOfCode(r.iAveraging));
        CheckDlgButton(static_cast<int>(ids[4]),
                       r.iSignInversion == 1 ? BST_CHECKED : BST_UNCHECKED);
        m_aiAveragingCode[record] = r.iAveraging;
    }
}

void CDlgMeasureAdjust::ReloadChannelControls() {
    m_bSensorChanged = FALSE;
    if (m_hWnd == nullptr)
        return;
    const BOOL refreshing = m_bRefreshing;
    m_bRefreshing = TRUE;
    ShowRateAndChannels();
    m_bRefreshing = refreshing;
}

void CDlgMeasureAdjust::RequestWriteForOpenSensors() {
    PageHost* frame = Host();
    if (frame == nullptr || frame->Dialogue().m_iNumberOfSensors < 1)
        return;
    if (frame->Dialogue().m_iNumberOfSensors == 1) {
        frame->RequestSoftwareConfigWrite(CurrentSensor());
        return;
    }
    for (int sensor = 0; sensor < std::min(frame->Dialogue().m_iNumberOfSensors, COM_MAX_SENSORS);
         ++sensor)
        frame->RequestSoftwareConfigWrite(sensor);
}

void CDlgMeasureAdjust::OnRateChanged() {
    PageHost* frame = Host();
    const int rate = Selection(this, IDC_ADJ_RATE);
    if (m_bRefreshing || frame == nullptr || rate < 0 || rate > tarvik::kMaxRateIndex)
        return;
    // Both the rate and the setting are frame-wide: every open sensor keeps them.
    frame->Commands().COM_SetMeasureRate(rate);
    RequestWriteForOpenSensors();
}

void CDlgMeasureAdjust::OnSettingChanged() {
    PageHost* frame = Host();
    if (!TypedChange(m_editSetting) || m_bRefreshing || frame == nullptr)
        return;
    CString text;
    m_editSetting.GetWindowText(text);
    if (text.IsEmpty())
        return;  // on the way to a new number
    long long value = 0;
    if (!measure_adjust::ParseWholeNumber(text, measure_adjust::kMinSetting,
                                          measure_adjust::kMaxSetting, value)) {
        CString stored;
        stored.Format("%d", frame->GetFrameSetting());
        RefuseTyped(m_editSetting, IDS_ADJ_BAD_SETTING, stored);
        return;
    }
    if (static_cast<int>(value) == frame->GetFrameSetting())
        return;
    frame->SetFrameSetting(static_cast<int>(value));
    RequestWriteForOpenSensors();
}

void CDlgMeasureAdjust::RefuseTyped(CMyEdit& edit, int messageId, const CString& stored) {
    ShowLanguageMessageBox(messageId, MB_ICONEXCLAMATION);
    edit.LockChangeDetection();
    edit.SetValueText(stored);
    edit.UnlockChangeDetection();
}

void CDlgMeasureAdjust::ApplyChannelChange(int row, bool invalidatesTare) {
    int record = 0;
    int sensor = 0;
    PageHost* frame = Host();
    if (!RowChannel(row, record, sensor))
        return;
    frame->RecomputeUnitFactors(sensor);
    if (invalidatesTare) {
        if (IChannelViewControl* view = frame->ChannelViewControl(row))
            view->SwitchTaraOn();
    }
    frame->Commands().COM_ShowLastValuesAgain();
    frame->RequestSoftwareConfigWrite(sensor);
}

ChannelRecord* CDlgMeasureAdjust::EditedRecord(UINT id, UINT first, int& row) {
    row = static_cast<int>(id - first);
    int record = 0;
    int sensor = 0;
    if (m_bRefreshing || !RowChannel(row, record, sensor))
        return nullptr;
    return &Host()->ChannelRecordAt(record);
}

void CDlgMeasureAdjust::OnChannelUnit(UINT id) {
    int row = 0;
    ChannelRecord* record = EditedRecord(id, IDC_ADJ_ROW_UNIT, row);
    const int unit = Selection(this, id);
    if (record == nullptr || unit < 0 || unit == record->iUnitIndex)
        return;
    record->iUnitIndex = unit;
    ApplyChannelChange(row, true);
}

void CDlgMeasureAdjust::OnChannelDecimals(UINT id) {
    int row = 0;
    ChannelRecord* record = EditedRecord(id, IDC_ADJ_ROW_DECIMALS, row);
    const int decimals = Selection(this, id);
    if (record == nullptr || decimals < 0)
        return;
    record->iDecimals = decimals;
    ApplyChannelChange(row, false);
}

void CDlgMeasureAdjust::OnChannelAveraging(UINT id) {
    int row = 0;
    ChannelRecord* record = EditedRecord(id, IDC_ADJ_ROW_AVERAGING, row);
    const int entry = Selection(this, id);
    if (record == nullptr || entry < 0)
        return;
    // A stored code that averages the same (0 and 1 both average nothing) stays as it is.
    const int code = measure_adjust::AveragingCodeOfEntry(entry);
    if (AveragingLengthFromCode(code) == AveragingLengthFromCode(record->iAveraging))
        return;
    record->iAveraging = code;
    m_aiAveragingCode[row] = code;
    ApplyChannelChange(row, false);
}

void CDlgMeasureAdjust::OnChannelSign(UINT id) {
    int row = 0;
    ChannelRecord* record = EditedRecord(id, IDC_ADJ_ROW_SIGN, row);
    if (record == nullptr)
        return;
    record->iSignInversion = IsDlgButtonChecked(static_cast<int>(id)) ? 1 : 0;
    ApplyChannelChange(row, true);
}

void CDlgMeasureAdjust::OnLowPassChanged() {
    PageHost* frame = Host();
    const int code = Selection(this, IDC_ADJ_LOWPASS);
    if (m_bRefreshing || frame == nullptr || code < 0 || frame->Dialogue().m_iNumberOfSensors < 1)
        return;
    const int sensor = CurrentSensor();
    // At rest the filter is written (and the sensor restarted) now; otherwise the record keeps
    // it and the close sequence writes it.
    if (frame->IsEngineAtRest() &&
        frame->Commands().COM_ZMCOMConfgSetNewLowPassFilter(sensor, code))
        return;
    frame->Commands().COM_KeepLowPassCode(sensor, code);
}

void CDlgMeasureAdjust::AcceptSettings() {
    m_bNeedsConfirmation = FALSE;
    ShowNotice(FALSE);
    PageHost* frame = Host();
    if (frame == nullptr || frame->Dialogue().m_iNumberOfSensors < 1)
        return;
    const int first = frame->Dialogue().m_iNumberOfSensors == 1 ? CurrentSensor() : 0;
    const int count = frame->Dialogue().m_iNumberOfSensors == 1
                          ? 1
                          : std::min(frame->Dialogue().m_iNumberOfSensors, 4);
    for (int i = 0; i < count; ++i) {
        const int sensor = first + i;
        frame->Commands().COM_AcceptSensorConfig(sensor);
        // The first block is written now; the others follow through the frame's delayed
        // write, one sensor after the other.
        if (i == 0)
            frame->Commands().COM_WriteSoftwareConfigNow(sensor, PageHost::TIMER_SW_CONFIG_WRITE);
        else
            frame->RequestSoftwareConfigWrite(sensor);
    }
}

void CDlgMeasureAdjust::GetDiagramRows(DiagramRow (&rows)[IDiagramSource::kRows]) const {
    for (int r = 0; r < IDiagramSource::kRows; ++r)
        rows[r] = {m_values.diagramSource[r], static_cast<BYTE>(m_values.diagramOn[r] ? 1 : 0)};
}

double CDlgMeasureAdjust::GetMeasuringInterval() const {
    const PageHost* frame = Host();
    const double seconds = measure_adjust::RateIntervalSeconds(
        frame != nullptr ? frame->Dialogue().m_iMeasureRateIndex : -1);
    return seconds > 0.0 ? seconds : 1.0;
}

int CDlgMeasureAdjust::GetAveragingCount() const {
    const PageHost* frame = Host();
    return frame != nullptr ? std::max(frame->GetDefaultDiagramLength(), 1) : 1;
}

int CDlgMeasureAdjust::GetChannelDecimals(int channel) const {
    PageHost* frame = Host();
    if (frame == nullptr || channel < 0 || channel >= COM_CHANNELS)
        return 2;
    return frame->RecordOfChannel(channel).iDecimals;
}
