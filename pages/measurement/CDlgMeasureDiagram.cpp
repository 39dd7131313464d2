// The measurement panel as the user sees it: Start, Trigger, Stop and the single shot enabled
// by the sensor's and the run's state, the state lamp, the sensor picture, the automatic repeat,
// the P1/P2 boxes, the elapsed time and count, and the trigger monitor. Shown, it asks one value
// set through CMainFrame::TIMER_SINGLE_SHOT; TIMER_SENSOR_CHANGED brings it up to date after a
// multi-sensor activation; TIMER_FINISH finishes a stopped measurement (MeasureDiagramRun).
#include "pages/measurement/CDlgMeasureDiagram.h"

#include <iterator>

#include "foundation/Language.h"
#include "pages/common/ChannelViewControl.h"
#include "pages/common/PageHost.h"
#include "pages/measurement/SettingsPage.h"
#include "platform/base/Ticks.h"
#include "platform/base/Time.h"
#include "platform/framework/MessageBox.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CDlgMeasureDiagram, CPageDialog)

namespace {

constexpr int kLampSize = 16;
constexpr int kPictureFitInside = 6;
constexpr int kPictureCentred = 3;

const PageLabel kLabels[] = {{IDC_MD_START, IDS_MD_START},
                             {IDC_MD_TRIGGER, IDS_MD_TRIGGER},
                             {IDC_MD_STOP, IDS_MD_STOP},
                             {IDC_MD_SINGLE_SHOT, IDS_MD_SINGLE_SHOT},
                             {IDC_MD_REPEAT, IDS_REPEAT_TRIGGER}};
// Texts the page writes later (monitor, count, messages).
const int kLaterTexts[] = {IDS_MD_ARMED,           IDS_MD_NOT_ARMED,      IDS_MD_VALUES,
                           IDS_MD_STORAGE_REDUCED, IDS_MD_STORAGE_FAILED, IDS_MD_PROGRAM_FAILED,
                           IDS_MD_LOST_ON_LINE};
const unsigned short kLampIcons[CDlgMeasureDiagram::LED_STATES] = {
    IDI_MD_LAMP_IDLE, IDI_MD_LAMP_WAITING, IDI_MD_LAMP_MEASURING};
constexpr char kNoValue[] = "---";

}  // namespace

BEGIN_MESSAGE_MAP(CDlgMeasureDiagram, CPageDialog)
ON_WM_SHOWWINDOW()
ON_WM_TIMER()
ON_BN_CLICKED(IDC_MD_START, &CDlgMeasureDiagram::OnBnClickedStart)
ON_BN_CLICKED(IDC_MD_TRIGGER, &CDlgMeasureDiagram::OnBnClickedTrigger)
ON_BN_CLICKED(IDC_MD_STOP, &CDlgMeasureDiagram::OnBnClickedStop)
ON_BN_CLICKED(IDC_MD_SINGLE_SHOT, &CDlgMeasureDiagram::OnBnClickedSingleShot)
ON_CONTROL_RANGE(BN_CLICKED, IDC_MD_P1, IDC_MD_P2, &CDlgMeasureDiagram::OnPowerBox)
ON_MESSAGE(CDlgMeasureDiagram::WM_PANEL_MESSAGE, &CDlgMeasureDiagram::OnPanelMessage)
END_MESSAGE_MAP()

CDlgMeasureDiagram::~CDlgMeasureDiagram() {
    // The view deletes its pages while their windows are on the way out: the lamp button gets
    // its own window procedure back, the picture window goes with its object.
    if (m_ledState.m_hWnd != nullptr)
        m_ledState.UnsubclassWindow();
    if (m_picture.m_hWnd != nullptr)
        m_picture.DestroyWindow();
}

BOOL CDlgMeasureDiagram::OnInitDialog() {
    CPageDialog::OnInitDialog();
    if (m_ledState.SubclassDlgItem(IDC_MD_LED, this)) {
        m_ledState.SetNumberOfStates(LED_STATES, false);
        for (unsigned state = 0; state < LED_STATES; ++state)
            m_ledState.LoadStateIcon(state, kLampIcons[state], kLampSize, kLampSize);
    }
    if (CWnd* placeholder = GetDlgItem(IDC_MD_PICTURE);
        placeholder != nullptr && m_picture.CreateFromStatic(placeholder)) {
        m_picture.SetFitMode(kPictureFitInside);
        m_picture.SetOriginModes(kPictureCentred, kPictureCentred);
        m_picture.SetBitmapFromResourceId(IDB_MD_SENSOR_PICTURE);
    }
    SetDlgItemText(IDC_MD_ELAPSED, kNoValue);
    SetDlgItemText(IDC_MD_COUNT, kNoValue);
    SetLanguageTexts();
    return TRUE;
}

BOOL CDlgMeasureDiagram::SetLanguageTexts() {
    BOOL all = SetPageLabelTexts(this, kLabels, std::size(kLabels));
    for (int id : kLaterTexts) {
        CString text;
        if (!FindLanguageString(id, text))
            all = FALSE;
    }
    // A value count on show follows the language too, not only the next measurement.
    CString count;
    if (m_hWnd != nullptr && GetDlgItemText(IDC_MD_COUNT, count) > 0)
        ShowValueCount();
    ShowButtons();
    return all;
}

void CDlgMeasureDiagram::OnShowWindow(BOOL bShow, UINT nStatus) {
    CPageDialog::OnShowWindow(bShow, nStatus);
    if (!bShow) {
        KillTimer(TIMER_BUTTONS);
        KillTimer(TIMER_PENDING_CLICK);
        m_uPendingClick = 0;  // a page the operator left starts nothing later
        return;
    }
    PageHost* frame = GetPageHost();
    if (frame == nullptr || frame->IsStartUpPending())
        return;
    // After a port refresh that left no sensor open, nothing of the sensor before stays shown.
    if (m_bSensorChanged &&
        (frame->Dialogue().m_iOpenEntry < 0 || frame->Dialogue().m_iNumberOfSensors < 1))
        ClearSensorDisplays();
    m_bSensorChanged = FALSE;
    ShowButtons();
    SetTimer(TIMER_BUTTONS, kButtonsPeriodMs, nullptr);
    frame->HostWindow().SetTimer(PageHost::TIMER_SINGLE_SHOT, kSingleShotDelayMs, nullptr);
}

void CDlgMeasureDiagram::OnBnClickedSingleShot() {
    ++m_iSingleShots;
    PageHost* frame = GetPageHost();
    if (frame == nullptr || !TakeClick(IDC_MD_SINGLE_SHOT))
        return;
    frame->Commands().COM_ZMCOMSingleShot();
}

void CDlgMeasureDiagram::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == TIMER_BUTTONS) {
        ShowButtons();
        return;
    }
    if (nIDEvent == TIMER_PENDING_CLICK) {
        KillTimer(TIMER_PENDING_CLICK);
        RunPendingClick();
        return;
    }
    if (nIDEvent == TIMER_FINISH) {
        KillTimer(TIMER_FINISH);
        PageHost* frame = GetPageHost();
        const bool atRest = frame == nullptr || frame->IsEngineAtRest();
        if (!measure_run::FinishNow(atRest, GetTickCount64() - m_ullStopRequestedMs)) {
            SetTimer(TIMER_FINISH, kFinishPeriodMs, nullptr);
            return;
        }
        FinishStoppedRun();
        return;
    }
    if (nIDEvent == TIMER_SENSOR_CHANGED) {
        // After a multi-sensor activation: the computed channels' boxes follow their bars.
        KillTimer(TIMER_SENSOR_CHANGED);
        if (PageHost* frame = GetPageHost()) {
            for (int derived = 0; derived < 2; ++derived)
                SetPowerCheck(derived, frame->IsChannelBarVisible(CHANNEL_P1 + derived));
        }
        SetLanguageTexts();
    }
}

BOOL CDlgMeasureDiagram::IsSensorReady() const {
    const PageHost* frame = GetPageHost();
    return frame != nullptr && frame->Dialogue().m_iOpenEntry >= 0 &&
                   frame->Dialogue().m_iNumberOfSensors >= 1 &&
                   frame->Dialogue().COM_GetZMCOMConfgFlow() == ZM_STOP_MEASURE &&
                   frame->IsEngineAtRest()
               ? TRUE
               : FALSE;
}

BOOL CDlgMeasureDiagram::CanTakeClick() const {
    const PageHost* frame = GetPageHost();
    // A stopped run still being finished (TIMER_FINISH) takes no new start.
    return frame != nullptr && !IsMeasuring() && !m_bWaitingForTrigger && !m_run.IsRunning() &&
                   frame->Dialogue().m_iOpenEntry >= 0 && frame->Dialogue().m_iNumberOfSensors >= 1
               ? TRUE
               : FALSE;
}

bool CDlgMeasureDiagram::TakeClick(UINT id) {
    if (!CanTakeClick() || (m_uPendingClick != 0 && m_uPendingClick != id)) {
        ShowButtons();
        return false;
    }
    if (IsSensorReady()) {
        m_uPendingClick = 0;
        return true;
    }
    // The engine still answers a request (a single shot, a poll of the connection page): the
    // click runs once it is at rest.
    if (m_uPendingClick == 0) {
        m_uPendingClick = id;
        m_ullPendingSinceMs = GetTickCount64();
    }
    if (m_hWnd != nullptr)
        SetTimer(TIMER_PENDING_CLICK, kPendingClickPeriodMs, nullptr);
    ShowButtons();
    return false;
}

void CDlgMeasureDiagram::RunPendingClick() {
    const UINT id = m_uPendingClick;
    if (id == 0)
        return;
    if (!CanTakeClick() || GetTickCount64() - m_ullPendingSinceMs > kPendingClickLimitMs) {
        m_uPendingClick = 0;
        ShowButtons();
        return;
    }
    if (!IsSensorReady()) {
        SetTimer(TIMER_PENDING_CLICK, kPendingClickPeriodMs, nullptr);
        return;
    }
    if (id == IDC_MD_START)
        OnBnClickedStart();
    else if (id == IDC_MD_TRIGGER)
        OnBnClickedTrigger();
    else
        OnBnClickedSingleShot();
    ShowButtons();
}

void CDlgMeasureDiagram::ShowButtons() {
    if (m_hWnd == nullptr)
        return;
    const bool busy = IsMeasuring() || m_bWaitingForTrigger;
    const bool ready = CanTakeClick() && m_uPendingClick == 0;
    auto enable = [this](UINT id, bool on) {
        if (CWnd* button = GetDlgItem(static_cast<int>(id)))
            button->EnableWindow(on ? TRUE : FALSE);
    };
    enable(IDC_MD_START, ready);
    enable(IDC_MD_TRIGGER, ready);
    enable(IDC_MD_SINGLE_SHOT, ready);
    enable(IDC_MD_STOP, busy);
    if (m_ledState.m_hWnd != nullptr)
        m_ledState.SetLedState(IsMeasuring()          ? LED_MEASURING
                               : m_bWaitingForTrigger ? LED_WAITING
                                                      : LED_IDLE,
                               false);
}

void CDlgMeasureDiagram::EnableStopButton(BOOL enable) {
    if (CWnd* stop = m_hWnd != nullptr ? GetDlgItem(IDC_MD_STOP) : nullptr)
        stop->EnableWindow(enable);
}

BOOL CDlgMeasureDiagram::IsAutoTriggerRepeat() const {
    return m_hWnd != nullptr && IsDlgButtonChecked(IDC_MD_REPEAT) == BST_CHECKED;
}

void CDlgMeasureDiagram::Status(UINT id) {
    if (PageHost* frame = GetPageHost())
        frame->ShowStatusMessage(id);
}

void CDlgMeasureDiagram::PostPanelMessage(const CString& text) {
    m_astrPendingMessages.Add(text);
    if (m_hWnd != nullptr)
        PostMessage(WM_PANEL_MESSAGE);
}

LRESULT CDlgMeasureDiagram::OnPanelMessage(WPARAM, LPARAM) {
    while (m_astrPendingMessages.GetSize() > 0) {
        const CString text = m_astrPendingMessages[0];
        m_astrPendingMessages.RemoveAt(0);
        AfxMessageBox(text, MB_ICONEXCLAMATION);
    }
    return 0;
}

void CDlgMeasureDiagram::CheckTriggerThreshold(int startStop, int direction, double value,
                                               char comparison, char hysteresisSign, double level,
                                               double hysteresis, BYTE armed) {
    (void)direction;
    // Called for every value set inside the flow: the text is made at most every 100 ms.
    m_lastCheck = {startStop, value, comparison, hysteresisSign, level, hysteresis, armed};
    if (m_monitor.Offer(GetTickCount64()))
        ShowMonitor();
}

void CDlgMeasureDiagram::ShowMonitor() {
    if (m_hWnd == nullptr)
        return;
    const MonitorCheck& c = m_lastCheck;
    SetDlgItemText(
        IDC_MD_MONITOR,
        measure_run::MonitorText(GetLanguageString(c.startStop == 0 ? IDS_MD_START : IDS_MD_STOP),
                                 c.value, c.comparison, c.hysteresisSign, c.level, c.hysteresis,
                                 GetLanguageString(c.armed != 0 ? IDS_MD_ARMED : IDS_MD_NOT_ARMED),
                                 GetDecimalSeparatorOf(-1)));
}

void CDlgMeasureDiagram::ClearMonitor() {
    // A run begun with Start watches no trigger: nothing of an earlier check stays or comes late.
    m_monitor = measure_run::MonitorThrottle{};
    if (m_hWnd != nullptr)
        SetDlgItemText(IDC_MD_MONITOR, "");
}

void CDlgMeasureDiagram::OnMeasureTick() {
    if (m_monitor.Flush(GetTickCount64()))
        ShowMonitor();
    if (!IsMeasuring() || m_hWnd == nullptr)
        return;
    CString elapsed;
    elapsed.Format("%lld s",
                   static_cast<long long>(CTime::GetCurrentTime().GetTime() - m_llStartTime));
    SetDlgItemText(IDC_MD_ELAPSED, elapsed);
    ShowValueCount();
}

void CDlgMeasureDiagram::ShowValueCount() {
    if (m_hWnd == nullptr)
        return;
    PageHost* frame = GetPageHost();
    IFlowDiagram* diagram = frame != nullptr ? frame->FlowDiagram() : nullptr;
    CString count;
    count.Format("%s: %d", GetLanguageString(IDS_MD_VALUES).GetString(),
                 diagram != nullptr ? diagram->GetMaxCountOfValues() : 0);
    // Value sets the counter check found missing: the recording has gaps, and says so.
    const uint64_t lost =
        frame != nullptr ? frame->Dialogue().m_ullLostValueSets - m_ullLostAtStart : 0;
    if (lost > 0) {
        CString gaps;
        gaps.Format(" (%llu %s)", static_cast<unsigned long long>(lost),
                    GetLanguageString(IDS_MD_LOST_ON_LINE).GetString());
        count += gaps;
    }
    SetDlgItemText(IDC_MD_COUNT, count);
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
    PageHost* frame = GetPageHost();
    if (frame != nullptr) {
        const bool wasOn = frame->IsChannelActive(CHANNEL_P1 + derived) != FALSE;
        frame->ToggleChannelView(CHANNEL_P1 + derived);
        // A computed channel switched on again starts from its own values: a tare from before
        // refers to nothing it now shows.
        IChannelViewControl* view = frame->ChannelViewControl(CHANNEL_P1 + derived);
        if (!wasOn && frame->IsChannelActive(CHANNEL_P1 + derived) && view != nullptr)
            view->SwitchTaraOn();
    }
    SetPowerCheck(derived, m_abPowerChecked[derived]);
}
