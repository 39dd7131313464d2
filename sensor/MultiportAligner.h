// Joins the value sets of the ports of a multi-port device. A started slave samples when its
// master samples and sends the master's counter, so one value set of the device is complete when
// every port has delivered the same counter. A port delivers its sets in order: a set that port
// has gone past without delivering is lost, dropped and counted. The ports are read one after
// another, each with what gathered since its last read, so one port's sets may run well ahead
// of another's without any being lost; sets of a port that stopped sending are dropped once the
// counter has run more than kMaxAge further.
#pragma once

#include <cstdint>
#include <vector>

class CMultiportAligner {
  public:
    static constexpr int kMaxPorts = 4;
    static constexpr int kMaxAge = 64;

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
    uint8_t m_seen = 0;  // the ports that delivered a set since the start
    uint8_t m_portNewest[kMaxPorts] = {};
    std::vector<Pending> m_pending;
    uint64_t m_lost = 0;
    uint64_t m_completed = 0;
};
