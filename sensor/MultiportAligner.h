// Joins the value sets of the ports of a multi-port device. A started slave samples when its
// master samples and sends the master's counter, so one value set of the device is complete when
// every port has delivered the same counter. A port delivers its sets in order: a set that port
// has gone past without delivering is lost, dropped and counted, and nothing else is.
//
// The ports are read one after another, each with what gathered since its last read, so one
// port's sets may run far ahead of another's (a whole stall of the reading thread's worth). Each
// port's counter, which runs modulo 256, is therefore followed into a sequence number of its own,
// and the sets wait by sequence number until every port delivered or went past them. Sets wait
// at most kMaxPending sequence numbers, for a port that stopped sending.
#pragma once

#include <cstdint>
#include <deque>

class CMultiportAligner {
  public:
    static constexpr int kMaxPorts = 4;
    static constexpr int kMaxPending = 8192;

    void Start(int portCount);
    int PortCount() const { return m_portCount; }
    // A port's value set (its channel A value). True when the set of this counter is complete;
    // values then holds every port's value by port.
    bool Add(int port, uint8_t counter, int32_t value, int32_t (&values)[kMaxPorts]);
    uint64_t Lost() const { return m_lost; }
    uint64_t Completed() const { return m_completed; }

  private:
    struct Pending {
        uint8_t mask = 0;
        bool done = false;  // completed or lost
        int32_t value[kMaxPorts] = {};
    };
    int64_t Sequence(int port, uint8_t counter) const;
    void Settle(Pending& set, bool complete);
    void DropSettled();

    int m_portCount = 0;
    uint8_t m_fullMask = 0;
    uint8_t m_seen = 0;  // the ports that delivered a set since the start
    int64_t m_portSeq[kMaxPorts] = {};
    int64_t m_baseSeq = 0;          // the first set delivered since the start
    std::deque<Pending> m_pending;  // sets from m_firstSeq on, one per sequence number
    int64_t m_firstSeq = 0;
    bool m_settledAny = false;  // sets before m_firstSeq are settled
    uint64_t m_lost = 0;
    uint64_t m_completed = 0;
};
