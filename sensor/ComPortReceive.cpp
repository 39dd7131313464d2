// Received bytes: collected per port, cut into frames and handed to the analyser of their reply
// code.
#include "platform/base/Clock.h"
#include "platform/base/Trace.h"
#include "protocol/Messages.h"
#include "sensor/CComPort.h"
#include "sensor/CSensorConfigSequence.h"
#include "sensor/ChanState.h"
#include "sensor/ComPortTimerIds.h"

using namespace tarvik;

namespace {

// More unasked bytes than this during the scan's address check, among them value sets, mean a
// sensor that streams without being asked.
constexpr uint64_t kUnaskedBytesOfStreamingSensor = 42;

}  // namespace

LRESULT CComPort::OnReceiveConfigFlow(WPARAM count, LPARAM buffer) {
    if (buffer != 0 && count > 0) {
        m_strReceiveCOM.Append(reinterpret_cast<const char*>(buffer), static_cast<int>(count));
        if (m_iZMCOMConfgFlow == ZM_SCAN_CHECK_ADDRESS) {
            m_ullUnaskedBytes += count;
        }
    }
    AnalyseBuffer(m_strReceiveCOM, m_cutter, kCurrentPort);
    if (m_iZMCOMConfgFlow == ZM_SCAN_CHECK_ADDRESS && !m_bStreamingAnnounced &&
        m_ullUnaskedBytes > kUnaskedBytesOfStreamingSensor && m_bUnaskedValueSet) {
        m_bStreamingAnnounced = true;
        ArmTimer(COM_TIMER_STREAMING_SENSOR, COM_MS_STREAMING_SENSOR);
    }
    return 0;
}

LRESULT CComPort::OnPortEvent(WPARAM, LPARAM) {
    return 0;
}

LRESULT CComPort::OnReceivePort(WPARAM count, LPARAM buffer, int port) {
    if (port < 0 || port >= COM_MAX_SENSORS) {
        return 0;
    }
    if (buffer != 0 && count > 0) {
        m_astrReceivePort[port].Append(reinterpret_cast<const char*>(buffer),
                                       static_cast<int>(count));
    }
    AnalyseBuffer(m_astrReceivePort[port], m_aPortCutter[port], port);
    return 0;
}

void CComPort::AnalyseBuffer(CString& buffer, FrameCutter& cutter, int port) {
    const uint64_t checkErrors = cutter.Stats().checkErrors;
    Frame frame;
    while (cutter.CutFrame(buffer, frame)) {
        DispatchFrame(frame, port);
    }
    if (cutter.Stats().checkErrors != checkErrors && m_iZMCOMConfgFlow == ZM_MEASURE &&
        !m_bFastRate) {
        // A damaged reply: the next polled request waits for the error pause.
        m_llNextPollMs = kq::MonotonicMillis() + kErrorRetryDelayMs;
    }
}

void CComPort::DispatchFrame(const Frame& frame, int port) {
    if (port == kCurrentPort && TakeLostSensorReply(frame)) {
        return;
    }
    if (m_iZMCOMConfgFlow == ZM_DIAGNOSTIC_REQUEST) {
        // Whatever the sensor answers to a raw request is the answer, a NAK included.
        AnalyseDiagnosticReply(frame, port);
        return;
    }
    switch (frame.code) {
        case kReplyAck:
            ZMCOMConfg_AnalyseAck(frame, port);
            break;
        case kReplyNak:
            ZMCOMConfg_AnalyseNak(frame, port);
            break;
        case kReplyIdentification:
            ZMCOMConfg_AnalyseIdentification(frame, port);
            break;
        case kReplyValues:
            if (m_iZMCOMConfgFlow == ZM_SCAN_CHECK_ADDRESS) {
                m_bUnaskedValueSet = true;
            } else if (m_pfnReplyAnalyser) {
                (this->*m_pfnReplyAnalyser)(frame, port);
            }
            break;
        case kReplyStatusLong:
            AnalyseStatusLongFrame(frame, port);
            break;
        case kReplyBlockContent:
            ZMCOMConfg_AnalyseBlockContent(frame, port);
            break;
        default:
            ZMCOMConfg_AnalyseDefault(frame);
            break;
    }
}

void CComPort::ZMCOMConfg_AnalyseDefault(const Frame& frame) {
    TRACE("CComPort: reply code %d ignored in state %d\n", frame.code, m_iZMCOMConfgFlow);
}

void CComPort::ZMCOMConfg_AnalyseNak(const Frame& frame, int port) {
    if (!IsAwaited(frame, port)) {
        return;
    }
    NakReply nak;
    ParseMessage(frame, nak);
    ISensorPort* target = PortOf(port);
    if (nak.reason == kNakCheckError && m_request.retriesLeft > 0 && target &&
        target->Write(m_request.bytes.View())) {
        // The request was damaged on the way: send it once more.
        --m_request.retriesLeft;
        ArmTimer(m_request.timerId, m_request.timeoutMs);
        return;
    }
    if (nak.reason == kNakNotAllowedNow && IsResentStart()) {
        // The sensor refuses a start only while it measures: the first 'C' was taken and its
        // acknowledge lost on the way.
        RequestAnswered();
        AfterAck();
        return;
    }
    RequestAnswered();
    if (m_request.timerId == COM_TIMER_SCAN_ANSWER) {
        ScanEntryDone(PORT_STATE_NO_ANSWER);
        return;
    }
    FailStep(ComFailure::Refused);
}

bool CComPort::IsResentStart() const {
    return m_iZMCOMConfgFlow == ZM_MEASURE_START && m_bRequestOutstanding &&
           m_request.expect == kReplyAck && m_request.retriesLeft < kRequestRetries;
}

void CComPort::ZMCOMConfg_AnalyseAck(const Frame& frame, int port) {
    if (!IsAwaited(frame, port)) {
        return;
    }
    AckReply ack;
    if (!ParseMessage(frame, ack) ||
        (m_request.blockNumber >= 0 && ack.blockNumber != m_request.blockNumber)) {
        return;
    }
    RequestAnswered();
    m_bWriteBackup = false;
    AfterAck();
}

void CComPort::ZMCOMConfg_AnalyseIdentification(const Frame& frame, int port) {
    if (!IsAwaited(frame, port)) {
        return;
    }
    IdentificationReply reply;
    if (!ParseMessage(frame, reply)) {
        return;
    }
    RequestAnswered();
    m_bSensorAnswered = TRUE;
    if (m_iZMCOMConfgFlow == ZM_SCAN_CHECK_ADDRESS) {
        SensorEntry& entry = m_aEntries[m_iScanIndex];
        SensorRecord_TakeOverIdentification(entry.record, reply);
        entry.ucAddress = reply.busAddress;
        SensorEntry_StoreReply(entry, 0, BuildFrame(frame).View());
        if (reply.streaming && !m_bStreamingAnnounced) {
            // The sensor says itself that it measures continuously: the same case as the flood
            // of unasked value sets, however quickly it answered.
            m_bStreamingAnnounced = true;
            ArmTimer(COM_TIMER_STREAMING_SENSOR, COM_MS_STREAMING_SENSOR);
        }
        TarSend_SetAddress(reply.busAddress, kAnyIndex);
        m_iZMCOMConfgFlow = ZM_SCAN_STATUS_LONG;
        if (!ScanSend(TarSend_RequestStatusLong(), kReplyStatusLong)) {
            ScanEntryDone(PORT_STATE_NO_ANSWER);
        }
        return;
    }
    if (m_bOpenDialogue) {
        SensorRecord_TakeOverIdentification(m_aSensorRecord[m_iOpenSensor], reply);
        TarSend_SetAddress(reply.busAddress, kAnyIndex);
        if (!SendRequest(TarSend_RequestStatusLong(), kReplyStatusLong, m_iOpenPort)) {
            FailStep(ComFailure::PortGone);
        }
    }
}

void CComPort::ZMCOMConfg_AnalyseStatusLong() {
    FrameCutter cutter;
    Frame frame;
    if (cutter.CutFrame(m_strReceiveCOM, frame) && frame.code == kReplyStatusLong) {
        AnalyseStatusLongFrame(frame, kCurrentPort);
    }
}

void CComPort::AnalyseStatusLongFrame(const Frame& frame, int port) {
    StatusLongReply reply;
    if (!ParseMessage(frame, reply)) {
        return;
    }
    if (m_iZMCOMConfgFlow == ZM_CHECK_IF_PKR_USB_KQ6_IS_CONNECTED) {
        // The scan's stored reply (COM_TIMER_STATUS_LONG_SLOT).
        if (m_iScanIndex < 0 || m_iScanIndex >= m_iEntryCount) {
            return;
        }
        SensorRecord_TakeOverStatusLong(m_aEntries[m_iScanIndex].record, reply);
        if (m_pPages) {
            m_pPages->PresetProgressStep();
        }
        m_iZMCOMConfgFlow = ZM_SCAN_READ_BLOCKS;
        m_iScanBlock = 0;
        ScanReadNextBlock();
        return;
    }
    if (!IsAwaited(frame, port)) {
        return;
    }
    RequestAnswered();
    if (m_iZMCOMConfgFlow == ZM_SCAN_STATUS_LONG) {
        SensorEntry_StoreReply(m_aEntries[m_iScanIndex], 1, BuildFrame(frame).View());
        ArmTimer(COM_TIMER_STATUS_LONG_SLOT, COM_MS_STATUS_LONG_SLOT);
        return;
    }
    if (m_bOpenDialogue) {
        SensorRecord& record = m_aSensorRecord[m_iOpenSensor];
        SensorRecord_TakeOverStatusLong(record, reply);
        if (m_iOpenSensor == 0) {
            ChanState_SetConnected(reply.encoderMask, reply.encoderMode[0], reply.encoderMode[1]);
        }
        if (m_iZMCOMConfgFlow == ZM_START_INIT) {
            m_iZMCOMConfgFlow = ZM_START_READ_BLOCKS;
        }
        m_iOpenBlock = 0;
        TarSend_ClearBlockRecords();
        OpenNextBlock();
    }
}

// The content of block index from a reply into the record. A reply for the block asked for
// whose image is erased (or carries another number) is taken as read and invalid, so that the
// sensor's missing configuration or calibration is known rather than waited for.
bool CComPort::TakeBlockReply(const Frame& frame, int index, SensorRecord& record) {
    if (TarSend_ReadBlockGetContent(frame, index, record)) {
        return true;
    }
    BlockContentReply content;
    if (!ParseMessage(frame, content) || content.number != BlockNumberFromIndex(index)) {
        return false;
    }
    const BYTE bit = static_cast<BYTE>(1u << index);
    record.aBlock[index] = content.image;
    record.ucBlockReadMask = static_cast<BYTE>(record.ucBlockReadMask | bit);
    record.ucBlockValidMask = static_cast<BYTE>(record.ucBlockValidMask & ~bit);
    return true;
}

void CComPort::ZMCOMConfg_AnalyseBlockContent(const Frame& frame, int port) {
    if (!IsAwaited(frame, port)) {
        return;
    }
    if (m_iZMCOMConfgFlow == ZM_SCAN_READ_BLOCKS) {
        if (!TakeBlockReply(frame, m_iScanBlock, m_aEntries[m_iScanIndex].record)) {
            return;  // not the block asked for: the wait goes on
        }
        RequestAnswered();
        if (m_pPages) {
            m_pPages->AdvanceProgress(0);
        }
        ++m_iScanBlock;
        ScanReadNextBlock();
        return;
    }
    if (m_iZMCOMConfgFlow == ZM_SET_INACCURACY_USERCALIB) {
        if (!TakeBlockReply(frame, kBlockUserCalib, m_aSensorRecord[m_iWriteSensor])) {
            return;
        }
        RequestAnswered();
        ReturnToRest();
        return;
    }
    if (m_bOpenDialogue) {
        if (!TakeBlockReply(frame, m_iOpenBlock, m_aSensorRecord[m_iOpenSensor])) {
            return;
        }
        RequestAnswered();
        ++m_iOpenBlock;
        OpenNextBlock();
    }
}
