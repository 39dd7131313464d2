// One measurement through the panel: Start and Trigger prepare the curve store on the GUI path
// (a failed store refuses the start; a smaller one shortens the maximum duration), assign the
// curves, restart the diagram and set up the file, then start the engine; the flow's trigger
// start only begins the run. A stop asks the engine to stop and CDlgMeasureDiagram::TIMER_FINISH
// finishes the measurement once the engine is at rest (or after 10 s); the end runs once per
// measurement, judges it, lights the light view and hands the diagram to the automatic save.
#include <algorithm>

#include "foundation/Language.h"
#include "foundation/NumberText.h"
#include "pages/common/DiagramRun.h"
#include "pages/common/LightIndicator.h"
#include "pages/common/PageHost.h"
#include "pages/common/PageLinks.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/measurement/MeasureConfigValues.h"
#include "platform/base/ShellExecute.h"
#include "platform/base/Ticks.h"
#include "platform/base/Time.h"
#include "res/resource.h"

namespace {

constexpr int kCurves = 6;

}  // namespace

const IMeasureConfigLink* CDlgMeasureDiagram::Adjust() const {
    PageHost* frame = GetPageHost();
    return frame != nullptr ? frame->MeasureConfigPage() : nullptr;
}

void CDlgMeasureDiagram::SetRunBytes(bool underWay) {
    uint8_t* r = m_psMsureDgrm->runBytes;
    r[0] = underWay ? 1 : 0;
    r[1] = 0;
    r[2] = 0;
    r[3] = underWay ? 1 : 0;
}

void CDlgMeasureDiagram::SetLightState(int state) {
    PageHost* frame = GetPageHost();
    ILightIndicator* light = frame != nullptr ? frame->Light() : nullptr;
    if (light != nullptr)
        light->SetLightState(state);
}

void CDlgMeasureDiagram::SetStorageBudget(int allocatedPoints, double intervalSeconds) {
    m_iAllocatedPoints = allocatedPoints;
    m_dMaxDuration = measure_run::MaxDuration(allocatedPoints, intervalSeconds);
}

BOOL CDlgMeasureDiagram::PrepareStorage() {
    PageHost* frame = GetPageHost();
    IDiagramRun* diagram = frame != nullptr ? frame->DiagramRun() : nullptr;
    IFlowMeasureConfig* config = frame != nullptr ? frame->FlowMeasureConfig() : nullptr;
    const int stopCode = config != nullptr ? config->GetStopCondition() : 0;
    const double stopCount = config != nullptr ? config->GetStopCount() : 0.0;
    const int points = measure_run::PointsPerCurve(stopCode, stopCount);
    // The curves of the diagram table's rows 1-6 that are switched on get the full size.
    BYTE inUse[kCurves] = {1, 1, 1, 1, 1, 1};
    if (const IMeasureConfigLink* adjust = Adjust()) {
        for (int curve = 0; curve < kCurves; ++curve)
            inUse[curve] = adjust->ConfigValues().diagramOn[curve + 1] ? 1 : 0;
    }
    const size_t allocated =
        diagram != nullptr ? diagram->ReallocateCurveStorage(points, inUse) : 0;
    if (allocated == 0) {
        PostPanelMessage(GetLanguageString(IDS_MD_STORAGE_FAILED));
        Status(IDS_STATUS_READY);
        return FALSE;
    }
    const int given = static_cast<int>(std::min<size_t>(allocated, measure_run::kMaxPoints));
    // The engine takes the period from the rate index only when it starts.
    SetStorageBudget(given, tarvik::RatePeriodMs(frame->Dialogue().m_iMeasureRateIndex) / 1000.0);
    if (measure_run::CountStopBeyondStorage(stopCode, stopCount, given)) {
        CString text;
        text.Format(GetLanguageString(IDS_MD_STORAGE_REDUCED), given,
                    FormatDecimal(m_dMaxDuration, 1, -1).GetString());
        PostPanelMessage(text);
    }
    diagram->AssignCurvesToChannels();
    return TRUE;
}

void CDlgMeasureDiagram::PrepareRun(bool triggered) {
    PageHost* frame = GetPageHost();
    if (frame == nullptr)
        return;
    frame->CompletePendingManualSave();
    if (IDiagramRun* diagram = frame->DiagramRun())
        diagram->StartDiagram(TRUE);
    frame->BeginMeasurement();
    // A triggered run goes on with the averaging its Trigger press began: its first row is
    // averaged like the others.
    if (!triggered)
        frame->ResetMovingAverages(0);
    frame->RequestAngleZero();
    frame->SetWaitingForTrigger(FALSE);
    frame->SetupMeasureValueFile(0);
}

void CDlgMeasureDiagram::OnBnClickedStart() {
    PageHost* frame = GetPageHost();
    if (frame == nullptr || !TakeClick(IDC_MD_START))
        return;
    m_psMsureDgrm->triggerOn = 0;
    frame->TakeOverStartStopConditions();
    // The values of the run before that were asked to be saved are written before the store
    // is made anew.
    frame->CompletePendingManualSave();
    if (!PrepareStorage())
        return;
    PrepareRun(false);
    if (!frame->StartEngineMeasuring()) {
        Status(IDS_STATUS_READY);
        ShowButtons();
        return;
    }
    SetLightState(ILightIndicator::LIGHT_NONE);
    ClearMonitor();
    BeginRun(false);
}

void CDlgMeasureDiagram::OnBnClickedTrigger() {
    PageHost* frame = GetPageHost();
    if (frame == nullptr || !TakeClick(IDC_MD_TRIGGER))
        return;
    // The storage is made here, on the GUI path: the trigger start comes from inside the value
    // flow, where a box would re-enter the flow and a moved store would pull the curves away.
    frame->CompletePendingManualSave();
    if (!PrepareStorage())
        return;
    m_psMsureDgrm->triggerOn = 1;
    frame->TakeOverStartStopConditions();
    frame->InitTriggerArmedFlags();
    frame->ArmTriggerCycle();
    // The trigger judges values measured after its press only.
    frame->ResetMovingAverages(0);
    if (!frame->StartEngineMeasuring()) {
        m_psMsureDgrm->triggerOn = 0;
        Status(IDS_STATUS_READY);
        ShowButtons();
        return;
    }
    m_bWaitingForTrigger = true;
    frame->SetWaitingForTrigger(TRUE);
    Status(IDS_STATUS_WAITING_FOR_TRIGGER);
    ShowButtons();
}

void CDlgMeasureDiagram::StartMeasurement() {
    if (IsMeasuring())
        return;
    PrepareRun(m_psMsureDgrm->triggerOn != 0);
    PageHost* frame = GetPageHost();
    IFlowMeasureConfig* config = frame != nullptr ? frame->FlowMeasureConfig() : nullptr;
    if (config != nullptr && !config->CheckIoNioMode(0))
        SetLightState(ILightIndicator::LIGHT_NONE);
    BeginRun(m_psMsureDgrm->triggerOn != 0);
}

void CDlgMeasureDiagram::BeginRun(bool triggered) {
    m_run.Begin(triggered);
    m_bWaitingForTrigger = false;
    m_bFinishPending = false;
    m_bRecoverAfterFinish = false;
    m_bEndedWithSensorLost = false;
    m_llStartTime = CTime::GetCurrentTime().GetTime();
    if (PageHost* frame = GetPageHost())
        m_ullLostAtStart = frame->Dialogue().m_ullLostValueSets;
    m_psMsureDgrm->running = 1;
    SetRunBytes(true);
    m_ucMeasuring = 1;
    Status(triggered ? IDS_STATUS_TRIGGERED : IDS_STATUS_MEASURING);
    ShowButtons();
    if (const IMeasureConfigLink* adjust = Adjust())
        RunProgram(adjust->ConfigValues().startProgram);
}

void CDlgMeasureDiagram::RunProgram(const CString& path) {
    if (path.IsEmpty())
        return;
    if (reinterpret_cast<INT_PTR>(
            ShellExecute(m_hWnd, "open", path, nullptr, nullptr, SW_SHOWNORMAL)) > 32)
        return;
    CString text;
    text.Format(GetLanguageString(IDS_MD_PROGRAM_FAILED), path.GetString());
    PostPanelMessage(text);
}

void CDlgMeasureDiagram::OnBnClickedStop() {
    ++m_iStopClicks;
    const bool wasBusy = IsMeasuring() || m_bWaitingForTrigger;
    m_ucMeasuring = 0;
    m_bWaitingForTrigger = false;
    if (PageHost* frame = GetPageHost())
        frame->SetWaitingForTrigger(FALSE);
    if (PageHost* frame = GetPageHost())
        frame->EndTriggerCycle();
    if (!wasBusy && !m_run.IsRunning())
        return;
    if (PageHost* frame = GetPageHost()) {
        frame->StopEngineMeasuring();
        // The measurement's duration ends here, whatever the engine still delivers.
        if (IFlowDocumentation* documentation = frame->DocumentationPage();
            documentation != nullptr && m_run.IsRunning())
            documentation->NoteMeasurementStop();
    }
    m_llStopTime = CTime::GetCurrentTime().GetTime();
    m_ucTriggerStart = 0;
    ShowButtons();
    if (m_run.IsRunning())
        ArmDurationStopTimer();
    else
        Status(IDS_STATUS_READY);
}

void CDlgMeasureDiagram::ArmDurationStopTimer() {
    if (!m_bFinishPending) {
        m_bFinishPending = true;
        m_ullStopRequestedMs = GetTickCount64();
    }
    if (m_hWnd != nullptr)
        SetTimer(TIMER_FINISH, kFinishPeriodMs, nullptr);
}

void CDlgMeasureDiagram::FinishStoppedRun() {
    PageHost* frame = GetPageHost();
    m_bFinishPending = false;
    if (IsMeasuring() && frame != nullptr)
        frame->StopEngineMeasuring();
    m_ucMeasuring = 0;
    if (m_run.IsRunning()) {
        // The frame finishes the recording and calls the after-stop actions and the end itself;
        // the end is asked again in case the frame had nothing of this measurement to finish.
        if (frame != nullptr)
            frame->FinishMeasurement();
        else
            RunAfterStopActions();
        OnMeasurementEnded();
    }
    if (m_bRecoverAfterFinish) {
        // Once, after the finish: the lost port's row is marked and the table refreshed. The
        // panel has stopped and saves the diagram itself, hence FALSE.
        m_bRecoverAfterFinish = false;
        ClearSensorDisplays();  // the finish wrote the last values once more
        Status(IDS_STATUS_DISCONNECTED);
        if (frame != nullptr)
            frame->RecoverFromSensorLoss(FALSE);
    }
}

BYTE CDlgMeasureDiagram::GetResultByte(int criterion) const {
    return criterion >= 0 && criterion < CValidation_IO_NIO::kCriteria
               ? m_validation.m_aucResult[criterion]
               : 0;
}

void CDlgMeasureDiagram::RunAfterStopActions() {
    PageHost* frame = GetPageHost();
    const IMeasureConfigLink* adjust = Adjust();
    if (frame == nullptr || adjust == nullptr)
        return;
    const MeasureConfigValues& v = adjust->ConfigValues();
    m_validation.Evaluate(v.ioNioMode, v.measurand, v.limits, frame->Dialogue().m_adMaximum);
    if (v.ioNioMode != 0)
        SetLightState(m_validation.m_bPassed ? ILightIndicator::LIGHT_PASSED
                                             : ILightIndicator::LIGHT_FAILED);
    RunProgram(v.stopProgram);
}

void CDlgMeasureDiagram::OnMeasurementEnded() {
    if (!m_run.End())
        return;
    PageHost* frame = GetPageHost();
    // Ended with the sensor gone: the loss's own report follows and marks the port.
    m_bEndedWithSensorLost = frame != nullptr && frame->Dialogue().m_iOpenEntry < 0;
    m_ucMeasuring = 0;
    m_psMsureDgrm->running = 0;
    SetRunBytes(false);
    m_bWaitingForTrigger = false;
    Status(m_bEndedWithSensorLost ? IDS_STATUS_DISCONNECTED : IDS_STATUS_READY);
    // Value sets still on the way when Stop was clicked are recorded until here, while the
    // count stopped with the click: it shows at the end what the recording holds.
    if (!m_bEndedWithSensorLost)
        ShowValueCount();
    ShowButtons();
    if (IFlowDiagram* diagram = frame != nullptr ? frame->FlowDiagram() : nullptr)
        diagram->SaveDiagramToDocumentation();
}

void CDlgMeasureDiagram::TriggerEvent(int code) {
    if (code != 0)
        return;
    PageHost* frame = GetPageHost();
    IFlowDocumentation* documentation = frame != nullptr ? frame->DocumentationPage() : nullptr;
    const int selection = documentation != nullptr ? documentation->GetStorageSelection() : -1;
    m_bExportComplete = frame == nullptr || !frame->HasExportFailed();
    if (m_run.TakeRearm(IsTriggerOn() != FALSE, IsAutoTriggerRepeat() != FALSE, selection,
                        m_bExportComplete))
        OnBnClickedTrigger();
}
