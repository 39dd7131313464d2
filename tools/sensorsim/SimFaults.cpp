#include "tools/sensorsim/SimFaults.h"

namespace sensorsim {

std::string FaultInjector::Noise(size_t size) {
    std::string bytes;
    bytes.reserve(size);
    for (size_t i = 0; i < size; ++i) {
        m_state = m_state * 1103515245u + 12345u;
        bytes.push_back(static_cast<char>(m_state >> 24));
    }
    return bytes;
}

std::string FaultInjector::Apply(const std::string& frame, std::string& what) {
    what.clear();
    ++m_sent;
    if (m_faults.dropEvery > 0 && m_sent % static_cast<uint64_t>(m_faults.dropEvery) == 0) {
        what = "dropped";
        return "";
    }
    std::string bytes = frame;
    if (m_faults.corruptEvery > 0 && m_sent % static_cast<uint64_t>(m_faults.corruptEvery) == 0 &&
        !bytes.empty()) {
        bytes.back() = static_cast<char>(bytes.back() ^ 0x5A);
        what = "corrupted";
    }
    if (m_faults.garbageBytes > 0) {
        bytes = Noise(static_cast<size_t>(m_faults.garbageBytes)) + bytes;
        what += what.empty() ? "garbage before" : ", garbage before";
    }
    return bytes;
}

}  // namespace sensorsim
