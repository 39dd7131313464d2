#include "ports/CPortCom.h"

BOOL CPortCom::Open(const kq::ports::PortEntry& entry, const CDcb& dcb) {
    if (entry.kind == kq::ports::PortEntry::Kind::Tcp) {
        return m_Comm.OpenTcp(entry.target);
    }
    return m_Comm.OpenSerial(entry.target, dcb);
}
