// The recording: while a measured-value file is set up and no trigger is awaited, every value set
// goes to the diagram's curve store. It stops a measurement at its maximum duration, or once when
// the store refuses a point, and on its first call captures what the CSV conversion needs.
#include "app/MainFrame.h"
#include "app/ThreadedConvertFile.h"
#include "app/flow/CsvBody.h"
#include "foundation/Language.h"
#include "res/TextIds.h"
#include "sensor/ZMStates.h"

void CMainFrame::RecordValueSet(const double values[COM_CHANNELS]) {
    IFlowMeasurePanel* panel = FlowPanel();
    const bool triggerOn = panel != nullptr && panel->IsTriggerOn();
    if (triggerOn && !m_measurement.Triggers().m_bMeasurementStarted)
        return;
    double copy[COM_CHANNELS];
    BOOL active[COM_CHANNELS];
    CopyForStore(values, copy, active);
    double time = -1.0;
    IFlowDiagram* diagram = FlowDiagram();
    const DiagramAddResult added =
        diagram != nullptr ? diagram->AddMeasuredValues(copy, m_iNumberOfSensors > 1, active,
                                                        m_measurement.Flow().m_iSelectionAB, time)
                           : DiagramAddResult::NotReady;
    // A value set that comes before the store is ready for the run (its storage is prepared
    // as the measurement starts) is not one of its points: the run goes on. Only a full store
    // or one out of memory ends it.
    if (added == DiagramAddResult::NotReady && diagram != nullptr)
        return;
    if (added == DiagramAddResult::Stored) {
        m_measurement.ValueSetRecorded();
    }
    if (added != DiagramAddResult::Stored) {
        if (!m_measurement.Recording().m_bStoreRefused && !m_measurement.Flow().m_bStopReached) {
            m_measurement.EditRecording().m_bStoreRefused = TRUE;
            StopByRecording(!triggerOn);
            PostFlowMessage(GetLanguageString(IDS_STORE_REFUSED));
        }
    } else if (!m_measurement.Flow().m_bStopReached && IsDurationLimitReached(time)) {
        StopByRecording(!triggerOn);
    } else if (!m_measurement.Flow().m_bStopReached && !triggerOn && IsStopCountReached()) {
        // A run begun with Start ends at its count too, as soon as the store holds it; a
        // triggered run's trigger check stops it before the next value set is recorded.
        RunStopEvent();
    }
    if (!m_measurement.Recording().m_bRecordBufferPresent)
        PrepareRecordingFirstCall(values);
}

void CMainFrame::CopyForStore(const double values[COM_CHANNELS], double copy[COM_CHANNELS],
                              BOOL active[COM_CHANNELS]) const {
    // The store rounds its argument: the live values stay as they are.
    for (int channel = 0; channel < COM_CHANNELS; ++channel) {
        copy[channel] = values[channel];
        active[channel] = m_measurement.Flow().m_bChannelActive[channel] &&
                          !m_measurement.Flow().m_abUnavailable[channel];
    }
}

void CMainFrame::StopByRecording(BOOL disableStop) {
    m_measurement.EditFlow().m_bStopReached = TRUE;
    COM_SetZMCOMConfgFlow(ZM_STOP_MEASURE_MAX_DURATION);
    IFlowMeasurePanel* panel = FlowPanel();
    if (panel == nullptr)
        return;
    panel->ArmDurationStopTimer();
    if (disableStop)
        panel->EnableStopButton(FALSE);
    panel->OnBnClickedStop();
}

BOOL CMainFrame::IsDurationLimitReached(double time) {
    IFlowMeasurePanel* panel = FlowPanel();
    const double limit = panel != nullptr ? panel->GetMaxDuration() : 0.0;
    // A limit of 0 or less means none.
    if (!(limit > 0.0) || time < limit)
        return FALSE;
    COM_SetZMCOMConfgFlow(ZM_STOP_MEASURE_MAX_DURATION);
    return TRUE;
}

void CMainFrame::PrepareRecordingFirstCall(const double values[COM_CHANNELS]) {
    if (IFlowDocumentation* documentation = FlowDocumentation()) {
        m_measurement.EditRecording().m_iDecimalLanguage =
            documentation->GetDecimalSeparatorLanguage();
        m_measurement.EditRecording().m_strLineEnd = documentation->GetLineEndText();
        m_measurement.EditRecording().m_strColumnSeparator =
            documentation->GetColumnSeparatorText();
    }
    for (int channel = 0; channel < COM_CHANNELS; ++channel) {
        m_measurement.EditRecording().m_astrColumnUnit[channel].Empty();
        if (m_measurement.Flow().m_bChannelActive[channel]) {
            const CString unit = " " + RecordOfChannel(channel).CurrentUnitText();
            m_measurement.EditRecording().m_astrColumnUnit[channel] =
                CsvUnitText(unit.GetString()).c_str();
        }
    }
    m_measurement.EditRecording().m_ucConversionPending = 1;
    if (m_measurement.Files().m_pConvertThread != nullptr)
        m_measurement.EditFiles().m_pConvertThread->m_bStartedByRecording = true;
    IFlowMeasureConfig* config = FlowMeasureConfig();
    for (int channel = 0; channel < COM_CHANNELS; ++channel)
        m_measurement.EditRecording().m_aiAxisAssignment[channel] =
            config != nullptr ? config->GetAxisAssignment(channel) : 0;
    m_measurement.EditRecording().m_bRecordBufferPresent = TRUE;
    for (int slot = 0; slot < 4; ++slot)
        m_measurement.EditRecording().m_adRecordHead[slot] = values[slot];
}
