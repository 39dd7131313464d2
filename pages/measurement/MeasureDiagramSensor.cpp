// The panel and the sensor: when one answers, the channel views' buttons and the calibration
// page's controls come on; when it is lost, a measurement under way is finished first through
// timer 64 (so its rows are written), the frame then marks the lost port, and the displays show
// "---" with the status "Sensor getrennt".
#include "app/MainFrame.h"
#include "pages/measurement/CDlgMeasureDiagram.h"

namespace {

constexpr UINT kStatusDisconnected = 5271;

}  // namespace

void CDlgMeasureDiagram::OnSensorConnected() {
    CMainFrame* frame = GetMainFrame();
    if (frame == nullptr)
        return;
    EnableChannelViewButtons(TRUE);
    frame->ShowControlElements(TRUE);
    if (!frame->COM_IsCalibPending())
        frame->CloseScaleDialogIfVisible();
    ShowButtons();
}

void CDlgMeasureDiagram::OnSensorDisconnected() {
    const bool underWay = IsMeasuring() || m_bWaitingForTrigger || m_run.IsRunning();
    if (underWay || m_bEndedWithSensorLost) {
        m_bEndedWithSensorLost = false;
        m_bRecoverAfterFinish = true;
        OnBnClickedStop();
        // Also when nothing was recorded yet (a trigger still awaited) or the frame has already
        // finished it: timer 64 ends what runs, then asks for the recovery.
        ArmDurationStopTimer();
    }
    ClearSensorDisplays();
    Status(kStatusDisconnected);
    ShowButtons();
    if (CMainFrame* frame = GetMainFrame()) {
        frame->WaitCursorOff();
        frame->ShowControlElements(FALSE);
    }
}
