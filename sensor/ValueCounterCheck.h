// The running counter of measured-value frames: each value set a sensor sends carries the last
// counter + 1 (mod 256), so a gap tells how many value sets were lost on the way.
#pragma once

#include <cstdint>

class CValueCounterCheck {
  public:
    // The next counter is taken as it comes.
    void Restart() { m_started = false; }
    // Number of value sets lost right before this one (0 when it follows the last one).
    int Check(uint8_t counter);
    uint64_t Lost() const { return m_lost; }
    void ResetLost() { m_lost = 0; }

  private:
    bool m_started = false;
    uint8_t m_last = 0;
    uint64_t m_lost = 0;
};
