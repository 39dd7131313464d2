#include "sensor/MultiportAligner.h"

#include <algorithm>

void CMultiportAligner::Start(int portCount) {
    m_portCount = std::clamp(portCount, 0, kMaxPorts);
    m_fullMask = static_cast<uint8_t>((1u << m_portCount) - 1u);
    m_haveNewest = false;
    m_seen = 0;
    m_pending.clear();
    m_lost = 0;
    m_completed = 0;
}

bool CMultiportAligner::Add(int port, uint8_t counter, int32_t value,
                            int32_t (&values)[kMaxPorts]) {
    if (port < 0 || port >= m_portCount) {
        return false;
    }
    // The counter runs modulo 256: a counter less than half a turn ahead is newer.
    if (!m_haveNewest || static_cast<uint8_t>(counter - m_newest) < 128) {
        m_newest = counter;
        m_haveNewest = true;
    }
    const uint8_t bit = static_cast<uint8_t>(1u << port);
    if (!(m_seen & bit) || static_cast<uint8_t>(counter - m_portNewest[port]) < 128) {
        m_portNewest[port] = counter;
        m_seen = static_cast<uint8_t>(m_seen | bit);
    }
    auto it = std::find_if(m_pending.begin(), m_pending.end(),
                           [counter](const Pending& p) { return p.counter == counter; });
    if (it == m_pending.end()) {
        m_pending.push_back(Pending{counter, 0, {}});
        it = m_pending.end() - 1;
    }
    it->mask = static_cast<uint8_t>(it->mask | (1u << port));
    it->value[port] = value;
    bool complete = false;
    if (it->mask == m_fullMask) {
        std::copy(std::begin(it->value), std::end(it->value), std::begin(values));
        m_pending.erase(it);
        ++m_completed;
        complete = true;
    }
    DropStale();
    return complete;
}

void CMultiportAligner::DropStale() {
    const auto stale = [this](const Pending& p) {
        const uint8_t age = static_cast<uint8_t>(m_newest - p.counter);
        if (age < 128 && age > kMaxAge)
            return true;
        for (int port = 0; port < m_portCount; ++port) {
            const uint8_t bit = static_cast<uint8_t>(1u << port);
            const uint8_t ahead = static_cast<uint8_t>(m_portNewest[port] - p.counter);
            if (!(p.mask & bit) && (m_seen & bit) && ahead > 0 && ahead < 128)
                return true;  // the port went past this set without it
        }
        return false;
    };
    const auto removed = std::remove_if(m_pending.begin(), m_pending.end(), stale);
    m_lost += static_cast<uint64_t>(m_pending.end() - removed);
    m_pending.erase(removed, m_pending.end());
}
