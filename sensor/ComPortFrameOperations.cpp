// The operations the main frame asks of the dialogue: the settings it read, the device changes
// it received, the evaluation of a multi-port detection, the channel settings of a sensor's
// software configuration, the values and extremes of its measured-value flow, and the close.
#include <algorithm>

#include "sensor/CComPort.h"
#include "sensor/CSensorConfigSequence.h"
#include "sensor/ComPortRanges.h"

using comport::IsChannel;
using comport::IsRow;
using comport::IsSensor;

namespace {

constexpr double kEmptyMinimum = 1e99;
constexpr double kEmptyMaximum = -1e99;

}  // namespace

void CComPort::COM_SetOwnerWindow(HWND owner) {
    m_hOwnerWnd = owner;
}

void CComPort::COM_TakeStoredPortEntry(int row, const CString& name, int disabled, int baudrate) {
    if (!IsRow(row))
        return;
    SensorEntry& entry = m_aEntries[row];
    entry.strStoredName = name;
    entry.iStoredDisabled = disabled;
    entry.iStoredBaudrate = baudrate;
}

void CComPort::COM_TakeLastUsedSensor(const CString& portName, DWORD serialNumber) {
    m_strLastUsedComPort = portName;
    m_dwLastUsedSerialNo = serialNumber;
}

void CComPort::COM_PassDeviceChange(UINT event, DWORD_PTR data) {
    if (m_pPortMan)
        m_pPortMan->OnDeviceChange(event, data);
}

void CComPort::COM_MarkPortClosed() {
    m_bPortClosed = TRUE;
}

void CComPort::COM_NoteDeviceChanged() {
    m_bDeviceChanged = TRUE;
}

void CComPort::COM_RequestPortTableRefresh() {
    m_bRefreshPortTableRequest = TRUE;
}

void CComPort::COM_RequestPortTableRebuild() {
    m_bRebuildPortTableRequest = TRUE;
}

void CComPort::COM_CloseFurtherPortManagers() {
    for (int slot = 1; slot < COM_MAX_SENSORS; ++slot) {
        if (m_apPortManSensor[slot]) {
            m_apPortManSensor[slot]->ClosePort(false);
            m_apPortManSensor[slot].reset();
        }
    }
    m_iPortManSensorCount = m_apPortManSensor[0] ? 1 : 0;
}

void CComPort::COM_CloseCurrentPort() {
    if (m_pCurrentPortMan)
        m_pCurrentPortMan->ClosePort(false);
}

void CComPort::COM_TakeCurrentPortName(const CString& portName) {
    m_strCurrentPortName = portName;
}

void CComPort::COM_MarkPortNotAvailable(const CString& portName) {
    for (int entry = 0; entry < m_iEntryCount && entry < COM_MAX_PORTS; ++entry) {
        if (m_aEntries[entry].strPortName == portName)
            m_aEntries[entry].iStateTextId = IDS_PORT_NOT_AVAILABLE;
    }
}

void CComPort::COM_BeginMultiportEvaluation() {
    m_iCurrentSensorIndex = 0;
    m_iDetectionValue = -1;
    std::fill(std::begin(m_aiGroupMark), std::end(m_aiGroupMark), -1);
}

void CComPort::COM_MarkMultiportGroups(int groups) {
    const int marked = std::clamp(groups, 0, static_cast<int>(std::size(m_aiGroupMark)));
    std::fill(m_aiGroupMark, m_aiGroupMark + marked, 1);
}

void CComPort::COM_ActivateOneSensor() {
    m_iActivatedCount = 1;
    m_iActivatedCountCopy = 1;
}

void CComPort::COM_ResetActivatedCount() {
    m_iActivatedCount = 0;
}

void CComPort::COM_ClearReceivedText() {
    m_strReceiveCOM.Empty();
}

BOOL CComPort::COM_ClearUnsetSoftwareConfig(int sensor) {
    if (!IsSensor(sensor) || m_aSensorRecord[sensor].ucConfigWritten != 0)
        return FALSE;
    SensorRecord& record = m_aSensorRecord[sensor];
    for (int side = 0; side < 2; ++side) {
        record.ucUnitIndex[side] = 0;
        record.ucDecimals[side] = 0;
        record.ucAveraging[side] = 0;
        record.ucSignInversion[side] = 0;
        record.ucViewState[side] = 0;
    }
    record.ucRateIndex = 0;
    return TRUE;
}

void CComPort::COM_NoteFirstSensorKind() {
    m_bFirstSensorIsPkrWithoutDigitalInput = COM_IsPkrUsbWithoutDigitalInput(m_aSensorRecord[0]);
}

void CComPort::COM_TakeChannelSettings(int sensor, const SoftwareChannelSettings& settings) {
    if (!IsSensor(sensor))
        return;
    SensorRecord& record = m_aSensorRecord[sensor];
    for (int side = 0; side < 2; ++side) {
        record.ucAveraging[side] = settings.averaging[side];
        record.ucSignInversion[side] = settings.signInversion[side];
        record.ucDecimals[side] = settings.decimals[side];
        record.ucViewState[side] = settings.viewState[side];
    }
    // A sensor of unit letter Y keeps one unit: the angle's (B) or the torque's (A).
    if (record.ucUnitLetter[0] != 'Y' || record.ucAngleFlag != 0)
        record.ucUnitIndex[1] = settings.unitIndex[1];
    if (record.ucUnitLetter[0] != 'Y' || record.ucAngleFlag == 0)
        record.ucUnitIndex[0] = settings.unitIndex[0];
    record.dwFrameSetting = settings.frameSetting;
    record.ucRateIndex = static_cast<BYTE>(std::clamp(m_iMeasureRateIndex, 0, 255));
    record.ucConfigPresent = 1;
    record.ucConfigWritten = 1;
}

void CComPort::COM_CountDroppedValueSet() {
    ++m_ullLostValueSets;
}

void CComPort::COM_ShowNextValueSet() {
    m_iDisplayDownCounter = 0;
}

void CComPort::COM_KeepPreviousRaw(int channel, int32_t raw) {
    if (IsChannel(channel))
        m_alPrevRaw[channel] = raw;
}

void CComPort::COM_SetChannelValue(int channel, double value) {
    if (IsChannel(channel))
        m_adValue[channel] = value;
}

void CComPort::COM_RestartChannelValue(int channel, double value) {
    COM_SetChannelValue(channel, value);
    COM_StartExtremes(channel, TRUE);
}

void CComPort::COM_WidenExtremes(int channel) {
    if (!IsChannel(channel))
        return;
    m_adMaximum[channel] = std::max(m_adMaximum[channel], m_adValue[channel]);
    m_adMinimum[channel] = std::min(m_adMinimum[channel], m_adValue[channel]);
}

void CComPort::COM_StartExtremes(int channel, BOOL fromValue) {
    if (!IsChannel(channel))
        return;
    m_adMinimum[channel] = fromValue ? m_adValue[channel] : kEmptyMinimum;
    m_adMaximum[channel] = fromValue ? m_adValue[channel] : kEmptyMaximum;
}

void CComPort::COM_ResetMinimum(int channel) {
    if (IsChannel(channel))
        m_adMinimum[channel] = kEmptyMinimum;
}

void CComPort::COM_ResetMaximum(int channel) {
    if (IsChannel(channel))
        m_adMaximum[channel] = kEmptyMaximum;
}

void CComPort::COM_ResetValueCounts() {
    std::fill(std::begin(m_adwValueCount), std::end(m_adwValueCount), 0);
}

void CComPort::COM_ForgetValueReceived() {
    m_ucValueReceived = 0;
}

void CComPort::COM_ForgetMultiportAligned() {
    m_ucMultiportAligned = 0;
}

void CComPort::COM_EndConfigFlowOnClose() {
    if (m_bSequenceFinished)
        m_iZMCOMConfgFlow = ZM_CLOSE_CONFIG_DONE;
}

BOOL CComPort::COM_StartCloseSequence() {
    if (m_pConfigSequence == nullptr || m_pConfigSequence->IsRunning())
        return FALSE;
    m_iZMCOMConfgFlow = ZM_CLOSE_CONFIG_SEQUENCE;
    m_pConfigSequence->Start();
    return TRUE;
}

const ISensorPort* CComPort::COM_DevicePort(int slot) const {
    return slot >= 0 && slot < COM_MAX_SENSORS ? m_apPortManSensor[slot].get() : nullptr;
}
