// The commands the pages give the dialogue: each changes the fields that belong together, so that
// the pages never write the dialogue's state themselves.
#include <algorithm>
#include <cstring>

#include "sensor/CComPort.h"
#include "sensor/ComPortRanges.h"

using comport::IsRow;
using comport::IsSensor;
using comport::IsSide;

namespace {

// Copies text into a fixed field, cut to what fits and filled with terminators.
template <size_t N>
void CopyText(char (&field)[N], const CString& text, size_t longest = N - 1) {
    const size_t length = std::min({static_cast<size_t>(text.GetLength()), longest, N - 1});
    std::memset(field, 0, N);
    std::memcpy(field, text.GetString(), length);
}

}  // namespace

void CComPort::COM_BeginPortRefresh() {
    m_bPortRefreshRunning = TRUE;
}

void CComPort::COM_SetWithoutMultiportDetection(BOOL without) {
    m_bWithoutMultiportDetection = without ? TRUE : FALSE;
}

void CComPort::COM_KeepDevicePortsApart(BOOL apart) {
    if (apart)
        m_iMultiportMode = 2;
    else if (m_iMultiportMode == 2)
        m_iMultiportMode = 0;
}

void CComPort::COM_SetEntryEnabling(int row, WORD enabling) {
    if (!IsRow(row))
        return;
    m_aEntries[row].wEnabling = enabling;
    m_aPrevEntries[row].wEnabling = enabling;
}

void CComPort::COM_MarkEntryRateUnknown(int row) {
    if (IsRow(row))
        m_aEntries[row].iBaudrate = -1;
}

void CComPort::COM_SetSelectedPortIsNetwork(BOOL network) {
    m_bSelectedPortIsLantronixCpr = network ? TRUE : FALSE;
}

void CComPort::COM_CloseMainPort() {
    if (m_pPortMan)
        m_pPortMan->ClosePort(false);
}

void CComPort::COM_CloseDevice() {
    COM_CloseSensorPorts();
    m_iNumberOfSensors = 0;
    std::fill(std::begin(m_abGroupActivation), std::end(m_abGroupActivation), FALSE);
}

void CComPort::COM_CloseActiveRow(BOOL device) {
    m_strPortToOpen = m_strSensorPortName;
    m_iCurrentRow = -1;
    if (device)
        COM_CloseDevice();
    else
        COM_CloseSensorPorts();
}

BOOL CComPort::COM_OpenRowPort(int row, const CString& portName) {
    m_bSensorAnswered = FALSE;
    m_strPortToOpen = portName;
    m_iCurrentRow = row;
    // One sensor from now on, whatever device was active before.
    m_iActivatedCount = 1;
    m_iActivatedCountCopy = 1;
    COM_UpdatePortRowStateAndSerial(row);
    return COM_OpenTableEntryPort(row);
}

void CComPort::COM_SelectEntry(int entry) {
    m_iSelectedEntry = entry;
}

void CComPort::COM_SetCurrentRow(int row) {
    m_iCurrentRow = row;
}

void CComPort::COM_TakeMainPortTextAsCurrent() {
    if (m_pPortMan)
        m_strCurrentPortText = m_pPortMan->GetStateText();
}

void CComPort::COM_ActivateGroup(int group) {
    if (group >= 0 && group < static_cast<int>(std::size(m_abGroupActivation)))
        m_abGroupActivation[group] = TRUE;
}

void CComPort::COM_SelectSensor(int sensor) {
    if (IsSensor(sensor))
        m_iCurrentSensorIndex = sensor;
}

void CComPort::COM_SetPendingBaudrate(int rate) {
    m_iPendingBaudrate = rate;
}

void CComPort::COM_KeepLowPassCode(int sensor, int lowPassCode) {
    if (IsSensor(sensor))
        m_aSensorRecord[sensor].ucLowPassCode = static_cast<BYTE>(lowPassCode);
}

void CComPort::COM_AcceptSensorConfig(int sensor) {
    if (IsSensor(sensor))
        m_aSensorRecord[sensor].ucConfigVersion = 4;
}

void CComPort::COM_TakeSoftwareScaling(int sensor, int channel, BOOL present, const CString& name,
                                       double factor) {
    if (!IsSensor(sensor) || !IsSide(channel))
        return;
    SensorRecord& record = m_aSensorRecord[sensor];
    record.ucScalingPresent[channel] = present ? 1 : 0;
    if (!present)
        return;
    CopyText(record.szScalingName[channel], name);
    record.dScalingFactor[channel] = factor;
}

BOOL CComPort::COM_WriteSoftwareConfigNow(int sensor, int timerId) {
    StoreChannelSettingsInSoftwareConfig(sensor);
    return COM_ZMCOMConfgSetSoftwareConfigBlock(sensor, timerId);
}

void CComPort::COM_WriteSerialText(int sensor, int side, const CString& text, UINT ms) {
    if (!IsSensor(sensor) || !IsSide(side))
        return;
    constexpr size_t kSerialTextLength = 6;
    CopyText(m_aSensorRecord[sensor].szSerialText[side], text, kSerialTextLength);
    m_iCurrentSensorIndex = sensor;
    COM_RequestSerialNumberWrite(sensor, ms);
}

void CComPort::COM_BeginCalibReading(BOOL noControlA, BOOL noControlB) {
    COM_ResetCalibValues();
    COM_ClearCalibPendingFlags();
    m_aCalib[0].ucNoBuiltInControl = noControlA ? 1 : 0;
    m_aCalib[1].ucNoBuiltInControl = noControlB ? 1 : 0;
}

void CComPort::COM_UseScaleReadingAsControl(int channel) {
    if (!IsSide(channel))
        return;
    CCalibrationValues& v = m_aCalib[channel];
    v.slControlReading = v.slScaleReading;
    v.dControlValue = v.dScaleValue;
    v.slSignedControlReading = v.slSignedScaleReading;
    v.dSignedControlValue = v.dSignedScaleValue;
}

void CComPort::COM_TakeCalibResult(int channel, int32_t offset, int32_t gain, int32_t control,
                                   DWORD digits) {
    if (!IsSide(channel))
        return;
    CCalibrationValues& v = m_aCalib[channel];
    v.slOffset = offset;
    v.slGain = gain;
    v.slControl = control;
    v.dwDigits = digits;
}

void CComPort::COM_SetMeasureRate(int rateIndex) {
    m_iMeasureRateIndex = rateIndex;
    COM_SetMeasureRateParameters();
}

void CComPort::COM_ShowLastValuesAgain() {
    UpdateMeasuredValues(MeasuredValueReason::SettingsChanged, COM_GetLastValueSet());
}
