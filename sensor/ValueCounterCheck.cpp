#include "sensor/ValueCounterCheck.h"

int CValueCounterCheck::Check(uint8_t counter) {
    int gap = 0;
    if (m_started) {
        gap = static_cast<uint8_t>(counter - m_last - 1);
        m_lost += static_cast<uint64_t>(gap);
    }
    m_started = true;
    m_last = counter;
    return gap;
}
