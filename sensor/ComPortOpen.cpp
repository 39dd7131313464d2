// Opening a sensor: its port is opened at the entry's rate, the sensor is identified ('@'), its
// long status read ('B') and its eight blocks ('D') decoded into the sensor's record; then the
// frame sets up the channels and the dialogue rests.
#include "sensor/CComPort.h"
#include "sensor/ChannelUnitFactor.h"
#include "sensor/ComPortTimerIds.h"

using namespace tarvik;

BOOL CComPort::COM_OpenFirstSensorPort() {
    int entry = -1;
    auto usable = [this](int i) {
        return i >= 0 && i < m_iEntryCount &&
               (m_aEntries[i].iState == PORT_STATE_FOUND ||
                m_aEntries[i].iState == PORT_STATE_OPEN);
    };
    for (int i = 0; i < m_iEntryCount && entry < 0 && !m_strOpenBeforeSearch.IsEmpty(); ++i) {
        if (usable(i) && m_aEntries[i].strPortName == m_strOpenBeforeSearch) {
            entry = i;
        }
    }
    if (entry < 0 && usable(m_iSelectedEntry)) {
        entry = m_iSelectedEntry;
    }
    for (int i = 0; i < m_iEntryCount && entry < 0; ++i) {
        if (usable(i) && !m_strLastUsedComPort.IsEmpty() &&
            m_aEntries[i].strPortName == m_strLastUsedComPort) {
            entry = i;
        }
    }
    for (int i = 0; i < m_iEntryCount && entry < 0; ++i) {
        if (usable(i)) {
            entry = i;
        }
    }
    if (entry < 0) {
        return FALSE;
    }
    m_iActivatedCount = 1;
    m_iActivatedCountCopy = 1;
    return COM_OpenTableEntryPort(entry);
}

BOOL CComPort::COM_SelectLastUsedEntry() {
    if (m_strLastUsedComPort.IsEmpty())
        return FALSE;
    for (int i = 0; i < m_iEntryCount; ++i) {
        if (m_aEntries[i].strPortName == m_strLastUsedComPort &&
            m_aEntries[i].iState == PORT_STATE_FOUND) {
            m_iSelectedEntry = i;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CComPort::COM_OpenTableEntryPort(int index) {
    if (index < 0 || index >= m_iEntryCount) {
        return FALSE;
    }
    if (!m_pPortMan && m_pPortProvider) {
        COM_CreateMainPortManager(m_hOwnerWnd);
    }
    if (!m_pPortMan) {
        return FALSE;
    }
    COM_CloseSensorPorts();
    SensorEntry& entry = m_aEntries[index];
    const int rate = entry.iBaudrate == kBaud230400 ? kBaud230400 : kBaud115200;
    if (SensorEntry_IsNetworkPort(entry) && m_pPages) {
        // The device server may have been set back since the search (a restart, its defaults):
        // its line takes the sensor's rate again before the port opens, as for every probe.
        m_pPages->SetXPicoBaudrateForPort(index, rate, FALSE);
    }
    if (!m_pPortMan->OpenPort(entry.strPortName, rate)) {
        entry.iState = PORT_STATE_NO_ANSWER;
        entry.iStateTextId = IDS_PORT_NOT_AVAILABLE;
        if (m_pPages) {
            m_pPages->FillPortRow(entry.strDisplayText, index, entry.iState,
                                  entry.record.dwSerialNumber, RGB(255, 255, 255));
            m_pPages->ClearActivationBusy();
        }
        return FALSE;
    }
    m_pCurrentPortMan = m_pPortMan.get();
    m_iOpenEntry = index;
    m_iPortInUse = index;
    m_iCurrentRow = index;
    m_strCurrentPortName = entry.strPortName;
    m_strSensorPortName = entry.strPortName;
    m_strCurrentPortText = entry.strPortText;
    m_strPortToOpen = entry.strPortName;
    m_bPortClosed = FALSE;
    m_bSelectedPortIsLantronixCpr = SensorEntry_IsNetworkPort(entry);
    m_aSensorRecord[0] = entry.record;
    m_iNumberOfSensors = 1;
    for (int ch = 0; ch < COM_CHANNELS; ++ch) {
        m_aiChannelRecord[ch] = ch;
    }
    m_strReceiveCOM.Empty();
    if (!StartOpenDialogue(0, kCurrentPort)) {
        EnterLostState();
        return FALSE;
    }
    return TRUE;
}

bool CComPort::StartOpenDialogue(int sensor, int port) {
    m_bOpenDialogue = true;
    m_iOpenSensor = sensor;
    m_iOpenPort = port;
    if (m_iZMCOMConfgFlow != ZM_OPEN_FURTHER_SENSORS) {
        COM_SetZMCOMConfgFlow(ZM_START_INIT);
    }
    return SendRequest(TarSend_RequestIdentification(), kReplyIdentification, port);
}

void CComPort::OpenNextBlock() {
    if (m_iOpenBlock >= kBlockCount) {
        OpenFinished();
        return;
    }
    if (!SendRequest(TarSend_RequestReadBlock(m_iOpenBlock), kReplyBlockContent, m_iOpenPort)) {
        FailStep(ComFailure::PortGone);
    }
}

void CComPort::OpenFinished() {
    m_bOpenDialogue = false;
    const int sensor = m_iOpenSensor;
    SensorRecord& record = m_aSensorRecord[sensor];
    const int entryIndex = m_iOpenPort == kCurrentPort ? m_iOpenEntry : m_aiSlotEntry[m_iOpenPort];
    if (entryIndex >= 0 && entryIndex < m_iEntryCount) {
        SensorEntry& entry = m_aEntries[entryIndex];
        entry.record = record;
        entry.iState = PORT_STATE_OPEN;
        entry.iStateTextId = 0;
        entry.bSensorLost = false;
    }
    if (sensor == 0) {
        m_dwFirstSerialNumber = record.dwSerialNumber;
        m_dwLastUsedSerialNo = record.dwSerialNumber;
        m_bFirstSensorIsPkrWithoutDigitalInput = COM_IsPkrUsbWithoutDigitalInput(record);
        m_iMeasureRateIndex = record.ucConfigPresent && record.ucRateIndex <= kMaxRateIndex
                                  ? record.ucRateIndex
                                  : kRateIndexWithoutConfig;
        COM_SetMeasureRateParameters();
    }
    m_bSensorAnswered = TRUE;
    SetupChannelsOfSensor(sensor, 1);
    TakeOverSoftwareScaling(sensor);

    if (m_iOpenPort != kCurrentPort) {
        // One sensor of a multi-port device: the activation step goes on with the next slot.
        m_abSlotReady[m_iOpenPort] = true;
        ++m_iActivatedCount;
        return;
    }
    ComputeUnitFactors();
    COM_UpdatePortRowStateAndSerial(m_iOpenEntry);
    ShowMeasureAdjustNotice();
    if (m_pPages) {
        m_pPages->OnSensorConnected();
    }
    ReturnToRest();
    ArmTimer(COM_TIMER_SENSOR_READY, COM_MS_SENSOR_READY);
}

// After a restart the sensor comes back with the settings of its blocks (and may have changed
// its calibration state): it is identified and read again on the port that stayed open.
void CComPort::ReopenAfterRestart() {
    if (m_iOpenEntry < 0 || !m_pPortMan || !m_pPortMan->IsPortOpen()) {
        EnterLostState();
        return;
    }
    m_strReceiveCOM.Empty();
    if (!StartOpenDialogue(0, kCurrentPort)) {
        EnterLostState();
    }
}

void CComPort::COM_SetMeasureRateParameters() {
    if (m_iMeasureRateIndex < 0 || m_iMeasureRateIndex > kMaxRateIndex) {
        m_iMeasureRateIndex = kDefaultRateIndex;
    }
    m_iMeasurePeriodMs = RatePeriodMs(m_iMeasureRateIndex);
    m_bFastRate = IsFastRate(m_iMeasureRateIndex);
    m_iDisplayReload = DisplayReloadCount(m_iMeasureRateIndex);
}

void CComPort::COM_SetPowerUnit(int derived, int unitIndex) {
    if (derived == 0 || derived == 1) {
        m_aiPowerUnit[derived] = unitIndex;
        m_adUnitFactor[4 + derived] = PowerUnitFactor(unitIndex);
    }
}

void CComPort::ComputeUnitFactors() {
    if (m_iNumberOfSensors < 2) {
        m_adUnitFactor[0] = SensorChannelUnitFactor(0, m_aSensorRecord[0], 0);
        m_adUnitFactor[1] = SensorChannelUnitFactor(1, m_aSensorRecord[0], 1);
    } else {
        // One channel per sensor: channel A of the sensor that the channel's record names.
        for (int ch = 0; ch < COM_MAX_SENSORS; ++ch) {
            const int record = m_aiChannelRecord[ch];
            m_adUnitFactor[ch] = record >= 0 && record < COM_MAX_SENSORS
                                     ? SensorChannelUnitFactor(ch, m_aSensorRecord[record], 0)
                                     : 0.0;
        }
    }
    m_adUnitFactor[4] = PowerUnitFactor(m_aiPowerUnit[0]);
    m_adUnitFactor[5] = PowerUnitFactor(m_aiPowerUnit[1]);
}
