// A run of the user adjustment: warning, zero reading, scale input and loaded reading (or the
// wrong-scale message), each step dialog made for this run only; the deletion of the user
// adjustment; the computation the engine asks for when the loaded reading is complete.
#include "foundation/Language.h"
#include "pages/common/PageHost.h"
#include "pages/common/PageLinks.h"
#include "pages/common/PageTable.h"
#include "pages/sensor/CDlgSensorCalibration.h"
#include "pages/sensor/CalibUncertaintyDialogs.h"
#include "pages/sensor/CalibrationMath.h"
#include "platform/framework/MessageBox.h"
#include "res/TextIds.h"

namespace {

constexpr UINT kZeroStepRetryMs = 250;
constexpr BYTE kQuadratureEncoder = 9;

}  // namespace

bool CDlgSensorCalibration::ComputeSingleChannelFlag() const {
    const SensorRecord& record = m_pHost->Dialogue().m_aSensorRecord[0];
    return (record.ucDeviceKind == 1 && record.ucStatorId == 5) || record.ucStatorId == 7;
}

bool CDlgSensorCalibration::RefuseForSeveralSensors(int operation) {
    if (m_pHost->Dialogue().m_iNumberOfSensors < 2)
        return false;
    const CString text =
        GetLanguageString(operation == 0 ? IDS_NX_ZID3_ADJUST : IDS_NX_ZID3_OPERATION) + "\n\n" +
        GetLanguageString(IDS_NX_ZID3_SYNCHRONISE);
    AfxMessageBox(text, MB_ICONINFORMATION);
    // The device's ports open one by one for their adjustment until the next Update.
    m_pHost->Commands().COM_KeepDevicePortsApart(TRUE);
    if (IConnectionPageLink* connection = m_pHost->ConnectionPage())
        connection->RequestSeparation();
    m_pHost->SwitchToSensorConnectionPage();
    return true;
}

void CDlgSensorCalibration::OnPerform() {
    if (m_pHost == nullptr || RefuseForSeveralSensors(0))
        return;
    const SensorRecord& record = m_pHost->Dialogue().m_aSensorRecord[0];
    if (record.ucStatorId == kQuadratureEncoder || record.ucSensorTypeLetter == 'T') {
        AfxMessageBox(GetLanguageString(IDS_CANNOT_ADJUST), MB_ICONINFORMATION);
        return;
    }
    RunAdjustment(0);
}

void CDlgSensorCalibration::OnDelete() {
    if (m_pHost == nullptr || RefuseForSeveralSensors(1))
        return;
    RunDelete();
}

void CDlgSensorCalibration::OnUncertainty() {
    if (m_pHost == nullptr || RefuseForSeveralSensors(1))
        return;
    if (m_pHost->Dialogue().m_aSensorRecord[0].ucStatorId == kQuadratureEncoder) {
        AfxMessageBox(GetLanguageString(IDS_NO_UNCERTAINTY), MB_ICONINFORMATION);
        return;
    }
    RunUncertainty();
}

void CDlgSensorCalibration::OnTimer(UINT_PTR nIDEvent) {
    KillTimer(nIDEvent);
    if (nIDEvent == TIMER_ZERO_STEP)
        RunSteps(1);
}

void CDlgSensorCalibration::RunAdjustment(int startStep) {
    m_iZeroRetriesLeft = kZeroRetries;
    RunSteps(startStep);
    m_pHost->Commands().COM_SetCalibPendingFlags();
}

void CDlgSensorCalibration::EndRun() {
    m_bRunActive = FALSE;
    m_bReadingPhase = FALSE;
}

void CDlgSensorCalibration::RunSteps(int startStep) {
    m_bWrongScale = FALSE;
    m_iProgressPosition = 0;
    m_iStepWidth = kProgressRange / 100;
    m_iStepCount = 0;
    m_bReadingPhase = FALSE;
    m_bFirstStepDialog = TRUE;
    m_bSingleChannel = ComputeSingleChannelFlag();
    m_iPhase = 0;
    m_bRunActive = TRUE;

    CDlgCalibMsgDoCalib warning(this);
    if (startStep < 1 && warning.DoModal() != IDOK) {
        EndRun();
        return;
    }
    m_iPhase = 1;
    if (!s_bFirstRun && s_bZeroDialogBusy) {
        // The previous zero dialog is still on its way out: look again shortly, a bounded number
        // of times.
        if (m_iZeroRetriesLeft-- > 0)
            SetTimer(TIMER_ZERO_STEP, kZeroStepRetryMs, nullptr);
        EndRun();
        return;
    }
    s_bFirstRun = FALSE;
    int result;
    {
        CDlgCalibMsgGetValueZero zero(this);
        m_pZeroDialog = &zero;
        result = static_cast<int>(zero.DoModal());
        m_pZeroDialog = nullptr;
        s_bZeroDialogBusy = FALSE;
    }
    m_pHost->WaitCursorOff();
    if (result != IDOK || !IsSensorUsable()) {
        EndRun();
        return;
    }
    const CCalibrationValues* values = m_pHost->Dialogue().m_aCalib;
    const int window =
        calib::CheckZeroWindow(values[0].slZeroReading, m_bSingleChannel ? values[0].slZeroReading
                                                                         : values[1].slZeroReading);
    if (window != 0) {
        AfxMessageBox(GetLanguageString(IDS_ZERO_OUTSIDE), MB_ICONWARNING);
        EndRun();
        return;
    }
    CDlgCalibMsgGetValueEnd scale(this);
    CDlgCalibMsgWrongScaleValue wrong(this);
    m_pScaleDialog = &scale;
    INT_PTR last = IDCANCEL;
    while (last != IDOK && m_bRunActive) {
        m_iPhase = 2;
        m_bReadingPhase = FALSE;
        if (scale.DoModal() != IDOK)
            break;
        if (!m_bWrongScale) {
            m_bReadingPhase = TRUE;
            last = scale.DoModal();
            continue;
        }
        m_pHost->WaitCursorOff();
        m_iPhase = 3;
        wrong.DoModal();
        last = IDOK;
    }
    m_pScaleDialog = nullptr;
    m_pHost->WaitCursorOff();
    EndRun();
}

void CDlgSensorCalibration::RunDelete() {
    m_bFirstStepDialog = TRUE;
    CDlgCalibMsgDeleteCalib dialog(this);
    dialog.m_ucUser = 1;
    dialog.DoModal();
}

BOOL CDlgSensorCalibration::CheckScaleInputs(const CString fullScale[2], const CString scale[2]) {
    BOOL all = TRUE;
    for (int ch = 0; ch < 2; ++ch) {
        double full = 0.0;
        double value = 0.0;
        const bool parsed = calib::ParseDecimalText(fullScale[ch], full) &&
                            calib::ParseDecimalText(scale[ch], value);
        m_dFullScale[ch] = parsed ? full : 0.0;
        m_dScale[ch] = parsed ? value : 0.0;
        if (parsed && calib::IsScaleAccepted(full, value)) {
            m_dAcceptedScale[ch] = value;
            // The ratio of what is typed to what is shown: both in the unit the range is shown in.
            m_dLoadRatio[ch] = value / full;
            m_bRememberScale[ch] = TRUE;
            m_strRememberedScale[ch] = scale[ch];
        } else {
            all = FALSE;
        }
    }
    return all;
}

BOOL CDlgSensorCalibration::CalcualteCalibValues(BOOL askUser, int readingSet, int& errors) {
    errors = 0;
    if (m_pHost == nullptr || !m_bRunActive || !IsSensorUsable()) {
        errors = calib::kGainFailed[0] | calib::kGainFailed[1];
        return FALSE;
    }
    const CCalibrationValues* values = m_pHost->Dialogue().m_aCalib;
    const SensorRecord& record = m_pHost->Dialogue().m_aSensorRecord[0];
    bool withoutControl[2] = {};
    for (int ch = 0; ch < 2; ++ch) {
        const CCalibrationValues& v = values[ch];
        withoutControl[ch] = v.ucNoBuiltInControl != 0;
        const int32_t zero =
            readingSet == 0 ? v.slZeroReading : v.slSignedZeroReading + calib::kElectricalZero;
        const int32_t control = readingSet == 0 ? v.slControlReading
                                                : v.slSignedControlReading + calib::kElectricalZero;
        if (!withoutControl[ch] && askUser && calib::IsControlNearZero(control, zero)) {
            const CString question = calib::ReplaceChannelLetter(
                GetLanguageString(IDS_CONTROL_NEAR_ZERO), ch == 0 ? 'A' : 'B');
            withoutControl[ch] =
                AfxMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
            // The run may have ended or the sensor gone while the question was open.
            if (!m_bRunActive || !IsSensorUsable()) {
                errors = calib::kGainFailed[0] | calib::kGainFailed[1];
                return FALSE;
            }
        }
        if (withoutControl[ch])
            m_pHost->Commands().COM_UseScaleReadingAsControl(ch);
    }
    calib::ChannelResult results[2];
    for (int ch = 0; ch < 2; ++ch) {
        // A one-channel sensor: channel B repeats channel A.
        const int source = m_bSingleChannel ? 0 : ch;
        const CCalibrationValues& v = values[source];
        calib::ChannelInput input;
        input.zero =
            readingSet == 0 ? v.slZeroReading : v.slSignedZeroReading + calib::kElectricalZero;
        input.scale =
            readingSet == 0 ? v.slScaleReading : v.slSignedScaleReading + calib::kElectricalZero;
        input.control = readingSet == 0 ? v.slControlReading
                                        : v.slSignedControlReading + calib::kElectricalZero;
        input.withoutControl = withoutControl[source];
        input.digits = m_dwDigits[source];
        input.loadRatio = m_dLoadRatio[source];
        input.range = record.dRange[source];
        results[ch] = calib::ComputeChannel(input, ch);
        errors |= results[ch].errors;
    }
    const BOOL ok = results[0].ok && results[1].ok;
    for (int ch = 0; ch < 2; ++ch) {
        if (results[ch].errors & calib::kNotLoaded[ch])
            continue;  // nothing computed, nothing written
        m_pHost->Commands().COM_TakeCalibResult(ch, results[ch].offset, results[ch].gain,
                                                results[ch].control, results[ch].digits);
    }
    return ok;
}

void CDlgSensorCalibration::RunUncertainty() {
    m_bSingleChannel = ComputeSingleChannelFlag();
    m_bFirstStepDialog = TRUE;
    CDlgCalibInaccuracyRangeFailure failure(this);
    for (;;) {
        m_dUncertainty = 0.0;
        CDlgCalibInaccuracyDefine dialog(this);
        if (dialog.DoModal() != IDOK)
            return;
        if (!calib::IsUncertaintyValid(m_dUncertainty)) {
            failure.DoModal();
            continue;
        }
        const double value = m_iUncertaintyAction >= 2 ? 0.0 : m_dUncertainty;
        const int channel = m_iUncertaintyAction == 1 || m_iUncertaintyAction == 3 ? 1 : 0;
        if (m_pHost->Commands().COM_ZMCOMConfgSetInaccuracy(0, value, channel)) {
            m_pHost->WaitCursorOn();
            m_bDeleteWaitCursor = TRUE;
        } else {
            AfxMessageBox(GetLanguageString(IDS_CHANGE_NOT_TAKEN), MB_ICONWARNING);
        }
        return;
    }
}
