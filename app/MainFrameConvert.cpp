// The conversion of the recorded curves into the CSV rows of the measured-value file, the end of
// a measurement, and the handler of the pacing worker's ticks. The end of a measurement writes
// its files once, directly; the manual save waits for a tick. Every end closes the file phase in
// exactly one EndOfConversion.
#include <algorithm>
#include <memory>

#include "app/MainFrame.h"
#include "app/ThreadedConvertFile.h"
#include "app/flow/CsvBody.h"
#include "foundation/NumberText.h"
#include "pages/measurement/CDlgSaveMwMessage.h"
#include "platform/base/CodePage1252.h"
#include "res/TextIds.h"

namespace {

constexpr char kNoValues[] = "No values registered, sorry!\n";
// From this many values on, the write keeps the program busy long enough for a notice.
constexpr int64_t kLargeFileValues = 200000;

bool IsXAssignment(int assignment) {
    return assignment >= 2 && assignment <= 7;
}

}  // namespace

LRESULT CMainFrame::OnConversionNotify(WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    // A notification that arrives after the worker went with the close is ignored.
    if (m_measurement.Files().m_pConvertThread == nullptr)
        return 1;
    IFlowDocumentation* documentation = FlowDocumentation();
    switch (static_cast<int>(wParam)) {
        case CThreadedConvertFile::EV_Count:
            if (m_measurement.Files().m_ucManualSavePending != 0 ||
                (documentation != nullptr && documentation->GetStorageSelection() != 0))
                ConvertStepDriver();
            break;
        case CThreadedConvertFile::EV_ConvertFileFinished: {
            const int mode = documentation != nullptr ? documentation->GetDiagramStorageMode() : 0;
            IFlowMeasurePanel* panel = FlowPanel();
            if (mode != 1 && mode != 2 && panel != nullptr)
                panel->TriggerEvent(0);
            break;
        }
        default:
            break;
    }
    return 1;
}

void CMainFrame::ConvertStepDriver() {
    if (m_measurement.Files().m_pConvertThread != nullptr)
        m_measurement.EditFiles().m_pConvertThread->m_bBusy = true;
    if (m_measurement.Files().m_ucManualSavePending != 0 ||
        m_measurement.Recording().m_ucConversionPending == 0)
        ConvertRecordToCsv();
    if (m_measurement.Files().m_pConvertThread != nullptr)
        m_measurement.EditFiles().m_pConvertThread->m_bBusy = false;
}

CsvLayout CMainFrame::BuildCsvLayout(const IRecordedCurves& curves) {
    CsvLayout layout;
    layout.separator = m_measurement.Recording().m_strColumnSeparator.GetString();
    layout.lineEnd = m_measurement.Recording().m_strLineEnd.GetString();
    layout.decimalComma = m_measurement.Recording().m_iDecimalLanguage != 1000;
    IFlowDocumentation* documentation = FlowDocumentation();
    const bool units = documentation == nullptr || documentation->ShowsUnits();
    for (int channel = 0; channel < COM_CHANNELS; ++channel) {
        layout.decimals[channel] = RecordOfChannel(channel).iDecimals;
        if (units)
            layout.unitText[channel] =
                kq::Utf8ToCp1252(m_measurement.Recording().m_astrColumnUnit[channel].GetString());
    }
    const bool xColumn = IsXAssignment(m_measurement.Recording().m_aiAxisAssignment[0]);
    if (xColumn)
        layout.xChannel = m_measurement.Recording().m_aiAxisAssignment[0] - 2;
    if (m_iNumberOfSensors >= 2) {
        for (int channel = 0; channel < COM_CHANNELS; ++channel)
            layout.columns.push_back(m_measurement.Flow().m_bChannelActive[channel] ? channel : -1);
        return layout;
    }
    IFlowMeasureConfig* config = FlowMeasureConfig();
    const int count = std::clamp(config != nullptr ? config->GetChannelCount() : 2, 1, 6);
    if (xColumn) {
        // The diagram's order: the channel of each curve, the x channel itself left out.
        for (int curve = 0; curve < COM_CHANNELS; ++curve) {
            for (int channel = 0; channel < count; ++channel) {
                if (channel != layout.xChannel && curves.GetCurveOfChannel(channel) == curve)
                    layout.columns.push_back(channel);
            }
        }
    } else if (m_measurement.Flow().m_iSelectionAB == 2) {
        layout.columns = {-1, 1};
    } else if (m_measurement.Flow().m_iSelectionAB == 4) {
        layout.columns = {1, 0};
    } else {
        for (int channel = 0; channel < count; ++channel)
            layout.columns.push_back(channel);
    }
    return layout;
}

BOOL CMainFrame::ConvertRecordToCsv() {
    if (!m_measurement.Files().m_fileMeasuredValues.IsOpen() &&
        !m_measurement.Files().m_fileResults.IsOpen())
        return FALSE;
    IFlowDiagram* diagram = FlowDiagram();
    std::unique_ptr<CDlgSaveMwMessage> notice;
    if (m_measurement.Files().m_fileMeasuredValues.IsOpen()) {
        if (!m_measurement.Flow().m_bValueRecorded || diagram == nullptr) {
            m_measurement.EditFiles().m_fileMeasuredValues.Append(kNoValues);
        } else {
            CsvLayout layout = BuildCsvLayout(*diagram);
            IFlowMeasureConfig* config = FlowMeasureConfig();
            IFlowMeasurePanel* panel = FlowPanel();
            const bool dropLast = m_measurement.Files().m_ucDropLastRow == 1 ||
                                  (panel != nullptr && panel->IsDropLastRow());
            layout.rowCount =
                CsvRowCount(layout, *diagram, m_measurement.Triggers().m_iStopCondition == 8,
                            config != nullptr ? config->GetStopCount() : 0.0, dropLast);
            layout.firstRowNumber = m_measurement.Files().m_iRowNumber;
            const int64_t values =
                layout.rowCount * static_cast<int64_t>(layout.columns.size() + 1);
            if (values >= kLargeFileValues && m_hWnd != nullptr) {
                notice = std::make_unique<CDlgSaveMwMessage>();
                if (!notice->ShowOver(this))
                    notice.reset();
            }
            m_conversionStopWatch.Reset();
            m_conversionStopWatch.GetElapsedSeconds();
            m_measurement.EditFiles().m_iRowNumber = static_cast<int>(WriteCsvRows(
                layout, *diagram, m_measurement.EditFiles().m_fileMeasuredValues.Text(),
                [this](int percent, uint64_t bytes) {
                    const double seconds = m_conversionStopWatch.GetElapsedSeconds();
                    m_dConversionProgress = percent;
                    m_dConversionSpeed = seconds > 0.0 ? bytes / 1024.0 / seconds : 0.0;
                    ShowStatusMessage(IDS_STATUS_STORAGE_PROGRESS);
                    // The disk writes while the rest of the rows are formatted.
                    m_measurement.EditFiles().m_fileMeasuredValues.WriteAhead();
                }));
        }
    }
    EndOfConversion();
    if (notice != nullptr)
        notice->DestroyWindow();
    ShowStatusMessage(0);
    return TRUE;
}

void CMainFrame::EndOfConversion() {
    IFlowDocumentation* documentation = FlowDocumentation();
    IFlowMeasurePanel* panel = FlowPanel();
    if (m_measurement.Files().m_fileMeasuredValues.IsOpen()) {
        const bool manual = m_measurement.Files().m_ucManualSavePending != 0;
        CloseExportFile(m_measurement.EditFiles().m_fileMeasuredValues, FALSE);
        if (m_measurement.Files().m_pConvertThread != nullptr)
            m_measurement.EditFiles().m_pConvertThread->Stop();
        m_measurement.EditFlow().m_bRecordingClosed = TRUE;
        if (manual) {
            WaitCursorOff();
            return;
        }
    }
    if (m_measurement.Files().m_fileResults.IsOpen()) {
        m_measurement.EditFiles().m_fileResults.Append(BuildResultRow().GetString());
        const bool bare = documentation != nullptr && documentation->GetResultStorageMode() == 1;
        CloseExportFile(m_measurement.EditFiles().m_fileResults, bare);
    }
    if (m_measurement.Files().m_pConvertThread != nullptr)
        m_measurement.EditFiles().m_pConvertThread->Stop();
    m_measurement.EditFlow().m_bRecordingClosed = TRUE;
    if (panel != nullptr) {
        panel->OnMeasurementEnded();
        // A removed device is reported once, here, and then forgotten.
        if (m_bSensorLostDuringMeasurement) {
            m_bSensorLostDuringMeasurement = FALSE;
            panel->OnSensorDisconnected();
            COM_RefreshPortTable(0, 0);
        }
    }
    // In the diagram storage modes 1 and 2 the diagram view's save posts the close itself.
    const int mode = documentation != nullptr ? documentation->GetDiagramStorageMode() : 0;
    if ((m_bCloseAfterStop || m_bCloseAfterFastStop) && mode != 1 && mode != 2)
        PostMessage(WM_CLOSE);
}

void CMainFrame::FinishMeasurement() {
    // Once per measurement: a lost sensor and the panel's stop may both end it.
    if (!m_measurement.FinishOnce())
        return;
    IFlowDiagram* diagram = FlowDiagram();
    IFlowMeasurePanel* panel = FlowPanel();
    IFlowDocumentation* documentation = FlowDocumentation();
    if (documentation != nullptr)
        documentation->NoteMeasurementStop();
    // The final row takes the run's latest value set only when the store does not hold it
    // already: at a slow rate a repeat would stand for a value nobody measured.
    if (diagram != nullptr && !m_measurement.Flow().m_bStopReached &&
        m_measurement.Triggers().m_iStopCondition != 7 &&
        m_measurement.Triggers().m_iStopCondition != 0 &&
        m_measurement.Flow().m_bLastSetUnrecorded) {
        double copy[COM_CHANNELS];
        BOOL active[COM_CHANNELS];
        CopyForStore(m_adValue, copy, active);
        double time = -1.0;
        diagram->AddMeasuredValues(copy, m_iNumberOfSensors > 1, active,
                                   m_measurement.Flow().m_iSelectionAB, time);
    }
    for (int channel = 0; channel < COM_CHANNELS; ++channel) {
        if (!m_measurement.Flow().m_bChannelActive[channel])
            continue;
        ShowChannelTexts(channel);
        IFlowChannelView* view = FlowChannelView(channel);
        if (channel < 4 && diagram != nullptr && view != nullptr &&
            !m_measurement.Flow().m_abUnavailable[channel])
            view->ShowActualValue(FormatDecimal(diagram->GetLastValue(channel),
                                                RecordOfChannel(channel).iDecimals, -1));
    }
    if (diagram != nullptr) {
        diagram->StopLiveTimer();
        diagram->UpdateDiagram(1);
    }
    if (panel != nullptr) {
        panel->RunAfterStopActions();
        panel->OnMeasurementEnded();
    }
    m_measurement.EditRecording().m_ucConversionPending = 0;
    if (m_measurement.Files().m_pConvertThread != nullptr)
        m_measurement.EditFiles().m_pConvertThread->m_bStartedByRecording = false;
    if (!ConvertRecordToCsv())
        EndOfConversion();
    m_measurement.EditFlow().m_bStopReached = FALSE;
    COM_ForgetMultiportAligned();
    if (m_measurement.Files().m_bExportFailed)
        m_measurement.EditFiles().m_ucDataAvailable = 1;  // the values stay for a manual save
    else if (m_measurement.Files().m_ucDataAvailable == 0 &&
             !m_measurement.Flow().m_bWaitingForTrigger)
        m_measurement.EditFiles().m_ucDataAvailable = 1;
    else
        FreeRecordBuffer(m_measurement.EditFiles().m_ucDataAvailable);
    RefreshChannelItems();
    RefreshTreeStates();
    if (m_wndTree.m_hWnd != nullptr)
        m_wndTree.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    COM_ForgetValueReceived();
    // Without an automatic diagram save (whose end re-arms) the repeat box re-arms the trigger
    // here; the panel re-arms only a run its trigger started.
    const int mode = documentation != nullptr ? documentation->GetDiagramStorageMode() : 0;
    if (panel != nullptr && mode != 1 && mode != 2 && panel->IsAutoTriggerRepeat() &&
        documentation != nullptr && documentation->GetStorageSelection() >= 0 &&
        !m_measurement.Files().m_bExportFailed)
        panel->TriggerEvent(0);
}

void CMainFrame::FreeRecordBuffer(BYTE& flag) {
    flag = 0;
    m_measurement.ForgetRecordBuffer();
    RefreshSaveItems();
}

void CMainFrame::FreeRecordBuffer() {
    FreeRecordBuffer(m_measurement.EditFiles().m_ucDataAvailable);
}

void CMainFrame::CompletePendingManualSave() {
    if (m_measurement.Files().m_ucManualSavePending != 0 &&
        m_measurement.Files().m_fileMeasuredValues.IsOpen())
        ConvertRecordToCsv();
}
