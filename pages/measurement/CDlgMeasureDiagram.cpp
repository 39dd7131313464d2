// The measurement panel as the user sees it: Start, Trigger, Stop and the single shot, the
// automatic repeat, the P1/P2 boxes, the elapsed time and the trigger monitor. A stop asks the
// engine to stop and timer 64 finishes the measurement once the engine is at rest (or after
// 10 s); the end runs once per measurement.
#include "pages/measurement/CDlgMeasureDiagram.h"

#include <iterator>

#include "app/MainFrame.h"
#include "foundation/Language.h"
#include "pages/measurement/CDlgDocumentation.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/SettingsPage.h"
#include "platform/base/ShellExecute.h"
#include "platform/base/Ticks.h"
#include "platform/base/Time.h"
#include "platform/framework/MessageBox.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CDlgMeasureDiagram, CPageDialog)

namespace {

constexpr UINT kStatusReady = 5270;
constexpr UINT kStatusDisconnected = 5271;
constexpr UINT kStatusMeasuring = 5272;
constexpr UINT kStatusWaitingForTrigger = 5273;
constexpr UINT kStatusTriggered = 5274;
constexpr int kRepeatText = 5370;

const PageLabel kLabels[] = {{IDC_MD_START, IDS_MD_START},
                             {IDC_MD_TRIGGER, IDS_MD_TRIGGER},
                             {IDC_MD_STOP, IDS_MD_STOP},
                             {IDC_MD_SINGLE_SHOT, IDS_MD_SINGLE_SHOT},
                             {IDC_MD_REPEAT, kRepeatText}};

}  // namespace

BEGIN_MESSAGE_MAP(CDlgMeasureDiagram, CPageDialog)
ON_WM_TIMER()
ON_BN_CLICKED(IDC_MD_START, &CDlgMeasureDiagram::OnBnClickedStart)
ON_BN_CLICKED(IDC_MD_TRIGGER, &CDlgMeasureDiagram::OnBnClickedTrigger)
ON_BN_CLICKED(IDC_MD_STOP, &CDlgMeasureDiagram::OnBnClickedStop)
ON_BN_CLICKED(IDC_MD_SINGLE_SHOT, &CDlgMeasureDiagram::OnBnClickedSingleShot)
ON_CONTROL_RANGE(BN_CLICKED, IDC_MD_P1, IDC_MD_P2, &CDlgMeasureDiagram::OnPowerBox)
ON_MESSAGE(CDlgMeasureDiagram::WM_PROGRAM_FAILED, &CDlgMeasureDiagram::OnProgramFailed)
END_MESSAGE_MAP()

BOOL CDlgMeasureDiagram::OnInitDialog() {
    CPageDialog::OnInitDialog();
    SetLanguageTexts();
    return TRUE;
}

BOOL CDlgMeasureDiagram::SetLanguageTexts() {
    BOOL all = SetPageLabelTexts(this, kLabels, std::size(kLabels));
    for (int id : {IDS_MD_ARMED, IDS_MD_NOT_ARMED}) {
        CString text;
        if (!FindLanguageString(id, text))
            all = FALSE;
    }
    ShowButtons();
    return all;
}

void CDlgMeasureDiagram::Status(UINT id) {
    if (CMainFrame* frame = GetMainFrame())
        frame->ShowStatusMessage(id);
}

void CDlgMeasureDiagram::SetRunBytes(bool underWay) {
    uint8_t* r = m_psMsureDgrm->runBytes;
    r[0] = underWay ? 1 : 0;
    r[1] = 0;
    r[2] = 0;
    r[3] = underWay ? 1 : 0;
}

void CDlgMeasureDiagram::ShowButtons() {
    if (m_hWnd == nullptr)
        return;
    const bool busy = IsMeasuring() || m_bWaitingForTrigger;
    auto enable = [this](UINT id, bool on) {
        if (CWnd* button = GetDlgItem(static_cast<int>(id)))
            button->EnableWindow(on ? TRUE : FALSE);
    };
    enable(IDC_MD_START, !busy);
    enable(IDC_MD_TRIGGER, !busy);
    enable(IDC_MD_SINGLE_SHOT, !busy);
    enable(IDC_MD_STOP, busy);
}

void CDlgMeasureDiagram::BeginRun(bool triggered) {
    m_run.Begin(triggered);
    m_bWaitingForTrigger = false;
    m_bFinishPending = false;
    m_llStartTime = CTime::GetCurrentTime().GetTime();
    m_psMsureDgrm->running = 1;
    SetRunBytes(true);
    m_ucMeasuring = 1;
    Status(triggered ? kStatusTriggered : kStatusMeasuring);
    ShowButtons();
    if (CDlgMeasureAdjust* adjust = Adjust())
        RunProgram(adjust->m_values.startProgram);
}

void CDlgMeasureDiagram::RunProgram(const CString& path) {
    if (path.IsEmpty())
        return;
    if (reinterpret_cast<INT_PTR>(
            ShellExecute(m_hWnd, "open", path, nullptr, nullptr, SW_SHOWNORMAL)) > 32)
        return;
    // Posted: a start may come from inside the value flow, where a modal box must not open.
    m_astrFailedPrograms.Add(path);
    if (m_hWnd != nullptr)
        PostMessage(WM_PROGRAM_FAILED);
}

LRESULT CDlgMeasureDiagram::OnProgramFailed(WPARAM, LPARAM) {
    while (m_astrFailedPrograms.GetSize() > 0) {
        const CString path = m_astrFailedPrograms[0];
        m_astrFailedPrograms.RemoveAt(0);
        CString text;
        text.Format(GetLanguageString(IDS_MD_PROGRAM_FAILED), path.GetString());
        AfxMessageBox(text, MB_ICONEXCLAMATION);
    }
    return 0;
}

void CDlgMeasureDiagram::OnBnClickedStart() {
    CMainFrame* frame = GetMainFrame();
    if (frame == nullptr || IsMeasuring() || m_bWaitingForTrigger ||
        frame->m_iNumberOfSensors < 1 || !frame->IsEngineAtRest())
        return;
    m_psMsureDgrm->triggerOn = 0;
    frame->TakeOverStartStopConditions();
    frame->SetupMeasureValueFile(0);
    if (!frame->StartEngineMeasuring())
        return;
    BeginRun(false);
}

void CDlgMeasureDiagram::OnBnClickedTrigger() {
    CMainFrame* frame = GetMainFrame();
    if (frame == nullptr || IsMeasuring() || m_bWaitingForTrigger ||
        frame->m_iNumberOfSensors < 1 || !frame->IsEngineAtRest())
        return;
    m_psMsureDgrm->triggerOn = 1;
    frame->TakeOverStartStopConditions();
    frame->InitTriggerArmedFlags();
    if (!frame->StartEngineMeasuring()) {
        m_psMsureDgrm->triggerOn = 0;
        return;
    }
    m_bWaitingForTrigger = true;
    Status(kStatusWaitingForTrigger);
    ShowButtons();
}

void CDlgMeasureDiagram::StartMeasurement() {
    if (IsMeasuring())
        return;
    if (CMainFrame* frame = GetMainFrame())
        frame->SetupMeasureValueFile(0);
    BeginRun(m_psMsureDgrm->triggerOn != 0);
}

void CDlgMeasureDiagram::OnBnClickedStop() {
    ++m_iStopClicks;
    const bool wasBusy = IsMeasuring() || m_bWaitingForTrigger;
    m_ucMeasuring = 0;
    m_bWaitingForTrigger = false;
    if (!wasBusy)
        return;
    if (CMainFrame* frame = GetMainFrame())
        frame->StopEngineMeasuring();
    m_llStopTime = CTime::GetCurrentTime().GetTime();
    m_ucTriggerStart = 0;
    ShowButtons();
    if (m_run.IsRunning())
        ArmDurationStopTimer();
    else
        Status(kStatusReady);
}

void CDlgMeasureDiagram::ArmDurationStopTimer() {
    if (!m_bFinishPending) {
        m_bFinishPending = true;
        m_ullStopRequestedMs = GetTickCount64();
    }
    if (m_hWnd != nullptr)
        SetTimer(TIMER_FINISH, kFinishPeriodMs, nullptr);
}

void CDlgMeasureDiagram::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != TIMER_FINISH)
        return;
    KillTimer(TIMER_FINISH);
    CMainFrame* frame = GetMainFrame();
    const bool atRest = frame == nullptr || frame->IsEngineAtRest();
    if (!measure_run::FinishNow(atRest, GetTickCount64() - m_ullStopRequestedMs)) {
        SetTimer(TIMER_FINISH, kFinishPeriodMs, nullptr);
        return;
    }
    m_bFinishPending = false;
    if (IsMeasuring() && frame != nullptr)
        frame->StopEngineMeasuring();
    m_ucMeasuring = 0;
    // The frame finishes the recording and calls the after-stop actions and the end itself;
    // the end is asked again in case the frame had nothing of this measurement to finish.
    if (frame != nullptr)
        frame->FinishMeasurement();
    else
        RunAfterStopActions();
    OnMeasurementEnded();
}

void CDlgMeasureDiagram::EnableStopButton(BOOL enable) {
    if (CWnd* stop = m_hWnd != nullptr ? GetDlgItem(IDC_MD_STOP) : nullptr)
        stop->EnableWindow(enable);
}

BOOL CDlgMeasureDiagram::IsAutoTriggerRepeat() const {
    return m_hWnd != nullptr && IsDlgButtonChecked(IDC_MD_REPEAT) == BST_CHECKED;
}

BYTE CDlgMeasureDiagram::GetResultByte(int criterion) const {
    return criterion >= 0 && criterion < CValidation_IO_NIO::kCriteria
               ? m_validation.m_aucResult[criterion]
               : 0;
}

void CDlgMeasureDiagram::RunAfterStopActions() {
    CMainFrame* frame = GetMainFrame();
    CDlgMeasureAdjust* adjust = Adjust();
    if (frame == nullptr || adjust == nullptr)
        return;
    const MeasureConfigValues& v = adjust->m_values;
    m_validation.Evaluate(v.ioNioMode, v.measurand, v.limits, frame->m_adMaximum);
    RunProgram(v.stopProgram);
}

CDlgMeasureAdjust* CDlgMeasureDiagram::Adjust() const {
    CMainFrame* frame = GetMainFrame();
    return frame != nullptr ? frame->GetMeasureAdjustPage() : nullptr;
}

void CDlgMeasureDiagram::OnMeasurementEnded() {
    if (!m_run.End())
        return;
    m_ucMeasuring = 0;
    m_psMsureDgrm->running = 0;
    SetRunBytes(false);
    m_bWaitingForTrigger = false;
    Status(kStatusReady);
    ShowButtons();
}

void CDlgMeasureDiagram::TriggerEvent(int code) {
    if (code != 0)
        return;
    CMainFrame* frame = GetMainFrame();
    CDlgDocumentation* documentation = frame != nullptr ? frame->GetDocumentationPage() : nullptr;
    const int selection = documentation != nullptr ? documentation->GetStorageSelection() : -1;
    if (m_run.TakeRearm(IsTriggerOn() != FALSE, IsAutoTriggerRepeat() != FALSE, selection,
                        m_bExportComplete))
        OnBnClickedTrigger();
}

void CDlgMeasureDiagram::SetStorageBudget(int allocatedPoints, double intervalSeconds) {
    m_dMaxDuration = measure_run::MaxDuration(allocatedPoints, intervalSeconds);
}

void CDlgMeasureDiagram::CheckTriggerThreshold(int startStop, int direction, double value,
                                               char comparison, char hysteresisSign, double level,
                                               double hysteresis, BYTE armed) {
    (void)direction;
    const CString text = measure_run::MonitorText(
        GetLanguageString(startStop == 0 ? IDS_MD_START : IDS_MD_STOP), value, comparison,
        hysteresisSign, level, hysteresis,
        GetLanguageString(armed != 0 ? IDS_MD_ARMED : IDS_MD_NOT_ARMED), GetDecimalSeparatorOf(-1));
    if (m_monitor.Offer(text, GetTickCount64()) && m_hWnd != nullptr)
        SetDlgItemText(IDC_MD_MONITOR, text);
}

void CDlgMeasureDiagram::OnMeasureTick() {
    CString waiting;
    if (m_monitor.Flush(GetTickCount64(), waiting) && m_hWnd != nullptr)
        SetDlgItemText(IDC_MD_MONITOR, waiting);
    if (!IsMeasuring() || m_hWnd == nullptr)
        return;
    CString elapsed;
    elapsed.Format("%lld s",
                   static_cast<long long>(CTime::GetCurrentTime().GetTime() - m_llStartTime));
    SetDlgItemText(IDC_MD_ELAPSED, elapsed);
}

void CDlgMeasureDiagram::OnSensorDisconnected() {
    // A measurement under way is finished first, so that its rows are written.
    if (IsMeasuring() || m_bWaitingForTrigger) {
        m_ucMeasuring = 0;
        m_bWaitingForTrigger = false;
        RunAfterStopActions();
        OnMeasurementEnded();
    }
    Status(kStatusDisconnected);
    ShowButtons();
}

void CDlgMeasureDiagram::SetPowerCheck(int derived, BOOL checked) {
    if (derived != 0 && derived != 1)
        return;
    m_abPowerChecked[derived] = checked;
    if (m_hWnd == nullptr)
        return;
    m_bSwitchingPowerView = TRUE;
    CheckDlgButton(IDC_MD_P1 + derived, checked ? BST_CHECKED : BST_UNCHECKED);
    m_bSwitchingPowerView = FALSE;
}

void CDlgMeasureDiagram::OnPowerBox(UINT id) {
    if (m_bSwitchingPowerView)
        return;
    const int derived = static_cast<int>(id - IDC_MD_P1);
    if (CMainFrame* frame = GetMainFrame())
        frame->ToggleChannelView(4 + derived);
    SetPowerCheck(derived, m_abPowerChecked[derived]);
}
