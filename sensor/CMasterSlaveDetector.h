// Groups the ports of one multi-port device. The sensors behind the ports of such a device share
// one serial number and carry their position on it as sensor index; their stator hardware block
// marks them as multi-port modules. A group is every such port with the same non-zero serial
// number, at least two of them; the port of sensor index 0 is the master.
#pragma once

#include <vector>

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"
#include "sensor/SensorEntry.h"

struct CMultiportGroup {
    DWORD dwSerialNumber = 0;
    // Per member, ordered by sensor index: the COM number ("12"), the port name, the sensor index
    // and the port-table entry.
    std::vector<CString> comNumbers;
    std::vector<CString> portNames;
    std::vector<int> sensorIndexes;
    std::vector<int> entries;
    // The master's COM number, empty when no member has index 0.
    CString strMasterComNumber;
};

class CMasterSlaveDetector {
  public:
    void Clear();
    // Takes the entry when a sensor answered on its port (state found or open) and its hardware
    // block marks a multi-port module; false otherwise.
    bool AddCandidate(const SensorEntry& entry, int entryIndex);
    // Adds every candidate of a port table (entries until the first with a negative state id).
    void AddCandidates(const SensorEntry* table, int count);
    // Forms the groups from the candidates.
    void Detect();

    bool HasResult() const { return !m_groups.empty(); }
    int GetResultCount() const { return static_cast<int>(m_groups.size()); }
    const CMultiportGroup& GetResult(int index) const {
        return m_groups[static_cast<size_t>(index)];
    }
    // Index of the group holding the port ("COM3"), -1 when none does.
    int FindGroupOfPort(const CString& portName) const;
    bool IsPortInMultiportGroup(const CString& portName) const {
        return FindGroupOfPort(portName) >= 0;
    }

  private:
    struct Candidate {
        DWORD serial;
        int sensorIndex;
        int entry;
        CString portName;
        CString comNumber;
    };
    std::vector<Candidate> m_candidates;
    std::vector<CMultiportGroup> m_groups;
};
