// The serial-number edits of the information page: filled from the records, and a change that the
// user confirmed goes into the record and is marked for the engine's delayed write
// (COM_TIMER_SERIAL_NUMBER_DELAY), which follows 1000 ms after the last key, or at once when the
// field or the page is left.
#include "foundation/Language.h"
#include "pages/common/PageHost.h"
#include "pages/common/PageLinks.h"
#include "pages/sensor/CDlgSensorInformationPkr.h"
#include "platform/framework/MessageBox.h"
#include "protocol/BlockLayouts.h"
#include "res/TextIds.h"

namespace {

constexpr UINT kWriteDelay = 1000;
constexpr UINT kWriteSoon = 10;

}  // namespace

CMyEdit& CDlgSensorInformationPkr::EditOf(int channel, bool multi) {
    return multi ? m_edits[2 + channel] : m_edits[channel == 0 ? 0 : 1];
}

int CDlgSensorInformationPkr::ChannelOfEdit(UINT nID) const {
    if (nID >= static_cast<UINT>(IDC_SERIAL_MULTI) && nID < static_cast<UINT>(IDC_SERIAL_MULTI + 4))
        return static_cast<int>(nID) - IDC_SERIAL_MULTI;
    return nID == static_cast<UINT>(IDC_SERIAL_B) ? 1 : 0;
}

BOOL CDlgSensorInformationPkr::FillSerialEdit(int channel) {
    if (Host() == nullptr || channel < 0 || channel > 3)
        return FALSE;
    const bool multi = IsMulti();
    if (multi ? channel >= m_pHost->Dialogue().m_iNumberOfSensors : channel > 1)
        return FALSE;
    CMyEdit& edit = EditOf(channel, multi);
    if (edit.m_hWnd == nullptr)
        return FALSE;
    edit.LockChangeDetection();
    // Both channels of a single sensor belong to its one record.
    const int sensor = multi ? m_pHost->Dialogue().COM_GetRealSensorNo(channel) : 0;
    const int index = sensor >= 0 && sensor < COM_MAX_SENSORS ? sensor : 0;
    const SensorRecord& record = m_pHost->Dialogue().m_aSensorRecord[index];
    BOOL bit0 = FALSE;
    if (IMeasureConfigLink* adjust = m_pHost->MeasureConfigPage())
        bit0 = adjust->IsViewShownInWindow1();
    // Ready: the sensor's port is open and its operation block, which holds the texts, was read.
    const bool ready =
        IsCurrentPortOpen() && (record.ucBlockReadMask & (1u << tarvik::kBlockRotorOperation)) != 0;
    CString text;
    if (ready) {
        if (!bit0 && !edit.IsWindowVisible())
            edit.ShowWindow(SW_SHOW);
        if (!edit.IsWindowEnabled())
            edit.EnableWindow(TRUE);
        text = record.szSerialText[multi || channel == 0 ? 0 : 1];
    } else if (bit0) {
        edit.ShowWindow(SW_HIDE);
    } else {
        const bool shown = channel < 2 && m_pHost->Dialogue().m_aSensorRecord[0].ucDeviceKind == 0;
        edit.ShowWindow(shown ? SW_SHOWNORMAL : SW_HIDE);
    }
    edit.SetValueTextKeepSelection(text, &m_aiSelStart[channel], &m_aiSelEnd[channel]);
    edit.UnlockChangeDetection();
    return TRUE;
}

void CDlgSensorInformationPkr::OnSerialChange(UINT nID) {
    if (Host() == nullptr)
        return;
    const bool multi = IsMulti();
    const int channel = ChannelOfEdit(nID);
    if (multi != (nID >= static_cast<UINT>(IDC_SERIAL_MULTI) &&
                  nID < static_cast<UINT>(IDC_SERIAL_MULTI + 4)))
        return;
    if (multi && channel >= m_pHost->Dialogue().m_iNumberOfSensors)
        return;
    CMyEdit& edit = EditOf(channel, multi);
    edit.GetSel(m_aiSelStart[channel], m_aiSelEnd[channel]);
    if (!edit.HasValueChanged() || edit.m_bChangeLock)
        return;
    // A paste is not filtered by the edit: a text outside the alphabet never reaches the record.
    CString text;
    edit.GetWindowText(text);
    if (!tarvik::IsSerialText(std::string_view(text, static_cast<size_t>(text.GetLength())))) {
        edit.RestorePreviousText();
        return;
    }
    if (m_bAskBeforeChange[channel]) {
        CString question = GetLanguageString(IDS_SERIAL_NUMBER_QUESTION);
        if (multi) {
            CString digit;
            digit.Format(" %d", channel + 1);
            question.Replace(" A", digit);
            question.Replace(GetLanguageString(IDS_CHANNEL), GetLanguageString(IDS_SENSOR));
        } else if (channel == 1) {
            question.Replace(" A", " B");
        }
        if (AfxMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES) {
            edit.RestorePreviousText();
            return;
        }
        m_bAskBeforeChange[channel] = FALSE;
        edit.SetFocus();
        edit.SetSel(m_aiSelStart[channel], m_aiSelEnd[channel]);
    }
    HandOverSerial(channel);
}

void CDlgSensorInformationPkr::HandOverSerial(int channel) {
    const bool multi = IsMulti();
    const int sensor = multi ? m_pHost->Dialogue().COM_GetRealSensorNo(channel) : 0;
    const int index = sensor >= 0 && sensor < COM_MAX_SENSORS ? sensor : 0;
    CString text;
    EditOf(channel, multi).GetWindowText(text);
    m_iRefreshOnShow = 1;
    m_pHost->Commands().COM_WriteSerialText(index, multi || channel == 0 ? 0 : 1, text,
                                            kWriteDelay);
}

void CDlgSensorInformationPkr::WriteMarkedSerialsSoon() {
    if (Host() == nullptr)
        return;
    for (int sensor = 0; sensor < 4; ++sensor) {
        if (m_pHost->Dialogue().COM_IsSerialNumberWriteMarked(sensor)) {
            m_pHost->Commands().COM_RequestSerialNumberWrite(sensor, kWriteSoon);
            return;
        }
    }
}

void CDlgSensorInformationPkr::OnSerialKillFocus(UINT nID) {
    m_bAskBeforeChange[ChannelOfEdit(nID)] = TRUE;
    WriteMarkedSerialsSoon();
}
