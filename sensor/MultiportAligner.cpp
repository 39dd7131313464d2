#include "sensor/MultiportAligner.h"

#include <algorithm>
#include <limits>

void CMultiportAligner::Start(int portCount) {
    m_portCount = std::clamp(portCount, 0, kMaxPorts);
    m_fullMask = static_cast<uint8_t>((1u << m_portCount) - 1u);
    m_seen = 0;
    m_baseSeq = 0;
    m_pending.clear();
    m_firstSeq = 0;
    m_settledAny = false;
    m_lost = 0;
    m_completed = 0;
}

int64_t CMultiportAligner::Sequence(int port, uint8_t counter) const {
    if (m_seen & (1u << port)) {
        // The next counter, or one further on after sets lost on the way: a port never goes
        // back, so the same counter again is a whole turn later.
        const int64_t last = m_portSeq[port];
        return last + static_cast<uint8_t>(counter - static_cast<uint8_t>(last) - 1) + 1;
    }
    if (m_seen == 0) {
        return counter;
    }
    // Every port starts with the master's first sample: a port's first set lies within half a
    // turn of the first set any port delivered, however far the others have run since.
    return m_baseSeq +
           static_cast<int8_t>(static_cast<uint8_t>(counter - static_cast<uint8_t>(m_baseSeq)));
}

bool CMultiportAligner::Add(int port, uint8_t counter, int32_t value,
                            int32_t (&values)[kMaxPorts]) {
    if (port < 0 || port >= m_portCount) {
        return false;
    }
    const uint8_t bit = static_cast<uint8_t>(1u << port);
    const int64_t seq = Sequence(port, counter);
    const int64_t previous = (m_seen & bit) ? m_portSeq[port] : std::numeric_limits<int64_t>::min();
    if (m_seen == 0) {
        m_baseSeq = seq;
    }
    m_portSeq[port] = seq;
    m_seen = static_cast<uint8_t>(m_seen | bit);

    if (m_pending.empty() && !m_settledAny) {
        m_firstSeq = seq;
    }
    if (seq < m_firstSeq) {
        // A port that starts behind the others: they went past these sets without them.
        if (!m_settledAny) {
            for (; m_firstSeq > seq; --m_firstSeq) {
                m_pending.emplace_front();
                Settle(m_pending.front(), false);
            }
            DropSettled();
        }
        return false;
    }
    while (seq >= m_firstSeq + static_cast<int64_t>(m_pending.size())) {
        m_pending.emplace_back();
    }
    // The sets this port went past without delivering them are lost.
    for (int64_t s = std::max(previous + 1, m_firstSeq); s < seq; ++s) {
        Pending& skipped = m_pending[static_cast<size_t>(s - m_firstSeq)];
        if (!skipped.done && !(skipped.mask & bit)) {
            Settle(skipped, false);
        }
    }
    Pending& set = m_pending[static_cast<size_t>(seq - m_firstSeq)];
    bool complete = false;
    if (!set.done) {
        set.mask = static_cast<uint8_t>(set.mask | bit);
        set.value[port] = value;
        if (set.mask == m_fullMask) {
            std::copy(std::begin(set.value), std::end(set.value), std::begin(values));
            Settle(set, true);
            complete = true;
        }
    }
    DropSettled();
    return complete;
}

void CMultiportAligner::Settle(Pending& set, bool complete) {
    set.done = true;
    ++(complete ? m_completed : m_lost);
}

void CMultiportAligner::DropSettled() {
    while (!m_pending.empty() &&
           (m_pending.front().done || m_pending.size() > static_cast<size_t>(kMaxPending))) {
        if (!m_pending.front().done) {
            Settle(m_pending.front(), false);  // a port that stopped sending keeps it waiting
        }
        m_pending.pop_front();
        ++m_firstSeq;
        m_settledAny = true;
    }
}
