#include "sensor/CMasterSlaveDetector.h"

#include <algorithm>
#include <map>

#include "foundation/PortText.h"
#include "sensor/PortDisplayName.h"

void CMasterSlaveDetector::Clear() {
    m_candidates.clear();
    m_groups.clear();
}

bool CMasterSlaveDetector::AddCandidate(const SensorEntry& entry, int entryIndex) {
    const bool answered = entry.iState == PORT_STATE_FOUND || entry.iState == PORT_STATE_OPEN;
    if (!answered || entry.record.ucMultiportModule != 1 || entry.record.dwSerialNumber == 0) {
        return false;
    }
    Candidate c;
    c.serial = entry.record.dwSerialNumber;
    c.sensorIndex = entry.record.ucSensorIndex;
    c.entry = entryIndex;
    c.portName = entry.strPortName;
    c.comNumber = GetComNumberText(MakePortDisplayName(entry.strPortText));
    m_candidates.push_back(c);
    return true;
}

void CMasterSlaveDetector::AddCandidates(const SensorEntry* table, int count) {
    for (int i = 0; i < count && table[i].iStateId >= 0; ++i) {
        AddCandidate(table[i], i);
    }
}

void CMasterSlaveDetector::Detect() {
    m_groups.clear();
    std::map<DWORD, std::vector<Candidate>> bySerial;
    for (const Candidate& c : m_candidates) {
        bySerial[c.serial].push_back(c);
    }
    for (auto& [serial, members] : bySerial) {
        if (members.size() < 2) {
            continue;
        }
        std::stable_sort(
            members.begin(), members.end(),
            [](const Candidate& a, const Candidate& b) { return a.sensorIndex < b.sensorIndex; });
        CMultiportGroup group;
        group.dwSerialNumber = serial;
        for (const Candidate& c : members) {
            group.comNumbers.push_back(c.comNumber);
            group.portNames.push_back(c.portName);
            group.sensorIndexes.push_back(c.sensorIndex);
            group.entries.push_back(c.entry);
            if (c.sensorIndex == 0 && group.strMasterComNumber.IsEmpty()) {
                group.strMasterComNumber = c.comNumber;
            }
        }
        m_groups.push_back(std::move(group));
    }
}

int CMasterSlaveDetector::FindGroupOfPort(const CString& portName) const {
    for (size_t g = 0; g < m_groups.size(); ++g) {
        for (const CString& name : m_groups[g].portNames) {
            if (name.CompareNoCase(portName) == 0) {
                return static_cast<int>(g);
            }
        }
    }
    return -1;
}
