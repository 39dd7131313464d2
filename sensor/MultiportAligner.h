// Joins the value sets of the ports of a multi-port device. A started slave samples when its
// master samples and sends the master's counter, so one value set of the device is complete when
// every port has delivered the same counter. Sets that stay incomplete while the counter runs
// more than eight further are dropped and counted as lost.
#pragma once

#include <cstdint>
#include <vector>

class CMultiportAligner {
  public:
    static constexpr int kMaxPorts = 4;
    static constexpr int kMaxAge = 8;

    void Start(int portCount);
    int PortCount() const { return m_portCount; }
    // A port's value set (its channel A value). True when the set of this counter is complete;
    // values then holds every port's value by port.
    bool Add(int port, uint8_t counter, int32_t value, int32_t (&values)[kMaxPorts]);
    uint64_t Lost() const { return m_lost; }
    uint64_t Completed() const { return m_completed; }

  private:
    struct Pending {
        uint8_t counter;
        uint8_t mask;
        int32_t value[kMaxPorts];
    };
    void DropStale();

    int m_portCount = 0;
    uint8_t m_fullMask = 0;
    bool m_haveNewest = false;
    uint8_t m_newest = 0;
    std::vector<Pending> m_pending;
    uint64_t m_lost = 0;
    uint64_t m_completed = 0;
};
