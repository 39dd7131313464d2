// The channel records: filled from a sensor's software configuration when it is identified,
// written back into it before the configuration block goes out, and the source of each sensor
// channel's unit factor (the chosen slot's factor per base unit, times the value of one count).
#include <algorithm>

#include "app/MainFrame.h"
#include "foundation/NumberText.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "sensor/ZMStates.h"

namespace {

constexpr int kDefaultAveraging = 2;
constexpr int kDefaultRateIndex = 6;
constexpr BYTE kConverterKind = 5;

bool IsAngleSensor(const SensorRecord& record) {
    return record.ucUnitLetter[0] == 'Y' && record.ucAngleFlag != 0;
}

}  // namespace

void CMainFrame::ResetChannelRecord(int channel) {
    if (channel < 0 || channel >= COM_CHANNELS)
        return;
    ::ResetChannelRecord(m_measurement.EditFlow().m_aChannelRecords[channel], channel);
    // Untared: the tare is 0.0 and the first press of Tara takes the current value.
    m_measurement.FreeTare(channel);
    m_measurement.EditFlow().m_iFrameSetting = 1;
}

void CMainFrame::ResetAllChannelRecords() {
    for (int channel = 0; channel < COM_CHANNELS; ++channel)
        ResetChannelRecord(channel);
    UpdateChannelFormButtonTexts();
}

void CMainFrame::SetupChannelsOfSensor(int sensor, int mode) {
    if (sensor < 0 || sensor >= COM_MAX_SENSORS)
        return;
    if (mode == 0) {
        ResetAllChannelRecords();
        return;
    }
    SetChannelLedState(sensor);
    SetupChannelUnits(sensor);
}

void CMainFrame::SetChannelLedState(int sensor) {
    const SensorRecord& record = m_aSensorRecord[sensor];
    const bool single = m_iZMCOMConfgFlow == ZM_OPEN_FURTHER_SENSORS;
    int target = sensor;
    if (!single) {
        for (int index = 0; index < 4; ++index)
            m_measurement.EditFlow().m_aChannelRecords[index].iLedState = 0;
        target = 0;
    }
    switch (record.ucLightMode) {
        case 1:
            m_measurement.EditFlow().m_aChannelRecords[target].iLedState = 2;
            if (!single)
                m_measurement.EditFlow().m_aChannelRecords[1].iLedState = 2;
            break;
        case 2:
            m_measurement.EditFlow().m_aChannelRecords[target].iLedState = record.ucLightValue[0];
            if (!single)
                m_measurement.EditFlow().m_aChannelRecords[1].iLedState = record.ucLightValue[1];
            break;
        case 3:
            m_measurement.EditFlow().m_aChannelRecords[target].iLedState = record.ucLightValue[2];
            if (!single)
                m_measurement.EditFlow().m_aChannelRecords[1].iLedState = record.ucLightValue[3];
            break;
        default:
            break;
    }
    if (record.ucKindByte == 9)
        m_measurement.EditFlow().m_aChannelRecords[target].iLedState = record.ucLightValue[0];
}

void CMainFrame::ClearUnsetSoftwareConfig(int sensor) {
    if (!COM_ClearUnsetSoftwareConfig(sensor))
        return;
    m_measurement.EditFlow().m_iFrameSetting = 1;
}

void CMainFrame::SetupChannelUnits(int sensor) {
    if (sensor < 0 || sensor >= COM_MAX_SENSORS)
        return;
    const bool single = m_iZMCOMConfgFlow == ZM_OPEN_FURTHER_SENSORS;
    if (m_iZMCOMConfgFlowMulti == ZM4_MEASURE && !single)
        return;
    const SensorRecord& record = m_aSensorRecord[sensor];
    ClearUnsetSoftwareConfig(sensor);
    if (single) {
        BuildChannelUnitList(sensor, sensor, IsAngleSensor(record) ? 1 : 0);
    } else {
        BuildChannelUnitList(sensor, 0, 0);
        BuildChannelUnitList(sensor, 1, 1);
        // One sensor has no channels C and D, whatever a multi-port device left in them.
        m_measurement.EditFlow().m_aChannelRecords[2].ucViewState = 3;
        m_measurement.EditFlow().m_aChannelRecords[3].ucViewState = 3;
        COM_NoteFirstSensorKind();
    }
    RecomputeUnitFactors(sensor);
    TakeChannelViewChoices();
}

void CMainFrame::TakeChannelViewChoices() {
    // Bar n shows record n: channels A and B of one sensor, or channel A of sensor n.
    for (int bar = 0; bar < 4; ++bar)
        m_viewState.checkState[bar] =
            ClampViewState(m_measurement.Flow().m_aChannelRecords[bar].ucViewState);
    if (m_iBarsForPage == 1) {
        FitDiagramToMeasurePage();
        ApplyViewStateToBars();
        DockChannelBars();
    }
    UpdateViewBarCaptions();
    RefreshChannelItems();
    RefreshTreeStates();
}

void CMainFrame::BuildChannelUnitList(int sensor, int target, int side) {
    if (target < 0 || target >= 4)
        return;
    const SensorRecord& sensorRecord = m_aSensorRecord[sensor];
    ChannelRecord& record = m_measurement.EditFlow().m_aChannelRecords[target];
    const bool single = m_iZMCOMConfgFlow == ZM_OPEN_FURTHER_SENSORS;
    const char letter = static_cast<char>(sensorRecord.ucUnitLetter[side]);
    record.dConfigValue = sensorRecord.dConfigValue[side];
    record.ucConfigByte = sensorRecord.ucConfigByte[side];
    record.ucQuantityLetter = static_cast<BYTE>(letter);
    const CString scalingName(sensorRecord.szScalingName[side],
                              static_cast<int>(strnlen(sensorRecord.szScalingName[side], 8)));
    BuildUnitList(record, letter, letter == 'Y' && sensorRecord.ucAngleFlag != 0,
                  sensorRecord.ucScalingPresent[side] == 1, scalingName,
                  sensorRecord.dScalingFactor[side]);
    const bool converterWithoutInput = !single && sensorRecord.ucKindByte == kConverterKind &&
                                       sensorRecord.ucDigitalInputByte == 1;
    record.ucCarriesValue = target == 1 && converterWithoutInput ? 0 : 1;
    const bool noDigitalInput = COM_IsPkrUsbWithoutDigitalInput(sensorRecord) != FALSE;
    if (sensorRecord.ucConfigPresent != 0) {
        TakeOverConfigBytes(record, sensorRecord.ucUnitIndex[side], sensorRecord.ucDecimals[side],
                            sensorRecord.ucAveraging[side], sensorRecord.ucSignInversion[side], 0);
        m_measurement.EditFlow().m_iFrameSetting =
            std::clamp<int>(static_cast<int>(sensorRecord.dwFrameSetting), 1, 9999);
        if (!single && noDigitalInput) {
            m_measurement.EditFlow().m_aChannelRecords[0].ucViewState = 1;
            m_measurement.EditFlow().m_aChannelRecords[1].ucViewState = 3;
        } else {
            record.ucViewState = ClampViewState(sensorRecord.ucViewState[side]);
        }
        return;
    }
    // Without a configuration the formatter chooses the unit that suits the sensor's range.
    int unit = 0;
    int decimals = 2;
    if (IFlowBestUnit* best = FlowBestUnit()) {
        const CString rangeText = FormatDecimal(sensorRecord.dRange[side], 3, 1000);
        int foundUnit = 0;
        int foundDecimals = 2;
        if (best->FindBestUnit(rangeText, letter, foundUnit, foundDecimals)) {
            unit = foundUnit;
            decimals = foundDecimals;
        }
    }
    TakeOverConfigBytes(record, unit, decimals, kDefaultAveraging, 0, 0);
    m_measurement.EditFlow().m_iFrameSetting = 1;
    (void)kDefaultRateIndex;  // the engine takes its rate index without a configuration itself
    // A sensor this program has not configured yet shows both its channels; a converter
    // without digital input shows only its first.
    if (!(noDigitalInput && target == 1))
        record.ucViewState = 1;
}

void CMainFrame::TakeOverSoftwareScaling(int sensor) {
    if (sensor < 0 || sensor >= COM_MAX_SENSORS)
        return;
    const SensorRecord& sensorRecord = m_aSensorRecord[sensor];
    auto takeOver = [&](int side, ChannelRecord& record) {
        const int slot = std::clamp(record.iUnitCount, 0, ChannelRecord::kMaxUnits);
        const bool usable =
            sensorRecord.ucScalingPresent[side] == 1 && sensorRecord.dScalingFactor[side] > 0.0;
        record.adUnitFactor[slot] = usable ? sensorRecord.dScalingFactor[side] : 0.0;
        if (usable)
            record.astrUnit[slot] =
                CString(sensorRecord.szScalingName[side],
                        static_cast<int>(strnlen(sensorRecord.szScalingName[side], 8)));
    };
    takeOver(0, m_measurement.EditFlow().m_aChannelRecords[0]);
    if (m_iNumberOfSensors < 2 && !COM_IsPkrUsbWithDigitalInput(sensorRecord))
        takeOver(1, m_measurement.EditFlow().m_aChannelRecords[1]);
    RecomputeUnitFactors(sensor);
    // The measure configuration page lists the scaling after the units.
    if (CDlgMeasureAdjust* adjust = GetMeasureAdjustPage(); adjust && adjust->m_hWnd)
        adjust->SetTimer(CDlgMeasureAdjust::TIMER_SENSOR_CHANGED, 20, nullptr);
}

void CMainFrame::StoreChannelSettingsInSoftwareConfig(int sensor) {
    if (sensor < 0 || sensor >= COM_MAX_SENSORS)
        return;
    SoftwareChannelSettings settings;
    const bool multi = m_iNumberOfSensors >= 2;
    const ChannelRecord& a = m_measurement.Flow().m_aChannelRecords[multi ? sensor : 0];
    const ChannelRecord& b = m_measurement.Flow().m_aChannelRecords[multi ? sensor : 1];
    auto byte = [](int value) { return static_cast<BYTE>(std::clamp(value, 0, 255)); };
    settings.averaging[0] = byte(a.iAveraging);
    settings.averaging[1] = byte(b.iAveraging);
    settings.unitIndex[0] = byte(a.iUnitIndex);
    settings.unitIndex[1] = byte(b.iUnitIndex);
    settings.signInversion[0] = byte(a.iSignInversion);
    settings.signInversion[1] = byte(b.iSignInversion);
    settings.decimals[0] = byte(a.iDecimals);
    settings.decimals[1] = byte(b.iDecimals);
    settings.frameSetting =
        static_cast<DWORD>(std::clamp(m_measurement.Flow().m_iFrameSetting, 1, 9999));
    settings.viewState[0] = a.ucViewState;
    settings.viewState[1] = b.ucViewState;
    // From now on the sensor holds a configuration of this program: the next start takes it
    // over instead of choosing the defaults again.
    COM_TakeChannelSettings(sensor, settings);
    RecomputeUnitFactors(sensor);
}

double CMainFrame::SensorChannelUnitFactor(int channel, const SensorRecord& record, int side) {
    const ChannelRecord& channelRecord = RecordOfChannel(channel);
    // Records not yet built from this sensor: the sensor's own configuration decides.
    if (channelRecord.iUnitCount == 0)
        return ChannelUnitFactor(record, side);
    double factor = channelRecord.CurrentUnitFactor();
    if (!(factor > 0.0))
        factor = 1.0;
    return factor * TarSend_GetValuePerCount(record, side);
}

void CMainFrame::RecoverFromSensorLoss(BOOL stop) {
    CString lostName;
    if (m_iSelectedEntry >= 0 && m_iSelectedEntry < m_iEntryCount)
        lostName = m_aEntries[m_iSelectedEntry].strPortName;
    if (IFlowPortList* list = FlowPortList()) {
        for (int row = 0; row < list->GetRowCount(); ++row) {
            const CString name = COM_ParsePortDisplayName(list->GetRowText(row));
            if (lostName.IsEmpty() || name != lostName)
                continue;
            COM_MarkPortNotAvailable(name);
            break;
        }
    }
    SetProgressActive(TRUE);
    COM_RefreshPortTable(0, 0);
    if (!stop)
        return;
    if (IFlowMeasurePanel* panel = FlowPanel())
        panel->OnBnClickedStop();
    if (IFlowDiagram* diagram = FlowDiagram())
        diagram->SaveDiagramToDocumentation();
    UpdateWindow();
}
