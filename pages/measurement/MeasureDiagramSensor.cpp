// The panel and the sensor: when one answers, the channel views' buttons and the calibration
// page's controls come on; when it is lost, a measurement under way is finished first through
// CDlgMeasureDiagram::TIMER_FINISH (so its rows are written), the frame then marks the lost port,
// and the displays show "---" with the status "Sensor getrennt".
#include "pages/common/ChannelViewControl.h"
#include "pages/common/PageHost.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "res/resource.h"

namespace {

constexpr char kNoValue[] = "---";

// Each of the six channel views that exists as a window.
template <typename Fn>
void ForEachChannelView(Fn fn) {
    PageHost* frame = GetPageHost();
    for (int channel = 0; channel < COM_CHANNELS && frame != nullptr; ++channel) {
        IChannelViewControl* view = frame->ChannelViewControl(channel);
        if (view != nullptr && view->ViewWindow().m_hWnd != nullptr)
            fn(*view);
    }
}

}  // namespace

void CDlgMeasureDiagram::OnSensorConnected() {
    PageHost* frame = GetPageHost();
    if (frame == nullptr)
        return;
    EnableChannelViewButtons(TRUE);
    frame->ShowControlElements(TRUE);
    if (!frame->Dialogue().COM_IsCalibPending())
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
    if (PageHost* frame = GetPageHost()) {
        frame->WaitCursorOff();
        frame->ShowControlElements(FALSE);
    }
}

void CDlgMeasureDiagram::ClearSensorDisplays() {
    EnableChannelViewButtons(FALSE);
    ForEachChannelView([](IChannelViewControl& view) {
        for (UINT field :
             {IChannelViewControl::IDC_VALUE_FIELD, IChannelViewControl::IDC_TARE_FIELD,
              IChannelViewControl::IDC_MIN_FIELD, IChannelViewControl::IDC_MAX_FIELD})
            view.ViewWindow().SetDlgItemText(static_cast<int>(field), kNoValue);
    });
    if (PageHost* frame = GetPageHost())
        frame->ForgetShownChannelValues();
    if (m_hWnd != nullptr) {
        SetDlgItemText(IDC_MD_ELAPSED, kNoValue);
        SetDlgItemText(IDC_MD_COUNT, kNoValue);
    }
}

void CDlgMeasureDiagram::EnableChannelViewButtons(BOOL enable) {
    ForEachChannelView([enable](IChannelViewControl& view) {
        for (UINT id : {IChannelViewControl::IDC_TARA, IChannelViewControl::IDC_MIN_RESET,
                        IChannelViewControl::IDC_MAX_RESET}) {
            if (CWnd* button = view.ViewWindow().GetDlgItem(static_cast<int>(id)))
                button->EnableWindow(enable);
        }
    });
}
