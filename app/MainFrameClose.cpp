// Closing is a protocol: a close during a measurement stops it and comes back with the WM_CLOSE
// the end of the measurement posts; a close with an open sensor first writes the sensors'
// configuration and comes back with TIMER_CLOSE_AGAIN; a refused close puts everything back as it
// was. A close of the system's (CloseForSystem) is never refused: where the operator's would be,
// it looks again shortly, and a measurement on several sensors is stopped as on one. No close
// completes inside a modal loop.
#include "app/MainFrame.h"
#include "app/ThreadedConvertFile.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "platform/ui/ModalLoops.h"
#include "sensor/CSensorConfigSequence.h"

namespace {

// How soon a close that waits for a serial-number write looks again.
constexpr UINT kSerialWriteRecheckMs = 300;
// How soon a close that waits for a sensor taking a new baud rate looks again.
constexpr UINT kBaudChangeRecheckMs = 100;
// How soon the system's close looks again after a sensor step that the operator's would refuse.
constexpr UINT kSystemCloseRecheckMs = 200;

}  // namespace

bool CMainFrame::IsSensorWriteUnderWay() const {
    // An adjustment step or a block write of the sensor pages: closing now would cut it.
    switch (COM_GetZMCOMConfgFlow()) {
        case ZM_SET_CTRL_ON:
        case ZM_SET_CTRL_OFF:
        case ZM_DEACTIVATE_USERCALIB:
        case ZM_SET_NEW_USERCALIB:
        case ZM_READ_RAW_CALIB_INIT:
        case ZM_SET_INACCURACY_USERCALIB:
        case ZM_SET_SERIAL_NUMBER_ROTOR_OPERATION:
        case ZM_CNFG_SET_BAUDRATE_MULTIPORT:
        case ZM_RESTART_MULTIPORT:
            return true;
        default:
            return false;
    }
}

bool CMainFrame::WaitForMarkedSerialNumbers() {
    // A serial number typed just before closing is still marked for COM_TIMER_SERIAL_NUMBER_DELAY:
    // it is written now, one sensor per expiry, and the close looks again until no mark is left.
    for (int sensor = 0; sensor < COM_MAX_SENSORS; ++sensor) {
        if (COM_IsSerialNumberWriteMarked(sensor)) {
            COM_RequestSerialNumberWrite(sensor, 10);
            m_bCloseAfterSerialWrite = TRUE;
            SetTimer(TIMER_CLOSE_AGAIN, kSerialWriteRecheckMs, nullptr);
            return true;
        }
    }
    m_bCloseAfterSerialWrite = FALSE;
    return false;
}

void CMainFrame::OnClose() {
    if (kq::ui::ModalLoopDepth() > 0) {
        // The code that opened the modal window runs on once its loop returns, and uses this
        // window: the close comes back after the outermost loop. The system's close ends the
        // modal windows now, as cancelled; the operator's waits until they are answered.
        if (!m_bCloseAfterModalLoops) {
            m_bCloseAfterModalLoops = TRUE;
            const HWND self = m_hWnd;
            kq::ui::AfterModalLoops([self] { ::PostMessage(self, WM_CLOSE, 0, 0); },
                                    m_bSystemClose != FALSE);
        } else if (m_bSystemClose) {
            kq::ui::AfterModalLoops(nullptr, true);
        }
        return;
    }
    m_bCloseAfterModalLoops = FALSE;
    CDlgMeasureAdjust* adjust = GetMeasureAdjustPage();
    CDlgMeasureDiagram* measure = GetMeasureDiagramPage();
    // What a refused close puts back.
    const CString noticeBefore = adjust != nullptr ? adjust->GetNoticeText() : CString();
    const BOOL noticeShownBefore = adjust != nullptr && adjust->IsNoticeVisible();
    const BOOL waitCursorBefore = m_bWaitCursor;
    auto refuse = [&] {
        if (m_bSystemClose)
            SetTimer(TIMER_CLOSE_AGAIN, kSystemCloseRecheckMs, nullptr);
        if (adjust != nullptr) {
            adjust->SetNoticeText(noticeBefore);
            adjust->ShowNotice(noticeShownBefore);
        }
        if (!waitCursorBefore)
            WaitCursorOff();
    };

    if (adjust != nullptr) {
        adjust->SetNoticeText("Close");
        adjust->ShowNotice(TRUE);
        if (adjust->m_hWnd != nullptr)
            adjust->UpdateWindow();
    }
    WaitCursorOn();

    const int flow = COM_GetZMCOMConfgFlow();
    if (flow == ZM_CNFG_SET_NEW_BAUDRATE || flow == ZM_RESTART_AFTER_BAUDRATE) {
        // The sensor is storing a new baud rate and restarting with it. The configuration
        // written now would share the port with those steps and be answered in their place, and
        // their restart would close the port under it: the close looks again once they are over.
        SetTimer(TIMER_CLOSE_AGAIN, kBaudChangeRecheckMs, nullptr);
        refuse();
        return;
    }
    if (!COM_IsZMCOMConfgFlowOutsideInit() || IsSensorWriteUnderWay()) {
        // A serial number being written (the operator's or the close's own) goes on; the close
        // is kept and comes back after it.
        if (COM_GetZMCOMConfgFlow() == ZM_SET_SERIAL_NUMBER_ROTOR_OPERATION)
            SetTimer(TIMER_CLOSE_AGAIN, kSerialWriteRecheckMs, nullptr);
        refuse();
        return;
    }
    const bool measuring = m_bMeasuring || (measure != nullptr &&
                                            (measure->IsRunPatternSet() || measure->IsMeasuring()));
    if (measuring) {
        if (m_iActivatedCount > 1 && !m_bSystemClose) {
            refuse();
            return;
        }
        m_bCloseDuringMeasurement = TRUE;
    }
    if (!m_bCloseAfterFastStop) {
        COM_SetMeasureRateParameters();
        if (measure != nullptr && measure->IsMeasuring()) {
            if (m_bFastRate)
                m_bCloseAfterFastStop = TRUE;
            else
                m_bCloseAfterStop = TRUE;
            measure->OnBnClickedStop();
            return;
        }
    }
    // A lost sensor's port is not tried again now: an open port below is a sensor in use.
    COM_ForgetLostSensor();
    COM_EndConfigFlowOnClose();
    switch (m_iZMCOMConfgFlow) {
        case ZM_SCAN_CHECK_ADDRESS:
        case ZM_CLOSE_CONFIG_SEQUENCE:
        case ZM_SCAN_STATUS_LONG:
        case ZM_SCAN_READ_BLOCKS:
            break;
        case ZM_CLOSE_CONFIG_DONE:
            if (adjust != nullptr)
                adjust->ShowNotice(!adjust->IsNoticeVisible());
            break;
        default: {
            // With an open sensor its configuration is written first; without one there is
            // nothing to write.
            const bool sensorOpen =
                COM_MainPort() != nullptr && COM_MainPort()->IsPortOpen() && m_iNumberOfSensors > 0;
            const bool startUpShown =
                m_dlgStartUp.m_hWnd != nullptr && m_dlgStartUp.IsWindowVisible();
            if (sensorOpen && !startUpShown && WaitForMarkedSerialNumbers())
                return;
            if (sensorOpen && !startUpShown && COM_StartCloseSequence())
                return;
            break;
        }
    }
    // The close goes through: a manual save still waiting for its ticks is written now, and only
    // then is the conversion worker stopped and deleted.
    CompletePendingManualSave();
    if (m_measurement.Files().m_pConvertThread != nullptr) {
        m_measurement.EditFiles().m_pConvertThread->Stop();
        delete m_measurement.EditFiles().m_pConvertThread.get();
        m_measurement.EditFiles().m_pConvertThread = nullptr;
    }
    FreeRecordBuffer();
    m_bClosing = TRUE;
    WaitCursorOff();
    m_bLogEnded = TRUE;
    // Every close ends the log of each sensor in use, also when a device change or a port
    // scan has left the activated count at nothing while a sensor's port is still open.
    const int inUse = m_iActivatedCount > 0 ? m_iActivatedCount : (m_iOpenEntry >= 0 ? 1 : 0);
    for (int i = 0; i < inUse && i < COM_MAX_SENSORS; ++i)
        WriteApplicationLog(i, "OnCloseApp()");
    CFrameWnd::OnClose();
}

void CMainFrame::CloseForSystem() {
    m_bSystemClose = TRUE;
    PostMessage(WM_CLOSE);
}
