#include "ports/CDcb.h"

#include "platform/io/SerialPort.h"
#include "ports/CPortNameHistory.h"

BOOL CDcb::IsValid() const {
    return kq::ports::ComNumber(m_strPortName) > 0 &&
           kq::SerialPort::IsSupportedBaudRate(static_cast<int>(BaudRate)) && ByteSize == 8 &&
           Parity == NOPARITY && StopBits == ONESTOPBIT;
}

CString CDcb::GetStateText() const {
    switch (m_dwState) {
        case PORTMAN_STATE_LENT:
            return "Granted";
        case PORTMAN_STATE_CLOSED:
        case PORTMAN_STATE_REMOVED:
            return "OffLine";
        default:
            return IsValid() ? m_strPortName : CString("Bad Config");
    }
}
