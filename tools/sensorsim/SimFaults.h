// Faults a simulated port can show on request, and what they do to the frames it sends.
#pragma once

#include <cstdint>
#include <string>

namespace sensorsim {

struct SimFaults {
    bool silent = false;         // receives and logs, never answers
    int garbageBytes = 0;        // random bytes before every frame sent
    int corruptEvery = 0;        // every n-th frame sent gets a wrong check byte
    int dropEvery = 0;           // every n-th frame sent is lost
    int delayMs = 0;             // every frame leaves this much later
    int streamUnaskedRate = -1;  // rate index: the sensor streams from power-on, unasked
    int64_t vanishAfterMs = -1;  // the port disappears this long after the start
};

class FaultInjector {
  public:
    explicit FaultInjector(uint32_t seed) : m_state(seed ? seed : 1) {}

    void Set(const SimFaults& faults) { m_faults = faults; }
    const SimFaults& Faults() const { return m_faults; }

    // What goes on the line for one frame: "" when the frame is lost. what names the fault
    // applied ("" when none).
    std::string Apply(const std::string& frame, std::string& what);
    // Random bytes, for garbage and for what a receiver at the wrong baud rate would see.
    std::string Noise(size_t size);

  private:
    SimFaults m_faults;
    uint32_t m_state;
    uint64_t m_sent = 0;
};

}  // namespace sensorsim
