// The panel and the sensor: when one answers, the channel views' buttons and the calibration
// page's controls come on; when it is lost, a measurement under way is finished first through
// CDlgMeasureDiagram::TIMER_FINISH (so its rows are written), the frame then marks the lost port,
// and the displays show "---" with the status "Sensor getrennt".
#include "app/MainFrame.h"
#include "app/views/CAFormChannel.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "res/resource.h"

namespace {

constexpr char kNoValue[] = "---";

// Each of the six channel views that exists as a window.
template <typename Fn>
void ForEachChannelView(Fn fn) {
    CMainFrame* frame = GetMainFrame();
    for (int channel = 0; channel < COM_CHANNELS && frame != nullptr; ++channel) {
        CAFormChannelX* view = frame->GetChannelView(channel);
        if (view != nullptr && view->m_hWnd != nullptr)
            fn(*view);
    }
}

}  // namespace

void CDlgMeasureDiagram::OnSensorConnected() {
    CMainFrame* frame = GetMainFrame();
    if (frame == nullptr)
        return;
    EnableChannelViewButtons(TRUE);
    frame->ShowControlElements(TRUE);
    if (!frame->COM_IsCalibPending())
        frame->CloseScaleDialogIfVisible();
    // The start-up's "Sensor getrennt" gives way once a sensor answers; a run keeps its own text.
    if (!IsMeasuring() && !m_run.IsRunning())
        Status(IDS_STATUS_READY);
    ShowButtons();
}

void CDlgMeasureDiagram::OnSensorDisconnected() {
    const bool underWay = IsMeasuring() || m_bWaitingForTrigger || m_run.IsRunning();
    if (underWay || m_bEndedWithSensorLost) {
        m_bEndedWithSensorLost = false;
        m_bRecoverAfterFinish = true;
        OnBnClickedStop();
        // Also when nothing was recorded yet (a trigger still awaited) or the frame has already
        // finished it: TIMER_FINISH ends what runs, then asks for the recovery.
        ArmDurationStopTimer();
    }
    ClearSensorDisplays();
    Status(IDS_STATUS_DISCONNECTED);
    ShowButtons();
    if (CMainFrame* frame = GetMainFrame()) {
        frame->WaitCursorOff();
        frame->ShowControlElements(FALSE);
    }
}

void CDlgMeasureDiagram::ClearSensorDisplays() {
    EnableChannelViewButtons(FALSE);
    ForEachChannelView([](CAFormChannelX& view) {
        for (UINT field : {CAFormChannelX::IDC_VALUE_FIELD, CAFormChannelX::IDC_TARE_FIELD,
                           CAFormChannelX::IDC_MIN_FIELD, CAFormChannelX::IDC_MAX_FIELD})
            view.SetDlgItemText(static_cast<int>(field), kNoValue);
    });
    if (m_hWnd != nullptr) {
        SetDlgItemText(IDC_MD_ELAPSED, kNoValue);
        SetDlgItemText(IDC_MD_COUNT, kNoValue);
    }
}

void CDlgMeasureDiagram::EnableChannelViewButtons(BOOL enable) {
    ForEachChannelView([enable](CAFormChannelX& view) {
        for (UINT id : {CAFormChannelX::IDC_TARA, CAFormChannelX::IDC_MIN_RESET,
                        CAFormChannelX::IDC_MAX_RESET}) {
            if (CWnd* button = view.GetDlgItem(static_cast<int>(id)))
                button->EnableWindow(enable);
        }
    });
}
