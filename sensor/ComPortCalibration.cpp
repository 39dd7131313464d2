// The user adjustment: raw readings with and without the built-in control signal, the new user
// calibration block, its withdrawal, and the measurement uncertainty.
#include "foundation/Language.h"
#include "platform/base/Time.h"
#include "protocol/BlockLayouts.h"
#include "protocol/Messages.h"
#include "res/TextIds.h"
#include "sensor/CComPort.h"
#include "sensor/ComPortTimerIds.h"

using namespace tarvik;

namespace {

constexpr int kReadingsPerPhase = 300;
constexpr int kLoadCheckReadings = 50;
// Counts above the zero reading below which a loaded reading looks unloaded.
constexpr double kNotLoadedCounts = 500.0;
constexpr int kErrorNotLoadedA = 0x10;
constexpr int kErrorNotLoadedB = 0x20;

bool DecodeCalibration(const SensorRecord& record, int index, CalibrationBlock& block) {
    return (record.ucBlockReadMask & (1u << index)) != 0 && block.Decode(record.aBlock[index]) &&
           block.number == BlockNumberFromIndex(index);
}

}  // namespace

void CComPort::COM_ResetCalibValues() {
    for (CCalibrationValues& values : m_aCalib) {
        CalibrationValues_Reset(values);
    }
}

void CComPort::COM_ClearCalibPendingFlags() {
    m_aCalib[0].ucPending = 0;
    m_aCalib[1].ucPending = 0;
}

void CComPort::COM_SetCalibPendingFlags() {
    m_aCalib[0].ucPending = 1;
    m_aCalib[1].ucPending = 1;
}

BOOL CComPort::COM_IsCalibPending() const {
    return m_aCalib[0].ucPending || m_aCalib[1].ucPending;
}

double CComPort::COM_GetActiveCalibValue(int sensor, BOOL* valid, BYTE* state, const double* given,
                                         BOOL channelA) const {
    double value = 0.0;
    if (sensor >= 0 && sensor < COM_MAX_SENSORS) {
        const SensorRecord& record = m_aSensorRecord[sensor];
        if (state) {
            *state = record.ucUsedCalib;
        }
        if (given) {
            value = *given;
        } else if (record.ucUsedCalib == kCalibFactory || record.ucUsedCalib == kCalibUser) {
            CalibrationBlock block;
            const int index =
                record.ucUsedCalib == kCalibFactory ? kBlockFactoryCalib : kBlockUserCalib;
            if (DecodeCalibration(record, index, block)) {
                value = block.channel[channelA ? 0 : 1].uncertainty;
            }
        }
    } else if (given) {
        value = *given;
    }
    if (valid) {
        *valid = value > 0.0 && value < 5.0;
    }
    return value;
}

BOOL CComPort::COM_IsUserCalibEqualFactoryCalib(int sensor) const {
    if (sensor < 0 || sensor >= COM_MAX_SENSORS) {
        return FALSE;
    }
    const SensorRecord& record = m_aSensorRecord[sensor];
    CalibrationBlock factory;
    CalibrationBlock user;
    return record.ucUsedCalib == kCalibUser &&
           DecodeCalibration(record, kBlockFactoryCalib, factory) &&
           DecodeCalibration(record, kBlockUserCalib, user) && user.SameCharacteristic(factory);
}

// ---- Raw readings ---------------------------------------------------------------------------

int CComPort::COM_ZMCOMStartReadRawCalib(int phase) {
    if (phase < CALIB_PHASE_ZERO || phase > CALIB_PHASE_CONTROL || m_iOpenEntry < 0 ||
        m_bMeasuring || m_bRequestOutstanding) {
        return -1;
    }
    for (auto& sensor : m_aCalibRing) {
        for (CMovingAverageRing& ring : sensor) {
            ring.Clear();
        }
    }
    m_iCalibPhase = phase;
    m_iCalibCount = 0;
    COM_SetZMCOMConfgFlow(ZM_READ_RAW_CALIB_INIT);
    m_pfnReplyAnalyser = &CComPort::AnalyseRawReading;
    m_bAllWithoutControl = m_aCalib[0].ucNoBuiltInControl && m_aCalib[1].ucNoBuiltInControl;
    if (m_pTimers) {
        m_pTimers->StartTick(COM_MS_RAW_CALIB_TICK, 0, [this] { OnTick(); });
    }
    return phase;
}

void CComPort::COM_ZMCOMStopReadRawCalib() {
    const int flow = m_iZMCOMConfgFlow;
    if (flow != ZM_READ_RAW_CALIB_INIT && flow != ZM_SET_CTRL_ON && flow != ZM_SET_CTRL_OFF) {
        return;
    }
    // While the control reading runs, or its switching is under way, the signal may be on.
    const bool controlMayBeOn =
        flow != ZM_READ_RAW_CALIB_INIT || m_iCalibPhase == CALIB_PHASE_CONTROL;
    StopTick();
    m_pfnReplyAnalyser = nullptr;
    RequestAnswered();
    if (controlMayBeOn && m_iOpenEntry >= 0) {
        COM_SetZMCOMConfgFlow(ZM_CALIB_STOPPED_CTRL_OFF);
        if (SendRequest(TarSend_RequestControl(false), kReplyAck)) {
            return;
        }
    }
    ReturnToRest();
}

double CComPort::CalibRingMean(int channel) const {
    double mean = 0.0;
    m_aCalibRing[0][channel].GetMean(mean);
    return mean;
}

void CComPort::AnalyseRawReading(const Frame& frame, int port) {
    if (m_iZMCOMConfgFlow != ZM_READ_RAW_CALIB_INIT || !IsAwaited(frame, port)) {
        return;
    }
    ValueSetReply values;
    if (!ParseMessage(frame, values)) {
        return;
    }
    RequestAnswered();
    if ((values.status & kValueStatusRaw) == 0) {
        return;  // not a raw reading: the next tick asks again
    }
    m_aCalibRing[0][0].AddValue(values.value[0]);
    m_aCalibRing[0][1].AddValue(values.value[1]);
    ++m_iCalibCount;
    if (m_pPages) {
        m_pPages->AdvanceCalibProgress(0);
    }
    if (m_iCalibPhase == CALIB_PHASE_SCALE && m_iCalibCount == kLoadCheckReadings) {
        // The readings are offset-coded: a load shows as counts above the zero reading.
        bool unloaded = true;
        for (int ch = 0; ch < 2; ++ch) {
            const double zero = m_aCalib[ch].ucZeroTaken ? m_aCalib[ch].dZeroValue
                                                         : static_cast<double>(kElectricalZero);
            unloaded = unloaded && CalibRingMean(ch) - zero < kNotLoadedCounts;
        }
        if (unloaded && m_pPages) {
            m_pPages->ShowNotLoadedIndicator();
        }
    }
    if (m_iCalibCount >= kReadingsPerPhase) {
        FinishRawPhase();
    }
}

void CComPort::FinishRawPhase() {
    StopTick();
    m_pfnReplyAnalyser = nullptr;
    for (int ch = 0; ch < 2; ++ch) {
        CalibrationValues_TakeReading(m_aCalib[ch], m_iCalibPhase, CalibRingMean(ch));
    }
    switch (m_iCalibPhase) {
        case CALIB_PHASE_ZERO:
            if (!m_aCalib[0].ucControlTaken && !m_bAllWithoutControl) {
                COM_SetZMCOMConfgFlow(ZM_SET_CTRL_ON);
                if (!SendRequest(TarSend_RequestControl(true), kReplyAck)) {
                    FailStep(ComFailure::PortGone);
                }
                return;
            }
            ReturnToRest();
            if (m_pPages) {
                m_pPages->StartZeroWaitTimer();
            }
            return;
        case CALIB_PHASE_CONTROL:
            COM_SetZMCOMConfgFlow(ZM_SET_CTRL_OFF);
            if (!SendRequest(TarSend_RequestControl(false), kReplyAck)) {
                FailStep(ComFailure::PortGone);
            }
            return;
        default:
            break;
    }
    // The loaded reading is complete: compute and write the adjustment.
    bool complete = true;
    for (int ch = 0; ch < 2; ++ch) {
        complete = complete && m_aCalib[ch].ucZeroTaken && m_aCalib[ch].ucScaleTaken &&
                   (m_bAllWithoutControl || m_aCalib[ch].ucControlTaken);
    }
    bool computed = false;
    if (complete && m_pPages) {
        int errors = 0;
        m_pPages->CalcualteCalibValues(FALSE, 0, errors);
        const bool bothUnloaded = (errors & (kErrorNotLoadedA | kErrorNotLoadedB)) ==
                                  (kErrorNotLoadedA | kErrorNotLoadedB);
        computed = !bothUnloaded && m_pPages->CalcualteCalibValues(TRUE, 0, errors);
    }
    if (computed) {
        WriteNewUserCalibration();
        return;
    }
    ReturnToRest();
    COM_ShowMessage(GetLanguageString(IDS_CALIB_FAILED));
    if (!COM_IsCalibPending() && m_pPages) {
        m_pPages->CloseScaleDialogIfVisible();
    }
}

// ---- Calibration blocks ---------------------------------------------------------------------

void CComPort::WriteNewUserCalibration() {
    SensorRecord& record = m_aSensorRecord[0];
    CalibrationBlock block;
    BlockImage image = record.aBlock[kBlockUserCalib];
    bool ok = (record.ucBlockReadMask & (1u << kBlockUserCalib)) != 0;
    if (ok && !DecodeCalibration(record, kBlockUserCalib, block)) {
        // An erased user calibration: the new one starts from an empty image.
        block = CalibrationBlock();
        block.number = BlockNumberFromIndex(kBlockUserCalib);
        image = BlockImage();
    }
    const CTime now = CTime::GetCurrentTime();
    block.day = now.GetDay();
    block.month = now.GetMonth();
    block.year = now.GetYear();
    block.hour = now.GetHour();
    block.minute = now.GetMinute();
    block.second = now.GetSecond();
    for (int ch = 0; ch < 2; ++ch) {
        block.channel[ch].offset = m_aCalib[ch].slOffset;
        block.channel[ch].gain = m_aCalib[ch].slGain;
        block.channel[ch].control = m_aCalib[ch].slControl;
        block.channel[ch].digits = m_aCalib[ch].dwDigits;
    }
    // The encoder refuses a zero gain, zero digits or anything beyond its field; nothing is sent
    // then. A new adjustment is valid on purpose: it gets fresh check bytes.
    ok = ok && block.Encode(image);
    if (!ok || !WriteImage(0, kBlockUserCalib, image, ZM_SET_NEW_USERCALIB)) {
        if (m_iOpenEntry >= 0) {
            ReturnToRest();
            COM_ShowMessage(GetLanguageString(IDS_CALIB_FAILED));
            if (m_pPages) {
                m_pPages->CloseScaleDialogIfVisible();
            }
        }
    }
}

BOOL CComPort::COM_ZMCOMConfgDeactivateUserCalib(BOOL /*flag*/) {
    SensorRecord& record = m_aSensorRecord[0];
    if (record.ucUsedCalib != kCalibUser || !IsIdle() || m_iOpenEntry < 0 ||
        (record.ucBlockReadMask & (1u << kBlockUserCalib)) == 0) {
        return FALSE;
    }
    BlockImage image = record.aBlock[kBlockUserCalib];
    image.InvalidateCheckBytes();
    return WriteImage(0, kBlockUserCalib, image, ZM_DEACTIVATE_USERCALIB) ? TRUE : FALSE;
}

BOOL CComPort::COM_ZMCOMConfgSetInaccuracy(int sensor, double percent) {
    const int action = m_pPages ? m_pPages->GetUncertaintyAction() : 0;
    return COM_ZMCOMConfgSetInaccuracy(sensor, percent, action == 1 || action == 3 ? 1 : 0);
}

BOOL CComPort::COM_ZMCOMConfgSetInaccuracy(int sensor, double percent, int channel) {
    if (sensor < 0 || sensor >= COM_MAX_SENSORS || channel < 0 || channel > 1 || !IsIdle() ||
        m_iOpenEntry < 0) {
        return FALSE;
    }
    SensorRecord& record = m_aSensorRecord[sensor];
    CalibrationBlock block;
    BlockImage image = record.aBlock[kBlockUserCalib];
    bool keepInvalid = image.IsInvalidated();
    bool madeUserCopy = false;
    if (record.ucUsedCalib == kCalibFactory) {
        // The factory adjustment is in force: the user adjustment becomes a copy of it that
        // carries the uncertainty.
        if (!DecodeCalibration(record, kBlockFactoryCalib, block) ||
            (record.ucBlockReadMask & (1u << kBlockUserCalib)) == 0) {
            return FALSE;
        }
        block.number = BlockNumberFromIndex(kBlockUserCalib);
        keepInvalid = false;
        madeUserCopy = true;
        CalibrationBlock user;
        if (!DecodeCalibration(record, kBlockUserCalib, user)) {
            image = BlockImage();  // an erased block: start from an empty image
        }
    } else if (!DecodeCalibration(record, kBlockUserCalib, block)) {
        return FALSE;
    }
    block.channel[channel].uncertainty = percent;
    if (!block.Encode(image)) {
        return FALSE;  // out of range: nothing is sent
    }
    if (keepInvalid) {
        image.InvalidateCheckBytes();
    }
    m_bUncertaintyMadeUserCopy = madeUserCopy;
    if (!WriteImage(sensor, kBlockUserCalib, image, ZM_SET_INACCURACY_USERCALIB,
                    PortOfSensor(sensor))) {
        m_bUncertaintyMadeUserCopy = false;
        return FALSE;
    }
    return TRUE;
}

// ---- Acknowledges ---------------------------------------------------------------------------

bool CComPort::AfterCalibrationAck() {
    switch (m_iZMCOMConfgFlow) {
        case ZM_SET_CTRL_ON:
            if (m_pPages) {
                m_pPages->SetControlSignalState(1);
            }
            if (!m_aCalib[0].ucControlTaken) {
                COM_ZMCOMStartReadRawCalib(CALIB_PHASE_CONTROL);
                return true;
            }
            ReturnToRest();
            if (m_pPages) {
                m_pPages->StartZeroWaitTimer();
            }
            return true;
        case ZM_SET_CTRL_OFF:
            if (m_pPages) {
                m_pPages->SetControlSignalState(0);
            }
            if (!m_aCalib[0].ucZeroTaken && !m_aCalib[1].ucZeroTaken) {
                COM_ZMCOMStartReadRawCalib(CALIB_PHASE_ZERO);
                return true;
            }
            ReturnToRest();
            if (m_pPages) {
                m_pPages->StartZeroWaitTimer();
            }
            return true;
        case ZM_CALIB_STOPPED_CTRL_OFF:
            if (m_pPages) {
                m_pPages->SetControlSignalState(0);
            }
            ReturnToRest();
            return true;
        case ZM_SET_NEW_USERCALIB:
            if (m_pPages) {
                m_pPages->AdvanceCalibProgress(1);
            }
            ArmTimer(COM_TIMER_RESTART_SENSOR, COM_MS_RESTART_SENSOR);
            return true;
        case ZM_DEACTIVATE_USERCALIB:
            ArmTimer(COM_TIMER_RESTART_SENSOR, COM_MS_RESTART_SENSOR);
            return true;
        case ZM_SET_INACCURACY_USERCALIB:
            if (m_bUncertaintyMadeUserCopy) {
                // The sensor still uses the factory adjustment: it restarts and is read anew,
                // so that the adjustment it reports is the copy with the new uncertainty.
                m_bUncertaintyMadeUserCopy = false;
                ArmTimer(COM_TIMER_RESTART_SENSOR, COM_MS_RESTART_SENSOR);
                return true;
            }
            // Read the block back, so that the record shows what the sensor keeps.
            if (!SendRequest(TarSend_RequestReadBlock(kBlockUserCalib), kReplyBlockContent,
                             PortOfSensor(m_iWriteSensor))) {
                FailStep(ComFailure::PortGone);
            }
            return true;
        default:
            return false;
    }
}
