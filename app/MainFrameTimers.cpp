// The one-shot timer dispatcher: every timer of the frame is killed before it acts, offered to the
// sensor dialogue, and otherwise run here; the default handling follows except after the close
// request of TIMER_CLOSE_AGAIN. Here too: the evaluation of a multi-port detection
// (TIMER_MULTIPORT_EVALUATION), the end of a multi-port activation, the delayed baud-rate write
// (TIMER_BAUD_WRITE) and the debounced software configuration writes (TIMER_SW_CONFIG_WRITE).
#include "app/MainFrame.h"
#include "foundation/DiagnosticTrace.h"
#include "foundation/Language.h"
#include "pages/common/PageTable.h"
#include "pages/measurement/CDlgDiagnostic.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "pages/sensor/CDlgSensorInformationPkr.h"
#include "ports/DeviceChange.h"
#include "res/TextIds.h"
#include "sensor/ComPortTimerIds.h"

// The engine arms its own timers on the frame's window.
static_assert(CMainFrame::TIMER_PAGE_WHEN_ANSWERED != COM_TIMER_LOST_SENSOR_TRY &&
              CMainFrame::TIMER_PAGE_WHEN_ANSWERED != COM_TIMER_LOST_SENSOR_ANSWER);

namespace {

constexpr UINT kBaudWriteLookMs = 100;
constexpr int kBaudWriteGiveUpMs = 3000;
constexpr UINT kSoftwareConfigDelayMs = 1000;
constexpr UINT kSoftwareConfigRetryMs = 500;

const char* const kStreamingSensorText =
    "Es ist ein Fehler aufgetreten, der deutet an, dass ein der mit der KQ7 kompatiblen Sensoren "
    "sich sehr wahrscheinlich in dem kontinuierlichen Messmodus befinden. Anwendung wird "
    "beendet.";

CString OneSensorOfDeviceText(int languageOffset) {
    if (languageOffset == LANGUAGE_GERMAN)
        return "KQ7 hat ein NX-ZID3 erkannt. Die Aktivierung war aber dabei nur mit einem Sensor "
               "erfolgreich.\n\nAbhilfe:\n- 'Aktualisierung' im Dialog der Sensorverbindung\n"
               "- Neustart der Anwendung\n- Gerät ab- und wieder anstecken\n"
               "- Gerät aus- und wieder einschalten";
    if (languageOffset == LANGUAGE_FRENCH || languageOffset == LANGUAGE_FRENCH_OLD)
        return "KQ7 a reconnu un NX-ZID3. L'activation n'a réussi qu'avec un seul capteur.";
    return "KQ7 has detected a device NX-ZID3. Activation was only successful with one sensor.";
}

}  // namespace

void CMainFrame::OnTimer(UINT_PTR nIDEvent) {
    const auto id = static_cast<UINT>(nIDEvent);
    CWnd::KillTimer(id);
    if (!COM_RunTimerStep(id))
        RunFrameTimerStep(id);
    // The close request may have destroyed the window.
    if (id != TIMER_CLOSE_AGAIN)
        Default();
}

void CMainFrame::RunFrameTimerStep(UINT id) {
    switch (id) {
        case TIMER_MULTIPORT_DETECTION:
            WaitCursorOn();
            COM_CloseCurrentPort();
            if (CDlgDiagnostic* diagnostic = GetDiagnosticPage())
                diagnostic->StartMultiportDetection();
            break;
        case TIMER_MULTIPORT_EVALUATION:
            EvaluateMultiportDetection();
            break;
        case TIMER_SENSOR_READY:
            UpdateViewBarCaptions();
            if (CDlgMeasureAdjust* adjust = GetMeasureAdjustPage(); adjust && adjust->m_hWnd)
                adjust->SetTimer(CDlgMeasureAdjust::TIMER_SENSOR_CHANGED, 20, nullptr);
            RestIfNoRequestOutstanding();
            // The sensor's opening has ended once nothing waits for its answer: so does the wait
            // cursor it showed (the sensor used last, opened again at the search's end), which
            // would refuse every page change. The measure page shown since the start takes its
            // first values now, as it does when shown with the sensor ready.
            if (!m_bRequestOutstanding) {
                WaitCursorOff();
                if (m_nActivePage == PAGE_MEASURE_DIAGRAM)
                    SetTimer(TIMER_SINGLE_SHOT, CDlgMeasureDiagram::kSingleShotDelayMs, nullptr);
            }
            break;
        case TIMER_NODES_CHANGED:
            OnDeviceChange(DBT_DEVNODES_CHANGED, kNoDeviceData);
            break;
        case TIMER_PAGE_WHEN_ANSWERED:
            ShowPageWhenAnswered();
            break;
        case TIMER_REMOVAL:
            OnDeviceChange(DBT_DEVICEREMOVECOMPLETE, kNoDeviceData);
            break;
        case TIMER_STATUS_RESTORE:
            m_bStatusRestoreOnMouseMove = TRUE;
            break;
        case TIMER_MEASURE_ADJUST_NOTICE:
            AfxMessageBox(GetLanguageString(IDS_CONFIRM_MEASURE_SETTINGS), MB_ICONINFORMATION);
            break;
        case TIMER_ACTIVATE_ROW:
            COM_ClearReceivedText();
            if (CDlgSensorConnection* connection = GetConnectionPage())
                connection->ActivatePortRow(0, 2);
            break;
        case TIMER_BAUD_WRITE:
            RunBaudWriteStep();
            break;
        case TIMER_SW_CONFIG_WRITE:
            RunSoftwareConfigWriteStep();
            break;
        case TIMER_SINGLE_SHOT:
            if (CDlgMeasureDiagram* measure = GetMeasureDiagramPage())
                measure->OnBnClickedSingleShot();
            break;
        case TIMER_REENABLE_CONNECTION:
            WaitCursorOff();
            if (CDlgSensorConnection* connection = GetConnectionPage())
                connection->EnableUpdateButton(TRUE);
            // An activation that completed meanwhile keeps its count.
            if (m_iActivationGeneration == m_iActivationGenerationAtReenable)
                COM_ResetActivatedCount();
            break;
        case TIMER_STREAMING_SENSOR:
            AfxMessageBox(kStreamingSensorText, MB_OK);
            PostMessage(WM_COMMAND, ID_APP_EXIT);
            break;
        case TIMER_CLOSE_AGAIN:
            SendMessage(WM_CLOSE);
            break;
        default:
            break;  // the clock panes and ids without a step: the idle update does the rest
    }
}

void CMainFrame::RestIfNoRequestOutstanding() {
    if (!m_bRequestOutstanding)
        COM_SetZMCOMConfgFlow(ZM_STOP_MEASURE);
}

void CMainFrame::EvaluateMultiportDetection() {
    COM_BeginMultiportEvaluation();
    CDlgDiagnostic* diagnostic = GetDiagnosticPage();
    if (diagnostic != nullptr && diagnostic->HasMultiportResult() && m_iMultiportMode != 2) {
        COM_MarkMultiportGroups(diagnostic->GetMultiportResultCount());
        if (CDlgSensorConnection* connection = GetConnectionPage())
            connection->UpdatePortStates(-1, FALSE);
        if (COM_IsCurrentPortNotInTable()) {
            RestIfNoRequestOutstanding();
            WaitCursorOff();
            return;
        }
        // The search found the port used last: its sensor is opened again, as chosen then.
        if (m_iSelectedEntry < 0 && m_iSensorsFound > 4)
            COM_SelectLastUsedEntry();
        if (m_iSelectedEntry > -1 && m_iSelectedEntry < COM_MAX_PORTS) {
            if (diagnostic->IsPortInMultiportGroup(m_aEntries[m_iSelectedEntry].strPortName)) {
                COM_StartMultiChannelActivation(m_iSelectedEntry, 250);
            } else {
                COM_ActivateOneSensor();
                COM_OpenFirstSensorPort();
                SetTimer(TIMER_SENSOR_READY, 20, nullptr);
            }
            WaitCursorOn();
            return;
        }
        // No entry selected: take the last sensor the search found, once. With more sensors
        // than one device holds, none is chosen: the status line says how to open one.
        if (m_iSensorsFound > 4 || m_iLastFoundEntry < 0) {
            // Kept as the status to come back to, until a sensor's own status replaces it.
            m_nLastStatusId = IDS_OPEN_SENSOR_HINT;
            SetStatusTextString(GetLanguageString(static_cast<int>(IDS_OPEN_SENSOR_HINT)));
            return;
        }
        COM_StartMultiChannelActivation(m_iLastFoundEntry, 50);
        return;
    }
    if (!COM_IsCurrentPortNotInTable()) {
        COM_ActivateOneSensor();
        COM_OpenFirstSensorPort();
        SetTimer(TIMER_SENSOR_READY, 20, nullptr);
        WaitCursorOn();
    } else {
        RestIfNoRequestOutstanding();
        WaitCursorOff();
    }
}

void CMainFrame::OnMultiChannelActivationDone(int activated) {
    ++m_iActivationGeneration;
    ShowMeasureAdjustNotice();
    if (activated > 1) {
        UpdateViewBarCaptions();
        if (CDlgMeasureAdjust* adjust = GetMeasureAdjustPage(); adjust && adjust->m_hWnd)
            adjust->SetTimer(CDlgMeasureAdjust::TIMER_SENSOR_CHANGED, 20, nullptr);
        if (CDlgMeasureDiagram* measure = GetMeasureDiagramPage(); measure && measure->m_hWnd)
            measure->SetTimer(CDlgMeasureDiagram::TIMER_SENSOR_CHANGED, 120, nullptr);
        CDlgSensorInformationPkr* information = GetInformationPage();
        if (m_nActivePage == PAGE_INFORMATION && information != nullptr &&
            information->m_hWnd != nullptr)
            information->SetTimer(CDlgSensorInformationPkr::TIMER_REFRESH, 220, nullptr);
    } else if (activated == 1) {
        AfxMessageBox(OneSensorOfDeviceText(m_iLanguageOffset), MB_OK);
    }
    // Whatever came of it, the activation is over: page switching is free again.
    WaitCursorOff();
}

void CMainFrame::RunBaudWriteStep() {
    COM_ClearReceivedText();
    CDlgSensorConnection* connection = GetConnectionPage();
    if (connection == nullptr)
        return;
    if (!m_bSensorAnswered) {
        // The sensor may not have answered yet after its port was opened: look again.
        m_iBaudWriteWaitMs += static_cast<int>(kBaudWriteLookMs);
        if (m_iBaudWriteWaitMs < kBaudWriteGiveUpMs) {
            SetTimer(TIMER_BAUD_WRITE, kBaudWriteLookMs, nullptr);
            return;
        }
        m_iBaudWriteWaitMs = 0;
        connection->m_bActivationBusy = FALSE;
        connection->SetBaudrateCellText(connection->GetSelectedRow(),
                                        m_iStoredBaudCode == 16 ? "230,4k" : "115,2k");
        AfxMessageBox(GetLanguageString(IDS_BAUD_NO_ANSWER), MB_ICONWARNING);
        return;
    }
    m_iBaudWriteWaitMs = 0;
    SetProgressActive(TRUE);
    const int row = connection->GetSelectedRow();
    const int code = connection->BaudrateCodeFromCellText(connection->GetBaudrateCellText(row));
    if (code < 0) {
        connection->m_bActivationBusy = FALSE;
        return;  // the page has said what is wrong with the text
    }
    COM_ZMCOMConfgSetNewBaudrate(row, code);
    COM_SetPendingBaudrate(CDlgSensorConnection::BaudrateFromCode(code));
}

void CMainFrame::RequestSoftwareConfigWrite(int sensor) {
    if (sensor < 0 || sensor >= COM_MAX_SENSORS)
        return;
    m_abSoftwareConfigPending[sensor] = TRUE;
    SetTimer(TIMER_SW_CONFIG_WRITE, kSoftwareConfigDelayMs, nullptr);
}

void CMainFrame::RunSoftwareConfigWriteStep() {
    int sensor = -1;
    for (int i = 0; i < COM_MAX_SENSORS && sensor < 0; ++i) {
        if (m_abSoftwareConfigPending[i])
            sensor = i;
    }
    if (sensor < 0)
        return;
    CDlgMeasureDiagram* measure = GetMeasureDiagramPage();
    if (m_bRequestOutstanding || m_bMeasuring || (measure != nullptr && measure->IsMeasuring())) {
        SetTimer(TIMER_SW_CONFIG_WRITE, kSoftwareConfigRetryMs, nullptr);
        return;
    }
    m_abSoftwareConfigPending[sensor] = FALSE;
    ++m_iSoftwareConfigWriteCalls;
    CString trace;
    trace.Format("Software configuration of sensor %d written after its last change (%4d)", sensor,
                 m_iSoftwareConfigWriteCalls);
    WriteDiagnosticTrace(trace);
    StoreChannelSettingsInSoftwareConfig(sensor);
    COM_ZMCOMConfgSetSoftwareConfigBlock(sensor, TIMER_SW_CONFIG_WRITE);
    for (BOOL pending : m_abSoftwareConfigPending) {
        if (pending) {
            SetTimer(TIMER_SW_CONFIG_WRITE, kSoftwareConfigRetryMs, nullptr);
            break;
        }
    }
}
