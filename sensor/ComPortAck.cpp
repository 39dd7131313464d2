// What follows an acknowledge, by the step of the dialogue that waited for it. Each group of
// steps answers for its own states in the file that sends its requests.
#include "sensor/CComPort.h"
#include "sensor/CSensorConfigSequence.h"

void CComPort::AfterAck() {
    if (AfterMeasureAck() || AfterCalibrationAck() || AfterWriteAck() || AfterMultiportAck()) {
        return;
    }
    if (m_iZMCOMConfgFlow == ZM_CLOSE_CONFIG_SEQUENCE) {
        if (m_pConfigSequence) {
            m_pConfigSequence->OnAcknowledged();
        }
        return;
    }
    ReturnToRest();
}
